#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include "base/result.h"

class CarDocument;
class OwnFolder;
class QSocketNotifier;

// The ROM an emulator is given for a play-test: the bytes Save would write
// now (unsaved changes, pending offsets baked, checksum fixed) as a plain
// image, de-interleaved for an .smd document since emulators expect plain
// images. A failure when the ROM file could not be read whole when opened.
Result<QByteArray> PlayTestImage(const CarDocument &document);

// Whether a process of the process group is still running (one that has
// ended but was not waited for yet does not count).
bool ProcessGroupRunning(qint64 group);

// Runs emulators on temporary copies of the ROM. Every Start() writes a new
// file into a temporary folder of its own (never the user's file) and starts
// the emulator on it, without a shell, in a process group of its own: an
// emulator that hands the game to a child of its own and ends keeps its copy.
// The copy (and its folder) goes once every process of that group has ended.
// Several runs may be alive at once. Destroying the runner ends every group
// still running (SIGTERM, and SIGKILL for what is left after kEndGraceMs)
// and removes the copies.
class PlayTestRunner : public QObject
{
    Q_OBJECT

public:
    // How long an emulator has to end after SIGTERM before it is killed.
    static constexpr int kEndGraceMs = 500;

    explicit PlayTestRunner(QObject *parent = nullptr);
    ~PlayTestRunner() override;

    // Writes image as "<rom name>-play-<n>.bin" and starts command on it (%f:
    // the file; see commandline.h). Fails, writing nothing that stays, when
    // the file cannot be written, the command does not parse, or its program
    // is not installed or cannot be started.
    Result<void> Start(const QByteArray &image, const QString &command, const QString &romPath);

    // Files written next to the copy before the emulator starts (names the
    // run's folder takes as its own: ownfolder.h), and arguments added after
    // the command's own.
    // With talk, the emulator's standard input and output are pipes to the
    // run's process (process()) instead of the null device and ours.
    struct Extras
    {
        QList<std::pair<QString, QByteArray>> files;
        QStringList arguments;
        bool talk = false;
    };
    // Start() with extras; gives the run's folder (the emulator's working
    // folder), which finishedIn() names when the run ends.
    Result<QString> StartWith(const QByteArray &image, const QString &command, const QString &romPath,
                              const Extras &extras);

    // How many runs started here have a process still running.
    int running() const;
    // The copies kept now, one for each run still running.
    QStringList copies() const;
    // The first process of the run in folder while it runs; none after.
    QProcess *process(const QString &folder) const;

signals:
    // An emulator ended with a non-zero status or a crash, whenever that
    // was: message names the program and gives the last lines of its
    // standard error.
    void failed(const QString &message);
    // A run ended: its whole process group has ended and its copy was
    // removed. exitCode is the emulator's own, -1 for a crash.
    void finished(int exitCode);
    // The same, naming the run's folder (gone by now).
    void finishedIn(const QString &folder, int exitCode);

private:
    struct Run;

    void Ended(Run &run, int exitCode, QProcess::ExitStatus status);
    void CheckGroups();
    void Finish(Run &run);
    static void ReadError(Run &run);

    std::vector<std::unique_ptr<Run>> runs;
    QTimer groupCheck;   // looks for the groups whose first process has ended
    int started = 0;
};
