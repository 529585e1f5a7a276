#include "editor/controllers/palettefilecontroller.h"

#include <QCoreApplication>
#include <QAction>
#include <QFileInfo>
#include <QRegularExpression>

#include "document/cardocument.h"
#include "editor/state/shownnames.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "editor/state/selection.h"
#include "palette/palettefiles.h"
#include "palette/palettenames.h"
#include "rom/cardata.h"

namespace {

QString GimpFilter() { return QCoreApplication::translate("PaletteFileController", "GIMP palette (*.gpl)"); }
QString JascFilter() { return QCoreApplication::translate("PaletteFileController", "JASC palette (*.pal)"); }
QString ActFilter() { return QCoreApplication::translate("PaletteFileController", "Adobe colour table (*.act)"); }
QString WordsFilter() { return QCoreApplication::translate("PaletteFileController", "Mega Drive colour words (*.bin)"); }

bool IsPaletteFileName(const QString &path)
{
    return PaletteFileFormatFor(path).has_value();
}

// "Blue.gpl" from "Blue": a palette name as a file name.
QString FileNameFor(const QString &paletteName)
{
    QString name = paletteName.trimmed();
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("-"));
    return (name.isEmpty() ? QStringLiteral("palette") : name) + QStringLiteral(".gpl");
}

} // namespace

PaletteFileController::PaletteFileController(CarDocument &document, const Selection &selection, Prompts &prompts,
                                             StatusSink &status, ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("paletteFileController"));
    connect(actions.add({QStringLiteral("actionExportPalette"), tr("Export &Palette...")}), &QAction::triggered, this,
            &PaletteFileController::ExportPalette);
    connect(actions.add({QStringLiteral("actionImportPalette"), tr("Import P&alette...")}), &QAction::triggered, this,
            &PaletteFileController::ImportPalette);
}

QString PaletteFileController::ExportPaletteTo(const QString &fileName)
{
    const QString name = PaletteNames().value(selection.palette());
    const Palette palette = document.palettes().value(selection.palette());
    if (palette.isEmpty())
        return tr("No palette is selected.");
    if (const Result<void> written = WritePaletteFile(fileName, palette, name); !written)
        return written.message();
    status.showStatus(tr("Exported palette %1 to %2").arg(ShownName(name), QFileInfo(fileName).fileName()));
    return {};
}

QString PaletteFileController::ImportPaletteFrom(const QString &fileName)
{
    const int p = selection.palette();
    if (p < 0 || p >= document.palettes().size())
        return tr("No palette is selected.");
    if (p == kImportExportPalette)
        return tr("The \"%1\" palette is fixed and not stored in the ROM: pick one of the ROM's palettes to import into.")
            .arg(ShownName(PaletteNames().value(p)));
    const Result<QList<QColor>> colors = ReadPaletteFile(fileName);
    if (!colors)
        return colors.message();
    DocumentTables after = document.tables();
    Palette &palette = after.palettes[p];
    for (qsizetype i = 0; i < colors->size() && i < palette.size(); ++i)
        palette[i] = colors->at(i);
    const QString name = QFileInfo(fileName).fileName();
    const QString paletteName = ShownName(PaletteNames().value(p));
    document.Change(tr("Import palette %1 from %2").arg(paletteName, name), {-1, -1, p}, after);
    status.showStatus(tr("Imported palette %1 from %2").arg(paletteName, name));
    return {};
}

void PaletteFileController::ExportPalette()
{
    const QString paletteName = PaletteNames().value(selection.palette());
    const FileRequest request{tr("Export palette %1").arg(ShownName(paletteName)), QStringLiteral("palette"),
                              FileNameFor(paletteName), QString(),
                              {{GimpFilter(), QStringLiteral(".gpl")},
                               {JascFilter(), QStringLiteral(".pal")},
                               {ActFilter(), QStringLiteral(".act")},
                               {WordsFilter(), QStringLiteral(".bin")}}};
    const std::optional<QString> fileName =
        PathToWrite(prompts, prompts.chooseFileToSave(request), request, IsPaletteFileName);
    if (!fileName)
        return;
    const QString error = ExportPaletteTo(*fileName);
    if (!error.isEmpty())
        prompts.warn(tr("Export palette"), error);
}

void PaletteFileController::ImportPalette()
{
    const QString paletteName = ShownName(PaletteNames().value(selection.palette()));
    const FileRequest request{tr("Import palette %1").arg(paletteName), QStringLiteral("palette"), QString(), QString(),
                              {{QCoreApplication::translate("PaletteFileController", "Palette files (*.gpl *.pal *.act *.bin)"), {}},
                               {GimpFilter(), {}},
                               {JascFilter(), {}},
                               {ActFilter(), {}},
                               {WordsFilter(), {}},
                               {QCoreApplication::translate("PaletteFileController", "All files (*)"), {}}}};
    const FileChoice choice = prompts.chooseFileToOpen(request);
    if (choice.cancelled())
        return;
    const QString error = ImportPaletteFrom(choice.path);
    if (!error.isEmpty())
        prompts.warn(tr("Import palette"), error);
}
