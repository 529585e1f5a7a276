#include "external/playtestrunner.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "document/cardocument.h"
#include "external/commandline.h"
#include "rom/outputfile.h"
#include "rom/romsave.h"

namespace {

constexpr qsizetype kKeptErrorBytes = 4096;
constexpr int kShownErrorLines = 6;

QString LastLines(const QByteArray &error)
{
    QStringList lines = QString::fromLocal8Bit(error).split(QLatin1Char('\n'));
    lines.removeIf([](const QString &line) { return line.trimmed().isEmpty(); });
    return lines.mid(qMax<qsizetype>(0, lines.size() - kShownErrorLines)).join(QLatin1Char('\n'));
}

}  // namespace

Result<QByteArray> PlayTestImage(const CarDocument &document)
{
    if (!document.imageError().isEmpty())
        return Failure{document.path(), document.imageError(), 0, QStringLiteral("read")};
    return SavedFileBytes(document.plainImage(), {}, document.dataToSave());
}

PlayTestRunner::PlayTestRunner(QObject *parent) : QObject(parent)
{
}

PlayTestRunner::~PlayTestRunner()
{
    const QList<QProcess *> processes = alive.keys();
    for (QProcess *process : processes) {
        process->disconnect(this);
        process->terminate();
    }
    for (QProcess *process : processes) {
        if (!process->waitForFinished(500))
            process->kill();
        process->waitForFinished(500);
    }
    // The processes go with this object (their parent), the copies with the folder.
}

Result<void> PlayTestRunner::Start(const QByteArray &image, const QString &command, const QString &romPath)
{
    if (!temporary) {
        auto made = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("skm-play-XXXXXX")));
        if (!made->isValid())
            return Failure{made->path(), made->errorString(), 0, QStringLiteral("create the folder")};
        temporary = std::move(made);
    }
    const QString baseName = QFileInfo(romPath).completeBaseName();
    const QString copy = temporary->filePath(QStringLiteral("%1-play-%2.bin")
                                                 .arg(baseName.isEmpty() ? QStringLiteral("rom") : baseName)
                                                 .arg(++started));
    const Result<QStringList> words = CommandForFile(command, copy);
    if (!words)
        return words.failure();
    const Result<QString> program = FindProgram(words->first());
    if (!program)
        return program.failure();
    if (Result<void> written = WriteOutputFile(copy, image); !written)
        return written;

    auto *process = new QProcess(this);
    process->setProgram(*program);
    process->setArguments(words->mid(1));
    process->setWorkingDirectory(temporary->path());
    // Its output goes where ours goes; its error output is kept for the message.
    process->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    connect(process, &QProcess::readyReadStandardError, this, [this, process] {
        const QByteArray more = process->readAllStandardError();
        if (const auto run = alive.find(process); run != alive.end())
            run->error = (run->error + more).right(kKeptErrorBytes);
    });
    connect(process, &QProcess::finished, this,
            [this, process](int exitCode, QProcess::ExitStatus status) { Ended(process, exitCode, status); });
    Run &run = alive[process];
    run.copy = copy;
    run.clock.start();
    process->start();
    if (!process->waitForStarted()) {
        const Failure failure{words->first(), process->errorString(), 0, QStringLiteral("start")};
        alive.remove(process);
        process->disconnect(this);
        delete process;
        QFile::remove(copy);
        return failure;
    }
    return {};
}

void PlayTestRunner::Ended(QProcess *process, int exitCode, QProcess::ExitStatus status)
{
    if (!alive.contains(process))
        return;
    const Run run = alive.take(process);
    process->disconnect(this);
    process->deleteLater();
    QFile::remove(run.copy);

    const bool crashed = status == QProcess::CrashExit;
    if (run.clock.elapsed() < kEarlyExitMs && (crashed || exitCode != 0)) {
        const QString name = QFileInfo(process->program()).fileName();
        QString message = crashed ? tr("The emulator \"%1\" crashed at once.").arg(name)
                                  : tr("The emulator \"%1\" stopped at once with status %2.").arg(name).arg(exitCode);
        const QString lines = LastLines(run.error + process->readAllStandardError());
        message += lines.isEmpty() ? tr(" It wrote no error message.") : QStringLiteral("\n") + lines;
        emit failed(message);
    }
    emit finished(crashed ? -1 : exitCode);
}

int PlayTestRunner::running() const
{
    return int(alive.size());
}

QString PlayTestRunner::folder() const
{
    return temporary ? temporary->path() : QString();
}
