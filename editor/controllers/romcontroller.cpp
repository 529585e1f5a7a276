#include "editor/controllers/romcontroller.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <QTimer>

#include "document/cardocument.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "rom/factorydata.h"
#include "rom/numbertext.h"
#include "rom/outputfile.h"
#include "rom/romsave.h"
#include "rom/romwriter.h"

RomController::RomController(CarDocument &document, Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                             QObject *parent)
    : QObject(parent), document(document), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("romController"));
    connect(actions.add({QStringLiteral("actionSave"), tr("&Save"), QKeySequence::keyBindings(QKeySequence::Save)}),
            &QAction::triggered, this, &RomController::SaveToRom);
    connect(actions.add({QStringLiteral("actionRestoreRom"), tr("Restore &All Rom")}), &QAction::triggered, this,
            &RomController::RestoreRom);
    connect(actions.add({QStringLiteral("actionRestoreDefaults"), tr("Restore &Defaults")}), &QAction::triggered,
            this, &RomController::RestoreDefaults);
}

void RomController::Save()
{
    if (prompts.confirm({tr("Save"), QString(), tr("Do you want to save your changes?"), tr("Save"), true}))
        SaveToRom();
}

bool RomController::SaveToRom()
{
    // A save waiting for the lock already (the window's event loop runs meanwhile).
    if (saving)
        return false;
    const QScopedValueRollback<bool> busy(saving, true);
    const auto warn = [this](const QString &reason) {
        prompts.warn(tr("Save failed"), tr("%1\nThe edits are kept in the editor.").arg(reason));
    };
    if (!document.imageError().isEmpty()) {
        // Never read whole, so there is no image to save from.
        warn(document.imageError());
        return false;
    }

    // The lock first: a command writing the file finishes before we look at it,
    // and none starts between our look and our write.
    RomImage &image = document.image();
    const QString name = QFileInfo(image.path).fileName();
    const std::optional<RomFileLock> lock = LockForSave(image.path);
    if (!lock)
        return false;

    // Before writing, make sure nobody else's work is overwritten unasked.
    switch (CheckOnDisk(image)) {
    case DiskState::Unchanged:
        break;
    case DiskState::Missing:
        if (!prompts.confirm({tr("Save"),
                              tr("%1 no longer exists: it was deleted or renamed since it was opened.").arg(name),
                              tr("Write the whole ROM as opened, game code included, with your changes back to "
                                 "\"%1\"?").arg(QDir::toNativeSeparators(image.path)),
                              tr("Write back"), true}))
            return false;
        break;
    case DiskState::Changed:
        if (!prompts.confirm({tr("Save"), tr("%1 was changed by another program since it was opened.").arg(name),
                              tr("Overwrite it with the ROM as opened and your changes, or cancel and write "
                                 "nothing?"),
                              tr("Overwrite"), false}))
            return false;
        break;
    case DiskState::Redirected:
        // Overwriting would write into that other file: never offered.
        if (prompts.confirm({tr("Save"),
                             tr("%1 now leads to another file, %2: a link was put in its place since it was opened.")
                                 .arg(name, QDir::toNativeSeparators(RomWriteTarget(image.path))),
                             tr("Save a copy of the ROM with your changes under another name? %1 and the file it "
                                "leads to stay as they are.").arg(name),
                             tr("Save a Copy As..."), false}))
            SaveCopyElsewhere();
        return false;
    }

    // A file opened in spite of the ROM check (too short) would grow: ask.
    const qsizetype newSize = document.bytesToSave().size();
    if (image.stamp.exists && newSize > image.fileBytes.size()) {
        if (!prompts.confirm({tr("Save"),
                              tr("Saving makes %1 larger: it grows from %2 to %3.")
                                  .arg(name, ByteCountText(image.fileBytes.size()), ByteCountText(newSize)),
                              tr("Save and let the file grow?"), tr("Save"), false}))
            return false;
    }

    const Result<SaveMethod> result = document.SaveToFile(*lock);
    if (!result) {
        // The file is as it was (or holds only whole changed bytes); the
        // tables and the stack are as they were.
        warn(result.message());
        return false;
    }
    if (document.hasPendingOffsets()) {
        DocumentTables baked = document.tables();
        ApplySpriteOffsets(baked.sprites, baked.offsets);
        document.Change(tr("Apply sprite offsets"), {}, baked);
    }
    document.MarkSaved();
    emit saved();
    status.showStatus(tr("Saved %1 (%2, checksum %3)%4")
                           .arg(name, ByteCountText(image.fileBytes.size()),
                                QStringLiteral("%1").arg(RomChecksum(document.plainImage()), 4, 16, QLatin1Char('0')).toUpper(),
                                *result == SaveMethod::InPlace ? tr(", written in place") : QString()));
    return true;
}

std::optional<RomFileLock> RomController::LockForSave(const QString &path)
{
    Result<RomFileLock> lock = RomFileLock::TryAcquire(path, RomFileLock::Mode::Exclusive);
    if (!lock && RomFileLock::IsBusy(lock.failure())) {
        // Another program is writing the file: try again now and then, the
        // window answering meanwhile, until it is done or the user cancels.
        bool cancelled = false;
        QEventLoop loop;
        QTimer retry;
        retry.setInterval(kLockRetryMs);
        connect(&retry, &QTimer::timeout, &loop, [&] {
            lock = RomFileLock::TryAcquire(path, RomFileLock::Mode::Exclusive);
            if (lock || !RomFileLock::IsBusy(lock.failure()))
                loop.quit();
        });
        const std::unique_ptr<WaitingMessage> message = prompts.showWaiting(
            tr("Save"), tr("Waiting for another program to finish with %1...").arg(QFileInfo(path).fileName()), [&] {
                cancelled = true;
                loop.quit();
            });
        retry.start();
        loop.exec();
        if (cancelled) {
            status.showStatus(tr("Save cancelled: %1 was not written.").arg(QFileInfo(path).fileName()));
            return std::nullopt;
        }
    }
    if (!lock) {
        prompts.warn(tr("Save failed"), tr("%1\nThe edits are kept in the editor.").arg(lock.message()));
        return std::nullopt;
    }
    return *lock;
}

void RomController::SaveCopyElsewhere()
{
    const QFileInfo info(document.path());
    const FileChoice choice = prompts.chooseFileToSave({tr("Save a Copy As"), QString(),
                                                        info.completeBaseName() + tr("-copy.") + info.suffix(),
                                                        info.absolutePath(),
                                                        {{tr("ROM images (*.bin *.smd *.gen *.md)"), {}}, {tr("All files (*)"), {}}}});
    if (choice.cancelled())
        return;
    const QByteArray bytes = document.bytesToSave();
    if (const Result<void> written = WriteOutputFile(choice.path, bytes); !written) {
        prompts.showFailure(tr("Save a Copy As"), written.failure());
        return;
    }
    status.showStatus(tr("Saved a copy as %1 (%2); %3 was not written")
                           .arg(QFileInfo(choice.path).fileName(), ByteCountText(bytes.size()), info.fileName()));
}

void RomController::RestoreRom()
{
    // Back to the data as read at start, also after a save; the pending
    // offsets and the background colour are not part of the ROM data.
    DocumentTables after = document.original();
    after.offsets = document.offsets();
    if (!document.Change(tr("Restore All Rom"), {}, after)) {
        status.showStatus(tr("Every car is as the ROM was opened already: nothing to restore"));
        return;
    }
    status.showStatus(tr("Restored the sprites, palettes, characteristics and weapons of all cars as the ROM was "
                          "opened. Ctrl+Z takes it back."));
}

void RomController::RestoreDefaults()
{
    // The factory data embedded as ":/defaults.bin"; missing or damaged data
    // replaces nothing and says so. The offsets stay as they are.
    QFile resource(QStringLiteral(":/defaults.bin"));
    if (!resource.open(QIODevice::ReadOnly)) {
        prompts.showFailure(tr("Restore Defaults"), {resource.fileName(), resource.errorString(), 0, Failure::Action::Read});
        return;
    }
    const std::optional<CarData> factory = ParseFactoryData(resource.readAll());
    if (!factory) {
        prompts.showFailure(tr("Restore Defaults"),
                            {resource.fileName(), tr("the factory data is damaged"), 0, Failure::Action::Read});
        return;
    }
    const CarData normalized = NormalizeCarData(*factory);
    DocumentTables after = document.tables();
    after.sprites = normalized.sprites;
    after.palettes = factory->palettes;
    after.characteristics = normalized.characteristics;
    after.weapons = normalized.weapons;
    if (!document.Change(tr("Restore Defaults"), {}, after)) {
        status.showStatus(tr("Every car has the game's defaults already: nothing to replace"));
        return;
    }
    status.showStatus(tr("Replaced the sprites, palettes, characteristics and weapons of all cars with the game's "
                          "defaults. Ctrl+Z takes it back."));
}
