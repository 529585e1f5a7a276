// Play-test Live's latency: from a change in the document to its bytes in
// the running MAME's cartridge memory at the end of a frame (the demo
// cartridge's viewer reads the car areas every frame, so the picture of the
// next frame shows them). The wiring is the window's: the document's change
// asks the link for a transfer, the link writes the change file, the script
// in MAME applies it. A probe script runs the editor's script and writes,
// after every frame, the frame's number and the watched byte into a file that
// the benchmark polls every millisecond. Needs MAME (skips without it); runs
// at MAME's normal speed (60 frames a second), headless.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include "demorom.h"
#include "document/cardocument.h"
#include "external/commandline.h"
#include "external/livelink.h"
#include "external/playtestrunner.h"
#include "factorytables.h"

namespace {

const char kProbe[] = R"lua(
dofile(os.getenv("SKM_LIVE_SCRIPT"))
local cpu = manager.machine.devices[":maincpu"].spaces["program"]
local out = os.getenv("SKM_PROBE_OUT")
local watch = tonumber(os.getenv("SKM_PROBE_WATCH"))
local n = 0
emu.register_frame_done(function()
  n = n + 1
  local file = io.open(out .. ".tmp", "wb")
  file:write(string.pack(">I4I1", n, cpu:read_u8(watch)))
  file:close()
  os.rename(out .. ".tmp", out)
end)
)lua";

bool Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The frame number and the watched byte the probe wrote last; false when
// there is none yet.
bool ReadProbe(const QString &path, quint32 *frame, quint8 *byte)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != 5)
        return false;
    *frame = qFromBigEndian<quint32>(bytes.constData());
    *byte = quint8(bytes[4]);
    return true;
}

void BM_LiveChangeToFrame(benchmark::State &state)
{
    const Result<QString> mame = FindProgram(QStringLiteral("mame"));
    if (!mame) {
        state.SkipWithError("MAME is not installed");
        return;
    }
    QTemporaryDir dir;
    const QString rom = dir.filePath(QStringLiteral("demo.bin"));
    if (!WriteDemoRom(rom, GenerateFactoryData())) {
        state.SkipWithError("cannot write the demo ROM");
        return;
    }
    CarDocument document;
    document.Open(rom);
    const QByteArray start = *PlayTestImage(document);
    // The pixel every iteration changes, and the byte it lands in.
    const auto toggled = [&](int round) {
        DocumentTables after = document.tables();
        after.sprites[0][0][kPixelsPerSprite / 2] = round % 2 ? 7 : 9;
        return after;
    };
    const auto change = [&](int round) {
        document.Change(QStringLiteral("pixel"), StepFocus{0, 0, -1}, toggled(round));
    };
    // Another pixel of the same sprite (Arg 1: a transfer just went).
    const auto changeOther = [&](int round) {
        DocumentTables after = document.tables();
        after.sprites[0][0][kPixelsPerSprite / 2 + 40] = round % 2 ? 3 : 4;
        document.Change(QStringLiteral("pixel"), StepFocus{0, 0, -1}, after);
    };
    change(0);
    const QList<ByteRange> ranges = DifferingRanges(start, *PlayTestImage(document), 0);
    document.undoStack()->undo();
    if (ranges.isEmpty()) {
        state.SkipWithError("the pixel changes no byte");
        return;
    }
    const qsizetype watched = ranges.first().offset;

    const QString probe = dir.filePath(QStringLiteral("probe.lua"));
    const QString out = dir.filePath(QStringLiteral("probe.bin"));
    const QString wrapper = dir.filePath(QStringLiteral("mame-probe"));
    if (!Write(probe, kProbe)
        || !Write(wrapper, QStringLiteral("#!/bin/sh\n"
                                          "export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SKM_PROBE_OUT='%1'\n"
                                          "export SKM_PROBE_WATCH=%2\n"
                                          "prev=\n"
                                          "for a do\n"
                                          "  shift\n"
                                          "  if [ \"$prev\" = -autoboot_script ]; then export SKM_LIVE_SCRIPT=\"$a\"; "
                                          "a='%3'; fi\n"
                                          "  set -- \"$@\" \"$a\"\n"
                                          "  prev=\"$a\"\n"
                                          "done\n"
                                          "exec '%4' \"$@\" -video none -sound none -skip_gameinfo -noreadconfig\n")
                               .arg(out)
                               .arg(watched)
                               .arg(probe, *mame)
                               .toUtf8())) {
        state.SkipWithError("cannot write the probe");
        return;
    }
    QFile::setPermissions(wrapper, QFile::permissions(wrapper) | QFile::ExeOwner);

    PlayTestRunner runner;
    LiveLink live;
    QObject::connect(&live, &LiveLink::imageWanted, &live, [&] { live.Send(PlayTestImage(document)); });
    QObject::connect(&document, &CarDocument::tablesChanged, &live, &LiveLink::Changed);
    PlayTestRunner::Extras extras;
    extras.files = {{QString::fromLatin1(kLiveScriptName), LiveScript()}};
    extras.arguments = LiveArguments();
    const Result<QString> folder =
        runner.StartWith(start, QStringLiteral("'%1' genesis -cart %f").arg(wrapper), rom, extras);
    if (!folder) {
        state.SkipWithError(qPrintable(folder.message()));
        return;
    }
    live.Start(QStringLiteral("mame"), QDir(*folder).filePath(QString::fromLatin1(kLiveChangeName)), start);

    // Waits for a probe that shows byte, polling every millisecond; the frames it took.
    const auto waitFor = [&](quint8 byte, int timeoutMs, quint32 *frames) {
        QElapsedTimer waited;
        waited.start();
        quint32 first = 0, frame = 0;
        quint8 seen = 0;
        bool any = false;
        while (waited.elapsed() < timeoutMs) {
            QCoreApplication::processEvents();
            if (ReadProbe(out, &frame, &seen)) {
                if (!any)
                    first = frame;
                any = true;
                if (seen == byte) {
                    *frames = frame - first;
                    return true;
                }
            }
            QThread::msleep(1);
        }
        return false;
    };
    quint32 frames = 0;
    if (!waitFor(quint8(start[watched]), 20000, &frames)) {
        state.SkipWithError("MAME showed no frame");
        return;
    }
    QThread::msleep(200);   // past the first interval
    int round = 0;
    double worst = 0;
    quint32 mostFrames = 0;
    for (auto _ : state) {
        ++round;
        if (state.range(0) == 1) {
            // The worst case of a stroke: the change comes right after a
            // transfer and waits for the rest of the interval.
            const quint32 sent = live.transfers();
            changeOther(round);
            while (live.transfers() == sent)
                QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        QElapsedTimer clock;
        clock.start();
        change(round);
        const quint8 expected = quint8((*PlayTestImage(document))[watched]);
        if (!waitFor(expected, 3000, &frames)) {
            state.SkipWithError("the change did not reach MAME");
            return;
        }
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        worst = std::max(worst, seconds);
        mostFrames = std::max(mostFrames, frames);
        state.SetIterationTime(seconds);
        // The next change comes after a pause, as a modder's next stroke.
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 150) {
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
    }
    state.counters["worst_ms"] = worst * 1000;
    state.counters["most_frames"] = mostFrames;
}
// Arg 0: a change on its own; Arg 1: one right after a transfer.
BENCHMARK(BM_LiveChangeToFrame)->Arg(0)->Arg(1)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
