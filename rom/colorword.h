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

// How colour words are turned into RGB for the screen and for pictures:
// Linear takes ColorLevels (the editor's own ramp, the default everywhere);
// Console takes ConsoleLevels, the levels the console's video output was
// measured at, darker in the middle of the ramp than the linear ones except
// at the low end.
enum class ColorModel { Linear, Console };

// 8-bit value of each 3-bit level as the console shows it.
inline constexpr std::array<int, 8> ConsoleLevels = {0, 52, 87, 116, 144, 172, 206, 255};

// The level table of a colour model.
const std::array<int, 8> &LevelsOf(ColorModel model);

// Decodes a colour word; the always-zero bits are ignored. Opaque RGB.
QColor ColorFromWord(unsigned char first, unsigned char second);
QColor ColorFromWord(ColorWord word);
QColor ColorFromWord(ColorWord word, ColorModel model);
// Encodes a colour: each channel keeps its top three bits (v >> 5).
ColorWord WordFromColor(const QColor &color);
// Snaps a colour to the 512-colour cartridge grid (alpha becomes 255).
QColor QuantizeColor(const QColor &color);

// A colour of the editor's (linear) grid as the model shows it. Linear gives
// the colour back unchanged; Console gives the console colour of the word the
// colour is stored as (WordFromColor), opaque.
QColor ShownColor(const QColor &color, ColorModel model);
// Every entry of a palette through ShownColor.
Palette ShownPalette(const Palette &palette, ColorModel model);
// The word of a colour shown under the model: Linear is WordFromColor;
// Console takes the nearest console level channel by channel (the lower one
// on a tie), so that ShownColor's colours give their words back.
ColorWord WordFromShownColor(const QColor &color, ColorModel model);

// The 16 words of the fixed "Import/Export" palette and the background word.
inline constexpr std::array<unsigned short, 16> kImportExportWords = {
    0x0000, 0x00A0, 0x000E, 0x0808, 0x0EE0, 0x0E00, 0x0460, 0x0460,
    0x0460, 0x0460, 0x0460, 0x0EEE, 0x0AAA, 0x0444, 0x0000, 0x00EE};
inline constexpr unsigned short kBackgroundWord = 0x0CCC;

QColor ColorFromWord16(unsigned short word);
Palette ImportExportPalette();
QColor DefaultBackgroundColor();   // (218, 218, 218)
