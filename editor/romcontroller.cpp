#include "editor/romcontroller.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "rom/factorydata.h"
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
    const CarData data = document.dataToSave();
    QString reason;
    if (!WriteRom(document.path(), data, &reason)) {
        // The file is as it was and so are the tables; the edits stay.
        QMessageBox::warning(nullptr, tr("Save failed"),
                             tr("The ROM file \"%1\" could not be saved:\n%2")
                                 .arg(QDir::toNativeSeparators(document.path()), reason));
        return false;
    }
    if (document.hasPendingOffsets()) {
        DocumentTables baked = document.tables();
        ApplySpriteOffsets(baked.sprites, baked.offsets);
        document.Change(tr("Apply sprite offsets"), {}, baked);
    }
    document.MarkSaved();
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
