#pragma once

#include <QObject>
#include <QString>

class CarDocument;
class Prompts;
class StatusSink;
class RecoveryKeeper;

// The window's side of recovery: offers the unsaved changes that an editor no
// longer running left for the ROM just opened, and says once in the status
// bar when the window's own recovery file cannot be written.
class RecoveryController : public QObject
{
    Q_OBJECT

public:
    RecoveryController(CarDocument &document, RecoveryKeeper &keeper, Prompts &prompts, StatusSink &status,
                       QObject *parent);

    // After a ROM was opened: shows each recovery file that had to be put
    // aside, then asks about each usable one, newest first: Recover (one
    // step, after which the others stay for a later open), Discard or Decide
    // Later (the file stays).
    void OfferRecovery();

private:
    CarDocument &document;
    RecoveryKeeper &keeper;
    Prompts &prompts;
    StatusSink &status;
    bool writeFailureShown = false;   // until a write succeeds again
};
