#include <QtTest>

#include <QAbstractScrollArea>
#include <QAction>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

#include "editor/displays/spriteoverview.h"
#include "editor/window/messagelog.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "view/viewtable.h"
#include "windowcontrols.h"

// What a newcomer meets in the first half hour: the view controls follow a
// sprite chosen by number, the tool windows come up on the screen beside the
// window and the overview works from the keyboard, the whole of every status
// message stays at hand, and the controls are named as they are shown.
class TestFirstSession : public QObject
{
    Q_OBJECT

    static QAction *Action(SKMcarEditor &window, const char *name)
    {
        QAction *action = window.findChild<QAction *>(QString::fromLatin1(name));
        if (!action)
            qFatal("the window has no action %s", name);
        return action;
    }

    static void ShowWindow(TestWindow &w)
    {
        Action(w.editor, "actionSpriteOverview")->setChecked(true);
        Action(w.editor, "actionOverviewLarge")->setChecked(false);
        w.editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    }

private slots:
    void initTestCase() { QDir::setCurrent(QDir::tempPath()); }

    void viewFollowsSprite_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("sprite");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("tilt");

        QTest::newRow("spin box, level") << "spin box" << 5 << 4 << 0;
        QTest::newRow("spin box, tilted down, right half") << "spin box" << 14 << 8 << -4;
        QTest::newRow("spin box, odd tilt") << "spin box" << 35 << 3 << -3;
        QTest::newRow("overview, tilted up") << "overview" << 45 << 4 << 4;
        QTest::newRow("overview, last level step") << "overview" << 13 << 12 << 0;
        QTest::newRow("overview, Return on a cell") << "overview key" << 30 << 2 << -4;
        QTest::newRow("overview, first") << "overview" << 1 << 0 << 0;
    }

    void viewFollowsSprite()
    {
        QFETCH(QString, way);
        QFETCH(int, sprite);
        QFETCH(int, rotation);
        QFETCH(int, tilt);

        TestWindow w(ExchangeTestData(31));
        QVERIFY(w.romWritten);
        Selection &selection = w.probe.selection();
        const FormControls &form = *w.probe.ui();
        // A mirrored view to start from: rotation 22 shows sprite 3 mirrored.
        form.spinBoxRotation->setValue(22);
        QCOMPARE(selection.sprite(), 2);
        QVERIFY(selection.mirrored());

        QSignalSpy changes(&selection, &Selection::changed);
        SpriteOverview *overview = w.editor.findChild<SpriteOverview *>();
        if (way == QLatin1String("spin box"))
            form.spinBoxSpriteNumber->setValue(sprite);
        else if (way == QLatin1String("overview"))
            overview->cell(sprite)->click();
        else
            QTest::keyClick(overview->cell(sprite), Qt::Key_Return);

        // One change: one new frame, and the sprite is not chosen again by the view.
        QCOMPARE(changes.count(), 1);
        QVERIFY(changes.first().first().value<Selection::Parts>() & Selection::Sprite);
        QCOMPARE(selection.sprite(), sprite - 1);
        QCOMPARE(selection.rotation(), rotation);
        QCOMPARE(selection.tilt(), tilt);
        QVERIFY(!selection.mirrored());
        QCOMPARE(form.spinBoxSpriteNumber->value(), sprite);
        QCOMPARE(form.spinBoxRotation->value(), rotation);
        QCOMPARE(form.spinBoxTilt->value(), tilt);
        QVERIFY(!form.checkBoxMirrorSprite->isChecked());

        // The next step of rotation goes on from there.
        form.spinBoxRotation->stepUp();
        QCOMPARE(selection.rotation(), rotation + 1);
        const ViewLookup next = FindSpriteByParameters(rotation + 1, tilt);
        QCOMPARE(selection.sprite(), next.spriteNumber > 0 ? next.spriteNumber - 1 : sprite - 1);
    }

    void toolWindowsOnScreen_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("takesFocus");

        QTest::newRow("overview") << QString() << "overviewWindow" << false;
        QTest::newRow("overview at 2x") << "actionOverviewLarge" << "overviewWindow" << false;
        QTest::newRow("history") << "actionHistory" << "historyView" << true;
        QTest::newRow("user guide") << "actionUserGuide" << "userGuide" << true;
        QTest::newRow("messages") << "actionMessages" << "messageLog" << true;
    }

    void toolWindowsOnScreen()
    {
        QFETCH(QString, action);
        QFETCH(QString, window);
        QFETCH(bool, takesFocus);

        TestWindow w(ExchangeTestData(31));
        QVERIFY(w.romWritten);
        ShowWindow(w);
        if (!action.isEmpty())
            Action(w.editor, action.toLatin1().constData())->trigger();
        auto *tool = w.editor.findChild<QWidget *>(window);
        QVERIFY(tool);
        QTRY_VERIFY(tool->isVisible());
        QVERIFY(tool->isWindow());
        const QRect area = w.editor.screen()->availableGeometry();

        const auto checkPlace = [&] {
            QVERIFY2(area.contains(tool->frameGeometry()),
                     qPrintable(QStringLiteral("%1 %2,%3 %4x%5 outside the screen")
                                    .arg(window)
                                    .arg(tool->frameGeometry().x())
                                    .arg(tool->frameGeometry().y())
                                    .arg(tool->frameGeometry().width())
                                    .arg(tool->frameGeometry().height())));
            // Beside the window wherever the screen has room for both.
            if (area.width() >= w.editor.frameGeometry().width() + tool->frameGeometry().width() + 8)
                QVERIFY(!tool->frameGeometry().intersects(w.editor.frameGeometry()));
            // Else it goes over the window, leaving it half the screen.
            else if (tool->frameGeometry().intersects(w.editor.frameGeometry()))
                QVERIFY2(tool->frameGeometry().width() <= std::max(area.width() / 2, tool->minimumSizeHint().width() + 40),
                         qPrintable(QStringLiteral("%1 is %2 wide over the window").arg(window).arg(tool->frameGeometry().width())));
            // What does not fit scrolls.
            QWidget *inside = tool;
            if (auto *scrolled = qobject_cast<QAbstractScrollArea *>(tool)) {
                if (auto *scroll = qobject_cast<QScrollArea *>(tool))
                    inside = scroll->widget();
                if (inside != tool && inside->minimumSizeHint().width() > scrolled->viewport()->width())
                    QVERIFY(scrolled->horizontalScrollBar()->maximum() > 0);
            }
        };
        checkPlace();
        // The window grows with the zoom; the tool window keeps out of its way.
        w.probe.selection().setZoom(10.0);
        QTest::qWait(50);
        checkPlace();

        if (!takesFocus)
            return;
        QTRY_COMPARE(QApplication::activeWindow(), tool);
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : tool;
        QTest::keyClick(focus, Qt::Key_Escape);
        QTRY_VERIFY(!tool->isVisible());
    }

    void overviewKeys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("keys");   // L, R, U, D for the arrows
        QTest::addColumn<int>("to");

        QTest::newRow("right along the level row") << 4 << "R" << 5;
        QTest::newRow("up a row") << 4 << "U" << 37;
        QTest::newRow("up past the rows without a sprite") << 3 << "U" << 31;
        QTest::newRow("down twice") << 4 << "DD" << 39;
        QTest::newRow("left edge") << 1 << "L" << 1;
        QTest::newRow("no sprite above") << 1 << "U" << 1;
        QTest::newRow("right past empty cells") << 43 << "R" << 15;
        QTest::newRow("round and back") << 10 << "UDLR" << 10;
    }

    void overviewKeys()
    {
        QFETCH(int, from);
        QFETCH(QString, keys);
        QFETCH(int, to);

        TestWindow w(ExchangeTestData(31));
        QVERIFY(w.romWritten);
        ShowWindow(w);
        SpriteOverview *overview = w.editor.findChild<SpriteOverview *>();
        QWidget *tool = overview->window();
        QTRY_VERIFY(tool->isVisible());
        tool->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), tool);
        // Tab reaches the sprites.
        QTest::keyClick(tool, Qt::Key_Tab);
        QVERIFY2(qobject_cast<QToolButton *>(QApplication::focusWidget()), QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "no focus");
        overview->cell(from)->setFocus();
        QCOMPARE(QApplication::focusWidget(), overview->cell(from));
        const int before = w.probe.selection().sprite();
        for (const QChar key : keys) {
            const Qt::Key arrow = key == QLatin1Char('L') ? Qt::Key_Left
                                  : key == QLatin1Char('R') ? Qt::Key_Right
                                  : key == QLatin1Char('U') ? Qt::Key_Up
                                                            : Qt::Key_Down;
            QTest::keyClick(QApplication::focusWidget(), arrow);
        }
        QCOMPARE(QApplication::focusWidget(), overview->cell(to));
        // The arrows only move; Return selects.
        QCOMPARE(w.probe.selection().sprite(), before);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.probe.selection().sprite(), to - 1);
    }

    void messagesKept_data()
    {
        QTest::addColumn<QStringList>("actions");

        QTest::newRow("one") << QStringList{"actionQuickExport"};
        QTest::newRow("newest first") << QStringList{"actionQuickExport", "actionRestoreDefaults", "actionQuickImport"};
        QTest::newRow("the same twice") << QStringList{"actionRestoreRom", "actionRestoreRom"};
    }

    void messagesKept()
    {
        QFETCH(QStringList, actions);

        TestWindow w(ExchangeTestData(31));
        QVERIFY(w.romWritten);
        QDir::setCurrent(w.dir.path());
        QStatusBar *bar = w.editor.StatusBar();
        QStringList shown;
        for (const QString &name : actions) {
            Action(w.editor, name.toLatin1().constData())->trigger();
            QVERIFY(!bar->currentMessage().isEmpty());
            // A message cut at the bar's width is whole in its tooltip.
            QCOMPARE(bar->toolTip(), bar->currentMessage());
            shown.prepend(bar->currentMessage());
        }
        Action(w.editor, "actionMessages")->trigger();
        auto *log = w.editor.findChild<MessageLog *>();
        QVERIFY(log);
        QVERIFY(log->isVisible());
        QCOMPARE(log->messages(), shown);
        auto *text = log->findChild<QPlainTextEdit *>();
        QVERIFY(text->isReadOnly());
        QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByMouse);
        const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), shown.size());
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY2(lines.at(i).endsWith(QStringLiteral("  ") + shown.at(i)), qPrintable(lines.at(i)));
        QDir::setCurrent(QDir::tempPath());
    }

    void accessibleNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("action");   // run first, when given
        QTest::addColumn<bool>("clearMessage");

        QTest::newRow("about label") << "label" << QString() << false;
        QTest::newRow("status bar, a message") << "statusBar" << "actionRestoreDefaults" << false;
        QTest::newRow("status bar, message gone") << "statusBar" << "actionRestoreDefaults" << true;
        QTest::newRow("status bar at start") << "statusBar" << QString() << false;
    }

    void accessibleNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, action);
        QFETCH(bool, clearMessage);

        TestWindow w(ExchangeTestData(31));
        QVERIFY(w.romWritten);
        if (!action.isEmpty())
            Action(w.editor, action.toLatin1().constData())->trigger();
        QStatusBar *bar = w.editor.StatusBar();
        if (clearMessage)
            bar->clearMessage();
        QWidget *widget = Control(w.editor, control.toLatin1().constData());
        if (control == QLatin1String("label")) {
            QCOMPARE(widget->accessibleName(), QStringLiteral("About this program"));
            QCOMPARE(widget->accessibleName(), widget->toolTip());
            return;
        }
        // What the bar shows: the message, or the ROM's line when there is none.
        const QString romLine = Control<QLabel>(w.editor, "labelRomInfo")->text();
        QVERIFY(!romLine.isEmpty());
        QCOMPARE(widget->accessibleName(), bar->currentMessage().isEmpty() ? romLine : bar->currentMessage());
    }
};

QTEST_MAIN(TestFirstSession)
#include "tst_firstsession.moc"
