#pragma once

#include "rom/cardata.h"

// Two different, complete sets of car data for the save-crash test: whatever
// a save of one over the other leaves behind is easy to tell apart.
// variant 0 and 1 differ in every sprite, palette, characteristic and weapon.
CarData SaveCrashData(int variant);
