#include "view/spritecomposer.h"

#include <algorithm>

#include "view/tiledindexedimage.h"

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

    // The tiling renders only indices that have a colour: give it all 16.
    TiledIndexedImage tiled = SpriteTiling();
    for (int i = 0; i < kColorsPerPalette; ++i)
        tiled.appendColor(qRgb(i, i, i));
    tiled.setPixels(*pixels);
    const QImage indexed = tiled.render();

    uchar slotOf[256];
    for (int i = 0; i < 256; ++i)
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
    for (int y = firstY; y < endY; ++y) {
        const uchar *source = indexed.constScanLine(y - dy);
        uchar *target = result.scanLine(y);
        for (int x = firstX; x < endX; ++x)
            target[mirrored ? kSpriteSide - 1 - x : x] = slotOf[source[x - dx]];
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
    for (int y = 0; y < kSpriteSide; ++y) {
        const uchar *source = slotPicture.constScanLine(y);
        uchar *out = result.scanLine(y);
        for (int x = 0; x < kSpriteSide; ++x, out += 3) {
            const QRgb color = table.at(source[x]);
            out[0] = uchar(qRed(color));
            out[1] = uchar(qGreen(color));
            out[2] = uchar(qBlue(color));
        }
    }
    return result;
}
