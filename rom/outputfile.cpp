#include "rom/outputfile.h"

#include <cerrno>
#include <optional>
#include <vector>

#include <QDir>
#include <QFile>

#include "rom/filereplace.h"
#include "rom/nativepath.h"
#include "rom/protectedfiles.h"
#include "sys/sysfile.h"

namespace {

Failure WriteFailure(const QString &path, int error)
{
    return Failure{path, QString::fromLocal8Bit(ReasonText(error)), error > 0 ? error : 0, Failure::Action::Write};
}

// One file of a write: where it really goes and what is there now.
struct Prepared
{
    QString path;
    QByteArray target;
    std::optional<sys::FileInfo> old;
    TemporaryFile temporary;
};

// Why a target that is there is one we never write: a device, a pipe or a
// socket (also reached through links the kernel resolves itself, such as
// /dev/stdout); empty for anything else.
QString SpecialFileReason(const QByteArray &path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return {};
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("it is a device, not a file this program writes");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("it is a pipe, not a file this program writes");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("it is a socket, not a file this program writes");
    return {};
}

// Finds the file path really names and makes sure it may be replaced.
Result<void> Prepare(const QString &path, Prepared *prepared)
{
    if (path.isEmpty())
        return Failure{path, QStringLiteral("no file name given"), 0, Failure::Action::Write};
    prepared->path = path;
    // Before the links are followed by name: /proc's links (/dev/stdout ->
    // /proc/self/fd/1 -> "pipe:[...]") lead nowhere a name can follow.
    if (const QString reason = SpecialFileReason(NativePath(path)); !reason.isEmpty())
        return Failure{path, reason, 0, Failure::Action::Write};
    if (const int error = ResolveWriteTarget(NativePath(path), &prepared->target))
        return WriteFailure(path, error);
    if (const QString rom = ProtectedFileAt(prepared->target); !rom.isEmpty())
        return Failure{path,
                       QStringLiteral("it is the open ROM \"%1\", which only a save writes").arg(QDir::toNativeSeparators(rom)),
                       0, Failure::Action::Write};
    sys::FileInfo info;
    if (const int error = sys::Stat(prepared->target.constData(), &info); error == 0) {
        if (info.kind != sys::Kind::Regular)
            return WriteFailure(path, kNotRegularFile);
        prepared->old = info;
    } else if (error != ENOENT) {
        return WriteFailure(path, error);
    }
    RemoveStaleTemporaries(prepared->target);
    return {};
}

int WriteTemporary(Prepared &file, const QByteArray &bytes)
{
    return file.temporary.Write(file.target, bytes, file.old ? &*file.old : nullptr);
}

} // namespace

Result<void> WriteOutputFile(const QString &path, const QByteArray &bytes)
{
    Prepared file;
    if (Result<void> ready = Prepare(path, &file); !ready)
        return ready;
    if (const int error = WriteTemporary(file, bytes))
        return WriteFailure(path, error);
    if (const int error = file.temporary.Commit(file.target))
        return WriteFailure(path, error);
    SyncFolderOf(file.target);
    return {};
}

Result<void> WriteOutputFiles(const QList<OutputFile> &files)
{
    std::vector<Prepared> prepared(size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (Result<void> ready = Prepare(files[i].path, &prepared[size_t(i)]); !ready)
            return ready;
    }
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (const int error = WriteTemporary(prepared[size_t(i)], files[i].bytes))
            return WriteFailure(files[i].path, error);   // the temporaries go with prepared
    }
    // All written: now the renames. Existing files are swapped with their new
    // contents, so that a failure part-way can put every one back.
    for (size_t i = 0; i < prepared.size(); ++i) {
        Prepared &file = prepared[i];
        if (const int error = file.temporary.Commit(file.target, file.old.has_value())) {
            for (size_t k = i; k-- > 0;) {
                if (prepared[k].old)
                    prepared[k].temporary.Undo(prepared[k].target);
                else
                    sys::Remove(prepared[k].target.constData());
            }
            return WriteFailure(file.path, error);
        }
    }
    for (Prepared &file : prepared)
        file.temporary.Discard();   // the old contents of swapped files
    if (!prepared.empty())
        SyncFolderOf(prepared.front().target);
    return {};
}
