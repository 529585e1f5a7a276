// View > Hardware Tiles in the window: the counts of the sprite and its car
// in the status bar, following the selection and the drawing, the outlines
// over the picture (never in it).
#include <QAction>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/displays/hardwaretilesdisplay.h"
#include "editor/displays/spriteoverview.h"
#include <QToolButton>
#include "editor/displays/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"

namespace {

// Car 1, sprite 1: tile 0 a pattern, tile 1 the same flipped vertically,
// tile 5 one pixel; the rest of the sprite empty. Sprite 2: tile 0 as in
// sprite 1, the rest empty. Every other sprite of car 1 empty.
CarData TileData()
{
    CarData data = ExchangeTestData(1);
    for (SpritePixels &sprite : data.sprites[0])
        sprite = SpritePixels(kPixelsPerSprite, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int value = 1 + (x + 3 * y) % 15;
            data.sprites[0][0][y * 8 + x] = value;
            data.sprites[0][0][64 + (7 - y) * 8 + x] = value;
            data.sprites[0][1][y * 8 + x] = value;
        }
    data.sprites[0][0][5 * 64 + 10] = 2;
    return data;
}

} // namespace

class TestHardwareTiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void countsFollowTheSpriteAndTheDrawing();
    void overviewToolTipGivesTheCounts_data();
    void overviewToolTipGivesTheCounts();

private:
    QTemporaryDir settingsDir;
};

void TestHardwareTiles::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-hardwaretiles"));
    QSettings().clear();
}

void TestHardwareTiles::countsFollowTheSpriteAndTheDrawing()
{
    TestWindow w(TileData());
    QVERIFY(w.romWritten);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    auto *display = w.editor.findChild<HardwareTilesDisplay *>();
    auto *label = w.editor.findChild<QLabel *>(QStringLiteral("labelTileCounts"));
    auto *overlay = w.editor.findChild<QWidget *>(QStringLiteral("hardwareTiles"));
    auto *view = w.editor.findChild<SpriteView *>(QStringLiteral("labelSprite"));
    QVERIFY(display && label && overlay && view);
    QVERIFY(!label->isVisible() && !overlay->isVisible());
    const QImage before = view->sprite();

    w.editor.findChild<QAction *>(QStringLiteral("actionHardwareTiles"))->trigger();
    QVERIFY(label->isVisible() && overlay->isVisible());
    QCOMPARE(overlay->geometry(), view->spriteRect());
    QCOMPARE(display->spriteCounts(), (TileCounts{3, 33, 1}));
    QCOMPARE(display->carCounts(), (TileCounts{4, 45 * 36 - 4, 2}));
    QCOMPARE(label->text(), QStringLiteral("Tiles 3/33/1, car 4/1,616/2, 128 B, 64 B shared"));
    QCOMPARE(label->accessibleName(), label->toolTip());
    QCOMPARE(label->toolTip(), QStringLiteral("Tiles: sprite 3 used, 33 empty, 1 duplicate; car 4 used, 1,616 empty, "
                                           "2 duplicate, 128 bytes, 64 shared"));
    QCOMPARE(view->sprite(), before);   // drawn over the picture, not into it

    w.probe.selection().setSprite(1);
    QCOMPARE(display->spriteCounts(), (TileCounts{1, 35, 1}));
    QCOMPARE(display->spriteKinds().value(0), TileKind::Duplicate);
    // Drawn on, the copy is a tile of its own.
    w.probe.edit([](DocumentTables &t) { t.sprites[0][1][3] = 9; });
    QCOMPARE(display->spriteKinds().value(0), TileKind::Used);
    QCOMPARE(display->carCounts(), (TileCounts{4, 45 * 36 - 4, 1}));

    w.editor.findChild<QAction *>(QStringLiteral("actionHardwareTiles"))->trigger();
    QVERIFY(!label->isVisible() && !overlay->isVisible());
}

void TestHardwareTiles::overviewToolTipGivesTheCounts_data()
{
    QTest::addColumn<int>("sprite");
    QTest::newRow("first sprite") << 0;
    QTest::newRow("a later one") << 7;
    QTest::newRow("the last") << 44;
}

void TestHardwareTiles::overviewToolTipGivesTheCounts()
{
    QFETCH(int, sprite);
    TestWindow w(TileData());
    QVERIFY(w.romWritten);
    // The status bar's counts of the same sprite are what the tooltip must say.
    w.probe.selection().setSprite(sprite);
    auto *tiles = w.editor.findChild<HardwareTilesDisplay *>();
    tiles->setShown(true);
    const TileCounts one = tiles->spriteCounts(), all = tiles->carCounts();
    QToolButton *cell = w.editor.findChild<SpriteOverview *>()->cell(sprite + 1);
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), cell->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(cell, &help);
    const QString tip = cell->toolTip();
    const QString spriteLine = QStringLiteral("Tiles of the sprite: %L1 used, %L2 empty, %L3 duplicate, %L4 bytes, %L5 shared")
                                   .arg(one.used).arg(one.empty).arg(one.duplicate).arg(one.vramBytes()).arg(one.vramBytesShared());
    const QString carLine = QStringLiteral("Tiles of the car: %L1 used, %L2 empty, %L3 duplicate, %L4 bytes, %L5 shared")
                                .arg(all.used).arg(all.empty).arg(all.duplicate).arg(all.vramBytes()).arg(all.vramBytesShared());
    QVERIFY2(tip.startsWith(QStringLiteral("sprite %1").arg(sprite + 1)) && tip.contains(spriteLine) && tip.contains(carLine),
             qPrintable(tip));
}

QTEST_MAIN(TestHardwareTiles)
#include "tst_hardwaretiles.moc"
