#include "recovery/recoverykeeper.h"

#include <algorithm>
#include <atomic>

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QUndoStack>

#include "document/cardocument.h"
#include "document/documentdelta.h"
#include "rom/outputfile.h"

namespace {

constexpr int kWriteIntervalMs = 1000;   // at most one write a second
constexpr int kStrokeRetryMs = 250;      // how often to look again while a stroke is drawn

std::atomic<int> keepersMade{0};

} // namespace

RecoveryKeeper::RecoveryKeeper(CarDocument *document, const QString &folder, QObject *parent)
    : QObject(parent),
      document(document),
      folder(folder),
      owner(QStringLiteral("%1.%2").arg(QCoreApplication::applicationPid()).arg(++keepersMade)),
      writeFile([](const QString &path, const QByteArray &bytes) { return WriteOutputFile(path, bytes); })
{
    // What a killed editor left besides its file: nothing offers or needs it.
    RemoveRecoveryLeftovers(folder);
    disk.setMaxThreadCount(1);
    disk.setExpiryTimeout(-1);
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, this, &RecoveryKeeper::WriteDue);
    onDisk = document->isModified() ? document->original() : DiskTables();
    // Only the steps count: a stroke's live updates change the tables
    // without one, and its step comes when the stroke ends.
    QUndoStack *stack = document->undoStack();
    connect(stack, &QUndoStack::indexChanged, this, &RecoveryKeeper::StepsChanged);
    connect(stack, &QUndoStack::cleanChanged, this, &RecoveryKeeper::CleanChanged);
    connect(document, &CarDocument::loaded, this, &RecoveryKeeper::Loaded);
    connect(document, &CarDocument::tablesChanged, this, [this] { liveChange = true; });
    if (document->isModified()) {
        due = true;
        Schedule();
    }
}

RecoveryKeeper::~RecoveryKeeper()
{
    if (due && document->isModified())
        (void)Write(true);
    disk.waitForDone();
    // The file stays for the next start; the lock goes with us.
}

void RecoveryKeeper::setFileWriter(FileWriter writer)
{
    disk.waitForDone();
    writeFile = std::move(writer);
}

void RecoveryKeeper::Discard()
{
    timer.stop();
    due = false;
    Remove();
}

Result<void> RecoveryKeeper::Flush()
{
    timer.stop();
    if (!due) {
        disk.waitForDone();
        return {};
    }
    return Write(true);
}

void RecoveryKeeper::StepsChanged()
{
    // A step's own tablesChanged comes before its indexChanged.
    liveChange = false;
    if (!document->isModified())
        return;   // CleanChanged removes the file
    due = true;
    Schedule();
}

void RecoveryKeeper::CleanChanged(bool clean)
{
    if (!clean)
        return;
    // Saved, or undone back to what was saved: the file holds what the
    // working tables hold.
    onDisk = DiskTables();
    timer.stop();
    due = false;
    Remove();
}

void RecoveryKeeper::Loaded()
{
    // Another ROM, or the same one read again: nothing of the old file applies.
    onDisk = document->original();
    timer.stop();
    due = false;
    Remove();
}

void RecoveryKeeper::Schedule()
{
    if (timer.isActive())
        return;
    const qint64 wait = sinceWrite.isValid() ? kWriteIntervalMs - sinceWrite.elapsed() : 0;
    // Even a write due at once waits for the event loop: never inside the
    // handler that made the step.
    timer.start(int(std::clamp<qint64>(wait, 0, kWriteIntervalMs)));
}

void RecoveryKeeper::WriteDue()
{
    if (!due)
        return;
    if (StrokeInProgress()) {
        timer.start(kStrokeRetryMs);
        return;
    }
    if (Result<void> result = Write(false); !result)
        emit writeFailed(result.message());
}

bool RecoveryKeeper::StrokeInProgress() const
{
    // A change without a step since the last step, with a button still held.
    return liveChange && qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        && QGuiApplication::mouseButtons() != Qt::NoButton;
}

DocumentTables RecoveryKeeper::DiskTables() const
{
    // The "Import/Export" palette is not in the ROM: a new open starts from
    // the fixed one.
    DocumentTables tables = document->tables();
    const PaletteTable &opened = document->original().palettes;
    if (tables.palettes.size() == opened.size() && opened.size() > kImportExportPalette)
        tables.palettes[kImportExportPalette] = opened.at(kImportExportPalette);
    return tables;
}

Result<void> RecoveryKeeper::Write(bool wait)
{
    due = false;
    sinceWrite.start();
    // A ROM that could not be read whole is never saved: nothing to recover.
    if (document->path().isEmpty() || !document->imageError().isEmpty())
        return {};
    const DocumentDelta changes = DocumentDelta::Between(onDisk, document->tables());
    if (changes.isEmpty()) {
        Remove();
        return {};
    }

    RecoveryRecord record;
    // The path the file is named for, for as long as it lives: the ROM may be
    // renamed meanwhile, and the next start finds the file by this path.
    if (file.isEmpty())
        romPath = RecoveryRomPath(document->path());
    record.romPath = romPath;
    record.rom = document->image().stamp;
    record.written = QDateTime::currentDateTimeUtc();
    record.ownerPid = QCoreApplication::applicationPid();
    record.ownerId = owner;
    record.changes = changes.afterBytes();

    if (file.isEmpty()) {
        if (!QDir().mkpath(folder))
            return Failure{folder, QStringLiteral("the folder cannot be made"), 0, Failure::Action::WriteInto};
        // Another editor may hold a lock of the name we draw: draw again.
        for (int attempt = 0; attempt < 3 && !lock; ++attempt) {
            const QString candidate = NewRecoveryFilePath(folder, record.romPath, owner);
            lock = RecoveryLock::TryLock(candidate + QStringLiteral(".lock"));
            if (lock)
                file = candidate;
        }
        if (!lock)
            return Failure{folder, QStringLiteral("no recovery file could be locked"), 0, Failure::Action::WriteInto};
    }
    const QByteArray bytes = EncodeRecoveryFile(record);
    if (wait) {
        // This state is newer than any waiting one.
        DropQueued();
        disk.waitForDone();
        Result<void> result = writeFile(file, bytes);
        Written(file, result);
        return result;
    }
    Queue(file, bytes);
    return {};
}

void RecoveryKeeper::Queue(const QString &path, const QByteArray &bytes)
{
    const QMutexLocker locked(&slotMutex);
    slot = bytes;
    slotPath = path;
    if (draining)
        return;   // the thread takes it when the write on the disk now is done
    draining = true;
    disk.start([this] { DrainSlot(); });
}

void RecoveryKeeper::DrainSlot()
{
    for (;;) {
        QByteArray bytes;
        QString path;
        {
            const QMutexLocker locked(&slotMutex);
            if (!slot) {
                draining = false;
                return;
            }
            bytes = *std::exchange(slot, std::nullopt);
            path = slotPath;
        }
        const Result<void> result = writeFile(path, bytes);
        // The destructor waits for this thread, so the keeper is there; the
        // answer is handled on the keeper's thread.
        QMetaObject::invokeMethod(this, [this, path, result] { Written(path, result); }, Qt::QueuedConnection);
    }
}

void RecoveryKeeper::DropQueued()
{
    const QMutexLocker locked(&slotMutex);
    slot.reset();
}

void RecoveryKeeper::Written(const QString &path, const Result<void> &result)
{
    if (result)
        emit written(path);
    else
        emit writeFailed(result.message());
}

void RecoveryKeeper::Remove()
{
    if (file.isEmpty())
        return;
    // After the write on the disk now (the one waiting is of no use any
    // more): none of them may bring it back.
    DropQueued();
    disk.waitForDone();
    RemoveOwnRecoveryEntry(file);
    if (lock)
        lock->RemoveAndRelease();
    lock.reset();
    file.clear();
    romPath.clear();
}
