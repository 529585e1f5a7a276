#include "exchange/pixelclipboard.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>
#include <QMimeData>

#include "exchange/indexedpicture.h"
#include "exchange/spriteconversion.h"

namespace {

constexpr char kMagic[] = "SKMP";
constexpr int kMagicLength = 4;
constexpr int kHeaderLength = kMagicLength + 1 + 4 * 2;
constexpr quint8 kVersion = 1;
constexpr quint8 kNoPixelByte = 255;
constexpr int kTransparentEntry = kColorsPerPalette;
const QString kPngType = QStringLiteral("image/png");

Failure Refusal(const QString &reason)
{
    Failure failure;
    failure.reason = reason;
    return failure;
}

Failure Refusal(const char *text)
{
    return Refusal(QCoreApplication::translate("PixelClipboard", text));
}

int Word(const QByteArray &bytes, int at)
{
    return (quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1));
}

} // namespace

QByteArray EncodePixelPiece(const PixelPiece &piece)
{
    QByteArray bytes(kMagic, kMagicLength);
    bytes.append(char(kVersion));
    for (const int value : {piece.origin.x(), piece.origin.y(), piece.width, piece.height}) {
        bytes.append(char((value >> 8) & 0xff));
        bytes.append(char(value & 0xff));
    }
    bytes.reserve(kHeaderLength + qsizetype(piece.width) * piece.height);
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x) {
            const int index = piece.at(x, y);
            bytes.append(char(index >= 0 && index < kColorsPerPalette ? quint8(index) : kNoPixelByte));
        }
    return bytes;
}

Result<PixelPiece> DecodePixelPiece(const QByteArray &bytes)
{
    if (bytes.size() < kHeaderLength || !bytes.startsWith(QByteArrayView(kMagic, kMagicLength)))
        return Refusal(QT_TRANSLATE_NOOP("PixelClipboard", "The pixels on the clipboard are damaged: their header is missing."));
    if (quint8(bytes.at(kMagicLength)) != kVersion)
        return Refusal(QT_TRANSLATE_NOOP("PixelClipboard", "The pixels on the clipboard come from a newer version of this program."));
    const QPoint origin(Word(bytes, kMagicLength + 1), Word(bytes, kMagicLength + 3));
    const int width = Word(bytes, kMagicLength + 5);
    const int height = Word(bytes, kMagicLength + 7);
    if (width < 1 || height < 1 || width > kSpriteSide || height > kSpriteSide)
        return Refusal(QCoreApplication::translate("PixelClipboard",
                                                   "The pixels on the clipboard claim a size of %1 x %2; a piece is "
                                                   "1 x 1 to 48 x 48 pixels.")
                           .arg(width)
                           .arg(height));
    if (origin.x() >= kSpriteSide || origin.y() >= kSpriteSide)
        return Refusal(QT_TRANSLATE_NOOP("PixelClipboard", "The pixels on the clipboard are damaged: they come from outside the 48 x 48 frame."));
    if (bytes.size() != kHeaderLength + qsizetype(width) * height)
        return Refusal(QT_TRANSLATE_NOOP("PixelClipboard", "The pixels on the clipboard are damaged: their length does not match their size."));
    PixelPiece piece{width, height, {}, origin};
    piece.indices.reserve(qsizetype(width) * height);
    for (qsizetype n = kHeaderLength; n < bytes.size(); ++n) {
        const quint8 value = quint8(bytes.at(n));
        if (value >= kColorsPerPalette && value != kNoPixelByte)
            return Refusal(QT_TRANSLATE_NOOP("PixelClipboard", "The pixels on the clipboard are damaged: they hold an index past 15."));
        piece.indices.append(value == kNoPixelByte ? PixelPiece::kNotInPiece : int(value));
    }
    return piece;
}

QImage PixelPiecePicture(const PixelPiece &piece, const QList<QRgb> &table)
{
    if (piece.isEmpty())
        return {};
    QImage picture(piece.width, piece.height, QImage::Format_Indexed8);
    QList<QRgb> colors = table.mid(0, kColorsPerPalette);
    while (colors.size() < kColorsPerPalette)
        colors.append(qRgb(0, 0, 0));
    colors.append(qRgba(0, 0, 0, 0));
    picture.setColorTable(colors);
    for (int y = 0; y < piece.height; ++y) {
        uchar *line = picture.scanLine(y);
        for (int x = 0; x < piece.width; ++x) {
            const int index = piece.at(x, y);
            line[x] = uchar(index >= 0 && index < kColorsPerPalette ? index : kTransparentEntry);
        }
    }
    return picture;
}

Result<PixelPiece> PixelPieceFromPicture(const QImage &image, const Palette &palette, const QColor &background,
                                         const MatchOptions &options)
{
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return Refusal(QT_TRANSLATE_NOOP("PixelClipboard", "The clipboard holds no picture that can be pasted."));
    if (image.width() > kSpriteSide || image.height() > kSpriteSide)
        return Refusal(QCoreApplication::translate("PixelClipboard",
                                                   "The picture on the clipboard is %1 x %2 pixels; a piece is at "
                                                   "most 48 x 48.")
                           .arg(image.width())
                           .arg(image.height()));
    PixelPiece piece{image.width(), image.height(), {}, {}};
    piece.indices.reserve(qsizetype(piece.width) * piece.height);
    if (image.format() == QImage::Format_Indexed8 && IsIndexedExchangePicture(image, palette, background)) {
        // Indices as they are; the transparent entry and anything past the
        // 16 colours is no pixel of the piece.
        for (int y = 0; y < image.height(); ++y) {
            const uchar *line = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x)
                piece.indices.append(line[x] < kColorsPerPalette ? int(line[x]) : PixelPiece::kNotInPiece);
        }
        return piece;
    }
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    const QList<int> matched = MatchPictureIndices(source, palette, background, options);
    for (int y = 0; y < source.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            piece.indices.append(qAlpha(line[x]) < 128 ? PixelPiece::kNotInPiece
                                                        : matched.value(qsizetype(y) * source.width() + x));
    }
    return piece;
}

void WritePixelPiece(QMimeData &data, const PixelPiece &piece, const QList<QRgb> &table)
{
    data.setData(QString::fromLatin1(kPixelPieceMimeType), EncodePixelPiece(piece));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (writer.write(PixelPiecePicture(piece, table)))
        data.setData(kPngType, png);
}

bool HoldsPixelPiece(const QMimeData &data)
{
    return data.hasFormat(QString::fromLatin1(kPixelPieceMimeType)) || data.hasImage() || data.hasFormat(kPngType);
}

Result<PixelPiece> ReadPixelPiece(const QMimeData &data, const Palette &palette, const QColor &background,
                                  const MatchOptions &options)
{
    if (data.hasFormat(QString::fromLatin1(kPixelPieceMimeType)))
        return DecodePixelPiece(data.data(QString::fromLatin1(kPixelPieceMimeType)));
    QImage picture;
    if (data.hasImage())
        picture = qvariant_cast<QImage>(data.imageData());
    if (picture.isNull() && data.hasFormat(kPngType))
        picture = QImage::fromData(data.data(kPngType), "png");
    return PixelPieceFromPicture(picture, palette, background, options);
}
