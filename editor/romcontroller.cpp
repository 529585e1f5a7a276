#include "editor/romcontroller.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QMessageBox>

#include "rom/factorydata.h"
#include "rom/numbertext.h"
#include "rom/romsave.h"
#include "rom/romwriter.h"

RomController::RomController(EditorContext &context, QObject *parent) : QObject(parent), context(context)
{
    setObjectName(QStringLiteral("romController"));
}

void RomController::Save()
{
    QMessageBox question;
    question.setInformativeText(tr("Do you want to save your changes?"));
    question.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Save);
    if (question.exec() != QMessageBox::Save)
        return;
    SaveToRom();
}

bool RomController::SaveToRom()
{
    CarDocument &document = *context.document;
    const auto warn = [](const QString &reason) {
        QMessageBox::warning(nullptr, tr("Save failed"), tr("%1\nThe edits are kept in the editor.").arg(reason));
    };
    if (!document.imageError().isEmpty()) {
        // Never read whole, so there is no image to save from.
        warn(document.imageError());
        return false;
    }

    // Before writing, make sure nobody else's work is overwritten unasked.
    RomImage &image = document.image();
    const QString name = QFileInfo(image.path).fileName();
    switch (CheckOnDisk(image)) {
    case DiskState::Unchanged:
        break;
    case DiskState::Missing: {
        QMessageBox question(QMessageBox::Warning, tr("Save"),
                             tr("%1 no longer exists: it was deleted or renamed since it was opened.").arg(name));
        question.setInformativeText(tr("Write the whole ROM as opened, game code included, with your changes "
                                       "back to \"%1\"?").arg(QDir::toNativeSeparators(image.path)));
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

    // A file opened in spite of the ROM check (too short) would grow: ask.
    const qsizetype newSize = document.bytesToSave().size();
    if (image.stamp.exists && newSize > image.fileBytes.size()) {
        QMessageBox question(QMessageBox::Warning, tr("Save"),
                             tr("Saving makes %1 larger: it grows from %2 to %3.")
                                 .arg(name, ByteCountText(image.fileBytes.size()), ByteCountText(newSize)));
        question.setInformativeText(tr("Save and let the file grow?"));
        question.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel);
        question.setDefaultButton(QMessageBox::Cancel);
        if (question.exec() != QMessageBox::Save)
            return false;
    }

    const SaveResult result = document.SaveToFile();
    if (!result.ok) {
        // The file is as it was (or holds only whole changed bytes); the
        // tables and the stack are as they were.
        warn(result.error);
        return false;
    }
    if (document.hasPendingOffsets()) {
        DocumentTables baked = document.tables();
        ApplySpriteOffsets(baked.sprites, baked.offsets);
        document.Change(tr("Apply sprite offsets"), {}, baked);
    }
    document.MarkSaved();
    lastSave = result;
    emit saved();
    emit statusMessage(tr("Saved %1 (%2, checksum %3)%4")
                           .arg(name, ByteCountText(image.fileBytes.size()),
                                QStringLiteral("%1").arg(RomChecksum(document.plainImage()), 4, 16, QLatin1Char('0')).toUpper(),
                                result.method == SaveResult::Method::InPlace ? tr(", written in place") : QString()));
    return true;
}

void RomController::RestoreRom()
{
    // Back to the data as read at start, also after a save; the pending
    // offsets and the background colour are not part of the ROM data.
    CarDocument &document = *context.document;
    DocumentTables after = document.original();
    after.offsets = document.offsets();
    document.Change(tr("Restore All Rom"), {}, after);
}

void RomController::RestoreDefaults()
{
    // The factory data embedded as ":/defaults.bin"; missing or damaged data
    // replaces nothing. The offsets stay as they are.
    QFile resource(QStringLiteral(":/defaults.bin"));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    const std::optional<CarData> factory = ParseFactoryData(resource.readAll());
    if (!factory)
        return;
    const CarData normalized = NormalizeCarData(*factory);
    DocumentTables after = context.document->tables();
    after.sprites = normalized.sprites;
    after.palettes = factory->palettes;
    after.characteristics = normalized.characteristics;
    after.weapons = normalized.weapons;
    context.document->Change(tr("Restore Defaults"), {}, after);
}
