#include "view/spritecomposer.h"

#include <algorithm>

#include "view/tiledindexedimage.h"

namespace {

QRgb Opaque(const QColor &color)
{
    return qRgb(color.red(), color.green(), color.blue());
}

} // namespace

QList<QRgb> SpriteColorTable(const Palette &palette, const QColor &background, bool wheelsTurned)
{
    QList<QRgb> table;
    table.reserve(kColorsPerPalette);
    table.append(Opaque(background));
    for (int i = 1; i < kColorsPerPalette; ++i) {
        int entry = i;
        if (wheelsTurned && (i == 4 || i == 5))
            entry = 9 - i;   // the wheel colours change places
        table.append(Opaque(palette.value(entry, QColor(Qt::black))));
    }
    return table;
}

QImage ComposeSpriteImage(const SpritePixels *pixels, const Palette &palette, const QColor &background,
                          QPoint offset, bool mirrored, bool wheelsTurned)
{
    QImage result(kSpriteSide, kSpriteSide, QImage::Format_RGB888);
    result.fill(QColor::fromRgb(Opaque(background)));
    if (!pixels)
        return result;

    TiledIndexedImage tiled = SpriteTiling();
    const QList<QRgb> colors = SpriteColorTable(palette, background, wheelsTurned);
    for (QRgb color : colors)
        tiled.appendColor(color);
    tiled.setPixels(*pixels);
    const QImage indexed = tiled.render();

    // Draw the indexed picture with its top-left corner at (dx, dy), stored y
    // counting up and screen y down; what leaves the square is cut off. The
    // mirror comes after the offset, so it is applied to the target column.
    // Written byte by byte: the same picture a painter would give, without
    // converting the indexed picture first.
    const int dx = std::clamp(offset.x(), -kSpriteSide, kSpriteSide);
    const int dy = -std::clamp(offset.y(), -kSpriteSide, kSpriteSide);
    const int firstX = std::max(0, dx), endX = std::min(kSpriteSide, kSpriteSide + dx);
    const int firstY = std::max(0, dy), endY = std::min(kSpriteSide, kSpriteSide + dy);
    for (int y = firstY; y < endY; ++y) {
        const uchar *source = indexed.constScanLine(y - dy);
        uchar *target = result.scanLine(y);
        for (int x = firstX; x < endX; ++x) {
            const QRgb color = colors.at(source[x - dx]);
            uchar *out = target + 3 * (mirrored ? kSpriteSide - 1 - x : x);
            out[0] = uchar(qRed(color));
            out[1] = uchar(qGreen(color));
            out[2] = uchar(qBlue(color));
        }
    }
    return result;
}
