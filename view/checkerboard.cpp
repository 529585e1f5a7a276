#include "view/checkerboard.h"

namespace {
const QRgb kLight = qRgb(0xf4, 0xf4, 0xf4);
const QRgb kDark = qRgb(0xcc, 0xcc, 0xcc);
} // namespace

QImage WithCheckerboard(const QImage &picture, const QImage &indices)
{
    if (picture.size() != indices.size())
        return picture;
    QImage result = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        const uchar *index = indices.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (index[x] == 0)
                out[x] = ((x / 2 + y / 2) % 2) ? kDark : kLight;
    }
    return result;
}
