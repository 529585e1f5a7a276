#include "recovery/recoveryfile.h"

#include <algorithm>
#include <limits>

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kMagic = QByteArrayLiteral("SKMRECOV");
const QString kSuffix = QStringLiteral(".skmrecovery");
constexpr qsizetype kHeaderSize = 8 + 4 + 8;
constexpr qsizetype kHashSize = 32;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

Failure Refused(const QString &path, const QString &reason)
{
    return Failure{path, reason, 0, Failure::Action::RecoverFrom};
}

// The names NewRecoveryFilePath() makes: ROM name, key, owner, random part.
const QString kNamePattern = QStringLiteral("[A-Za-z0-9._-]{0,40}-[0-9a-f]{16}-[0-9]+\\.[0-9]+-[0-9a-f]{8}\\.skmrecovery");

// Removes the entry name of the folder open as dir when it is a regular file
// no one holds a lock on and, for a lock file, when its recovery file is
// gone. The lock is held across the check and the removal.
bool RemoveUnlockedEntry(int dir, const QByteArray &name, const QByteArray &mustBeGone)
{
    const int fd = ::openat(dir, name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    bool removed = false;
    struct stat opened {}, named {}, other {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
        && ::fstatat(dir, name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev
        && named.st_ino == opened.st_ino
        && (mustBeGone.isEmpty()
            || (::fstatat(dir, mustBeGone.constData(), &other, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT)))
        removed = ::unlinkat(dir, name.constData(), 0) == 0;
    ::close(fd);
    return removed;
}

// The part of a file name that tells the files of one ROM from the others.
QString RomKey(const QString &romPath)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(RecoveryRomPath(romPath).toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

} // namespace

QByteArray EncodeRecoveryFile(const RecoveryRecord &record)
{
    QByteArray contents;
    QDataStream out(&contents, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << record.romPath << qint64(record.rom.size) << qint64(record.rom.modifiedNs) << record.rom.hash
        << quint64(record.rom.device) << quint64(record.rom.inode) << qint64(record.written.toMSecsSinceEpoch())
        << qint64(record.ownerPid) << record.ownerId << record.changes;

    QByteArray bytes;
    bytes.reserve(kHeaderSize + contents.size() + kHashSize);
    bytes.append(kMagic);
    char number[8];
    qToBigEndian(kRecoveryFormatVersion, number);
    bytes.append(number, 4);
    qToBigEndian(quint64(contents.size()), number);
    bytes.append(number, 8);
    bytes.append(contents);
    bytes.append(QCryptographicHash::hash(contents, QCryptographicHash::Sha256));
    return bytes;
}

Result<RecoveryRecord> DecodeRecoveryFile(const QString &path, const QByteArray &bytes)
{
    if (!bytes.startsWith(kMagic.left(std::min(bytes.size(), kMagic.size()))))
        return Refused(path, QStringLiteral("it is not a recovery file of this editor"));
    const auto truncated = [&](qsizetype expected) {
        return Refused(path, QStringLiteral("the file is truncated (%1 of %2 bytes)").arg(bytes.size()).arg(expected));
    };
    if (bytes.size() < kHeaderSize)
        return truncated(kHeaderSize);
    const quint32 version = qFromBigEndian<quint32>(bytes.constData() + 8);
    if (version != kRecoveryFormatVersion && version != 1)
        return Refused(path, QStringLiteral("it has format version %1 (this editor reads version %2)")
                                 .arg(version)
                                 .arg(kRecoveryFormatVersion));
    const quint64 length = qFromBigEndian<quint64>(bytes.constData() + 12);
    if (length > quint64(bytes.size()))
        return truncated(qsizetype(std::min<quint64>(length, quint64(1) << 50)) + kHeaderSize + kHashSize);
    const qsizetype expected = kHeaderSize + qsizetype(length) + kHashSize;
    if (bytes.size() < expected)
        return truncated(expected);
    if (bytes.size() > expected)
        return Refused(path, QStringLiteral("the file is damaged (%1 bytes after its end)").arg(bytes.size() - expected));
    const QByteArray contents = bytes.mid(kHeaderSize, qsizetype(length));
    if (QCryptographicHash::hash(contents, QCryptographicHash::Sha256) != bytes.right(kHashSize))
        return Refused(path, QStringLiteral("the file is damaged (its checksum does not match)"));

    RecoveryRecord record;
    QDataStream in(contents);
    in.setVersion(kStreamVersion);
    qint64 size = 0, modified = 0, written = 0, pid = 0;
    quint64 device = 0, inode = 0;
    in >> record.romPath >> size >> modified >> record.rom.hash;
    if (version >= 2)
        in >> device >> inode;
    in >> written >> pid >> record.ownerId >> record.changes;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return Refused(path, QStringLiteral("the file is damaged (its contents cannot be read)"));
    const auto outOfRange = [&](const QString &what) {
        return Refused(path, QStringLiteral("the file is damaged (%1)").arg(what));
    };
    if (record.romPath.isEmpty() || !QDir::isAbsolutePath(record.romPath))
        return outOfRange(QStringLiteral("the ROM's path \"%1\" is not absolute").arg(record.romPath));
    if (size < 0 || size > kLargestRomFile)
        return outOfRange(QStringLiteral("a ROM size of %1 bytes").arg(size));
    if (!record.rom.hash.isEmpty() && record.rom.hash.size() != kHashSize)
        return outOfRange(QStringLiteral("a ROM checksum of %1 bytes").arg(record.rom.hash.size()));
    // From 1970 to the year 9999: what a clock of this century writes.
    constexpr qint64 kLatestWritten = 253402300799999;
    if (written < 0 || written > kLatestWritten)
        return outOfRange(QStringLiteral("a time of writing of %1 ms").arg(written));
    if (pid < 0 || pid > std::numeric_limits<qint32>::max())
        return outOfRange(QStringLiteral("a process id of %1").arg(pid));
    record.rom.exists = true;
    record.rom.size = size;
    record.rom.modifiedNs = modified;
    record.rom.device = device;
    record.rom.inode = inode;
    record.written = QDateTime::fromMSecsSinceEpoch(written, Qt::UTC);
    record.ownerPid = pid;
    return record;
}

QString RecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

QString RecoveryRomPath(const QString &romPath)
{
    const QFileInfo info(romPath);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // Gone (renamed, not made yet): the folder it was in still counts by its
    // real path, so that a file opened through a linked folder keeps its name.
    const QString absolute = QDir::cleanPath(info.absoluteFilePath());
    const QFileInfo absoluteInfo(absolute);
    const QString folder = QFileInfo(absoluteInfo.path()).canonicalFilePath();
    return folder.isEmpty() ? absolute : QDir::cleanPath(folder + QLatin1Char('/') + absoluteInfo.fileName());
}

QString NewRecoveryFilePath(const QString &folder, const QString &romPath, const QString &ownerId)
{
    // The ROM's name first, for people looking into the folder; characters
    // other than letters, digits, '.', '_' and '-' become '_'.
    QString name = QFileInfo(romPath).fileName().left(40);
    for (QChar &c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'.' && c != u'_' && c != u'-')
            c = u'_';
    // A random part: a later process with the same id never takes the name
    // of a file left behind.
    const QString random = QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    return QStringLiteral("%1/%2-%3-%4-%5%6").arg(folder, name, RomKey(romPath), ownerId, random, kSuffix);
}

QList<OrphanedRecovery> FindOrphanedRecoveryFiles(const QString &romPath, const QString &folder)
{
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*-%1-*%2").arg(RomKey(romPath), kSuffix)},
                                                  QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
    QList<OrphanedRecovery> found;
    for (const QFileInfo &file : files) {
        const QString path = file.absoluteFilePath();
        std::unique_ptr<RecoveryLock> lock = RecoveryLock::TryLock(path + QStringLiteral(".lock"));
        // Locked: its owner runs. Gone meanwhile: its owner saved or discarded.
        if (lock && QFileInfo::exists(path))
            found.append({path, std::move(lock)});
    }
    return found;
}

bool RemoveOwnRecoveryEntry(const QString &path)
{
    const QFileInfo info(path);
    const QByteArray name = QFile::encodeName(info.fileName());
    if (name.isEmpty())
        return false;
    const int dir = ::open(QFile::encodeName(info.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (dir < 0)
        return false;
    struct stat entry {};
    const bool removed = ::fstatat(dir, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(entry.st_mode)
                         && ::unlinkat(dir, name.constData(), 0) == 0;
    ::close(dir);
    return removed;
}

void RemoveRecoveryFile(const QString &path)
{
    RemoveOwnRecoveryEntry(path);
    RemoveOwnRecoveryEntry(path + QStringLiteral(".lock"));
}

int RemoveRecoveryLeftovers(const QString &folder)
{
    // The writer's temporaries: "." + the recovery file's name + ".skm-XXXXXX".
    static const QRegularExpression temporary(QStringLiteral("^\\.(%1)\\.skm-[A-Za-z0-9]{6}$").arg(kNamePattern));
    static const QRegularExpression lock(QStringLiteral("^(%1)\\.lock$").arg(kNamePattern));
    const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return 0;
    // The names first, then the removals: never while the listing runs.
    QList<QByteArray> names;
    if (DIR *listing = ::fdopendir(::fcntl(dir, F_DUPFD_CLOEXEC, 0))) {
        while (const dirent *entry = ::readdir(listing))
            names.append(QByteArray(entry->d_name));
        ::closedir(listing);
    }
    int removed = 0;
    for (const QByteArray &name : std::as_const(names)) {
        const QString text = QFile::decodeName(name);
        if (temporary.match(text).hasMatch())
            removed += RemoveUnlockedEntry(dir, name, {});
        else if (const QRegularExpressionMatch match = lock.match(text); match.hasMatch())
            removed += RemoveUnlockedEntry(dir, name, QFile::encodeName(match.captured(1)));
    }
    ::close(dir);
    return removed;
}
