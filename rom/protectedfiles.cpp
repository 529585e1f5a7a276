#include "rom/protectedfiles.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMutex>

#include <sys/stat.h>

namespace {

struct ProtectedFile
{
    QString path;
    QString absolute;   // through symbolic links where the file exists
    dev_t device = 0;
    ino_t inode = 0;
    bool identified = false;
};

QMutex guard;
QList<ProtectedFile> files;

QString AbsoluteOf(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool SameFile(const struct stat &a, dev_t device, ino_t inode)
{
    return a.st_dev == device && a.st_ino == inode;
}

} // namespace

void ProtectFile(const QString &path)
{
    if (path.isEmpty())
        return;
    ProtectedFile file{path, AbsoluteOf(path)};
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
        file.device = info.st_dev;
        file.inode = info.st_ino;
        file.identified = true;
    }
    const QMutexLocker lock(&guard);
    files.append(file);
}

void ReleaseFile(const QString &path)
{
    const QMutexLocker lock(&guard);
    for (qsizetype i = files.size() - 1; i >= 0; --i) {
        if (files[i].path == path) {
            files.removeAt(i);
            return;
        }
    }
}

QString ProtectedFileAt(const QByteArray &target)
{
    const QString absolute = AbsoluteOf(QFile::decodeName(target));
    struct stat info {};
    const bool exists = ::stat(target.constData(), &info) == 0;
    const QMutexLocker lock(&guard);
    for (const ProtectedFile &file : std::as_const(files)) {
        if (absolute == file.absolute || absolute == AbsoluteOf(file.path))
            return file.path;
        if (!exists)
            continue;
        // The file as protected, and whatever its name holds now (a save replaced it).
        struct stat now {};
        if ((file.identified && SameFile(info, file.device, file.inode))
            || (::stat(QFile::encodeName(file.path).constData(), &now) == 0 && SameFile(info, now.st_dev, now.st_ino)))
            return file.path;
    }
    return {};
}
