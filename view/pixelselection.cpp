#include "view/pixelselection.h"

#include "view/spriteoffsets.h"

#include <algorithm>

namespace {

const QRect kFrame(0, 0, kSpriteSide, kSpriteSide);

// Storage index of the stored pixel behind shown frame pixel shown, -1 where
// there is none (outside the frame, background moved in, past a short sprite).
int StorageIndexOf(const SpritePixels &pixels, QPoint shown, const SpriteViewMapping &mapping)
{
    const std::optional<QPoint> stored = StoredPixelOf(shown, mapping.mirrored, mapping.offset);
    if (!stored)
        return -1;
    const int n = SpritePixelIndex(stored->x(), stored->y());
    return n >= 0 && n < pixels.size() ? n : -1;
}

} // namespace

int PixelPiece::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return kNotInPiece;
    const qsizetype n = qsizetype(y) * width + x;
    return n < indices.size() ? indices.at(n) : kNotInPiece;
}

QRect FrameRectBetween(QPoint from, QPoint to)
{
    return ClipToFrame(QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                             QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y()))));
}

QRect ClipToFrame(const QRect &rect)
{
    const QRect clipped = rect.normalized() & kFrame;
    return clipped.isValid() ? clipped : QRect();
}

PixelPiece LiftPiece(const SpritePixels &pixels, const QRect &rect, const SpriteViewMapping &mapping)
{
    const QRect area = ClipToFrame(rect);
    PixelPiece piece;
    if (area.isEmpty())
        return piece;
    piece.width = area.width();
    piece.height = area.height();
    piece.origin = area.topLeft();
    piece.indices.reserve(qsizetype(piece.width) * piece.height);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int n = StorageIndexOf(pixels, {x, y}, mapping);
            piece.indices.append(n < 0 ? PixelPiece::kNotInPiece : pixels.at(n));
        }
    return piece;
}

PixelChanges PlaceChanges(const SpritePixels &pixels, const PixelPiece &piece, QPoint topLeft,
                          const SpriteViewMapping &mapping, bool zeroTransparent)
{
    PixelChanges changes;
    const QRect area = ClipToFrame(QRect(topLeft, piece.size()));
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int index = piece.at(x - topLeft.x(), y - topLeft.y());
            if (index < 0 || index >= kColorsPerPalette || (zeroTransparent && index == 0))
                continue;
            const int n = StorageIndexOf(pixels, {x, y}, mapping);
            if (n >= 0 && pixels.at(n) != index)
                changes.append({n, pixels.at(n), index});
        }
    return changes;
}

PixelChanges ClearChanges(const SpritePixels &pixels, const QRect &rect, const SpriteViewMapping &mapping, int index)
{
    const QRect area = ClipToFrame(rect);
    if (area.isEmpty())
        return {};
    return PlaceChanges(pixels, FilledPiece(area.width(), area.height(), index), area.topLeft(), mapping);
}

PixelPiece FlippedHorizontally(const PixelPiece &piece)
{
    PixelPiece flipped = piece;
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x)
            flipped.indices[qsizetype(y) * piece.width + x] = piece.at(piece.width - 1 - x, y);
    return flipped;
}

PixelPiece FlippedVertically(const PixelPiece &piece)
{
    PixelPiece flipped = piece;
    for (int y = 0; y < piece.height; ++y)
        for (int x = 0; x < piece.width; ++x)
            flipped.indices[qsizetype(y) * piece.width + x] = piece.at(x, piece.height - 1 - y);
    return flipped;
}

PixelPiece FilledPiece(int width, int height, int index)
{
    if (width <= 0 || height <= 0)
        return {};
    return {width, height, QList<int>(qsizetype(width) * height, index), {}};
}
