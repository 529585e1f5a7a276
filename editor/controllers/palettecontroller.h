#pragma once

#include <QList>
#include <QObject>

#include "editor/state/selection.h"
#include "rom/cardata.h"

class QLabel;
class ActionRegistry;
class CarDocument;
class Prompts;
struct TableChanges;

// The selected palette's swatches and commands: colour dialog and random
// colour for entries 1-3, swap, shift, restore, and the background colour
// (a view setting, not a step).
class PaletteController : public QObject
{
    Q_OBJECT

public:
    // The swatches of entries 1, 2 and 3 and of the background.
    struct Swatches
    {
        QList<QLabel *> entries;
        QLabel *background = nullptr;
    };

    // Registers the Palette menu's commands: actionSwapColours,
    // actionRotateColours, actionRandomColour and actionEditColour (on the
    // drawing index), actionRestorePalette.
    PaletteController(CarDocument &document, const Selection &selection, Prompts &prompts, ActionRegistry &actions,
                      const Swatches &swatches, QObject *parent);

public slots:
    void ShowColors();
    // Colour dialog for entry 1..3 of the selected palette.
    void ChangeColor(int entry);
    // Any of the 16 indices of the drawing strip: 0 is the background shown
    // in the editor; the fixed "Import/Export" palette is refused with a word.
    void EditColor(int index);
    void RandomColor(int entry);
    void ChangeColorBg();
    void RestorePalette();
    void ShiftPalette();
    void SwapPalette();

private:
    Palette CurrentPalette() const;
    QString CurrentName() const;
    // Makes the step text for the selected palette and pushes the change.
    void ChangePalette(const QString &text, const Palette &after);
    void TablesChanged(const TableChanges &changes);

    CarDocument &document;
    const Selection &selection;
    Prompts &prompts;
    Swatches swatches;
};
