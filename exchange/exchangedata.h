#pragma once

#include <QColor>

#include "rom/cardata.h"
#include "view/spriteoffsets.h"

// What an export draws from and an import writes into: the working sprites
// with their pending offsets, the palette selected for the exchange and the
// background colour that stands in for colour index 0.
struct ExchangeData
{
    SpriteTable sprites;
    SpriteOffsets offsets;
    Palette palette;
    QColor background;
};

// The pending offset of a sprite; (0, 0) where the offsets table has no entry.
QPoint OffsetOf(const SpriteOffsets &offsets, int car, int sprite);
// Clears the pending offset of a sprite, if the table has an entry for it.
void ClearOffset(SpriteOffsets &offsets, int car, int sprite);
