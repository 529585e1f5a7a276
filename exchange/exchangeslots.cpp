// The window's sprite exchange: the dialogs and messages around the exchange
// core, which does the converting, the file naming and the size checks.
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
    // Quick export reports nothing; an unwritable folder simply leaves no file.
    WritePictureFile(kQuickExchangeFile, ComposeSprite(CurrentCar(), CurrentSprite(), false, false, true));
}

void SKMcarEditor::QuickSpriteIn()
{
    const QImage picture = ReadPictureFile(kQuickExchangeFile, QSize(kSpriteSide, kSpriteSide));
    const int car = CurrentCar();
    const int sprite = CurrentSprite();
    if (!ImageToSprite(picture, car, sprite))
        return;
    ClearOffset(spriteOffsets, car, sprite);
    DisplaySpriteById();
}
