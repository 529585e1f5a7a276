#include "cli/clirom.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

#include "cli/clioptions.h"
#include "rom/outputfile.h"
#include "rom/protectedfiles.h"
#include "rom/romfilewriter.h"
#include "rom/romimage.h"
#include "rom/romcheck.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

namespace {

bool Fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

bool CheckInputFile(const QString &path, const QString &what, QString *error)
{
    const QString name = QStringLiteral("%1 \"%2\"").arg(what, ShownPath(path));
    const QFileInfo info(path);
    if (!info.exists()) {
        // The system's reason: a symbolic link loop or a file used as a folder
        // is not simply missing.
        struct stat status;
        const int reason = ::stat(QFile::encodeName(path).constData(), &status) == 0 ? 0 : errno;
        if (reason != 0 && reason != ENOENT)
            return Fail(error, QStringLiteral("%1: %2").arg(name, QString::fromLocal8Bit(std::strerror(reason))));
        return Fail(error, QStringLiteral("%1: no such file").arg(name));
    }
    if (!info.isFile())
        return Fail(error, QStringLiteral("%1: not a regular file").arg(name));
    if (info.size() > kLargestInputFile)
        return Fail(error, QStringLiteral("%1: too large").arg(name));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, QStringLiteral("%1: %2").arg(name, file.errorString()));
    return true;
}

std::optional<QByteArray> ReadInputFile(const QString &path, const QString &what, QString *error)
{
    if (!CheckInputFile(path, what, error))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(error, QStringLiteral("%1 \"%2\": %3").arg(what, ShownPath(path), file.errorString()));
        return std::nullopt;
    }
    QByteArray bytes = file.read(kLargestInputFile + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLargestInputFile) {
        Fail(error, QStringLiteral("%1 \"%2\": %3").arg(what, ShownPath(path),
                                                         bytes.size() > kLargestInputFile ? QStringLiteral("too large")
                                                                                          : file.errorString()));
        return std::nullopt;
    }
    return bytes;
}

std::optional<RomInput> OpenRom(const QString &path, bool force, QString *error, RomUse use)
{
    // A missing file is an error here (the window would start a new one).
    if (!CheckInputFile(path, QStringLiteral("ROM"), error))
        return std::nullopt;
    Result<RomFileLock> lock = RomFileLock::Acquire(
        path, use == RomUse::Write ? RomFileLock::Mode::Exclusive : RomFileLock::Mode::Shared);
    if (!lock) {
        Fail(error, lock.message());
        return std::nullopt;
    }
    ProtectFile(path);
    const std::optional<RomImage> image = RomImage::Load(path, error);
    if (!image)
        return std::nullopt;
    RomContents contents = RomContentsFromFile(path, image->fileBytes);
    if (!contents.problems.isEmpty() && !force) {
        Fail(error, QStringLiteral("ROM \"%1\": %2 (--force uses it anyway)")
                        .arg(ShownPath(path), contents.problems.join(QStringLiteral("; "))));
        return std::nullopt;
    }
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

bool SaveRom(const RomInput &rom, const CarData &data, const QString &output, QString *error)
{
    // The ROM's bytes with the car areas and the checksum patched, written in
    // one step to the ROM or to the other file; the ROM is never touched then.
    const QByteArray patched = PatchedImage(rom.plain, data);
    const QByteArray bytes = rom.smdHeader.isEmpty() ? patched : InterleaveSmd(rom.smdHeader, patched);
    const QString target = SaveTarget(rom, output);
    if (target != rom.path) {
        const Result<void> written = WriteOutputFile(target, bytes);
        return written.ok() || Fail(error, written.message());
    }
    // The lock keeps other commands and the window out; anything else that
    // changed the file meanwhile is not overwritten.
    if (CheckOnDisk(rom.image) != DiskState::Unchanged)
        return Fail(error, QStringLiteral("%1 was changed by another program while this command ran").arg(ShownPath(rom.path)));
    const SaveResult result = WriteRomFile(rom.path, bytes);
    if (!result.ok)
        return Fail(error, result.error);
    return true;
}
