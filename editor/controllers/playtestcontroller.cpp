#include "editor/controllers/playtestcontroller.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "document/cardocument.h"
#include "editor/window/actionregistry.h"
#include "editor/window/prompts.h"
#include "editor/window/statussink.h"
#include "external/commandline.h"
#include "external/emulatorchoice.h"
#include "external/livelink.h"
#include "external/ownfolder.h"
#include "external/playtestrunner.h"
#include "external/programsettings.h"
#include "external/startpoint.h"
#include "external/stubchannel.h"

namespace {

QString ProgramName(const QString &command)
{
    const Result<QStringList> words = SplitCommand(command);
    return words && !words->isEmpty() ? QFileInfo(words->first()).fileName() : command;
}

}  // namespace

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
    live = new LiveLink(this);
    connect(live, &LiveLink::imageWanted, this, [this] { live->Send(PlayTestImage(this->document)); });
    connect(live, &LiveLink::failed, this, [this](const QString &message) {
        liveFolder.clear();
        this->status.showStatus(tr("Live link ended"));
        emit liveChanged({});
        UpdateLiveAction();
        this->prompts.warn(tr("Play-test Live"), message);
    });
    connect(runner, &PlayTestRunner::finishedIn, this, [this](const QString &folder) {
        if (live->running() && folder == liveFolder)
            EndLive();
    });
    connect(&document, &CarDocument::tablesChanged, live, &LiveLink::Changed);
    // Another ROM, or the file read again: the emulator runs on another one.
    connect(&document, &CarDocument::loaded, this, [this] {
        if (live->running())
            EndLive();
        UpdateLiveAction();   // another ROM has its own start point
    });
    connect(live, &LiveLink::recorded, this, &PlayTestController::Recorded);
    connect(live, &LiveLink::recordFailed, this, [this](const QString &message) {
        UpdateLiveAction();
        this->prompts.warn(tr("Record Start Point"), message);
    });

    connect(actions.add({QStringLiteral("actionPlayTest"), tr("&Play-test"), {QKeySequence(Qt::Key_F5)}}),
            &QAction::triggered, this, &PlayTestController::PlayTest);
    liveAction = actions.add({QStringLiteral("actionPlayTestLive"), tr("Play-test &Live"),
                              {QKeySequence(Qt::SHIFT | Qt::Key_F5)}});
    connect(liveAction, &QAction::triggered, this, &PlayTestController::PlayTestLive);
    recordAction = actions.add({QStringLiteral("actionRecordStartPoint"), tr("&Record Start Point")});
    connect(recordAction, &QAction::triggered, this, &PlayTestController::RecordStartPoint);
    forgetAction = actions.add({QStringLiteral("actionForgetStartPoint"), tr("&Forget Start Point")});
    connect(forgetAction, &QAction::triggered, this, &PlayTestController::ForgetStartPoint);
    UpdateLiveAction();
}

void PlayTestController::UpdateLiveAction()
{
    const Result<QString> command = EmulatorCommand(ReadExternalPrograms().emulatorCommand);
    const bool can = command && CanGoLive(*command);
    liveAction->setEnabled(can);
    if (can)
        liveAction->setToolTip(tr("Play-test in %1 and send every change to it while it runs")
                                   .arg(ProgramName(*command)));
    else if (!command)
        liveAction->setToolTip(tr("No emulator is installed or set in Edit > Preferences..."));
    else
        liveAction->setToolTip(tr("%1 has no channel the editor can send changes through; only MAME and blastem can "
                                  "play-test live")
                                   .arg(ProgramName(*command)));

    recordAction->setEnabled(CanRecord());
    if (live->canRecord())
        recordAction->setToolTip(
            tr("Save the state of %1 now: every later play-test of this ROM starts there").arg(live->program()));
    else if (live->running() && live->stub())
        recordAction->setToolTip(tr("Take the state %1 saved last with its save key (` unless its settings say "
                                    "otherwise): every later play-test of this ROM starts there")
                                     .arg(live->program()));
    else
        recordAction->setToolTip(tr("Records the state of a running Play-test Live (Shift+F5)"));
    const std::optional<StartPoint> point = FindStartPoint(document.path());
    forgetAction->setEnabled(point.has_value());
    if (!point)
        forgetAction->setToolTip(tr("This ROM has no start point: play-tests start at power-on"));
    else if (command && EmulatorFamily(*command) != point->family)
        forgetAction->setToolTip(tr("Remove the start point (%1's; not used with the emulator set now)")
                                     .arg(point->family));
    else
        forgetAction->setToolTip(tr("Remove the start point: play-tests start at power-on again"));
}

QStringList PlayTestController::StartArguments(const QString &command) const
{
    const std::optional<StartPoint> point = FindStartPoint(document.path());
    if (!point || point->family != EmulatorFamily(command))
        return {};
    return StartPointArguments(point->family, point->path);
}

bool PlayTestController::CanRecord() const
{
    return (live->canRecord() && !live->recording()) || (live->running() && live->stub());
}

void PlayTestController::RecordStartPoint()
{
    if (!CanRecord())
        return;
    if (live->stub()) {
        TakeBlastemState();
        return;
    }
    live->Record();
    UpdateLiveAction();
}

void PlayTestController::TakeBlastemState()
{
    QString copy;
    for (const QString &path : runner->copies())
        if (QFileInfo(path).path() == liveFolder)
            copy = path;
    const QString state = BlastemQuickSavePath(copy, QDir::homePath(),
                                               QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QFileInfo info(state);
    if (copy.isEmpty() || !info.isFile() || info.lastModified() < liveSince) {
        prompts.warn(tr("Record Start Point"),
                     tr("%1 has not saved a state of this play-test yet. Press its save key (` unless its settings "
                        "say otherwise) in its window, then choose Record Start Point again.\n\nIt saves into %2")
                         .arg(live->program(), QDir::toNativeSeparators(state)));
        return;
    }
    KeepState(state, QStringLiteral("blastem"));
}

void PlayTestController::Recorded(const QString &statePath)
{
    UpdateLiveAction();
    KeepState(statePath, QStringLiteral("mame"));
}

void PlayTestController::KeepState(const QString &statePath, const QString &family)
{
    // An emulator's state is a few hundred KiB; anything past 64 MiB is not one.
    constexpr qint64 kMaxState = qint64(64) << 20;
    QFile file(statePath);
    QByteArray state;
    QString reason;
    if (QFileInfo(statePath).size() > kMaxState)
        reason = tr("It is larger than 64 MiB: not an emulator's state.");
    else if (file.open(QIODevice::ReadOnly)) {
        state = file.read(kMaxState);
        if (state.isEmpty() && file.error() == QFileDevice::NoError)
            reason = tr("The file is empty.");
    }
    if (state.isEmpty()) {
        prompts.warn(tr("Record Start Point"),
                     Failure{statePath, reason.isEmpty() ? file.errorString() : reason, 0, Failure::Action::Read}.message());
        return;
    }
    const Result<StartPoint> kept = KeepStartPoint(document.path(), family, state);
    if (!kept) {
        prompts.showFailure(tr("Record Start Point"), kept.failure());
        return;
    }
    UpdateLiveAction();
    status.showStatus(tr("Start point recorded: play-tests of %1 start here").arg(QFileInfo(document.path()).fileName()));
}

void PlayTestController::ForgetStartPoint()
{
    if (::ForgetStartPoint(document.path()))
        status.showStatus(tr("Start point forgotten: play-tests start at power-on"));
    UpdateLiveAction();
}

QString PlayTestController::Command(const QString &title, QString *setting)
{
    *setting = ReadExternalPrograms().emulatorCommand;
    const Result<QString> command = EmulatorCommand(*setting);
    if (!command) {
        prompts.showFailure(title, command.failure());
        return {};
    }
    return *command;
}

void PlayTestController::Started(const QString &command, const QString &prefix, bool fromStartPoint)
{
    status.showStatus(prefix
                      + tr("Started %1 on a copy of %2%3")
                            .arg(ProgramName(command), QFileInfo(document.path()).fileName(),
                                 document.isModified() ? tr(" with the unsaved changes") : QString())
                      + (fromStartPoint ? tr(", from the start point") : QString()));
}

void PlayTestController::PlayTest()
{
    const QString title = tr("Play-test");
    QString setting;
    const QString command = Command(title, &setting);
    if (command.isEmpty())
        return;
    const Result<QByteArray> image = PlayTestImage(document);
    if (!image) {
        prompts.showFailure(title, image.failure());
        return;
    }
    PlayTestRunner::Extras extras;
    extras.arguments = StartArguments(command);
    if (const Result<QString> started = runner->StartWith(*image, command, document.path(), extras); !started) {
        // A command the user set may be mistyped: say where it is set.
        if (setting.isEmpty())
            prompts.showFailure(title, started.failure());
        else
            prompts.warn(title, started.message() + tr("\nThe emulator command is set in Edit > Preferences..."));
        return;
    }
    Started(command, {}, !extras.arguments.isEmpty());
}

void PlayTestController::PlayTestLive()
{
    const QString title = tr("Play-test Live");
    QString setting;
    const QString command = Command(title, &setting);
    if (command.isEmpty())
        return;
    if (!CanGoLive(command)) {
        UpdateLiveAction();
        prompts.warn(title, liveAction->toolTip());
        return;
    }
    const Result<QByteArray> image = PlayTestImage(document);
    if (!image) {
        prompts.showFailure(title, image.failure());
        return;
    }
    const bool throughStub = LiveThroughStub(command);
    const Result<quint32> stopAddress = throughStub ? StubChannel::StopAddress(*image) : Result<quint32>(0u);
    if (!stopAddress) {
        prompts.warn(title, tr("%1 cannot go live on this ROM: %2").arg(ProgramName(command), stopAddress.message()));
        return;
    }
    if (live->running())
        EndLive();
    PlayTestRunner::Extras extras;
    const QStringList fromStart = StartArguments(command);
    if (throughStub) {
        extras.talk = true;
        extras.arguments = StubLiveArguments() + fromStart;
    } else {
        extras.files = {{QString::fromLatin1(kLiveScriptName), LiveScript()}};
        extras.arguments = LiveArguments() + fromStart;
    }
    const Result<QString> folder = runner->StartWith(*image, command, document.path(), extras);
    if (!folder) {
        if (setting.isEmpty())
            prompts.showFailure(title, folder.failure());
        else
            prompts.warn(title, folder.message() + tr("\nThe emulator command is set in Edit > Preferences..."));
        return;
    }
    liveFolder = *folder;
    liveSince = QDateTime::currentDateTime().addSecs(-1);   // file times may be whole seconds
    const QString program = ProgramName(command);
    if (QProcess *process = runner->process(*folder); throughStub && process)
        live->StartStub(program, process, *image, *stopAddress);
    else if (throughStub)
        return;   // it ended at once: the runner says why
    else
        live->Start(program, QDir(*folder).filePath(QString::fromLatin1(kLiveChangeName)), *image);
    Started(command, tr("Live: %1. ").arg(program), !fromStart.isEmpty());
    emit liveChanged(tr("Live: %1").arg(program));
    UpdateLiveAction();
}

void PlayTestController::EndLive()
{
    if (!live->running())
        return;
    live->End();
    liveFolder.clear();
    status.showStatus(tr("Live link ended"));
    emit liveChanged({});
    UpdateLiveAction();
}
