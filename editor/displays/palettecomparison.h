#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

#include "editor/state/selection.h"

class CarDocument;
class PaletteCell;
struct TableChanges;

// Palette > Compare Palettes: the sprite on show in each of the ten palettes
// of the ROM side by side, at the view's zoom, mirrored and in the colours
// (linear or console) as the view shows it, the palette on show framed.
// Follows the selection and every change of the document at once (the
// sprite's pixels, its offset, any palette, the background). Each cell is a
// button named after its palette ("Blue, palette 1"); clicking one, or Space
// on it, chooses that palette. Composes only while shown.
class PaletteComparison : public QWidget
{
    Q_OBJECT

public:
    PaletteComparison(const CarDocument &document, Selection &selection, QWidget *parent = nullptr);

    static constexpr int kPalettes = 10;
    // The cell of palette (0-based), null for others.
    QWidget *cell(int palette) const;
    // What the cell of palette shows, 48 x 48 (before zooming).
    QImage cellPicture(int palette) const;

    // Composes every cell again.
    void refresh();

    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void selectionChanged(Selection::Parts parts);
    void tablesChanged(const TableChanges &changes);
    void compose(int palette);
    void layOut();
    void markCurrent();

    const CarDocument &document;
    Selection &selection;
    QList<PaletteCell *> cells;
    bool stale = true;   // changed while hidden
};
