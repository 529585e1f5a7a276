#include "app/skmcareditor.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "rom/romsave.h"

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
    const auto warn = [](const QString &reason) {
        QMessageBox::warning(nullptr, tr("Save failed"), tr("%1\nThe edits are kept in the editor.").arg(reason));
    };
    if (!romImageError.isEmpty()) {
        // Never read whole, so there is no image to save from.
        warn(romImageError);
        return false;
    }

    // The file named in the window is the one saved; before writing, make
    // sure nobody else's work is overwritten unasked.
    romImage.path = romFileName;
    const QString name = QFileInfo(romFileName).fileName();
    switch (CheckOnDisk(romImage)) {
    case DiskState::Unchanged:
        break;
    case DiskState::Missing: {
        QMessageBox question(QMessageBox::Warning, tr("Save"),
                             tr("%1 no longer exists: it was deleted or renamed since it was opened.").arg(name));
        question.setInformativeText(tr("Write the whole ROM as opened, game code included, with your changes "
                                       "back to \"%1\"?").arg(QDir::toNativeSeparators(romFileName)));
        question.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
        question.button(QMessageBox::Save)->setText(tr("Write back"));
        question.setDefaultButton(QMessageBox::Save);
        if (question.exec() != QMessageBox::Save)
            return false;
        break;
    }
    case DiskState::Changed: {
        QMessageBox question(QMessageBox::Warning, tr("Save"),
                             tr("%1 was changed by another program since it was opened.").arg(name));
        question.setInformativeText(tr("Overwrite it with the ROM as opened and your changes, or cancel and "
                                       "write nothing?"));
        question.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
        question.button(QMessageBox::Save)->setText(tr("Overwrite"));
        question.setDefaultButton(QMessageBox::Cancel);
        if (question.exec() != QMessageBox::Save)
            return false;
        break;
    }
    }

    const SaveResult result = SaveCarData(romImage, data);
    if (result.ok)
        return true;
    // The file is as it was (or holds only whole changed bytes); the edits stay in memory.
    warn(result.error);
    return false;
}
