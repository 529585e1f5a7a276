#include "view/offsetediting.h"

void MoveSpriteOffsets(SpriteOffsets &offsets, int car, int sprite, QPoint target, bool wholeCar)
{
    if (car < 0 || car >= offsets.size() || sprite < 0 || sprite >= offsets.at(car).size())
        return;
    QList<QPoint> &carOffsets = offsets[car];
    if (!wholeCar) {
        carOffsets[sprite] = target;
        return;
    }
    const QPoint delta = target - carOffsets.at(sprite);
    for (QPoint &offset : carOffsets)
        offset += delta;
}

void ResetCarOffsets(SpriteOffsets &offsets, int car)
{
    if (car < 0 || car >= offsets.size())
        return;
    for (QPoint &offset : offsets[car])
        offset = QPoint(0, 0);
}
