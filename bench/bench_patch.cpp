// Speed and size of a BPS patch: a 4 MiB cartridge image whose car areas
// (weapons, palettes, characteristics, sprites) are all rewritten.
//
//   bench_patch      counters: patch bytes, changed bytes and the size limit
//                    (changed bytes + 1 % + 100)

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

#include "patch/bpspatch.h"
#include "patch/ipspatch.h"
#include "rom/cardata.h"

namespace {

QByteArray RandomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    for (char &byte : bytes)
        byte = static_cast<char>(random.generate() & 0xFF);
    return bytes;
}

struct Images
{
    QByteArray original = RandomBytes(4 * 1024 * 1024, 1);
    QByteArray modified = original;
    qint64 changed = 0;

    Images()
    {
        const QList<QPair<qint64, qint64>> areas{{kWeaponsOffset, kWeaponsAreaSize},
                                                 {kPalettesOffset, kPalettesAreaSize},
                                                 {kCharacteristicsOffset, kCharacteristicsAreaSize},
                                                 {kSpritesOffset, kSpritesAreaSize}};
        for (const auto &[offset, size] : areas)
            modified.replace(offset, size, RandomBytes(size, quint32(offset)));
        for (qsizetype i = 0; i < original.size(); ++i)
            changed += original.at(i) != modified.at(i);
    }
};

void BM_BpsAllCarAreas(benchmark::State &state)
{
    static const Images images;
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray patch = MakeBpsPatch(images.original, images.modified);
        size = patch.size();
        benchmark::DoNotOptimize(patch.constData());
    }
    state.counters["patch_bytes"] = double(size);
    state.counters["changed_bytes"] = double(images.changed);
    state.counters["size_limit"] = double(images.changed + images.changed / 100 + 100);
}
BENCHMARK(BM_BpsAllCarAreas)->Unit(benchmark::kMillisecond);

void BM_IpsAllCarAreas(benchmark::State &state)
{
    static const Images images;
    qsizetype size = 0;
    for (auto _ : state) {
        const auto patch = MakeIpsPatch(images.original, images.modified);
        size = patch ? patch->size() : -1;
        benchmark::DoNotOptimize(size);
    }
    state.counters["patch_bytes"] = double(size);
}
BENCHMARK(BM_IpsAllCarAreas)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
