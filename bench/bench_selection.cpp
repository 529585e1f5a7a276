// The Select tool at zoom 10: a rectangle dragged out, a floating piece
// dragged, and a paste placed, each with the repaint it causes (the toolkit
// painting the view into the offscreen backing store).
#include <benchmark/benchmark.h>

#include <memory>

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "document/cardocument.h"
#include "editor/controllers/selectioncontroller.h"
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteview.h"
#include "editor/state/selection.h"
#include "editor/window/actionregistry.h"
#include "editor/window/statussink.h"
#include "exchange/pixelclipboard.h"
#include "common/romfiles.h"
#include "rom/romwriter.h"
#include "view/spriteoffsets.h"

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

// The sprite view as the window has it (zoom 10, both grids), with the
// document, the display that composes it and the Select tool's controller.
class QuietSink : public StatusSink
{
public:
    void showStatus(const QString &) override {}
};

struct EditorFixture
{
    QTemporaryDir dir;
    CarDocument document;
    std::unique_ptr<Selection> shown;
    SpriteView view;
    QWidget host;
    ActionRegistry actions{host};
    QuietSink sink;
    std::unique_ptr<SpriteDisplay> display;
    std::unique_ptr<SelectionController> selector;

    EditorFixture()
    {
        const QString path = dir.filePath(QStringLiteral("bench.bin"));
        WriteRom(path, BenchData());
        document.Open(path);
        shown = std::make_unique<Selection>(int(document.palettes().size()));
        Selection &selection = *shown;
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.setPixelGridVisible(true);
        view.setTileGridVisible(true);
        display = std::make_unique<SpriteDisplay>(document, selection, view, nullptr);
        selector = std::make_unique<SelectionController>(document, selection, view, sink, actions, nullptr);
        selection.setZoom(10.0);
        selection.setTool(Selection::Tool::Select);
        view.resize(view.sizeHint());
        view.show();
        QCoreApplication::processEvents();
    }

    void mouse(QEvent::Type type, QPoint shown, Qt::MouseButtons buttons)
    {
        const double zoom = view.mapping().zoom;
        const QPointF at = QPointF(view.spriteRect().topLeft()) + QPointF((shown.x() + 0.5) * zoom, (shown.y() + 0.5) * zoom);
        QMouseEvent event(type, at, view.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          buttons, {});
        QApplication::sendEvent(&view, &event);
    }
};

EditorFixture &Fixture()
{
    static EditorFixture fixture;
    return fixture;
}

// A marquee dragged out: every step a new corner, the outline repainted.
void BM_SelectionDrag(benchmark::State &state)
{
    EditorFixture &f = Fixture();
    f.mouse(QEvent::MouseButtonPress, {4, 4}, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 30;
        f.mouse(QEvent::MouseMove, {10 + step, 12 + step}, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    f.mouse(QEvent::MouseButtonRelease, {10 + step, 12 + step}, Qt::NoButton);
    QCoreApplication::processEvents();
}
BENCHMARK(BM_SelectionDrag)->Unit(benchmark::kMicrosecond);

// A floating 24 x 24 piece dragged about: the piece and its outline repainted.
void BM_FloatingPieceDrag(benchmark::State &state)
{
    EditorFixture &f = Fixture();
    f.mouse(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton);
    f.mouse(QEvent::MouseMove, {23, 23}, Qt::LeftButton);
    f.mouse(QEvent::MouseButtonRelease, {23, 23}, Qt::NoButton);
    f.selector->Copy();
    f.selector->Paste();
    f.mouse(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        step = (step + 1) % 20;
        f.mouse(QEvent::MouseMove, {10 + step, 10 + step / 2}, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    f.mouse(QEvent::MouseButtonRelease, {10 + step, 10 + step / 2}, Qt::NoButton);
    QCoreApplication::processEvents();
    f.selector->Drop();
    f.selector->Deselect();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_FloatingPieceDrag)->Unit(benchmark::kMicrosecond);

// Paste (reading the clipboard's own form) and place at once, alternating two
// 24 x 24 pieces so that each placement changes pixels: one undo step each,
// and the repaint of the changed pixels.
void BM_PasteAndPlace(benchmark::State &state)
{
    EditorFixture &f = Fixture();
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        turn = 1 - turn;
        PixelPiece piece = FilledPiece(24, 24, turn ? 3 : 9);
        piece.origin = {12, 12};
        auto *data = new QMimeData;
        data->setData(QString::fromLatin1(kPixelPieceMimeType), EncodePixelPiece(piece));
        QGuiApplication::clipboard()->setMimeData(data);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        f.selector->Paste();
        f.selector->Place();
        QCoreApplication::processEvents();
    }
    f.selector->Deselect();
}
BENCHMARK(BM_PasteAndPlace)->Unit(benchmark::kMicrosecond);

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
