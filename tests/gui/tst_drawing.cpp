#include <QtTest>

#include <QMessageBox>
#include <QTemporaryDir>
#include <QToolButton>

#include "editor/controllers/drawingcontroller.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "editor/displays/spriteview.h"
#include "windowprobe.h"
#include "viewtestrom.h"

// Drawing on the sprite view of the window: tools, strokes as steps, the strip.
class TestDrawing : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

    struct Window
    {
        explicit Window(const QString &path) : editor(path, &prompts), probe(editor)
        {
            editor.show();
            drawing = editor.findChild<DrawingController *>(QStringLiteral("drawingController"));
            tools = editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"));
            view = probe.ui()->labelSprite;
        }
        ScriptedPrompts prompts;   // outlives the window
        SKMcarEditor editor;
        WindowProbe probe;
        DrawingController *drawing = nullptr;
        DrawingTools *tools = nullptr;
        SpriteView *view = nullptr;
    };

    // Sends a mouse event over frame pixel shown (as displayed) of the view.
    static void Mouse(SpriteView *view, QEvent::Type type, QPoint shown, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {})
    {
        const double zoom = view->mapping().zoom;
        const QPointF at = QPointF(view->spriteRect().topLeft()) + QPointF((shown.x() + 0.5) * zoom, (shown.y() + 0.5) * zoom);
        QMouseEvent event(type, at, view->mapToGlobal(at), button, buttons, modifiers);
        QApplication::sendEvent(view, &event);
    }
    static void Click(SpriteView *view, QPoint shown, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = {})
    {
        Mouse(view, QEvent::MouseButtonPress, shown, button, button, modifiers);
        Mouse(view, QEvent::MouseButtonRelease, shown, button, Qt::NoButton, modifiers);
    }
    static int Stored(WindowProbe &probe, int x, int y) { return probe.sprites().at(0).at(0).at(SpritePixelIndex(x, y)); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath));
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests"));
        QSettings().clear();
    }

    void pencilStroke_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<bool>("mirrored");
        QTest::newRow("zoom 3") << 3.0 << false;
        QTest::newRow("zoom 3 mirrored") << 3.0 << true;
        QTest::newRow("zoom 10 mirrored") << 10.0 << true;
    }

    void pencilStroke()
    {
        QFETCH(double, zoom);
        QFETCH(bool, mirrored);
        Window w(romPath);
        const FormControls *ui = w.probe.ui();
        ui->doubleSpinBoxSpriteZoom->setValue(zoom);
        if (mirrored)
            ui->checkBoxMirrorSprite->click();
        w.tools->toolButton(Selection::Tool::Pencil)->click();
        w.tools->indexStrip()->setCurrentIndex(7);
        const DocumentTables start = w.probe.document().tables();
        const int steps = w.probe.document().undoStack()->count();
        const auto storedX = [&](int x) { return mirrored ? 47 - x : x; };

        // A drag with a jump: the pixels between the events are drawn too.
        Mouse(w.view, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(!w.probe.animation().isActive());
        Mouse(w.view, QEvent::MouseMove, {26, 30}, Qt::NoButton, Qt::LeftButton);
        Mouse(w.view, QEvent::MouseMove, {26, 33}, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(Stored(w.probe, storedX(23), 30), 7);   // live, before the release
        Mouse(w.view, QEvent::MouseButtonRelease, {26, 33}, Qt::LeftButton, Qt::NoButton);
        QVERIFY(w.probe.animation().isActive());
        for (int x = 20; x <= 26; ++x)
            QCOMPARE(Stored(w.probe, storedX(x), 30), 7);
        for (int y = 30; y <= 33; ++y)
            QCOMPARE(Stored(w.probe, storedX(26), y), 7);
        QCOMPARE(w.probe.document().undoStack()->count(), steps + 1);
        QCOMPARE(w.probe.document().undoStack()->text(steps), QStringLiteral("Draw on car 1, sprite 1"));
        const DocumentTables drawn = w.probe.document().tables();

        // Shift+click: a line from the last pixel drawn; the right button draws 0.
        Click(w.view, {26, 40}, Qt::LeftButton, Qt::ShiftModifier);
        for (int y = 34; y <= 40; ++y)
            QCOMPARE(Stored(w.probe, storedX(26), y), 7);
        const DocumentTables lined = w.probe.document().tables();
        Mouse(w.view, QEvent::MouseButtonPress, {20, 30}, Qt::RightButton, Qt::RightButton);
        QTest::keyClick(&w.editor, Qt::Key_Z, Qt::ControlModifier);   // undo waits for the release
        Mouse(w.view, QEvent::MouseButtonRelease, {20, 30}, Qt::RightButton, Qt::NoButton);
        QCOMPARE(Stored(w.probe, storedX(20), 30), 0);
        QCOMPARE(w.probe.document().undoStack()->count(), steps + 3);

        w.probe.document().undoStack()->undo();
        QVERIFY(w.probe.document().tables() == lined);
        w.probe.document().undoStack()->undo();
        QVERIFY(w.probe.document().tables() == drawn);
        w.probe.document().undoStack()->undo();
        QVERIFY(w.probe.document().tables() == start);
        w.probe.document().undoStack()->redo();
        QVERIFY(w.probe.document().tables() == drawn);
        // The view shows what is stored.
        QCOMPARE(w.view->sprite().pixel(26, 30), w.probe.palettes().at(ui->comboBoxPalette->currentIndex()).at(7).rgb());
    }

    void fillAndPick()
    {
        Window w(romPath);
        w.tools->toolButton(Selection::Tool::Fill)->click();
        w.tools->indexStrip()->setCurrentIndex(9);
        QUndoStack *stack = w.probe.document().undoStack();
        const int steps = stack->count();

        // Sprite 1 of car 1: a 3 x 10 block of index 1 at x 0..2, y 10..19.
        Click(w.view, {1, 15});
        QCOMPARE(stack->count(), steps + 1);
        QCOMPARE(stack->text(steps), QStringLiteral("Fill on car 1, sprite 1"));
        for (int y = 10; y < 20; ++y)
            for (int x = 0; x < 3; ++x)
                QCOMPARE(Stored(w.probe, x, y), 9);
        QCOMPARE(Stored(w.probe, 3, 15), 0);
        QCOMPARE(Stored(w.probe, 1, 9), 0);
        Click(w.view, {30, 30}, Qt::RightButton);   // background with 0: nothing changes
        QCOMPARE(stack->count(), steps + 1);

        w.tools->indexStrip()->setCurrentIndex(3);
        Click(w.view, {1, 15}, Qt::LeftButton, Qt::ControlModifier);   // Ctrl+click picks in any tool
        QCOMPARE(w.probe.selection().drawingIndex(), 9);
        w.tools->toolButton(Selection::Tool::Picker)->click();
        QVERIFY(!w.tools->toolButton(Selection::Tool::Fill)->isChecked());
        Click(w.view, {30, 30});
        QCOMPARE(w.probe.selection().drawingIndex(), 0);
        QCOMPARE(stack->count(), steps + 1);

        // No tool: the view draws nothing.
        w.tools->toolButton(Selection::Tool::Picker)->click();
        QCOMPARE(w.probe.selection().tool(), Selection::Tool::None);
        Click(w.view, {1, 15});
        QCOMPARE(w.probe.selection().drawingIndex(), 0);
        QCOMPARE(stack->count(), steps + 1);
    }

    void modalDialogEndsStroke()
    {
        Window w(romPath);
        w.tools->toolButton(Selection::Tool::Pencil)->click();
        const int steps = w.probe.document().undoStack()->count();
        Mouse(w.view, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
        Mouse(w.view, QEvent::MouseMove, {22, 30}, Qt::NoButton, Qt::LeftButton);
        {
            // Another window takes the mouse: the editor is blocked while it shows.
            QMessageBox box(&w.editor);
            box.setText(QStringLiteral("interrupting"));
            box.setWindowModality(Qt::ApplicationModal);
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            box.close();
        }
        QVERIFY(!w.drawing->isStrokeActive());
        QCOMPARE(w.probe.document().undoStack()->count(), steps + 1);
        Mouse(w.view, QEvent::MouseMove, {25, 30}, Qt::NoButton, Qt::LeftButton);
        Mouse(w.view, QEvent::MouseButtonRelease, {25, 30}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(Stored(w.probe, 25, 30), 0);
        QCOMPARE(w.probe.document().undoStack()->count(), steps + 1);
    }

    // Closing, leaving the window or losing the mouse in the middle of a drag
    // ends the stroke as it stands: one step, and closing asks about it.
    void interruptionEndsStroke_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close") << QStringLiteral("close");
        QTest::newRow("window deactivated") << QStringLiteral("deactivate");
        QTest::newRow("mouse grab lost") << QStringLiteral("ungrab");
        QTest::newRow("focus lost") << QStringLiteral("focus");
    }

    void interruptionEndsStroke()
    {
        QFETCH(QString, how);
        Window w(romPath);
        w.tools->toolButton(Selection::Tool::Pencil)->click();
        const int steps = w.probe.document().undoStack()->count();
        Mouse(w.view, QEvent::MouseButtonPress, {20, 30}, Qt::LeftButton, Qt::LeftButton);
        Mouse(w.view, QEvent::MouseMove, {22, 30}, Qt::NoButton, Qt::LeftButton);
        if (how == QLatin1String("close")) {
            w.prompts.saveAnswers = {Prompts::SaveChoice::Cancel};
            QVERIFY(!w.editor.close());
            QCOMPARE(w.prompts.asked.size(), 1);   // the stroke is a change: asked
        } else if (how == QLatin1String("deactivate")) {
            QEvent event(QEvent::WindowDeactivate);
            QApplication::sendEvent(&w.editor, &event);
        } else if (how == QLatin1String("ungrab")) {
            QEvent event(QEvent::UngrabMouse);
            QApplication::sendEvent(w.view, &event);
        } else {
            QFocusEvent event(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QApplication::sendEvent(w.view, &event);
        }
        QVERIFY(!w.drawing->isStrokeActive());
        QVERIFY(!w.view->isStrokeActive());
        QVERIFY(w.probe.document().isModified());
        QCOMPARE(w.probe.document().undoStack()->count(), steps + 1);
        QCOMPARE(Stored(w.probe, 22, 30), w.probe.selection().drawingIndex());
    }

    void stripFollowsPalette()
    {
        Window w(romPath);
        DrawingIndexStrip *strip = w.tools->indexStrip();
        const FormControls *ui = w.probe.ui();
        QCOMPARE(strip->colors().at(0), w.probe.backgroundColor().rgb());
        ui->comboBoxPalette->setCurrentIndex(4);
        QCOMPARE(strip->colors().at(5), w.probe.palettes().at(4).at(5).rgb());

        DocumentTables after = w.probe.document().tables();
        after.palettes[4][5] = QColor(1, 2, 3);
        QVERIFY(w.probe.document().Change(QStringLiteral("edit"), StepFocus{-1, -1, 4}, after));
        QCOMPARE(strip->colors().at(5), qRgb(1, 2, 3));
        w.probe.document().undoStack()->undo();
        QCOMPARE(strip->colors().at(5), w.probe.palettes().at(4).at(5).rgb());
    }
};

QTEST_MAIN(TestDrawing)
#include "tst_drawing.moc"
