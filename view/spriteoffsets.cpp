#include "view/spriteoffsets.h"

SpriteOffsets ZeroOffsetsFor(const SpriteTable &sprites)
{
    SpriteOffsets offsets;
    offsets.reserve(sprites.size());
    for (const QList<SpritePixels> &car : sprites)
        offsets.append(QList<QPoint>(car.size(), QPoint(0, 0)));
    return offsets;
}
