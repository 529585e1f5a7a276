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
// every F5 starts another run on a fresh copy. Each copy stays until every
// process of its emulator's process group has ended; the groups still running
// end with the window. An emulator that ends with an error, whenever that is,
// is reported with the end of its error output. Creating the first controller
// of a run removes the temporary folders killed runs left behind.
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
