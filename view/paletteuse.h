#pragma once

#include <array>

#include <QLine>
#include <QList>
#include <QPoint>
#include <QString>

#include "rom/cardata.h"

// How the colour indices of a palette are used by the sprites: the numbers
// behind the drawing index strip's counts and tooltips, and the outline that
// shows where one index lies in the view.

// Pixels of each index 0..15; values outside that range are not counted.
using IndexCounts = std::array<int, kColorsPerPalette>;

// The stored pixels of one sprite.
IndexCounts CountIndices(const SpritePixels &pixels);
// The stored pixels of every sprite of a car.
IndexCounts CountCarIndices(const QList<SpritePixels> &car);

struct PaletteUse
{
    IndexCounts sprite{};   // the sprite on show
    IndexCounts car{};      // its car
    // For each index, the other cars (0-based, rising) that use it in no sprite.
    std::array<QList<int>, kColorsPerPalette> unusedInCars;
};

// The use of every index by sprite `sprite` of car `car` (0-based) and by the
// cars of the table. A sprite or car the table lacks counts nothing.
PaletteUse CountPaletteUse(const SpriteTable &sprites, int car, int sprite);
// The same from counts made before: `cars` holds CountCarIndices of every car
// of the table, `sprite` the counts of the sprite on show. Counting a whole car
// costs 45 sprites; a change of the sprite on show needs only its own counts.
PaletteUse PaletteUseOf(const QList<IndexCounts> &cars, int car, const IndexCounts &sprite);

// The tooltip of a swatch: "index 7: 112 pixels in this sprite, 4,310 in this
// car, unused in car 5" ("1 pixel", "unused in cars 2 and 5", "unused in cars
// 1, 2 and 5"; the last part only when another car does not use the index).
QString PaletteUseText(const PaletteUse &use, int index);

// The outline of the pixels showing index `index` in the view's 48 x 48
// square (the sprite moved by offset, then mirrored, as ComposeSpriteImage
// draws it): one unit segment along every pixel edge that separates such a
// pixel from one that is not (or from the square's border), in pixel-corner
// coordinates (0..48), horizontal ones first. Empty when no pixel shows it.
// For index 0, what a moved sprite uncovers counts too: it looks the same.
QList<QLine> IndexOutline(const SpritePixels *pixels, int index, QPoint offset, bool mirrored);
