#pragma once

#include <QColor>

#include "rom/cardata.h"
#include "rom/colorword.h"
#include "view/spriteoffsets.h"

// What an export draws from and an import writes into: the working sprites
// with their pending offsets, the palette selected for the exchange and the
// background colour that stands in for colour index 0. With colors set to
// ColorModel::Console, pictures are written in the console's colours (indexed
// pictures keep their indices and get console colours in their table) and
// read by matching against the candidates' console colours.
struct ExchangeData
{
    SpriteTable sprites;
    SpriteOffsets offsets;
    Palette palette;
    QColor background;
    ColorModel colors = ColorModel::Linear;
};

// The same data with the palette and the background as its colour model
// shows them, and the model Linear (the colours are final): what pictures are
// drawn with and matched against.
ExchangeData InShownColors(ExchangeData data);

// The pending offset of a sprite; (0, 0) where the offsets table has no entry.
QPoint OffsetOf(const SpriteOffsets &offsets, int car, int sprite);
// Clears the pending offset of a sprite, if the table has an entry for it.
void ClearOffset(SpriteOffsets &offsets, int car, int sprite);
