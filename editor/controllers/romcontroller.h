#pragma once

#include <optional>

#include <QObject>

#include "rom/romlock.h"

class CarDocument;
class ActionRegistry;
class Prompts;
class StatusSink;

// Saving into the ROM file and the two whole-data restores. A failure is
// shown through the prompts and changes nothing.
class RomController : public QObject
{
    Q_OBJECT

public:
    // Registers File > Save (actionSave), Car > Restore All Rom
    // (actionRestoreRom) and Car > Restore Defaults (actionRestoreDefaults).
    RomController(CarDocument &document, Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                  QObject *parent);

    // How often a save waiting for another program's lock tries again.
    static constexpr int kLockRetryMs = 50;

    // Writes the tables, offsets baked in, into the ROM file. On success the
    // baking becomes a step of its own ("Apply sprite offsets", only when an
    // offset was pending) and the document is clean. On failure shows a warning
    // naming the file and the reason and changes nothing.
    //
    // In the order a command line's save keeps: the file's lock first (while
    // another program holds it, a message with Cancel waits and the window
    // goes on answering), then the look at the disk (changed, gone, or the
    // name leading to another file: asked about), then the write, then the
    // lock goes. A name that now leads to another file is never written
    // through: a copy elsewhere is offered instead. False also when cancelled
    // and while another save is waiting.
    bool SaveToRom();

signals:
    // The ROM file was written: its header (checksum) is the saved one now.
    void saved();

public slots:
    void Save();
    void RestoreRom();
    void RestoreDefaults();

private:
    // The file's lock, waited for without stopping the window; nothing when
    // the user cancelled or the lock failed (warned).
    std::optional<RomFileLock> LockForSave(const QString &path);
    // Writes the document's bytes to a file the user chooses (never the ROM).
    void SaveCopyElsewhere();

    CarDocument &document;
    Prompts &prompts;
    bool saving = false;
    StatusSink &status;
};
