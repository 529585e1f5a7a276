#pragma once

// Cartridge images and files for the tests, made in the test: random bytes of
// a fixed seed, palettes that tell every entry apart, and plain file reading
// and writing.

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QRandomGenerator>
#include <QString>

#include "rom/cardata.h"
#include "rom/colorword.h"

// size bytes of a reproducible random sequence (the same bytes for the same seed).
inline QByteArray RandomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(seed);
    for (char &byte : bytes)
        byte = static_cast<char>(generator.generate() & 0xFF);
    return bytes;
}

// A cartridge image of random bytes that covers every car-data area.
inline QByteArray RandomRomImage(quint32 seed)
{
    return RandomBytes(kSpritesAreaEnd, seed);
}

// The ten cartridge palettes, entry i of palette p being (L[i % 8], L[2 + i / 8],
// L[p % 8]) on the cartridge's level grid L: every entry and every palette
// differs, and none equals the background colour.
inline PaletteTable LevelGridPalettes()
{
    PaletteTable palettes;
    for (int p = 0; p < kRomPaletteCount; ++p) {
        Palette palette;
        for (int i = 0; i < kColorsPerPalette; ++i)
            palette.append(QColor(ColorLevels[i % 8], ColorLevels[2 + i / 8], ColorLevels[p % 8]));
        palettes.append(palette);
    }
    return palettes;
}

// Replaces the file at path with bytes; false when it cannot be written whole.
inline bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// WriteBytes for set-up code that cannot go on without the file: stops the
// test program when writing fails, and returns path.
inline QString WriteTestFile(const QString &path, const QByteArray &bytes)
{
    if (!WriteBytes(path, bytes))
        qFatal("cannot write the test file %s", qPrintable(path));
    return path;
}

// The whole file at path, or nothing when it cannot be read.
inline QByteArray ReadBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
