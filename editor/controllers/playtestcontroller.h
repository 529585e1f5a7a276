#pragma once

#include <QObject>

class CarDocument;
class PlayTestRunner;
class Prompts;

class ActionRegistry;
class StatusSink;

// Game > "Play-test" (F5): the ROM as Save would write it now goes, as a
// temporary copy, to the emulator set in the Preferences (or the first one
// installed). The user's file is never written; the window stays usable and
// every F5 starts another run on a fresh copy. The copies go when their
// emulator ends, and the emulators still running end with the window.
class PlayTestController : public QObject
{
    Q_OBJECT

public:
    PlayTestController(CarDocument &document, Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                       QObject *parent);

    // Registers "Play-test" (actionPlayTest, F5).
    PlayTestRunner &Runner() const { return *runner; }

public slots:
    void PlayTest();

private:
    CarDocument &document;
    Prompts &prompts;
    StatusSink &status;
    PlayTestRunner *runner = nullptr;
};
