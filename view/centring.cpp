#include "view/centring.h"

QPoint CentringOffset(const QImage &picture, const QColor &background)
{
    const QImage image = picture.format() == QImage::Format_RGB32 ? picture
                                                                  : picture.convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return QPoint(0, 0);

    const QRgb empty = background.rgb() & RGB_MASK;
    int minX = image.width(), maxX = -1, minY = image.height(), maxY = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == empty)
                continue;
            minX = qMin(minX, x);
            maxX = qMax(maxX, x);
            minY = qMin(minY, y);
            maxY = qMax(maxY, y);
        }
    }
    if (maxX < 0)
        return QPoint(0, 0);

    const int top = minY;
    const int bottom = image.height() - 1 - maxY;
    const int left = minX;
    const int right = image.width() - 1 - maxX;
    return QPoint((left + right) / 2 - left, (top + bottom) / 2 - bottom);
}
