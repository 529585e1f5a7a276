#include "cli/clirom.h"

#include <QFile>
#include <QFileInfo>

#include "cli/clioptions.h"
#include "exchange/spritefiles.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"

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
    if (!info.exists())
        return Fail(error, QStringLiteral("%1: no such file").arg(name));
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

QString RomProblem(const QByteArray &image)
{
    if (image.size() < kSpritesAreaEnd)
        return QStringLiteral("too short for the car data (%1 bytes, at least %2 needed)")
            .arg(image.size())
            .arg(kSpritesAreaEnd);
    if (image.mid(0x100, 4) != "SEGA")
        return QStringLiteral("no \"SEGA\" header at 0x100");
    return {};
}

std::optional<RomInput> OpenRom(const QString &path, bool force, QString *error)
{
    std::optional<QByteArray> bytes = ReadInputFile(path, QStringLiteral("ROM"), error);
    if (!bytes)
        return std::nullopt;
    if (const QString problem = RomProblem(*bytes); !problem.isEmpty() && !force) {
        Fail(error, QStringLiteral("ROM \"%1\": %2; does not look like the game's ROM (--force uses it anyway)")
                        .arg(ShownPath(path), problem));
        return std::nullopt;
    }
    return RomInput{path, *bytes, ReadRom(path)};
}

bool SameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() && first.canonicalFilePath() == second.canonicalFilePath();
}

QString SaveTarget(const RomInput &rom, const QString &output)
{
    if (output.isEmpty())
        return rom.path;
    if (SameFile(output, rom.path))
        return rom.path;
    return output;
}

bool SaveRom(const RomInput &rom, const CarData &data, const QString &output, QString *error)
{
    const QString target = SaveTarget(rom, output);
    // Another file first gets the ROM's bytes, then the car data; the ROM
    // itself is never written then.
    if (target != rom.path) {
        if (QFileInfo(target).exists() && !QFileInfo(target).isFile())
            return Fail(error, QStringLiteral("cannot write \"%1\": not a regular file").arg(ShownPath(target)));
        if (!WriteWholeFile(target, rom.bytes)) {
            const QFileInfo folder(QFileInfo(target).absolutePath());
            const QString reason = !folder.isDir()        ? QStringLiteral("no such folder")
                                   : !folder.isWritable() ? QStringLiteral("the folder is not writable")
                                                          : QStringLiteral("write error");
            return Fail(error, QStringLiteral("cannot write \"%1\": %2").arg(ShownPath(target), reason));
        }
    }
    QString reason;
    if (!WriteRom(target, data, &reason))
        return Fail(error, reason);
    return true;
}
