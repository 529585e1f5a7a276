#include "rom/romwriter.h"

#include "rom/colorword.h"

namespace {

// Adds the big-endian words of data to sum; an odd last byte is the high byte
// of a word whose low byte is 0.
quint16 addWords(quint16 sum, const char *data, qsizetype length)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    for (; i + 1 < length; i += 2)
        sum = static_cast<quint16>(sum + ((bytes[i] << 8) | bytes[i + 1]));
    if (i < length)
        sum = static_cast<quint16>(sum + (bytes[i] << 8));
    return sum;
}

void patch(QByteArray &image, qint64 offset, const QByteArray &block)
{
    image.replace(offset, block.size(), block);
}

// Row-major area from car-major strings: byte j of car k goes to k + cars*j.
// The row length is that of car 0's string; shorter strings give 0.
QByteArray interleaveBytes(const QList<QByteArray> &table)
{
    QByteArray block;
    const qsizetype rowLength = table.isEmpty() ? 0 : table.first().size();
    for (qsizetype j = 0; j < rowLength; ++j)
        for (const QByteArray &row : table)
            block.append(j < row.size() ? row.at(j) : '\0');
    return block;
}

QByteArray encodePalettes(const PaletteTable &palettes)
{
    QByteArray block;
    block.reserve(kPalettesAreaSize);
    for (const Palette &palette : palettes)
        for (const QColor &color : palette) {
            const ColorWord word = WordFromColor(color);
            block.append(static_cast<char>(word.first));
            block.append(static_cast<char>(word.second));
        }
    return block;
}

QByteArray encodeSprites(const SpriteTable &sprites)
{
    // Every normalised sprite has an even number of pixels, so packing sprite
    // by sprite gives the same bytes as packing the whole list at once.
    QByteArray block;
    block.reserve(kSpritesAreaSize);
    for (const QList<SpritePixels> &car : sprites)
        for (const SpritePixels &sprite : car)
            block.append(PackPixels(sprite));
    return block;
}

} // namespace

QByteArray PackPixels(const SpritePixels &pixels)
{
    QByteArray bytes;
    bytes.reserve(pixels.size() / 2);
    for (qsizetype k = 0; k + 1 < pixels.size(); k += 2)
        bytes.append(static_cast<char>(((pixels.at(k) & 0x0F) << 4) | (pixels.at(k + 1) & 0x0F)));
    return bytes;
}

QByteArray PatchedImage(QByteArray image, const CarData &carData)
{
    const CarData data = NormalizeCarData(carData);

    // A short image grows with zero bytes up to the end of the last area.
    if (image.size() < kSpritesAreaEnd)
        image.append(QByteArray(kSpritesAreaEnd - image.size(), '\0'));

    patch(image, kSpritesOffset, encodeSprites(data.sprites));
    patch(image, kPalettesOffset, encodePalettes(data.palettes));
    patch(image, kCharacteristicsOffset, interleaveBytes(data.characteristics));
    patch(image, kWeaponsOffset, interleaveBytes(data.weapons));

    const quint16 sum = RomChecksum(image);
    image[kChecksumOffset] = static_cast<char>(sum >> 8);
    image[kChecksumOffset + 1] = static_cast<char>(sum & 0xFF);
    return image;
}

quint16 RomChecksum(const QByteArray &image)
{
    if (image.size() <= kChecksumStart)
        return 0;
    return addWords(0, image.constData() + kChecksumStart, image.size() - kChecksumStart);
}
