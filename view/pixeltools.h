#pragma once

#include <optional>

#include <QList>
#include <QPoint>
#include <QPointF>

#include "rom/cardata.h"

// Drawing on a sprite, without widgets. Pixels are addressed by their frame
// position (x right, y down, 0..47) in the stored sprite; SpritePixelIndex and
// SpritePixelPosition (view/spriteoffsets.h) convert to and from the strip
// order of SpritePixels. The tools never modify a sprite: they return what
// would change, which ApplyPixelChanges writes and RevertPixelChanges takes
// back; PixelStroke sums a stroke's changes, which its undo step keeps.

// One changed pixel: storage index (strip order) and its colour index before
// and after.
struct PixelChange
{
    int index = -1;
    int before = 0;
    int after = 0;

    friend bool operator==(const PixelChange &, const PixelChange &) = default;
};
using PixelChanges = QList<PixelChange>;

// How the view shows a sprite: the stored sprite drawn displaced by offset
// (x right, y up), then mirrored (x -> 47 - x), then zoomed to
// ZoomedSize(48 x 48, zoom) with ScaleNearest's sample positions.
struct SpriteViewMapping
{
    double zoom = 1.0;
    bool mirrored = false;
    QPoint offset;
};

// Frame pixel as shown (0..47) under position (x right, y down) in the zoomed
// picture, its top-left corner at (0, 0); none outside the zoomed picture.
std::optional<QPoint> ShownPixelAt(QPointF position, double zoom);
// Stored pixel that shows at frame pixel shown; none outside the frame and
// where the frame shows background only because the offset moved the sprite away.
std::optional<QPoint> StoredPixelOf(QPoint shown, bool mirrored, QPoint offset);
// Frame pixel where stored pixel stored shows; none when it is moved out of the frame.
std::optional<QPoint> ShownPixelOf(QPoint stored, bool mirrored, QPoint offset);
// Both steps: the stored pixel under a position in the zoomed picture.
std::optional<QPoint> StoredPixelAt(QPointF position, const SpriteViewMapping &mapping);

// The pixels of a straight line from one pixel to another (Bresenham), both
// ends included, in order from `from` to `to`.
QList<QPoint> LinePixels(QPoint from, QPoint to);

// Setting the pixels on the line from..to (stored positions, see LinePixels)
// to colour index: one change per pixel that has another index, in line order.
// Positions outside the frame or beyond the end of a short sprite are skipped.
PixelChanges LineChanges(const SpritePixels &pixels, QPoint from, QPoint to, int index);
// One pixel, as LineChanges(pixels, at, at, index).
PixelChanges PointChanges(const SpritePixels &pixels, QPoint at, int index);

// Replacing the 4-connected area of at's colour index that contains at with
// colour index: one change per pixel of the area, none when at lies outside
// the frame (or the sprite) or already has index.
PixelChanges FillChanges(const SpritePixels &pixels, QPoint at, int index);

// Colour index of the stored pixel at, none outside the frame or the sprite.
std::optional<int> PixelIndexAt(const SpritePixels &pixels, QPoint at);

// Writes the after values, in order. Changes beyond the sprite are skipped.
void ApplyPixelChanges(SpritePixels &pixels, const PixelChanges &changes);
// Writes the before values, last change first: takes ApplyPixelChanges back.
void RevertPixelChanges(SpritePixels &pixels, const PixelChanges &changes);

// The net changes of one stroke made of many segments: each pixel once, with
// its index before the first segment and after the last, ordered by storage
// index; pixels that ended where they started are left out, so a stroke that
// changed nothing has no changes.
class PixelStroke
{
public:
    PixelStroke();

    void add(const PixelChanges &changes);
    PixelChanges changes() const;
    // No pixel touched since the start (or the last clear).
    bool isEmpty() const { return touched.isEmpty(); }
    void clear();

private:
    QList<bool> isTouched;    // per storage index
    QList<int> firstBefore;
    QList<int> lastAfter;
    QList<int> touched;       // storage indices in the order first touched
};
