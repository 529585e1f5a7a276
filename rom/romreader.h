#pragma once

#include <QByteArray>
#include <QString>

#include "rom/cardata.h"

// Readers of the four car-data areas. Each opens the file read-only, reads one
// block of at most the area's length at the offset (fewer bytes at the end of
// the file) and decodes it. None reports an error: a file that can't be opened
// gives an empty table; missing bytes are simply absent.

WeaponTable ReadWeapons(const QString &path, qint64 offset);
CharacteristicsTable ReadCharacteristics(const QString &path, qint64 offset);
PaletteTable ReadPalettes(const QString &path, qint64 offset);
// Also reads raw sprite files (offset 0): 1152 bytes a sprite, 45 sprites a car;
// the last sprite may be short.
SpriteTable ReadSprites(const QString &path, qint64 offset);

// Two indices per byte, high nibble first.
SpritePixels UnpackPixels(const QByteArray &bytes);

// The whole car data of a ROM image, normalised. Never fails: an unreadable
// file gives blank data.
CarData ReadRom(const QString &path);

// The same from an image in memory (the whole file, not interleaved): equal
// to ReadRom of a file holding plainBytes.
CarData CarDataFromImage(const QByteArray &plainBytes);
