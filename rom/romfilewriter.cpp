#include "rom/romfilewriter.h"

#include <cerrno>
#include <utility>
#include <vector>

#include <QDir>
#include <QFile>

#include "rom/filereplace.h"
#include "rom/nativepath.h"
#include "sys/sysfile.h"

namespace {

constexpr int kWouldShorten = -2;

QString ReasonOf(int error)
{
    if (error == kWouldShorten)
        return QStringLiteral("the file is longer than the image to save and cannot be shortened in place");
    return QString::fromLocal8Bit(ReasonText(error));
}

Failure Failed(const QString &path, int error, Failure::Action action = Failure::Action::Write)
{
    return Failure{path, ReasonOf(error), error > 0 ? error : 0, action};
}

// No room (or no permission) for a second copy: the file can still be written in place.
bool ReplaceImpossible(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == EACCES || error == EPERM || error == ENOSPC;
}

struct Range
{
    qint64 start;
    qint64 length;
};

// How an in-place write ended: 0, or an errno value and whether the file was
// touched before it failed; synced false when everything was written but the
// fsync failed.
struct InPlaceOutcome
{
    int error = 0;
    bool touched = false;
    bool allWritten = false;
};

// Writes into the existing file the bytes of bytes that differ from what it
// holds, then what lies past its end; never truncates. The blocks all of that
// needs are reserved before the first byte is written.
InPlaceOutcome WriteInPlace(const QByteArray &target, const QByteArray &bytes)
{
    InPlaceOutcome outcome;
    sys::Handle fd = sys::kNoHandle;
    if (const int error = sys::Open(target.constData(), sys::kReadWrite, &fd)) {
        outcome.error = error;
        return outcome;
    }
    const auto finish = [&](int error) {
        if (const int closed = sys::Close(fd); closed != 0 && error == 0)
            error = closed;
        outcome.error = error;
        return outcome;
    };

    sys::FileInfo info;
    if (const int error = sys::StatOpen(fd, &info))
        return finish(error);
    if (info.kind != sys::Kind::Regular)
        return finish(kNotRegularFile);
    const qint64 size = info.size;
    if (size > bytes.size())
        return finish(kWouldShorten);

    // First the ranges that differ, without writing anything.
    std::vector<Range> changed;
    constexpr qint64 kBlock = 1 << 20;
    QByteArray onDisk(kBlock, Qt::Uninitialized);
    for (qint64 start = 0; start < size; start += kBlock) {
        const qint64 length = qMin(kBlock, size - start);
        if (const int error = sys::ReadAllAt(fd, onDisk.data(), length, start))
            return finish(error);
        const char *wanted = bytes.constData() + start;
        for (qint64 i = 0; i < length;) {
            if (onDisk.at(i) == wanted[i]) {
                ++i;
                continue;
            }
            qint64 end = i + 1;
            while (end < length && onDisk.at(end) != wanted[end])
                ++end;
            if (!changed.empty() && changed.back().start + changed.back().length == start + i)
                changed.back().length += end - i;
            else
                changed.push_back({start + i, end - i});
            i = end;
        }
    }
    if (bytes.size() > size)
        changed.push_back({size, bytes.size() - size});

    // Blocks for every changed range (a sparse file has none in its holes) and
    // for the growth, the size kept: a full disk shows here, before any byte.
    for (const Range &range : changed) {
        if (const int error = sys::Reserve(fd, range.start, range.length); error != 0 && error != EOPNOTSUPP)
            return finish(error);
    }

    for (const Range &range : changed) {
        outcome.touched = true;
        if (const int error = sys::WriteAllAt(fd, bytes.constData() + range.start, range.length, range.start))
            return finish(error);
    }
    outcome.allWritten = true;
    return finish(sys::Sync(fd));
}

} // namespace

Result<SaveMethod> WriteRomFile(const QString &path, const QByteArray &newFileBytes)
{
    // Through a symbolic link to the file it names, which is what gets replaced.
    QByteArray target;
    if (const int error = ResolveWriteTarget(NativePath(path), &target))
        return Failed(path, error);

    sys::FileInfo old;
    const int missing = sys::Stat(target.constData(), &old);
    const bool exists = missing == 0;
    if (!exists && missing != ENOENT)
        return Failed(path, missing);
    if (exists && old.kind != sys::Kind::Regular)
        return Failed(path, kNotRegularFile);
    // A file we may not write is not replaced either (the folder may allow it);
    // this also reports a read-only file system before anything is tried.
    if (exists)
        if (const int error = sys::CanWrite(target.constData()))
            return Failed(path, error);

    RemoveStaleTemporaries(target);
    if (!exists || old.links <= 1) {
        TemporaryFile temporary;
        int error = temporary.Write(target, newFileBytes, exists ? &old : nullptr);
        const bool mayWriteInPlace = exists && ReplaceImpossible(error);
        if (error == 0)
            error = temporary.Commit(target);
        if (error == 0) {
            SyncFolderOf(target);
            return SaveMethod::Replaced;
        }
        if (!mayWriteInPlace)
            return Failed(path, error);
    }

    // Hard links share the file (a replacement would part them), or the folder
    // has no room for a replacement: write the file itself.
    const InPlaceOutcome outcome = WriteInPlace(target, newFileBytes);
    if (outcome.error == 0)
        return SaveMethod::InPlace;
    return Failed(path, outcome.error,
                  outcome.touched && !outcome.allWritten ? Failure::Action::PartlyWrite : Failure::Action::Write);
}
