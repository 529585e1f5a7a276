#include "external/ownfolder.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kLockName[] = ".skm-owner.lock";
// The lock is made under this name and renamed once it is locked, so that a
// cleaner never finds an unlocked lock of a folder being made.
constexpr char kNewLockName[] = ".skm-owner.lock.new";
// A folder without a lock is a maker's that died before it locked (or one
// made before folders had locks): left alone while it is this young.
constexpr time_t kLocklessGraceSeconds = 60;

QByteArray PrefixOf(OwnFolderKind kind)
{
    return kind == OwnFolderKind::PlayTest ? QByteArrayLiteral("skm-play-") : QByteArrayLiteral("skm-link-");
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool IsOwnDataName(OwnFolderKind kind, const QString &name)
{
    // A play-test's copy, and the live link's script and change file beside it.
    static const QRegularExpression play(QStringLiteral("^(.+-play-[0-9]+\\.bin|live\\.lua|live-changes\\.bin|live-record\\.txt|"
                                                                "live-recorded\\.(txt|tmp)|live-state-[0-9]+\\.sta)$"));
    static const QRegularExpression link(QStringLiteral("^(cars|car-[0-9]+|sprite-[0-9]+-[0-9]+)\\.png$"));
    return (kind == OwnFolderKind::PlayTest ? play : link).match(name).hasMatch();
}

// Removes the own file names in the open folder: its kind's files, the
// writer's temporaries of them and the lock. A name is removed as the entry it
// is (a link as the link), and folders are never entered.
void RemoveOwnFiles(int folder, OwnFolderKind kind)
{
    const int listed = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listed < 0)
        return;
    DIR *entries = ::fdopendir(listed);
    if (!entries) {
        ::close(listed);
        return;
    }
    ::rewinddir(entries);
    QList<QByteArray> names;
    while (const dirent *entry = ::readdir(entries)) {
        const QByteArray name(entry->d_name);
        if (name != kLockName && IsOwnFileName(kind, QFile::decodeName(name)))
            names << name;
    }
    ::closedir(entries);
    for (const QByteArray &name : names) {
        struct stat info {};
        if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISDIR(info.st_mode))
            ::unlinkat(folder, name.constData(), 0);
    }
    ::unlinkat(folder, kNewLockName, 0);
    ::unlinkat(folder, kLockName, 0);
}

bool SameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes the entry name of parent when it is still the (empty) folder open
// as folder.
void RemoveFolderEntry(int parent, const QByteArray &name, int folder)
{
    struct stat opened {}, named {};
    if (::fstat(folder, &opened) == 0 && ::fstatat(parent, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && S_ISDIR(named.st_mode) && SameFile(opened, named))
        ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
}

QString RootOr(const QString &temporaryRoot)
{
    return temporaryRoot.isEmpty() ? QDir::tempPath() : temporaryRoot;
}

}  // namespace

bool IsOwnFileName(OwnFolderKind kind, const QString &name)
{
    if (name == QLatin1String(kLockName) || name == QLatin1String(kNewLockName))
        return true;
    // The writer's temporary of an own file: ".<name>.skm-XXXXXX".
    static const QRegularExpression temporary(QStringLiteral("^\\.(.+)\\.skm-[A-Za-z0-9]{6}$"));
    if (const QRegularExpressionMatch match = temporary.match(name); match.hasMatch())
        return IsOwnDataName(kind, match.captured(1));
    return IsOwnDataName(kind, name);
}

Result<std::unique_ptr<OwnFolder>> OwnFolder::Make(OwnFolderKind kind, const QString &temporaryRoot)
{
    QByteArray pattern = QFile::encodeName(RootOr(temporaryRoot)) + '/' + PrefixOf(kind) + "XXXXXX";
    const auto fail = [&](int error) {
        return Failure{QFile::decodeName(pattern), SystemReason(error), error, Failure::Action::CreateFolder};
    };
    if (!::mkdtemp(pattern.data()))
        return fail(errno);
    const int folder = ::open(pattern.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        const int error = errno;
        ::rmdir(pattern.constData());
        return fail(error);
    }
    const int lock = ::openat(folder, kNewLockName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    int error = lock < 0 ? errno : 0;
    if (error == 0 && ::flock(lock, LOCK_EX | LOCK_NB) != 0)
        error = errno;
    if (error == 0 && ::renameat(folder, kNewLockName, folder, kLockName) != 0)
        error = errno;
    if (error != 0) {
        if (lock >= 0)
            ::close(lock);
        RemoveOwnFiles(folder, kind);
        ::close(folder);
        ::rmdir(pattern.constData());
        return fail(error);
    }
    return std::unique_ptr<OwnFolder>(new OwnFolder(kind, QFile::decodeName(pattern), folder, lock));
}

OwnFolder::OwnFolder(OwnFolderKind kind, QString path, int folder, int lock)
    : kind(kind), folderPath(std::move(path)), folder(folder), lock(lock)
{
}

OwnFolder::~OwnFolder()
{
    Remove();
}

QString OwnFolder::filePath(const QString &name) const
{
    return folderPath + QLatin1Char('/') + name;
}

bool OwnFolder::isAtPath() const
{
    struct stat opened {}, named {};
    return folder >= 0 && ::fstat(folder, &opened) == 0
           && ::lstat(QFile::encodeName(folderPath).constData(), &named) == 0 && S_ISDIR(named.st_mode)
           && SameFile(opened, named);
}

void OwnFolder::Remove()
{
    if (folder < 0)
        return;
    RemoveOwnFiles(folder, kind);
    ::close(lock);
    lock = -1;
    const QFileInfo info(folderPath);
    const int parent =
        ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent >= 0) {
        RemoveFolderEntry(parent, QFile::encodeName(info.fileName()), folder);
        ::close(parent);
    }
    ::close(folder);
    folder = -1;
}

int RemoveLeftoverFolders(const QString &temporaryRoot)
{
    const int root = ::open(QFile::encodeName(RootOr(temporaryRoot)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return 0;
    QList<std::pair<QByteArray, OwnFolderKind>> candidates;
    if (DIR *entries = ::fdopendir(::fcntl(root, F_DUPFD_CLOEXEC, 0))) {
        while (const dirent *entry = ::readdir(entries)) {
            const QByteArray name(entry->d_name);
            for (OwnFolderKind kind : {OwnFolderKind::PlayTest, OwnFolderKind::Link})
                if (name.size() == PrefixOf(kind).size() + 6 && name.startsWith(PrefixOf(kind)))
                    candidates.append({name, kind});
        }
        ::closedir(entries);
    }
    int removed = 0;
    for (const auto &[name, kind] : candidates) {
        const int folder = ::openat(root, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder < 0)
            continue;
        struct stat info {};
        bool dead = false;
        int lock = -1;
        if (::fstat(folder, &info) == 0 && info.st_uid == ::geteuid()) {
            lock = ::openat(folder, kLockName, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            struct stat lockInfo {};
            if (lock >= 0)
                dead = ::fstat(lock, &lockInfo) == 0 && S_ISREG(lockInfo.st_mode)
                       && ::flock(lock, LOCK_EX | LOCK_NB) == 0;
            else
                dead = errno == ENOENT && std::time(nullptr) - info.st_mtime > kLocklessGraceSeconds;
        }
        if (dead) {
            RemoveOwnFiles(folder, kind);
            RemoveFolderEntry(root, name, folder);
            struct stat after {};
            if (::fstatat(root, name.constData(), &after, AT_SYMLINK_NOFOLLOW) != 0)
                ++removed;
        }
        if (lock >= 0)
            ::close(lock);
        ::close(folder);
    }
    ::close(root);
    return removed;
}
