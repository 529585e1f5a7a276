#include "app/skmcareditor.h"

#include <QDir>
#include <QMessageBox>

#include "rom/romwriter.h"

void SKMcarEditor::Save()
{
    QMessageBox question;
    question.setInformativeText(tr("Do you want to save your changes?"));
    question.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Save);
    if (question.exec() != QMessageBox::Save)
        return;

    SaveToRom();
    // The offsets are baked into the pixels now (also when the write failed),
    // so the move controls must be reloaded.
    DisplaySpriteById();
}

void SKMcarEditor::RestoreRom()
{
    // Back to the data as read at start, also after a save; the pending
    // offsets and the background colour are not part of the ROM data.
    sprites = romSprites;
    palettes = romPalettes;
    characteristics = romCharacteristics;
    weapons = romWeapons;
    DisplaySpriteById();
    ShowColors();
    ShowCarEquipment();
}

bool SKMcarEditor::SaveToRom()
{
    ApplySpriteOffsets();
    const CarData data{sprites, palettes, characteristics, weapons};
    QString reason;
    if (WriteRom(romFileName, data, &reason))
        return true;

    // The writer leaves the file as it was; tell the user, the edits stay in memory.
    QMessageBox::warning(nullptr, tr("Save failed"),
                         tr("The ROM file \"%1\" could not be saved:\n%2")
                             .arg(QDir::toNativeSeparators(romFileName), reason));
    return false;
}
