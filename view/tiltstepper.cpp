#include "view/tiltstepper.h"

#include <algorithm>

int StepTiltValue(int value, int minimum, int maximum, bool &rising)
{
    if (rising) {
        if (value == maximum)
            rising = false;
    } else if (value == minimum) {
        rising = true;
    }
    // A spin box stops at its bounds, so the step never leaves them.
    return std::clamp(rising ? value + 1 : value - 1, minimum, std::max(minimum, maximum));
}
