#include "view/tiledindexedimage.h"

#include <limits>

bool TiledIndexedImage::appendLevel(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;

    TileLevel level;
    level.width = width;
    level.height = height;
    const qint64 belowWidth = levelList.isEmpty() ? 1 : levelList.last().cumulativeWidth;
    const qint64 belowHeight = levelList.isEmpty() ? 1 : levelList.last().cumulativeHeight;
    const qint64 cumulativeWidth = width * belowWidth;
    const qint64 cumulativeHeight = height * belowHeight;
    const qint64 cumulativeArea = cumulativeWidth * cumulativeHeight;
    if (cumulativeArea > std::numeric_limits<int>::max())
        return false;   // storage indices are ints; such a picture could not be addressed

    level.cumulativeWidth = int(cumulativeWidth);
    level.cumulativeHeight = int(cumulativeHeight);
    level.cumulativeArea = int(cumulativeArea);
    levelList.append(level);
    total = level.cumulativeArea;
    return true;
}

int TiledIndexedImage::appendColor(QRgb color)
{
    colorTable.append(color);
    return int(colorTable.size() - 1);
}

void TiledIndexedImage::setPixels(const QList<int> &pixels)
{
    pixelList = pixels;
}

QPoint TiledIndexedImage::positionOf(int n) const
{
    if (n < 0 || n >= total)
        return QPoint(-1, -1);

    int x = 0;
    int y = 0;
    for (qsizetype i = levelList.size() - 1; i >= 1; --i) {
        const TileLevel &level = levelList.at(i);
        const TileLevel &below = levelList.at(i - 1);
        const int block = n / below.cumulativeArea;
        x += (block % level.width) * below.cumulativeWidth;
        y += (block / level.width) * below.cumulativeHeight;
        n %= below.cumulativeArea;
    }
    const TileLevel &innermost = levelList.first();
    return QPoint(x + n % innermost.width, y + n / innermost.width);
}

int TiledIndexedImage::width() const
{
    return levelList.isEmpty() ? 0 : levelList.last().cumulativeWidth;
}

int TiledIndexedImage::height() const
{
    return levelList.isEmpty() ? 0 : levelList.last().cumulativeHeight;
}

int TiledIndexedImage::area() const
{
    return levelList.isEmpty() ? 0 : levelList.last().cumulativeArea;
}

QImage TiledIndexedImage::render() const
{
    if (levelList.isEmpty())
        return QImage();
    QImage image(width(), height(), QImage::Format_Indexed8);
    if (image.isNull())
        return image;   // too big to allocate

    // An Indexed8 picture holds at most 256 colours; indices past that cannot be stored.
    constexpr qsizetype kMaxColors = 256;
    const qsizetype colorCount = qMin(colorTable.size(), kMaxColors);
    image.setColorTable(colorTable.mid(0, colorCount));
    image.fill(0);

    const qsizetype count = qMin<qsizetype>(pixelList.size(), total);
    const int *values = pixelList.constData();
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    // Storage indices run along one row of an innermost block: one position
    // lookup per run of width(0) pixels is enough.
    const int run = levelList.first().width;
    for (qsizetype start = 0; start < count; start += run) {
        const QPoint p = positionOf(int(start));
        uchar *line = bits + p.y() * stride + p.x();
        const qsizetype end = qMin<qsizetype>(start + run, count);
        for (qsizetype n = start; n < end; ++n) {
            const int v = values[n];
            if (v >= 0 && v < colorCount)
                line[n - start] = uchar(v);
        }
    }
    return image;
}

TiledIndexedImage SpriteTiling()
{
    TiledIndexedImage tiling;
    tiling.appendLevel(8, 24);   // one strip: three 8 x 8 tiles stacked
    tiling.appendLevel(6, 2);    // six strips side by side, two rows of strips
    return tiling;
}
