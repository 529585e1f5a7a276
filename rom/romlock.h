#pragma once

#include <memory>

#include <QString>

#include "base/result.h"
#include "sys/sysfile.h"

// An advisory lock (flock; LockFileEx on Windows: sys/sysfile.h) on a ROM file, held by whoever reads it to write it
// back (a command from reading to writing, the window while it saves), so that
// two writers wait for each other instead of one losing the other's change.
class RomFileLock
{
public:
    enum class Mode { Shared, Exclusive };

    // Locks the file at path, waiting at most waitMs milliseconds (-1: as long
    // as it takes). A file that a writer replaced meanwhile is locked anew, so
    // the lock always covers what the path names now. Nothing to lock (no file,
    // not a regular file) gives a lock that holds nothing: reading reports that.
    static Result<RomFileLock> Acquire(const QString &path, Mode mode, int waitMs = -1);
    // One try without waiting, for a caller that keeps its event loop running
    // between tries (a timer): busy when another holder has the file.
    static Result<RomFileLock> TryAcquire(const QString &path, Mode mode) { return Acquire(path, mode, 0); }
    // Whether a failure of Acquire or TryAcquire means the file is locked by
    // someone else (as opposed to an error of the system).
    static bool IsBusy(const Failure &failure);

    RomFileLock() = default;
    bool holds() const { return fd != nullptr; }

private:
    std::shared_ptr<sys::Handle> fd;   // closed (and so unlocked) with the last copy
};
