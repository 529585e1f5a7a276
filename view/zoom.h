#pragma once

#include <QImage>
#include <QList>
#include <QSize>

// Length of a picture side scaled by the zoom factor, computed in floating
// point and truncated toward zero: 48 at 1.1 gives 52, at 0.1 gives 4.
// Never negative.
int ZoomedLength(int length, double zoom);
QSize ZoomedSize(QSize size, double zoom);

// The same picture as image.scaled(size, Qt::IgnoreAspectRatio,
// Qt::FastTransformation), nearest neighbour, pixel for pixel. For 32-bit
// RGB pictures (RGB32) it copies pixels along a column and a row map taken once per
// pair of sizes from the toolkit's own scaling, so the sampling is the
// toolkit's; other formats are handed to the toolkit.
QImage ScaleNearest(const QImage &image, QSize size);

// Where ScaleNearest samples when it scales a picture of size source to size
// target: target column x shows source column columns[x], target row y source
// row rows[y]. Both maps rise monotonically. Empty maps for an empty size.
struct NearestSampling
{
    QList<int> columns;
    QList<int> rows;
};
NearestSampling NearestSamplingFor(QSize source, QSize target);
