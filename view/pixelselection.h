#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include "view/pixeltools.h"

// Rectangular pieces of a sprite, without widgets: what a selection lifts,
// what the clipboard carries and what a paste places. Pieces are taken and
// placed as the view shows the sprite (its mirroring and pending offset, see
// SpriteViewMapping), so that a piece looks the same wherever it goes; frame
// positions here are shown positions (0..47, x right, y down).

// A piece: width x height colour indices row by row, each 0..15, or
// kNotInPiece where the piece has no pixel (outside the sprite it came from,
// a transparent pixel of a picture). Placing skips those.
struct PixelPiece
{
    static constexpr int kNotInPiece = -1;

    int width = 0;
    int height = 0;
    QList<int> indices;
    // Frame pixel of its top-left corner where it was taken ((0, 0) for a
    // picture): a paste starts there, so that a piece carried to the next
    // view lands where it was.
    QPoint origin;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    QSize size() const { return {width, height}; }
    // The index at (x, y) of the piece; kNotInPiece outside it.
    int at(int x, int y) const;

    friend bool operator==(const PixelPiece &, const PixelPiece &) = default;
};

// The rectangle from one frame pixel to another (either corner first), both
// included, clipped to the 48 x 48 frame; empty when nothing of it is inside.
QRect FrameRectBetween(QPoint from, QPoint to);
// A rectangle clipped to the frame.
QRect ClipToFrame(const QRect &rect);

// The shown pixels of rect (clipped to the frame) as a piece of the clipped
// size, its origin the clipped rectangle's top-left corner: pixels where the offset shows background, or beyond the end of a
// short sprite, are not in it.
PixelPiece LiftPiece(const SpritePixels &pixels, const QRect &rect, const SpriteViewMapping &mapping);

// Placing a piece with its top-left corner at frame pixel topLeft: one
// change per pixel that gets another index. Parts of the piece outside the
// frame, over background moved in by the offset or beyond the end of a short
// sprite are dropped, as are its kNotInPiece pixels, and with
// zeroTransparent its index 0 pixels (the sprite shows through them).
PixelChanges PlaceChanges(const SpritePixels &pixels, const PixelPiece &piece, QPoint topLeft,
                          const SpriteViewMapping &mapping, bool zeroTransparent = false);

// Setting every shown pixel of rect to index (0: the background), as Delete does.
PixelChanges ClearChanges(const SpritePixels &pixels, const QRect &rect, const SpriteViewMapping &mapping,
                          int index = 0);

// The piece mirrored left to right, or top to bottom.
PixelPiece FlippedHorizontally(const PixelPiece &piece);
PixelPiece FlippedVertically(const PixelPiece &piece);

// A piece of width x height of index everywhere.
PixelPiece FilledPiece(int width, int height, int index);
