#pragma once

// A small cartridge image for the view tests, written into a temporary folder.

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "common/romfiles.h"
#include "common/testrom.h"
#include "rom/romwriter.h"
#include "view/spriteoffsets.h"

// Sprites that tell car and sprite apart, on the LevelGridPalettes.
inline CarData ViewTestData()
{
    CarData data;
    data.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0)));
    for (int car = 0; car < kCarCount; ++car) {
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            // Each sprite: a block whose index and place tell car and sprite apart.
            SpritePixels &pixels = data.sprites[car][sprite];
            const int index = 1 + (car + sprite) % 15;
            for (int y = 10; y < 20; ++y)
                for (int x = sprite; x < sprite + 3; ++x)
                    pixels[SpritePixelIndex(x, y)] = index;
        }
    }
    data.palettes = LevelGridPalettes();
    return NormalizeCarData(data);
}

// Writes the test data as a ROM image at path.
inline bool WriteViewTestRom(const QString &path, const CarData &data = ViewTestData())
{
    return WriteRom(path, data);
}

// Colour of the pixmap shown by a label at picture position (x, y).
inline QRgb PixmapPixel(const QPixmap &pixmap, int x, int y)
{
    return pixmap.toImage().pixel(x, y) | 0xff000000u;
}
