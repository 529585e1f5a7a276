#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>

// The car data of the cartridge: where it lies, how big it is, and the
// in-memory tables every part of the editor reads and edits.

inline constexpr int kCarCount = 5;
inline constexpr int kSpritesPerCar = 45;
inline constexpr int kSpriteSide = 48;
inline constexpr int kPixelsPerSprite = kSpriteSide * kSpriteSide;   // 2304
inline constexpr int kBytesPerSprite = kPixelsPerSprite / 2;          // 1152
inline constexpr int kColorsPerPalette = 16;
inline constexpr int kRomPaletteCount = 10;
inline constexpr int kEditorPaletteCount = kRomPaletteCount + 1;      // + "Import/Export"
inline constexpr int kImportExportPalette = kRomPaletteCount;         // index 10
inline constexpr int kCharacteristicCount = 5;
inline constexpr int kWeaponSlotCount = 3;

// Byte offsets in a raw (not interleaved) cartridge image; all values big-endian.
inline constexpr qint64 kChecksumOffset = 0x18E;
inline constexpr qint64 kChecksumStart = 0x200;
inline constexpr qint64 kWeaponsOffset = 0x54A0;
inline constexpr qint64 kPalettesOffset = 0x6776;
inline constexpr qint64 kCharacteristicsOffset = 0xE150;
inline constexpr qint64 kSpritesOffset = 0xBF500;

inline constexpr int kWeaponsAreaSize = kCarCount * kWeaponSlotCount;                      // 15
inline constexpr int kPalettesAreaSize = kRomPaletteCount * kColorsPerPalette * 2;          // 320
inline constexpr int kCharacteristicsAreaSize = kCarCount * kCharacteristicCount;           // 25
inline constexpr int kSpritesAreaSize = kCarCount * kSpritesPerCar * kBytesPerSprite;       // 259200
inline constexpr qint64 kSpritesAreaEnd = kSpritesOffset + kSpritesAreaSize;                // 0xFE980

// Colour indices 0..15 of one sprite, in the cartridge's strip order:
// pixel n lies at x = 8*((n/192)%6) + n%8, y = 24*(n/1152) + (n%192)/8.
using SpritePixels = QList<int>;
// [car][sprite][pixel]
using SpriteTable = QList<QList<SpritePixels>>;
// 16 colours of one palette, [index]
using Palette = QList<QColor>;
// [palette][index]
using PaletteTable = QList<Palette>;
// [car][characteristic]: top speed, acceleration, adhesion, cornering, jumping
using CharacteristicsTable = QList<QByteArray>;
// [car][slot]: weapon A, weapon C, jump/turbo
using WeaponTable = QList<QByteArray>;

struct CarData
{
    SpriteTable sprites;
    PaletteTable palettes;
    CharacteristicsTable characteristics;
    WeaponTable weapons;

    friend bool operator==(const CarData &, const CarData &) = default;
};

// Pads and cuts every table at its end to the sizes above: 5 x 45 sprites of
// 2304 pixels (missing pixels 0), 10 palettes of 16 colours (missing colours
// opaque black; an 11th palette is dropped), five 5-byte and five 3-byte strings
// (missing bytes 0). Existing values are never changed.
CarData NormalizeCarData(CarData data);
