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

inline constexpr quint32 kRecoveryFormatVersion = 1;

struct RecoveryRecord
{
    QString romPath;        // absolute
    RomFileStamp rom;       // size, modification time and hash of the ROM as opened or last saved
    QDateTime written;      // when this file was written (UTC)
    qint64 ownerPid = 0;
    QString ownerId;        // the window within the owner's process
    QByteArray changes;     // DocumentDelta::afterBytes() from the ROM's tables to the working tables
};

QByteArray EncodeRecoveryFile(const RecoveryRecord &record);
// Reads bytes as a recovery file; path only names it in the failure
// ("truncated", "format version 2 (this editor reads 1)", "damaged").
Result<RecoveryRecord> DecodeRecoveryFile(const QString &path, const QByteArray &bytes);

// AppLocalDataLocation + "/recovery".
QString RecoveryFolder();
// The path the recovery files of a ROM are known by: absolute, links resolved
// where the file exists.
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
