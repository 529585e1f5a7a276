#include "external/externaleditlink.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "exchange/spritefiles.h"
#include "external/commandline.h"
#include "external/ownfolder.h"
#include "rom/outputfile.h"

namespace {

// Starts the pixel editor on path, on its own: it outlives the link.
Result<void> OpenInEditor(const QString &path, const QString &command)
{
    if (command.trimmed().isEmpty()) {
        if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            return {};
        return Failure{path,
                       QStringLiteral("no application is set up for PNG files; set the pixel editor command in "
                                      "Edit > Preferences..."),
                       0, Failure::Action::Open};
    }
    const Result<QStringList> words = CommandForFile(command, path);
    if (!words)
        return words.failure();
    const Result<QString> program = FindProgram(words->first());
    if (!program)
        return program.failure();
    QProcess process;
    process.setProgram(*program);
    process.setArguments(words->mid(1));
    process.setWorkingDirectory(QFileInfo(path).absolutePath());
    if (!process.startDetached())
        return Failure{words->first(), process.errorString(), 0, Failure::Action::Start};
    return {};
}

// The folder at path, opened as a folder and not through a link; -1 when
// there is none.
int OpenFolderAt(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

ExternalEditLink::ExternalEditLink(QObject *parent) : QObject(parent)
{
    settle.setSingleShot(true);
    settle.setInterval(kSettleMs);
    connect(&settle, &QTimer::timeout, this, &ExternalEditLink::Settled);
    folderReturn.setInterval(kSettleMs / 3);
    connect(&folderReturn, &QTimer::timeout, this, &ExternalEditLink::CheckFolder);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &ExternalEditLink::Notified);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &ExternalEditLink::Notified);
}

ExternalEditLink::~ExternalEditLink()
{
    Stop();
}

QString ExternalEditLink::fileName() const
{
    return name;
}

Result<void> ExternalEditLink::Start(const QByteArray &picture, const QString &fileName, const QString &command)
{
    Stop();
    const QString base = QFileInfo(fileName).fileName();
    if (!IsOwnFileName(OwnFolderKind::Link, base))
        return Failure{base, QStringLiteral("not a name the link writes"), 0, Failure::Action::Write};
    Result<std::unique_ptr<OwnFolder>> made = OwnFolder::Make(OwnFolderKind::Link);
    if (!made)
        return made.failure();
    std::unique_ptr<OwnFolder> owned = std::move(*made);
    const QString file = owned->filePath(base);
    if (Result<void> written = WriteOutputFile(file, picture); !written)
        return written;
    if (Result<void> opened = OpenInEditor(file, command); !opened)
        return opened;

    folder = std::move(owned);
    folderPath = folder->path();
    name = base;
    path = file;
    known = picture;
    lastState = StateNow();
    struct stat info {};
    if (::lstat(QFile::encodeName(folderPath).constData(), &info) == 0)
        watchedFolder = {quint64(info.st_dev), quint64(info.st_ino)};
    watcher.addPath(folderPath);
    ArmFileWatch();
    return {};
}

void ExternalEditLink::Stop()
{
    settle.stop();
    folderReturn.stop();
    if (const QStringList watched = watcher.files() + watcher.directories(); !watched.isEmpty())
        watcher.removePaths(watched);
    folder.reset();
    folderPath.clear();
    name.clear();
    path.clear();
    known.clear();
}

ExternalEditLink::FileState ExternalEditLink::StateNow() const
{
    const int dir = OpenFolderAt(folderPath);
    if (dir < 0)
        return {};
    struct stat info {};
    const bool found = ::fstatat(dir, QFile::encodeName(name).constData(), &info, 0) == 0;
    ::close(dir);
    return found ? StateOf(info) : FileState{};
}

ExternalEditLink::FileState ExternalEditLink::StateOf(const struct stat &info)
{
    return {true, S_ISREG(info.st_mode), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec, quint64(info.st_dev),
            quint64(info.st_ino)};
}

void ExternalEditLink::ArmFileWatch()
{
    // A file replaced by a rename is another file: watch the one there now.
    if (watcher.files().contains(path))
        watcher.removePath(path);
    if (StateNow().exists)
        watcher.addPath(path);
}

void ExternalEditLink::Notified()
{
    if (!isActive())
        return;
    if (!WatchedFolderThere()) {
        // The folder was deleted or moved away, and the watch on it went
        // with it: wait for a folder to come back under its name.
        watcher.removePath(folderPath);
        if (!folderReturn.isActive()) {
            settle.stop();
            folderGone.start();
            folderReturn.start();
        }
        CheckFolder();
        return;
    }
    ArmFileWatch();
    lastState = StateNow();
    settle.start();
}

bool ExternalEditLink::WatchedFolderThere() const
{
    struct stat info {};
    return ::lstat(QFile::encodeName(folderPath).constData(), &info) == 0 && S_ISDIR(info.st_mode)
           && watchedFolder == std::pair{quint64(info.st_dev), quint64(info.st_ino)};
}

void ExternalEditLink::CheckFolder()
{
    if (!isActive() || !folderReturn.isActive())
        return;
    struct stat info {};
    if (::lstat(QFile::encodeName(folderPath).constData(), &info) != 0) {
        if (errno == ENOENT && folderGone.elapsed() < kFolderReturnMs)
            return;
        Lose(tr("its folder %1 was removed").arg(folderPath));
        return;
    }
    if (!S_ISDIR(info.st_mode)) {
        Lose(S_ISLNK(info.st_mode) ? tr("its folder %1 was replaced by a link").arg(folderPath)
                                   : tr("its folder %1 was replaced by a file").arg(folderPath));
        return;
    }
    if (info.st_uid != ::geteuid()) {
        Lose(tr("its folder %1 was made anew by another user").arg(folderPath));
        return;
    }
    folderReturn.stop();
    watchedFolder = {quint64(info.st_dev), quint64(info.st_ino)};
    if (!watcher.addPath(folderPath)) {
        Lose(tr("its folder %1 cannot be watched again").arg(folderPath));
        return;
    }
    ArmFileWatch();
    lastState = StateNow();
    settle.start();
}

void ExternalEditLink::Lose(const QString &reason)
{
    const QString lostName = name;
    Stop();
    emit lost(lostName, reason);
}

void ExternalEditLink::Settled()
{
    if (!isActive() || folderReturn.isActive())
        return;
    const FileState now = StateNow();
    if (now != lastState) {
        // Still being written: look again once it has been quiet.
        lastState = now;
        ArmFileWatch();
        settle.start();
        return;
    }
    if (!now.exists)
        return;   // deleted: the folder watch tells when it is back
    if (!now.regular) {
        emit pictureRefused(path, QStringLiteral("not a regular file"));
        return;
    }
    // The bytes come from the open file, which must still be the settled one
    // after reading: a save landing meanwhile is read at its own turn.
    const int dir = OpenFolderAt(folderPath);
    const int descriptor = dir < 0 ? -1
                                   : ::openat(dir, QFile::encodeName(name).constData(),
                                              O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (dir >= 0)
        ::close(dir);
    if (descriptor < 0)
        return;   // gone again: tried at its next change
    const Result<QByteArray> bytes = ReadPictureBytes(descriptor, name);
    struct stat read {};
    const bool looked = ::fstat(descriptor, &read) == 0;
    ::close(descriptor);
    if (!bytes) {
        emit pictureRefused(path, bytes.failure().reason);
        return;
    }
    if (!looked || StateOf(read) != now || StateNow() != now) {
        lastState = StateNow();
        settle.start();
        return;
    }
    if (*bytes == known)
        return;
    known = *bytes;
    emit pictureSaved(path, *bytes);
}
