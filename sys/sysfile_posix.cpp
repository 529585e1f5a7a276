#include "sys/sysfile.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {

int Fd(Handle file)
{
    return int(file);
}

void Describe(const struct stat &st, FileInfo *info)
{
    info->kind = S_ISREG(st.st_mode) ? Kind::Regular
                 : S_ISDIR(st.st_mode) ? Kind::Directory
                 : S_ISLNK(st.st_mode) ? Kind::Link
                                       : Kind::Other;
    info->size = std::int64_t(st.st_size);
#if defined(__APPLE__)
    info->modifiedNs = std::int64_t(st.st_mtimespec.tv_sec) * 1000000000 + st.st_mtimespec.tv_nsec;
#else
    info->modifiedNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#endif
    info->id = FileId{std::uint64_t(st.st_dev), std::uint64_t(st.st_ino)};
    info->links = std::uint64_t(st.st_nlink);
    info->mode = std::uint32_t(st.st_mode & 07777);
    info->owner = std::uint32_t(st.st_uid);
    info->group = std::uint32_t(st.st_gid);
}

mode_t CreationMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string ReasonText(int error)
{
    if (error == kInUse)
        return "the file is open in another program";
    return std::strerror(error);
}

int Stat(const char *path, FileInfo *info, bool followLinks)
{
    struct stat st {};
    if ((followLinks ? ::stat(path, &st) : ::lstat(path, &st)) != 0)
        return errno;
    Describe(st, info);
    return 0;
}

int StatOpen(Handle file, FileInfo *info)
{
    struct stat st {};
    if (::fstat(Fd(file), &st) != 0)
        return errno;
    Describe(st, info);
    return 0;
}

int Open(const char *path, unsigned flags, Handle *file)
{
    int how = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    how |= (flags & kReadWrite) ? O_RDWR : O_RDONLY;
    if (flags & kCreate)
        how |= O_CREAT;
    if (flags & kNoFollow)
        how |= O_NOFOLLOW;
    const int fd = ::open(path, how, 0600);
    if (fd < 0)
        return errno;
    *file = fd;
    return 0;
}

int Close(Handle file)
{
    return ::close(Fd(file)) == 0 ? 0 : errno;
}

int Duplicate(Handle file, Handle *copy)
{
    const int fd = ::fcntl(Fd(file), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    *copy = fd;
    return 0;
}

int Read(Handle file, char *data, std::int64_t length, std::int64_t *got)
{
    for (;;) {
        const ssize_t n = ::read(Fd(file), data, size_t(std::min<std::int64_t>(length, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        *got = n;
        return 0;
    }
}

int ReadAllAt(Handle file, char *data, std::int64_t length, std::int64_t offset)
{
    while (length > 0) {
        const ssize_t n = ::pread(Fd(file), data, size_t(std::min<std::int64_t>(length, 1 << 30)), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        data += n;
        length -= n;
        offset += n;
    }
    return 0;
}

int WriteAll(Handle file, const char *data, std::int64_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(Fd(file), data, size_t(std::min<std::int64_t>(length, 1 << 30)));
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

int WriteAllAt(Handle file, const char *data, std::int64_t length, std::int64_t offset)
{
    while (length > 0) {
        const ssize_t n = ::pwrite(Fd(file), data, size_t(std::min<std::int64_t>(length, 1 << 30)), off_t(offset));
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

int Sync(Handle file)
{
    return ::fsync(Fd(file)) == 0 ? 0 : errno;
}

int SyncFolder(const char *folder)
{
    const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

int Reserve(Handle file, std::int64_t offset, std::int64_t length)
{
#if defined(__linux__)
    if (::fallocate(Fd(file), FALLOC_FL_KEEP_SIZE, off_t(offset), off_t(length)) != 0)
        return errno == ENOSYS ? EOPNOTSUPP : errno;
    return 0;
#else
    (void)file, (void)offset, (void)length;
    return EOPNOTSUPP;
#endif
}

int KeepOwnerAndMode(Handle file, const FileInfo *old)
{
    const int fd = Fd(file);
    mode_t mode = CreationMode();
    if (old) {
        mode = mode_t(old->mode & 07777);
        struct stat made {};
        if (::fstat(fd, &made) != 0)
            return errno;
        bool ownerKept = made.st_uid == uid_t(old->owner);
        bool groupKept = made.st_gid == gid_t(old->group);
        if (!ownerKept || !groupKept) {
            if (::fchown(fd, uid_t(old->owner), gid_t(old->group)) == 0)
                ownerKept = groupKept = true;
            else if (!groupKept && ::fchown(fd, uid_t(-1), gid_t(old->group)) == 0)
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

int CanWrite(const char *path)
{
    return ::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

int Lock(Handle file, LockKind kind, int timeoutMs)
{
    const int operation = kind == LockKind::Exclusive ? LOCK_EX : LOCK_SH;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (::flock(Fd(file), timeoutMs < 0 ? operation : operation | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited >= std::chrono::milliseconds(timeoutMs))
            return EWOULDBLOCK;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

int CreateTemporary(const std::string &pattern, std::string *path, Handle *file)
{
    std::string name = pattern;
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    *path = name;
    *file = fd;
    return 0;
}

int Rename(const char *from, const char *to)
{
    return ::rename(from, to) == 0 ? 0 : errno;
}

int Exchange(const char *from, const char *to)
{
#if defined(__linux__)
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) == 0 ? 0 : errno;
#elif defined(__APPLE__)
    return ::renamex_np(from, to, RENAME_SWAP) == 0 ? 0 : errno;
#else
    (void)from, (void)to;
    return ENOSYS;
#endif
}

int Remove(const char *path)
{
    return ::unlink(path) == 0 ? 0 : errno;
}

int ReadLink(const char *path, std::string *target)
{
    std::string link(PATH_MAX, '\0');
    const ssize_t length = ::readlink(path, link.data(), link.size());
    if (length < 0)
        return errno;
    link.resize(size_t(length));
    *target = link;
    return 0;
}

int ListFolder(const char *folder, std::vector<std::string> *names)
{
    DIR *dir = ::opendir(folder);
    if (!dir)
        return errno;
    names->clear();
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name(entry->d_name);
        if (name != "." && name != "..")
            names->push_back(name);
    }
    ::closedir(dir);
    return 0;
}

} // namespace sys
