#include "app/skmcareditor.h"

#include <QColorDialog>

#include "palette/palettecommands.h"
#include "palette/randomcolor.h"
#include "rom/colorword.h"
#include "ui_skmcareditor.h"

// The commands on the selected palette's editable colours (entries 1, 2, 3)
// and on the background colour. Every new colour is snapped to the cartridge
// grid, so a palette only ever holds colours the ROM can store. Each command
// that changes something redraws the sprite and then the swatches.

void SKMcarEditor::ChangeColor1()
{
    ChangeColor(1);
}

void SKMcarEditor::ChangeColor2()
{
    ChangeColor(2);
}

void SKMcarEditor::ChangeColor3()
{
    ChangeColor(3);
}

void SKMcarEditor::RandomColor1()
{
    RandomColor(1);
}

void SKMcarEditor::RandomColor2()
{
    RandomColor(2);
}

void SKMcarEditor::RandomColor3()
{
    RandomColor(3);
}

void SKMcarEditor::ChangeColorBg()
{
    const QColor chosen = QColorDialog::getColor(backgroundColor);
    if (!chosen.isValid())
        return;   // cancelled
    backgroundColor = QuantizeColor(chosen);
    DisplaySpriteById();
    ShowColors();
}

void SKMcarEditor::RestorePalette()
{
    RestorePaletteFrom(palettes, romPalettes, CurrentPaletteIndex());
    DisplaySpriteById();
    ShowColors();
}

void SKMcarEditor::ShiftPalette()
{
    const int p = CurrentPaletteIndex();
    if (p < 0 || p >= palettes.size())
        return;
    ShiftPaletteColors(palettes[p]);
    DisplaySpriteById();
    ShowColors();
}

void SKMcarEditor::SwapPalette()
{
    const int p = CurrentPaletteIndex();
    if (p < 0 || p >= palettes.size())
        return;
    SwapPaletteColors(palettes[p]);
    DisplaySpriteById();
    ShowColors();
}

void SKMcarEditor::ChangeColor(int entry)
{
    const int p = CurrentPaletteIndex();
    if (p < 0 || p >= palettes.size() || entry >= palettes.at(p).size())
        return;
    const QColor chosen = QColorDialog::getColor(palettes.at(p).at(entry));
    if (!chosen.isValid())
        return;   // cancelled
    palettes[p][entry] = QuantizeColor(chosen);
    DisplaySpriteById();
    ShowColors();
}

void SKMcarEditor::RandomColor(int entry)
{
    const int p = CurrentPaletteIndex();
    if (p < 0 || p >= palettes.size() || entry >= palettes.at(p).size())
        return;
    palettes[p][entry] = ::RandomColor(EditorRandom());
    DisplaySpriteById();
    ShowColors();
}
