#pragma once

#include <memory>

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QString>

#include "base/result.h"

class CarDocument;
class QTemporaryDir;

// The ROM an emulator is given for a play-test: the bytes Save would write
// now (unsaved changes, pending offsets baked, checksum fixed) as a plain
// image, de-interleaved for an .smd document since emulators expect plain
// images. A failure when the ROM file could not be read whole when opened.
Result<QByteArray> PlayTestImage(const CarDocument &document);

// Runs emulators on temporary copies of the ROM. Every Start() writes a new
// file into a temporary folder of the runner's own (never the user's file)
// and starts the emulator on it, without a shell; the file is removed when
// its emulator ends. Several runs may be alive at once. Destroying the runner
// ends the emulators still running and removes the folder.
class PlayTestRunner : public QObject
{
    Q_OBJECT

public:
    // An emulator that ends with an error within this time is reported
    // (failed()); one that ends later was played and closed.
    static constexpr int kEarlyExitMs = 2000;

    explicit PlayTestRunner(QObject *parent = nullptr);
    ~PlayTestRunner() override;

    // Writes image as "<rom name>-play-<n>.bin" and starts command on it (%f:
    // the file; see commandline.h). Fails, writing nothing that stays, when
    // the file cannot be written, the command does not parse, or its program
    // is not installed or cannot be started.
    Result<void> Start(const QByteArray &image, const QString &command, const QString &romPath);

    // How many emulators started here are running.
    int running() const;
    // The temporary folder of the copies; empty before the first Start().
    QString folder() const;

signals:
    // An emulator ended within kEarlyExitMs with a non-zero status or a
    // crash: message names the program and gives the last lines of its
    // standard error.
    void failed(const QString &message);
    // An emulator ended (after its copy was removed); exitCode is -1 for a crash.
    void finished(int exitCode);

private:
    // What a running emulator leaves behind and tells: its copy, how long it
    // has run, the end of its error output.
    struct Run
    {
        QString copy;
        QElapsedTimer clock;
        QByteArray error;
    };

    void Ended(QProcess *process, int exitCode, QProcess::ExitStatus status);

    std::unique_ptr<QTemporaryDir> temporary;
    QHash<QProcess *, Run> alive;
    int started = 0;
};
