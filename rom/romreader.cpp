#include "rom/romreader.h"

#include <QFile>
#include <QFileInfo>

#include "rom/colorword.h"

namespace {

// Reads at most maxLength bytes at offset. Returns false when the file can't
// be opened; a block cut short by the end of the file is returned as it is.
// Only plain files are read: a pipe or a device would block or stream without
// end, and a failed move to the offset yields no bytes rather than bytes from
// the wrong place.
bool readBlock(const QString &path, qint64 offset, qint64 maxLength, QByteArray *block)
{
    block->clear();
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.isSequential() || !file.seek(offset))
        return true;
    *block = file.read(maxLength);
    return true;
}

// Car-major strings from a row-major area: byte j of car k is byte k + cars*j
// of the block, 0 where the block is shorter.
QList<QByteArray> transposeBytes(const QByteArray &block, int cars, int bytesPerCar)
{
    QList<QByteArray> table;
    table.reserve(cars);
    for (int car = 0; car < cars; ++car) {
        QByteArray row(bytesPerCar, '\0');
        for (int j = 0; j < bytesPerCar; ++j) {
            const int at = car + cars * j;
            if (at < block.size())
                row[j] = block.at(at);
        }
        table.append(row);
    }
    return table;
}

} // namespace

WeaponTable ReadWeapons(const QString &path, qint64 offset)
{
    QByteArray block;
    if (!readBlock(path, offset, kWeaponsAreaSize, &block))
        return {};
    return transposeBytes(block, kCarCount, kWeaponSlotCount);
}

CharacteristicsTable ReadCharacteristics(const QString &path, qint64 offset)
{
    QByteArray block;
    if (!readBlock(path, offset, kCharacteristicsAreaSize, &block))
        return {};
    return transposeBytes(block, kCarCount, kCharacteristicCount);
}

PaletteTable ReadPalettes(const QString &path, qint64 offset)
{
    QByteArray block;
    if (!readBlock(path, offset, kPalettesAreaSize, &block))
        return {};

    // Palettes of 16 colours; the last one keeps whatever is left, and an
    // empty block still gives one (empty) palette. A lone last byte is a
    // first byte whose second byte is 0.
    PaletteTable table;
    Palette palette;
    for (qsizetype i = 0; i < block.size(); i += 2) {
        if (palette.size() == kColorsPerPalette) {
            table.append(palette);
            palette.clear();
        }
        const auto first = static_cast<unsigned char>(block.at(i));
        const auto second = i + 1 < block.size() ? static_cast<unsigned char>(block.at(i + 1)) : 0;
        palette.append(ColorFromWord(first, second));
    }
    table.append(palette);
    return table;
}

SpriteTable ReadSprites(const QString &path, qint64 offset)
{
    QByteArray block;
    if (!readBlock(path, offset, kSpritesAreaSize, &block))
        return {};

    // Sprites of 1152 bytes, 45 to a car; the last car takes the rest (at least
    // one sprite, possibly short or empty).
    const qsizetype spriteCount = qMax<qsizetype>(1, (block.size() + kBytesPerSprite - 1) / kBytesPerSprite);
    SpriteTable table;
    QList<SpritePixels> car;
    for (qsizetype s = 0; s < spriteCount; ++s) {
        car.append(UnpackPixels(block.mid(s * kBytesPerSprite, kBytesPerSprite)));
        if (car.size() == kSpritesPerCar && s + 1 < spriteCount) {
            table.append(car);
            car.clear();
        }
    }
    table.append(car);
    return table;
}

SpritePixels UnpackPixels(const QByteArray &bytes)
{
    SpritePixels pixels;
    pixels.reserve(bytes.size() * 2);
    for (char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        pixels.append(value >> 4);
        pixels.append(value & 0x0F);
    }
    return pixels;
}

CarData ReadRom(const QString &path)
{
    CarData data;
    data.sprites = ReadSprites(path, kSpritesOffset);
    data.palettes = ReadPalettes(path, kPalettesOffset);
    data.characteristics = ReadCharacteristics(path, kCharacteristicsOffset);
    data.weapons = ReadWeapons(path, kWeaponsOffset);
    return NormalizeCarData(data);
}
