#include <QtTest>

#include <QAccessible>
#include <QTemporaryDir>
#include <QToolButton>

#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "editor/displays/spriteview.h"
#include "windowprobe.h"
#include "viewtestrom.h"

// Drawing without a mouse (the view's pixel cursor, Space) and what the view
// and its neighbours tell screen readers.
class TestKeyboardDrawing : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

    struct Window
    {
        Window(const QString &path, bool mirrored, QPoint moved) : editor(path, &prompts), probe(editor)
        {
            editor.show();
            tools = editor.findChild<DrawingTools *>(QStringLiteral("drawingTools"));
            view = probe.ui()->labelSprite;
            probe.ui()->doubleSpinBoxSpriteZoom->setValue(4.0);
            if (mirrored)
                probe.ui()->checkBoxMirrorSprite->click();
            probe.ui()->spinBoxMoveSpriteRight->setValue(moved.x());
            probe.ui()->spinBoxMoveSpriteUp->setValue(moved.y());
            tools->toolButton(Selection::Tool::Pencil)->click();
            tools->indexStrip()->setCurrentIndex(9);
        }
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

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath));
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests"));
        QSettings().clear();
    }

    // The same strokes by mouse and by keyboard store the same pixels in the
    // same steps: a drag (Space held, arrows; Shift jumps a tile and draws the
    // line between), a Shift line from the last pixel drawn, a single dot.
    void keyboardDrawsAsMouse_data()
    {
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("plain") << false << QPoint();
        QTest::newRow("mirrored") << true << QPoint();
        QTest::newRow("moved") << false << QPoint(5, -3);
        QTest::newRow("moved, mirrored") << true << QPoint(-4, 6);
    }

    void keyboardDrawsAsMouse()
    {
        QFETCH(bool, mirrored);
        QFETCH(QPoint, moved);

        Window mouse(romPath, mirrored, moved);
        const int steps = mouse.probe.document().undoStack()->count();
        Mouse(mouse.view, QEvent::MouseButtonPress, {10, 12}, Qt::LeftButton);
        Mouse(mouse.view, QEvent::MouseMove, {11, 12}, Qt::LeftButton);
        Mouse(mouse.view, QEvent::MouseMove, {12, 12}, Qt::LeftButton);
        Mouse(mouse.view, QEvent::MouseMove, {12, 20}, Qt::LeftButton);
        Mouse(mouse.view, QEvent::MouseButtonRelease, {12, 20}, Qt::NoButton);
        Mouse(mouse.view, QEvent::MouseButtonPress, {30, 40}, Qt::LeftButton, Qt::ShiftModifier);
        Mouse(mouse.view, QEvent::MouseButtonRelease, {30, 40}, Qt::NoButton, Qt::ShiftModifier);
        Mouse(mouse.view, QEvent::MouseButtonPress, {47, 0}, Qt::LeftButton);
        Mouse(mouse.view, QEvent::MouseButtonRelease, {47, 0}, Qt::NoButton);
        QVERIFY(mouse.probe.document().undoStack()->count() >= steps + 2);   // a dot on background moved in draws nothing

        Window keys(romPath, mirrored, moved);
        keys.view->setFocus();
        keys.view->setPixelCursor({10, 12});
        QTest::keyPress(keys.view, Qt::Key_Space);
        QTest::keyClick(keys.view, Qt::Key_Right);
        QTest::keyClick(keys.view, Qt::Key_Right);
        QTest::keyClick(keys.view, Qt::Key_Down, Qt::ShiftModifier);   // 8 down, drawn
        QTest::keyRelease(keys.view, Qt::Key_Space);
        keys.view->setPixelCursor({30, 40});
        QTest::keyClick(keys.view, Qt::Key_Space, Qt::ShiftModifier);
        for (int i = 0; i < 20; ++i)   // stops at the frame's edge
            QTest::keyClick(keys.view, Qt::Key_Right, Qt::ShiftModifier);
        for (int i = 0; i < 50; ++i)
            QTest::keyClick(keys.view, Qt::Key_Up);
        QCOMPARE(keys.view->pixelCursor(), QPoint(47, 0));
        QTest::keyClick(keys.view, Qt::Key_Space);
        QCOMPARE(keys.probe.document().undoStack()->count(), mouse.probe.document().undoStack()->count());

        QVERIFY(keys.probe.document().tables() == mouse.probe.document().tables());
        QVERIFY(keys.probe.document().tables() != Window(romPath, mirrored, moved).probe.document().tables());
        // The readout follows the cursor.
        QCOMPARE(keys.editor.findChild<QLabel *>(QStringLiteral("labelPixel"))->text().section(QLatin1Char(','), 0, 1),
                 QStringLiteral("x 47, y 0"));
        keys.probe.document().undoStack()->undo();
        keys.probe.document().undoStack()->undo();
        mouse.probe.document().undoStack()->undo();
        mouse.probe.document().undoStack()->undo();
        QVERIFY(keys.probe.document().tables() == mouse.probe.document().tables());
    }

    void screenReaderNames()
    {
        Window w(romPath, false, QPoint());
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(w.view);
        QVERIFY(view);
        QCOMPARE(view->role(), QAccessible::Canvas);
        w.probe.selection().setSprite(1);
        QCOMPARE(view->text(QAccessible::Name), QStringLiteral("Sprite, car 1, sprite 2"));

        w.view->setPixelCursor({10, 20});
        const int index = w.probe.sprites().at(0).at(1).at(SpritePixelIndex(10, 20));
        QCOMPARE(view->text(QAccessible::Description), QStringLiteral("x 10, y 20, index %1").arg(index));
        w.view->setFocus();
        QTest::keyClick(w.view, Qt::Key_Space);   // draws index 9 under the cursor
        QCOMPARE(view->text(QAccessible::Description), QStringLiteral("x 10, y 20, index 9"));

        const FormControls *ui = w.probe.ui();
        const QList<QPair<QWidget *, QString>> named = {{ui->labelPaletteSwap, QStringLiteral("Swap colours 1 and 2")},
                                                        {ui->labelPalettShift, QStringLiteral("Rotate colours 1 to 3")},
                                                        {ui->label, QStringLiteral("About this program")}};
        for (const auto &[widget, name] : named)
            QCOMPARE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name);

        const QColor seven = w.probe.palettes().at(ui->comboBoxPalette->currentIndex()).at(7);
        QCOMPARE(QAccessible::queryAccessibleInterface(w.tools->indexStrip()->swatch(7))->text(QAccessible::Name),
                 QStringLiteral("index 7, red %1 green %2 blue %3").arg(seven.red()).arg(seven.green()).arg(seven.blue()));

        // The view follows the drawing tools in the Tab chain.
        QVERIFY(w.view->focusPolicy() & Qt::TabFocus);
        QWidget *before = w.view->previousInFocusChain();
        while (before != w.view && !(before->isVisible() && (before->focusPolicy() & Qt::TabFocus)))
            before = before->previousInFocusChain();
        QVERIFY(w.tools->isAncestorOf(before));
    }
};

QTEST_MAIN(TestKeyboardDrawing)
#include "tst_keyboarddrawing.moc"
