#include "editor/palettecontroller.h"

#include <QColorDialog>
#include <QImage>
#include <QPixmap>

#include "palette/palettecommands.h"
#include "palette/randomcolor.h"
#include "rom/colorword.h"
#include "ui_skmcareditor.h"

// Every new colour is snapped to the cartridge grid, so a palette only ever
// holds colours the ROM can store.

PaletteController::PaletteController(EditorContext &context, QObject *parent) : QObject(parent), context(context)
{
    setObjectName(QStringLiteral("paletteController"));
}

void PaletteController::ShowColors()
{
    // The three editable entries of the selected palette and the background,
    // each as a 10 x 20 block that is the whole content of its label.
    const Palette palette = context.CurrentPalette();
    QImage swatch(10, 20, QImage::Format_RGB888);
    const auto show = [&swatch](QLabel *label, const QColor &color) {
        swatch.fill(color);
        label->setPixmap(QPixmap::fromImage(swatch));
    };
    Ui::SKMcarEditor *ui = context.ui;
    show(ui->labelColor1, palette.value(1, QColor(Qt::black)));
    show(ui->labelColor2, palette.value(2, QColor(Qt::black)));
    show(ui->labelColor3, palette.value(3, QColor(Qt::black)));
    show(ui->labelColorBg, context.document->background());
}

void PaletteController::ChangeColor1()
{
    ChangeColor(1);
}

void PaletteController::ChangeColor2()
{
    ChangeColor(2);
}

void PaletteController::ChangeColor3()
{
    ChangeColor(3);
}

void PaletteController::RandomColor1()
{
    RandomColor(1);
}

void PaletteController::RandomColor2()
{
    RandomColor(2);
}

void PaletteController::RandomColor3()
{
    RandomColor(3);
}

void PaletteController::ChangeColorBg()
{
    const QColor chosen = QColorDialog::getColor(context.document->background());
    if (!chosen.isValid())
        return;   // cancelled
    context.document->setBackground(QuantizeColor(chosen));
}

void PaletteController::RestorePalette()
{
    const int p = context.CurrentPaletteIndex();
    PaletteTable palettes = context.document->palettes();
    RestorePaletteFrom(palettes, context.document->original().palettes, p);
    if (p >= 0 && p < palettes.size())
        ChangePalette(tr("Restore palette %1").arg(context.PaletteName(p)), palettes.at(p));
}

void PaletteController::ShiftPalette()
{
    Palette palette = context.CurrentPalette();
    if (palette.isEmpty())
        return;
    ShiftPaletteColors(palette);
    ChangePalette(tr("Rotate colours 1 to 3 of %1").arg(context.PaletteName(context.CurrentPaletteIndex())), palette);
}

void PaletteController::SwapPalette()
{
    Palette palette = context.CurrentPalette();
    if (palette.isEmpty())
        return;
    SwapPaletteColors(palette);
    ChangePalette(tr("Swap colours 1 and 2 of %1").arg(context.PaletteName(context.CurrentPaletteIndex())), palette);
}

void PaletteController::ChangeColor(int entry)
{
    Palette palette = context.CurrentPalette();
    if (entry >= palette.size())
        return;
    const QColor chosen = QColorDialog::getColor(palette.at(entry));
    if (!chosen.isValid())
        return;   // cancelled
    palette[entry] = QuantizeColor(chosen);
    ChangePalette(tr("Colour %1 of %2").arg(entry).arg(context.PaletteName(context.CurrentPaletteIndex())), palette);
}

void PaletteController::RandomColor(int entry)
{
    Palette palette = context.CurrentPalette();
    if (entry >= palette.size())
        return;
    palette[entry] = ::RandomColor(EditorRandom());
    ChangePalette(tr("Random colour %1 of %2").arg(entry).arg(context.PaletteName(context.CurrentPaletteIndex())),
                  palette);
}

void PaletteController::ChangePalette(const QString &text, const Palette &after)
{
    const int p = context.CurrentPaletteIndex();
    if (p < 0 || p >= context.document->palettes().size())
        return;
    DocumentTables tables = context.document->tables();
    tables.palettes[p] = after;
    context.document->Change(text, context.PaletteFocus(), tables);
}
