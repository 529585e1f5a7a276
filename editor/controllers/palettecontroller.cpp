#include "editor/controllers/palettecontroller.h"

#include "editor/widgets/drawingindexstrip.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPixmap>

#include "document/cardocument.h"
#include "editor/state/shownnames.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "palette/palettecommands.h"
#include "palette/palettenames.h"
#include "palette/randomcolor.h"
#include "rom/cardata.h"
#include "rom/colorword.h"

// Every new colour is snapped to the cartridge grid, so a palette only ever
// holds colours the ROM can store.

PaletteController::PaletteController(CarDocument &document, const Selection &selection, Prompts &prompts,
                                     ActionRegistry &actions, const Swatches &swatches, QObject *parent)
    : QObject(parent), document(document), selection(selection), prompts(prompts), swatches(swatches)
{
    setObjectName(QStringLiteral("paletteController"));
    connect(actions.add({QStringLiteral("actionSwapColours"), tr("&Swap Colours 1 and 2")}), &QAction::triggered,
            this, &PaletteController::SwapPalette);
    connect(actions.add({QStringLiteral("actionRotateColours"), tr("&Rotate Colours 1 to 3")}), &QAction::triggered,
            this, &PaletteController::ShiftPalette);
    connect(actions.add({QStringLiteral("actionRandomColour"), tr("Random &Colour...")}), &QAction::triggered, this,
            [this] { RandomColor(this->selection.drawingIndex()); });
    connect(actions.add({QStringLiteral("actionEditColour"), tr("&Edit Colour...")}), &QAction::triggered, this,
            [this] { EditColor(this->selection.drawingIndex()); });
    connect(actions.add({QStringLiteral("actionRestorePalette"), tr("Res&tore Palette")}), &QAction::triggered, this,
            &PaletteController::RestorePalette);
    connect(&selection, &Selection::changed, this, [this](Selection::Parts parts) {
        if (parts & (Selection::Palette | Selection::Colors))
            ShowColors();
    });
    connect(&document, &CarDocument::tablesChanged, this, &PaletteController::TablesChanged);
    connect(&document, &CarDocument::backgroundChanged, this, &PaletteController::ShowColors);
    ShowColors();
}

Palette PaletteController::CurrentPalette() const
{
    return document.palettes().value(selection.palette());
}

QString PaletteController::CurrentName() const
{
    return ShownName(PaletteNames().value(selection.palette()));
}

void PaletteController::TablesChanged(const TableChanges &changes)
{
    if (changes.touchesPalette(selection.palette()))
        ShowColors();
}

void PaletteController::ShowColors()
{
    // The three editable entries of the selected palette and the background,
    // each as a 10 x 20 block that is the whole content of its label.
    const Palette palette = CurrentPalette();
    QImage swatch(10, 20, QImage::Format_RGB888);
    const ColorModel model = selection.colorModel();
    const auto show = [this, &swatch, model](QLabel *label, const QColor &color) {
        swatch.fill(ShownColor(color, model));
        label->setPixmap(QPixmap::fromImage(swatch));
        label->setAccessibleName(label == swatches.background
                                     ? tr("background, red %1 green %2 blue %3").arg(color.red()).arg(color.green()).arg(color.blue())
                                     : SwatchName(int(swatches.entries.indexOf(label)) + 1, color));
    };
    for (int entry = 1; entry <= swatches.entries.size(); ++entry)
        show(swatches.entries.at(entry - 1), palette.value(entry, QColor(Qt::black)));
    show(swatches.background, document.background());
}

void PaletteController::ChangeColorBg()
{
    const std::optional<ColorWord> chosen =
        prompts.chooseConsoleColour(tr("Background colour"), WordFromColor(document.background()), selection.colorModel());
    if (!chosen)
        return;   // cancelled
    document.setBackground(ColorFromWord(*chosen));
}

void PaletteController::RestorePalette()
{
    const int p = selection.palette();
    PaletteTable palettes = document.palettes();
    RestorePaletteFrom(palettes, document.original().palettes, p);
    if (p >= 0 && p < palettes.size())
        ChangePalette(tr("Restore palette %1").arg(CurrentName()), palettes.at(p));
}

void PaletteController::ShiftPalette()
{
    Palette palette = CurrentPalette();
    if (palette.isEmpty())
        return;
    ShiftPaletteColors(palette);
    ChangePalette(tr("Rotate colours 1 to 3 of %1").arg(CurrentName()), palette);
}

void PaletteController::SwapPalette()
{
    Palette palette = CurrentPalette();
    if (palette.isEmpty())
        return;
    SwapPaletteColors(palette);
    ChangePalette(tr("Swap colours 1 and 2 of %1").arg(CurrentName()), palette);
}

void PaletteController::ChangeColor(int entry)
{
    Palette palette = CurrentPalette();
    if (entry >= palette.size())
        return;
    const std::optional<ColorWord> chosen = prompts.chooseConsoleColour(
        tr("Colour %1 of %2").arg(entry).arg(CurrentName()), WordFromColor(palette.at(entry)), selection.colorModel());
    if (!chosen)
        return;   // cancelled
    palette[entry] = ColorFromWord(*chosen);
    ChangePalette(tr("Colour %1 of %2").arg(entry).arg(CurrentName()), palette);
}

void PaletteController::EditColor(int index)
{
    if (index == 0) {
        ChangeColorBg();
        return;
    }
    if (selection.palette() == kImportExportPalette) {
        prompts.inform(tr("Edit Colour"), tr("The \"%1\" palette is fixed: its colours cannot be changed. "
                                             "Pick one of the ROM's palettes to edit its colours.")
                                              .arg(CurrentName()));
        return;
    }
    ChangeColor(index);
}

void PaletteController::RandomColor(int entry)
{
    Palette palette = CurrentPalette();
    if (entry >= palette.size())
        return;
    palette[entry] = ::RandomColor(EditorRandom());
    ChangePalette(tr("Random colour %1 of %2").arg(entry).arg(CurrentName()), palette);
}

void PaletteController::ChangePalette(const QString &text, const Palette &after)
{
    const int p = selection.palette();
    if (p < 0 || p >= document.palettes().size())
        return;
    DocumentTables tables = document.tables();
    tables.palettes[p] = after;
    document.Change(text, {-1, -1, p}, tables);
}
