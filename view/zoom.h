#pragma once

#include <QSize>

// Length of a picture side scaled by the zoom factor, computed in floating
// point and truncated toward zero: 48 at 1.1 gives 52, at 0.1 gives 4.
// Never negative.
int ZoomedLength(int length, double zoom);
QSize ZoomedSize(QSize size, double zoom);
