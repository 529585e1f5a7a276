#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

// The offset (x right, y up) that centres the filled part of a composed
// sprite picture in its frame. A pixel is filled when its colour differs from
// the background colour, so colour index 0, and any palette colour equal to
// the background, count as empty. When the margins add up to an odd number the
// top and the right margin keep the extra pixel. An empty picture gives (0, 0).
QPoint CentringOffset(const QImage &picture, const QColor &background);
