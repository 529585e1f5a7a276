#include "editor/exchangecontroller.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "editor/spriteviewcontroller.h"
#include "exchange/exchangedata.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "exchange/spritefiles.h"
#include "exchange/spriteimport.h"
#include "ui_skmcareditor.h"

namespace {

const QString kQuickExchangeFile = QStringLiteral("sprite.bmp");

// The quick exchange file in the working folder, as messages name it.
QString QuickExchangePath()
{
    return QDir::toNativeSeparators(QDir::current().absoluteFilePath(kQuickExchangeFile));
}

ExchangeSelection SelectionOf(const Ui::SKMcarEditor &ui)
{
    ExchangeSelection selection;
    if (ui.radioButtonSaveAll->isChecked())
        selection.scope = ExchangeScope::AllCars;
    else if (ui.radioButtonSaveCar->isChecked())
        selection.scope = ExchangeScope::Car;
    else
        selection.scope = ExchangeScope::Sprite;
    selection.car = ui.spinBoxCarNumber->value() - 1;
    selection.sprite = ui.spinBoxSpriteNumber->value() - 1;
    selection.separateFiles = ui.checkBoxMultipleFiles->isChecked();
    return selection;
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

const QString kPictureFilter = QStringLiteral("Images (*.png *.bmp)");
const QString kIndexedFilter = QStringLiteral("PNG, indexed (*.png)");
const QString kRawFilter = QStringLiteral("Binary files (*.bin)");

// Longest list a message box shows in its text; the whole list goes to the details.
constexpr int kShownLines = 12;

// A modal box without parent with one OK button, as every exchange message:
// the heading (if any), then the lines of text, at most kShownLines of them
// (the whole text goes to the details then).
void ShowMessage(const QString &text, const QString &heading = {})
{
    QMessageBox box;
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() > kShownLines) {
        const qsizetype more = lines.size() - kShownLines;
        box.setDetailedText(text);
        lines = lines.mid(0, kShownLines);
        lines.append(QObject::tr("... and %1 more").arg(more));
    }
    if (!heading.isEmpty())
        lines.prepend(heading);
    box.setText(lines.join(QLatin1Char('\n')));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

// "; 3 files failed": the tail of a status message when some files failed.
QString FailedText(const QString &errors)
{
    const qsizetype failed = errors.count(QLatin1Char('\n'));
    return failed == 1 ? QObject::tr("; 1 file failed") : QObject::tr("; %1 files failed").arg(failed);
}

} // namespace

ExchangeController::ExchangeController(EditorContext &context, const SpriteViewController &view, QObject *parent)
    : QObject(parent), context(context), view(view)
{
    setObjectName(QStringLiteral("exchangeController"));
}

bool ExchangeController::ImageToSprite(const QImage &image, int car, int sprite)
{
    DocumentTables after = context.document->tables();
    if (car < 0 || car >= kCarCount || sprite < 0 || sprite >= kSpritesPerCar)
        return false;
    if (car >= after.sprites.size() || sprite >= after.sprites[car].size())
        return false;
    std::optional<SpritePixels> pixels = ConvertSpritePicture(image, context.CurrentPalette(),
                                                              context.document->background(),
                                                              context.ui->checkBoxDither->isChecked());
    if (!pixels)
        return false;
    after.sprites[car][sprite] = *pixels;
    context.document->Change(tr("Import a picture into sprite %1 of car %2").arg(sprite + 1).arg(car + 1),
                             {car, sprite, -1}, after);
    return true;
}

bool ExchangeController::ImageToCar(const QImage &image, int car)
{
    DocumentTables after = context.document->tables();
    if (car < 0 || car >= kCarCount || car >= after.sprites.size())
        return false;
    if (!ConvertCarSheet(image, context.CurrentPalette(), context.document->background(),
                         context.ui->checkBoxDither->isChecked(), after.sprites[car]))
        return false;
    context.document->Change(tr("Import a picture into car %1").arg(car + 1), {car, -1, -1}, after);
    return true;
}

QImage ExchangeController::RenderCarSheet(int car) const
{
    const CarDocument &document = *context.document;
    const ExchangeData data{document.sprites(), document.offsets(), context.CurrentPalette(), document.background()};
    return CarSheetPicture(data, car);
}

bool ExchangeController::ExportSprites(const QString &fileName, SpriteFileType type, QString *errors, int *written)
{
    const CarDocument &document = *context.document;
    const ExchangeData data{document.sprites(), document.offsets(), context.CurrentPalette(), document.background()};
    return WriteSpriteFiles(fileName, Selection(), data, type, errors, written);
}

QString ExchangeController::ImportSprites(const QString &fileName, bool *changed, QStringList *notes)
{
    CarDocument &document = *context.document;
    const ExchangeSelection selection = Selection();
    ExchangeData data{document.sprites(), document.offsets(), context.CurrentPalette(), document.background()};
    ImportNotes found;
    const QString errors = ReadSpriteFiles(fileName, selection, data, context.ui->checkBoxDither->isChecked(), &found);
    if (notes)
        *notes = found.Lines();

    DocumentTables after = document.tables();
    after.sprites = data.sprites;
    after.offsets = data.offsets;
    const StepFocus focus{selection.scope == ExchangeScope::AllCars ? -1 : selection.car,
                          selection.scope == ExchangeScope::Sprite ? selection.sprite : -1, -1};
    const bool stepMade = document.Change(ImportText(selection, fileName), focus, after);
    if (changed)
        *changed = stepMade;
    return errors;
}

ExchangeSelection ExchangeController::Selection() const
{
    return SelectionOf(*context.ui);
}

QString ExchangeController::ExportTitle() const
{
    return tr("Export %1").arg(ScopeText(Selection()));
}

QString ExchangeController::ImportTitle() const
{
    return tr("Import %1").arg(ScopeText(Selection()));
}

QString ExchangeController::DefaultFileName() const
{
    const ExchangeSelection selection = Selection();
    switch (selection.scope) {
    case ExchangeScope::AllCars:
        return QStringLiteral("cars.png");
    case ExchangeScope::Car:
        return QStringLiteral("car-%1.png").arg(selection.car + 1);
    default:
        return QStringLiteral("sprite-%1-%2.png").arg(selection.car + 1).arg(selection.sprite + 1);
    }
}

void ExchangeController::SaveSprite()
{
    QString filter;
    QString fileName = QFileDialog::getSaveFileName(
        context.window, ExportTitle(), QDir(folder).filePath(DefaultFileName()),
        QStringList{kPictureFilter, kIndexedFilter, kRawFilter}.join(QStringLiteral(";;")), &filter);
    if (fileName.isEmpty())
        return;
    folder = QFileInfo(fileName).absolutePath();
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += filter == kRawFilter ? QStringLiteral(".bin") : QStringLiteral(".png");
    ExportTo(fileName, filter == kIndexedFilter ? SpriteFileType::IndexedPicture : SpriteFileType::BySuffix);
}

void ExchangeController::ExportTo(const QString &fileName, SpriteFileType type)
{
    const ExchangeSelection selection = Selection();
    QString errors;
    int written = 0;
    ExportSprites(fileName, type, &errors, &written);
    if (written > 0) {
        QString text;
        if (selection.separateFiles && selection.scope != ExchangeScope::Sprite)
            text = (written == 1 ? tr("Exported 1 sprite to %1/") : tr("Exported %1 sprites to %2/").arg(written))
                       .arg(QFileInfo(fileName).dir().dirName());
        else
            text = tr("Exported %1 to %2").arg(ScopeText(selection), QFileInfo(fileName).fileName());
        if (!errors.isEmpty())
            text += FailedText(errors);
        emit statusMessage(text);
    }
    if (!errors.isEmpty())
        ShowMessage(errors, QStringLiteral("File write error"));
}

void ExchangeController::LoadSprite()
{
    const QString fileName = QFileDialog::getOpenFileName(
        context.window, ImportTitle(), QDir(folder).filePath(DefaultFileName()),
        QStringLiteral("Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg);;Binary files (*.bin);;"
                       "Images (*.png *.bmp *.gif *.jpg *.jpeg);;All files(*.*)"));
    if (fileName.isEmpty())
        return;
    folder = QFileInfo(fileName).absolutePath();
    ImportFrom(fileName);
}

void ExchangeController::ImportDroppedFile(const QString &path)
{
    ImportFrom(path);
}

void ExchangeController::ImportFrom(const QString &fileName)
{
    const ExchangeSelection selection = Selection();
    bool stepMade = false;
    QStringList notes;
    const QString errors = ImportSprites(fileName, &stepMade, &notes);
    if (errors.isEmpty() || stepMade) {
        QString text = tr("Imported %1 from %2").arg(ScopeText(selection), QFileInfo(fileName).fileName());
        if (!errors.isEmpty())
            text += FailedText(errors);
        for (const QString &note : notes)
            text += QStringLiteral("; ") + note;
        emit statusMessage(text);
    }
    if (!errors.isEmpty())
        ShowMessage(errors);
}

void ExchangeController::QuickSpriteOut()
{
    // A status message when it works; one box with the reason when it does not.
    QString reason;
    if (!WritePictureFile(kQuickExchangeFile,
                          view.ComposeSprite(context.CurrentCar(), context.CurrentSprite(), false, false, true),
                          &reason)) {
        ShowMessage(QStringLiteral("Cannot write \"%1\": %2").arg(QuickExchangePath(), reason));
        return;
    }
    emit statusMessage(tr("Wrote sprite %1 of car %2 to %3")
                           .arg(context.CurrentSprite() + 1).arg(context.CurrentCar() + 1).arg(kQuickExchangeFile));
}

void ExchangeController::QuickSpriteIn()
{
    QString reason;
    const QImage picture = ReadPictureFile(kQuickExchangeFile, QSize(kSpriteSide, kSpriteSide), &reason);
    if (reason.isEmpty() && picture.size() != QSize(kSpriteSide, kSpriteSide))
        reason = QStringLiteral("the picture is %1 x %2 pixels, not %3 x %3")
                     .arg(picture.width()).arg(picture.height()).arg(kSpriteSide);
    const int car = context.CurrentCar();
    const int sprite = context.CurrentSprite();
    DocumentTables after = context.document->tables();
    if (car < 0 || car >= after.sprites.size() || sprite < 0 || sprite >= after.sprites.at(car).size())
        return;
    std::optional<SpritePixels> pixels;
    if (reason.isEmpty()) {
        pixels = ConvertSpritePicture(picture, context.CurrentPalette(), context.document->background(),
                                      context.ui->checkBoxDither->isChecked());
        if (!pixels)
            reason = QStringLiteral("the picture cannot be converted");
    }
    if (!reason.isEmpty()) {
        ShowMessage(QStringLiteral("Cannot load \"%1\": %2").arg(QuickExchangePath(), reason));
        return;
    }
    after.sprites[car][sprite] = *pixels;
    ClearOffset(after.offsets, car, sprite);
    context.document->Change(tr("Quick import into sprite %1 of car %2").arg(sprite + 1).arg(car + 1),
                             {car, sprite, -1}, after);
}
