// View > Reference Picture in the window: where it lies after moves by mouse
// and keys and after a restart, per car or per view, over or behind the
// sprite, a bad file refused with one message, and nothing of it (nor of any
// other view option) in what the window writes.
#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/controllers/referencecontroller.h"
#include "editor/displays/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"

Q_DECLARE_METATYPE(ReferencePlacement)

namespace {

// Car 1: sprite 1 all index 0 (the test draws on it), the others all index 5.
CarData ReferenceData()
{
    CarData data = ExchangeTestData(1);
    for (int s = 0; s < kSpritesPerCar; ++s)
        data.sprites[0][s] = SpritePixels(kPixelsPerSprite, 5);
    data.sprites[0][0] = SpritePixels(kPixelsPerSprite, 0);
    return data;
}

// A window on a ROM of a folder that outlives it, so that the next window
// on the same file starts as after a restart.
struct Session
{
    explicit Session(const QString &romPath) : editor(romPath, &prompts), probe(editor) { probe.animation().stop(); }
    ~Session() { editor.Recovery().Discard(); }

    ScriptedPrompts prompts;
    SKMcarEditor editor;
    WindowProbe probe;
};

QAction *Action(Session &w, const char *id)
{
    return w.editor.findChild<QAction *>(QString::fromLatin1(id));
}

ReferenceController &Reference(Session &w)
{
    return *w.editor.findChild<ReferenceController *>(QStringLiteral("referenceController"));
}

SpriteView &View(Session &w)
{
    return *w.editor.findChild<SpriteView *>(QStringLiteral("labelSprite"));
}

// A 24 x 12 picture of one colour.
QString WritePicture(const QString &path, QColor colour)
{
    QImage picture(24, 12, QImage::Format_RGB32);
    picture.fill(colour);
    return picture.save(path) ? path : QString();
}

bool Choose(Session &w, const QString &path)
{
    w.prompts.fileAnswers << FileChoice{path, 0};
    Action(w, "actionReferencePicture")->trigger();
    return Reference(w).isShown();
}

// The colour the view shows at the middle of frame pixel (x, y).
QRgb ShownAt(Session &w, int x, int y)
{
    SpriteView &view = View(w);
    const QImage grabbed = view.grab().toImage();
    const QRect area = view.spriteRect();
    const double unit = area.width() / double(kSpriteSide);
    return grabbed.pixel(area.left() + int((x + 0.5) * unit), area.top() + int((y + 0.5) * unit)) & 0xffffff;
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Near(QPointF a, QPointF b)
{
    return std::abs(a.x() - b.x()) < 1e-6 && std::abs(a.y() - b.y()) < 1e-6;
}

} // namespace

class TestReferencePicture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void placementAfterMoveAndRestart_data();
    void placementAfterMoveAndRestart();
    void overOrBehindTheSprite();
    void stepsBackShowWhatIsThere_data();
    void stepsBackShowWhatIsThere();
    void badFileGivesOneMessage_data();
    void badFileGivesOneMessage();
    void writtenPicturesAreUnchanged();

private:
    QTemporaryDir settingsDir;
};

void TestReferencePicture::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-referencepicture"));
}

void TestReferencePicture::init()
{
    QSettings().clear();
}

void TestReferencePicture::placementAfterMoveAndRestart_data()
{
    QTest::addColumn<bool>("perView");
    QTest::addColumn<QString>("moves");   // k: keys, d: Alt+drag, w: Alt+wheel, o: opacity keys, v: over
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("opacity");
    QTest::addColumn<bool>("over");
    // The 24 x 12 picture fits the frame at scale 2, centred: (0, 12).
    QTest::newRow("as chosen, for the car") << false << "" << QPointF(0, 12) << 2.0 << 50 << false;
    QTest::newRow("keys, for the view") << true << "k" << QPointF(1, 10) << 2.0 << 50 << false;
    QTest::newRow("mouse drag with Alt") << false << "d" << QPointF(6, 18) << 2.0 << 50 << false;
    QTest::newRow("wheel with Alt about the frame centre") << false << "w" << QPointF(-2.4, 10.8) << 2.2 << 50 << false;
    QTest::newRow("opacity and over") << true << "ov" << QPointF(0, 12) << 2.0 << 60 << true;
}

void TestReferencePicture::placementAfterMoveAndRestart()
{
    QFETCH(bool, perView);
    QFETCH(QString, moves);
    QFETCH(QPointF, position);
    QFETCH(double, scale);
    QFETCH(int, opacity);
    QFETCH(bool, over);
    const auto check = [&](Session &w, const char *when) {
        const ReferencePlacement placement = Reference(w).placement();
        QVERIFY2(Reference(w).isShown(), when);
        QVERIFY2(Near(placement.position, position),
                 qPrintable(QStringLiteral("%1: %2, %3").arg(QLatin1String(when)).arg(placement.position.x()).arg(placement.position.y())));
        QVERIFY2(std::abs(placement.scale - scale) < 1e-6, when);
        QCOMPARE(placement.opacity, opacity);
        QCOMPARE(placement.over, over);
        QCOMPARE(View(w).referencePlacement().opacity, opacity);
    };
    QTemporaryDir dir;
    const QString romPath = dir.filePath(QStringLiteral("game.rom"));
    QVERIFY(WriteRom(romPath, ReferenceData()));
    {
        Session w(romPath);
        w.editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
        w.probe.selection().setZoom(4.0);
        if (perView)
            Action(w, "actionReferencePerView")->trigger();
        QVERIFY(Choose(w, WritePicture(dir.filePath(QStringLiteral("guide.png")), Qt::red)));
        SpriteView &view = View(w);
        const QRect area = view.spriteRect();
        const double unit = area.width() / double(kSpriteSide);
        if (moves.contains(QLatin1Char('k'))) {
            for (const char *id : {"actionReferenceLeft", "actionReferenceRight", "actionReferenceRight",
                                   "actionReferenceUp", "actionReferenceUp"})
                Action(w, id)->trigger();
        }
        if (moves.contains(QLatin1Char('d'))) {
            const QPoint from = area.topLeft() + QPoint(int(10 * unit), int(10 * unit));
            QTest::mousePress(&view, Qt::LeftButton, Qt::AltModifier, from);
            QTest::mouseMove(&view, from + QPoint(int(3 * unit), int(3 * unit)));
            QTest::mouseMove(&view, from + QPoint(int(6 * unit), int(6 * unit)));
            QTest::mouseRelease(&view, Qt::LeftButton, Qt::AltModifier, from + QPoint(int(6 * unit), int(6 * unit)));
            // A drag with Alt draws nothing.
            QVERIFY(!w.probe.document().isModified());
        }
        if (moves.contains(QLatin1Char('w'))) {
            const QPointF centre = QPointF(area.topLeft()) + QPointF(24, 24) * unit;
            QWheelEvent wheel(centre, view.mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                              Qt::AltModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&view, &wheel);
            QVERIFY(wheel.isAccepted());
        }
        if (moves.contains(QLatin1Char('o'))) {
            Action(w, "actionReferenceMoreOpaque")->trigger();
            Action(w, "actionReferenceMoreOpaque")->trigger();
            QCOMPARE(w.editor.findChild<QSlider *>(QStringLiteral("sliderReferenceOpacity"))->value(), opacity);
        }
        if (moves.contains(QLatin1Char('v')))
            Action(w, "actionReferenceOver")->trigger();
        check(w, "after the moves");
        // Another view of the same car: the car's picture, or none.
        w.probe.selection().setSprite(5);
        QCOMPARE(Reference(w).isShown(), !perView);
        w.probe.selection().setSprite(0);
        check(w, "back on the view");
        // Another car has none.
        w.probe.selection().setCar(1);
        QVERIFY(!Reference(w).isShown());
    }
    {
        Session restarted(romPath);
        check(restarted, "after a restart");
        // Hiding forgets it, also for the next start.
        Action(restarted, "actionHideReference")->trigger();
        QVERIFY(!Reference(restarted).isShown());
        QVERIFY(!View(restarted).hasReference());
    }
    Session hidden(romPath);
    QVERIFY(!Reference(hidden).isShown());
    QVERIFY(!Action(hidden, "actionHideReference")->isEnabled());
    // Another ROM never had one.
    const QString otherRom = dir.filePath(QStringLiteral("other.rom"));
    QVERIFY(WriteRom(otherRom, ReferenceData()));
    Session other(otherRom);
    QVERIFY(!Reference(other).isShown());
}

void TestReferencePicture::overOrBehindTheSprite()
{
    QTemporaryDir dir;
    const QString romPath = dir.filePath(QStringLiteral("game.rom"));
    QVERIFY(WriteRom(romPath, ReferenceData()));
    Session w(romPath);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    w.probe.selection().setZoom(4.0);
    // The left third of sprite 1 in the colour of index 5, as shown.
    QImage drawn = w.probe.composeSprite(0, 0, false, false, false);
    const QRgb five = w.probe.composeSprite(0, 1, false, false, false).pixel(0, 0);
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = 0; x < 16; ++x)
            drawn.setPixel(x, y, five);
    QVERIFY(w.probe.imageToSprite(drawn, 0, 0));
    // The window fits the new zoom.
    QTRY_VERIFY(View(w).spriteRect().left() >= 0 && View(w).spriteRect().right() < View(w).width());
    const QRgb sprite = ShownAt(w, 4, 24), background = ShownAt(w, 40, 24);
    QVERIFY(sprite != background);
    // A red picture, fully opaque, over the middle rows (0, 12)..(48, 36).
    QVERIFY(Choose(w, WritePicture(dir.filePath(QStringLiteral("red.png")), QColor(255, 0, 0))));
    for (int i = 0; i < 10; ++i)
        Action(w, "actionReferenceMoreOpaque")->trigger();
    QCOMPARE(Reference(w).placement().opacity, 100);
    const QRgb red = qRgb(255, 0, 0) & 0xffffff;
    // Behind: in the background only.
    QCOMPARE(ShownAt(w, 4, 24), sprite);
    QCOMPARE(ShownAt(w, 40, 24), red);
    QCOMPARE(ShownAt(w, 40, 4), background);   // above the picture
    // Over: on the sprite too.
    Action(w, "actionReferenceOver")->trigger();
    QCOMPARE(ShownAt(w, 4, 24), red);
    QCOMPARE(ShownAt(w, 40, 24), red);
    QCOMPARE(ShownAt(w, 4, 4), sprite);
    // The frame the view is given stays the sprite's.
    QCOMPARE(View(w).sprite().convertToFormat(QImage::Format_RGB888), w.probe.composeSprite(0, 0, false, false, true));
    // Drawing under it: the view follows at once, the picture stays over it.
    Action(w, "actionReferenceOver")->trigger();
    w.probe.selection().setZoom(2.0);
    QTRY_VERIFY(View(w).spriteRect().left() >= 0 && View(w).spriteRect().right() < View(w).width());
    QCOMPARE(ShownAt(w, 40, 24), red);
    QCOMPARE(ShownAt(w, 4, 24), sprite);
}

void TestReferencePicture::stepsBackShowWhatIsThere_data()
{
    QTest::addColumn<bool>("over");
    QTest::newRow("behind") << false;
    QTest::newRow("over") << true;
}

// The view keeps the zoomed frames of the animation's steps while a
// reference is on: each step back must show what a view made afresh shows,
// also after drawing on a sprite and after the picture moved.
void TestReferencePicture::stepsBackShowWhatIsThere()
{
    QFETCH(bool, over);
    QTemporaryDir dir;
    const QString romPath = dir.filePath(QStringLiteral("game.rom"));
    // Stripes of indices 0..3 that move by one in each sprite: every pixel
    // changes from one rotation to the next.
    CarData data = ExchangeTestData(1);
    for (int s = 0; s < kSpritesPerCar; ++s)
        for (int i = 0; i < kPixelsPerSprite; ++i)
            data.sprites[0][s][i] = (i / 6 + s) % 4;
    QVERIFY(WriteRom(romPath, data));
    Session w(romPath);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    w.probe.selection().setZoom(3.0);
    QImage photo(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    const QString path = dir.filePath(QStringLiteral("photo.png"));
    QVERIFY(photo.save(path));
    QVERIFY(Choose(w, path));
    if (over)
        Action(w, "actionReferenceOver")->trigger();
    SpriteView &view = View(w);
    // The view made afresh: a grid switched on and off builds it anew.
    const auto fresh = [&view] {
        view.setTileGridVisible(!view.isTileGridVisible());
        view.setTileGridVisible(!view.isTileGridVisible());
        return view.grab().toImage();
    };
    const auto step = [&w](int rotation) {
        w.probe.selection().setView(rotation, 0, false);
        QCoreApplication::processEvents();
    };
    // Each rotation as a fresh view shows it, then twice round: the second
    // time from the kept frames.
    const auto round = [&](const char *when) {
        QList<QImage> expected;
        for (int rotation = 0; rotation < 4; ++rotation) {
            step(rotation);
            expected << fresh();
        }
        for (int rotation : {1, 2, 3, 0, 1, 2, 3, 0}) {
            step(rotation);
            QVERIFY2(view.grab().toImage() == expected.at(rotation),
                     qPrintable(QStringLiteral("%1, rotation %2").arg(QLatin1String(when)).arg(rotation)));
        }
    };
    round("as opened");
    // Sprite 1 (rotation 0) drawn on: its kept frame is out of date.
    QImage drawn = w.probe.composeSprite(0, 1, false, false, false);
    QVERIFY(w.probe.imageToSprite(drawn, 0, 0));
    round("after drawing");
    Action(w, "actionReferenceRight")->trigger();
    round("after moving the picture");
}

void TestReferencePicture::badFileGivesOneMessage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not a picture") << "notes.png" << QByteArray("just some text, not a picture\n")
                                   << "not a picture";
    QTest::newRow("empty") << "empty.png" << QByteArray() << "the file is empty";
    QTest::newRow("missing") << "missing.png" << QByteArray("-") << "No such file";
}

void TestReferencePicture::badFileGivesOneMessage()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString romPath = dir.filePath(QStringLiteral("game.rom"));
    QVERIFY(WriteRom(romPath, ReferenceData()));
    Session w(romPath);
    const QString path = dir.filePath(name);
    if (content != "-") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QVERIFY(!Choose(w, path));
    const QStringList messages = w.prompts.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().contains(name) && messages.first().contains(reason), qPrintable(messages.first()));
    QVERIFY(!View(w).hasReference());
    QVERIFY(!QSettings().value(QStringLiteral("view/referencePictures")).toString().contains(name));
}

void TestReferencePicture::writtenPicturesAreUnchanged()
{
    QTemporaryDir dir;
    const QString romPath = dir.filePath(QStringLiteral("game.rom"));
    QVERIFY(WriteRom(romPath, ReferenceData()));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    Session w(romPath);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    const auto writeAll = [&](const QString &suffix) {
        w.probe.click("pushButtonQuickOut");
        QFile::rename(QStringLiteral("sprite.bmp"), QStringLiteral("sprite-%1.bmp").arg(suffix));
        SelectScope(w.probe, ExchangeScope::Sprite, false, 1, 1);
        w.probe.exportSprites(dir.filePath(QStringLiteral("one-%1.png").arg(suffix)));
        SelectScope(w.probe, ExchangeScope::Car, false, 1, 1);
        w.probe.exportSprites(dir.filePath(QStringLiteral("car-%1.png").arg(suffix)));
        Action(w, "actionSave")->trigger();
        QFile::copy(romPath, dir.filePath(QStringLiteral("rom-%1.bin").arg(suffix)));
    };
    writeAll(QStringLiteral("plain"));
    // Every option of the view on, the reference over the sprite and behind it.
    for (const char *id : {"actionOnionSkin", "actionHardwareTiles", "actionPixelGrid", "actionTileGrid",
                           "actionComparePalettes"})
        Action(w, id)->trigger();
    QVERIFY(Choose(w, WritePicture(dir.filePath(QStringLiteral("guide.png")), Qt::red)));
    for (const QString &layer : {QStringLiteral("behind"), QStringLiteral("over")}) {
        if (layer == QLatin1String("over"))
            Action(w, "actionReferenceOver")->trigger();
        writeAll(layer);
        for (const char *name : {"sprite-%1.bmp", "one-%1.png", "car-%1.png", "rom-%1.bin"}) {
            const QByteArray plain = Bytes(dir.filePath(QString::fromLatin1(name).arg(QStringLiteral("plain"))));
            QVERIFY2(!plain.isEmpty(), name);
            QVERIFY2(Bytes(dir.filePath(QString::fromLatin1(name).arg(layer))) == plain, name);
        }
    }
    QDir::setCurrent(previous);
}

QTEST_MAIN(TestReferencePicture)
#include "tst_referencepicture.moc"
