#include "view/spritecomposer.h"

#include <algorithm>


namespace {

QRgb Opaque(const QColor &color)
{
    return qRgb(color.red(), color.green(), color.blue());
}

} // namespace

QList<QRgb> SpriteColorTable(const Palette &palette, const QColor &background, bool wheelsTurned, ColorModel colors)
{
    QList<QRgb> table;
    table.reserve(kColorsPerPalette);
    table.append(Opaque(ShownColor(background, colors)));
    for (int i = 1; i < kColorsPerPalette; ++i) {
        int entry = i;
        if (wheelsTurned && (i == 4 || i == 5))
            entry = 9 - i;   // the wheel colours change places
        table.append(Opaque(ShownColor(palette.value(entry, QColor(Qt::black)), colors)));
    }
    return table;
}

QImage ComposeSpriteSlots(const SpritePixels *pixels, QPoint offset, bool mirrored, bool wheelsTurned)
{
    QImage result(kSpriteSide, kSpriteSide, QImage::Format_Indexed8);
    result.fill(0);
    if (!pixels)
        return result;

    // Stored in strips of three 8 x 8 tiles stacked, six strips side by side,
    // two rows of strips: a run of 8 indices is one row of a strip. Indices
    // without a colour (outside 0..15) show as 0, as do pixels not stored.
    constexpr int kStripWidth = 8, kStripHeight = 24, kStripsAcross = kSpriteSide / kStripWidth;
    uchar indexed[kSpriteSide][kSpriteSide] = {};
    const int count = int(std::min<qsizetype>(pixels->size(), kPixelsPerSprite));
    const int *values = pixels->constData();
    for (int start = 0; start < count; start += kStripWidth) {
        const int strip = start / (kStripWidth * kStripHeight), within = start % (kStripWidth * kStripHeight);
        uchar *row = &indexed[(strip / kStripsAcross) * kStripHeight + within / kStripWidth][(strip % kStripsAcross) * kStripWidth];
        const int end = std::min(count - start, kStripWidth);
        for (int i = 0; i < end; ++i) {
            const int v = values[start + i];
            row[i] = v >= 0 && v < kColorsPerPalette ? uchar(v) : 0;
        }
    }

    uchar slotOf[kColorsPerPalette];
    for (int i = 0; i < kColorsPerPalette; ++i)
        slotOf[i] = uchar(i);
    if (wheelsTurned)
        std::swap(slotOf[4], slotOf[5]);

    // Draw the indexed picture with its top-left corner at (dx, dy), stored y
    // counting up and screen y down; what leaves the square is cut off. The
    // mirror comes after the offset, so it is applied to the target column.
    const int dx = std::clamp(offset.x(), -kSpriteSide, kSpriteSide);
    const int dy = -std::clamp(offset.y(), -kSpriteSide, kSpriteSide);
    const int firstX = std::max(0, dx), endX = std::min(kSpriteSide, kSpriteSide + dx);
    const int firstY = std::max(0, dy), endY = std::min(kSpriteSide, kSpriteSide + dy);
    uchar *bits = result.bits();
    const qsizetype stride = result.bytesPerLine();
    for (int y = firstY; y < endY; ++y) {
        const uchar *source = indexed[y - dy];
        uchar *target = bits + y * stride;
        if (mirrored) {
            for (int x = firstX; x < endX; ++x)
                target[kSpriteSide - 1 - x] = slotOf[source[x - dx]];
        } else {
            for (int x = firstX; x < endX; ++x)
                target[x] = slotOf[source[x - dx]];
        }
    }
    return result;
}

QImage ComposeSpriteImage(const SpritePixels *pixels, const Palette &palette, const QColor &background,
                          QPoint offset, bool mirrored, bool wheelsTurned, ColorModel colors)
{
    // Written byte by byte from the slots: the same picture a painter would
    // give, without converting an indexed picture.
    const QList<QRgb> table = SpriteColorTable(palette, background, false, colors);
    const QImage slotPicture = ComposeSpriteSlots(pixels, offset, mirrored, wheelsTurned);
    QImage result(kSpriteSide, kSpriteSide, QImage::Format_RGB888);
    uchar *bits = result.bits();
    const qsizetype stride = result.bytesPerLine();
    for (int y = 0; y < kSpriteSide; ++y) {
        const uchar *source = slotPicture.constScanLine(y);
        uchar *out = bits + y * stride;
        for (int x = 0; x < kSpriteSide; ++x, out += 3) {
            const QRgb color = table.at(source[x]);
            out[0] = uchar(qRed(color));
            out[1] = uchar(qGreen(color));
            out[2] = uchar(qBlue(color));
        }
    }
    return result;
}

QImage ComposeSlotColors(const QImage &slotPicture, const QList<QRgb> &table)
{
    QImage result(slotPicture.size(), QImage::Format_RGB32);
    if (result.isNull() || slotPicture.depth() != 8)
        return {};
    QRgb colors[256];
    for (int i = 0; i < 256; ++i)
        colors[i] = i < table.size() ? table.at(i) | 0xff000000u : qRgb(0, 0, 0);
    uchar *bits = result.bits();
    const qsizetype stride = result.bytesPerLine();
    for (int y = 0; y < result.height(); ++y) {
        const uchar *source = slotPicture.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(bits + y * stride);
        for (int x = 0; x < result.width(); ++x)
            out[x] = colors[source[x]];
    }
    return result;
}
