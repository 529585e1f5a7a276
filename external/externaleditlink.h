#pragma once

#include <memory>

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "base/result.h"

class QTemporaryDir;

// A live link to the user's pixel editor: a picture written into a temporary
// folder of the link's own, opened in the editor, and watched, so that every
// save made there comes back as pictureSaved().
//
// Editors save in many ways: writing the file in place, writing a temporary
// file and renaming it over the old one (which ends a plain file watch), or
// deleting the file and writing it anew. The link watches the file and its
// folder, arms the file watch again after every change, and reads the file
// only once its size, modification time and identity have stayed the same for
// kSettleMs, so that a save still being written is not read half done. A
// save whose bytes equal the last ones known (the link's own picture or the
// last save reported) reports nothing.
class ExternalEditLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMs = 300;

    explicit ExternalEditLink(QObject *parent = nullptr);
    ~ExternalEditLink() override;

    // Ends a link running, writes picture as fileName ("car-3.png") into a
    // new temporary folder, opens it with command (%f: the file; blank: the
    // desktop's application for the file type) and watches it. The editor is
    // started on its own: stopping the link does not close it. Fails, linking
    // nothing, when the file cannot be written, the command does not parse or
    // its program cannot be started.
    Result<void> Start(const QByteArray &picture, const QString &fileName, const QString &command);
    // Stops watching and removes the folder. Nothing happens when not linked.
    void Stop();

    bool isActive() const { return bool(folder); }
    // The linked file (empty when not linked) and its name alone.
    QString filePath() const { return path; }
    QString fileName() const;

signals:
    // The other program saved the file with new contents.
    void pictureSaved(const QString &path, const QByteArray &bytes);

private:
    // What is looked at to tell that a file is still being written.
    struct FileState
    {
        bool exists = false;
        qint64 size = -1;
        qint64 modifiedNs = -1;
        quint64 inode = 0;
        friend bool operator==(const FileState &, const FileState &) = default;
    };
    static FileState StateOf(const QString &path);

    void Notified();
    void Settled();
    void ArmFileWatch();

    std::unique_ptr<QTemporaryDir> folder;
    QString path;
    QFileSystemWatcher watcher;
    QTimer settle;
    FileState lastState;
    QByteArray known;
};
