#pragma once

#include <QWidget>

#include "editor/state/selection.h"

class QButtonGroup;
class QToolButton;
class CarDocument;
class DrawingIndexStrip;
struct TableChanges;

// The column beside the sprite view: the tool buttons ("Pencil", "Fill",
// "Picker", and in a row of their own "Line", "Rectangle", "Ellipse"; at most
// one checked, none leaves the view as it was), the switches "Filled" and
// "Mirror Symmetry" and the drawing index strip in the colours of the palette on show. Shows the
// selection's tool and drawing index and sets them when clicked.
class DrawingTools : public QWidget
{
    Q_OBJECT

public:
    DrawingTools(const CarDocument &document, Selection &selection, QWidget *parent = nullptr);

    QToolButton *toolButton(Selection::Tool tool) const;
    DrawingIndexStrip *indexStrip() const { return strip; }
    QToolButton *filledButton() const { return filled; }
    QToolButton *symmetryButton() const { return symmetry; }

private:
    void showColors();
    void selectionChanged(Selection::Parts parts);
    void tablesChanged(const TableChanges &changes);

    const CarDocument &document;
    Selection &selection;
    QButtonGroup *tools = nullptr;
    DrawingIndexStrip *strip = nullptr;
    QToolButton *filled = nullptr;
    QToolButton *symmetry = nullptr;
};
