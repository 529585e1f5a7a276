#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "base/result.h"

// A ROM file as the editor opened it: the whole file in memory and what the
// file looked like at that moment, so that a save is computed from these bytes
// and can tell whether another program changed the file in the meantime.

// What a file looked like when it was read or written.
struct RomFileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;   // modification time, nanoseconds since the epoch
    quint64 device = 0;
    quint64 inode = 0;
    QByteArray hash;         // SHA-256 of the file's bytes
    QString target;          // the file a save writes (RomWriteTarget), when it exists

    friend bool operator==(const RomFileStamp &, const RomFileStamp &) = default;
};

// Files larger than this are refused: far above any cartridge, and the whole
// file is held in memory.
inline constexpr qint64 kLargestRomFile = 256 * 1024 * 1024;

struct RomImage
{
    QString path;
    QByteArray fileBytes;   // the whole file as opened (or as last saved)
    RomFileStamp stamp;

    // Reads the regular file at path whole. A path where nothing exists gives
    // an image with no bytes and stamp.exists false (the editor opens it on
    // blank data and a save creates the file); a short file gives its bytes as
    // they are. Anything else that cannot be read (a folder, a FIFO, a device,
    // no permission, larger than kLargestRomFile) is a failure naming the file
    // and the reason. A FIFO or device is never opened.
    static Result<RomImage> Load(const QString &path);
};

// The stamp of the file at path now, bytes being its contents (not read again).
// exists is false when nothing is at path.
RomFileStamp StampFile(const QString &path, const QByteArray &bytes);

// The file that writing path would write: symbolic links followed (the last
// one may dangle) and the folder's own links resolved, as an absolute path;
// empty when that folder does not exist (or the links loop).
// Two names with the same target are one file for a save.
QString RomWriteTarget(const QString &path);

enum class DiskState {
    Unchanged,    // the file holds the image's bytes (or, as when opened, there is none)
    Changed,      // other bytes, or something that is not a regular file, are there
    Missing,      // the file was there when opened (or last saved) and is gone
    Redirected,   // the name now leads to another file (a link swapped in or changed)
};

// Looks at the file on disk: where its name leads first (another file, by
// path and by device and inode, is Redirected; the same file reached through a
// new link is not), then its size, then its bytes' hash. A file touched or
// replaced with the very same bytes counts as unchanged, since a save loses
// nothing of it. Only regular files are read.
DiskState CheckOnDisk(const RomImage &image);
