#pragma once

#include <memory>

#include <QDateTime>
#include <QList>
#include <QString>

#include "base/result.h"
#include "document/documenttables.h"
#include "recovery/recoveryfile.h"

class CarDocument;
class RecoveryKeeper;

// What the window offers when it opens a ROM for which an editor that is no
// longer running left unsaved changes: read, checked whole, and ready to be
// applied as one step.
struct RecoveryOffer
{
    QString path;             // the recovery file
    QString romPath;
    QDateTime written;        // when the changes were written (UTC)
    bool romChanged = false;  // the ROM's bytes are not those the changes were made on
    DocumentTables recovered; // the document's tables with the recovered changes put in
    std::shared_ptr<RecoveryLock> lock;   // no other editor offers the file meanwhile
};

// Reads the file found for document (just opened, readable). A file that
// cannot be used whole (truncated, another format version, made for a ROM of
// another size, damaged) is renamed to its name + ".bad" and the failure names
// it and says why.
Result<RecoveryOffer> ReadRecoveryOffer(const OrphanedRecovery &found, const CarDocument &document);

struct RecoveryScan
{
    QList<RecoveryOffer> offers;   // newest first
    QList<Failure> refused;        // the files put aside, each with its reason
};
// Every recovery file for document's ROM whose owner is gone, read. Nothing
// for a ROM that could not be read whole.
RecoveryScan ScanForRecovery(const CarDocument &document, const QString &folder = RecoveryFolder());

// "Unsaved changes to game.bin from 14:32 were found (the editor did not close
// normally)." and, when the ROM changed, a sentence saying so. The date comes
// too when the changes are not from today (now, local time).
QString RecoveryQuestion(const RecoveryOffer &offer, const QDateTime &now = QDateTime::currentDateTime());

// Recover: puts the changes in as one step "Recover unsaved changes" (the
// document is modified, undo takes it back) and removes the file. With a
// keeper, its own file is written before the old one goes. Returns whether the
// tables changed.
bool ApplyRecovery(CarDocument &document, RecoveryOffer &offer, RecoveryKeeper *keeper = nullptr);
// Discard: removes the file. (Decide later: drop the offer; the file stays.)
void DiscardRecovery(RecoveryOffer &offer);
