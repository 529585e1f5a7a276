#pragma once

#include <memory>
#include <utility>

#include <QByteArray>
#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "base/result.h"

class OwnFolder;
struct stat;

// A live link to the user's pixel editor: a picture written into a temporary
// folder of the link's own, opened in the editor, and watched, so that every
// save made there comes back as pictureSaved().
//
// Editors save in many ways: writing the file in place, writing a temporary
// file and renaming it over the old one (which ends a plain file watch), or
// deleting the file and writing it anew. The link watches the file and its
// folder, arms the file watch again after every change, and reads the file
// only once its size, modification time and identity have stayed the same for
// kSettleMs, so that a save still being written is not read half done. The
// bytes reported are the ones read from the settled file itself (checked on
// the open descriptor before and after reading). A save whose bytes equal the
// last ones known (the link's own picture or the last save reported) reports
// nothing.
//
// The file is read as pictures are: opened without blocking, and only a
// regular file of at most kLargestPictureFile bytes; anything else is
// refused unread (pictureRefused()) and the link goes on. The folder is only
// looked into as a folder, never through a link. A folder that is deleted (or
// moved away) is watched again when it comes back within kFolderReturnMs;
// when it does not, or comes back as something else, the link ends (lost()).
// Stopping removes only the link's own files, from the folder it made.
class ExternalEditLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 300;
    static constexpr int kFolderReturnMs = 3000;

    explicit ExternalEditLink(QObject *parent = nullptr);
    ~ExternalEditLink() override;

    // Ends a link running, writes picture as fileName ("car-3.png") into a
    // new temporary folder, opens it with command (%f: the file; blank: the
    // desktop's application for the file type) and watches it. The editor is
    // started on its own: stopping the link does not close it. Fails, linking
    // nothing, when the file cannot be written, the command does not parse or
    // its program cannot be started.
    Result<void> Start(const QByteArray &picture, const QString &fileName, const QString &command);
    // Stops watching and removes the link's own files and its folder. Nothing
    // happens when not linked.
    void Stop();

    bool isActive() const { return bool(folder); }
    // The linked file (empty when not linked) and its name alone.
    QString filePath() const { return path; }
    QString fileName() const;

signals:
    // The other program saved the file with new contents: bytes are exactly
    // what the settled file held.
    void pictureSaved(const QString &path, const QByteArray &bytes);
    // A save that is not read: reason says why ("not a regular file", "too
    // large for a picture", ...). The link goes on.
    void pictureRefused(const QString &path, const QString &reason);
    // The link ended by itself (it is stopped already): reason says why.
    void lost(const QString &fileName, const QString &reason);

private:
    // What is looked at to tell that a file is still being written.
    struct FileState
    {
        bool exists = false;
        bool regular = false;
        qint64 size = -1;
        qint64 modifiedNs = -1;
        quint64 device = 0;
        quint64 inode = 0;
        friend bool operator==(const FileState &, const FileState &) = default;
    };
    // The state of the linked file, looked up in the folder now at the
    // folder's path (not through a link); "not there" when there is none.
    FileState StateNow() const;
    static FileState StateOf(const struct stat &info);

    void Notified();
    void Settled();
    void ArmFileWatch();
    // Whether the folder path names is still the one the watch was set on.
    bool WatchedFolderThere() const;
    void CheckFolder();
    void Lose(const QString &reason);

    std::unique_ptr<OwnFolder> folder;
    QString folderPath;
    QString name;
    QString path;
    QFileSystemWatcher watcher;
    QTimer settle;
    QTimer folderReturn;   // looks for a folder that went away
    QElapsedTimer folderGone;
    std::pair<quint64, quint64> watchedFolder;   // device and inode of the folder watched
    FileState lastState;
    QByteArray known;
};
