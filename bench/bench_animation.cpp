// Speed of the animated export: one turn of a factory car (24 frames) at
// zoom 4, encoded as GIF and as lossless WebP (the bytes a file would hold,
// without the disk).

#include <benchmark/benchmark.h>

#include <QFile>

#include "animation/animationexport.h"
#include "rom/factorydata.h"
#include "view/spriteoffsets.h"

namespace {

ExchangeData FactoryCars()
{
    QFile file(QStringLiteral(SKM_SOURCE_DIR "/resources/defaults.bin"));
    file.open(QIODevice::ReadOnly);
    const std::optional<CarData> data = ParseFactoryData(file.readAll());
    if (!data)
        return {};
    return ExchangeData{data->sprites, ZeroOffsetsFor(data->sprites), data->palettes.value(3),
                        DefaultBackgroundColor()};
}

void BM_TurnAtZoom4(benchmark::State &state, AnimationFormat format)
{
    const ExchangeData data = FactoryCars();
    AnimationSettings settings;
    settings.car = 3;
    settings.zoom = 4;
    settings.motion = AnimationMotion{true, false, true};
    qint64 size = 0;
    for (auto _ : state) {
        const Result<QByteArray> bytes = EncodeAnimation(data, settings, format);
        if (!bytes) {
            state.SkipWithError(qPrintable(bytes.message()));
            return;
        }
        size = bytes->size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["bytes"] = double(size);
}

} // namespace

BENCHMARK_CAPTURE(BM_TurnAtZoom4, gif, AnimationFormat::Gif)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TurnAtZoom4, webp, AnimationFormat::WebP)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
