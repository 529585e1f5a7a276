#pragma once

#include <QList>
#include <QObject>

#include "editor/state/selection.h"
#include "view/tilecounts.h"

class CarDocument;
class QLabel;
class SpriteView;
class TileOverlay;
struct TableChanges;

// View > Hardware Tiles: the sprite on show as the console's video memory
// holds it, drawn over the view: the 8 x 8 tiles and the four 24 x 24
// hardware sprites outlined, empty tiles (all index 0) crossed out and tiles
// that repeat an earlier tile of the car (also flipped) filled; the counts of
// the sprite and its car in the status bar. The outlines belong to the stored
// sprite: they follow its pending offset and the mirroring, and the zoom.
class HardwareTilesDisplay : public QObject
{
    Q_OBJECT

public:
    HardwareTilesDisplay(const CarDocument &document, const Selection &selection, SpriteView &view, QObject *parent);

    void setShown(bool on);
    bool isShown() const { return shown; }
    // The status bar's label of the counts; hidden while the outlines are.
    QLabel *statusLabel() const { return label; }

    // What the tiles of the sprite on show are, in storage order, and the counts.
    QList<TileKind> spriteKinds() const;
    TileCounts spriteCounts() const;
    TileCounts carCounts() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectionChanged(Selection::Parts parts);
    void tablesChanged(const TableChanges &changes);
    void countCar(int car);
    // Puts the overlay over the picture and the counts into the label.
    void place();

    const CarDocument &document;
    const Selection &selection;
    SpriteView &view;
    TileOverlay *overlay;
    QLabel *label;
    bool shown = false;
    QList<QList<TileKind>> kinds;   // ClassifyCarTiles of each car; empty lists until counted
};
