#include "document/shownsprite.h"

#include "document/cardocument.h"
#include "view/spritecomposer.h"

QPoint PendingOffset(const CarDocument &document, int car, int sprite)
{
    const SpriteOffsets &offsets = document.offsets();
    if (car < 0 || car >= offsets.size() || sprite < 0 || sprite >= offsets.at(car).size())
        return {};
    return offsets.at(car).at(sprite);
}

QImage ComposeDocumentSprite(const CarDocument &document, const SpriteLook &look)
{
    const SpriteTable &sprites = document.sprites();
    const SpritePixels *pixels = nullptr;
    if (look.car >= 0 && look.car < sprites.size() && look.sprite >= 0 && look.sprite < sprites.at(look.car).size())
        pixels = &sprites.at(look.car).at(look.sprite);
    const QPoint offset = look.withOffset && pixels ? PendingOffset(document, look.car, look.sprite) : QPoint();
    return ComposeSpriteImage(pixels, document.palettes().value(look.palette), document.background(), offset,
                              look.mirrored, look.wheelsTurned, look.colors);
}
