#include <QtTest>

#include <QAction>
#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>

#include "editor/controllers/selectioncontroller.h"
#include "editor/displays/spriteview.h"
#include "exchange/pixelclipboard.h"
#include "windowprobe.h"
#include "viewtestrom.h"

// The Select tool as a user works it: a rectangle by mouse or keyboard, the
// clipboard between sprites, cars and windows, pictures from elsewhere,
// moves, flips, and each placement as one undo step.
class TestPixelSelection : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

    // Every pixel its own index pattern, different in every sprite of every car.
    static CarData PatternData()
    {
        CarData data = ViewTestData();
        for (int car = 0; car < kCarCount; ++car)
            for (int sprite = 0; sprite < kSpritesPerCar; ++sprite)
                for (int y = 0; y < kSpriteSide; ++y)
                    for (int x = 0; x < kSpriteSide; ++x)
                        data.sprites[car][sprite][SpritePixelIndex(x, y)] = (x * 7 + y * 3 + car * 5 + sprite) % 16;
        return NormalizeCarData(data);
    }

    struct Window
    {
        explicit Window(const QString &path) : editor(path, &prompts), probe(editor)
        {
            editor.show();
            view = probe.ui()->labelSprite;
            probe.ui()->doubleSpinBoxSpriteZoom->setValue(4.0);
            selector = &probe.controller<SelectionController>("selectionController");
        }
        void trigger(const char *id)
        {
            QAction *action = editor.findChild<QAction *>(QString::fromLatin1(id));
            QVERIFY2(action, id);
            action->trigger();
        }
        void show(int car, int sprite, bool mirrored = false)
        {
            probe.ui()->spinBoxCarNumber->setValue(car + 1);
            probe.ui()->spinBoxSpriteNumber->setValue(sprite + 1);
            if (probe.ui()->checkBoxMirrorSprite->isChecked() != mirrored)
                probe.ui()->checkBoxMirrorSprite->click();
        }
        // Index of the stored pixel shown at frame pixel (x, y).
        int shownIndex(int car, int sprite, QPoint at) const
        {
            const SpriteViewMapping mapping = view->mapping();
            const std::optional<QPoint> stored = StoredPixelOf(at, mapping.mirrored, mapping.offset);
            return stored ? probe.sprites().at(car).at(sprite).at(SpritePixelIndex(stored->x(), stored->y())) : -1;
        }
        int steps() { return probe.document().undoStack()->index(); }
        ScriptedPrompts prompts;   // outlives the window
        SKMcarEditor editor;
        mutable WindowProbe probe;
        SpriteView *view = nullptr;
        SelectionController *selector = nullptr;
    };

    static void Mouse(SpriteView *view, QEvent::Type type, QPoint shown, Qt::MouseButtons buttons)
    {
        const double zoom = view->mapping().zoom;
        const QPointF at = QPointF(view->spriteRect().topLeft()) + QPointF((shown.x() + 0.5) * zoom, (shown.y() + 0.5) * zoom);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view->mapToGlobal(at), button, buttons, {});
        QApplication::sendEvent(view, &event);
    }

    static void Drag(SpriteView *view, QPoint from, QPoint to)
    {
        Mouse(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
        Mouse(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Mouse(view, QEvent::MouseMove, to, Qt::LeftButton);
        Mouse(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath, PatternData()));
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests"));
        QSettings().clear();
    }

    // What was selected and copied lands, placed, as the same indices where
    // it was taken; nothing else changes, and one undo takes it back.
    void copyPasteKeepsIndices_data()
    {
        QTest::addColumn<int>("fromCar");
        QTest::addColumn<int>("fromSprite");
        QTest::addColumn<bool>("fromMirrored");
        QTest::addColumn<int>("toCar");
        QTest::addColumn<int>("toSprite");
        QTest::addColumn<bool>("toMirrored");
        QTest::addColumn<bool>("otherWindow");
        QTest::addColumn<QRect>("area");
        QTest::newRow("sprite to sprite") << 0 << 2 << false << 0 << 7 << false << false << QRect(5, 9, 12, 7);
        QTest::newRow("car to car") << 1 << 5 << false << 3 << 5 << false << false << QRect(30, 0, 18, 20);
        QTest::newRow("whole sprite") << 4 << 43 << false << 0 << 0 << false << false << QRect(0, 0, 48, 48);
        QTest::newRow("mirrored to plain") << 2 << 1 << true << 2 << 3 << false << false << QRect(3, 40, 10, 8);
        QTest::newRow("plain to mirrored") << 2 << 1 << false << 1 << 3 << true << false << QRect(0, 17, 25, 2);
        QTest::newRow("corner") << 0 << 0 << false << 0 << 1 << false << false << QRect(46, 46, 2, 2);
        QTest::newRow("another window") << 3 << 10 << false << 1 << 21 << false << true << QRect(8, 8, 16, 24);
    }

    void copyPasteKeepsIndices()
    {
        QFETCH(int, fromCar);
        QFETCH(int, fromSprite);
        QFETCH(bool, fromMirrored);
        QFETCH(int, toCar);
        QFETCH(int, toSprite);
        QFETCH(bool, toMirrored);
        QFETCH(bool, otherWindow);
        QFETCH(QRect, area);

        Window source(romPath);
        source.show(fromCar, fromSprite, fromMirrored);
        source.probe.selection().setTool(Selection::Tool::Select);
        Drag(source.view, area.bottomRight(), area.topLeft());
        QCOMPARE(source.selector->selectedRect(), area);
        QList<int> expected;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                expected << source.shownIndex(fromCar, fromSprite, {x, y});
        source.trigger("actionCopy");

        std::unique_ptr<Window> other;
        if (otherWindow)
            other = std::make_unique<Window>(romPath);
        Window &target = otherWindow ? *other : source;
        target.show(toCar, toSprite, toMirrored);
        const SpriteTable before = target.probe.sprites();
        const int steps = target.steps();
        target.trigger("actionPaste");
        QVERIFY(target.selector->isFloating());
        QCOMPARE(target.selector->floatingAt(), area.topLeft());
        QCOMPARE(target.probe.sprites(), before);   // floating: not in the pixels yet
        QTest::keyClick(target.view, Qt::Key_Return);
        QVERIFY(!target.selector->isFloating());
        QCOMPARE(target.steps(), steps + 1);

        QList<int> placed;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                placed << target.shownIndex(toCar, toSprite, {x, y});
        QCOMPARE(placed, expected);
        // Only the rectangle of that one sprite changed.
        SpriteTable outside = target.probe.sprites();
        SpriteTable outsideBefore = before;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const int n = SpritePixelIndex(toMirrored ? kSpriteSide - 1 - x : x, y);
                outside[toCar][toSprite][n] = outsideBefore[toCar][toSprite][n] = -1;
            }
        QCOMPARE(outside, outsideBefore);

        target.probe.document().undoStack()->undo();
        QCOMPARE(target.probe.sprites(), before);
    }

    // A picture another program put on the clipboard is matched to the
    // palette on show; its transparent pixels leave the sprite as it was,
    // and one too large for the frame is refused with a reason.
    void pastesOutsidePicture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("small") << QSize(5, 3) << true;
        QTest::newRow("frame") << QSize(48, 48) << true;
        QTest::newRow("too wide") << QSize(49, 2) << false;
        QTest::newRow("huge") << QSize(3000, 2000) << false;
    }

    void pastesOutsidePicture()
    {
        QFETCH(QSize, size);
        QFETCH(bool, accepted);

        Window window(romPath);
        window.show(1, 4);
        const Palette palette = window.probe.palettes().at(window.probe.selection().palette());
        // Exact colours of the entries a picture may become, and a hole.
        const QList<int> entries = {1, 2, 3, 4, 5, 11, 12, 13, 14, 15};
        QImage picture(size, QImage::Format_ARGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                picture.setPixel(x, y, palette.at(entries.at((x + 2 * y) % entries.size())).rgb());
        picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
        auto *data = new QMimeData;
        data->setImageData(picture);
        QGuiApplication::clipboard()->setMimeData(data);

        const SpriteTable before = window.probe.sprites();
        QSignalSpy status(&window.probe.statusLog(), &StatusLog::shown);
        window.trigger("actionPaste");
        QCOMPARE(window.selector->isFloating(), accepted);
        if (!accepted) {
            QVERIFY(!status.isEmpty());
            QVERIFY2(status.last().first().toString().contains(QStringLiteral("at most 48 x 48")),
                     qPrintable(status.last().first().toString()));
            return;
        }
        QTest::keyClick(window.view, Qt::Key_Return);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const int expected = x == 0 && y == 0 ? before.at(1).at(4).at(SpritePixelIndex(0, 0))
                                                      : entries.at((x + 2 * y) % entries.size());
                QCOMPARE(window.shownIndex(1, 4, {x, y}), expected);
            }
    }

    // With Index 0 Transparent the background of a piece leaves the sprite
    // as it is; without, it is placed like any index.
    void indexZeroTransparent_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::newRow("transparent") << true;
        QTest::newRow("placed") << false;
    }

    void indexZeroTransparent()
    {
        QFETCH(bool, transparent);
        Window window(romPath);
        window.show(1, 1);
        const SpriteTable before = window.probe.sprites();
        const PixelPiece piece{3, 1, {0, 5, 0}, {10, 10}};
        auto *data = new QMimeData;
        data->setData(QString::fromLatin1(kPixelPieceMimeType), EncodePixelPiece(piece));
        QGuiApplication::clipboard()->setMimeData(data);
        window.editor.findChild<QAction *>(QStringLiteral("actionPasteTransparent"))->setChecked(transparent);
        window.trigger("actionPaste");
        QTest::keyClick(window.view, Qt::Key_Return);
        const auto was = [&](int x) { return before.at(1).at(1).at(SpritePixelIndex(x, 10)); };
        QCOMPARE(window.shownIndex(1, 1, {10, 10}), transparent ? was(10) : 0);
        QCOMPARE(window.shownIndex(1, 1, {11, 10}), 5);
        QCOMPARE(window.shownIndex(1, 1, {12, 10}), transparent ? was(12) : 0);
    }

    // Damaged or foreign bytes of the program's own type are refused with a
    // reason; nothing floats and nothing changes.
    void refusesGarbledPixels_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray header("SKMP\x01\x00\x00\x00\x00\x00\x02\x00\x02", 13);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("hello, world");
        QTest::newRow("truncated") << header + QByteArray(3, '\x01');
        QTest::newRow("too long") << header + QByteArray(5, '\x01');
        QByteArray huge = header;
        huge[9] = '\xff';
        huge[10] = '\xff';
        QTest::newRow("huge") << huge + QByteArray(4, '\x01');
        QTest::newRow("index past 15") << header + QByteArray("\x01\x02\x10\x03", 4);
    }

    void refusesGarbledPixels()
    {
        QFETCH(QByteArray, bytes);
        Window window(romPath);
        auto *data = new QMimeData;
        data->setData(QString::fromLatin1(kPixelPieceMimeType), bytes);
        data->setImageData(QImage(4, 4, QImage::Format_RGB32));   // not used: the own form is damaged
        QGuiApplication::clipboard()->setMimeData(data);
        const SpriteTable before = window.probe.sprites();
        const int steps = window.steps();
        QSignalSpy status(&window.probe.statusLog(), &StatusLog::shown);
        window.trigger("actionPaste");
        QVERIFY(!window.selector->isFloating());
        QCOMPARE(status.size(), 1);
        QVERIFY(status.first().first().toString().startsWith(QStringLiteral("The pixels on the clipboard")));
        QTest::keyClick(window.view, Qt::Key_Return);
        QCOMPARE(window.probe.sprites(), before);
        QCOMPARE(window.steps(), steps);
    }

    // Flipping a floating piece, or the selected pixels in place (one step).
    void flips_data()
    {
        QTest::addColumn<bool>("horizontally");
        QTest::addColumn<bool>("floating");
        QTest::newRow("horizontally, in place") << true << false;
        QTest::newRow("vertically, in place") << false << false;
        QTest::newRow("horizontally, floating") << true << true;
        QTest::newRow("vertically, floating") << false << true;
    }

    void flips()
    {
        QFETCH(bool, horizontally);
        QFETCH(bool, floating);
        const QRect area(10, 4, 7, 5);
        Window window(romPath);
        window.show(2, 6);
        const SpriteTable before = window.probe.sprites();
        window.probe.selection().setTool(Selection::Tool::Select);
        Drag(window.view, area.topLeft(), area.bottomRight());
        const int steps = window.steps();
        if (floating) {
            window.trigger("actionCopy");
            window.trigger("actionPaste");
        }
        window.trigger(horizontally ? "actionFlipHorizontally" : "actionFlipVertically");
        if (floating) {
            QCOMPARE(window.steps(), steps);
            QTest::keyClick(window.view, Qt::Key_Return);
        }
        QCOMPARE(window.steps(), steps + 1);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QPoint from = horizontally ? QPoint(area.left() + area.right() - x, y)
                                                 : QPoint(x, area.top() + area.bottom() - y);
                QCOMPARE(window.shownIndex(2, 6, {x, y}), before.at(2).at(6).at(SpritePixelIndex(from.x(), from.y())));
            }
        window.probe.document().undoStack()->undo();
        QCOMPARE(window.probe.sprites(), before);
    }

    // By keyboard: Shift+arrows select from the pixel cursor, arrows move the
    // pixels (index 0 left behind), Return places them as one step; by mouse
    // the same move is a drag of the selection. Escape before placing puts
    // them back.
    void movesSelection_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("keys") << false << false << false;
        QTest::newRow("keys, mirrored") << false << false << true;
        QTest::newRow("mouse") << true << false << false;
        QTest::newRow("keys, dropped") << false << true << false;
        QTest::newRow("mouse, dropped") << true << true << false;
    }

    void movesSelection()
    {
        QFETCH(bool, byMouse);
        QFETCH(bool, dropped);
        QFETCH(bool, mirrored);
        const QRect area(20, 30, 4, 3);
        const QPoint by(3, -2);
        Window window(romPath);
        window.show(0, 9, mirrored);
        const SpriteTable before = window.probe.sprites();
        QList<int> lifted;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                lifted << window.shownIndex(0, 9, {x, y});
        const int steps = window.steps();
        window.probe.selection().setTool(Selection::Tool::Select);
        window.view->setFocus();
        if (byMouse) {
            Drag(window.view, area.topLeft(), area.bottomRight());
            Drag(window.view, area.topLeft() + QPoint(1, 1), area.topLeft() + QPoint(1, 1) + by);
        } else {
            window.view->setPixelCursor(area.topLeft());
            for (int i = 1; i < area.width(); ++i)
                QTest::keyClick(window.view, Qt::Key_Right, Qt::ShiftModifier);
            for (int i = 1; i < area.height(); ++i)
                QTest::keyClick(window.view, Qt::Key_Down, Qt::ShiftModifier);
            QCOMPARE(window.selector->selectedRect(), area);
            for (int i = 0; i < by.x(); ++i)
                QTest::keyClick(window.view, Qt::Key_Right);
            for (int i = 0; i < -by.y(); ++i)
                QTest::keyClick(window.view, Qt::Key_Up);
        }
        QVERIFY(window.selector->isFloating());
        QCOMPARE(window.selector->floatingAt(), area.topLeft() + by);
        QVERIFY(!window.probe.document().undoStack()->canUndo() || !window.editor.findChild<QAction *>(
                                                                          QStringLiteral("actionUndo"))->isEnabled());
        if (dropped) {
            QTest::keyClick(window.view, Qt::Key_Escape);
            QVERIFY(!window.selector->isFloating());
            QCOMPARE(window.probe.sprites(), before);
            QCOMPARE(window.steps(), steps);
            return;
        }
        QTest::keyClick(window.view, Qt::Key_Return);
        QCOMPARE(window.steps(), steps + 1);
        const QRect moved = area.translated(by);
        for (int y = area.top(); y <= moved.bottom(); ++y)
            for (int x = area.left(); x <= moved.right(); ++x) {
                const QPoint at(x, y);
                int expected = before.at(0).at(9).at(SpritePixelIndex(mirrored ? kSpriteSide - 1 - x : x, y));
                if (moved.contains(at))
                    expected = lifted.at((y - moved.top()) * area.width() + x - moved.left());
                else if (area.contains(at))
                    expected = 0;
                QCOMPARE(window.shownIndex(0, 9, at), expected);
            }
        window.probe.document().undoStack()->undo();
        QCOMPARE(window.probe.sprites(), before);
    }

    // Cut and Delete leave index 0, one step each; a pasted piece dropped by
    // Escape changes nothing.
    void cutDeleteAndDrop_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("cut") << QStringLiteral("actionCut");
        QTest::newRow("delete") << QStringLiteral("actionDelete");
    }

    void cutDeleteAndDrop()
    {
        QFETCH(QString, action);
        const QRect area(0, 0, 48, 2);
        Window window(romPath);
        window.show(3, 3);
        const SpriteTable before = window.probe.sprites();
        window.trigger("actionSelectAll");
        QCOMPARE(window.selector->selectedRect(), QRect(0, 0, 48, 48));
        window.probe.selection().setTool(Selection::Tool::Select);
        Drag(window.view, area.topLeft(), area.bottomRight());
        const int steps = window.steps();
        window.trigger(action.toLatin1().constData());
        QCOMPARE(window.steps(), steps + 1);
        for (int x = 0; x < kSpriteSide; ++x)
            QCOMPARE(window.shownIndex(3, 3, {x, 1}), 0);
        window.probe.document().undoStack()->undo();
        QCOMPARE(window.probe.sprites(), before);

        window.trigger("actionPaste");   // what was cut, or what the test before copied
        QVERIFY(window.selector->isFloating());
        QTest::keyClick(window.view, Qt::Key_Escape);
        QVERIFY(!window.selector->isFloating());
        QCOMPARE(window.probe.sprites(), before);
        QCOMPARE(window.steps(), steps);
    }
};

QTEST_MAIN(TestPixelSelection)
#include "tst_pixelselection.moc"
