#pragma once

#include <QByteArray>
#include <QPoint>

#include "exchange/exchangescope.h"
#include "rom/cardata.h"

// Raw sprite files hold sprites exactly as the ROM does: 1152 bytes a sprite,
// two indices a byte, high nibble first, no header; a car is 45 sprites, all
// cars 225.

// The bytes of a sprite as a save would write it: moved by its pending offset
// (x right, y up), what leaves the frame dropped, what it uncovers 0.
QByteArray RawSpriteBytes(const SpritePixels &pixels, QPoint offset);

// Whether a table read from one raw file (ReadSprites) is exactly what a
// one-file import of the scope needs: one sprite (a file of exactly 1152
// bytes), one car of 45 sprites (exactly 51 840 bytes) or five cars of 45
// (at least 259 200 bytes; the reader stops there).
bool RawTableFits(const SpriteTable &table, ExchangeScope scope);

// Whether a table read from one file of a numbered set starts with a complete
// sprite (the file holds at least 1152 bytes; the rest is ignored).
bool RawTableHasFirstSprite(const SpriteTable &table);
