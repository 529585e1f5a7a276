#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class CarDocument;
class LiveLink;
class PlayTestRunner;
class Prompts;
class QAction;

class ActionRegistry;
class StatusSink;

// Game > "Play-test" (F5): the ROM as Save would write it now goes, as a
// temporary copy, to the emulator set in the Preferences (or the first one
// installed). The user's file is never written; the window stays usable and
// every F5 starts another run on a fresh copy. Each copy stays until every
// process of its emulator's process group has ended; the groups still running
// end with the window. An emulator that ends with an error, whenever that is,
// is reported with the end of its error output. Creating the first controller
// of a run removes the temporary folders killed runs left behind.
//
// Game > "Play-test Live" (Shift+F5) does the same with a live link (see
// external/livelink.h): every change of the document reaches the running
// emulator's cartridge, at most one transfer per 100 ms. One link at a time:
// a new live run ends the one before (its emulator keeps running). The link
// ends when its emulator ends, when another ROM is opened or the file is
// reverted, and on a failure (one message with the reason). Only emulators
// with a channel (MAME's script, blastem's debugger stub) can go live; for
// others the action is disabled and its tooltip says why.
//
// Game > "Record Start Point" (while a live run in MAME goes) has the
// emulator save its state, kept as the start point of this ROM (startpoint.h); F5 and
// Shift+F5 start from it while it is there and belongs to the emulator set
// now. Game > "Forget Start Point" removes it.
class PlayTestController : public QObject
{
    Q_OBJECT

public:
    // Registers "Play-test" (actionPlayTest, F5), "Play-test Live"
    // (actionPlayTestLive, Shift+F5), "Record Start Point"
    // (actionRecordStartPoint) and "Forget Start Point"
    // (actionForgetStartPoint).
    PlayTestController(CarDocument &document, Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                       QObject *parent);

    PlayTestRunner &Runner() const { return *runner; }
    LiveLink &Live() const { return *live; }

public slots:
    void PlayTest();
    void PlayTestLive();
    // Enables "Play-test Live" for the emulator command set now, and the
    // start point's actions.
    void UpdateLiveAction();
    void RecordStartPoint();
    void ForgetStartPoint();
    // Ends the live link (its emulator keeps running); says so in the status bar.
    void EndLive();

signals:
    // "Live: mame" while a live link runs, empty when it ends.
    void liveChanged(const QString &text);

private:
    // The command a play-test runs, or nothing after saying why not.
    QString Command(const QString &title, QString *setting);
    void Started(const QString &command, const QString &prefix, bool fromStartPoint);
    // The arguments that start the emulator of command from this ROM's start point, if it has one of its family.
    QStringList StartArguments(const QString &command) const;
    void Recorded(const QString &statePath);
    // blastem's own save: the state its save key wrote during this run.
    void TakeBlastemState();
    void KeepState(const QString &statePath, const QString &family);
    bool CanRecord() const;

    CarDocument &document;
    Prompts &prompts;
    StatusSink &status;
    PlayTestRunner *runner = nullptr;
    LiveLink *live = nullptr;
    QAction *liveAction = nullptr;
    QAction *recordAction = nullptr;
    QAction *forgetAction = nullptr;
    QString liveFolder;   // the live run's folder
    QDateTime liveSince;  // when it started: a state saved before is another run's
};
