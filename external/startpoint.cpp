#include "external/startpoint.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "external/commandline.h"
#include "rom/outputfile.h"

namespace {

const char *const kFamilies[] = {"mame", "blastem"};

// The ROM by its real path, so that names through links share a start point.
QString RealRomPath(const QString &romPath)
{
    const QFileInfo info(romPath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString FilePath(const QString &romPath, const QString &family)
{
    const QByteArray key =
        QCryptographicHash::hash(RealRomPath(romPath).toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    // The ROM's name first, for people looking into the folder.
    QString name = QFileInfo(romPath).completeBaseName().left(40);
    for (QChar &c : name)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_' && c != u'-')
            c = u'_';
    return QStringLiteral("%1/%2-%3.%4.sta").arg(StartPointFolder(), name, QString::fromLatin1(key), family);
}

// A regular file, not a link: one the program wrote.
bool IsOwnFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isSymLink() && info.isFile();
}

// Removes the start point at path by its name within the folder, and only
// while it is the regular file we wrote: never through a link to the folder
// or in its place.
bool RemoveOwnFile(const QString &path)
{
    const QFileInfo info(path);
    const QByteArray name = QFile::encodeName(info.fileName());
    const int dir = ::open(QFile::encodeName(info.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (dir < 0)
        return false;
    struct stat entry {};
    const bool removed = !name.isEmpty() && ::fstatat(dir, name.constData(), &entry, AT_SYMLINK_NOFOLLOW) == 0
                         && S_ISREG(entry.st_mode) && ::unlinkat(dir, name.constData(), 0) == 0;
    ::close(dir);
    return removed;
}

}  // namespace

QString EmulatorFamily(const QString &command)
{
    const Result<QStringList> words = SplitCommand(command);
    if (!words || words->isEmpty())
        return {};
    const QString program = QFileInfo(words->first()).fileName();
    for (const char *family : kFamilies)
        if (program.contains(QLatin1String(family), Qt::CaseInsensitive))
            return QString::fromLatin1(family);
    return {};
}

QString StartPointFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/start-points");
}

std::optional<StartPoint> FindStartPoint(const QString &romPath)
{
    if (romPath.isEmpty())
        return std::nullopt;
    for (const char *family : kFamilies) {
        const QString path = FilePath(romPath, QString::fromLatin1(family));
        if (IsOwnFile(path))
            return StartPoint{QString::fromLatin1(family), path};
    }
    return std::nullopt;
}

Result<StartPoint> KeepStartPoint(const QString &romPath, const QString &family, const QByteArray &state)
{
    const QString path = FilePath(romPath, family);
    if (!QDir().mkpath(StartPointFolder()))
        return Failure{StartPointFolder(), QCoreApplication::translate("StartPoint", "the folder cannot be made"), 0, Failure::Action::Write};
    if (Result<void> written = WriteOutputFile(path, state); !written)
        return written.failure();
    for (const char *other : kFamilies)
        if (QLatin1String(other) != family)
            RemoveOwnFile(FilePath(romPath, QString::fromLatin1(other)));
    return StartPoint{family, path};
}

bool ForgetStartPoint(const QString &romPath)
{
    bool removed = false;
    for (const char *family : kFamilies) {
        removed = RemoveOwnFile(FilePath(romPath, QString::fromLatin1(family))) || removed;
    }
    return removed;
}

QStringList StartPointArguments(const QString &family, const QString &path)
{
    if (family == QLatin1String("mame"))
        return {QStringLiteral("-state"), path};
    if (family == QLatin1String("blastem"))
        return {QStringLiteral("-s"), path};
    return {};
}

QString BlastemQuickSavePath(const QString &romFile, const QString &homeFolder, const QString &configFolder)
{
    QString savePath = QStringLiteral("$USERDATA/blastem/$ROMNAME");
    QString format = QStringLiteral("native");
    QFile settings(configFolder + QStringLiteral("/blastem/blastem.cfg"));
    // Only a regular file of sensible size: a FIFO or device there would block the window.
    const QFileInfo settingsInfo(settings);
    if (settingsInfo.isFile() && settingsInfo.size() < (1 << 20) && settings.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : settings.readAll().split('\n')) {
            const QString text = QString::fromUtf8(line).trimmed();
            if (text.startsWith(u'#'))
                continue;
            const qsizetype space = text.indexOf(QRegularExpression(QStringLiteral("\\s")));
            if (space < 0)
                continue;
            const QString key = text.left(space), value = text.mid(space).trimmed();
            if (key == QLatin1String("save_path") && !value.isEmpty())
                savePath = value;
            else if (key == QLatin1String("state_format") && !value.isEmpty())
                format = value;
        }
    }
    savePath.replace(QLatin1String("$USERDATA"), homeFolder + QStringLiteral("/.local/share"));
    savePath.replace(QLatin1String("$HOME"), homeFolder);
    savePath.replace(QLatin1String("$ROMNAME"), QFileInfo(romFile).completeBaseName());
    const QString name = format == QLatin1String("gst") ? QStringLiteral("quicksave.gst") : QStringLiteral("quicksave.state");
    return QDir::cleanPath(savePath + u'/' + name);
}
