#pragma once

#include "rom/cardata.h"

// The commands on the three editable colours (entries 1, 2, 3) of a palette.
// A palette too short to hold them is left as it is.

// Exchanges entries 1 and 2.
void SwapPaletteColors(Palette &palette);
// Moves entries 1, 2 up by one and entry 3 round to entry 1: A, B, C -> C, A, B.
void ShiftPaletteColors(Palette &palette);
// Puts back the whole palette at index from the start-up copy; the other
// palettes are not touched. An index missing from either table changes nothing.
void RestorePaletteFrom(PaletteTable &palettes, const PaletteTable &original, int index);
