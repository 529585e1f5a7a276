#pragma once

#include <QByteArray>
#include <QtGlobal>

// The demo cartridge's own program, from cartridge/viewer.s: the 68000
// vectors, the cartridge header (checksum 0) and the car viewer, assembled to
// lie at offset 0 of the cartridge image and to end before the weapons area
// (0x54A0). The car areas of the image follow it; the viewer reads them.
QByteArray CartridgeProgram();

// Offsets in the image of what a check reads back from the program.
struct CartridgeSymbols
{
    int font = 0;         // 64 characters 0x20..0x5F, 8 bytes each, top row first, bit 7 left
    int viewTable = 0;    // 9 x 13 signed bytes: [tilt + 4][rotation 0..12] -> sprite number, -1 none
    int programEnd = 0;   // the first byte after the program
};
CartridgeSymbols CartridgeProgramSymbols();

// Where the viewer keeps what it shows in work RAM, one big-endian word each,
// set when a frame's picture goes to the video chip, for emulator scripts.
namespace CartridgeRam {
inline constexpr quint32 kCar = 0xFF0000;        // 0..4
inline constexpr quint32 kSprite = 0xFF0002;     // 0..44
inline constexpr quint32 kPalette = 0xFF0004;    // 0..9
inline constexpr quint32 kMirrored = 0xFF0006;   // 0 or 1
inline constexpr quint32 kChecksum = 0xFF0008;   // the viewer's own sum of the words from 0x200 to the end
inline constexpr quint32 kFrames = 0xFF000A;     // frames shown, counting up (wraps)
inline constexpr quint32 kRotation = 0xFF000C;   // 0..23
inline constexpr quint32 kTilt = 0xFF000E;       // -4..4, two's complement
inline constexpr quint32 kWheels = 0xFF0010;     // wheels animation on (0 or 1)
inline constexpr quint32 kTurned = 0xFF0012;     // colours 4 and 5 exchanged in this frame (0 or 1)
inline constexpr quint32 kChecksumPasses = 0xFF0014;   // checksum passes finished
}

// How the viewer places things on its 320 x 224 picture.
namespace CartridgeScreen {
inline constexpr int kWidth = 320;
inline constexpr int kHeight = 224;
inline constexpr int kCarX = 136;          // the sprite's top-left pixel
inline constexpr int kCarY = 88;
inline constexpr int kBackdropWord = 0x0CCC;
inline constexpr int kFirstInfoRow = 18;   // text rows (8 pixels each) below the car
inline constexpr int kInfoRows = 9;
inline constexpr int kLevelRow = 5;        // the grey ramp, one 8 x 8 cell per level 0..7
inline constexpr int kLevelColumn = 16;
}
