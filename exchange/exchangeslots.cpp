// The window's sprite exchange: the dialogs and messages around the exchange
// core, which does the converting, the file naming and the size checks.
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "app/skmcareditor.h"
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

// A modal box without parent with one OK button, as every exchange message.
void ShowMessage(const QString &text)
{
    QMessageBox box;
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace

bool SKMcarEditor::ImageToSprite(const QImage &image, int car, int sprite)
{
    if (car < 0 || car >= kCarCount || sprite < 0 || sprite >= kSpritesPerCar)
        return false;
    if (car >= sprites.size() || sprite >= sprites[car].size())
        return false;
    std::optional<SpritePixels> pixels = ConvertSpritePicture(image, palettes.value(CurrentPaletteIndex()),
                                                              backgroundColor, ui->checkBoxDither->isChecked());
    if (!pixels)
        return false;
    sprites[car][sprite] = *pixels;
    return true;
}

bool SKMcarEditor::ImageToCar(const QImage &image, int car)
{
    if (car < 0 || car >= kCarCount || car >= sprites.size())
        return false;
    return ConvertCarSheet(image, palettes.value(CurrentPaletteIndex()), backgroundColor,
                           ui->checkBoxDither->isChecked(), sprites[car]);
}

QImage SKMcarEditor::RenderCarSheet(int car) const
{
    const ExchangeData data{sprites, spriteOffsets, palettes.value(CurrentPaletteIndex()), backgroundColor};
    return CarSheetPicture(data, car);
}

bool SKMcarEditor::ExportSprites(const QString &fileName)
{
    const ExchangeData data{sprites, spriteOffsets, palettes.value(CurrentPaletteIndex()), backgroundColor};
    return WriteSpriteFiles(fileName, SelectionOf(*ui), data);
}

QString SKMcarEditor::ImportSprites(const QString &fileName)
{
    ExchangeData data{sprites, spriteOffsets, palettes.value(CurrentPaletteIndex()), backgroundColor};
    const QString errors = ReadSpriteFiles(fileName, SelectionOf(*ui), data, ui->checkBoxDither->isChecked());
    sprites = data.sprites;
    spriteOffsets = data.offsets;
    DisplaySpriteById();
    return errors;
}

void SKMcarEditor::SaveSprite()
{
    const QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save Sprite"), QString(),
                                                          QStringLiteral("Images (*.png *.bmp);;Binary files (*.bin)"));
    if (fileName.isEmpty())
        return;
    if (!ExportSprites(fileName))
        ShowMessage(QStringLiteral("File write error"));
}

void SKMcarEditor::LoadSprite()
{
    const QString fileName = QFileDialog::getOpenFileName(
        this, QStringLiteral("Load Sprite"), QString(),
        QStringLiteral("Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg);;Binary files (*.bin);;"
                       "Images (*.png *.bmp *.gif *.jpg *.jpeg);;All files(*.*)"));
    if (fileName.isEmpty())
        return;
    const QString errors = ImportSprites(fileName);
    if (!errors.isEmpty())
        ShowMessage(errors);
}

void SKMcarEditor::QuickSpriteOut()
{
    // Silent when it works; one message with the reason when it does not.
    QString reason;
    if (!WritePictureFile(kQuickExchangeFile, ComposeSprite(CurrentCar(), CurrentSprite(), false, false, true),
                          &reason))
        ShowMessage(QStringLiteral("Cannot write \"%1\": %2").arg(QuickExchangePath(), reason));
}

void SKMcarEditor::QuickSpriteIn()
{
    QString reason;
    const QImage picture = ReadPictureFile(kQuickExchangeFile, QSize(kSpriteSide, kSpriteSide), &reason);
    if (reason.isEmpty() && picture.size() != QSize(kSpriteSide, kSpriteSide))
        reason = QStringLiteral("the picture is %1 x %2 pixels, not %3 x %3")
                     .arg(picture.width()).arg(picture.height()).arg(kSpriteSide);
    const int car = CurrentCar();
    const int sprite = CurrentSprite();
    if (reason.isEmpty() && !ImageToSprite(picture, car, sprite))
        reason = QStringLiteral("the picture cannot be converted");
    if (!reason.isEmpty()) {
        ShowMessage(QStringLiteral("Cannot load \"%1\": %2").arg(QuickExchangePath(), reason));
        return;
    }
    ClearOffset(spriteOffsets, car, sprite);
    DisplaySpriteById();
}
