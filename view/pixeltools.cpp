#include "view/pixeltools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "view/spriteoffsets.h"
#include "view/zoom.h"

namespace {

bool InFrame(QPoint p)
{
    return p.x() >= 0 && p.x() < kSpriteSide && p.y() >= 0 && p.y() < kSpriteSide;
}

// The displacement the composer draws with: x right, y down, clamped as there.
QPoint ScreenShift(QPoint offset)
{
    return QPoint(std::clamp(offset.x(), -kSpriteSide, kSpriteSide), -std::clamp(offset.y(), -kSpriteSide, kSpriteSide));
}

// Storage index of a stored position inside a sprite of the given length, -1 if none.
int IndexIn(const SpritePixels &pixels, QPoint at)
{
    const int n = SpritePixelIndex(at.x(), at.y());
    return (n >= 0 && n < pixels.size()) ? n : -1;
}

} // namespace

std::optional<QPoint> ShownPixelAt(QPointF position, double zoom)
{
    const QSize frame(kSpriteSide, kSpriteSide);
    const QSize size = ZoomedSize(frame, zoom);
    if (size.isEmpty() || !(position.x() >= 0.0) || !(position.y() >= 0.0))
        return std::nullopt;   // also NaN
    const double fx = std::floor(position.x()), fy = std::floor(position.y());
    if (fx >= size.width() || fy >= size.height())
        return std::nullopt;
    const NearestSampling sampling = NearestSamplingFor(frame, size);
    return QPoint(sampling.columns.at(int(fx)), sampling.rows.at(int(fy)));
}

std::optional<QPoint> StoredPixelOf(QPoint shown, bool mirrored, QPoint offset)
{
    if (!InFrame(shown))
        return std::nullopt;
    const QPoint drawn(mirrored ? kSpriteSide - 1 - shown.x() : shown.x(), shown.y());
    const QPoint stored = drawn - ScreenShift(offset);
    if (!InFrame(stored))
        return std::nullopt;
    return stored;
}

std::optional<QPoint> ShownPixelOf(QPoint stored, bool mirrored, QPoint offset)
{
    if (!InFrame(stored))
        return std::nullopt;
    const QPoint drawn = stored + ScreenShift(offset);
    if (!InFrame(drawn))
        return std::nullopt;
    return QPoint(mirrored ? kSpriteSide - 1 - drawn.x() : drawn.x(), drawn.y());
}

std::optional<QPoint> StoredPixelAt(QPointF position, const SpriteViewMapping &mapping)
{
    const std::optional<QPoint> shown = ShownPixelAt(position, mapping.zoom);
    if (!shown)
        return std::nullopt;
    return StoredPixelOf(*shown, mapping.mirrored, mapping.offset);
}

QList<QPoint> LinePixels(QPoint from, QPoint to)
{
    // Integer Bresenham over all octants; the error term decides each step.
    // Far-apart ends are clamped first: the frame is small and a bogus
    // coordinate must not make a line of billions of pixels.
    static constexpr int kLimit = 1 << 16;
    const auto clampPoint = [](QPoint p) {
        return QPoint(std::clamp(p.x(), -kLimit, kLimit), std::clamp(p.y(), -kLimit, kLimit));
    };
    from = clampPoint(from);
    to = clampPoint(to);

    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    QList<QPoint> line;
    line.reserve(std::max(dx, -dy) + 1);
    int x = from.x(), y = from.y();
    int error = dx + dy;
    for (;;) {
        line.append(QPoint(x, y));
        if (x == to.x() && y == to.y())
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    return line;
}

PixelChanges LineChanges(const SpritePixels &pixels, QPoint from, QPoint to, int index)
{
    PixelChanges changes;
    for (const QPoint &p : LinePixels(from, to)) {
        const int n = IndexIn(pixels, p);
        if (n >= 0 && pixels.at(n) != index)
            changes.append({n, pixels.at(n), index});
    }
    // A Bresenham line never visits a pixel twice, so no duplicates.
    return changes;
}

PixelChanges PointChanges(const SpritePixels &pixels, QPoint at, int index)
{
    return LineChanges(pixels, at, at, index);
}

PixelChanges FillChanges(const SpritePixels &pixels, QPoint at, int index)
{
    PixelChanges changes;
    const int start = IndexIn(pixels, at);
    if (start < 0)
        return changes;
    const int target = pixels.at(start);
    if (target == index)
        return changes;

    changes.reserve(kPixelsPerSprite);
    // Depth-first over frame positions (y * 48 + x); every pixel is pushed once.
    bool seen[kPixelsPerSprite] = {};
    int stack[kPixelsPerSprite];
    int top = 0;
    stack[top++] = at.y() * kSpriteSide + at.x();
    seen[stack[0]] = true;
    while (top > 0) {
        const int cell = stack[--top];
        const int x = cell % kSpriteSide, y = cell / kSpriteSide;
        const int n = SpritePixelIndex(x, y);
        changes.append({n, target, index});
        const auto visit = [&](int nx, int ny) {
            if (nx < 0 || nx >= kSpriteSide || ny < 0 || ny >= kSpriteSide)
                return;
            const int next = ny * kSpriteSide + nx;
            if (seen[next])
                return;
            const int m = SpritePixelIndex(nx, ny);
            if (m >= pixels.size() || pixels.at(m) != target)
                return;
            seen[next] = true;
            stack[top++] = next;
        };
        visit(x + 1, y);
        visit(x - 1, y);
        visit(x, y + 1);
        visit(x, y - 1);
    }
    return changes;
}

std::optional<int> PixelIndexAt(const SpritePixels &pixels, QPoint at)
{
    const int n = IndexIn(pixels, at);
    if (n < 0)
        return std::nullopt;
    return pixels.at(n);
}

void ApplyPixelChanges(SpritePixels &pixels, const PixelChanges &changes)
{
    for (const PixelChange &change : changes)
        if (change.index >= 0 && change.index < pixels.size())
            pixels[change.index] = change.after;
}

void RevertPixelChanges(SpritePixels &pixels, const PixelChanges &changes)
{
    for (auto it = changes.crbegin(); it != changes.crend(); ++it)
        if (it->index >= 0 && it->index < pixels.size())
            pixels[it->index] = it->before;
}

PixelStroke::PixelStroke()
    : isTouched(kPixelsPerSprite, false), firstBefore(kPixelsPerSprite, 0), lastAfter(kPixelsPerSprite, 0)
{
}

void PixelStroke::add(const PixelChanges &changes)
{
    for (const PixelChange &change : changes) {
        if (change.index < 0 || change.index >= kPixelsPerSprite)
            continue;
        if (!isTouched.at(change.index)) {
            isTouched[change.index] = true;
            firstBefore[change.index] = change.before;
            touched.append(change.index);
        }
        lastAfter[change.index] = change.after;
    }
}

PixelChanges PixelStroke::changes() const
{
    QList<int> order = touched;
    std::sort(order.begin(), order.end());
    PixelChanges result;
    for (int n : order)
        if (firstBefore.at(n) != lastAfter.at(n))
            result.append({n, firstBefore.at(n), lastAfter.at(n)});
    return result;
}

void PixelStroke::clear()
{
    for (int n : touched)
        isTouched[n] = false;
    touched.clear();
}
