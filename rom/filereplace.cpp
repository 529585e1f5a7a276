#include "rom/filereplace.h"

#include <cerrno>
#include <climits>
#include <string>
#include <vector>

namespace {

#ifdef NAME_MAX
constexpr int kLongestName = NAME_MAX;
#else
constexpr int kLongestName = 255;   // NTFS and the other file systems of Windows
#endif
constexpr char kTemporaryMark[] = ".skm-";
constexpr int kRandomLength = 6;   // the XXXXXX of mkostemp

qsizetype LastSeparator(const QByteArray &path)
{
#ifdef _WIN32
    return qMax(path.lastIndexOf('/'), path.lastIndexOf('\\'));
#else
    return path.lastIndexOf('/');
#endif
}

QByteArray FolderOf(const QByteArray &path)
{
    const qsizetype slash = LastSeparator(path);
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray NameOf(const QByteArray &path)
{
    return path.mid(LastSeparator(path) + 1);
}

// FNV-1a: the same for the same name in every run.
quint32 NameHash(const QByteArray &name)
{
    quint32 hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ quint8(c)) * 16777619u;
    return hash;
}

bool IsAbsolute(const QByteArray &path)
{
#ifdef _WIN32
    return path.startsWith('/') || path.startsWith('\\') || (path.size() > 1 && path.at(1) == ':');
#else
    return path.startsWith('/');
#endif
}

} // namespace

QByteArray ReasonText(int error)
{
    if (error == kNotRegularFile)
        return QByteArrayLiteral("not a regular file");
    if (error == kTooManyLinks)
        return QByteArray(std::strerror(ELOOP));
    return QByteArray::fromStdString(sys::ReasonText(error));
}

int ResolveWriteTarget(const QByteArray &path, QByteArray *target)
{
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        sys::FileInfo info;
        if (const int error = sys::Stat(current.constData(), &info, false)) {
            if (error != ENOENT)
                return error;
            *target = current;   // a new file, or where a dangling link points
            return 0;
        }
        if (info.kind != sys::Kind::Link) {
            *target = current;
            return 0;
        }
        std::string read;
        if (const int error = sys::ReadLink(current.constData(), &read))
            return error;
        const QByteArray link = QByteArray::fromStdString(read);
        current = IsAbsolute(link) ? link : FolderOf(current) + '/' + link;
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
    std::vector<std::string> names;
    if (sys::ListFolder(folder.constData(), &names) != 0)
        return;
    for (const std::string &entry : names) {
        const QByteArray name = QByteArray::fromStdString(entry);
        if (name.size() != prefix.size() + kRandomLength || !name.startsWith(prefix))
            continue;
        const QByteArray path = folder + '/' + name;
        sys::Handle fd = sys::kNoHandle;
        if (sys::Open(path.constData(), sys::kNoFollow, &fd) != 0)
            continue;
        // A writer that is still running holds the lock.
        sys::FileInfo opened;
        sys::FileInfo named;
        if (sys::Lock(fd, sys::LockKind::Exclusive, 0) == 0 && sys::StatOpen(fd, &opened) == 0
            && opened.kind == sys::Kind::Regular && sys::Stat(path.constData(), &named, false) == 0
            && named.id == opened.id)
            sys::Remove(path.constData());
        sys::Close(fd);
    }
}

void SyncFolderOf(const QByteArray &target)
{
    sys::SyncFolder(FolderOf(target).constData());
}

int WriteAll(sys::Handle fd, const char *data, qint64 length)
{
    return sys::WriteAll(fd, data, length);
}

int WriteAllAt(sys::Handle fd, const char *data, qint64 length, qint64 offset)
{
    return sys::WriteAllAt(fd, data, length, offset);
}

TemporaryFile::TemporaryFile(TemporaryFile &&other) noexcept
    : path(std::exchange(other.path, {})), keeper(std::exchange(other.keeper, sys::kNoHandle)),
      exchanged(std::exchange(other.exchanged, false))
{
}

TemporaryFile &TemporaryFile::operator=(TemporaryFile &&other) noexcept
{
    if (this != &other) {
        Discard();
        path = std::exchange(other.path, {});
        keeper = std::exchange(other.keeper, sys::kNoHandle);
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
    if (!old)
        return Write(target, bytes, static_cast<const sys::FileInfo *>(nullptr));
    sys::FileInfo info;
    info.mode = std::uint32_t(old->st_mode & 07777);
#ifndef _WIN32
    info.owner = std::uint32_t(old->st_uid);
    info.group = std::uint32_t(old->st_gid);
#endif
    return Write(target, bytes, &info);
}

int TemporaryFile::Write(const QByteArray &target, const QByteArray &bytes, const sys::FileInfo *old)
{
    Discard();
    const QByteArray pattern = TemporaryPrefix(target) + QByteArray(kRandomLength, 'X');
    std::string made;
    sys::Handle fd = sys::kNoHandle;
    if (const int error = sys::CreateTemporary(pattern.toStdString(), &made, &fd))
        return error;
    path = QByteArray::fromStdString(made);
    // Locked at once; the lock lives on in keeper after the checked close below.
    sys::Lock(fd, sys::LockKind::Exclusive, 0);
    int error = sys::Duplicate(fd, &keeper);
    if (error != 0)
        keeper = sys::kNoHandle;
    if (error == 0)
        error = sys::WriteAll(fd, bytes.constData(), bytes.size());
    if (error == 0)
        error = sys::KeepOwnerAndMode(fd, old);
    if (error == 0)
        error = sys::Sync(fd);
    if (const int closed = sys::Close(fd); closed != 0 && error == 0)
        error = closed;
    if (error != 0)
        Discard();
    return error;
}

int TemporaryFile::Commit(const QByteArray &target, bool exchange)
{
    if (exchange) {
        const int error = sys::Exchange(path.constData(), target.constData());
        if (error == 0) {
            exchanged = true;
            return 0;
        }
        if (error != EINVAL && error != ENOSYS && error != ENOENT)
            return error;
        // No exchange on this file system (or no old file): a plain rename.
    }
    if (const int error = sys::Rename(path.constData(), target.constData()))
        return error;
    path.clear();
    sys::Close(std::exchange(keeper, sys::kNoHandle));
    return 0;
}

void TemporaryFile::Undo(const QByteArray &target)
{
    if (exchanged && sys::Exchange(path.constData(), target.constData()) == 0)
        exchanged = false;
}

void TemporaryFile::Discard()
{
    if (!path.isEmpty())
        sys::Remove(path.constData());
    path.clear();
    exchanged = false;
    if (keeper != sys::kNoHandle)
        sys::Close(std::exchange(keeper, sys::kNoHandle));
}
