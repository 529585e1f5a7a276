#include "rom/romimage.h"

#include <cerrno>
#include <cstring>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "rom/filereplace.h"

#include "rom/nativepath.h"
#include "sys/sysfile.h"

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(sys::ReasonText(error).c_str());
}

QByteArray HashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

RomFileStamp StampOf(const sys::FileInfo &info, const QByteArray &bytes)
{
    RomFileStamp stamp;
    stamp.exists = true;
    stamp.size = info.size;
    stamp.modifiedNs = info.modifiedNs;
    stamp.device = info.id.device;
    stamp.inode = info.id.index;
    stamp.hash = HashOf(bytes);
    return stamp;
}

// Reads the regular file at path whole (at most kLargestRomFile bytes). The
// type is checked before opening, and again on the open file; O_NONBLOCK keeps
// a FIFO swapped in between the two from blocking the open. errno-style code
// in *error, or -1 for "not a regular file", -2 for "too large".
bool ReadRegularFile(const QByteArray &nativePath, QByteArray *bytes, sys::FileInfo *info, int *error)
{
    if (const int failed = sys::Stat(nativePath.constData(), info)) {
        *error = failed;
        return false;
    }
    if (info->kind != sys::Kind::Regular) {
        *error = -1;
        return false;
    }
    if (info->size > kLargestRomFile) {
        *error = -2;
        return false;
    }
    sys::Handle fd = sys::kNoHandle;
    if (const int failed = sys::Open(nativePath.constData(), sys::kReadOnly, &fd)) {
        *error = failed;
        return false;
    }
    const int looked = sys::StatOpen(fd, info);
    bool ok = looked == 0;
    if (!ok)
        *error = looked;
    else if (info->kind != sys::Kind::Regular)
        ok = false, *error = -1;
    else if (info->size > kLargestRomFile)
        ok = false, *error = -2;

    // Up to one byte past the limit, so that a file that grew meanwhile is noticed.
    bytes->clear();
    if (ok) {
        QByteArray buffer(qMin<qint64>(info->size, kLargestRomFile) + 1, Qt::Uninitialized);
        qint64 got = 0;
        while (got < buffer.size()) {
            std::int64_t n = 0;
            if (const int failed = sys::Read(fd, buffer.data() + got, buffer.size() - got, &n)) {
                ok = false;
                *error = failed;
                break;
            }
            if (n == 0)
                break;
            got += n;
            if (got == buffer.size() && got <= kLargestRomFile)
                buffer.resize(qMin<qint64>(2 * buffer.size(), kLargestRomFile + 1));
        }
        if (ok && got > kLargestRomFile)
            ok = false, *error = -2;
        if (ok) {
            buffer.truncate(got);
            *bytes = buffer;
            info->size = got;
        }
    }
    sys::Close(fd);
    return ok;
}

QString ReasonOf(int error)
{
    if (error == -1)
        return QStringLiteral("not a regular file");
    if (error == -2)
        return QStringLiteral("larger than %1 MiB, too large for a cartridge image").arg(kLargestRomFile >> 20);
    return SystemReason(error);
}

} // namespace

Result<RomImage> RomImage::Load(const QString &path)
{
    RomImage image;
    image.path = path;
    sys::FileInfo info;
    int code = 0;
    if (ReadRegularFile(NativePath(path), &image.fileBytes, &info, &code)) {
        image.stamp = StampOf(info, image.fileBytes);
        image.stamp.target = RomWriteTarget(path);
        return image;
    }
    if (code == ENOENT) {
        image.fileBytes.clear();
        return image;
    }
    return Failure{path, ReasonOf(code), code > 0 ? code : 0, Failure::Action::Open};
}

RomFileStamp StampFile(const QString &path, const QByteArray &bytes)
{
    sys::FileInfo info;
    if (sys::Stat(NativePath(path).constData(), &info) != 0)
        return {};
    RomFileStamp stamp = StampOf(info, bytes);
    stamp.target = RomWriteTarget(path);
    return stamp;
}

QString RomWriteTarget(const QString &path)
{
    QByteArray target;
    if (ResolveWriteTarget(NativePath(QFileInfo(path).absoluteFilePath()), &target) != 0)
        return {};
    // The folder's links too: a folder swapped for a link leads elsewhere as well.
    const QFileInfo resolved(QFile::decodeName(target));
    const QString folder = QFileInfo(resolved.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(resolved.fileName());
}

DiskState CheckOnDisk(const RomImage &image)
{
    const QByteArray nativePath = NativePath(image.path);
    sys::FileInfo info;
    // Another file behind the name: writing would go there, whatever it holds.
    const QString target = image.stamp.exists ? RomWriteTarget(image.path) : QString();
    if (!target.isEmpty() && !image.stamp.target.isEmpty() && target != image.stamp.target) {
        const bool sameFile = sys::Stat(nativePath.constData(), &info) == 0 && info.id.device == image.stamp.device
                              && info.id.index == image.stamp.inode;
        if (!sameFile)
            return DiskState::Redirected;
    }
    if (const int error = sys::Stat(nativePath.constData(), &info)) {
        if (error == ENOENT || error == ENOTDIR)
            return image.stamp.exists ? DiskState::Missing : DiskState::Unchanged;
        return DiskState::Changed;
    }
    if (!image.stamp.exists || info.kind != sys::Kind::Regular || info.size != image.stamp.size)
        return DiskState::Changed;

    QByteArray bytes;
    int code = 0;
    if (!ReadRegularFile(nativePath, &bytes, &info, &code))
        return code == ENOENT ? DiskState::Missing : DiskState::Changed;
    return bytes.size() == image.stamp.size && HashOf(bytes) == image.stamp.hash ? DiskState::Unchanged
                                                                                 : DiskState::Changed;
}
