#pragma once

#include "document/cardocument.h"
#include "document/documenttables.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SKMcarEditor;
}
class QWidget;
QT_END_NAMESPACE

// What every controller of the window works with: the form, the document and
// the window itself (parent of dialogs), plus the two guards that keep the
// controls from writing back while the window loads them.
struct EditorContext
{
    Ui::SKMcarEditor *ui = nullptr;
    CarDocument *document = nullptr;
    QWidget *window = nullptr;

    // Cleared while controls are loaded, so that their change signals draw
    // nothing and store nothing.
    bool reactToControls = false;
    // Cleared while the move boxes are loaded from the stored offset.
    bool reactToMoveControls = false;

    int CurrentCar() const;            // spinBoxCarNumber - 1
    int CurrentSprite() const;         // spinBoxSpriteNumber - 1
    int CurrentPaletteIndex() const;   // comboBoxPalette
    // The selected palette, empty when the index is not one.
    Palette CurrentPalette() const;
    // The name of a palette as the combo box shows it.
    QString PaletteName(int palette) const;
    StepFocus CarFocus() const { return {CurrentCar(), -1, -1}; }
    StepFocus SpriteFocus() const { return {CurrentCar(), CurrentSprite(), -1}; }
    StepFocus PaletteFocus() const { return {-1, -1, CurrentPaletteIndex()}; }
};
