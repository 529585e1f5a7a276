#include "savecrashdata.h"

#include "rom/colorword.h"

CarData SaveCrashData(int variant)
{
    CarData data;
    for (int car = 0; car < kCarCount; ++car) {
        QList<SpritePixels> sprites;
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            SpritePixels pixels(kPixelsPerSprite);
            for (int n = 0; n < kPixelsPerSprite; ++n)
                pixels[n] = (n + 3 * sprite + 7 * car + 5 * variant) & 0x0F;
            sprites.append(pixels);
        }
        data.sprites.append(sprites);
        data.characteristics.append(QByteArray(kCharacteristicCount, char(10 * car + 100 * variant + 1)));
        data.weapons.append(QByteArray(kWeaponSlotCount, char(car + 8 * variant)));
    }
    for (int p = 0; p < kRomPaletteCount; ++p) {
        Palette palette;
        for (int i = 0; i < kColorsPerPalette; ++i) {
            const int level = (i + p + variant) & 7;
            palette.append(ColorFromWord(static_cast<unsigned char>(level << 1),
                                         static_cast<unsigned char>((level << 5) | ((7 - level) << 1))));
        }
        data.palettes.append(palette);
    }
    return data;
}
