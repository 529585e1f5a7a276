#include "editor/state/zoomsteps.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kEpsilon = 1e-6;
constexpr double kLargest = 10.0;
constexpr double kSmallest = 0.1;
} // namespace

double ZoomedIn(double zoom)
{
    if (zoom < 1.0 - kEpsilon)
        return 1.0;
    return std::min(kLargest, std::floor(zoom + kEpsilon) + 1.0);
}

double ZoomedOut(double zoom)
{
    if (zoom <= 1.0 + kEpsilon)
        return std::max(kSmallest, std::round((zoom - 0.1) * 10.0) / 10.0);
    return std::max(1.0, std::ceil(zoom - kEpsilon) - 1.0);
}
