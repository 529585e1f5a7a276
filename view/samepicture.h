#pragma once

#include <QImage>

// Whether two pictures have the same size, format and pixel bytes. A cheap
// check before handing a new picture to the screen: redrawing an unchanged
// picture costs a repaint, comparing it a memory compare.
bool SamePicture(const QImage &a, const QImage &b);
