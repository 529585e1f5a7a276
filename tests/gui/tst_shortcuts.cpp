// Every key of every registered command reaches its action wherever the
// focus is in the window: fields that bind the same key themselves (a spin
// box's line edit takes Ctrl+E as "end of line") give it up. The rows come
// from the registry, so a new command is covered without a new test.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <QUndoStack>

#include "editor/controllers/playtestcontroller.h"
#include "editor/displays/spriteoverview.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/window/actionregistry.h"
#include "exchangetestrom.h"
#include "external/programsettings.h"
#include "testwindow.h"
#include "windowcontrols.h"

Q_DECLARE_METATYPE(QKeySequence)

namespace {

// The fourth place is a field that binds every key itself, as a spin box's
// line edit binds Ctrl+E on X11 ("end of line"): the offscreen platform's
// key scheme binds fewer keys, so the test brings its own.
const QStringList kFocusPlaces = {"spin box", "combo box", "sprite view", "field binding the key", "swatch strip",
                                  "overview"};

class GreedyField : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
};

ActionRegistry &Registry(SKMcarEditor &window)
{
    auto *registry = window.findChild<ActionRegistry *>(QStringLiteral("actionRegistry"));
    if (!registry)
        qFatal("the window has no action registry");
    return *registry;
}

SpriteOverview &Overview(SKMcarEditor &window)
{
    return *window.findChild<SpriteOverview *>();
}

// The widget that is to have the focus, in its window made active.
QWidget *FocusOn(TestWindow &w, const QString &place)
{
    QWidget *widget = nullptr;
    if (place == QLatin1String("spin box"))
        widget = Control<QSpinBox>(w.editor, "spinBoxCarNumber");
    else if (place == QLatin1String("combo box"))
        widget = Control<QComboBox>(w.editor, "comboBoxPalette");
    else if (place == QLatin1String("sprite view"))
        widget = Control(w.editor, "labelSprite");
    else if (place == QLatin1String("field binding the key"))
        widget = w.editor.findChild<GreedyField *>();
    else if (place == QLatin1String("swatch strip"))
        widget = w.editor.findChild<DrawingIndexStrip *>()->swatch(3);
    else if (place == QLatin1String("overview"))
        widget = Overview(w.editor).cell(w.probe.selection().sprite() + 1);   // the cell of the sprite on show
    if (!widget)
        return nullptr;
    QWidget *window = widget->window();
    window->show();
    window->activateWindow();
    // A tool window counts as active with its parent: wait for it to have the keyboard itself.
    window->windowHandle()->requestActivate();
    if (!QTest::qWaitFor([window] { return QGuiApplication::focusWindow() == window->windowHandle(); })) {
        qWarning("%s: window not active", qPrintable(place));
        return nullptr;
    }
    widget->setFocus(Qt::OtherFocusReason);
    if (!widget->hasFocus())
        qWarning("%s: no focus, %s has it", qPrintable(place),
                 QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none");
    return widget->hasFocus() ? widget : nullptr;
}

// The command must be able to run: undo and redo need a step to take.
// Keys a text field keeps for itself (a number field gives them to the window).
bool EditsText(const QWidget *focus, const QKeySequence &keys)
{
    if (!qobject_cast<const QLineEdit *>(focus))
        return false;
    for (const QKeySequence::StandardKey standard : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste,
                                                     QKeySequence::SelectAll, QKeySequence::Delete})
        if (QKeySequence::keyBindings(standard).contains(keys))
            return true;
    return false;
}

void MakeRunnable(TestWindow &w, QAction *action)
{
    if (action->isEnabled())
        return;
    if (action->objectName() == QLatin1String("actionPlayTestLive")) {
        // Only an emulator named like MAME goes live: a stand-in that ends at once.
        const QString standIn = w.path(QStringLiteral("mame"));
        WriteTestFile(standIn, "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(standIn, QFile::permissions(standIn) | QFile::ExeOwner);
        QSettings settings;
        if (!StoreExternalPrograms(settings, {QStringLiteral("'%1' %f").arg(standIn), QStringLiteral("true %f")}))
            qFatal("cannot store the emulator command");
        w.editor.findChild<PlayTestController *>(QStringLiteral("playTestController"))->UpdateLiveAction();
        return;
    }
    // The selection's commands want a selection.
    Registry(w.editor).action(QStringLiteral("actionSelectAll"))->trigger();
    if (action->isEnabled())
        return;
    QUndoStack *stack = w.probe.document().undoStack();
    Registry(w.editor).action(QStringLiteral("actionSwapColours"))->trigger();
    if (action->objectName() == QLatin1String("actionRedo"))
        stack->undo();
}

// What a command opened (the guide, the history, a dialog) goes, so that
// the next key lands in the window again.
void CloseOtherWindows(TestWindow &w)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != &w.editor && top != &Overview(w.editor) && top->isVisible())
            top->close();
}

} // namespace

class TestShortcuts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyKeyFromEveryFocus_data();
    void everyKeyFromEveryFocus();
    void keysRightAfterStart();

private:
    QTemporaryDir settingsDir;
};

void TestShortcuts::initTestCase()
{
    // Programs that start and end at once: the keys may start them freely.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-shortcuts"));
    QSettings settings;
    QVERIFY(StoreExternalPrograms(settings, {QStringLiteral("true %f"), QStringLiteral("true %f")}));
}

void TestShortcuts::everyKeyFromEveryFocus_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QKeySequence>("keys");
    TestWindow w(ExchangeTestData(2));
    int rows = 0;
    for (const QAction *action : Registry(w.editor).actions())
        for (const QKeySequence &keys : action->shortcuts()) {
            QTest::addRow("%s %s", qPrintable(action->objectName()), qPrintable(keys.toString())) << action->objectName()
                                                                                              << keys;
            ++rows;
        }
    // The registry is what the rows come from: it must hold the window's commands.
    QVERIFY(rows >= 15);
}

void TestShortcuts::everyKeyFromEveryFocus()
{
    QFETCH(QString, id);
    QFETCH(QKeySequence, keys);
    TestWindow w(ExchangeTestData(3));
    QVERIFY(w.romWritten);
    QDir::setCurrent(w.dir.path());
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    auto *greedy = new GreedyField(Control(w.editor, "groupBox"));
    greedy->show();
    QAction *action = Registry(w.editor).action(id);
    QVERIFY(action);
    QSignalSpy triggered(action, &QAction::triggered);
    for (const QString &place : kFocusPlaces) {
        CloseOtherWindows(w);
        MakeRunnable(w, action);
        QWidget *focus = FocusOn(w, place);
        QVERIFY2(focus, qPrintable(place));
        const qsizetype before = triggered.size();
        QTest::keySequence(focus, keys);
        if (EditsText(focus, keys)) {
            // A field keeps its own cut, copy, paste, select all and delete.
            QVERIFY2(triggered.size() == before,
                     qPrintable(QStringLiteral("%1 with the focus in the %2").arg(keys.toString(), place)));
            continue;
        }
        QVERIFY2(triggered.size() == before + 1,
                 qPrintable(QStringLiteral("%1 with the focus in the %2").arg(keys.toString(), place)));
    }
    CloseOtherWindows(w);
    QSettings settings;
    QVERIFY(StoreExternalPrograms(settings, {QStringLiteral("true %f"), QStringLiteral("true %f")}));   // as it was
}

void TestShortcuts::keysRightAfterStart()
{
    TestWindow w(ExchangeTestData(4));
    QVERIFY(w.romWritten);
    w.editor.show();
    w.editor.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.editor));
    // Where the focus is at start: the first field of the form, which binds Ctrl+E itself.
    QWidget *start = QApplication::focusWidget();
    QVERIFY(start);
    QVERIFY(qobject_cast<QAbstractSpinBox *>(start) || qobject_cast<QLineEdit *>(start));

    QTest::keyClick(start, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(Registry(w.editor).action(QStringLiteral("actionStopEditingExternally"))->isEnabled(), true);
    QSignalSpy status(&w.probe.statusLog(), &StatusLog::shown);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    QVERIFY2(!status.isEmpty() && status.last().at(0).toString().startsWith(QStringLiteral("Started ")),
             qPrintable(w.prompts.messages().join(QLatin1Char('\n'))));
    w.probe.selection().setPalette(1);
    Registry(w.editor).action(QStringLiteral("actionSwapColours"))->trigger();
    QVERIFY(w.probe.document().isModified());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w.probe.document().isModified());
}

QTEST_MAIN(TestShortcuts)
#include "tst_shortcuts.moc"
