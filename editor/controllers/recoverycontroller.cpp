#include "editor/controllers/recoverycontroller.h"

#include <QFile>
#include <QFileInfo>

#include "document/cardocument.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "recovery/recoverykeeper.h"
#include "recovery/recoveryoffer.h"

RecoveryController::RecoveryController(CarDocument &document, RecoveryKeeper &keeper, Prompts &prompts,
                                       StatusSink &status, QObject *parent)
    : QObject(parent), document(document), keeper(keeper), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("recoveryController"));
    connect(&keeper, &RecoveryKeeper::writeFailed, this, [this](const QString &message) {
        if (writeFailureShown)
            return;
        writeFailureShown = true;
        this->status.showStatus(tr("Unsaved changes cannot be kept for recovery: %1").arg(message));
    });
    connect(&keeper, &RecoveryKeeper::written, this, [this] { writeFailureShown = false; });
}

void RecoveryController::OfferRecovery()
{
    const QString title = tr("Recover unsaved changes");
    RecoveryScan scan = ScanForRecovery(document);
    for (const Failure &failure : std::as_const(scan.refused)) {
        const QString aside = failure.file + QStringLiteral(".bad");
        if (QFile::exists(aside))
            prompts.warn(title, tr("%1\nThe file is kept aside as %2.").arg(failure.message(), QFileInfo(aside).fileName()));
        else
            prompts.showFailure(title, failure);
    }
    for (RecoveryOffer &offer : scan.offers) {
        switch (prompts.askRecovery(title, RecoveryQuestion(offer))) {
        case Prompts::RecoveryChoice::Recover:
            ApplyRecovery(document, offer, &keeper);
            status.showStatus(tr("Recovered the unsaved changes to %1: Undo takes them back")
                                   .arg(QFileInfo(document.path()).fileName()));
            // A second set would replace the first: the others wait for the next open.
            return;
        case Prompts::RecoveryChoice::Discard:
            DiscardRecovery(offer);
            break;
        case Prompts::RecoveryChoice::Later:
            break;
        }
    }
}
