#pragma once

#include <optional>

#include <QByteArray>

#include "rom/cardata.h"

// The factory data the editor carries as the resource ":/defaults.bin": a
// qCompress frame (4-byte big-endian size, then a zlib stream) around a
// QDataStream of the Qt 4.6 format holding, one after the other, the sprites,
// the palettes (11, the last one "Import/Export"), the characteristics and the
// weapons. Lists are a uint32 count and the elements; a pixel is a qint32; a
// colour is the 11-byte Qt 4 QColor record (qint8 spec 1, then quint16 alpha,
// red, green, blue, pad, each 8-bit channel stored as c * 257); a byte string is
// a uint32 length and the bytes.

// Uncompressed size of well-formed factory data: the four tables at their
// exact shapes (5 x 45 x 2304 pixels, 11 x 16 colours, 5 x 5 and 5 x 3 bytes).
inline constexpr int kFactorySpritesBytes = 4 + kCarCount * (4 + kSpritesPerCar * (4 + kPixelsPerSprite * 4));
inline constexpr int kFactoryPalettesBytes = 4 + kEditorPaletteCount * (4 + kColorsPerPalette * 11);
inline constexpr int kFactoryCharacteristicsBytes = 4 + kCarCount * (4 + kCharacteristicCount);
inline constexpr int kFactoryWeaponsBytes = 4 + kCarCount * (4 + kWeaponSlotCount);
inline constexpr int kFactoryDataBytes =
    kFactorySpritesBytes + kFactoryPalettesBytes + kFactoryCharacteristicsBytes + kFactoryWeaponsBytes;

// Encodes the four tables as they are (no padding or cutting) and compresses
// them at zlib's default level. Colours are written from their 8-bit channels.
QByteArray SerializeFactoryData(const CarData &data);

// Decodes factory data from memory. Returns the tables only when everything is
// well-formed: the frame decompresses to exactly kFactoryDataBytes bytes, the
// stream holds exactly the four tables at their exact shapes with pixel
// indices 0..15 and RGB colours, and nothing follows them. Anything else
// (damaged zlib data, a stream that ends early or goes on, other counts) gives
// std::nullopt. Safe on arbitrary bytes: no count read from the data is trusted
// for an allocation and nothing is read past the end.
std::optional<CarData> ParseFactoryData(const QByteArray &compressed);
