#pragma once

#include <QByteArray>
#include <QString>

#include "base/result.h"

// Writing a whole ROM file so that a failure or a kill at any moment loses
// nothing.

// How a save got its bytes into the file.
enum class SaveMethod {
    Replaced,   // a new file was written beside it and renamed over it
    InPlace,    // the changed bytes were written into the file itself
};

// Makes the file at path hold newFileBytes. A symbolic link is written
// through to its target.
//
// Normally the bytes go to a temporary file in the same folder, which gets the
// old file's permission bits, owner and group (as far as the process may:
// setuid and setgid are dropped when the owner or group cannot be kept) and
// then replaces the file in one step: a failure leaves the old file whole.
//
// When no replacement can be made (the folder does not let us create a file,
// the file has more than one hard link, or there is no room for a second copy)
// an existing file is written in place instead: only bytes that differ from
// what is on disk are written, the file is never truncated and grows only by
// appending (a file longer than newFileBytes is refused), then synced. The
// blocks the write needs are reserved first (fallocate), so that a full disk
// is found before anything changes; a failure after the file was touched says
// "<path> was partly written: <reason>" (every byte is then either old or new;
// a failed final sync may leave every byte new).
// Stale temporaries of ours beside the file (a killed save) are removed.
//
// A read-only file, a read-only file system or anything that is not a regular
// file is refused before anything is written. Errors name path and give the
// system's reason ("No space left on device", "Permission denied", ...).
Result<SaveMethod> WriteRomFile(const QString &path, const QByteArray &newFileBytes);
