#pragma once

#include <memory>

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "base/result.h"
#include "recovery/recoverylock.h"
#include "rom/romimage.h"

// The recovery file: what a running editor keeps on disk while its document
// has unsaved changes, so that they survive a crash or a kill. It lives in
// RecoveryFolder(), one file a window, named
// "<rom name>-<key of the ROM's path>-<owner>.skmrecovery"; its owner holds a
// lock on the file of the same name plus ".lock" for as long as it runs.
//
// Layout: the 8 bytes "SKMRECOV", the format version (4 bytes, big-endian),
// the length of the contents (8 bytes), the contents (a QDataStream, see
// recoveryfile.cpp) and their SHA-256 (32 bytes).

// Version 2 adds the ROM's device and inode; files of version 1 are still read.
inline constexpr quint32 kRecoveryFormatVersion = 2;

struct RecoveryRecord
{
    QString romPath;        // absolute, links resolved: the path the file is named for
    RomFileStamp rom;       // size, modification time, hash, device and inode of the ROM as opened or last saved
    QDateTime written;      // when this file was written (UTC)
    qint64 ownerPid = 0;
    QString ownerId;        // the window within the owner's process
    QByteArray changes;     // DocumentDelta::afterBytes() from the ROM's tables to the working tables
};

QByteArray EncodeRecoveryFile(const RecoveryRecord &record);
// Reads bytes as a recovery file; path only names it in the failure
// ("truncated", "format version 3 (this editor reads 2)", "damaged", a value
// out of its range). Checks the frame and each value; the changes themselves
// are checked where they are applied (DocumentDelta::ApplyAfterBytes).
Result<RecoveryRecord> DecodeRecoveryFile(const QString &path, const QByteArray &bytes);

// AppLocalDataLocation + "/recovery".
QString RecoveryFolder();
// The path the recovery files of a ROM are known by: absolute, links resolved
// (those of the folder also when the file itself is not there).
QString RecoveryRomPath(const QString &romPath);
// A new file name in folder for the ROM at romPath and the owner ownerId.
QString NewRecoveryFilePath(const QString &folder, const QString &romPath, const QString &ownerId);

// A recovery file whose owner is no longer running, locked while this lives so
// that no other editor offers it at the same time.
struct OrphanedRecovery
{
    QString path;
    std::shared_ptr<RecoveryLock> lock;
};

// The recovery files in folder for the ROM at romPath whose owner is gone,
// oldest first. Files kept aside (".bad") are not among them.
QList<OrphanedRecovery> FindOrphanedRecoveryFiles(const QString &romPath, const QString &folder = RecoveryFolder());
// Removes a recovery file and its lock file.
void RemoveRecoveryFile(const QString &path);
// Removes the regular file at path by its name within its folder; not when
// the folder itself is a link, nor what has become a link, a folder or any
// other kind of file in its place. Returns whether it went.
bool RemoveOwnRecoveryEntry(const QString &path);

// Removes what editors that are no longer running left in folder besides
// their recovery files: the writer's temporaries of recovery files and lock
// files without a recovery file, each only when no one holds its lock. Only
// entries of those name patterns that are regular files are removed, by name
// within the folder, never through a link. Returns how many went.
int RemoveRecoveryLeftovers(const QString &folder = RecoveryFolder());
