// The document's steps: what 10,000 one-sprite steps hold, and the document's
// own work to undo and redo an import of all 225 sprites.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "document/cardocument.h"
#include "document/documentdelta.h"
#include "recovery/recoverykeeper.h"

namespace {

CarData RandomData(quint32 seed)
{
    QRandomGenerator random(seed);
    CarData data;
    for (int c = 0; c < kCarCount; ++c) {
        QList<SpritePixels> car;
        for (int s = 0; s < kSpritesPerCar; ++s) {
            SpritePixels pixels(kPixelsPerSprite);
            for (int &p : pixels)
                p = random.bounded(16);
            car.append(pixels);
        }
        data.sprites.append(car);
    }
    return data;
}

// Resident memory of the process in bytes (from /proc/self/statm).
qint64 ResidentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLongLong() * 4096;
}

void BM_TenThousandSpriteSteps(benchmark::State &state)
{
    for (auto _ : state) {
        CarDocument document;
        document.Load(QStringLiteral("bench.bin"), RandomData(1));
        const CarData replacements = RandomData(2);
        const CarData others = RandomData(5);
        const qint64 residentBefore = ResidentBytes();
        qint64 stored = 0;
        for (int step = 0; step < 10000; ++step) {
            DocumentTables after = document.tables();
            const int car = step % kCarCount;
            const int sprite = (step / kCarCount) % kSpritesPerCar;
            after.sprites[car][sprite] = step % 2 ? replacements.sprites[car][sprite] : others.sprites[car][sprite];
            stored += DocumentDelta::Between(document.tables(), after).storedBytes();
            document.Change(QStringLiteral("Import sprite"), {car, sprite, -1}, after);
        }
        state.counters["steps"] = document.undoStack()->count();
        state.counters["stored_MB"] = double(stored) / 1e6;
        state.counters["resident_growth_MB"] = double(ResidentBytes() - residentBefore) / 1e6;
    }
}
BENCHMARK(BM_TenThousandSpriteSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_UndoRedoAllCarsImport(benchmark::State &state)
{
    CarDocument document;
    document.Load(QStringLiteral("bench.bin"), RandomData(3));
    DocumentTables after = document.tables();
    after.sprites = RandomData(4).sprites;
    document.Change(QStringLiteral("Import all cars"), {}, after);
    for (auto _ : state) {
        document.undoStack()->undo();
        document.undoStack()->redo();
    }
    state.SetLabel("one undo + one redo of 225 sprites");
}
BENCHMARK(BM_UndoRedoAllCarsImport)->Unit(benchmark::kMillisecond);

// Writing the recovery file after an import of all 225 sprites: the changes
// against the ROM encoded and written through the one writer, waiting for the
// disk (Flush; the keeper's timed writes leave the disk part to a thread).
void BM_RecoveryWriteAfterAllCarsImport(benchmark::State &state)
{
    QTemporaryDir folder;
    CarDocument document;
    document.Load(QStringLiteral("bench.bin"), RandomData(6));
    RecoveryKeeper keeper(&document, folder.path());
    const SpriteTable imports[2] = {RandomData(7).sprites, RandomData(8).sprites};
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DocumentTables after = document.tables();
        after.sprites = imports[round++ % 2];
        document.Change(QStringLiteral("Import all cars"), {}, after);
        state.ResumeTiming();
        if (!keeper.Flush())
            state.SkipWithError("the recovery file was not written");
    }
    state.counters["file_KB"] = double(QFileInfo(keeper.filePath()).size()) / 1e3;
}
BENCHMARK(BM_RecoveryWriteAfterAllCarsImport)->Unit(benchmark::kMillisecond);

// The part of that write done where the step was made: the changes against
// the ROM and the file's bytes.
void BM_RecoveryEncodeAfterAllCarsImport(benchmark::State &state)
{
    CarDocument document;
    document.Load(QStringLiteral("bench.bin"), RandomData(6));
    DocumentTables after = document.tables();
    after.sprites = RandomData(7).sprites;
    for (auto _ : state) {
        RecoveryRecord record;
        record.romPath = document.path();
        record.changes = DocumentDelta::Between(document.original(), after).afterBytes();
        benchmark::DoNotOptimize(EncodeRecoveryFile(record));
    }
}
BENCHMARK(BM_RecoveryEncodeAfterAllCarsImport)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
