#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QElapsedTimer>
#include <QMutex>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include "base/result.h"
#include "document/documenttables.h"
#include "recovery/recoveryfile.h"

class CarDocument;

// Keeps the recovery file of one document (one window) while the document has
// unsaved changes: written after each step at most once a second, never from
// a pen stroke's live updates and never while a mouse button is held during
// one; removed when the document becomes clean (saved, or undone back to the
// saved state), when another ROM is loaded or the ROM is reverted, and by
// Discard(). The file holds the working tables that differ from the ROM as
// on disk (as opened, or as last saved). The changes are encoded where the
// step was made; the disk work (the writer waits for the data to reach the
// disk) runs on a thread of its own, one file operation after the other. On
// a slow disk the states asked for meanwhile are merged: only the latest one
// waits, so the file is never more than one write behind the document.
// At its start it removes what dead editors left in the folder besides their
// recovery files (RemoveRecoveryLeftovers).
//
// Create it after the document and destroy it before (a member declared
// after the document does that).
class RecoveryKeeper : public QObject
{
    Q_OBJECT

public:
    explicit RecoveryKeeper(CarDocument *document, const QString &folder = RecoveryFolder(),
                            QObject *parent = nullptr);
    // Writes what is not written yet (the program ends without a Discard, as
    // on a logout) and lets go of the lock: the next start offers the file.
    ~RecoveryKeeper() override;

    // The user closes the window discarding the changes: removes the file.
    // Writing starts again with the next step.
    void Discard();
    // Writes now when a write is due and waits until every write asked for is
    // on disk (before a risky operation, at quit).
    Result<void> Flush();

    // The file written last; empty while there is none.
    QString filePath() const { return file; }
    // The owner id written into the file: process id and window number.
    const QString &ownerId() const { return owner; }

    // How the bytes reach the file: the one writer (WriteOutputFile) unless
    // a test puts a slow disk in its place. Called on the disk thread.
    using FileWriter = std::function<Result<void>(const QString &path, const QByteArray &bytes)>;
    void setFileWriter(FileWriter writer);

signals:
    // A write failed (a full disk, no permission); the window may say so once.
    void writeFailed(const QString &message);
    // The file was written (tests and the benchmark wait for this).
    void written(const QString &path);

private:
    void StepsChanged();
    void CleanChanged(bool clean);
    void Loaded();
    void Schedule();
    void WriteDue();
    // Encodes the changes and writes them: in the background, or at once and
    // waiting for it when wait is set.
    Result<void> Write(bool wait);
    void Written(const QString &path, const Result<void> &result);
    void Remove();
    // Puts bytes in the slot the disk thread writes from next (replacing a
    // state not yet started) and starts that thread when it is idle.
    void Queue(const QString &path, const QByteArray &bytes);
    // The disk thread: writes the slot's state until the slot is empty.
    void DrainSlot();
    // Forgets a state not yet started.
    void DropQueued();
    bool StrokeInProgress() const;
    DocumentTables DiskTables() const;

    CarDocument *document;
    QString folder;
    QString owner;
    QString file;
    QString romPath;           // the ROM's path as the file was named for it
    std::shared_ptr<RecoveryLock> lock;
    DocumentTables onDisk;     // the tables the ROM file holds
    QTimer timer;
    QElapsedTimer sinceWrite;
    bool due = false;          // a step was made that is not written yet
    bool liveChange = false;   // the tables changed without a step (a stroke being drawn)
    FileWriter writeFile;
    // The latest state waiting for the disk thread, under slotMutex.
    QMutex slotMutex;
    std::optional<QByteArray> slot;
    QString slotPath;
    bool draining = false;     // the disk thread is at work on the slot
    QThreadPool disk;          // one thread: writes and removals in the order asked
};
