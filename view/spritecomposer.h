#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRgb>

#include "rom/cardata.h"
#include "rom/colorword.h"

// One sprite as the view shows it: a 48 x 48 RGB888 picture filled with the
// background colour; colour index 0 shows the background, indices 1..15 the
// palette entries (4 and 5 exchanged when wheelsTurned); the sprite is drawn
// displaced by offset (x right, y up), then mirrored horizontally if asked.
// A null pixels pointer gives a plain background square (no mirroring).
// Under ColorModel::Console every colour, the background included, is shown
// through the console levels (ShownColor).
QImage ComposeSpriteImage(const SpritePixels *pixels, const Palette &palette, const QColor &background,
                          QPoint offset, bool mirrored, bool wheelsTurned,
                          ColorModel colors = ColorModel::Linear);

// The colour-table slot (0..15) of every pixel of that picture, as an 8-bit
// picture without a colour table: the stored indices moved and mirrored the
// same way, 0 where the sprite does not reach; with wheelsTurned, 4 and 5
// exchanged. Looked up in SpriteColorTable(palette, background, false) it
// gives ComposeSpriteImage's colours.
QImage ComposeSpriteSlots(const SpritePixels *pixels, QPoint offset, bool mirrored, bool wheelsTurned);

// A slot picture (as ComposeSpriteSlots) looked up in table (as
// SpriteColorTable): the same colours as ComposeSpriteImage, as RGB32.
// Slots past the table show opaque black.
QImage ComposeSlotColors(const QImage &slotPicture, const QList<QRgb> &table);

// The 16 opaque colours a sprite is shown with: index 0 the background (palette
// entry 0 is never shown), 1..15 the palette entries, 4 and 5 exchanged when
// wheelsTurned. Entries missing from a short palette show opaque black.
QList<QRgb> SpriteColorTable(const Palette &palette, const QColor &background, bool wheelsTurned,
                             ColorModel colors = ColorModel::Linear);
