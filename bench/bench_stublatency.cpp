// Play-test Live through blastem's debugger stub, headless (-b: a number of
// frames, no window, as fast as the machine goes).
// BM_StubChangeToMemory: from a change in the document to the stub's "OK" for
// its bytes written into the running machine's cartridge memory (the wiring
// is the window's: the change asks the link for a transfer, the link hands it
// to the channel, the channel writes it at the next stop at the game's
// vertical blanking routine). BM_StubFrameRate: frames a second with the
// stop at every frame (the link on, nothing to write) and without the stub.
// Needs blastem (skips without it). With SKM_STUB_WINDOWED set, blastem runs
// in a window at its normal speed instead (the frame rate's figure without
// the stub is then left out).
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "demorom.h"
#include "document/cardocument.h"
#include "external/commandline.h"
#include "external/livelink.h"
#include "external/playtestrunner.h"
#include "external/stubchannel.h"
#include "factorytables.h"

namespace {

void Spin(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
}

// A live link through the stub of a headless blastem on the demo ROM.
struct StubRun
{
    QTemporaryDir dir;
    QString rom;
    CarDocument document;
    PlayTestRunner runner;
    LiveLink live;
    QString problem;

    explicit StubRun(const QString &blastem)
    {
        rom = dir.filePath(QStringLiteral("demo.bin"));
        if (!WriteDemoRom(rom, GenerateFactoryData())) {
            problem = QStringLiteral("cannot write the demo ROM");
            return;
        }
        document.Open(rom);
        const QByteArray start = *PlayTestImage(document);
        QObject::connect(&live, &LiveLink::imageWanted, &live, [this] { live.Send(PlayTestImage(document)); });
        QObject::connect(&document, &CarDocument::tablesChanged, &live, &LiveLink::Changed);
        PlayTestRunner::Extras extras;
        extras.talk = true;
        extras.arguments = StubLiveArguments();
        const Result<QString> folder =
            runner.StartWith(start,
                             QString::fromLatin1(qEnvironmentVariableIsSet("SKM_STUB_WINDOWED") ? "'%1' %f"
                                                                                              : "'%1' -b 100000000 %f")
                                 .arg(blastem),
                             rom, extras);
        if (!folder) {
            problem = folder.message();
            return;
        }
        live.StartStub(QStringLiteral("blastem"), runner.process(*folder), start, *StubChannel::StopAddress(start));
        QElapsedTimer waited;
        waited.start();
        while (live.stub() && live.stub()->stops() < 10 && waited.elapsed() < 20000)
            Spin(10);
        if (!live.stub() || live.stub()->stops() < 10)
            problem = QStringLiteral("blastem did not stop at its breakpoint");
    }

    void Change(int round, int pixel)
    {
        DocumentTables after = document.tables();
        after.sprites[0][0][pixel] = round % 2 ? 7 : 9;
        document.Change(QStringLiteral("pixel"), StepFocus{0, 0, -1}, after);
    }
};

void BM_StubChangeToMemory(benchmark::State &state)
{
    const Result<QString> blastem = FindProgram(QStringLiteral("blastem"));
    if (!blastem) {
        state.SkipWithError("blastem is not installed");
        return;
    }
    StubRun run(*blastem);
    if (!run.problem.isEmpty()) {
        state.SkipWithError(qPrintable(run.problem));
        return;
    }
    Spin(200);   // past the first interval
    int round = 0;
    double worst = 0;
    for (auto _ : state) {
        ++round;
        if (state.range(0) == 1) {
            // The worst case of a stroke: the change comes right after a
            // transfer and waits for the rest of the interval.
            const quint32 sent = run.live.transfers();
            run.Change(round, kPixelsPerSprite / 2 + 40);
            while (run.live.transfers() == sent)
                QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        const quint32 sent = run.live.transfers();
        QElapsedTimer clock;
        clock.start();
        run.Change(round, kPixelsPerSprite / 2);
        while (run.live.transfers() == sent && clock.elapsed() < 3000)
            QCoreApplication::processEvents();
        if (run.live.transfers() == sent) {
            state.SkipWithError("the change did not reach blastem");
            return;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
        Spin(150);   // the next change comes after a pause, as a modder's next stroke
    }
    state.counters["worst_ms"] = worst * 1000;
}
// Arg 0: a change on its own; Arg 1: one right after a transfer.
BENCHMARK(BM_StubChangeToMemory)->Arg(0)->Arg(1)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_StubFrameRate(benchmark::State &state)
{
    const Result<QString> blastem = FindProgram(QStringLiteral("blastem"));
    if (!blastem) {
        state.SkipWithError("blastem is not installed");
        return;
    }
    for (auto _ : state) {
        // With the link: stops (one a frame) in 3 s.
        StubRun run(*blastem);
        if (!run.problem.isEmpty()) {
            state.SkipWithError(qPrintable(run.problem));
            return;
        }
        const int before = run.live.stub()->stops();
        QElapsedTimer clock;
        clock.start();
        Spin(3000);
        state.counters["frames_per_s_stopping"] =
            (run.live.stub()->stops() - before) / (double(clock.nsecsElapsed()) / 1e9);

        if (qEnvironmentVariableIsSet("SKM_STUB_WINDOWED"))
            continue;
        // Without: the time 1200 frames take (start-up included, so a little low).
        QProcess plain;
        plain.setProgram(*blastem);
        plain.setArguments({QStringLiteral("-b"), QStringLiteral("1200"), run.rom});
        plain.setStandardOutputFile(QProcess::nullDevice());
        plain.setStandardErrorFile(QProcess::nullDevice());
        clock.restart();
        plain.start();
        plain.waitForFinished(60000);
        state.counters["frames_per_s_plain"] = 1200 / (double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_StubFrameRate)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
