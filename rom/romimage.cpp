#include "rom/romimage.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "rom/filereplace.h"

namespace {

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray HashOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

RomFileStamp StampOf(const struct stat &info, const QByteArray &bytes)
{
    RomFileStamp stamp;
    stamp.exists = true;
    stamp.size = info.st_size;
    stamp.modifiedNs = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.hash = HashOf(bytes);
    return stamp;
}

// Reads the regular file at path whole (at most kLargestRomFile bytes). The
// type is checked before opening, and again on the open file; O_NONBLOCK keeps
// a FIFO swapped in between the two from blocking the open. errno-style code
// in *error, or -1 for "not a regular file", -2 for "too large".
bool ReadRegularFile(const QByteArray &nativePath, QByteArray *bytes, struct stat *info, int *error)
{
    if (::stat(nativePath.constData(), info) != 0) {
        *error = errno;
        return false;
    }
    if (!S_ISREG(info->st_mode)) {
        *error = -1;
        return false;
    }
    if (info->st_size > kLargestRomFile) {
        *error = -2;
        return false;
    }
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        *error = errno;
        return false;
    }
    bool ok = ::fstat(fd, info) == 0;
    if (!ok)
        *error = errno;
    else if (!S_ISREG(info->st_mode))
        ok = false, *error = -1;
    else if (info->st_size > kLargestRomFile)
        ok = false, *error = -2;

    // Up to one byte past the limit, so that a file that grew meanwhile is noticed.
    bytes->clear();
    if (ok) {
        QByteArray buffer(qMin<qint64>(info->st_size, kLargestRomFile) + 1, Qt::Uninitialized);
        qint64 got = 0;
        while (got < buffer.size()) {
            const ssize_t n = ::read(fd, buffer.data() + got, size_t(buffer.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                ok = false;
                *error = errno;
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
            info->st_size = got;
        }
    }
    ::close(fd);
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
    struct stat info {};
    int code = 0;
    if (ReadRegularFile(QFile::encodeName(path), &image.fileBytes, &info, &code)) {
        image.stamp = StampOf(info, image.fileBytes);
        image.stamp.target = RomWriteTarget(path);
        return image;
    }
    if (code == ENOENT) {
        image.fileBytes.clear();
        return image;
    }
    return Failure{path, ReasonOf(code), code > 0 ? code : 0, QStringLiteral("open")};
}

RomFileStamp StampFile(const QString &path, const QByteArray &bytes)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    RomFileStamp stamp = StampOf(info, bytes);
    stamp.target = RomWriteTarget(path);
    return stamp;
}

QString RomWriteTarget(const QString &path)
{
    QByteArray target;
    if (ResolveWriteTarget(QFile::encodeName(QFileInfo(path).absoluteFilePath()), &target) != 0)
        return {};
    // The folder's links too: a folder swapped for a link leads elsewhere as well.
    const QFileInfo resolved(QFile::decodeName(target));
    const QString folder = QFileInfo(resolved.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(resolved.fileName());
}

DiskState CheckOnDisk(const RomImage &image)
{
    const QByteArray nativePath = QFile::encodeName(image.path);
    struct stat info {};
    // Another file behind the name: writing would go there, whatever it holds.
    const QString target = image.stamp.exists ? RomWriteTarget(image.path) : QString();
    if (!target.isEmpty() && !image.stamp.target.isEmpty() && target != image.stamp.target) {
        const bool sameFile = ::stat(nativePath.constData(), &info) == 0 && quint64(info.st_dev) == image.stamp.device
                              && quint64(info.st_ino) == image.stamp.inode;
        if (!sameFile)
            return DiskState::Redirected;
    }
    if (::stat(nativePath.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return image.stamp.exists ? DiskState::Missing : DiskState::Unchanged;
        return DiskState::Changed;
    }
    if (!image.stamp.exists || !S_ISREG(info.st_mode) || info.st_size != image.stamp.size)
        return DiskState::Changed;

    QByteArray bytes;
    int code = 0;
    if (!ReadRegularFile(nativePath, &bytes, &info, &code))
        return code == ENOENT ? DiskState::Missing : DiskState::Changed;
    return bytes.size() == image.stamp.size && HashOf(bytes) == image.stamp.hash ? DiskState::Unchanged
                                                                                 : DiskState::Changed;
}
