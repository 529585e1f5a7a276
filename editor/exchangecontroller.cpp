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

// "Import car 3 from car.png": what an import step is called.
QString ImportText(const ExchangeSelection &selection, const QString &fileName)
{
    const QString file = QFileInfo(fileName).fileName();
    switch (selection.scope) {
    case ExchangeScope::AllCars:
        return QObject::tr("Import all cars from %1").arg(file);
    case ExchangeScope::Car:
        return QObject::tr("Import car %1 from %2").arg(selection.car + 1).arg(file);
    default:
        return QObject::tr("Import sprite %1 of car %2 from %3").arg(selection.sprite + 1).arg(selection.car + 1).arg(file);
    }
}

// A modal box without parent with one OK button, as every exchange message.
void ShowMessage(const QString &text)
{
    QMessageBox box;
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
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

bool ExchangeController::ExportSprites(const QString &fileName)
{
    const CarDocument &document = *context.document;
    const ExchangeData data{document.sprites(), document.offsets(), context.CurrentPalette(), document.background()};
    return WriteSpriteFiles(fileName, SelectionOf(*context.ui), data);
}

QString ExchangeController::ImportSprites(const QString &fileName)
{
    CarDocument &document = *context.document;
    const ExchangeSelection selection = SelectionOf(*context.ui);
    ExchangeData data{document.sprites(), document.offsets(), context.CurrentPalette(), document.background()};
    const QString errors = ReadSpriteFiles(fileName, selection, data, context.ui->checkBoxDither->isChecked());

    DocumentTables after = document.tables();
    after.sprites = data.sprites;
    after.offsets = data.offsets;
    const StepFocus focus{selection.scope == ExchangeScope::AllCars ? -1 : selection.car,
                          selection.scope == ExchangeScope::Sprite ? selection.sprite : -1, -1};
    document.Change(ImportText(selection, fileName), focus, after);
    return errors;
}

void ExchangeController::SaveSprite()
{
    const QString fileName = QFileDialog::getSaveFileName(context.window, QStringLiteral("Save Sprite"), QString(),
                                                          QStringLiteral("Images (*.png *.bmp);;Binary files (*.bin)"));
    if (fileName.isEmpty())
        return;
    if (!ExportSprites(fileName))
        ShowMessage(QStringLiteral("File write error"));
}

void ExchangeController::LoadSprite()
{
    const QString fileName = QFileDialog::getOpenFileName(
        context.window, QStringLiteral("Load Sprite"), QString(),
        QStringLiteral("Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg);;Binary files (*.bin);;"
                       "Images (*.png *.bmp *.gif *.jpg *.jpeg);;All files(*.*)"));
    if (fileName.isEmpty())
        return;
    const QString errors = ImportSprites(fileName);
    if (!errors.isEmpty())
        ShowMessage(errors);
}

void ExchangeController::QuickSpriteOut()
{
    // Silent when it works; one message with the reason when it does not.
    QString reason;
    if (!WritePictureFile(kQuickExchangeFile,
                          view.ComposeSprite(context.CurrentCar(), context.CurrentSprite(), false, false, true),
                          &reason))
        ShowMessage(QStringLiteral("Cannot write \"%1\": %2").arg(QuickExchangePath(), reason));
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
