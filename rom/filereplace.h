#pragma once

#include <QByteArray>

#include <sys/stat.h>

#include "sys/sysfile.h"

// The steps both file writers share (the ROM save and every other output):
// find the file a path really names, write the new contents under a temporary
// name beside it, then rename that over it. Every step gives 0 or an errno
// value; nothing here touches the target before the rename.

// Errors of our own, beside errno values.
inline constexpr int kNotRegularFile = -1;
inline constexpr int kTooManyLinks = -3;

// The reason of an error code: the system's text, or ours.
QByteArray ReasonText(int error);

// The path that writing path really writes: symbolic links followed to their
// target, also when that target does not exist yet (the link stays a link and
// the file appears where it points). Relative link targets count from the
// link's folder.
int ResolveWriteTarget(const QByteArray &path, QByteArray *target);

// A new file beside a target, written and synced, held open (and locked, so
// that another writer never takes it for a stale one) until it replaces the
// target or is discarded. Its name follows one pattern per target,
// ".<name>.skm-XXXXXX", with the name shortened and a hash added where the
// whole would be too long for the file system.
class TemporaryFile
{
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    TemporaryFile(TemporaryFile &&other) noexcept;
    TemporaryFile &operator=(TemporaryFile &&other) noexcept;
    ~TemporaryFile();   // discards a file not yet committed

    // Writes bytes to a new temporary file beside target: every write checked,
    // the old file's permission bits, owner and group given where old is set
    // (setuid/setgid only along with the owner/group kept), then fsync and
    // close checked. 0 or an errno value; nothing is left on failure.
    int Write(const QByteArray &target, const QByteArray &bytes, const sys::FileInfo *old);
    // The same with the old file as stat() describes it.
    int Write(const QByteArray &target, const QByteArray &bytes, const struct stat *old);

    // Renames the file over target (or swaps the two when exchange is set and
    // target exists, so that Undo can put the old file back). 0 or errno.
    int Commit(const QByteArray &target, bool exchange = false);
    // After an exchanging Commit: swaps back, so the target is as it was.
    void Undo(const QByteArray &target);
    // Removes the file (after an exchange: the old contents) and lets go of it.
    void Discard();

    const QByteArray &name() const { return path; }

private:
    QByteArray path;
    sys::Handle keeper = sys::kNoHandle;   // holds the lock until the file is renamed or removed
    bool exchanged = false;
};

// The temporary-name prefix for target: every temporary of target is this
// prefix plus six characters.
QByteArray TemporaryPrefix(const QByteArray &target);

// Removes temporaries of target's pattern that no running writer holds: left
// by a process that was killed while writing.
void RemoveStaleTemporaries(const QByteArray &target);

// fsync of the folder holding target, so that a rename is durable.
void SyncFolderOf(const QByteArray &target);

// Writes all of data at the file position (write, short writes continued).
int WriteAll(sys::Handle fd, const char *data, qint64 length);
// Writes all of data at offset (pwrite, short writes continued). 0 or errno.
int WriteAllAt(sys::Handle fd, const char *data, qint64 length, qint64 offset);
