#pragma once

#include <array>

#include <QColor>

#include "rom/cardata.h"

// The Mega Drive colour word: 3 bits per channel, big-endian,
// first byte 0000BBB0, second byte GGG0RRR0.
struct ColorWord
{
    unsigned char first = 0;   // blue in bits 3-1
    unsigned char second = 0;  // green in bits 7-5, red in bits 3-1

    friend bool operator==(const ColorWord &, const ColorWord &) = default;
};

// 8-bit value of each 3-bit level: trunc(L / 7.0 * 255.0).
inline constexpr std::array<int, 8> ColorLevels = {0, 36, 72, 109, 145, 182, 218, 255};

// Decodes a colour word; the always-zero bits are ignored. Opaque RGB.
QColor ColorFromWord(unsigned char first, unsigned char second);
QColor ColorFromWord(ColorWord word);
// Encodes a colour: each channel keeps its top three bits (v >> 5).
ColorWord WordFromColor(const QColor &color);
// Snaps a colour to the 512-colour cartridge grid (alpha becomes 255).
QColor QuantizeColor(const QColor &color);

// The 16 words of the fixed "Import/Export" palette and the background word.
inline constexpr std::array<unsigned short, 16> kImportExportWords = {
    0x0000, 0x00A0, 0x000E, 0x0808, 0x0EE0, 0x0E00, 0x0460, 0x0460,
    0x0460, 0x0460, 0x0460, 0x0EEE, 0x0AAA, 0x0444, 0x0000, 0x00EE};
inline constexpr unsigned short kBackgroundWord = 0x0CCC;

QColor ColorFromWord16(unsigned short word);
Palette ImportExportPalette();
QColor DefaultBackgroundColor();   // (218, 218, 218)
