#include "rom/protectedfiles.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMutex>

#include "rom/nativepath.h"
#include "sys/sysfile.h"

namespace {

struct ProtectedFile
{
    QString path;
    QString absolute;   // through symbolic links where the file exists
    sys::FileId id;
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

} // namespace

void ProtectFile(const QString &path)
{
    if (path.isEmpty())
        return;
    ProtectedFile file;
    file.path = path;
    file.absolute = AbsoluteOf(path);
    sys::FileInfo info;
    if (sys::Stat(NativePath(path).constData(), &info) == 0) {
        file.id = info.id;
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
    const QString absolute = AbsoluteOf(PathFromNative(target));
    sys::FileInfo info;
    const bool exists = sys::Stat(target.constData(), &info) == 0;
    const QMutexLocker lock(&guard);
    for (const ProtectedFile &file : std::as_const(files)) {
        if (absolute == file.absolute || absolute == AbsoluteOf(file.path))
            return file.path;
        if (!exists)
            continue;
        // The file as protected, and whatever its name holds now (a save replaced it).
        sys::FileInfo now;
        if ((file.identified && info.id == file.id)
            || (sys::Stat(NativePath(file.path).constData(), &now) == 0 && info.id == now.id))
            return file.path;
    }
    return {};
}
