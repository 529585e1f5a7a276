#include "editor/palettefilecontroller.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include "palette/palettefiles.h"
#include "rom/cardata.h"

namespace {

const QString kGimpFilter = QStringLiteral("GIMP palette (*.gpl)");
const QString kJascFilter = QStringLiteral("JASC palette (*.pal)");
const QString kActFilter = QStringLiteral("Adobe colour table (*.act)");
const QString kWordsFilter = QStringLiteral("Mega Drive colour words (*.bin)");

QString SuffixOf(const QString &filter)
{
    if (filter == kJascFilter)
        return QStringLiteral(".pal");
    if (filter == kActFilter)
        return QStringLiteral(".act");
    if (filter == kWordsFilter)
        return QStringLiteral(".bin");
    return QStringLiteral(".gpl");
}

void ShowError(QWidget *parent, const QString &text)
{
    QMessageBox box(parent);
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

// "Blue.gpl" from "Blue": a palette name as a file name.
QString FileNameFor(const QString &paletteName)
{
    QString name = paletteName.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("-"));
    return (name.isEmpty() ? QStringLiteral("palette") : name) + QStringLiteral(".gpl");
}

} // namespace

PaletteFileController::PaletteFileController(EditorContext &context, QObject *parent)
    : QObject(parent), context(context)
{
    setObjectName(QStringLiteral("paletteFileController"));
    exportAction = new QAction(tr("Export Palette..."), this);
    exportAction->setObjectName(QStringLiteral("actionExportPalette"));
    importAction = new QAction(tr("Import Palette..."), this);
    importAction->setObjectName(QStringLiteral("actionImportPalette"));
    connect(exportAction, &QAction::triggered, this, &PaletteFileController::ExportPalette);
    connect(importAction, &QAction::triggered, this, &PaletteFileController::ImportPalette);
}

QString PaletteFileController::ExportPaletteTo(const QString &fileName)
{
    const int p = context.CurrentPaletteIndex();
    const Palette palette = context.CurrentPalette();
    if (palette.isEmpty())
        return tr("No palette is selected.");
    if (const Result<void> written = WritePaletteFile(fileName, palette, context.PaletteName(p)); !written)
        return written.message();
    emit statusMessage(tr("Exported palette %1 to %2").arg(context.PaletteName(p), QFileInfo(fileName).fileName()));
    return {};
}

QString PaletteFileController::ImportPaletteFrom(const QString &fileName)
{
    const int p = context.CurrentPaletteIndex();
    if (p < 0 || p >= context.document->palettes().size())
        return tr("No palette is selected.");
    if (p == kImportExportPalette)
        return tr("The \"%1\" palette is fixed and not stored in the ROM: pick one of the ROM's palettes to import into.")
            .arg(context.PaletteName(p));
    const Result<QList<QColor>> colors = ReadPaletteFile(fileName);
    if (!colors)
        return colors.message();
    DocumentTables after = context.document->tables();
    Palette &palette = after.palettes[p];
    for (qsizetype i = 0; i < colors->size() && i < palette.size(); ++i)
        palette[i] = colors->at(i);
    const QString name = QFileInfo(fileName).fileName();
    context.document->Change(tr("Import palette %1 from %2").arg(context.PaletteName(p), name),
                             context.PaletteFocus(), after);
    emit statusMessage(tr("Imported palette %1 from %2").arg(context.PaletteName(p), name));
    return {};
}

void PaletteFileController::ExportPalette()
{
    const QString paletteName = context.PaletteName(context.CurrentPaletteIndex());
    QString filter;
    QString fileName = QFileDialog::getSaveFileName(
        context.window, tr("Export palette %1").arg(paletteName), QDir(folder).filePath(FileNameFor(paletteName)),
        QStringList{kGimpFilter, kJascFilter, kActFilter, kWordsFilter}.join(QStringLiteral(";;")), &filter);
    if (fileName.isEmpty())
        return;
    folder = QFileInfo(fileName).absolutePath();
    if (!PaletteFileFormatFor(fileName))
        fileName += SuffixOf(filter);
    const QString error = ExportPaletteTo(fileName);
    if (!error.isEmpty())
        ShowError(context.window, error);
}

void PaletteFileController::ImportPalette()
{
    const QString paletteName = context.PaletteName(context.CurrentPaletteIndex());
    const QString fileName = QFileDialog::getOpenFileName(
        context.window, tr("Import palette %1").arg(paletteName), folder,
        QStringList{QStringLiteral("Palette files (*.gpl *.pal *.act *.bin)"), kGimpFilter, kJascFilter, kActFilter,
                    kWordsFilter, QStringLiteral("All files (*)")}
            .join(QStringLiteral(";;")));
    if (fileName.isEmpty())
        return;
    folder = QFileInfo(fileName).absolutePath();
    const QString error = ImportPaletteFrom(fileName);
    if (!error.isEmpty())
        ShowError(context.window, error);
}
