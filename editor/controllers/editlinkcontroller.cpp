#include "editor/controllers/editlinkcontroller.h"

#include <QAction>
#include <QFileInfo>

#include "document/cardocument.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "editor/state/selection.h"
#include "exchange/exchangedata.h"
#include "exchange/scopetext.h"
#include "external/externaleditlink.h"
#include "external/linkimport.h"
#include "external/programsettings.h"

EditLinkController::EditLinkController(CarDocument &document, const Selection &selection, Prompts &prompts,
                                       StatusSink &status, ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("editLinkController"));
    link = new ExternalEditLink(this);
    connect(link, &ExternalEditLink::pictureSaved, this, &EditLinkController::PictureSaved);
    connect(link, &ExternalEditLink::pictureRefused, this, [this](const QString &, const QString &reason) {
        this->status.showStatus(tr("%1 was not taken in: %2").arg(link->fileName(), reason));
    });
    // The link ended by itself (its folder went away): say so, as a stop does.
    connect(link, &ExternalEditLink::lost, this,
            [this](const QString &fileName, const QString &reason) { End(reason, fileName); });

    connect(actions.add({QStringLiteral("actionEditExternally"), tr("Edit &Externally"), {QKeySequence(Qt::CTRL | Qt::Key_E)}}),
            &QAction::triggered, this, &EditLinkController::EditExternally);
    stopAction = actions.add({QStringLiteral("actionStopEditingExternally"), tr("Stop Editing Externally"), {}, {}, {},
                              false, false});
    connect(stopAction, &QAction::triggered, this, &EditLinkController::StopEditing);

    // Another ROM, or the same one read again: the picture no longer belongs to it.
    connect(&document, &CarDocument::loaded, this, [this] {
        End(this->document.path() == romPath ? tr("the ROM was read again") : tr("another ROM was opened"));
    });
}

bool EditLinkController::isLinked() const
{
    return link->isActive();
}

QString EditLinkController::linkedFile() const
{
    return link->filePath();
}

EditLinkController::ScopeContent EditLinkController::ContentNow() const
{
    ScopeContent content;
    const SpriteTable &sprites = document.sprites();
    for (int car = 0; car < sprites.size(); ++car)
        for (int sprite = 0; sprite < sprites.at(car).size(); ++sprite)
            if (scope.Covers(car, sprite)) {
                content.pixels << sprites.at(car).at(sprite);
                content.offsets << OffsetOf(document.offsets(), car, sprite);
            }
    return content;
}

void EditLinkController::EditExternally()
{
    const ExchangeSelection wanted = selection.exchangeScope();
    const Palette shown = document.palettes().value(selection.palette());
    const ExchangeData data{document.sprites(), document.offsets(), shown, document.background()};
    const QString fileName = ScopeFileName(wanted);
    const Result<QByteArray> picture = LinkPictureBytes(wanted, data);
    if (!picture) {
        prompts.showFailure(tr("Edit Externally"), picture.failure());
        return;
    }
    const QString command = ReadExternalPrograms().pixelEditorCommand;
    // Start() ends a link running first, whether the new one starts or not.
    const bool wasLinked = link->isActive();
    if (const Result<void> started = link->Start(*picture, fileName, command); !started) {
        if (wasLinked)
            End(QString());
        prompts.showFailure(tr("Edit Externally"), started.failure());
        return;
    }
    scope = wanted;
    romPath = document.path();
    palette = shown;
    background = document.background();
    synced = ContentNow();
    stopAction->setEnabled(true);
    emit linkChanged(tr("Linked: %1").arg(fileName));
    status.showStatus(tr("Editing %1 externally as %2; each save there updates it here")
                           .arg(ScopeName(scope), fileName));
}

void EditLinkController::StopEditing()
{
    End(QString());
}

void EditLinkController::End(const QString &why, QString fileName)
{
    if (!link->isActive() && !stopAction->isEnabled())
        return;
    if (link->isActive())
        fileName = link->fileName();
    link->Stop();
    stopAction->setEnabled(false);
    emit linkChanged(QString());
    if (fileName.isEmpty())
        return;
    status.showStatus(why.isEmpty() ? tr("Stopped editing %1 externally").arg(fileName)
                                     : tr("Stopped editing %1 externally: %2").arg(fileName, why));
}

void EditLinkController::PictureSaved(const QString &path, const QByteArray &bytes)
{
    const QString fileName = QFileInfo(path).fileName();
    // Exactly the bytes the link saw settle: the file may hold a newer save by now.
    const Result<DocumentTables> after =
        ImportLinkedPicture(document.tables(), scope, palette, background, fileName, bytes, selection.matchOptions());
    if (!after) {
        // A half-done or wrong save: say why and wait for the next one.
        status.showStatus(tr("%1 was not taken in: %2").arg(fileName, after.message()));
        return;
    }
    const bool editedHere = ContentNow() != synced;
    const StepFocus focus{scope.scope == ExchangeScope::AllCars ? -1 : scope.car,
                          scope.scope == ExchangeScope::Sprite ? scope.sprite : -1, -1};
    const bool changed = document.Change(UpdateStepText(scope, fileName), focus, *after);
    synced = ContentNow();
    if (!changed)
        status.showStatus(tr("%1 was saved without changes").arg(fileName));
    else if (editedHere)
        status.showStatus(tr("Updated %1 from %2, replacing the edits made here since (Undo brings them back)")
                               .arg(ScopeName(scope), fileName));
    else
        status.showStatus(tr("Updated %1 from %2").arg(ScopeName(scope), fileName));
}
