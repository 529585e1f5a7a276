// Speed of drawing on a sprite: a pencil drag segment from the mouse event to
// the repainted pixels, a fill of the whole frame, and painting the view at
// zoom 10 with both grids. The same drag also goes through the window's
// controller into a document, without and with a recovery keeper attached,
// and so does a shape's live preview.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_pixeltools

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include <optional>

#include <QTemporaryDir>

#include "common/testrom.h"
#include "document/cardocument.h"
#include "editor/controllers/drawingcontroller.h"
#include "editor/state/selection.h"
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteview.h"
#include "recovery/recoverykeeper.h"
#include "view/pixeltools.h"
#include "view/spritecomposer.h"
#include "view/spriteoffsets.h"

namespace {

const QColor kBackground(218, 218, 218);

Palette BenchPalette()
{
    Palette palette;
    for (int i = 0; i < kColorsPerPalette; ++i)
        palette.append(QColor(i * 16, 255 - i * 16, 90));
    return palette;
}

SpritePixels BenchSprite()
{
    SpritePixels pixels(kPixelsPerSprite);
    for (int n = 0; n < kPixelsPerSprite; ++n)
        pixels[n] = (n * 7) % 16;
    return pixels;
}

// A shown view at zoom 10 with both grids, mirrored and moved, and what a
// controller keeps for a pencil stroke.
struct DrawingFixture
{
    SpriteView view;
    SpritePixels pixels = BenchSprite();
    Palette palette = BenchPalette();
    SpriteViewMapping mapping{10.0, true, QPoint(2, -1)};
    PixelStroke stroke;
    std::optional<QPoint> last;
    int index = 1;

    DrawingFixture()
    {
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.setPixelGridVisible(true);
        view.setTileGridVisible(true);
        show();
        view.resize(view.sizeHint());
        view.show();
        QCoreApplication::processEvents();
        // What a controller does for the Pencil: a line from the last pixel,
        // applied, recorded for the undo step, composed and shown.
        QObject::connect(&view, &SpriteView::pixelMoved, &view, [this](const SpriteViewPointer &pointer) {
            if (!pointer.stored)
                return;
            const PixelChanges changes = LineChanges(pixels, last.value_or(*pointer.stored), *pointer.stored, index);
            last = pointer.stored;
            ApplyPixelChanges(pixels, changes);
            stroke.add(changes);
            show();
        });
    }

    void show()
    {
        view.setSprite(ComposeSpriteImage(&pixels, palette, kBackground, mapping.offset, mapping.mirrored, false),
                       mapping);
    }

    void send(QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, position, view.mapToGlobal(position), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }
};

// One mouse move of a drag, 8 frame pixels from the last one (a fast drag),
// to the changed pixels painted into the backing store.
void BM_PencilDragSegment(benchmark::State &state)
{
    DrawingFixture fixture;
    fixture.send(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        // Back and forth along a diagonal, a new index for each segment so
        // that every segment changes its pixels.
        step = (step + 1) % 10;
        fixture.index = fixture.index % 15 + 1;
        const int k = step < 5 ? step : 10 - step;
        fixture.send(QEvent::MouseMove, QPointF(45 + 80 * k, 25 + 60 * k), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    fixture.send(QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton, Qt::NoButton);
    state.SetLabel("zoom 10, both grids");
}
BENCHMARK(BM_PencilDragSegment)->Unit(benchmark::kMicrosecond);

// The drag of BM_PencilDragSegment through the drawing controller into a
// document with unsaved changes, as the window draws: without (0) and with (1)
// a recovery keeper attached to the document.
void BM_PencilDragSegmentDocument(benchmark::State &state)
{
    QTemporaryDir dir;
    CarDocument document;
    document.Open(WriteTestFile(dir.filePath(QStringLiteral("game.bin")), RandomRomImage(3)));
    std::optional<RecoveryKeeper> keeper;
    if (state.range(0))
        keeper.emplace(&document, dir.filePath(QStringLiteral("recovery")));
    DocumentTables changed = document.tables();
    changed.characteristics[0][0] = char(changed.characteristics[0][0] ^ 1);
    document.Change(QStringLiteral("Change"), {}, changed);
    if (keeper)
        (void)keeper->Flush();

    Selection selection(int(document.palettes().size()));
    SpriteView view;
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.setPixelGridVisible(true);
    view.setTileGridVisible(true);
    SpriteDisplay display(document, selection, view, nullptr);
    DrawingController drawing(document, selection, view, nullptr);
    selection.setZoom(10.0);
    selection.setTool(Selection::Tool::Pencil);
    selection.setDrawingIndex(5);
    view.resize(view.sizeHint());
    view.show();
    QCoreApplication::processEvents();
    const auto send = [&view](QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, position, view.mapToGlobal(position), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    // One stroke with one index: after the first pass the segments draw over
    // their own pixels, so this measures the path more than the pixels.
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 10;
        const int k = step < 5 ? step : 10 - step;
        send(QEvent::MouseMove, QPointF(45 + 80 * k, 25 + 60 * k), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    send(QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton, Qt::NoButton);
    state.SetLabel(state.range(0) ? "zoom 10, both grids, keeper attached" : "zoom 10, both grids, no keeper");
}
BENCHMARK(BM_PencilDragSegmentDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A shape's live preview through the drawing controller into a document at
// zoom 10 with both grids: one mouse move takes the preview before back and
// draws the next (a large ellipse, filled or not, with mirror symmetry),
// composed and repainted. Argument: 0 outline, 1 filled.
void BM_ShapePreviewDocument(benchmark::State &state)
{
    QTemporaryDir dir;
    CarDocument document;
    document.Open(WriteTestFile(dir.filePath(QStringLiteral("game.bin")), RandomRomImage(3)));
    Selection selection(int(document.palettes().size()));
    SpriteView view;
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.setPixelGridVisible(true);
    view.setTileGridVisible(true);
    SpriteDisplay display(document, selection, view, nullptr);
    DrawingController drawing(document, selection, view, nullptr);
    selection.setZoom(10.0);
    selection.setTool(Selection::Tool::Ellipse);
    selection.setShapesFilled(state.range(0) != 0);
    selection.setMirrorSymmetry(true);
    selection.setDrawingIndex(5);
    view.resize(view.sizeHint());
    view.show();
    QCoreApplication::processEvents();
    const auto send = [&view](QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, position, view.mapToGlobal(position), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, QPointF(25, 25), Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        // The far corner goes back and forth between (12, 12) and (44, 44).
        step = (step + 1) % 10;
        const int k = step < 5 ? step : 10 - step;
        send(QEvent::MouseMove, QPointF(125 + 80 * k, 125 + 80 * k), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    send(QEvent::MouseButtonRelease, QPointF(25, 25), Qt::LeftButton, Qt::NoButton);
    state.SetLabel(state.range(0) ? "zoom 10, both grids, filled, symmetric"
                                  : "zoom 10, both grids, outline, symmetric");
}
BENCHMARK(BM_ShapePreviewDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The fill itself: the changes of a whole frame of one index, applied.
void BM_FillWholeFrame(benchmark::State &state)
{
    SpritePixels pixels(kPixelsPerSprite, 0);
    int index = 0;
    for (auto _ : state) {
        index = 1 - index;
        const PixelChanges changes = FillChanges(pixels, QPoint(20, 30), 1 - index);
        ApplyPixelChanges(pixels, changes);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_FillWholeFrame)->Unit(benchmark::kMicrosecond);

// The same fill, composed and repainted in the view at zoom 10.
void BM_FillWholeFrameShown(benchmark::State &state)
{
    DrawingFixture fixture;
    fixture.pixels.fill(0);
    int index = 0;
    for (auto _ : state) {
        index = 1 - index;
        ApplyPixelChanges(fixture.pixels, FillChanges(fixture.pixels, QPoint(20, 30), 1 - index));
        fixture.show();
        QCoreApplication::processEvents();
    }
    state.SetLabel("zoom 10, both grids");
}
BENCHMARK(BM_FillWholeFrameShown)->Unit(benchmark::kMicrosecond);

// Painting the whole view at zoom 10 with both grids (QWidget::repaint).
void BM_PaintView(benchmark::State &state)
{
    DrawingFixture fixture;
    fixture.view.setPixelGridVisible(state.range(0) != 0);
    fixture.view.setTileGridVisible(state.range(0) != 0);
    QCoreApplication::processEvents();
    for (auto _ : state)
        fixture.view.repaint();
    state.SetLabel(state.range(0) ? "zoom 10, both grids" : "zoom 10, no grid");
}
BENCHMARK(BM_PaintView)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

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
