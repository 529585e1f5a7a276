#include "rom/cardata.h"

namespace {

template <typename List, typename Fill>
void resizeList(List &list, qsizetype size, const Fill &fill)
{
    while (list.size() < size)
        list.append(fill);
    while (list.size() > size)
        list.removeLast();
}

void normalizeBytes(QList<QByteArray> &table, int strings, int bytes)
{
    for (int k = 0; k < strings; ++k) {
        if (table.size() <= k)
            table.append(QByteArray());
        QByteArray &row = table[k];
        if (row.size() < bytes)
            row.append(QByteArray(bytes - row.size(), '\0'));
        row.truncate(bytes);
    }
    resizeList(table, strings, QByteArray());
}

} // namespace

CarData NormalizeCarData(CarData data)
{
    SpriteTable &sprites = data.sprites;
    for (int car = 0; car < kCarCount; ++car) {
        if (sprites.size() <= car)
            sprites.append(QList<SpritePixels>());
        QList<SpritePixels> &carSprites = sprites[car];
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            if (carSprites.size() <= sprite)
                carSprites.append(SpritePixels());
            resizeList(carSprites[sprite], kPixelsPerSprite, 0);
        }
        resizeList(carSprites, kSpritesPerCar, SpritePixels());
    }
    resizeList(sprites, kCarCount, QList<SpritePixels>());

    PaletteTable &palettes = data.palettes;
    const QColor black(0, 0, 0);
    for (int p = 0; p < kRomPaletteCount; ++p) {
        if (palettes.size() <= p)
            palettes.append(Palette());
        resizeList(palettes[p], kColorsPerPalette, black);
    }
    resizeList(palettes, kRomPaletteCount, Palette());

    normalizeBytes(data.characteristics, kCarCount, kCharacteristicCount);
    normalizeBytes(data.weapons, kCarCount, kWeaponSlotCount);
    return data;
}
