#pragma once

#include <QList>
#include <QLine>
#include <QObject>
#include <QTimer>

#include "editor/state/animationfollower.h"
#include "editor/state/selection.h"
#include "view/paletteuse.h"

class CarDocument;
class DrawingIndexStrip;
class IndexHighlight;
class SpriteView;
struct TableChanges;

// How the sprite on show uses its colour indices, on the drawing index strip:
// each swatch's tooltip counts the pixels of the index (in the sprite, in its
// car, the cars that do not use it) and the indices the sprite does not use
// are marked. Alt+click on a swatch outlines that index's pixels in the view
// for two seconds (the outline follows the zoom, the offset and the mirroring;
// the colours stay as they are).
class PaletteUseDisplay : public QObject
{
    Q_OBJECT

public:
    static constexpr int kHighlightMs = 2000;

    PaletteUseDisplay(const CarDocument &document, const Selection &selection, DrawingIndexStrip &strip,
                      SpriteView &view, QObject *parent);

    // Counts again and shows the counts on the strip.
    void refresh();
    const PaletteUse &use() const { return counts; }

    // Outlines the pixels of index (0..15) in the view for kHighlightMs.
    void highlight(int index);
    // The index outlined, or -1 when no outline shows.
    int highlightedIndex() const;
    // The outline as drawn, in view pixels (frame corners times the zoom).
    QList<QLine> highlightLines() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectionChanged(Selection::Parts parts);
    void tablesChanged(const TableChanges &changes);
    // The counts of the sprite on show with the cars' counts as they are.
    void showCounts();
    void placeHighlight();
    void endHighlight();

    const CarDocument &document;
    const Selection &selection;
    DrawingIndexStrip &strip;
    SpriteView &view;
    PaletteUse counts;
    QList<IndexCounts> carCounts;   // CountCarIndices of every car
    // CountIndices of every sprite of every car: a change of a sprite counts
    // that sprite again, not its car.
    QList<QList<IndexCounts>> spriteCounts;
    IndexHighlight *outline = nullptr;
    QTimer highlightTimer;
    AnimationFollower counting{[this] { showCounts(); }};
    int highlighted = -1;
};
