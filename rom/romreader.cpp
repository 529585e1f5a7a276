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

// The decoders of the four areas, from a block of at most the area's length.
WeaponTable decodeWeapons(const QByteArray &block)
{
    return transposeBytes(block, kCarCount, kWeaponSlotCount);
}

CharacteristicsTable decodeCharacteristics(const QByteArray &block)
{
    return transposeBytes(block, kCarCount, kCharacteristicCount);
}

PaletteTable decodePalettes(const QByteArray &block)
{
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

SpriteTable decodeSprites(const QByteArray &block)
{
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

// The block of an area in an image: at most length bytes at offset, fewer at
// the end, none past it.
QByteArray imageBlock(const QByteArray &image, qint64 offset, qint64 length)
{
    return offset < image.size() ? image.mid(offset, length) : QByteArray();
}

} // namespace

WeaponTable ReadWeapons(const QString &path, qint64 offset)
{
    QByteArray block;
    return readBlock(path, offset, kWeaponsAreaSize, &block) ? decodeWeapons(block) : WeaponTable();
}

CharacteristicsTable ReadCharacteristics(const QString &path, qint64 offset)
{
    QByteArray block;
    return readBlock(path, offset, kCharacteristicsAreaSize, &block) ? decodeCharacteristics(block)
                                                                      : CharacteristicsTable();
}

PaletteTable ReadPalettes(const QString &path, qint64 offset)
{
    QByteArray block;
    return readBlock(path, offset, kPalettesAreaSize, &block) ? decodePalettes(block) : PaletteTable();
}

SpriteTable ReadSprites(const QString &path, qint64 offset)
{
    QByteArray block;
    return readBlock(path, offset, kSpritesAreaSize, &block) ? decodeSprites(block) : SpriteTable();
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

CarData CarDataFromImage(const QByteArray &plainBytes)
{
    CarData data;
    data.sprites = decodeSprites(imageBlock(plainBytes, kSpritesOffset, kSpritesAreaSize));
    data.palettes = decodePalettes(imageBlock(plainBytes, kPalettesOffset, kPalettesAreaSize));
    data.characteristics = decodeCharacteristics(imageBlock(plainBytes, kCharacteristicsOffset, kCharacteristicsAreaSize));
    data.weapons = decodeWeapons(imageBlock(plainBytes, kWeaponsOffset, kWeaponsAreaSize));
    return NormalizeCarData(data);
}
