#pragma once

#include <QImage>

// The picture with every pixel that shows index 0 (0 in indices, a picture of
// the same size holding one index per byte) drawn as a light checkerboard of
// 2 x 2 pixel squares, so that index 0 stands apart from any grey. For the
// screen only; exports keep the background colour.
QImage WithCheckerboard(const QImage &picture, const QImage &indices);
