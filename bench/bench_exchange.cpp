// Speed of the sprite exchange: matching one sprite picture, importing and
// exporting the all-cars sheet.
//
//   bench_exchange                         the benchmarks
//   bench_exchange --write-sheet DIR       writes DIR/sheet.png (the all-cars
//                                          sheet) and DIR/candidates.png (the
//                                          eleven import colours, 11 x 1)
//   bench_exchange --import-once IN OUT    reads the sheet IN, imports all cars
//                                          with dithering and writes the result
//                                          sheet to OUT; prints the import time
// The last two serve bench/compare_imagemagick.sh.

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "exchange/palettematcher.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "exchange/spritefiles.h"
#include "exchange/spriteimport.h"
#include "rom/colorword.h"

namespace {

// Sprites with shaded shapes drawn into them, so that the sheet looks like car
// sprites (runs of one index) rather than noise.
SpriteTable BenchSprites()
{
    QRandomGenerator random(2024);
    const QList<int> indices{1, 2, 3, 4, 5, 11, 12, 13, 14, 15};
    SpriteTable table;
    for (int c = 0; c < kCarCount; ++c) {
        QList<SpritePixels> car;
        for (int s = 0; s < kSpritesPerCar; ++s) {
            SpritePixels pixels(kPixelsPerSprite, 0);
            for (int n = 0; n < kPixelsPerSprite; ++n) {
                const QPoint p = SpritePixelPosition(n);
                const int dx = p.x() - 24;
                const int dy = p.y() - 24;
                if (dx * dx + dy * dy < 18 * 18)
                    pixels[n] = indices[(p.x() / 6 + p.y() / 5 + s + c) % indices.size()];
            }
            for (int k = 0; k < 40; ++k)   // a little noise
                pixels[random.bounded(kPixelsPerSprite)] = indices[random.bounded(int(indices.size()))];
            car.append(pixels);
        }
        table.append(car);
    }
    return table;
}

ExchangeData BenchData()
{
    const SpriteTable sprites = BenchSprites();
    return ExchangeData{sprites, ZeroOffsetsFor(sprites), ImportExportPalette(), DefaultBackgroundColor()};
}

// The all-cars sheet, softened so that import has real matching to do: every
// pixel is moved off its palette colour by a small smooth amount.
QImage BenchSheet()
{
    QImage sheet = AllCarsSheetPicture(BenchData()).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x) {
            const int d = (x * 7 + y * 3) % 41 - 20;
            line[x] = qRgb(qBound(0, qRed(line[x]) + d, 255), qBound(0, qGreen(line[x]) - d, 255),
                           qBound(0, qBlue(line[x]) + d / 2, 255));
        }
    }
    return sheet;
}

QImage SpriteGradient()
{
    QImage image(48, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            image.setPixel(x, y, qRgb(5 * x, 5 * y, 255 - 2 * (x + y)));
    return image;
}

void BM_ConvertSpriteDithered(benchmark::State &state)
{
    const QImage picture = SpriteGradient();
    PaletteMatcher matcher;
    for (const QColor &color : ImportCandidates(ImportExportPalette(), DefaultBackgroundColor()))
        matcher.AddColor(color);
    matcher.SetDither(true);
    matcher.Convert(picture);   // warms the colour cache
    for (auto _ : state)
        benchmark::DoNotOptimize(matcher.Convert(picture));
}
BENCHMARK(BM_ConvertSpriteDithered)->Unit(benchmark::kMicrosecond);

void BM_ImportAllCarsSheet(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("sheet.png"));
    (void)WritePictureFile(name, BenchSheet());
    const ExchangeData start = BenchData();
    const ExchangeSelection selection{ExchangeScope::AllCars, 0, 0, false};
    for (auto _ : state) {
        ExchangeData data = start;
        if (!ProblemLines(ReadSpriteFiles(name, selection, data, MatchOptions{true})).isEmpty())
            state.SkipWithError("import failed");
        benchmark::DoNotOptimize(data.sprites);
    }
}
BENCHMARK(BM_ImportAllCarsSheet)->Unit(benchmark::kMillisecond);

void BM_ExportAllCarsPng(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("all.png"));
    const ExchangeData data = BenchData();
    const ExchangeSelection selection{ExchangeScope::AllCars, 0, 0, false};
    for (auto _ : state) {
        if (!WriteSpriteFiles(name, selection, data).ok())
            state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_ExportAllCarsPng)->Unit(benchmark::kMillisecond);

int WriteSheet(const QString &folder)
{
    QImage candidates(11, 1, QImage::Format_RGB32);
    const QList<QColor> colors = ImportCandidates(ImportExportPalette(), DefaultBackgroundColor());
    for (int i = 0; i < colors.size(); ++i)
        candidates.setPixel(i, 0, colors[i].rgb());
    const bool ok = WritePictureFile(folder + QStringLiteral("/sheet.png"), BenchSheet()).ok()
                    && WritePictureFile(folder + QStringLiteral("/candidates.png"), candidates).ok();
    return ok ? 0 : 1;
}

int ImportOnce(const QString &in, const QString &out)
{
    ExchangeData data = BenchData();
    QElapsedTimer timer;
    timer.start();
    const QStringList errors =
        ProblemLines(ReadSpriteFiles(in, ExchangeSelection{ExchangeScope::AllCars, 0, 0, false}, data, MatchOptions{true}));
    const qint64 importNs = timer.nsecsElapsed();
    if (!errors.isEmpty())
        return 1;
    data.offsets = ZeroOffsetsFor(data.sprites);
    if (!WritePictureFile(out, AllCarsSheetPicture(data)))
        return 1;
    std::printf("import %.1f ms\n", importNs / 1e6);
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write-sheet") == 0)
        return WriteSheet(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "--import-once") == 0)
        return ImportOnce(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
