#pragma once

#include <QList>
#include <QWidget>

#include "editor/state/animationfollower.h"
#include "editor/state/selection.h"

class CarDocument;
class QToolButton;

// The current car's 45 sprites at once, in the 13 x 9 layout of the view
// sheet (rotation steps across, tilts down), in the palette on show; cells
// without a sprite are marked unused. Clicking a sprite selects it. Sprites
// that differ from the ROM as opened carry a red corner. Follows drawing,
// imports and undo as the document reports them. Each sprite is a button
// named "sprite 14" (or "sprite 14, changed"). The arrow keys move the focus
// by row and column over the cells that hold a sprite, Return or Space
// selects the focused one.
class SpriteOverview : public QWidget
{
    Q_OBJECT

public:
    SpriteOverview(const CarDocument &document, Selection &selection, QWidget *parent = nullptr);

    // 1 or 2: pixels per sprite pixel.
    void setScale(int scale);
    int scale() const { return pixelScale; }
    void setCheckerboard(bool on);
    // The button of sprite number (1..45), null for other numbers.
    QToolButton *cell(int spriteNumber) const;

    // Every cell drawn again.
    void refresh();

private:
    // Draws the cell of sprite index `index` (0-based) of the car on show.
    void drawCell(int index);
public:
    // The tooltip of sprite index `index`: its name and the tile counts
    // (used, empty, duplicate, video memory without and with sharing) of the
    // sprite and of its car, as View > Hardware Tiles counts them.
    QString tileToolTip(int index) const;
    // Frames the cell of the sprite on show, and only that one (done by itself
    // on a change of the sprite; within a fifth of a second of animation steps).
    void markCurrent();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The cell next to sprite index `from` in the direction (dx, dy),
    // skipping cells without a sprite; null at the edge.
    QToolButton *neighbour(int from, int dx, int dy) const;

    const CarDocument &document;
    Selection &selection;
    QList<QToolButton *> cells;   // by sprite number - 1
    AnimationFollower marking{[this] { markCurrent(); }};
    int pixelScale = 1;
    bool checker = false;
};
