#include "editor/controllers/exchangecontroller.h"
#include "editor/controllers/loaderrortext.h"

#include <QCoreApplication>
#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "exchange/exchangedata.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "exchange/spritefiles.h"
#include "exchange/scopetext.h"

namespace {

const QString kQuickExchangeFile = QStringLiteral("sprite.bmp");

// The quick exchange file in the working folder, as messages name it.
QString QuickExchangePath()
{
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(kQuickExchangeFile));
}

QString PictureFilter() { return QCoreApplication::translate("ExchangeController", "Images (*.png *.bmp)"); }
QString IndexedFilter() { return QCoreApplication::translate("ExchangeController", "PNG, indexed (*.png)"); }
QString RawFilter() { return QCoreApplication::translate("ExchangeController", "Binary files (*.bin)"); }

// "; 3 files failed": the tail of a status message when some files failed.
QString FailedText(qsizetype failed)
{
    return QCoreApplication::translate("ExchangeController", "; %n file(s) failed", nullptr, int(failed));
}

// The failures of an import, one a line, in the window's language.
QString FailureLines(const QList<Failure> &failures)
{
    QString lines;
    for (const Failure &failure : failures)
        lines += LoadErrorText::Shown(failure) + QLatin1Char('\n');
    return lines;
}

} // namespace

ExchangeController::ExchangeController(CarDocument &document, const Selection &selection, Prompts &prompts,
                                       StatusSink &status, ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("exchangeController"));
    connect(actions.add({QStringLiteral("actionImport"), tr("&Import...")}), &QAction::triggered, this,
            &ExchangeController::LoadSprite);
    connect(actions.add({QStringLiteral("actionExport"), tr("&Export...")}), &QAction::triggered, this,
            &ExchangeController::SaveSprite);
    connect(actions.add({QStringLiteral("actionQuickExport"), tr("Quick E&xport"), {QKeySequence(Qt::CTRL | Qt::Key_W)}}),
            &QAction::triggered, this, &ExchangeController::QuickSpriteOut);
    connect(actions.add({QStringLiteral("actionQuickImport"), tr("Quick &Import"), {QKeySequence(Qt::CTRL | Qt::Key_Q)}}),
            &QAction::triggered, this, &ExchangeController::QuickSpriteIn);
}

void ExchangeController::ShowList(const QString &title, const QString &lines, const QString &heading)
{
    QString details;
    const QString text = ListMessage(lines, heading, &details);
    prompts.warn(title, text, details);
}

Result<int> ExchangeController::ExportSprites(const QString &fileName, SpriteFileType type)
{
    const ExchangeData data{document.sprites(), document.offsets(), document.palettes().value(selection.palette()),
                            document.background(), selection.exportColors()};
    return WriteSpriteFiles(fileName, selection.exchangeScope(), data, type);
}

Result<ExchangeController::Imported> ExchangeController::ImportSprites(const QString &fileName)
{
    const ExchangeSelection scope = selection.exchangeScope();
    ExchangeData data{document.sprites(), document.offsets(), document.palettes().value(selection.palette()),
                      document.background(), selection.importColors()};
    Result<ImportReport> read = ReadSpriteFiles(fileName, scope, data, selection.matchOptions());
    if (!read)
        return read.failure();

    DocumentTables after = document.tables();
    after.sprites = data.sprites;
    after.offsets = data.offsets;
    const StepFocus focus{scope.scope == ExchangeScope::AllCars ? -1 : scope.car,
                          scope.scope == ExchangeScope::Sprite ? scope.sprite : -1, -1};
    const bool stepMade = document.Change(ImportStepText(scope, fileName), focus, after);
    return Imported{std::move(*read), stepMade};
}

QString ExchangeController::ExportTitle() const
{
    return tr("Export %1").arg(ScopeName(selection.exchangeScope()));
}

QString ExchangeController::ImportTitle() const
{
    return tr("Import %1").arg(ScopeName(selection.exchangeScope()));
}

void ExchangeController::SaveSprite()
{
    const FileRequest request{ExportTitle(), QStringLiteral("exchange"), ScopeFileName(selection.exchangeScope()), QString(),
                              {{PictureFilter(), QStringLiteral(".png")},
                               {IndexedFilter(), QStringLiteral(".png")},
                               {RawFilter(), QStringLiteral(".bin")}}};
    const FileChoice choice = prompts.chooseFileToSave(request);
    const std::optional<QString> fileName = PathToWrite(prompts, choice, request);
    if (!fileName)
        return;
    ExportTo(*fileName, choice.type == 1 ? SpriteFileType::IndexedPicture : SpriteFileType::BySuffix);
}

void ExchangeController::ExportTo(const QString &fileName, SpriteFileType type)
{
    const ExchangeSelection scope = selection.exchangeScope();
    const Result<int> written = ExportSprites(fileName, type);
    if (!written) {
        ShowList(tr("Export"), written.message(), QCoreApplication::translate("ExchangeController", "File write error"));
        return;
    }
    if (scope.separateFiles && scope.scope != ExchangeScope::Sprite)
        status.showStatus(tr("Exported %n sprite(s) to %1/", nullptr, *written).arg(QFileInfo(fileName).dir().dirName()));
    else
        status.showStatus(tr("Exported %1 to %2").arg(ScopeName(scope), QFileInfo(fileName).fileName()));
}

void ExchangeController::LoadSprite()
{
    const FileRequest request{ImportTitle(), QStringLiteral("exchange"), ScopeFileName(selection.exchangeScope()), QString(),
                              {{QCoreApplication::translate("ExchangeController", "Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg)"), {}},
                               {QCoreApplication::translate("ExchangeController", "Binary files (*.bin)"), {}},
                               {QCoreApplication::translate("ExchangeController", "Images (*.png *.bmp *.gif *.jpg *.jpeg)"), {}},
                               {QCoreApplication::translate("ExchangeController", "All files(*.*)"), {}}}};
    const FileChoice choice = prompts.chooseFileToOpen(request);
    if (!choice.cancelled())
        ImportFrom(choice.path);
}

void ExchangeController::ImportDroppedFile(const QString &path)
{
    ImportFrom(path);
}

void ExchangeController::ImportFrom(const QString &fileName)
{
    const ExchangeSelection scope = selection.exchangeScope();
    const Result<Imported> imported = ImportSprites(fileName);
    if (!imported) {
        ShowList(tr("Import"), FailureLines({imported.failure()}));
        return;
    }
    const QList<Failure> &skipped = imported->report.skipped;
    if (skipped.isEmpty() || imported->stepMade) {
        QString text = tr("Imported %1 from %2").arg(ScopeName(scope), QFileInfo(fileName).fileName());
        if (!skipped.isEmpty())
            text += FailedText(skipped.size());
        for (const QString &note : imported->report.notes.Lines())
            text += QStringLiteral("; ") + note;
        status.showStatus(text);
    }
    if (!skipped.isEmpty())
        ShowList(tr("Import"), FailureLines(skipped));
}

void ExchangeController::QuickSpriteOut()
{
    // A status message when it works; one message with the reason when it does not.
    const SpriteLook look{selection.car(), selection.sprite(), selection.palette(), false, false, true};
    const Result<void> written = WritePictureFile(kQuickExchangeFile, ComposeDocumentSprite(document, look));
    if (!written) {
        prompts.warn(tr("Quick export"),
                     tr("Cannot write \"%1\": %2").arg(QuickExchangePath(), written.failure().reason));
        return;
    }
    status.showStatus(tr("Wrote %1 (car %2, sprite %3)")
                           .arg(kQuickExchangeFile).arg(selection.car() + 1).arg(selection.sprite() + 1));
}

void ExchangeController::QuickSpriteIn()
{
    const Result<QImage> read = ReadPictureFile(kQuickExchangeFile, QSize(kSpriteSide, kSpriteSide));
    QString reason = read ? QString() : read.failure().reason;
    const QImage picture = read ? *read : QImage();
    if (reason.isEmpty() && picture.size() != QSize(kSpriteSide, kSpriteSide))
        reason = tr("the picture is %1 x %2 pixels, not %3 x %3")
                     .arg(picture.width()).arg(picture.height()).arg(kSpriteSide);
    const int car = selection.car();
    const int sprite = selection.sprite();
    DocumentTables after = document.tables();
    if (car < 0 || car >= after.sprites.size() || sprite < 0 || sprite >= after.sprites.at(car).size())
        return;
    std::optional<SpritePixels> pixels;
    if (reason.isEmpty()) {
        pixels = ConvertSpritePicture(picture, document.palettes().value(selection.palette()), document.background(),
                                      selection.matchOptions());
        if (!pixels)
            reason = tr("the picture cannot be converted");
    }
    if (!reason.isEmpty()) {
        prompts.warn(tr("Quick import"), tr("Cannot load \"%1\": %2").arg(QuickExchangePath(), reason));
        return;
    }
    after.sprites[car][sprite] = *pixels;
    ClearOffset(after.offsets, car, sprite);
    document.Change(tr("Quick import into sprite %1 of car %2").arg(sprite + 1).arg(car + 1), {car, sprite, -1},
                    after);
    status.showStatus(tr("Read %1 into car %2, sprite %3").arg(kQuickExchangeFile).arg(car + 1).arg(sprite + 1));
}
