#pragma once

#include <QList>
#include <QPoint>

#include "rom/cardata.h"

// Pending offset of every sprite, [car][sprite]; x counts right, y counts up.
using SpriteOffsets = QList<QList<QPoint>>;

// One (0, 0) per sprite of every car of the table.
SpriteOffsets ZeroOffsetsFor(const SpriteTable &sprites);

// Frame position of storage index n (strip order), (-1, -1) outside 0..2303.
QPoint SpritePixelPosition(int n);
// Storage index of frame position (x, y), -1 outside the 48 x 48 frame.
int SpritePixelIndex(int x, int y);

// Moves every pixel of a 2304-index sprite by (dx, dy), dy counting down
// (screen direction); pixels leaving the frame are dropped, uncovered ones are 0.
// A stored offset (x, y) is applied as ShiftSpritePixels(pixels, x, -y).
// The result has as many entries as the input; a short input is read as if
// padded with 0, and entries beyond 2304 come out as 0.
SpritePixels ShiftSpritePixels(const SpritePixels &pixels, int dx, int dy);

// Bakes every pending offset into its sprite's pixels and sets every offset
// back to (0, 0): what the view showed is now in the pixels, what lay outside
// the frame is lost. Afterwards offsets has one (0, 0) per sprite of sprites,
// whatever shape it had before; a missing offset counts as (0, 0).
void ApplySpriteOffsets(SpriteTable &sprites, SpriteOffsets &offsets);
