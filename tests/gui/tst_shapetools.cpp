#include <QtTest>

#include <QAction>
#include <QTemporaryDir>
#include <QToolButton>

#include "editor/displays/spriteview.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "view/shapes.h"
#include "viewtestrom.h"
#include "windowprobe.h"

// The line, rectangle and ellipse tools by mouse and by keyboard, mirror
// symmetry, and Sprite > Copy to Next/Previous Rotation and to the Mirrored
// Partner, in the window.
class TestShapeTools : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

    struct Window
    {
        explicit Window(const QString &path, bool mirrored = false) : editor(path, &prompts), probe(editor)
        {
            editor.show();
            tools = editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"));
            view = probe.ui()->labelSprite;
            probe.ui()->doubleSpinBoxSpriteZoom->setValue(4.0);
            if (mirrored)
                probe.ui()->checkBoxMirrorSprite->click();
            tools->indexStrip()->setCurrentIndex(9);
        }
        QAction *action(const char *id) { return editor.findChild<QAction *>(QString::fromLatin1(id)); }
        QUndoStack *stack() { return probe.document().undoStack(); }
        const SpritePixels &shown() { return probe.sprites().at(0).at(probe.selection().sprite()); }
        ScriptedPrompts prompts;   // outlives the window
        SKMcarEditor editor;
        WindowProbe probe;
        DrawingTools *tools = nullptr;
        SpriteView *view = nullptr;
    };

    static void Mouse(SpriteView *view, QEvent::Type type, QPoint shown, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers = {})
    {
        const double zoom = view->mapping().zoom;
        const QPointF at = QPointF(view->spriteRect().topLeft()) + QPointF((shown.x() + 0.5) * zoom, (shown.y() + 0.5) * zoom);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(view, &event);
    }

    // The sprite with the shape from a to b (as shown) drawn in index 9.
    static SpritePixels WithShape(SpritePixels pixels, const SpriteViewMapping &mapping, ShapeKind kind, QPoint a,
                                  QPoint b, bool filled, bool symmetric)
    {
        QList<QPoint> stored;
        for (const QPoint &p : ShapePixels(kind, a, b, filled))
            if (const std::optional<QPoint> at = StoredPixelOf(p, mapping.mirrored, mapping.offset))
                stored.append(*at);
        ApplyPixelChanges(pixels, PaintChanges(pixels, symmetric ? WithMirrorImage(stored) : stored, 9));
        return pixels;
    }

    static void ShapeRows()
    {
        QTest::addColumn<int>("tool");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<bool>("symmetric");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<bool>("mirrored");
        const int line = int(Selection::Tool::Line), rect = int(Selection::Tool::Rectangle),
                  ellipse = int(Selection::Tool::Ellipse);
        QTest::newRow("line") << line << false << false << false << false;
        QTest::newRow("line, Shift") << line << false << false << true << false;
        QTest::newRow("line, symmetric, mirrored view") << line << false << true << false << true;
        QTest::newRow("rectangle") << rect << false << false << false << false;
        QTest::newRow("square, filled") << rect << true << false << true << false;
        QTest::newRow("rectangle, symmetric") << rect << false << true << false << false;
        QTest::newRow("ellipse") << ellipse << false << false << false << true;
        QTest::newRow("circle, filled, symmetric") << ellipse << true << true << true << false;
    }

    static ShapeKind KindOf(int tool)
    {
        return tool == int(Selection::Tool::Line) ? ShapeKind::Line
            : tool == int(Selection::Tool::Rectangle) ? ShapeKind::Rectangle : ShapeKind::Ellipse;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath));
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests"));
        QSettings().clear();
    }

    // Press, drag (the preview follows, the one before taken back), let go:
    // one step that undo takes back whole.
    void shapeByMouse_data() { ShapeRows(); }

    void shapeByMouse()
    {
        QFETCH(int, tool);
        QFETCH(bool, filled);
        QFETCH(bool, symmetric);
        QFETCH(bool, shift);
        QFETCH(bool, mirrored);
        Window w(romPath, mirrored);
        w.probe.selection().setTool(Selection::Tool(tool));
        if (filled)
            w.tools->filledButton()->click();
        if (symmetric)
            w.action("actionMirrorSymmetry")->trigger();
        QCOMPARE(w.tools->symmetryButton()->isChecked(), symmetric);
        const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        const ShapeKind kind = KindOf(tool);
        const SpritePixels base = w.shown();
        const SpriteViewMapping mapping = w.view->mapping();
        const QPoint a(6, 8), c(30, 40), b(17, 13);
        const QPoint endC = shift ? ConstrainedEnd(kind, a, c) : c, endB = shift ? ConstrainedEnd(kind, a, b) : b;
        const int steps = w.stack()->count();

        Mouse(w.view, QEvent::MouseButtonPress, a, Qt::LeftButton, modifiers);
        Mouse(w.view, QEvent::MouseMove, c, Qt::LeftButton, modifiers);
        QCOMPARE(w.shown(), WithShape(base, mapping, kind, a, endC, filled, symmetric));
        Mouse(w.view, QEvent::MouseMove, b, Qt::LeftButton, modifiers);
        const SpritePixels drawn = WithShape(base, mapping, kind, a, endB, filled, symmetric);
        QCOMPARE(w.shown(), drawn);
        QCOMPARE(w.stack()->count(), steps);   // no step while dragging
        Mouse(w.view, QEvent::MouseButtonRelease, b, Qt::NoButton, modifiers);
        QCOMPARE(w.shown(), drawn);
        QCOMPARE(w.stack()->count(), steps + 1);
        w.stack()->undo();
        QCOMPARE(w.shown(), base);
        w.stack()->redo();
        QCOMPARE(w.shown(), drawn);
    }

    // Space at one end, the arrows, Space at the other: what the mouse draws.
    void shapeByKeyboard_data() { ShapeRows(); }

    void shapeByKeyboard()
    {
        QFETCH(int, tool);
        QFETCH(bool, filled);
        QFETCH(bool, symmetric);
        QFETCH(bool, shift);
        QFETCH(bool, mirrored);
        Window w(romPath, mirrored);
        w.probe.selection().setTool(Selection::Tool(tool));
        w.probe.selection().setShapesFilled(filled);
        w.probe.selection().setMirrorSymmetry(symmetric);
        const ShapeKind kind = KindOf(tool);
        const SpritePixels base = w.shown();
        const SpriteViewMapping mapping = w.view->mapping();
        const int steps = w.stack()->count();
        w.view->setFocus();
        w.view->setPixelCursor({6, 8});
        QTest::keyClick(w.view, Qt::Key_Space);
        for (int i = 0; i < 11; ++i)
            QTest::keyClick(w.view, Qt::Key_Right);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(w.view, Qt::Key_Down);
        const QPoint end = shift ? ConstrainedEnd(kind, {6, 8}, {17, 13}) : QPoint(17, 13);
        QCOMPARE(w.stack()->count(), steps);
        QTest::keyClick(w.view, Qt::Key_Space, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(w.shown(), WithShape(base, mapping, kind, {6, 8}, end, filled, symmetric));
        QCOMPARE(w.stack()->count(), steps + 1);

        // Escape takes a shape in progress back, without a step; the tool stays.
        const SpritePixels kept = w.shown();
        QTest::keyClick(w.view, Qt::Key_Space);
        QTest::keyClick(w.view, Qt::Key_Left);
        QTest::keyClick(w.view, Qt::Key_Up);
        QVERIFY(w.shown() != kept || tool != int(Selection::Tool::Line));
        QTest::keyClick(w.view, Qt::Key_Escape);
        QCOMPARE(w.shown(), kept);
        QCOMPARE(w.stack()->count(), steps + 1);
        QCOMPARE(int(w.probe.selection().tool()), tool);
        w.stack()->undo();
        QCOMPARE(w.shown(), base);
    }

    // A shape waiting for its second Space is kept as it stands, as one
    // step, when the keyboard goes to another control.
    void keyboardShapeEndsWhenFocusLeaves()
    {
        Window w(romPath);
        w.editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.editor));
        w.probe.selection().setTool(Selection::Tool::Rectangle);
        const SpritePixels base = w.shown();
        const SpriteViewMapping mapping = w.view->mapping();
        w.view->setFocus();
        w.view->setPixelCursor({20, 20});
        QTest::keyClick(w.view, Qt::Key_Space);
        QTest::keyClick(w.view, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(w.view, Qt::Key_Right);
        const SpritePixels expected = WithShape(base, mapping, ShapeKind::Rectangle, {20, 20}, {21, 28}, false, false);
        QCOMPARE(w.shown(), expected);   // Shift+arrow: a square while Shift is held, then not
        QVERIFY(!w.action("actionUndo")->isEnabled());
        w.probe.ui()->spinBoxCarNumber->setFocus();
        QCOMPARE(w.stack()->count(), 1);
        QCOMPARE(w.shown(), expected);
        QVERIFY(w.action("actionUndo")->isEnabled());
    }

    // The pencil with mirror symmetry, on even and odd columns and at the axis.
    void pencilSymmetry_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("mirror");
        QTest::newRow("even column") << QPoint(10, 30) << QPoint(37, 30);
        QTest::newRow("odd column") << QPoint(11, 30) << QPoint(36, 30);
        QTest::newRow("left of the axis") << QPoint(23, 30) << QPoint(24, 30);
        QTest::newRow("right edge") << QPoint(47, 30) << QPoint(0, 30);
    }

    void pencilSymmetry()
    {
        QFETCH(QPoint, at);
        QFETCH(QPoint, mirror);
        Window w(romPath);
        w.tools->toolButton(Selection::Tool::Pencil)->click();
        w.tools->symmetryButton()->click();
        QVERIFY(w.action("actionMirrorSymmetry")->isChecked());
        SpritePixels expected = w.shown();
        expected[SpritePixelIndex(at.x(), at.y())] = 9;
        expected[SpritePixelIndex(mirror.x(), mirror.y())] = 9;
        const int steps = w.stack()->count();
        Mouse(w.view, QEvent::MouseButtonPress, at, Qt::LeftButton);
        Mouse(w.view, QEvent::MouseButtonRelease, at, Qt::NoButton);
        QCOMPARE(w.shown(), expected);
        QCOMPARE(w.stack()->count(), steps + 1);
    }

    // The view on show becomes the start of its neighbour, shown as it was
    // shown (flipped onto a mirrored view, upside down onto the partner),
    // in one step; the neighbour comes on show.
    void copyToNeighbour_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("tilt");
        QTest::addColumn<int>("toRotation");
        QTest::addColumn<int>("toTilt");
        QTest::addColumn<int>("toSprite");
        QTest::addColumn<bool>("upsideDown");
        const QString next = QStringLiteral("actionCopyToNextRotation");
        const QString previous = QStringLiteral("actionCopyToPreviousRotation");
        const QString partner = QStringLiteral("actionCopyToMirroredPartner");
        QTest::newRow("12 -> 13 mirrored") << next << 12 << 0 << 13 << 0 << 11 << false;
        QTest::newRow("23 mirrored -> 0") << next << 23 << 0 << 0 << 0 << 0 << false;
        QTest::newRow("0 -> 23 mirrored") << previous << 0 << 0 << 23 << 0 << 1 << false;
        QTest::newRow("5 -> 6") << next << 5 << 0 << 6 << 0 << 6 << false;
        QTest::newRow("tilt -4, 4 -> 8") << next << 4 << -4 << 8 << -4 << 13 << false;
        QTest::newRow("partner of 3, tilt 2") << partner << 3 << 2 << 9 << -2 << 19 << true;
        QTest::newRow("partner of 13") << partner << 13 << 0 << 23 << 0 << 1 << true;
    }

    void copyToNeighbour()
    {
        QFETCH(QString, action);
        QFETCH(int, rotation);
        QFETCH(int, tilt);
        QFETCH(int, toRotation);
        QFETCH(int, toTilt);
        QFETCH(int, toSprite);
        QFETCH(bool, upsideDown);
        Window w(romPath);
        Selection &selection = w.probe.selection();
        selection.setTilt(tilt);
        selection.setRotation(rotation);
        const int sprite = selection.sprite();
        const bool mirrored = selection.mirrored();
        const QImage source = w.probe.composeSprite(0, sprite, mirrored, false, true);
        const SpritePixels targetBefore = w.probe.sprites().at(0).at(toSprite);
        const SpritePixels sourceBefore = w.probe.sprites().at(0).at(sprite);
        const int steps = w.stack()->count();

        w.action(action.toLatin1().constData())->trigger();
        QCOMPARE(w.stack()->count(), steps + 1);
        QCOMPARE(selection.rotation(), toRotation);
        QCOMPARE(selection.tilt(), toTilt);
        QCOMPARE(selection.sprite(), toSprite);
        const QImage copied = w.probe.composeSprite(0, toSprite, selection.mirrored(), false, true);
        QCOMPARE(copied, upsideDown ? source.mirrored(false, true) : source);
        QCOMPARE(w.probe.sprites().at(0).at(sprite), sourceBefore);
        QCOMPARE(w.probe.sprites().at(0).at(toSprite).size(), targetBefore.size());
        w.stack()->undo();
        QCOMPARE(w.probe.sprites().at(0).at(toSprite), targetBefore);
        QCOMPARE(w.stack()->count(), steps + 1);
        QCOMPARE(w.stack()->index(), steps);
    }

    // The side view has no partner: nothing changes and the status bar says so.
    void sideViewHasNoPartner()
    {
        Window w(romPath);
        w.probe.selection().setRotation(6);
        const DocumentTables before = w.probe.document().tables();
        w.action("actionCopyToMirroredPartner")->trigger();
        QVERIFY(w.probe.document().tables() == before);
        QCOMPARE(w.stack()->count(), 0);
        QCOMPARE(w.probe.selection().rotation(), 6);
    }
};

QTEST_MAIN(TestShapeTools)
#include "tst_shapetools.moc"
