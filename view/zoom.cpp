#include "view/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include <QList>

namespace {

// Which source column feeds each target column, and which source row each
// target row, for one pair of sizes.
struct SampleMaps
{
    QSize source;
    QSize target;
    QList<int> columns;
    QList<int> rows;
};

// Asks the toolkit where it samples: a picture whose pixels carry their own
// coordinates, scaled, tells for every target pixel where it came from.
SampleMaps MeasureSampling(QSize source, QSize target)
{
    QImage coordinates(source, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(coordinates.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            line[x] = 0xff000000u | (QRgb(y) << 12) | QRgb(x);
    }
    const QImage scaled = coordinates.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                              .convertToFormat(QImage::Format_RGB32);

    SampleMaps maps{source, target, {}, {}};
    if (scaled.size() != target)
        return maps;
    maps.columns.resize(target.width());
    maps.rows.resize(target.height());
    const QRgb *firstRow = reinterpret_cast<const QRgb *>(scaled.constScanLine(0));
    for (int x = 0; x < target.width(); ++x)
        maps.columns[x] = int(firstRow[x] & 0xfff);
    for (int y = 0; y < target.height(); ++y)
        maps.rows[y] = int((reinterpret_cast<const QRgb *>(scaled.constScanLine(y))[0] >> 12) & 0xfff);
    return maps;
}

// Coordinates are packed 12 bits each; larger pictures go the toolkit's way.
constexpr int kMaxSide = 4096;

bool Measurable(QSize source, QSize target)
{
    return !source.isEmpty() && !target.isEmpty() && source.width() <= kMaxSide && source.height() <= kMaxSide
        && target.width() <= kMaxSide && target.height() <= kMaxSide;
}

// The view asks for the same sizes on every tick: keep the last maps.
const SampleMaps &CachedSampling(QSize source, QSize target)
{
    thread_local SampleMaps cached;
    if (cached.source != source || cached.target != target)
        cached = MeasureSampling(source, target);
    return cached;
}

} // namespace

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

QImage ScaleNearest(const QImage &image, QSize size)
{
    const bool direct = (image.format() == QImage::Format_RGB32) && !image.isNull() && Measurable(image.size(), size);
    if (!direct)
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (size == image.size())
        return image;

    const SampleMaps &cached = CachedSampling(image.size(), size);
    if (cached.columns.size() != size.width())
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);

    QImage result(size, image.format());
    if (result.isNull())
        return result;
    const int *columns = cached.columns.constData();
    const qsizetype rowBytes = qsizetype(size.width()) * 4;
    int previousSource = -1;
    const uchar *previousLine = nullptr;
    for (int y = 0; y < size.height(); ++y) {
        uchar *line = result.scanLine(y);
        const int sourceRow = cached.rows.at(y);
        if (sourceRow == previousSource) {
            std::memcpy(line, previousLine, size_t(rowBytes));   // the same source row again
        } else {
            const QRgb *source = reinterpret_cast<const QRgb *>(image.constScanLine(sourceRow));
            QRgb *target = reinterpret_cast<QRgb *>(line);
            for (int x = 0; x < size.width(); ++x)
                target[x] = source[columns[x]];
            previousSource = sourceRow;
        }
        previousLine = line;
    }
    return result;
}

NearestSampling NearestSamplingFor(QSize source, QSize target)
{
    if (source.isEmpty() || target.isEmpty())
        return {};
    if (Measurable(source, target)) {
        const SampleMaps &maps = CachedSampling(source, target);
        if (maps.columns.size() == target.width() && maps.rows.size() == target.height())
            return {maps.columns, maps.rows};
    }
    // Beyond what can be measured: the centre of each target pixel.
    const auto map = [](int from, int to) {
        QList<int> samples(to);
        for (int i = 0; i < to; ++i)
            samples[i] = std::min(from - 1, int((qint64(2 * i + 1) * from) / (qint64(2) * to)));
        return samples;
    };
    return {map(source.width(), target.width()), map(source.height(), target.height())};
}
