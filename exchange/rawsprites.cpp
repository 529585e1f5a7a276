#include "exchange/rawsprites.h"

#include "rom/romwriter.h"
#include "view/spriteoffsets.h"

namespace {

bool IsCompleteCar(const QList<SpritePixels> &car)
{
    if (car.size() != kSpritesPerCar)
        return false;
    for (const SpritePixels &sprite : car) {
        if (sprite.size() != kPixelsPerSprite)
            return false;
    }
    return true;
}

}  // namespace

QByteArray RawSpriteBytes(const SpritePixels &pixels, QPoint offset)
{
    SpritePixels full = pixels;
    full.resize(kPixelsPerSprite, 0);
    return PackPixels(ShiftSpritePixels(full, offset.x(), -offset.y()));
}

bool RawTableFits(const SpriteTable &table, ExchangeScope scope)
{
    switch (scope) {
    case ExchangeScope::Sprite:
        return table.size() == 1 && table[0].size() == 1 && table[0][0].size() == kPixelsPerSprite;
    case ExchangeScope::Car:
        return table.size() == 1 && IsCompleteCar(table[0]);
    case ExchangeScope::AllCars:
        if (table.size() != kCarCount)
            return false;
        for (const QList<SpritePixels> &car : table) {
            if (!IsCompleteCar(car))
                return false;
        }
        return true;
    }
    return false;
}

bool RawTableHasFirstSprite(const SpriteTable &table)
{
    return !table.isEmpty() && !table[0].isEmpty() && table[0][0].size() == kPixelsPerSprite;
}
