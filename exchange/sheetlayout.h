#pragma once

#include <QList>
#include <QPoint>
#include <QSize>

// Where the sprites of one car stand on a sheet picture.
//
// The view sheet (624 x 432) has 13 rotation columns and 9 tilt rows, tilt -4
// at the top; the cell of column d and tilt t has its corner at
// (48 d, 48 (t + 4)) and shows the sprite the view table names there (unnamed
// cells show the background). The compact sheet (432 x 240, import only) has
// the 45 sprites in storage order, 9 to a row. The all-cars sheet stacks five
// view sheets, car 1 at the top.

inline constexpr QSize kViewSheetSize(624, 432);
inline constexpr QSize kCompactSheetSize(432, 240);
inline constexpr QSize kAllCarsSheetSize(624, 5 * 432);

struct SheetCell
{
    QPoint topLeft;   // of the 48 x 48 cell
    int sprite = 0;   // 0-based sprite index

    friend bool operator==(const SheetCell &, const SheetCell &) = default;
};

// The 45 named cells of the view sheet, row by row from the top.
QList<SheetCell> ViewSheetCells();
// The 45 cells of the compact sheet, in storage order.
QList<SheetCell> CompactSheetCells();
// The cells of a car sheet of the given size; empty for any size but the two above.
QList<SheetCell> SheetCellsFor(QSize size);
