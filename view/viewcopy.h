#pragma once

#include <optional>

#include "view/pixeltools.h"

// Carrying one view of a car to another as the start of that view's drawing:
// which view is next, and what the copy changes. Without widgets.

// A view of a car and the sprite that shows it.
struct ViewStep
{
    int rotation = 0;        // 0..23
    int tilt = 0;            // -4..4
    int sprite = -1;         // 0-based index of the sprite the view shows
    bool mirrored = false;   // shown mirrored (rotations 13..23)

    friend bool operator==(const ViewStep &, const ViewStep &) = default;
};

// The next view from rotation at tilt turning one way (direction +1: the
// next rotation, -1: the previous one) that has a sprite of its own other
// than sprite (0-based): rotations wrap (23 -> 0, 0 -> 23) and views without
// a sprite are passed by, so at tilt 0 rotation 12 (sprite 13) goes to 13
// (sprite 12 mirrored), at tilt 1 rotation 3 goes to 9. None when no
// other sprite is shown at that tilt.
std::optional<ViewStep> NeighbourView(int rotation, int tilt, int sprite, int direction);

// The view across the side view (rotation 6 or 18): rotation 12 - r, tilt
// -t. A car seen there is about the view on show upside down (the front and
// the back view, the car climbing towards the top right and falling towards
// the bottom right), which the table's own symmetry mirrors. None for the
// side views themselves and where that view has no sprite of its own or
// shows the same sprite.
std::optional<ViewStep> MirroredPartnerView(int rotation, int tilt, int sprite);

// The changes to target that make it show, placed as targetPlacement says,
// what source shows placed as sourcePlacement says (mirroring and offset; the
// zoom does not matter), turned upside down when upsideDown. Where the source
// shows background (its offset moved it away, or a short sprite ends) the
// target gets index 0. Pixels of the target its offset hides are left as they
// are, and so are positions beyond the end of a short target: it keeps its
// length.
PixelChanges CopiedViewChanges(const SpritePixels &source, const SpriteViewMapping &sourcePlacement,
                               const SpritePixels &target, const SpriteViewMapping &targetPlacement,
                               bool upsideDown);
