#pragma once

#include <QImage>

#include "rom/cardata.h"

// One car's views as the editor's car sheet lays them out: a row per tilt
// step (-4 at the top) and a column per rotation step, 48 x 48 pixels a cell;
// with allTurns the 24 steps of a full turn (the last 11 mirrored), otherwise
// the 13 columns of the sheet. Cells without a view show the background.
QImage CarSheet(const QList<SpritePixels> &car, const Palette &palette, const QColor &background, bool allTurns);

// The five car sheets one under the other, each car in a palette of its own,
// scaled up by `scale` (nearest neighbour).
QImage PreviewSheets(const CarData &data, int scale, bool allTurns);

// Frame area the car covers over all its views: the smallest and largest
// column and row with a non-zero index; an empty rectangle for empty sprites.
struct Coverage
{
    int left = kSpriteSide, top = kSpriteSide, right = -1, bottom = -1;
};
Coverage CarCoverage(const QList<SpritePixels> &car);
