#pragma once

#include <QString>

#include "exchange/exchangescope.h"

// File names of the one-file-per-sprite sets: "-%1-%2" (car, sprite) for all
// cars, "-%1" (sprite) for one car, nothing for one sprite; numbers 1-based,
// at least two digits. car.png, car 3, sprite 7 -> car-03-07.png.

// The name written for sprite (car, sprite), both 0-based: directory, "/",
// complete base name, number part, ".", suffix (the dot is there even when
// the chosen name has no suffix).
QString ExportFileName(const QString &chosen, ExchangeScope scope, int car, int sprite);

// The name read for sprite (car, sprite) when the user picked any one file of
// a numbered set: the picked name's own number part (the last 6 characters of
// the base for all cars, the last 3 for one car) is replaced. With one sprite
// the picked file itself is read.
QString ImportFileName(const QString &picked, ExchangeScope scope, int car, int sprite);
