#include "view/zoom.h"

#include <cmath>
#include <limits>

int ZoomedLength(int length, double zoom)
{
    const double scaled = double(length) * zoom;
    if (!(scaled > 0.0))   // also catches NaN
        return 0;
    if (scaled >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(std::trunc(scaled));
}

QSize ZoomedSize(QSize size, double zoom)
{
    return QSize(ZoomedLength(size.width(), zoom), ZoomedLength(size.height(), zoom));
}
