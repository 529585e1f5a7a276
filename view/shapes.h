#pragma once

#include <QList>
#include <QPoint>

#include "view/pixeltools.h"

// Lines and shapes drawn by dragging from one pixel to another, and the
// mirror symmetry of the drawing tools; without widgets. The shapes are
// given as the frame pixels they cover (in any coordinates: the caller
// decides whether those are the pixels as shown or as stored) and turned into
// PixelChanges by PaintChanges.

enum class ShapeKind { Line, Rectangle, Ellipse };

// The outline (or, filled, every pixel) of the rectangle with corners a and b,
// both included, row by row from the top, each pixel once.
QList<QPoint> RectanglePixels(QPoint a, QPoint b, bool filled);
// The ellipse inscribed in the rectangle with corners a and b: its outline
// touches all four sides, and rectangles of even and odd width or height
// both give an ellipse symmetric about the rectangle's middle. Filled, every
// pixel inside the outline too. Each pixel once, ordered by row, then column.
QList<QPoint> EllipsePixels(QPoint a, QPoint b, bool filled);
// The pixels of a shape from a to b: LinePixels for a line (filled is
// ignored), else as above.
QList<QPoint> ShapePixels(ShapeKind kind, QPoint a, QPoint b, bool filled);

// Where a drag from `from` to `to` ends with Shift held: a line snaps to the
// nearest multiple of 45 degrees (a diagonal as long as the drag's longer
// side), a rectangle or an ellipse becomes a square or a circle as large as
// the drag's longer side, towards the drag.
QPoint ConstrainedEnd(ShapeKind kind, QPoint from, QPoint to);

// Column x mirrored about the frame's middle (between columns 23 and 24 of
// the 48 pixels): 0 <-> 47, 23 <-> 24.
inline int MirroredColumn(int x) { return kSpriteSide - 1 - x; }
// The frame pixels among pixels and their mirror images (x -> 47 - x), each
// once, the given ones first in their order; pixels outside the frame are
// left out.
QList<QPoint> WithMirrorImage(const QList<QPoint> &pixels);

// Setting the given stored pixels to colour index: one change per pixel that
// has another index, each pixel once (the first time it is named), in order.
// Positions outside the frame or beyond the end of a short sprite are skipped.
PixelChanges PaintChanges(const SpritePixels &pixels, const QList<QPoint> &positions, int index);

// The changes that take a sprite drawn on live with `shown` (a preview) to
// `next` instead: shown taken back, then next applied, in one list that
// ApplyPixelChanges writes in order.
PixelChanges ReplacedChanges(const PixelChanges &shown, const PixelChanges &next);
