#include "view/samepicture.h"

#include <cstring>

bool SamePicture(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.size() != b.size() || a.format() != b.format() || a.colorTable() != b.colorTable())
        return false;
    if (a.constBits() == b.constBits())
        return true;   // the same shared data
    const qsizetype lineBytes = (qsizetype(a.width()) * a.depth() + 7) / 8;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(lineBytes)) != 0)
            return false;
    }
    return true;
}
