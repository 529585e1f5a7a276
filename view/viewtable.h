#pragma once

// Which sprite shows a car at a given rotation step (0..23) and tilt step (-4..4).

inline constexpr int kRotationColumns = 13;   // rotation steps 0..12 have sprites of their own
inline constexpr int kTiltRows = 9;           // tilt -4..4
inline constexpr int kMinTilt = -4;
inline constexpr int kMaxTilt = 4;
inline constexpr int kRotationSteps = 24;

// [tilt + 4][column]: sprite number 1..45, or -1 where the view has no sprite.
extern const int ViewSpriteTable[kTiltRows][kRotationColumns];

struct ViewLookup
{
    int spriteNumber = -1;   // 1-based, -1 when no sprite exists for the view
    bool mirrored = false;   // steps 13..23 reuse steps 11..1 mirrored

    friend bool operator==(const ViewLookup &, const ViewLookup &) = default;
};

// rotation is taken modulo 24 (negative values wrap too); tilt is clamped to -4..4.
ViewLookup FindSpriteByParameters(int rotation, int tilt);

struct ViewParameters
{
    int rotation = 0;   // 0..12: the unmirrored step
    int tilt = 0;       // -4..4
    bool found = false; // false for numbers outside 1..45

    friend bool operator==(const ViewParameters &, const ViewParameters &) = default;
};

// The view a sprite number (1..45) is: the one cell of the table that holds
// it, read as the unmirrored rotation step and the tilt.
ViewParameters FindParametersBySprite(int spriteNumber);
