#include "exchange/sheetlayout.h"

#include "rom/cardata.h"
#include "view/viewtable.h"

QList<SheetCell> ViewSheetCells()
{
    QList<SheetCell> cells;
    for (int tilt = kMinTilt; tilt <= kMaxTilt; ++tilt) {
        for (int column = 0; column < kRotationColumns; ++column) {
            const ViewLookup view = FindSpriteByParameters(column, tilt);
            if (view.spriteNumber < 1)
                continue;
            cells.append(SheetCell{QPoint(kSpriteSide * column, kSpriteSide * (tilt - kMinTilt)),
                                   view.spriteNumber - 1});
        }
    }
    return cells;
}

QList<SheetCell> CompactSheetCells()
{
    constexpr int kColumns = 9;
    QList<SheetCell> cells;
    for (int sprite = 0; sprite < kSpritesPerCar; ++sprite)
        cells.append(SheetCell{QPoint(kSpriteSide * (sprite % kColumns), kSpriteSide * (sprite / kColumns)), sprite});
    return cells;
}

QList<SheetCell> SheetCellsFor(QSize size)
{
    if (size == kViewSheetSize)
        return ViewSheetCells();
    if (size == kCompactSheetSize)
        return CompactSheetCells();
    return {};
}
