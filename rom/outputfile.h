#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "base/result.h"

// The one way the program writes a file other than the open ROM's own save:
// pictures, sheets, numbered sets, raw files, palette files, patches, copies
// of the ROM, the command line's --output, the quick export. A failure leaves
// the target exactly as it was and names the file and the system's reason.

struct OutputFile
{
    QString path;
    QByteArray bytes;
};

// Makes the file at path hold bytes, whole or not at all: the bytes go to a
// temporary file beside it (filereplace.h: every write, fsync and close
// checked, an existing file's permission bits, owner and group kept as far as
// allowed), which is then renamed over it. A symbolic link is written where it
// points, also when nothing is there yet; the link stays a link. Never written
// in place. Refused before anything is written: an empty path, a target that
// exists but is not a regular file (a device, pipe or socket said as such),
// and a protected file (the open ROM, by any name: protectedfiles.h), the
// message naming both files. Stale temporaries of the same target (a killed
// writer's) are removed first. A failure names path and the system's reason,
// and leaves no temporary file.
Result<void> WriteOutputFile(const QString &path, const QByteArray &bytes);

// Writes a set of files all or nothing: every file is written under a
// temporary name first and they are renamed only once all were written;
// existing files are swapped with their new contents (renameat2 exchange), so
// a rename failing part-way puts back every file already renamed. The failure
// names the file that failed.
Result<void> WriteOutputFiles(const QList<OutputFile> &files);
