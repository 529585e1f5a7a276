#pragma once

#include <QPoint>

#include "view/spriteoffsets.h"

// Gives sprite (car, sprite) the offset target. With wholeCar, every sprite of
// the car moves by the same delta (target - the sprite's stored offset, taken
// before anything changes), so the others keep their place relative to it;
// the stored value counts, not what a spin box limited to -48..48 shows.
// Indices outside the table change nothing.
void MoveSpriteOffsets(SpriteOffsets &offsets, int car, int sprite, QPoint target, bool wholeCar);

// Sets every offset of one car to (0, 0); other cars keep theirs.
void ResetCarOffsets(SpriteOffsets &offsets, int car);
