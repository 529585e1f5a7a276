#include "view/viewtable.h"

#include <algorithm>

const int ViewSpriteTable[kTiltRows][kRotationColumns] = {
    {-1, -1, 30, 34, 42, -1, -1, -1, 14, 18, 26, -1, -1},   // tilt -4
    {-1, -1, -1, 35, -1, -1, -1, -1, -1, 19, -1, -1, -1},   // tilt -3
    {-1, -1, 31, 36, 43, -1, -1, -1, 15, 20, 27, -1, -1},   // tilt -2
    {-1, -1, -1, 37, -1, -1, -1, -1, -1, 21, -1, -1, -1},   // tilt -1
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},            // tilt 0
    {-1, -1, -1, 38, -1, -1, -1, -1, -1, 22, -1, -1, -1},   // tilt 1
    {-1, -1, 32, 39, 44, -1, -1, -1, 16, 23, 28, -1, -1},   // tilt 2
    {-1, -1, -1, 40, -1, -1, -1, -1, -1, 24, -1, -1, -1},   // tilt 3
    {-1, -1, 33, 41, 45, -1, -1, -1, 17, 25, 29, -1, -1},   // tilt 4
};

ViewLookup FindSpriteByParameters(int rotation, int tilt)
{
    // Wrap into 0..23 also for negative steps, so that one step left of 0 is 23.
    int step = rotation % kRotationSteps;
    if (step < 0)
        step += kRotationSteps;
    tilt = std::clamp(tilt, kMinTilt, kMaxTilt);

    ViewLookup result;
    int column = step;
    if (step > kRotationColumns - 1) {
        column = kRotationSteps - step;
        result.mirrored = true;
    }
    result.spriteNumber = ViewSpriteTable[tilt - kMinTilt][column];
    return result;
}

ViewParameters FindParametersBySprite(int spriteNumber)
{
    for (int row = 0; row < kTiltRows; ++row)
        for (int column = 0; column < kRotationColumns; ++column)
            if (spriteNumber >= 1 && ViewSpriteTable[row][column] == spriteNumber)
                return {column, row + kMinTilt, true};
    return {};
}
