#pragma once

// Small sprites for the view tests, drawn in picture coordinates.

#include <QPoint>
#include <QRect>
#include <QString>

#include "rom/cardata.h"
#include "view/spriteoffsets.h"

// A 2304-index sprite, all 0, with the given rows of hex digits (one digit a
// pixel, '.' for 0) drawn from the top-left corner at (left, top).
inline SpritePixels SpriteFromHexRows(const QStringList &rows, int left = 0, int top = 0)
{
    SpritePixels pixels(kPixelsPerSprite, 0);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c) {
            const QChar digit = rows.at(r).at(c);
            if (digit == QLatin1Char('.'))
                continue;
            pixels[SpritePixelIndex(left + c, top + r)] = QString(digit).toInt(nullptr, 16);
        }
    }
    return pixels;
}

// The sprite filled with one index inside rect (picture coordinates).
inline SpritePixels SpriteWithRect(const QRect &rect, int index)
{
    SpritePixels pixels(kPixelsPerSprite, 0);
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            pixels[SpritePixelIndex(x, y)] = index;
    return pixels;
}

// Index at picture position (x, y) of a sprite.
inline int PixelAt(const SpritePixels &pixels, int x, int y)
{
    return pixels.at(SpritePixelIndex(x, y));
}
