#include "external/externaleditlink.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "external/commandline.h"
#include "rom/nativepath.h"
#include "sys/sysfile.h"
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
                       0, QStringLiteral("open")};
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
        return Failure{words->first(), process.errorString(), 0, QStringLiteral("start")};
    return {};
}

}  // namespace

ExternalEditLink::ExternalEditLink(QObject *parent) : QObject(parent)
{
    settle.setSingleShot(true);
    settle.setInterval(kSettleMs);
    connect(&settle, &QTimer::timeout, this, &ExternalEditLink::Settled);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &ExternalEditLink::Notified);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &ExternalEditLink::Notified);
}

ExternalEditLink::~ExternalEditLink()
{
    Stop();
}

QString ExternalEditLink::fileName() const
{
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

Result<void> ExternalEditLink::Start(const QByteArray &picture, const QString &fileName, const QString &command)
{
    Stop();
    auto made = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("skm-link-XXXXXX")));
    if (!made->isValid())
        return Failure{made->path(), made->errorString(), 0, QStringLiteral("create the folder")};
    const QString file = made->filePath(QFileInfo(fileName).fileName());
    if (Result<void> written = WriteOutputFile(file, picture); !written)
        return written;
    if (Result<void> opened = OpenInEditor(file, command); !opened)
        return opened;

    folder = std::move(made);
    path = file;
    known = picture;
    lastState = StateOf(path);
    watcher.addPath(folder->path());
    ArmFileWatch();
    return {};
}

void ExternalEditLink::Stop()
{
    settle.stop();
    if (const QStringList watched = watcher.files() + watcher.directories(); !watched.isEmpty())
        watcher.removePaths(watched);
    folder.reset();
    path.clear();
    known.clear();
}

ExternalEditLink::FileState ExternalEditLink::StateOf(const QString &path)
{
    sys::FileInfo info;
    if (sys::Stat(NativePath(path).constData(), &info) != 0)
        return {};
    return {true, qint64(info.size), qint64(info.modifiedNs), quint64(info.id.index)};
}

void ExternalEditLink::ArmFileWatch()
{
    // A file replaced by a rename is another file: watch the one there now.
    if (watcher.files().contains(path))
        watcher.removePath(path);
    if (QFileInfo::exists(path))
        watcher.addPath(path);
}

void ExternalEditLink::Notified()
{
    if (!isActive())
        return;
    ArmFileWatch();
    lastState = StateOf(path);
    settle.start();
}

void ExternalEditLink::Settled()
{
    if (!isActive())
        return;
    const FileState now = StateOf(path);
    if (now != lastState) {
        // Still being written: look again once it has been quiet.
        lastState = now;
        ArmFileWatch();
        settle.start();
        return;
    }
    if (!now.exists)
        return;   // deleted: the folder watch tells when it is back
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;   // tried again at its next change
    const QByteArray bytes = file.readAll();
    if (bytes.size() != now.size || StateOf(path) != now) {
        lastState = StateOf(path);
        settle.start();
        return;
    }
    if (bytes == known)
        return;
    known = bytes;
    emit pictureSaved(path, bytes);
}
