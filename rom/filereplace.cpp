#include "rom/filereplace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kLongestName = NAME_MAX;
constexpr char kTemporaryMark[] = ".skm-";
constexpr int kRandomLength = 6;   // the XXXXXX of mkostemp

QByteArray FolderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray NameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// FNV-1a: the same for the same name in every run.
quint32 NameHash(const QByteArray &name)
{
    quint32 hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ quint8(c)) * 16777619u;
    return hash;
}

mode_t CreationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the new file the old one's owner, group and mode as far as we may.
int KeepOwnerAndMode(int fd, const struct stat *old)
{
    mode_t mode = CreationMode();
    if (old) {
        mode = old->st_mode & 07777;
        struct stat made {};
        if (::fstat(fd, &made) != 0)
            return errno;
        bool ownerKept = made.st_uid == old->st_uid;
        bool groupKept = made.st_gid == old->st_gid;
        if (!ownerKept || !groupKept) {
            if (::fchown(fd, old->st_uid, old->st_gid) == 0)
                ownerKept = groupKept = true;
            else if (!groupKept && ::fchown(fd, uid_t(-1), old->st_gid) == 0)
                groupKept = true;
        }
        // A change of owner clears setuid and setgid; they only come back with
        // the owner or group they belong to.
        if (!ownerKept)
            mode &= ~mode_t(S_ISUID);
        if (!groupKept)
            mode &= ~mode_t(S_ISGID);
    }
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

} // namespace

QByteArray ReasonText(int error)
{
    if (error == kNotRegularFile)
        return QByteArrayLiteral("not a regular file");
    if (error == kTooManyLinks)
        return QByteArray(std::strerror(ELOOP));
    return QByteArray(std::strerror(error));
}

int ResolveWriteTarget(const QByteArray &path, QByteArray *target)
{
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.constData(), &info) != 0) {
            if (errno != ENOENT)
                return errno;
            *target = current;   // a new file, or where a dangling link points
            return 0;
        }
        if (!S_ISLNK(info.st_mode)) {
            *target = current;
            return 0;
        }
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(current.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return errno;
        link.truncate(length);
        current = link.startsWith('/') ? link : FolderOf(current) + '/' + link;
    }
    return kTooManyLinks;
}

QByteArray TemporaryPrefix(const QByteArray &target)
{
    const QByteArray folder = FolderOf(target);
    const QByteArray name = NameOf(target);
    constexpr int kFixed = 1 + int(sizeof(kTemporaryMark) - 1) + kRandomLength;   // ".", mark, XXXXXX
    if (name.size() + kFixed <= kLongestName)
        return folder + "/." + name + kTemporaryMark;
    // Shortened at a character boundary, with a hash that tells long names apart.
    const QByteArray hash = QByteArray::number(NameHash(name), 16).rightJustified(8, '0');
    qsizetype keep = kLongestName - kFixed - 1 - hash.size();
    while (keep > 0 && (quint8(name.at(keep)) & 0xC0) == 0x80)
        --keep;
    return folder + "/." + name.left(keep) + '~' + hash + kTemporaryMark;
}

void RemoveStaleTemporaries(const QByteArray &target)
{
    const QByteArray prefix = NameOf(TemporaryPrefix(target));
    const QByteArray folder = FolderOf(target);
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.size() != prefix.size() + kRandomLength || !name.startsWith(prefix))
            continue;
        const QByteArray path = folder + '/' + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            continue;
        // A writer that is still running holds the lock.
        struct stat opened {};
        struct stat named {};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
            && ::lstat(path.constData(), &named) == 0 && named.st_ino == opened.st_ino
            && named.st_dev == opened.st_dev)
            ::unlink(path.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

void SyncFolderOf(const QByteArray &target)
{
    const int fd = ::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes all of data at the file position (write, short writes continued).
int WriteAll(int fd, const char *data, qint64 length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, size_t(qMin<qint64>(length, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data += n;
        length -= n;
    }
    return 0;
}

int WriteAllAt(int fd, const char *data, qint64 length, qint64 offset)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(qMin<qint64>(length, 1 << 30)), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        data += n;
        length -= n;
        offset += n;
    }
    return 0;
}

TemporaryFile::TemporaryFile(TemporaryFile &&other) noexcept
    : path(std::exchange(other.path, {})), keeper(std::exchange(other.keeper, -1)),
      exchanged(std::exchange(other.exchanged, false))
{
}

TemporaryFile &TemporaryFile::operator=(TemporaryFile &&other) noexcept
{
    if (this != &other) {
        Discard();
        path = std::exchange(other.path, {});
        keeper = std::exchange(other.keeper, -1);
        exchanged = std::exchange(other.exchanged, false);
    }
    return *this;
}

TemporaryFile::~TemporaryFile()
{
    Discard();
}

int TemporaryFile::Write(const QByteArray &target, const QByteArray &bytes, const struct stat *old)
{
    Discard();
    QByteArray pattern = TemporaryPrefix(target) + QByteArray(kRandomLength, 'X');
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    path = pattern;
    // Locked at once; the lock lives on in keeper after the checked close below.
    ::flock(fd, LOCK_EX | LOCK_NB);
    keeper = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    int error = keeper < 0 ? errno : 0;
    if (error == 0)
        error = WriteAll(fd, bytes.constData(), bytes.size());
    if (error == 0)
        error = KeepOwnerAndMode(fd, old);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        Discard();
    return error;
}

int TemporaryFile::Commit(const QByteArray &target, bool exchange)
{
    if (exchange) {
        if (::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) == 0) {
            exchanged = true;
            return 0;
        }
        if (errno != EINVAL && errno != ENOSYS && errno != ENOENT)
            return errno;
        // No exchange on this file system (or no old file): a plain rename.
    }
    if (::rename(path.constData(), target.constData()) != 0)
        return errno;
    path.clear();
    ::close(std::exchange(keeper, -1));
    return 0;
}

void TemporaryFile::Undo(const QByteArray &target)
{
    if (exchanged && ::renameat2(AT_FDCWD, path.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) == 0)
        exchanged = false;
}

void TemporaryFile::Discard()
{
    if (!path.isEmpty())
        ::unlink(path.constData());
    path.clear();
    exchanged = false;
    if (keeper >= 0)
        ::close(std::exchange(keeper, -1));
}
