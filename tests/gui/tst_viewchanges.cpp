// The sprite view keeps what it composed and zoomed (the frames of the
// animation, each sprite's slots, the zoomed pictures) and redraws only what
// a change touches. After every kind of change, each view must show what a
// view built afresh on the same document and selection shows.
#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteview.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "view/paletteuse.h"
#include "view/pixeltools.h"

namespace {

// Car 1: stripes of indices 0..3 that move by one in each sprite, so that
// every sprite differs from its neighbours and a quarter of it shows the
// background (where the onion's layers and a picture behind show).
CarData StripeData()
{
    CarData data = ExchangeTestData(1);
    for (int s = 0; s < kSpritesPerCar; ++s)
        for (int i = 0; i < kPixelsPerSprite; ++i)
            data.sprites[0][s][i] = (i / 6 + s) % 4;
    return data;
}

QAction *Action(TestWindow &w, const char *id)
{
    return w.editor.findChild<QAction *>(QString::fromLatin1(id));
}

SpriteView &View(TestWindow &w)
{
    return *w.editor.findChild<SpriteView *>(QStringLiteral("labelSprite"));
}

// One undoable change of the tables, as the window's tools make them.
template <typename Edit>
void Change(TestWindow &w, Edit edit)
{
    DocumentTables tables = w.probe.document().tables();
    edit(tables);
    QVERIFY(w.probe.document().Change(QStringLiteral("change"), StepFocus{}, tables));
}

} // namespace

class TestViewChanges : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void changesShowAtOnce_data();
    void changesShowAtOnce();

private:
    QTemporaryDir settingsDir;
};

void TestViewChanges::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-viewchanges"));
}

// The view options are remembered: each row starts from none.
void TestViewChanges::init()
{
    QSettings().clear();
}

void TestViewChanges::changesShowAtOnce_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("over");   // the picture over the sprite, else behind
    QTest::newRow("a pixel of the sprite on show") << "pixel" << false;
    QTest::newRow("a stroke on the sprite on show") << "stroke" << true;
    QTest::newRow("a pixel of a neighbour") << "neighbour" << false;
    QTest::newRow("a palette colour") << "palette" << true;
    QTest::newRow("another palette colour, behind") << "palette" << false;
    QTest::newRow("a stroke undone") << "undo" << false;
    QTest::newRow("the sprite's offset") << "offset" << false;
    QTest::newRow("a neighbour's offset") << "neighbour offset" << true;
    QTest::newRow("mirrored") << "mirror" << false;
    QTest::newRow("console colours") << "console" << true;
    QTest::newRow("the background colour") << "background" << false;
    QTest::newRow("wheels turned") << "wheels" << false;
    QTest::newRow("the checkerboard") << "checkerboard" << false;
}

void TestViewChanges::changesShowAtOnce()
{
    QFETCH(QString, change);
    QFETCH(bool, over);
    TestWindow w(StripeData());
    QVERIFY(w.romWritten);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    Selection &selection = w.probe.selection();
    CarDocument &document = w.probe.document();
    selection.setZoom(3.0);
    QImage photo(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    const QString path = w.path(QStringLiteral("photo.png"));
    QVERIFY(photo.save(path));
    w.prompts.fileAnswers << FileChoice{path, 0};
    Action(w, "actionReferencePicture")->trigger();
    QVERIFY(View(w).hasReference());
    if (over)
        Action(w, "actionReferenceOver")->trigger();
    Action(w, "actionOnionSkin")->trigger();
    auto *display = w.editor.findChild<SpriteDisplay *>();
    QVERIFY(display->onionSkin());
    SpriteView &view = View(w);

    const auto step = [&](int rotation) {
        selection.setView(rotation, 0, selection.wheelsTurned());
        QCoreApplication::processEvents();
    };
    // What a view built afresh shows: its frame composed by a display of its
    // own, and the window's zoomed picture built anew (a grid switched on and off).
    const auto check = [&](int rotation) {
        step(rotation);
        SpriteView freshView;
        SpriteDisplay freshDisplay(document, selection, freshView, nullptr);
        freshDisplay.setCheckerboard(display->checkerboard());
        freshDisplay.setOnionSkin(true, display->onionNeighbours());
        QVERIFY2(view.sprite() == freshView.sprite(), qPrintable(QStringLiteral("frame, rotation %1").arg(rotation)));
        const QImage shown = view.grab().toImage();
        view.setTileGridVisible(!view.isTileGridVisible());
        view.setTileGridVisible(!view.isTileGridVisible());
        QVERIFY2(shown == view.grab().toImage(), qPrintable(QStringLiteral("zoomed, rotation %1").arg(rotation)));
    };
    // The counts of the indices as counted afresh, for the sprite and its car
    // (a change shows at once; the animation's steps later).
    const auto checkCounts = [&] {
        const PaletteUse use = CountPaletteUse(document.sprites(), selection.car(), selection.sprite());
        DrawingIndexStrip *strip = w.editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"))->indexStrip();
        for (int i = 0; i < DrawingIndexStrip::kIndexCount; ++i)
            QCOMPARE(strip->swatch(i)->toolTip().section(QLatin1Char('\n'), 0, 0), DrawingIndexStrip::UseText(use, i));
    };
    // Every frame and zoomed picture around rotation 5 kept before the change.
    for (int rotation : {4, 5, 6, 7, 5})
        step(rotation);
    QCOMPARE(display->onionSprites().size(), 2);
    const int shownSprite = selection.sprite(), neighbour = display->onionSprites().at(1);
    const SpritePixels pixels = document.sprites().at(0).at(shownSprite);
    const SpritePixels neighbourPixels = document.sprites().at(0).at(neighbour);

    if (change == QLatin1String("pixel")) {
        PixelChanges point = PointChanges(pixels, QPoint(20, 30), 1);
        if (point.isEmpty())
            point = PointChanges(pixels, QPoint(20, 30), 2);
        document.DrawLive(0, shownSprite, point);
        QVERIFY(document.sprites().at(0).at(shownSprite) != pixels);
    } else if (change == QLatin1String("stroke")) {
        document.DrawLive(0, shownSprite, LineChanges(pixels, QPoint(0, 0), QPoint(47, 40), 0));
        QVERIFY(document.sprites().at(0).at(shownSprite) != pixels);
    } else if (change == QLatin1String("neighbour")) {
        document.DrawLive(0, neighbour, LineChanges(neighbourPixels, QPoint(0, 10), QPoint(47, 10), 2));
        QVERIFY(document.sprites().at(0).at(neighbour) != neighbourPixels);
    } else if (change == QLatin1String("palette")) {
        const int index = over ? 3 : 1;
        Change(w, [&](DocumentTables &t) { t.palettes[selection.palette()][index] = QColor(250, 20, 120); });
    } else if (change == QLatin1String("undo")) {
        Change(w, [&](DocumentTables &t) { t.sprites[0][shownSprite] = SpritePixels(kPixelsPerSprite, 0); });
        for (int rotation : {4, 6, 5})
            check(rotation);
        document.undoStack()->undo();
        QCOMPARE(document.sprites().at(0).at(shownSprite), pixels);
    } else if (change == QLatin1String("offset")) {
        Change(w, [&](DocumentTables &t) { t.offsets[0][shownSprite] = QPoint(3, -2); });
    } else if (change == QLatin1String("neighbour offset")) {
        Change(w, [&](DocumentTables &t) { t.offsets[0][neighbour] = QPoint(-5, 4); });
    } else if (change == QLatin1String("mirror")) {
        selection.setMirrored(true);
    } else if (change == QLatin1String("console")) {
        selection.setColorModel(ColorModel::Console);
    } else if (change == QLatin1String("background")) {
        document.setBackground(QColor(30, 200, 90));
    } else if (change == QLatin1String("wheels")) {
        selection.setWheelsTurned(true);
    } else if (change == QLatin1String("checkerboard")) {
        display->setCheckerboard(true);
    }
    QCoreApplication::processEvents();
    checkCounts();
    // The view on show at once, then its neighbours and back from kept frames.
    for (int rotation : {5, 4, 6, 7, 5})
        check(rotation);
}

QTEST_MAIN(TestViewChanges)
#include "tst_viewchanges.moc"
