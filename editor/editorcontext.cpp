#include "editor/editorcontext.h"

#include "ui_skmcareditor.h"

int EditorContext::CurrentCar() const
{
    return ui->spinBoxCarNumber->value() - 1;
}

int EditorContext::CurrentSprite() const
{
    return ui->spinBoxSpriteNumber->value() - 1;
}

int EditorContext::CurrentPaletteIndex() const
{
    return ui->comboBoxPalette->currentIndex();
}

Palette EditorContext::CurrentPalette() const
{
    return document->palettes().value(CurrentPaletteIndex());
}

QString EditorContext::PaletteName(int palette) const
{
    return ui->comboBoxPalette->itemText(palette);
}
