// The onion skin in the window: its neighbours faint behind the sprite in the
// view, following the view and the drawing, the choice of neighbours
// remembered, and nothing of it in what the window writes.
#include <QAccessible>
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"

namespace {

// Car 1: sprite 1 (rotation 0, tilt 0) a single pixel of index 3 at the top
// left, every other sprite all index 5 (sprite 4 all index 2).
CarData OnionData()
{
    CarData data = ExchangeTestData(1);
    for (int s = 0; s < kSpritesPerCar; ++s)
        data.sprites[0][s] = SpritePixels(kPixelsPerSprite, s == 3 ? 2 : 5);
    data.sprites[0][0] = SpritePixels(kPixelsPerSprite, 0);
    data.sprites[0][0][0] = 3;
    return data;
}

QAction *Action(TestWindow &w, const char *id)
{
    return w.editor.findChild<QAction *>(QString::fromLatin1(id));
}

QImage Shown(TestWindow &w)
{
    return w.editor.findChild<SpriteView *>(QStringLiteral("labelSprite"))->sprite().convertToFormat(QImage::Format_RGB888);
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestOnionView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void neighboursShowBehindTheSprite();
    void choiceIsRememberedAndExclusive();
    void writtenPicturesAreUnchanged();

private:
    QTemporaryDir settingsDir;
};

void TestOnionView::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-onionview"));
}

void TestOnionView::init()
{
    QSettings().clear();
}

void TestOnionView::neighboursShowBehindTheSprite()
{
    TestWindow w(OnionData());
    QVERIFY(w.romWritten);
    Selection &selection = w.probe.selection();
    const QImage plain = w.probe.composeSprite(0, 0, false, false, true);
    QCOMPARE(Shown(w), plain);

    Action(w, "actionOnionSkin")->trigger();
    auto *display = w.editor.findChild<SpriteDisplay *>();
    QVERIFY(display->onionSkin());
    QCOMPARE(display->onionNeighbours(), OnionNeighbours::Rotations);
    QCOMPARE(display->onionSprites(), (QList<int>{1, 1}));   // rotation 23 (sprite 2 mirrored) and 1
    const QImage onion = Shown(w);
    QCOMPARE(onion.pixel(0, 0), plain.pixel(0, 0));   // the sprite's own pixel
    QVERIFY(onion.pixel(20, 20) != plain.pixel(20, 20));   // a neighbour behind the background
    const QImage neighbour = w.probe.composeSprite(0, 1, false, false, true);
    const int expectedRed = (qRed(plain.pixel(20, 20)) * 70 + qRed(neighbour.pixel(20, 20)) * 30 + 50) / 100;
    QCOMPARE(qRed(onion.pixel(20, 20)), expectedRed);

    // Drawing on a neighbour shows at once: cleared to index 0, it shows nothing behind.
    w.probe.edit([](DocumentTables &t) { t.sprites[0][1] = SpritePixels(kPixelsPerSprite, 0); });
    QCOMPARE(Shown(w), plain);

    // A step of the view brings other neighbours: rotation 4 has 4 and 6 beside it.
    selection.setRotation(4);
    QCOMPARE(display->onionSprites(), (QList<int>{3, 5}));
    // Tilts at rotation 3: 37 above and 38 below.
    Action(w, "actionOnionTilts")->trigger();
    selection.setRotation(3);
    QCOMPARE(display->onionSprites(), (QList<int>{36, 37}));
    // A view without a sprite of its own keeps the sprite, but its neighbours follow the view.
    selection.setRotation(2);
    selection.setTilt(-3);
    QCOMPARE(selection.sprite(), 2);
    QCOMPARE(display->onionSprites(), (QList<int>{29, 30}));

    Action(w, "actionOnionSkin")->trigger();
    QVERIFY(display->onionSprites().isEmpty());
    QCOMPARE(Shown(w), w.probe.composeSprite(0, 2, false, false, true));
}

void TestOnionView::choiceIsRememberedAndExclusive()
{
    {
        TestWindow w(OnionData());
        QVERIFY(Action(w, "actionOnionRotations")->isChecked());
        QCOMPARE(Action(w, "actionOnionRotations")->text(), QStringLiteral("&Rotations Either Side"));
        auto *menu = w.editor.findChild<QMenu *>(QStringLiteral("menuOnionNeighbours"));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 3);
        // Screen readers name each choice by its visible text.
        QAccessibleInterface *choices = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(choices && choices->childCount() == 3);
        QCOMPARE(choices->child(1)->text(QAccessible::Name), QStringLiteral("Tilts Above and Below"));
        QAccessibleInterface *view = QAccessible::queryAccessibleInterface(menu->parentWidget());
        QVERIFY(view);
        QStringList names;
        for (int i = 0; i < view->childCount(); ++i)
            names << view->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains(QStringLiteral("Onion Skin")) && names.contains(QStringLiteral("Onion Skin Neighbours")),
                 qPrintable(names.join(QLatin1Char('|'))));
        Action(w, "actionOnionMirror")->trigger();
        QVERIFY(!Action(w, "actionOnionRotations")->isChecked());
        QCOMPARE(QSettings().value(QStringLiteral("view/onionNeighbours")).toString(), QStringLiteral("mirror"));
        QVERIFY(!QSettings().contains(QStringLiteral("view/onionSkin")));
        Action(w, "actionOnionSkin")->trigger();
        QCOMPARE(w.editor.findChild<SpriteDisplay *>()->onionSprites(), QList<int>{0});
    }
    {
        TestWindow next(OnionData());
        QVERIFY(Action(next, "actionOnionSkin")->isChecked());
        QVERIFY(Action(next, "actionOnionMirror")->isChecked());
        QCOMPARE(next.editor.findChild<SpriteDisplay *>()->onionNeighbours(), OnionNeighbours::Mirror);
    }
    // A hand-edited value reads as the first choice.
    QSettings().setValue(QStringLiteral("view/onionNeighbours"), QStringLiteral("sideways"));
    TestWindow edited(OnionData());
    QVERIFY(Action(edited, "actionOnionRotations")->isChecked());
    QCOMPARE(edited.editor.findChild<SpriteDisplay *>()->onionNeighbours(), OnionNeighbours::Rotations);
}

void TestOnionView::writtenPicturesAreUnchanged()
{
    TestWindow w(OnionData());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(w.dir.path()));
    const auto writeAll = [&w](const QString &suffix) {
        w.probe.click("pushButtonQuickOut");
        QFile::rename(QStringLiteral("sprite.bmp"), QStringLiteral("sprite-%1.bmp").arg(suffix));
        SelectScope(w.probe, ExchangeScope::Sprite, false, 1, 1);
        w.probe.exportSprites(w.path(QStringLiteral("one-%1.png").arg(suffix)));
        SelectScope(w.probe, ExchangeScope::Car, false, 1, 1);
        w.probe.exportSprites(w.path(QStringLiteral("car-%1.png").arg(suffix)));
    };
    writeAll(QStringLiteral("plain"));
    Action(w, "actionOnionSkin")->trigger();
    QVERIFY(Shown(w) != w.probe.composeSprite(0, 0, false, false, true));
    for (const char *choice : {"actionOnionRotations", "actionOnionMirror"}) {
        Action(w, choice)->trigger();
        writeAll(QString::fromLatin1(choice));
        for (const char *name : {"sprite-%1.bmp", "one-%1.png", "car-%1.png"}) {
            const QByteArray plain = Bytes(w.path(QString::fromLatin1(name).arg(QStringLiteral("plain"))));
            QVERIFY2(!plain.isEmpty(), name);
            QVERIFY2(Bytes(w.path(QString::fromLatin1(name).arg(QString::fromLatin1(choice)))) == plain, name);
        }
    }
    QDir::setCurrent(previous);
}

QTEST_MAIN(TestOnionView)
#include "tst_onionview.moc"
