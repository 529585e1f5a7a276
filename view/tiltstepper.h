#pragma once

// One step of the automatic tilt: up while rising, down otherwise; at the
// maximum the direction turns to falling and at the minimum to rising, the
// step going the new way. Returns the new value; rising is updated in place.
// From 0, rising: 1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -3, ...
int StepTiltValue(int value, int minimum, int maximum, bool &rising);
