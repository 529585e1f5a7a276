// The window on a 1280 x 1024 screen, run at scale 1 and (by a second test
// entry with QT_SCALE_FACTOR=2) at scale 2: it grows with the zoom while the
// screen has room, then stops at the screen's size and the sprite scrolls,
// with every control on screen.
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "editor/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "windowcontrols.h"

class TestScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void windowStaysOnScreen_data();
    void windowStaysOnScreen();
    void zoomToFitShowsTheWholeSprite();
};

void TestScreenFit::windowStaysOnScreen_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("characteristics");
    QTest::newRow("zoom 3") << 3.0 << false;
    QTest::newRow("zoom 10") << 10.0 << false;
    QTest::newRow("zoom 10, characteristics") << 10.0 << true;
}

void TestScreenFit::windowStaysOnScreen()
{
    QFETCH(double, zoom);
    QFETCH(bool, characteristics);
    TestWindow w(ExchangeTestData(1));
    QVERIFY(w.romWritten);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    if (characteristics)
        QTest::mouseClick(Control(w.editor, "labelShowCharacteristics"), Qt::LeftButton);
    w.probe.selection().setZoom(zoom);
    QApplication::processEvents();

    const QRect screen = w.editor.screen()->availableGeometry();
    // It stops at the screen's size, or at its own smallest size where that is larger.
    const QSize bound = screen.size().expandedTo(w.editor.minimumSizeHint());
    QVERIFY2(w.editor.width() <= bound.width() && w.editor.height() <= bound.height(),
             qPrintable(QStringLiteral("%1 x %2 on %3 x %4").arg(w.editor.width()).arg(w.editor.height())
                            .arg(screen.width()).arg(screen.height())));
    for (const char *name : {"labelSaveChanges", "labelRestoreDefaults", "label", "pushButtonQuickOut",
                             "comboBoxPalette", "pushButtonResetCarMovings"}) {
        QWidget *control = Control(w.editor, name);
        const QRect inWindow(control->mapTo(&w.editor, QPoint(0, 0)), control->size());
        QVERIFY2(w.editor.rect().contains(inWindow), name);
    }
    QVERIFY(w.editor.rect().contains(QRect(w.editor.StatusBar()->mapTo(&w.editor, QPoint(0, 0)),
                                           w.editor.StatusBar()->size())));

    // The whole sprite when it fits, scroll bars when it does not.
    auto *scroller = w.editor.findChild<QScrollArea *>(QStringLiteral("spriteScroller"));
    QVERIFY(scroller);
    auto *view = w.editor.findChild<SpriteView *>();
    const bool whole = scroller->viewport()->width() >= view->sizeHint().width()
        && scroller->viewport()->height() >= view->sizeHint().height();
    const bool scrolls = scroller->horizontalScrollBar()->maximum() > 0 || scroller->verticalScrollBar()->maximum() > 0;
    QCOMPARE(scrolls, !whole);
    // At scale 1 the screen has room for the whole window at zoom 3.
    if (zoom == 3.0 && w.editor.devicePixelRatio() == 1.0)
        QVERIFY(whole);
    if (whole) {
        // Extra room centres the sprite.
        w.editor.resize(w.editor.width() + 100, w.editor.height() + 60);
        QApplication::processEvents();
        const QRect sprite = view->spriteRect();
        const QPoint centre = view->mapTo(scroller->viewport(), sprite.center());
        QVERIFY(qAbs(centre.x() - scroller->viewport()->width() / 2) <= 1);
        QVERIFY(qAbs(centre.y() - scroller->viewport()->height() / 2) <= 1);
    }
}

void TestScreenFit::zoomToFitShowsTheWholeSprite()
{
    TestWindow w(ExchangeTestData(2));
    QVERIFY(w.romWritten);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    w.probe.selection().setZoom(10.0);
    QApplication::processEvents();
    w.editor.findChild<QAction *>(QStringLiteral("actionZoomToFit"))->trigger();
    QApplication::processEvents();
    auto *scroller = w.editor.findChild<QScrollArea *>(QStringLiteral("spriteScroller"));
    QCOMPARE(scroller->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(scroller->verticalScrollBar()->maximum(), 0);
    // One step more would not have fitted.
    const double fitted = w.probe.selection().zoom();
    if (fitted < 10.0) {
        const QSize larger = QSize(48, 48) * (fitted + 1.0);
        const QSize room = scroller->maximumViewportSize() + (w.editor.screen()->availableGeometry().size() - w.editor.size());
        QVERIFY(larger.width() > room.width() || larger.height() > room.height());
    }
}

// A 1280 x 1024 screen for the offscreen platform, before the application starts.
int main(int argc, char **argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 2;
    file.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1280, "height": 1024,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", QStringLiteral("offscreen:configfile=%1").arg(config).toLocal8Bit());
    QApplication app(argc, argv);
    TestScreenFit test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_screenfit.moc"
