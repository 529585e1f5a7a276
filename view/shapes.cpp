#include "view/shapes.h"

#include <algorithm>
#include <cstdlib>

#include "view/spriteoffsets.h"

namespace {

// Shapes far outside the 48-pixel frame are cut to this box first: a bogus
// coordinate must not make a shape of billions of pixels.
constexpr int kLimit = 256;

QPoint Clamped(QPoint p)
{
    return QPoint(std::clamp(p.x(), -kLimit, kLimit), std::clamp(p.y(), -kLimit, kLimit));
}

bool RowFirst(QPoint a, QPoint b)
{
    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
}

// Sorted by row, then column, each once.
QList<QPoint> Ordered(QList<QPoint> pixels)
{
    std::sort(pixels.begin(), pixels.end(), RowFirst);
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

// Every pixel between the first and the last of each row (pixels ordered by row).
QList<QPoint> FilledRows(const QList<QPoint> &outline)
{
    QList<QPoint> filled;
    for (qsizetype i = 0; i < outline.size();) {
        qsizetype j = i;
        while (j + 1 < outline.size() && outline.at(j + 1).y() == outline.at(i).y())
            ++j;
        for (int x = outline.at(i).x(); x <= outline.at(j).x(); ++x)
            filled.append(QPoint(x, outline.at(i).y()));
        i = j + 1;
    }
    return filled;
}

int Sign(int v)
{
    return v < 0 ? -1 : 1;
}

} // namespace

QList<QPoint> RectanglePixels(QPoint a, QPoint b, bool filled)
{
    a = Clamped(a);
    b = Clamped(b);
    const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
    const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
    QList<QPoint> pixels;
    for (int y = top; y <= bottom; ++y) {
        if (filled || y == top || y == bottom) {
            for (int x = left; x <= right; ++x)
                pixels.append(QPoint(x, y));
        } else {
            pixels.append(QPoint(left, y));
            if (right != left)
                pixels.append(QPoint(right, y));
        }
    }
    return pixels;
}

QList<QPoint> EllipsePixels(QPoint a, QPoint b, bool filled)
{
    a = Clamped(a);
    b = Clamped(b);
    // The integer ellipse in a rectangle after A. Zingl, "A Rasterizing
    // Algorithm for Drawing Curves" (2012): the error of the implicit
    // equation decides each step, one quadrant traced and drawn four times;
    // the diameters' parity places the centre between pixels where needed.
    int x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
    int y0 = std::min(a.y(), b.y()), y1 = std::max(a.y(), b.y());
    const qint64 width = x1 - x0, height = y1 - y0;
    qint64 oddHeight = height & 1;
    qint64 dx = 4 * (1 - width) * height * height, dy = 4 * (oddHeight + 1) * width * width;
    qint64 err = dx + dy + oddHeight * width * width;
    y0 += int((height + 1) / 2);
    y1 = y0 - int(oddHeight);
    const qint64 stepX = 8 * height * height, stepY = 8 * width * width;

    QList<QPoint> outline;
    do {
        outline.append({QPoint(x1, y0), QPoint(x0, y0), QPoint(x0, y1), QPoint(x1, y1)});
        const qint64 twice = 2 * err;
        if (twice <= dy) {
            ++y0;
            --y1;
            err += dy += stepY;
        }
        if (twice >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            err += dx += stepX;
        }
    } while (x0 <= x1);
    // A flat ellipse (width 1) stops early: its tips are finished here.
    while (y0 - y1 <= height) {
        outline.append({QPoint(x0 - 1, y0), QPoint(x1 + 1, y0), QPoint(x0 - 1, y1), QPoint(x1 + 1, y1)});
        ++y0;
        --y1;
    }
    outline = Ordered(outline);
    return filled ? FilledRows(outline) : outline;
}

QList<QPoint> ShapePixels(ShapeKind kind, QPoint a, QPoint b, bool filled)
{
    switch (kind) {
    case ShapeKind::Line: return LinePixels(a, b);
    case ShapeKind::Rectangle: return RectanglePixels(a, b, filled);
    case ShapeKind::Ellipse: return EllipsePixels(a, b, filled);
    }
    return {};
}

QPoint ConstrainedEnd(ShapeKind kind, QPoint from, QPoint to)
{
    const QPoint d = Clamped(to) - Clamped(from);
    const int ax = std::abs(d.x()), ay = std::abs(d.y());
    const int side = std::max(ax, ay);
    if (kind != ShapeKind::Line)
        return from + QPoint(Sign(d.x()) * side, Sign(d.y()) * side);
    // Nearer the axis than 22.5 degrees: along it. tan 22.5 = sqrt 2 - 1, so
    // ay < (sqrt 2 - 1) ax exactly when (ax + ay)^2 < 2 ax^2.
    const qint64 sum = qint64(ax) + ay;
    if (sum * sum < 2 * qint64(ax) * ax)
        return from + QPoint(d.x(), 0);
    if (sum * sum < 2 * qint64(ay) * ay)
        return from + QPoint(0, d.y());
    return from + QPoint(Sign(d.x()) * side, Sign(d.y()) * side);
}

QList<QPoint> WithMirrorImage(const QList<QPoint> &pixels)
{
    QList<QPoint> result = pixels;
    result.reserve(2 * pixels.size());
    for (const QPoint &p : pixels)
        result.append(QPoint(MirroredColumn(p.x()), p.y()));
    // Each once, the first naming kept: a pixel on its own mirror image is not
    // named twice.
    QList<QPoint> unique;
    unique.reserve(result.size());
    bool seen[kPixelsPerSprite] = {};
    for (const QPoint &p : result) {
        if (p.x() < 0 || p.x() >= kSpriteSide || p.y() < 0 || p.y() >= kSpriteSide)
            continue;
        bool &mark = seen[p.y() * kSpriteSide + p.x()];
        if (mark)
            continue;
        mark = true;
        unique.append(p);
    }
    return unique;
}

PixelChanges PaintChanges(const SpritePixels &pixels, const QList<QPoint> &positions, int index)
{
    PixelChanges changes;
    bool seen[kPixelsPerSprite] = {};
    for (const QPoint &p : positions) {
        if (p.x() < 0 || p.x() >= kSpriteSide || p.y() < 0 || p.y() >= kSpriteSide)
            continue;
        const int n = SpritePixelIndex(p.x(), p.y());
        if (n < 0 || n >= pixels.size() || seen[n])
            continue;
        seen[n] = true;
        if (pixels.at(n) != index)
            changes.append({n, pixels.at(n), index});
    }
    return changes;
}

PixelChanges ReplacedChanges(const PixelChanges &shown, const PixelChanges &next)
{
    PixelChanges changes;
    changes.reserve(shown.size() + next.size());
    for (auto it = shown.crbegin(); it != shown.crend(); ++it)
        changes.append({it->index, it->after, it->before});
    changes += next;
    return changes;
}
