#pragma once

// A window on a small cartridge image for the exchange tests, and a helper
// that answers the file dialog and the message box of the exchange slots.

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTimer>

#include "editor/skmcareditor.h"
#include "core/exchangetestdata.h"
#include "windowprobe.h"
#include "exchange/exchangescope.h"
#include "rom/colorword.h"
#include "rom/romwriter.h"

// Sprites of random indices 0-5 and 11-15 (the ones a picture import gives
// back with the "Import/Export" palette); ROM palette p is the fixed palette
// with entries 1 to 3 changed, so no palette holds the background colour.
inline CarData ExchangeTestData(quint32 seed = 1)
{
    const QList<int> indices = CandidateIndices();
    QRandomGenerator random(seed);
    CarData data;
    for (int c = 0; c < kCarCount; ++c) {
        QList<SpritePixels> car;
        for (int s = 0; s < kSpritesPerCar; ++s) {
            SpritePixels pixels(kPixelsPerSprite);
            for (int &p : pixels)
                p = indices.at(random.bounded(int(indices.size())));
            car.append(pixels);
        }
        data.sprites.append(car);
    }
    for (int p = 0; p < kRomPaletteCount; ++p) {
        Palette palette = ImportExportPalette();
        palette[1] = QColor(ColorLevels[p % 8], 0, 36);
        data.palettes.append(palette);
    }
    return NormalizeCarData(data);
}

// Chooses the scope controls the way a user does.
inline void SelectScope(WindowProbe &probe, ExchangeScope scope, bool separateFiles, int carNumber = 1,
                        int spriteNumber = 1)
{
    const FormControls *ui = probe.ui();
    ui->radioButtonSaveSprite->setChecked(scope == ExchangeScope::Sprite);
    ui->radioButtonSaveCar->setChecked(scope == ExchangeScope::Car);
    ui->radioButtonSaveAll->setChecked(scope == ExchangeScope::AllCars);
    ui->checkBoxMultipleFiles->setChecked(separateFiles);
    ui->spinBoxCarNumber->setValue(carNumber);
    ui->spinBoxSpriteNumber->setValue(spriteNumber);
}

// Answers the modal dialogs that appear while it lives: a file dialog gets
// fileName (or is cancelled when fileName is empty), a message box is read and
// closed.
class DialogAnswerer : public QObject
{
public:
    explicit DialogAnswerer(const QString &fileName) : fileName(fileName)
    {
        connect(&timer, &QTimer::timeout, this, &DialogAnswerer::Answer);
        timer.start(10);
    }

    QStringList messages;
    QStringList dialogTitles;
    QStringList proposedNames;   // the file name each dialog proposed
    QString nameFilter;          // chosen in the next file dialog when not empty
    QStringList dialogFilters;   // the name filters of each, joined by ";;"

private:
    void Answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            dialogTitles.append(dialog->windowTitle());
            dialogFilters.append(dialog->nameFilters().join(QStringLiteral(";;")));
            proposedNames.append(QFileInfo(dialog->selectedFiles().value(0)).fileName());
            if (!nameFilter.isEmpty())
                dialog->selectNameFilter(nameFilter);
            if (fileName.isEmpty()) {
                dialog->reject();
            } else {
                // selectFile() leaves the name box alone while it has the keyboard focus, and
                // whether it has it yet depends on when the window got activated.
                if (QWidget *focused = dialog->focusWidget())
                    focused->clearFocus();
                dialog->selectFile(fileName);
                static_cast<QDialog *>(dialog)->accept();   // as the Open/Save button does
            }
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages.append(box->text());
            box->accept();
        }
    }

    QString fileName;
    QTimer timer;
};
