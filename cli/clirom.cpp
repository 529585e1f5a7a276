#include "cli/clirom.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cli/clioptions.h"
#include "rom/nativepath.h"
#include "rom/outputfile.h"
#include "sys/sysfile.h"
#include "rom/protectedfiles.h"
#include "rom/romfilewriter.h"
#include "rom/romimage.h"
#include "rom/romcheck.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

namespace {

// "Cannot read input "x.png": no such file": what the file is for names it
// (the command line speaks English only, so the sentence is made here).
Failure InputFailure(const QString &path, const QString &what, const QString &reason)
{
    return Failure{{}, QStringLiteral("Cannot read %1 \"%2\": %3").arg(what, QDir::toNativeSeparators(path), reason), 0,
                   Failure::Action::Read};
}

} // namespace

Result<void> CheckInputFile(const QString &path, const QString &what)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        // The system's reason: a symbolic link loop or a file used as a folder
        // is not simply missing.
        sys::FileInfo status;
        const int reason = sys::Stat(NativePath(path).constData(), &status);
        if (reason != 0 && reason != ENOENT)
            return InputFailure(path, what, QString::fromLocal8Bit(sys::ReasonText(reason).c_str()));
        return InputFailure(path, what, QStringLiteral("no such file"));
    }
    if (!info.isFile())
        return InputFailure(path, what, QStringLiteral("not a regular file"));
    if (info.size() > kLargestInputFile)
        return InputFailure(path, what, QStringLiteral("too large"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return InputFailure(path, what, file.errorString());
    return {};
}

Result<QByteArray> ReadInputFile(const QString &path, const QString &what)
{
    if (Result<void> readable = CheckInputFile(path, what); !readable)
        return readable.failure();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return InputFailure(path, what, file.errorString());
    QByteArray bytes = file.read(kLargestInputFile + 1);
    if (bytes.size() > kLargestInputFile)
        return InputFailure(path, what, QStringLiteral("too large"));
    if (file.error() != QFileDevice::NoError)
        return InputFailure(path, what, file.errorString());
    return bytes;
}

Result<RomInput> OpenRom(const QString &path, bool force, RomUse use)
{
    // A missing file is an error here (the window would start a new one).
    if (Result<void> readable = CheckInputFile(path, QStringLiteral("ROM")); !readable)
        return readable.failure();
    Result<RomFileLock> lock = RomFileLock::Acquire(
        path, use == RomUse::Write ? RomFileLock::Mode::Exclusive : RomFileLock::Mode::Shared);
    if (!lock)
        return lock.failure();
    ProtectFile(path);
    const Result<RomImage> image = RomImage::Load(path);
    if (!image)
        return image.failure();
    RomContents contents = RomContentsFromFile(path, image->fileBytes);
    if (!contents.problems.isEmpty() && !force)
        return InputFailure(path, QStringLiteral("ROM"),
                            contents.problems.join(QStringLiteral("; ")) + QStringLiteral(" (--force uses it anyway)"));
    const CarData data = CarDataFromImage(contents.plain);
    return RomInput{path, image->fileBytes.size(), contents.plain, contents.smdHeader, data, *image, *lock};
}

bool SamePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

QString SaveTarget(const RomInput &rom, const QString &output)
{
    if (output.isEmpty())
        return rom.path;
    if (SamePath(output, rom.path))
        return rom.path;
    return output;
}

Result<void> SaveRom(const RomInput &rom, const CarData &data, const QString &output)
{
    // The ROM's bytes with the car areas and the checksum patched, written in
    // one step to the ROM or to the other file; the ROM is never touched then.
    const QByteArray patched = PatchedImage(rom.plain, data);
    const QByteArray bytes = rom.smdHeader.isEmpty() ? patched : InterleaveSmd(rom.smdHeader, patched);
    const QString target = SaveTarget(rom, output);
    if (target != rom.path)
        return WriteOutputFile(target, bytes);
    // The lock keeps other commands and the window out; anything else that
    // changed the file meanwhile is not overwritten.
    if (CheckOnDisk(rom.image) != DiskState::Unchanged)
        return Failure{{}, QStringLiteral("%1 was changed by another program while this command ran").arg(ShownPath(rom.path)), 0, {}};
    const Result<SaveMethod> result = WriteRomFile(rom.path, bytes);
    if (!result)
        return result.failure();
    return {};
}
