// The View menu's remembered switches: each under the key and with the
// default that settings files of earlier runs already hold, each one change
// written at once and kept for the next window, and what shows it following
// the switch both ways (the menu and the option).
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "editor/displays/hardwaretilesdisplay.h"
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteoverview.h"
#include "editor/displays/spriteview.h"
#include "editor/state/sessionoption.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "windowcontrols.h"

namespace {

// What a window shows of each switch.
bool Shown(TestWindow &w, const QString &id)
{
    auto *view = w.editor.findChild<SpriteView *>(QStringLiteral("labelSprite"));
    auto *overview = w.editor.findChild<SpriteOverview *>();
    if (id == QLatin1String("actionPixelGrid"))
        return view->isPixelGridVisible();
    if (id == QLatin1String("actionTileGrid"))
        return view->isTileGridVisible();
    if (id == QLatin1String("actionCheckerboard"))
        return w.editor.findChild<SpriteDisplay *>()->checkerboard();
    if (id == QLatin1String("actionConsoleColours"))
        return w.probe.selection().colorModel() == ColorModel::Console;
    if (id == QLatin1String("actionSpriteOverview"))
        return overview->isVisible();
    if (id == QLatin1String("actionOverviewLarge"))
        return overview->scale() == 2;
    if (id == QLatin1String("actionHardwareTiles"))
        return w.editor.findChild<HardwareTilesDisplay *>()->isShown();
    if (id == QLatin1String("actionOnionSkin"))
        return w.editor.findChild<SpriteDisplay *>()->onionSkin();
    if (id == QLatin1String("actionComparePalettes"))
        return w.editor.findChild<QWidget *>(QStringLiteral("paletteComparisonWindow"))->isVisible();
    qFatal("no way to see %s", qPrintable(id));
}

QAction *Action(TestWindow &w, const QString &id)
{
    return w.editor.findChild<QAction *>(id);
}

} // namespace

class TestViewOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void rememberedUnderItsKey_data();
    void rememberedUnderItsKey();
    void everyViewSwitchIsInTheTable();
    void optionTellsOnlyChanges();
    void closingTheOverviewUnticksIt();

private:
    QTemporaryDir settingsDir;
};

void TestViewOptions::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-viewoptions"));
}

void TestViewOptions::init()
{
    QSettings().clear();
}

void TestViewOptions::rememberedUnderItsKey_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("fallback");
    // The keys and defaults of the settings files earlier versions wrote.
    QTest::newRow("pixel grid") << "actionPixelGrid" << "view/pixelGrid" << false;
    QTest::newRow("tile grid") << "actionTileGrid" << "view/tileGrid" << false;
    QTest::newRow("checkerboard") << "actionCheckerboard" << "view/checkerboard" << false;
    QTest::newRow("console colours") << "actionConsoleColours" << "view/consoleColours" << false;
    QTest::newRow("overview") << "actionSpriteOverview" << "view/spriteOverview" << true;
    QTest::newRow("overview at 2x") << "actionOverviewLarge" << "view/spriteOverviewLarge" << false;
    QTest::newRow("onion skin") << "actionOnionSkin" << "view/onionSkin" << false;
    QTest::newRow("hardware tiles") << "actionHardwareTiles" << "view/hardwareTiles" << false;
    QTest::newRow("compare palettes") << "actionComparePalettes" << "view/comparePalettes" << false;
}

void TestViewOptions::rememberedUnderItsKey()
{
    QFETCH(QString, id);
    QFETCH(QString, key);
    QFETCH(bool, fallback);
    {
        TestWindow w(ExchangeTestData(1));
        QVERIFY(w.romWritten);
        w.editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
        QAction *action = Action(w, id);
        QVERIFY(action && action->isCheckable());
        QCOMPARE(action->isChecked(), fallback);
        QCOMPARE(Shown(w, id), fallback);
        QVERIFY(!QSettings().contains(key));

        action->trigger();
        QCOMPARE(QSettings().value(key).toBool(), !fallback);
        QCOMPARE(Shown(w, id), !fallback);
    }
    // The next window starts as the last one ended.
    TestWindow next(ExchangeTestData(2));
    next.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next.editor));
    QCOMPARE(Action(next, id)->isChecked(), !fallback);
    QCOMPARE(Shown(next, id), !fallback);
    Action(next, id)->trigger();
    QCOMPARE(QSettings().value(key).toBool(), fallback);
    QCOMPARE(Shown(next, id), fallback);
}

void TestViewOptions::everyViewSwitchIsInTheTable()
{
    // A new switch of the View menu needs its row above.
    TestWindow w(ExchangeTestData(1));
    auto *view = w.editor.MenuBar()->findChild<QMenu *>(QStringLiteral("menuView"));
    QVERIFY(view);
    QStringList switches;
    for (const QAction *action : view->actions())
        if (action->isCheckable())
            switches << action->objectName();
    QCOMPARE(switches, QStringList({"actionPixelGrid", "actionTileGrid", "actionConsoleColours", "actionCheckerboard",
                                    "actionOnionSkin", "actionHardwareTiles", "actionSpriteOverview", "actionOverviewLarge"}));
}

void TestViewOptions::optionTellsOnlyChanges()
{
    SessionOption<bool> option(QStringLiteral("test/option"), true);
    QCOMPARE(option.value(), true);
    QSignalSpy changed(&option, &SessionOptionBase::changed);
    option.set(true);
    QCOMPARE(changed.size(), 0);
    QVERIFY(!QSettings().contains(QStringLiteral("test/option")));
    option.set(false);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(QSettings().value(QStringLiteral("test/option")).toBool(), false);
    // Another option on the same key reads what was stored.
    QCOMPARE(SessionOption<bool>(QStringLiteral("test/option"), true).value(), false);
}

void TestViewOptions::closingTheOverviewUnticksIt()
{
    TestWindow w(ExchangeTestData(1));
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    auto *overview = w.editor.findChild<SpriteOverview *>();
    QVERIFY(overview->isVisible());
    overview->window()->close();
    QCOMPARE(Action(w, QStringLiteral("actionSpriteOverview"))->isChecked(), false);
    QCOMPARE(QSettings().value(QStringLiteral("view/spriteOverview")).toBool(), false);
}

QTEST_MAIN(TestViewOptions)
#include "tst_viewoptions.moc"
