// The live link's part of the modder's loop: from the other program's save
// of a car sheet (a temporary file renamed over the linked one, as editors
// save) to the link's signal, and from there the import of the sheet into the
// document as one step. The window's repaint comes on top.
#include <cstdio>

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include "document/cardocument.h"
#include "exchange/indexedpicture.h"
#include "exchange/sheetlayout.h"
#include "external/externaleditlink.h"
#include "exchange/scopetext.h"
#include "external/linkimport.h"

namespace {

DocumentTables RandomTables()
{
    QRandomGenerator random(11);
    DocumentTables tables;
    for (int c = 0; c < kCarCount; ++c) {
        QList<SpritePixels> car;
        for (int s = 0; s < kSpritesPerCar; ++s) {
            SpritePixels pixels(kPixelsPerSprite);
            for (int &p : pixels)
                p = random.bounded(16);
            car.append(pixels);
        }
        tables.sprites.append(car);
    }
    tables.offsets = ZeroOffsetsFor(tables.sprites);
    for (int p = 0; p < kEditorPaletteCount; ++p) {
        Palette palette;
        for (int i = 0; i < kColorsPerPalette; ++i)
            palette.append(QColor(i * 16, p * 20, 255 - i * 16));
        tables.palettes.append(palette);
    }
    return tables;
}

const ExchangeSelection kCar3{ExchangeScope::Car, 2, 0, false};

// The car sheet with two pixels of its first sprite set from n, as PNG bytes.
QByteArray EditedSheet(const DocumentTables &tables, int n)
{
    QImage sheet = IndexedScopePicture(kCar3, {tables.sprites, tables.offsets, tables.palettes[0], Qt::gray});
    const QPoint at = ViewSheetCells().first().topLeft + QPoint(20, 20);
    sheet.setPixel(at, uint(n % 16));
    sheet.setPixel(at + QPoint(1, 0), uint((n / 16) % 16));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    sheet.save(&buffer, "png");
    return bytes;
}

void BM_LinkSaveToSignal(benchmark::State &state)
{
    const DocumentTables tables = RandomTables();
    ExternalEditLink link;
    if (!link.Start(EditedSheet(tables, 0), ScopeFileName(kCar3), QStringLiteral("/bin/true %f"))) {
        state.SkipWithError("cannot start the link");
        return;
    }
    QEventLoop loop;
    QObject::connect(&link, &ExternalEditLink::pictureSaved, &loop, &QEventLoop::quit);
    int n = 0;
    for (auto _ : state) {
        const QByteArray bytes = EditedSheet(tables, ++n);
        const QString temporary = link.filePath() + QStringLiteral(".part");
        QElapsedTimer clock;
        clock.start();
        QFile file(temporary);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            state.SkipWithError("cannot write");
            return;
        }
        file.close();
        std::rename(qPrintable(temporary), qPrintable(link.filePath()));
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_LinkSaveToSignal)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Decoding the saved sheet the link read, converting it and pushing the step.
void BM_LinkImportCarSheet(benchmark::State &state)
{
    QTemporaryDir dir;
    CarDocument document;
    const DocumentTables tables = RandomTables();
    document.Load(dir.filePath(QStringLiteral("game.bin")),
                  CarData{tables.sprites, tables.palettes.mid(0, kRomPaletteCount), {}, {}});
    const QByteArray sheets[2] = {EditedSheet(tables, 1), EditedSheet(tables, 2)};
    const QString path = ScopeFileName(kCar3);
    int n = 0;
    for (auto _ : state) {
        const Result<DocumentTables> after =
            ImportLinkedPicture(document.tables(), kCar3, tables.palettes[0], Qt::gray, path, sheets[n++ % 2], MatchOptions{});
        if (!after) {
            state.SkipWithError(qPrintable(after.message()));
            return;
        }
        if (!document.Change(UpdateStepText(kCar3, path), {2, -1, -1}, *after)) {
            state.SkipWithError("no step");
            return;
        }
    }
}
BENCHMARK(BM_LinkImportCarSheet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
