#include "recovery/recoveryfile.h"

#include <algorithm>

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QtEndian>

namespace {

const QByteArray kMagic = QByteArrayLiteral("SKMRECOV");
const QString kSuffix = QStringLiteral(".skmrecovery");
constexpr qsizetype kHeaderSize = 8 + 4 + 8;
constexpr qsizetype kHashSize = 32;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

Failure Refused(const QString &path, const QString &reason)
{
    return Failure{path, reason, 0, QStringLiteral("recover from")};
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
        << qint64(record.written.toMSecsSinceEpoch()) << qint64(record.ownerPid) << record.ownerId
        << record.changes;

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
    if (version != kRecoveryFormatVersion)
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
    in >> record.romPath >> size >> modified >> record.rom.hash >> written >> pid >> record.ownerId >> record.changes;
    if (in.status() != QDataStream::Ok || !in.atEnd() || size < 0)
        return Refused(path, QStringLiteral("the file is damaged (its contents cannot be read)"));
    record.rom.exists = true;
    record.rom.size = size;
    record.rom.modifiedNs = modified;
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
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
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

void RemoveRecoveryFile(const QString &path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".lock"));
}
