#include "editor/controllers/exchangecontroller.h"
#include "editor/controllers/loaderrortext.h"

#include <QCoreApplication>
#include <QAbstractButton>
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
#include "exchange/spriteimport.h"

namespace {

const QString kQuickExchangeFile = QStringLiteral("sprite.bmp");

// The quick exchange file in the working folder, as messages name it.
QString QuickExchangePath()
{
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(kQuickExchangeFile));
}

// "car 3", "sprite 14 of car 3", "all cars": what a selection covers.
QString ScopeText(const ExchangeSelection &selection)
{
    switch (selection.scope) {
    case ExchangeScope::AllCars:
        return QObject::tr("all cars");
    case ExchangeScope::Car:
        return QObject::tr("car %1").arg(selection.car + 1);
    default:
        return QObject::tr("sprite %1 of car %2").arg(selection.sprite + 1).arg(selection.car + 1);
    }
}

// "Import car 3 from car.png": what an import step is called.
QString ImportText(const ExchangeSelection &selection, const QString &fileName)
{
    return QObject::tr("Import %1 from %2").arg(ScopeText(selection), QFileInfo(fileName).fileName());
}

QString PictureFilter() { return QCoreApplication::translate("ExchangeController", "Images (*.png *.bmp)"); }
QString IndexedFilter() { return QCoreApplication::translate("ExchangeController", "PNG, indexed (*.png)"); }
QString RawFilter() { return QCoreApplication::translate("ExchangeController", "Binary files (*.bin)"); }

// "; 3 files failed": the tail of a status message when some files failed.
QString FailedText(const QString &errors)
{
    const qsizetype failed = errors.count(QLatin1Char('\n'));
    return failed == 1 ? QObject::tr("; 1 file failed") : QObject::tr("; %1 files failed").arg(failed);
}

// The colour model an option asks for: console levels when it is there and ticked.
ColorModel ModelOf(const QAbstractButton *option)
{
    return option && option->isChecked() ? ColorModel::Console : ColorModel::Linear;
}

} // namespace

ExchangeController::ExchangeController(CarDocument &document, const Selection &selection, Prompts &prompts,
                                       StatusSink &status, ActionRegistry &actions, const Controls &controls,
                                       QObject *parent)
    : QObject(parent), document(document), selection(selection), prompts(prompts), status(status), controls(controls)
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

ExchangeSelection BoxScope(const ExchangeController::Controls &controls, const Selection &selection)
{
    ExchangeSelection scope;
    if (controls.allCars->isChecked())
        scope.scope = ExchangeScope::AllCars;
    else if (controls.oneCar->isChecked())
        scope.scope = ExchangeScope::Car;
    else
        scope.scope = ExchangeScope::Sprite;
    scope.car = selection.car();
    scope.sprite = selection.sprite();
    scope.separateFiles = controls.separateFiles->isChecked();
    return scope;
}

MatchOptions BoxMatchOptions(const ExchangeController::Controls &controls)
{
    MatchOptions options;
    options.dither = controls.dither && controls.dither->isChecked();
    if (controls.classicMatching && controls.classicMatching->isChecked())
        options.matching = ColorMatching::Classic;
    return options;
}

ExchangeSelection ExchangeController::Scope() const
{
    return BoxScope(controls, selection);
}

void ExchangeController::ShowList(const QString &title, const QString &lines, const QString &heading)
{
    QString details;
    const QString text = ListMessage(lines, heading, &details);
    prompts.warn(title, text, details);
}

bool ExchangeController::ExportSprites(const QString &fileName, SpriteFileType type, QString *errors, int *written)
{
    const ExchangeData data{document.sprites(), document.offsets(), document.palettes().value(selection.palette()),
                            document.background(), ModelOf(controls.consoleExport)};
    const Result<int> files = WriteSpriteFiles(fileName, Scope(), data, type);
    if (files && written)
        *written += *files;
    if (!files && errors)
        *errors += files.message() + QLatin1Char('\n');
    return files.ok();
}

QString ExchangeController::ImportSprites(const QString &fileName, bool *changed, QStringList *notes)
{
    const ExchangeSelection scope = Scope();
    ExchangeData data{document.sprites(), document.offsets(), document.palettes().value(selection.palette()),
                      document.background(), ModelOf(controls.consoleMatch)};
    ImportNotes found;
    const QString errors = ReadSpriteFiles(fileName, scope, data, BoxMatchOptions(controls), &found);
    if (notes)
        *notes = found.Lines();

    DocumentTables after = document.tables();
    after.sprites = data.sprites;
    after.offsets = data.offsets;
    const StepFocus focus{scope.scope == ExchangeScope::AllCars ? -1 : scope.car,
                          scope.scope == ExchangeScope::Sprite ? scope.sprite : -1, -1};
    const bool stepMade = document.Change(ImportText(scope, fileName), focus, after);
    if (changed)
        *changed = stepMade;
    return errors;
}

QString ExchangeController::ExportTitle() const
{
    return tr("Export %1").arg(ScopeText(Scope()));
}

QString ExchangeController::ImportTitle() const
{
    return tr("Import %1").arg(ScopeText(Scope()));
}

QString ExchangeController::DefaultFileName() const
{
    const ExchangeSelection scope = Scope();
    switch (scope.scope) {
    case ExchangeScope::AllCars:
        return QStringLiteral("cars.png");
    case ExchangeScope::Car:
        return QStringLiteral("car-%1.png").arg(scope.car + 1);
    default:
        return QStringLiteral("sprite-%1-%2.png").arg(scope.car + 1).arg(scope.sprite + 1);
    }
}

void ExchangeController::SaveSprite()
{
    const FileRequest request{ExportTitle(), QStringLiteral("exchange"), DefaultFileName(), QString(),
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
    const ExchangeSelection scope = Scope();
    QString errors;
    int written = 0;
    ExportSprites(fileName, type, &errors, &written);
    if (written > 0) {
        QString text;
        if (scope.separateFiles && scope.scope != ExchangeScope::Sprite)
            text = (written == 1 ? tr("Exported 1 sprite to %1/") : tr("Exported %1 sprites to %2/").arg(written))
                       .arg(QFileInfo(fileName).dir().dirName());
        else
            text = tr("Exported %1 to %2").arg(ScopeText(scope), QFileInfo(fileName).fileName());
        if (!errors.isEmpty())
            text += FailedText(errors);
        status.showStatus(text);
    }
    if (!errors.isEmpty())
        ShowList(tr("Export"), errors, QCoreApplication::translate("ExchangeController", "File write error"));
}

void ExchangeController::LoadSprite()
{
    const FileRequest request{ImportTitle(), QStringLiteral("exchange"), DefaultFileName(), QString(),
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
    const ExchangeSelection scope = Scope();
    bool stepMade = false;
    QStringList notes;
    const QString errors = ImportSprites(fileName, &stepMade, &notes);
    if (errors.isEmpty() || stepMade) {
        QString text = tr("Imported %1 from %2").arg(ScopeText(scope), QFileInfo(fileName).fileName());
        if (!errors.isEmpty())
            text += FailedText(errors);
        for (const QString &note : notes)
            text += QStringLiteral("; ") + note;
        status.showStatus(text);
    }
    if (!errors.isEmpty())
        ShowList(tr("Import"), LoadErrorText::Shown(errors));
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
                                      BoxMatchOptions(controls));
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
