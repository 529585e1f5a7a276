#include "editor/controllers/playtestcontroller.h"

#include <QAction>
#include <QFileInfo>

#include "document/cardocument.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "external/commandline.h"
#include "external/emulatorchoice.h"
#include "external/ownfolder.h"
#include "external/playtestrunner.h"
#include "external/programsettings.h"

PlayTestController::PlayTestController(CarDocument &document, Prompts &prompts, StatusSink &status,
                                       ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), prompts(prompts), status(status)
{
    setObjectName(QStringLiteral("playTestController"));
    // The folders a play-test or a live link of an earlier run left behind
    // when that run was killed; once a run of the program.
    [[maybe_unused]] static const int leftovers = RemoveLeftoverFolders();
    runner = new PlayTestRunner(this);
    connect(runner, &PlayTestRunner::failed, this,
            [this](const QString &message) { this->prompts.warn(tr("Play-test"), message); });

    connect(actions.add({QStringLiteral("actionPlayTest"), tr("&Play-test"), {QKeySequence(Qt::Key_F5)}}), &QAction::triggered, this, &PlayTestController::PlayTest);
}

void PlayTestController::PlayTest()
{
    const QString title = tr("Play-test");
    const QString setting = ReadExternalPrograms().emulatorCommand;
    const Result<QString> command = EmulatorCommand(setting);
    if (!command) {
        prompts.showFailure(title, command.failure());
        return;
    }
    const Result<QByteArray> image = PlayTestImage(document);
    if (!image) {
        prompts.showFailure(title, image.failure());
        return;
    }
    if (const Result<void> started = runner->Start(*image, *command, document.path()); !started) {
        // A command the user set may be mistyped: say where it is set.
        if (setting.isEmpty())
            prompts.showFailure(title, started.failure());
        else
            prompts.warn(title, started.message() + tr("\nThe emulator command is set in Edit > Preferences..."));
        return;
    }
    const Result<QStringList> words = SplitCommand(*command);
    const QString program = words ? QFileInfo(words->first()).fileName() : *command;
    status.showStatus(tr("Started %1 on a copy of %2%3")
                           .arg(program, QFileInfo(document.path()).fileName(),
                                document.isModified() ? tr(" with the unsaved changes") : QString()));
}
