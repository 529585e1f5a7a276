#include "exchange/exchangedata.h"

QPoint OffsetOf(const SpriteOffsets &offsets, int car, int sprite)
{
    if (car < 0 || car >= offsets.size() || sprite < 0 || sprite >= offsets[car].size())
        return QPoint(0, 0);
    return offsets[car][sprite];
}

void ClearOffset(SpriteOffsets &offsets, int car, int sprite)
{
    if (car < 0 || car >= offsets.size() || sprite < 0 || sprite >= offsets[car].size())
        return;
    offsets[car][sprite] = QPoint(0, 0);
}

ExchangeData InShownColors(ExchangeData data)
{
    data.palette = ShownPalette(data.palette, data.colors);
    data.background = ShownColor(data.background, data.colors);
    data.colors = ColorModel::Linear;
    return data;
}
