// Speed of the view: one redraw of the sprite label at the largest and the
// default zoom, composing one sprite, baking all pending offsets on save, and
// counting a car's tiles.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_view

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTemporaryDir>

#include "common/romfiles.h"
#include "editor/controllers/referencecontroller.h"
#include "editor/displays/palettecomparison.h"
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteview.h"
#include "editor/window/skmcareditor.h"
#include <QTimer>
#include "rom/romwriter.h"
#include "view/spritecomposer.h"
#include "view/onionskin.h"
#include "view/spriteoffsets.h"
#include "view/tilecounts.h"
#include "view/pixeltools.h"
#include "document/cardocument.h"

namespace {

CarData BenchData()
{
    CarData data;
    data.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite)));
    for (int c = 0; c < kCarCount; ++c)
        for (int s = 0; s < kSpritesPerCar; ++s)
            for (int n = 0; n < kPixelsPerSprite; ++n)
                data.sprites[c][s][n] = (n * 7 + c + s) % 16;
    for (int p = 0; p < kRomPaletteCount; ++p) {
        Palette palette;
        for (int i = 0; i < kColorsPerPalette; ++i)
            palette.append(QColor(i * 16, 255 - i * 16, p * 20));
        data.palettes.append(palette);
    }
    return data;
}

// One window on a ROM in a temporary folder, shared by the window benchmarks.
struct EditorFixture
{
    QTemporaryDir dir;
    SKMcarEditor *editor = nullptr;

    EditorFixture()
    {
        const QString path = dir.filePath(QStringLiteral("bench.bin"));
        WriteRom(path, BenchData());
        editor = new SKMcarEditor(path);
        // The timer would redraw behind the measurement; stop it by name.
        if (auto *timer = editor->findChild<QTimer *>())
            timer->stop();
        editor->show();
    }
    ~EditorFixture() { delete editor; }
};

EditorFixture &Fixture()
{
    static EditorFixture fixture;
    return fixture;
}

void SetZoom(double zoom)
{
    auto *box = Fixture().editor->findChild<QDoubleSpinBox *>(QStringLiteral("doubleSpinBoxSpriteZoom"));
    box->setValue(zoom);
}

QSpinBox *SpriteBox()
{
    return Fixture().editor->findChild<QSpinBox *>(QStringLiteral("spinBoxSpriteNumber"));
}

// One redraw with a new picture each time: the sprite number alternates
// between 1 and 2 and its change signal runs DisplaySpriteById (compose, scale,
// hand the pixmap to the label, load the move boxes, fit the window).
// Argument: zoom x 10.
void BM_DisplaySpriteById(benchmark::State &state)
{
    const double zoom = double(state.range(0)) / 10.0;
    SetZoom(zoom);
    QSpinBox *sprite = SpriteBox();
    QCoreApplication::processEvents();
    int number = 1;
    for (auto _ : state) {
        number = 3 - number;
        sprite->setValue(number);
    }
    QCoreApplication::processEvents();
    state.SetLabel(QStringLiteral("zoom %1").arg(zoom, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_DisplaySpriteById)->Arg(100)->Arg(30)->Unit(benchmark::kMicrosecond);

// The redraw of a timer tick that changes nothing: the slot run by name.
void BM_DisplaySpriteByIdUnchanged(benchmark::State &state)
{
    const double zoom = double(state.range(0)) / 10.0;
    SetZoom(zoom);
    SKMcarEditor *editor = Fixture().editor;
    QCoreApplication::processEvents();
    for (auto _ : state)
        QMetaObject::invokeMethod(editor->findChild<QObject *>(QStringLiteral("spriteViewController")), "DisplaySpriteById", Qt::DirectConnection);
    state.SetLabel(QStringLiteral("zoom %1").arg(zoom, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_DisplaySpriteByIdUnchanged)->Arg(100)->Arg(30)->Unit(benchmark::kMicrosecond);

// A new picture and the repaint it causes (the toolkit painting the label
// into the offscreen backing store).
void BM_DisplaySpriteByIdAndPaint(benchmark::State &state)
{
    const double zoom = double(state.range(0)) / 10.0;
    SetZoom(zoom);
    QSpinBox *sprite = SpriteBox();
    int number = 1;
    for (auto _ : state) {
        number = 3 - number;
        sprite->setValue(number);
        QCoreApplication::processEvents();
    }
    state.SetLabel(QStringLiteral("zoom %1").arg(zoom, 0, 'f', 1).toStdString());
}
BENCHMARK(BM_DisplaySpriteByIdAndPaint)->Arg(100)->Arg(30)->Unit(benchmark::kMicrosecond);

void BM_Animate(benchmark::State &state)
{
    SetZoom(3.0);
    SKMcarEditor *editor = Fixture().editor;
    for (auto _ : state) {
        QMetaObject::invokeMethod(editor->findChild<QObject *>(QStringLiteral("spriteViewController")), "Animate", Qt::DirectConnection);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Animate)->Unit(benchmark::kMicrosecond);

// File > Open of another 4 MiB ROM, from the call to the new sprite shown:
// the ROM check, reading the file whole, decoding, the new document and the
// redraw of every control.
void BM_OpenAnotherRom(benchmark::State &state)
{
    SKMcarEditor *editor = Fixture().editor;
    const QString path = Fixture().dir.filePath(QStringLiteral("large.bin"));
    {
        QByteArray image(4 << 20, '\0');
        image.replace(0x100, 4, "SEGA");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size())
            state.SkipWithError("cannot write the 4 MiB ROM");
    }
    WriteRom(path, BenchData());
    for (auto _ : state) {
        if (!editor->OpenRom(path))
            state.SkipWithError("the ROM was not opened");
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_OpenAnotherRom)->Unit(benchmark::kMillisecond);

void BM_ComposeSpriteImage(benchmark::State &state)
{
    const CarData data = BenchData();
    const SpritePixels &pixels = data.sprites.at(2).at(17);
    for (auto _ : state) {
        QImage image = ComposeSpriteImage(&pixels, data.palettes.at(0), QColor(218, 218, 218), QPoint(3, -2), true, true);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_ComposeSpriteImage)->Unit(benchmark::kMicrosecond);

void BM_ApplySpriteOffsets(benchmark::State &state)
{
    const CarData data = BenchData();
    SpriteOffsets pending = ZeroOffsetsFor(data.sprites);
    for (int c = 0; c < kCarCount; ++c)
        for (int s = 0; s < kSpritesPerCar; ++s)
            pending[c][s] = QPoint(s % 7 - 3, c - 2 == 0 ? 1 : c - 2);
    for (auto _ : state) {
        state.PauseTiming();
        SpriteTable sprites = data.sprites;
        SpriteOffsets offsets = pending;
        state.ResumeTiming();
        ApplySpriteOffsets(sprites, offsets);
        benchmark::DoNotOptimize(sprites);
    }
}
BENCHMARK(BM_ApplySpriteOffsets)->Unit(benchmark::kMicrosecond);

// The animation's step with the onion skin on at zoom 10: a new rotation each
// time (its neighbours composed and drawn behind it) and the repaint. The
// frames are composed once and kept, as the animation shows them again and
// again; the second argument 1 clears them before each step.
void BM_OnionSkinStep(benchmark::State &state)
{
    SetZoom(10.0);
    SKMcarEditor *editor = Fixture().editor;
    auto *display = editor->findChild<SpriteDisplay *>();
    display->setOnionSkin(true, OnionNeighbours::Rotations);
    Selection &selection = editor->Shown();
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        if (state.range(0)) {
            state.PauseTiming();
            // Another background drops every kept frame.
            editor->Document().setBackground(step % 2 ? QColor(218, 218, 218) : QColor(200, 200, 200));
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        step = (step + 1) % 24;
        selection.setView(step, 0, false);
        QCoreApplication::processEvents();
    }
    display->setOnionSkin(false, OnionNeighbours::Rotations);
    state.SetLabel(state.range(0) ? "composed anew" : "kept frames");
}
BENCHMARK(BM_OnionSkinStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Zoom 10 with the onion skin and a reference picture (640 x 480), over the
// sprite when the second argument is 1.
void ShowOnionAndReference(benchmark::State &state)
{
    SetZoom(10.0);
    SKMcarEditor *editor = Fixture().editor;
    auto *reference = editor->findChild<ReferenceController *>();
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    const QString path = Fixture().dir.filePath(QStringLiteral("reference.png"));
    photo.save(path);
    if (!reference->ShowPicture(path))
        state.SkipWithError("no reference picture");
    reference->SetOver(state.range(1) != 0);
    editor->findChild<SpriteDisplay *>()->setOnionSkin(true, OnionNeighbours::Rotations);
}

// The same step with a reference picture (640 x 480) over the sprite as well.
void BM_OnionReferenceStep(benchmark::State &state)
{
    ShowOnionAndReference(state);
    SKMcarEditor *editor = Fixture().editor;
    auto *display = editor->findChild<SpriteDisplay *>();
    auto *reference = editor->findChild<ReferenceController *>();
    Selection &selection = editor->Shown();
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        if (state.range(0)) {
            state.PauseTiming();
            editor->Document().setBackground(step % 2 ? QColor(218, 218, 218) : QColor(200, 200, 200));
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        step = (step + 1) % 24;
        selection.setView(step, 0, false);
        QCoreApplication::processEvents();
    }
    display->setOnionSkin(false, OnionNeighbours::Rotations);
    reference->HidePicture();
    state.SetLabel(std::string(state.range(0) ? "composed anew" : "kept frames") + (state.range(1) ? ", over" : ", behind"));
}
BENCHMARK(BM_OnionReferenceStep)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);

// The first frame after a change of the document, with onion skin and a
// reference picture (640 x 480) on at zoom 10: one pixel drawn on the sprite
// on show (as a stroke in progress draws it), or one colour of the palette on
// show changed. The display composes that frame anew and the view repaints.
// First argument: 0 a pixel, 1 a palette colour; second: 1 the picture over
// the sprite.
void BM_OnionReferenceChange(benchmark::State &state)
{
    ShowOnionAndReference(state);
    SKMcarEditor *editor = Fixture().editor;
    auto *display = editor->findChild<SpriteDisplay *>();
    auto *reference = editor->findChild<ReferenceController *>();
    Selection &selection = editor->Shown();
    selection.setView(5, 0, false);
    QCoreApplication::processEvents();
    CarDocument &document = editor->Document();
    const int car = selection.car(), sprite = selection.sprite(), palette = selection.palette();
    int step = 0;
    for (auto _ : state) {
        ++step;
        if (state.range(0) == 0) {
            const SpritePixels &pixels = document.sprites().at(car).at(sprite);
            document.DrawLive(car, sprite, PointChanges(pixels, QPoint(20 + step % 8, 24), (step / 8) % 2 ? 3 : 9));
        } else {
            DocumentTables tables = document.tables();
            tables.palettes[palette][5] = step % 2 ? QColor(250, 10, 10) : QColor(10, 250, 10);
            TableChanges changes;
            changes.palettes.append(palette);
            document.SetLive(tables, changes);
        }
        QCoreApplication::processEvents();
    }
    display->setOnionSkin(false, OnionNeighbours::Rotations);
    reference->HidePicture();
    state.SetLabel(std::string(state.range(0) ? "palette colour" : "one pixel") + (state.range(1) ? ", over" : ", behind"));
}
BENCHMARK(BM_OnionReferenceChange)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);

// The same first frame after a change for the view alone: the sprite
// display and its view on a document, without the rest of the window (the
// overview, the palette's buttons and counts that follow the same change).
void BM_OnionReferenceViewChange(benchmark::State &state)
{
    CarDocument document;
    document.Load(QStringLiteral("bench.bin"), BenchData());
    Selection selection(int(document.palettes().size()));
    selection.setZoom(10.0);
    selection.setView(5, 0, false);
    SpriteView view;
    SpriteDisplay display(document, selection, view, nullptr);
    display.setOnionSkin(true, OnionNeighbours::Rotations);
    QImage photo(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    ReferencePlacement placement;
    placement.scale = double(kSpriteSide) / photo.width();
    placement.over = state.range(1) != 0;
    view.setReference(photo, placement);
    view.show();
    QCoreApplication::processEvents();
    const int car = selection.car(), sprite = selection.sprite(), palette = selection.palette();
    int step = 0;
    for (auto _ : state) {
        ++step;
        if (state.range(0) == 0) {
            const SpritePixels &pixels = document.sprites().at(car).at(sprite);
            document.DrawLive(car, sprite, PointChanges(pixels, QPoint(20 + step % 8, 24), (step / 8) % 2 ? 3 : 9));
        } else {
            DocumentTables tables = document.tables();
            tables.palettes[palette][5] = step % 2 ? QColor(250, 10, 10) : QColor(10, 250, 10);
            TableChanges changes;
            changes.palettes.append(palette);
            document.SetLive(tables, changes);
        }
        QCoreApplication::processEvents();
    }
    state.SetLabel(std::string(state.range(0) ? "palette colour" : "one pixel") + (state.range(1) ? ", over" : ", behind"));
}
BENCHMARK(BM_OnionReferenceViewChange)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);

// Palette > Compare Palettes at zoom 10: the ten cells composed again after a
// change and the window repainted.
void BM_PaletteComparisonRedraw(benchmark::State &state)
{
    SetZoom(10.0);
    SKMcarEditor *editor = Fixture().editor;
    auto *comparison = editor->findChild<PaletteComparison *>();
    QWidget *window = comparison->window();
    window->show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        comparison->refresh();
        window->repaint();
    }
    window->hide();
}
BENCHMARK(BM_PaletteComparisonRedraw)->Unit(benchmark::kMicrosecond);

// Drawing two neighbours behind one sprite, the onion skin's own work.
void BM_WithOnionSkin(benchmark::State &state)
{
    const CarData data = BenchData();
    const Palette &palette = data.palettes.at(0);
    const auto layer = [&](int sprite, bool mirrored) {
        const SpritePixels &pixels = data.sprites.at(1).at(sprite);
        return OnionLayer{ComposeSpriteImage(&pixels, palette, QColor(218, 218, 218), {}, mirrored, false),
                          ComposeSpriteSlots(&pixels, {}, mirrored, false)};
    };
    const OnionLayer shown = layer(4, false);
    const QList<OnionLayer> layers = {layer(3, false), layer(5, false)};
    for (auto _ : state) {
        QImage image = WithOnionSkin(shown.picture, shown.slotPicture, layers);
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_WithOnionSkin)->Unit(benchmark::kMicrosecond);

// The tile counts of one car (45 x 36 tiles), as info and the status bar make them.
void BM_CountCarTiles(benchmark::State &state)
{
    const CarData data = BenchData();
    for (auto _ : state) {
        TileCounts counts = CountCarTiles(data.sprites.at(2));
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_CountCarTiles)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
