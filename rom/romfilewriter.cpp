#include "rom/romfilewriter.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Outcome of one step: done, or failed with an errno value (or one of ours).
constexpr int kNotRegular = -1;
constexpr int kWouldShorten = -2;

QString ReasonOf(int error)
{
    if (error == kNotRegular)
        return QStringLiteral("not a regular file");
    if (error == kWouldShorten)
        return QStringLiteral("the file is longer than the image to save and cannot be shortened in place");
    return QString::fromLocal8Bit(std::strerror(error));
}

SaveResult Failed(const QString &path, int error, SaveResult::Method method)
{
    return SaveResult{false, method, QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), ReasonOf(error))};
}

// No room (or no permission) for a second copy: the file can still be written in place.
bool ReplaceImpossible(int error)
{
    return error == EACCES || error == EPERM || error == ENOSPC || error == EDQUOT;
}

bool WriteAll(int fd, const char *data, qint64 length, qint64 offset, int *error)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(qMin<qint64>(length, 1 << 30)), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = errno;
            return false;
        }
        if (n == 0) {
            *error = EIO;
            return false;
        }
        data += n;
        length -= n;
        offset += n;
    }
    return true;
}

bool ReadAll(int fd, char *data, qint64 length, qint64 offset, int *error)
{
    while (length > 0) {
        const ssize_t n = ::pread(fd, data, size_t(length), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? errno : EIO;
            return false;
        }
        data += n;
        length -= n;
        offset += n;
    }
    return true;
}

void SyncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

mode_t CreationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes bytes to a new file beside target and renames it over target. old is
// the target's status when it exists. 0 on success, else the errno value;
// *mayWriteInPlace tells whether the failure only means no replacement could
// be made (the target is untouched either way).
int Replace(const QByteArray &target, const QByteArray &bytes, const struct stat *old, bool *mayWriteInPlace)
{
    *mayWriteInPlace = false;
    const QFileInfo info(QFile::decodeName(target));
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    QByteArray name = QFile::encodeName(info.fileName()).left(NAME_MAX - 16);
    QByteArray pattern = folder + "/." + name + ".XXXXXX";

    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        *mayWriteInPlace = ReplaceImpossible(error);
        return error;
    }
    int error = 0;
    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(pattern.constData());
        return code;
    };

    if (!WriteAll(fd, bytes.constData(), bytes.size(), 0, &error)) {
        *mayWriteInPlace = error == ENOSPC || error == EDQUOT;
        return abandon(error);
    }

    // The old file's owner and group first (as far as we may), then its mode:
    // a change of owner clears setuid and setgid, and so does writing data as
    // an unprivileged user. Those two bits are only given back along with the
    // owner or group they belong to.
    mode_t mode = CreationMode();
    if (old) {
        mode = old->st_mode & 07777;
        struct stat made {};
        ::fstat(fd, &made);
        bool ownerKept = made.st_uid == old->st_uid;
        bool groupKept = made.st_gid == old->st_gid;
        if (!ownerKept || !groupKept) {
            if (::fchown(fd, old->st_uid, old->st_gid) == 0) {
                ownerKept = groupKept = true;
            } else if (!groupKept && ::fchown(fd, uid_t(-1), old->st_gid) == 0) {
                groupKept = true;
            }
        }
        if (!ownerKept)
            mode &= ~mode_t(S_ISUID);
        if (!groupKept)
            mode &= ~mode_t(S_ISGID);
    }
    if (::fchmod(fd, mode) != 0)
        return abandon(errno);

    if (::fsync(fd) != 0) {
        error = errno;
        *mayWriteInPlace = error == ENOSPC || error == EDQUOT;
        return abandon(error);
    }
    if (::close(fd) != 0) {
        error = errno;
        ::unlink(pattern.constData());
        *mayWriteInPlace = error == ENOSPC || error == EDQUOT;
        return error;
    }
    if (::rename(pattern.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(pattern.constData());
        return error;
    }
    SyncFolder(folder);
    return 0;
}

// Writes into the existing file the bytes of bytes that differ from what it
// holds, then what lies past its end; never truncates. 0 or an errno value.
int WriteInPlace(const QByteArray &target, const QByteArray &bytes)
{
    const int fd = ::open(target.constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return errno;
    int error = 0;
    auto finish = [&](int code) {
        ::close(fd);
        return code;
    };

    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return finish(errno);
    if (!S_ISREG(info.st_mode))
        return finish(kNotRegular);
    const qint64 size = info.st_size;
    if (size > bytes.size())
        return finish(kWouldShorten);

    constexpr qint64 kBlock = 1 << 20;
    QByteArray onDisk(kBlock, Qt::Uninitialized);
    for (qint64 start = 0; start < size; start += kBlock) {
        const qint64 length = qMin(kBlock, size - start);
        if (!ReadAll(fd, onDisk.data(), length, start, &error))
            return finish(error);
        const char *wanted = bytes.constData() + start;
        qint64 i = 0;
        while (i < length) {
            if (onDisk.at(i) == wanted[i]) {
                ++i;
                continue;
            }
            qint64 end = i + 1;
            while (end < length && onDisk.at(end) != wanted[end])
                ++end;
            if (!WriteAll(fd, wanted + i, end - i, start + i, &error))
                return finish(error);
            i = end;
        }
    }
    if (bytes.size() > size && !WriteAll(fd, bytes.constData() + size, bytes.size() - size, size, &error))
        return finish(error);
    if (::fsync(fd) != 0)
        return finish(errno);
    return finish(::close(fd) == 0 ? 0 : errno) ;
}

} // namespace

SaveResult WriteRomFile(const QString &path, const QByteArray &newFileBytes)
{
    // Through a symbolic link to the file it names, which is what gets replaced.
    QByteArray target = QFile::encodeName(path);
    if (char *resolved = ::realpath(target.constData(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }

    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Failed(path, errno, SaveResult::Method::Replaced);
    if (exists && !S_ISREG(old.st_mode))
        return Failed(path, kNotRegular, SaveResult::Method::Replaced);
    // A file we may not write is not replaced either (the folder may allow it);
    // this also reports a read-only file system before anything is tried.
    if (exists && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return Failed(path, errno, SaveResult::Method::Replaced);

    if (!exists || old.st_nlink <= 1) {
        bool mayWriteInPlace = false;
        const int error = Replace(target, newFileBytes, exists ? &old : nullptr, &mayWriteInPlace);
        if (error == 0)
            return SaveResult{true, SaveResult::Method::Replaced, {}};
        if (!exists || !mayWriteInPlace)
            return Failed(path, error, SaveResult::Method::Replaced);
    }

    // Hard links share the file (a replacement would part them), or the folder
    // has no room for a replacement: write the file itself.
    const int error = WriteInPlace(target, newFileBytes);
    if (error != 0)
        return Failed(path, error, SaveResult::Method::InPlace);
    return SaveResult{true, SaveResult::Method::InPlace, {}};
}
