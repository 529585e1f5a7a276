#include <QtTest>

#include <QAction>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolButton>

#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "editor/displays/paletteusedisplay.h"
#include "editor/displays/spriteoverview.h"
#include "editor/displays/spriteview.h"
#include "view/pixeltools.h"
#include "testwindow.h"
#include "viewtestrom.h"

// Console colours, palette use on the drawing index strip and the animated
// export, as the window offers them.
class TestConsoleWindow : public QObject
{
    Q_OBJECT

private:
    static QAction *Action(SKMcarEditor &editor, const char *name)
    {
        auto *action = editor.findChild<QAction *>(QString::fromLatin1(name));
        if (!action)
            qFatal("the window has no action %s", name);
        return action;
    }

    // Car 1 sprite 1: 7 pixels of index 7 and one of index 3; sprite 2 of car
    // 1: 100 of index 7; car 3 uses index 7 once; everything else index 0.
    static CarData UseData()
    {
        CarData data;
        data.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0)));
        for (int x = 0; x < 7; ++x)
            data.sprites[0][0][SpritePixelIndex(10 + x, 20)] = 7;
        data.sprites[0][0][SpritePixelIndex(30, 30)] = 3;
        for (int i = 0; i < 100; ++i)
            data.sprites[0][1][i] = 7;
        data.sprites[2][5][0] = 7;
        data.palettes = LevelGridPalettes();
        return NormalizeCarData(data);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests"));
        QSettings().clear();
    }

    void viewColours_data()
    {
        QTest::addColumn<bool>("console");
        QTest::addColumn<QRgb>("shown");   // palette 1, entry 1: levels (1, 2, 0)
        QTest::newRow("linear") << false << qRgb(36, 72, 0);
        QTest::newRow("console") << true << qRgb(52, 87, 0);
    }
    void viewColours()
    {
        QFETCH(bool, console);
        QFETCH(QRgb, shown);
        TestWindow window(ViewTestData());
        QVERIFY(window.romWritten);
        window.editor.show();
        Action(window.editor, "actionConsoleColours")->setChecked(console);

        // Car 1, sprite 1 is a block of index 1 at x 0..2, y 10..19.
        auto *view = Control<SpriteView>(window.editor, "labelSprite");
        QCOMPARE(view->sprite().pixel(1, 12) & 0xFFFFFF, shown & 0xFFFFFF);
        auto *tools = window.editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"));
        QCOMPARE(tools->indexStrip()->colors().at(1), shown);
        QCOMPARE(Control<QLabel>(window.editor, "labelConsoleColours")->isVisible(), console);
        QCOMPARE(window.probe.selection().colorModel(), console ? ColorModel::Console : ColorModel::Linear);
        // Remembered for the next window.
        TestWindow next(ViewTestData());
        QCOMPARE(Action(next.editor, "actionConsoleColours")->isChecked(), console);
        Action(window.editor, "actionConsoleColours")->setChecked(false);
    }

    void swatchUse_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<bool>("marked");
        QTest::newRow("background") << 0 << "index 0: 2,296 pixels in this sprite, 103,572 in this car" << false;
        QTest::newRow("one pixel") << 3 << "index 3: 1 pixel in this sprite, 1 in this car, unused in cars 2, 3, 4 and 5"
                                   << false;
        QTest::newRow("other car") << 7 << "index 7: 7 pixels in this sprite, 107 in this car, unused in cars 2, 4 and 5"
                                   << false;
        QTest::newRow("unused") << 9 << "index 9: 0 pixels in this sprite, 0 in this car, unused in cars 2, 3, 4 and 5"
                                << true;
    }
    void swatchUse()
    {
        QFETCH(int, index);
        QFETCH(QString, toolTip);
        QFETCH(bool, marked);
        TestWindow window(UseData());
        QVERIFY(window.romWritten);
        window.editor.show();
        DrawingIndexStrip *strip
            = window.editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"))->indexStrip();
        QCOMPARE(strip->swatch(index)->toolTip().section(QLatin1Char('\n'), 0, 0), toolTip);
        QCOMPARE(strip->isMarkedUnused(index), marked);

        // Alt+click outlines the index's pixels and leaves the drawing index alone.
        const int drawing = window.probe.selection().drawingIndex();
        QTest::mouseClick(strip->swatch(index), Qt::LeftButton, Qt::AltModifier);
        PaletteUseDisplay &use = window.editor.PaletteUse();
        QCOMPARE(use.highlightedIndex(), index);
        QCOMPARE(window.probe.selection().drawingIndex(), drawing);
        QCOMPARE(use.highlightLines().isEmpty(), marked);
        if (index == 3) {
            // One pixel at (30, 30): its four sides at zoom 3.
            const QList<QLine> square{{90, 90, 93, 90}, {90, 93, 93, 93}, {90, 90, 90, 93}, {93, 90, 93, 93}};
            QCOMPARE(use.highlightLines(), square);
        }

        // The counts follow the document: sprite 2 has 100 pixels of index 7.
        window.probe.selection().setSprite(1);
        QCOMPARE(strip->isMarkedUnused(7), false);
        QVERIFY(strip->swatch(7)->toolTip().startsWith(QStringLiteral("index 7: 100 pixels in this sprite")));
    }

    void useFollowsOtherCars()
    {
        // The counts of the other cars are kept between changes: a pixel drawn
        // into car 4 and taken back again must reach the tooltip both times.
        TestWindow window(UseData());
        QVERIFY(window.romWritten);
        DrawingIndexStrip *strip
            = window.editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"))->indexStrip();
        const auto firstLine = [strip] { return strip->swatch(9)->toolTip().section(QLatin1Char('\n'), 0, 0); };
        QCOMPARE(firstLine(), QStringLiteral("index 9: 0 pixels in this sprite, 0 in this car, unused in cars 2, 3, 4 and 5"));
        CarDocument &document = window.probe.document();
        QVERIFY(document.RecordPixels(QStringLiteral("Draw"), {3, 4, 0}, 3, 4, {PixelChange{0, 0, 9}}));
        window.probe.selection().setCar(0);
        QCOMPARE(firstLine(), QStringLiteral("index 9: 0 pixels in this sprite, 0 in this car, unused in cars 2, 3 and 5"));
        document.undoStack()->undo();   // shows car 4 again
        window.probe.selection().setCar(0);
        QCOMPARE(firstLine(), QStringLiteral("index 9: 0 pixels in this sprite, 0 in this car, unused in cars 2, 3, 4 and 5"));
    }

    void animationStepsFollowedLater()
    {
        // A step of the animation reaches the strip's marks and the overview's
        // frame within a fifth of a second; a change by the user at once.
        TestWindow window(UseData());
        QVERIFY(window.romWritten);
        window.probe.animation().stop();
        DrawingIndexStrip *strip
            = window.editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"))->indexStrip();
        auto *overview = window.editor.findChild<SpriteOverview *>();
        QVERIFY(overview);
        Selection &selection = window.probe.selection();
        QCOMPARE(selection.sprite(), 0);
        QVERIFY(!strip->isMarkedUnused(3));

        QSignalSpy steps(&selection, &Selection::changed);
        window.probe.animation().setRotating(true);
        while (selection.sprite() == 0)
            window.probe.animation().tick();
        QVERIFY(steps.last().first().value<Selection::Parts>() & Selection::Animated);
        const int shown = selection.sprite();
        QTRY_VERIFY(strip->isMarkedUnused(3));   // no other sprite uses index 3
        QTRY_VERIFY(overview->cell(shown + 1)->isChecked());
        QVERIFY(!overview->cell(1)->isChecked());

        selection.setSprite(0);
        QVERIFY(!(steps.last().first().value<Selection::Parts>() & Selection::Animated));
        QVERIFY(!strip->isMarkedUnused(3));
        QVERIFY(overview->cell(1)->isChecked());
        QVERIFY(!overview->cell(shown + 1)->isChecked());
    }

    void exportAnimation_data()
    {
        QTest::addColumn<int>("motion");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("frames");   // 0: the write fails
        QTest::newRow("turn") << int(AnimationExportOptions::Motion::Turn) << "car.gif" << 24;
        QTest::newRow("tilt") << int(AnimationExportOptions::Motion::Tilt) << "car.gif" << 16;
        QTest::newRow("no folder") << int(AnimationExportOptions::Motion::Turn) << "missing/car.gif" << 0;
    }
    void exportAnimation()
    {
        QFETCH(int, motion);
        QFETCH(QString, name);
        QFETCH(int, frames);
        TestWindow window(ViewTestData());
        QVERIFY(window.romWritten);
        AnimationExportOptions options;
        options.motion = AnimationExportOptions::Motion(motion);
        options.zoom = 2;
        window.prompts.animationAnswers << options;
        window.prompts.fileAnswers << FileChoice{window.path(name), 0};
        Action(window.editor, "actionExportAnimation")->trigger();

        QCOMPARE(window.prompts.messages().size(), frames == 0 ? 1 : 0);
        if (frames == 0) {
            QVERIFY(window.prompts.messages().first().contains(QStringLiteral("car.gif")));
            return;
        }
        QImageReader reader(window.path(name));
        QCOMPARE(reader.format(), QByteArray("gif"));
        QCOMPARE(reader.imageCount(), frames);
        QCOMPARE(reader.read().size(), QSize(96, 96));
        QVERIFY(window.editor.StatusBar()->currentMessage().contains(QStringLiteral("car.gif")));
    }
};

QTEST_MAIN(TestConsoleWindow)
#include "tst_consolewindow.moc"
