#include "rom/factorydata.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace {

// Qt 4's colour spec value for RGB colours.
constexpr qint8 kSpecRgb = 1;

// Well-formed factory data compresses to well under this; a larger frame is
// refused before inflating, which also bounds what a hostile zlib stream can
// make qUncompress allocate while it searches for the stream's real size.
constexpr qsizetype kMaxCompressedBytes = 1024 * 1024;

void writeColor(QDataStream &out, const QColor &color)
{
    // Written by hand: the record must be the Qt 4 one whatever the colour's
    // own spec and precision are, with every channel the 8-bit value times 257.
    const QRgb rgba = color.rgba();
    out << kSpecRgb;
    out << quint16(qAlpha(rgba) * 257) << quint16(qRed(rgba) * 257) << quint16(qGreen(rgba) * 257)
        << quint16(qBlue(rgba) * 257) << quint16(0);
}

void writeBytes(QDataStream &out, const QByteArray &bytes)
{
    // Length and bytes; a null array is written as empty, never as the
    // 0xFFFFFFFF null marker.
    out << quint32(bytes.size());
    out.writeRawData(bytes.constData(), int(bytes.size()));
}

// Reads big-endian values from memory; every read checks the bytes left first
// and fails (returns false) rather than reading past the end.
class StreamReader
{
public:
    explicit StreamReader(const QByteArray &data) : data(data) {}

    bool atEnd() const { return pos == data.size(); }

    template <typename T>
    bool read(T &value)
    {
        if (data.size() - pos < qsizetype(sizeof(T)))
            return false;
        value = qFromBigEndian<T>(data.constData() + pos);
        pos += sizeof(T);
        return true;
    }

    bool readRaw(qsizetype size, QByteArray &bytes)
    {
        if (size < 0 || data.size() - pos < size)
            return false;
        bytes = data.mid(pos, size);
        pos += size;
        return true;
    }

    // A list count that must be exactly `expected`.
    bool expectCount(quint32 expected)
    {
        quint32 count = 0;
        return read(count) && count == expected;
    }

private:
    const QByteArray &data;
    qsizetype pos = 0;
};

bool readSprites(StreamReader &in, SpriteTable &sprites)
{
    if (!in.expectCount(kCarCount))
        return false;
    sprites.reserve(kCarCount);
    for (int car = 0; car < kCarCount; ++car) {
        if (!in.expectCount(kSpritesPerCar))
            return false;
        QList<SpritePixels> carSprites;
        carSprites.reserve(kSpritesPerCar);
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            if (!in.expectCount(kPixelsPerSprite))
                return false;
            SpritePixels pixels(kPixelsPerSprite);
            for (int &pixel : pixels) {
                qint32 value = 0;
                if (!in.read(value) || value < 0 || value > 15)
                    return false;
                pixel = value;
            }
            carSprites.append(pixels);
        }
        sprites.append(carSprites);
    }
    return true;
}

bool readColor(StreamReader &in, QColor &color)
{
    qint8 spec = 0;
    quint16 alpha = 0, red = 0, green = 0, blue = 0, pad = 0;
    if (!in.read(spec) || !in.read(alpha) || !in.read(red) || !in.read(green) || !in.read(blue) || !in.read(pad))
        return false;
    if (spec != kSpecRgb)
        return false;
    color = QColor::fromRgba64(red, green, blue, alpha);
    return true;
}

bool readPalettes(StreamReader &in, PaletteTable &palettes)
{
    if (!in.expectCount(kEditorPaletteCount))
        return false;
    palettes.reserve(kEditorPaletteCount);
    for (int p = 0; p < kEditorPaletteCount; ++p) {
        if (!in.expectCount(kColorsPerPalette))
            return false;
        Palette palette(kColorsPerPalette);
        for (QColor &color : palette) {
            if (!readColor(in, color))
                return false;
        }
        palettes.append(palette);
    }
    return true;
}

// A list of `strings` byte strings of exactly `length` bytes each.
bool readByteStrings(StreamReader &in, int strings, int length, QList<QByteArray> &table)
{
    if (!in.expectCount(quint32(strings)))
        return false;
    table.reserve(strings);
    for (int k = 0; k < strings; ++k) {
        QByteArray bytes;
        if (!in.expectCount(quint32(length)) || !in.readRaw(length, bytes))
            return false;
        table.append(bytes);
    }
    return true;
}

} // namespace

QByteArray SerializeFactoryData(const CarData &data)
{
    QByteArray raw;
    {
        QDataStream out(&raw, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_6);
        out.setByteOrder(QDataStream::BigEndian);

        out << quint32(data.sprites.size());
        for (const QList<SpritePixels> &car : data.sprites) {
            out << quint32(car.size());
            for (const SpritePixels &pixels : car) {
                out << quint32(pixels.size());
                for (int pixel : pixels)
                    out << qint32(pixel);
            }
        }

        out << quint32(data.palettes.size());
        for (const Palette &palette : data.palettes) {
            out << quint32(palette.size());
            for (const QColor &color : palette)
                writeColor(out, color);
        }

        out << quint32(data.characteristics.size());
        for (const QByteArray &bytes : data.characteristics)
            writeBytes(out, bytes);

        out << quint32(data.weapons.size());
        for (const QByteArray &bytes : data.weapons)
            writeBytes(out, bytes);
    }
    return qCompress(raw);
}

std::optional<CarData> ParseFactoryData(const QByteArray &compressed)
{
    // The frame's first four bytes declare the inflated size. Only the one
    // size well-formed data has is accepted, so qUncompress never allocates
    // on the word of the data.
    if (compressed.size() <= 4 || compressed.size() > kMaxCompressedBytes)
        return std::nullopt;
    if (qFromBigEndian<quint32>(compressed.constData()) != quint32(kFactoryDataBytes))
        return std::nullopt;
    const QByteArray raw = qUncompress(compressed);
    if (raw.size() != kFactoryDataBytes)
        return std::nullopt;

    StreamReader in(raw);
    CarData data;
    if (!readSprites(in, data.sprites) || !readPalettes(in, data.palettes)
        || !readByteStrings(in, kCarCount, kCharacteristicCount, data.characteristics)
        || !readByteStrings(in, kCarCount, kWeaponSlotCount, data.weapons) || !in.atEnd())
        return std::nullopt;
    return data;
}
