#pragma once

#include <memory>

#include <QString>

#include "sys/sysfile.h"

// An exclusive lock on a lock file, held as long as the object lives. The
// system releases it when the holder dies in any way (a crash, kill -9), so a
// lock that can be taken means its owner is gone. Locks are per open file:
// two holders in one process exclude each other as two processes do.
class RecoveryLock
{
public:
    // Creates the file at path if needed and locks it without waiting;
    // nothing when another holder has it or it cannot be opened.
    static std::unique_ptr<RecoveryLock> TryLock(const QString &path);
    ~RecoveryLock();

    RecoveryLock(const RecoveryLock &) = delete;
    RecoveryLock &operator=(const RecoveryLock &) = delete;

    const QString &path() const { return lockPath; }
    // Removes the lock file and then lets go of the lock.
    void RemoveAndRelease();

private:
    RecoveryLock(QString path, sys::Handle fd) : lockPath(std::move(path)), descriptor(fd) {}

    QString lockPath;
    sys::Handle descriptor = sys::kNoHandle;
};
