#include "external/playtestrunner.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QThread>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "document/cardocument.h"
#include "external/commandline.h"
#include "external/ownfolder.h"
#include "rom/outputfile.h"
#include "rom/romsave.h"

namespace {

constexpr qsizetype kKeptErrorBytes = 4096;
constexpr int kShownErrorLines = 6;
// How often the groups whose first process ended are looked at.
constexpr int kGroupCheckMs = 200;

QString LastLines(const QByteArray &error)
{
    QStringList lines = QString::fromLocal8Bit(error).split(QLatin1Char('\n'));
    lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
    return lines.mid(qMax<qsizetype>(0, lines.size() - kShownErrorLines)).join(QLatin1Char('\n'));
}

// The state letter and process group of /proc/<pid>/stat; false when the
// process is gone.
bool ProcessStat(const char *pid, char *state, long *group)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char text[512];
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (n <= 0)
        return false;
    text[n] = '\0';
    // "pid (name) S ppid pgrp ...": the name may hold anything, up to the last ')'.
    const char *end = std::strrchr(text, ')');
    long parent = 0;
    return end && std::sscanf(end + 1, " %c %ld %ld", state, &parent, group) == 3;
}

// Sends signal to every group of groups still running.
void SignalGroups(const QList<qint64> &groups, int signal)
{
    for (const qint64 group : groups)
        if (ProcessGroupRunning(group))
            ::kill(pid_t(-group), signal);
}

// Waits up to ms for every group to end; whether they all did.
bool WaitForGroups(const QList<qint64> &groups, int ms)
{
    const QDeadlineTimer deadline(ms);
    for (;;) {
        if (std::none_of(groups.begin(), groups.end(), ProcessGroupRunning))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

}  // namespace

bool ProcessGroupRunning(qint64 group)
{
    if (group <= 0)
        return false;
    if (::kill(pid_t(-group), 0) != 0 && errno == ESRCH)
        return false;
    // Something of the group is there, perhaps only ended processes nobody
    // waited for: look for one that runs.
    DIR *processes = ::opendir("/proc");
    if (!processes)
        return true;
    bool running = false;
    while (const dirent *entry = ::readdir(processes)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        char state = 0;
        long of = 0;
        if (ProcessStat(entry->d_name, &state, &of) && of == group && state != 'Z' && state != 'X') {
            running = true;
            break;
        }
    }
    ::closedir(processes);
    return running;
}

Result<QByteArray> PlayTestImage(const CarDocument &document)
{
    if (!document.imageError().isEmpty())
        return Failure{document.path(), document.imageError(), 0, Failure::Action::Read};
    return SavedFileBytes(document.plainImage(), {}, document.dataToSave());
}

// One emulator started: its copy in a folder of its own, its process group,
// and the end of its error output (read from a pipe of the run's own, which
// every process of the group shares and which stays open after the first
// one ends).
struct PlayTestRunner::Run
{
    std::unique_ptr<OwnFolder> folder;
    QString copy;
    QString program;
    QProcess *process = nullptr;   // until the first process ends
    qint64 group = 0;
    int errorPipe = -1;
    QSocketNotifier *errorNotifier = nullptr;
    QByteArray error;
    int exitCode = 0;

    ~Run()
    {
        delete errorNotifier;
        if (errorPipe >= 0)
            ::close(errorPipe);
    }
};

PlayTestRunner::PlayTestRunner(QObject *parent) : QObject(parent)
{
    groupCheck.setInterval(kGroupCheckMs);
    connect(&groupCheck, &QTimer::timeout, this, &PlayTestRunner::CheckGroups);
}

PlayTestRunner::~PlayTestRunner()
{
    // Every group still running ends with the runner, the processes that
    // ignore SIGTERM included; then the copies go.
    QList<qint64> groups;
    for (const auto &run : runs) {
        if (run->process)
            run->process->disconnect(this);
        groups << run->group;
    }
    SignalGroups(groups, SIGTERM);
    if (!WaitForGroups(groups, kEndGraceMs)) {
        SignalGroups(groups, SIGKILL);
        WaitForGroups(groups, kEndGraceMs);
    }
    for (const auto &run : runs)
        if (run->process)
            run->process->waitForFinished(100);
    runs.clear();
}

Result<void> PlayTestRunner::Start(const QByteArray &image, const QString &command, const QString &romPath)
{
    const Result<QString> started = StartWith(image, command, romPath, {});
    if (!started)
        return started.failure();
    return {};
}

Result<QString> PlayTestRunner::StartWith(const QByteArray &image, const QString &command, const QString &romPath,
                                          const Extras &extras)
{
    const QString baseName = QFileInfo(romPath).completeBaseName();
    const QString copyName = QStringLiteral("%1-play-%2.bin")
                                 .arg(baseName.isEmpty() ? QStringLiteral("rom") : baseName)
                                 .arg(started + 1);
    Result<std::unique_ptr<OwnFolder>> made = OwnFolder::Make(OwnFolderKind::PlayTest);
    if (!made)
        return made.failure();
    auto run = std::make_unique<Run>();
    run->folder = std::move(*made);
    run->copy = run->folder->filePath(copyName);
    const Result<QStringList> words = CommandForFile(command, run->copy);
    if (!words)
        return words.failure();
    const Result<QString> program = FindProgram(words->first());
    if (!program)
        return program.failure();
    if (Result<void> written = WriteOutputFile(run->copy, image); !written)
        return written.failure();
    for (const auto &[name, bytes] : extras.files)
        if (Result<void> written = WriteOutputFile(run->folder->filePath(name), bytes); !written)
            return written.failure();
    int errorEnds[2];
    if (::pipe2(errorEnds, O_CLOEXEC) != 0)
        return Failure{words->first(), QString::fromLocal8Bit(std::strerror(errno)), errno, Failure::Action::Start};
    run->errorPipe = errorEnds[0];
    ::fcntl(run->errorPipe, F_SETFL, ::fcntl(run->errorPipe, F_GETFL) | O_NONBLOCK);
    ++started;
    run->program = QFileInfo(*program).fileName();

    auto *process = new QProcess(this);
    run->process = process;
    process->setProgram(*program);
    process->setArguments(words->mid(1) + extras.arguments);
    process->setWorkingDirectory(run->folder->path());
    if (extras.talk) {
        // Its input and output are ours to speak through.
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->setReadChannel(QProcess::StandardOutput);
        process->setStandardErrorFile(QProcess::nullDevice());
    } else {
        // Its output goes where ours goes.
        process->setStandardInputFile(QProcess::nullDevice());
        process->setProcessChannelMode(QProcess::ForwardedChannels);
    }
    // Its error output goes to the run's pipe.
    const int errorEnd = errorEnds[1];
    process->setChildProcessModifier([errorEnd] {
        ::setsid();
        ::dup2(errorEnd, STDERR_FILENO);
    });
    Run *kept = run.get();
    runs.push_back(std::move(run));
    connect(process, &QProcess::finished, this,
            [this, kept](int exitCode, QProcess::ExitStatus status) { Ended(*kept, exitCode, status); });
    process->start();
    const bool began = process->waitForStarted();
    ::close(errorEnd);
    if (!began) {
        const Failure failure{words->first(), process->errorString(), 0, Failure::Action::Start};
        process->disconnect(this);
        delete process;
        runs.pop_back();   // and its copy with it
        return failure;
    }
    kept->group = process->processId();
    kept->errorNotifier = new QSocketNotifier(kept->errorPipe, QSocketNotifier::Read);
    connect(kept->errorNotifier, &QSocketNotifier::activated, this, [kept] { ReadError(*kept); });
    return kept->folder->path();
}

void PlayTestRunner::ReadError(Run &run)
{
    if (run.errorPipe < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(run.errorPipe, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n > 0) {
            run.error = (run.error + QByteArray(buffer, n)).right(kKeptErrorBytes);
            continue;
        }
        if (n == 0) {
            // Every process of the group has closed it.
            delete std::exchange(run.errorNotifier, nullptr);
            ::close(std::exchange(run.errorPipe, -1));
        }
        return;
    }
}

void PlayTestRunner::Ended(Run &run, int exitCode, QProcess::ExitStatus status)
{
    QProcess *process = std::exchange(run.process, nullptr);
    process->disconnect(this);
    process->deleteLater();
    ReadError(run);
    const bool crashed = status == QProcess::CrashExit;
    run.exitCode = crashed ? -1 : exitCode;
    if (crashed || exitCode != 0) {
        QString message = crashed ? tr("The emulator \"%1\" crashed.").arg(run.program)
                                  : tr("The emulator \"%1\" stopped with status %2.").arg(run.program).arg(exitCode);
        const QString lines = LastLines(run.error);
        message += lines.isEmpty() ? tr(" It wrote no error message.") : QStringLiteral("\n") + lines;
        emit failed(message);
    }
    // What the emulator started may still be using the copy.
    CheckGroups();
}

void PlayTestRunner::CheckGroups()
{
    bool waiting = false;
    for (std::size_t i = 0; i < runs.size();) {
        Run &run = *runs[i];
        if (run.process || ProcessGroupRunning(run.group)) {
            waiting = waiting || !run.process;
            ++i;
            continue;
        }
        Finish(run);   // removes it from runs
    }
    if (waiting && !groupCheck.isActive())
        groupCheck.start();
    else if (!waiting)
        groupCheck.stop();
}

void PlayTestRunner::Finish(Run &run)
{
    ReadError(run);
    const int exitCode = run.exitCode;
    const QString folder = run.folder->path();
    const auto at = std::find_if(runs.begin(), runs.end(), [&](const auto &kept) { return kept.get() == &run; });
    if (at != runs.end())
        runs.erase(at);   // the copy and its folder go with it
    emit finished(exitCode);
    emit finishedIn(folder, exitCode);
}

int PlayTestRunner::running() const
{
    return int(runs.size());
}

QProcess *PlayTestRunner::process(const QString &folder) const
{
    for (const auto &run : runs)
        if (run->folder->path() == folder)
            return run->process;
    return nullptr;
}

QStringList PlayTestRunner::copies() const
{
    QStringList paths;
    for (const auto &run : runs)
        paths << run->copy;
    return paths;
}
