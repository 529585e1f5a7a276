// The window on a 1280 x 1024 screen, run at scale 1 and (by a second test
// entry with QT_SCALE_FACTOR=2) at scale 2: it grows with the zoom while the
// screen has room, then stops at the screen's size; the sprite scrolls, and
// the panels too where even the smallest sprite area leaves them too little
// room. Every control stays reachable.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "editor/widgets/qclicklabel.h"
#include "editor/widgets/spritescroller.h"
#include "editor/displays/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "windowcontrols.h"

namespace {

// Layout passes, scroll bar updates and the window's second fit are posted
// one after the other.
void Settle()
{
    for (int pass = 0; pass < 8; ++pass)
        QApplication::processEvents();
}

QRect RectIn(const QWidget *widget, const QWidget *ancestor)
{
    return QRect(widget->mapTo(ancestor, QPoint(0, 0)), widget->size());
}

QString Describe(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3 x %4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

// What a user works with: buttons, fields, lists, sliders, the clickable labels.
QList<QWidget *> VisibleControls(QWidget &window)
{
    QList<QWidget *> controls;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (!widget->isVisible() || widget->window() != &window || qobject_cast<QScrollBar *>(widget) || qobject_cast<SpriteView *>(widget))
            continue;
        if (qobject_cast<QAbstractButton *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
            || qobject_cast<QComboBox *>(widget) || qobject_cast<QSlider *>(widget)
            || qobject_cast<QClickLabel *>(widget) || qobject_cast<QStatusBar *>(widget)
            || qobject_cast<SpriteScroller *>(widget))
            controls << widget;
    }
    return controls;
}

struct Window : TestWindow
{
    Window() : TestWindow(ExchangeTestData(1))
    {
        editor.show();
        panels = editor.findChild<QScrollArea *>(QStringLiteral("panelScroller"));
        sprite = editor.findChild<SpriteScroller *>(QStringLiteral("spriteScroller"));
        view = editor.findChild<SpriteView *>();
    }

    // The middle of the sprite area shows the middle of the view (to the pixel).
    bool isCentred() const
    {
        const QPoint off = view->mapTo(sprite->viewport(), view->rect().center()) - sprite->viewport()->rect().center();
        if (qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1)
            return true;
        qWarning("%d, %d off the middle", off.x(), off.y());
        return false;
    }

    QScrollArea *panels = nullptr;
    SpriteScroller *sprite = nullptr;
    SpriteView *view = nullptr;
};

} // namespace

class TestScreenFit : public QObject
{
    Q_OBJECT

private slots:
    void everyControlIsReachable_data();
    void everyControlIsReachable();
    void scrolledViewKeepsItsCentre();
    void zoomToFitShowsTheWholeSprite();
    void wheelZoomsAboutThePointer_data();
    void wheelZoomsAboutThePointer();
};

void TestScreenFit::everyControlIsReachable_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("characteristics");
    for (const double zoom : {1.0, 3.0, 10.0}) {
        QTest::addRow("zoom %g", zoom) << zoom << false;
        QTest::addRow("zoom %g, characteristics", zoom) << zoom << true;
    }
}

void TestScreenFit::everyControlIsReachable()
{
    QFETCH(double, zoom);
    QFETCH(bool, characteristics);
    Window w;
    QVERIFY(w.romWritten);
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    QVERIFY(w.panels && w.sprite && w.view);
    if (characteristics)
        QTest::mouseClick(Control(w.editor, "labelShowCharacteristics"), Qt::LeftButton);
    w.probe.selection().setZoom(zoom);
    Settle();

    // The whole window, frame and all, on the screen.
    const QRect screen = w.editor.screen()->availableGeometry();
    QVERIFY2(screen.contains(w.editor.frameGeometry()),
             qPrintable(Describe(w.editor.frameGeometry()) + QStringLiteral(" on ") + Describe(screen)));
    // A screen of this size at scale 1 has room for the panels as they are;
    // at scale 2 they scroll up and down, but never sideways for want of
    // room for their scroll bar.
    const bool scale1 = w.editor.devicePixelRatio() == 1.0;
    if (scale1)
        QCOMPARE(w.panels->verticalScrollBar()->maximum(), 0);
    QCOMPARE(w.panels->horizontalScrollBar()->maximum(), 0);
    QVERIFY(w.editor.rect().contains(RectIn(w.panels->viewport(), &w.editor)));

    // Each control inside the window, or inside the panels' visible part once scrolled to.
    const QList<QWidget *> controls = VisibleControls(w.editor);
    QVERIFY(controls.size() > 40);
    for (QWidget *control : controls) {
        if (w.panels->widget()->isAncestorOf(control)) {
            // The whole control (ensureWidgetVisible would settle for a field's text cursor).
            const QRect area = RectIn(control, w.panels->widget());
            w.panels->ensureVisible(area.center().x(), area.center().y(), area.width() / 2 + 1, area.height() / 2 + 1);
            Settle();
            QVERIFY2(w.panels->viewport()->rect().contains(RectIn(control, w.panels->viewport())),
                     qPrintable(control->objectName() + QLatin1Char(' ') + Describe(RectIn(control, w.panels->viewport()))
                                + QStringLiteral(" in ") + Describe(w.panels->viewport()->rect())));
        } else {
            QVERIFY2(w.editor.rect().contains(RectIn(control, &w.editor)), qPrintable(control->objectName()));
        }
    }
    QVERIFY(controls.contains(w.editor.StatusBar()));

    // The whole sprite when it fits, scroll bars when it does not; scrolled, it opens centred.
    const bool whole = w.sprite->viewport()->width() >= w.view->sizeHint().width()
        && w.sprite->viewport()->height() >= w.view->sizeHint().height();
    const bool scrolls = w.sprite->horizontalScrollBar()->maximum() > 0 || w.sprite->verticalScrollBar()->maximum() > 0;
    QCOMPARE(scrolls, !whole);
    if (scale1 && zoom <= 3.0)
        QVERIFY(whole);
    QVERIFY(w.isCentred());
    if (whole) {
        // Extra room centres the sprite.
        w.editor.resize(w.editor.width() + 100, w.editor.height() + 60);
        Settle();
        const QPoint centre = w.view->mapTo(w.sprite->viewport(), w.view->spriteRect().center());
        QVERIFY(qAbs(centre.x() - w.sprite->viewport()->width() / 2) <= 1);
        QVERIFY(qAbs(centre.y() - w.sprite->viewport()->height() / 2) <= 1);
    }
}

void TestScreenFit::scrolledViewKeepsItsCentre()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    // Small enough that the sprite scrolls at zoom 10 and 6.
    w.editor.setMaximumSize(w.editor.minimumSizeHint().expandedTo(QSize(420, 400)));
    w.probe.selection().setZoom(10.0);
    Settle();
    QScrollBar *across = w.sprite->horizontalScrollBar();
    QScrollBar *down = w.sprite->verticalScrollBar();
    QVERIFY(across->maximum() > 0 && down->maximum() > 0);
    QVERIFY(w.isCentred());

    // Scrolled to the top left quarter, then zoomed out: the same point stays in the middle.
    across->setValue(across->maximum() / 4);
    down->setValue(down->maximum() / 4);
    const QPointF middle = w.sprite->shownCentre();
    QVERIFY(middle.x() < 0.5 && middle.y() < 0.5);
    w.probe.selection().setZoom(6.0);
    Settle();
    QVERIFY(across->maximum() > 0 && down->maximum() > 0);
    QCOMPARE(w.sprite->shownCentre(), middle);
    const QPoint shown = w.view->mapFrom(w.sprite->viewport(), w.sprite->viewport()->rect().center());
    QVERIFY(qAbs(shown.x() - middle.x() * w.view->width()) <= 1.5);
    QVERIFY(qAbs(shown.y() - middle.y() * w.view->height()) <= 1.5);

    // The keyboard's pixel cursor stays in view in the far corner too.
    for (const QPoint pixel : {QPoint(47, 47), QPoint(0, 0), QPoint(40, 3)}) {
        w.view->setPixelCursor(pixel);
        Settle();
        const QRect picture = w.view->spriteRect();
        const QPoint at(picture.left() + (2 * pixel.x() + 1) * picture.width() / 96,
                        picture.top() + (2 * pixel.y() + 1) * picture.height() / 96);
        QVERIFY2(w.sprite->viewport()->rect().contains(w.view->mapTo(w.sprite->viewport(), at)),
                 qPrintable(QStringLiteral("%1, %2").arg(pixel.x()).arg(pixel.y())));
    }

    // Once all of it fits again, the next scroll starts from the middle.
    w.probe.selection().setZoom(1.0);
    Settle();
    w.probe.selection().setZoom(10.0);
    Settle();
    QVERIFY(w.isCentred());
}

void TestScreenFit::zoomToFitShowsTheWholeSprite()
{
    TestWindow w(ExchangeTestData(2));
    QVERIFY(w.romWritten);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    w.probe.selection().setZoom(10.0);
    Settle();
    w.editor.findChild<QAction *>(QStringLiteral("actionZoomToFit"))->trigger();
    Settle();
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

void TestScreenFit::wheelZoomsAboutThePointer_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<QPointF>("at");   // where the pointer is, as a share of the area
    QTest::addColumn<int>("steps");    // wheel notches, in when positive

    QTest::newRow("in at the top left") << 6.0 << QPointF(0.25, 0.25) << 1;
    QTest::newRow("in at the bottom right") << 6.0 << QPointF(0.8, 0.7) << 2;
    QTest::newRow("out near an edge") << 10.0 << QPointF(0.1, 0.5) << -1;
}

void TestScreenFit::wheelZoomsAboutThePointer()
{
    QFETCH(double, from);
    QFETCH(QPointF, at);
    QFETCH(int, steps);
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    w.editor.setMaximumSize(w.editor.minimumSizeHint().expandedTo(QSize(420, 400)));
    w.probe.selection().setZoom(from);
    Settle();
    QWidget *area = w.sprite->viewport();
    const QPoint pointer(qRound(at.x() * area->width()), qRound(at.y() * area->height()));
    // The sprite's pixel (in 1/8 pixels) under the pointer.
    const auto pixelUnder = [&] {
        const QRect picture = w.view->spriteRect();
        const QPoint p = w.view->mapFromGlobal(area->mapToGlobal(pointer)) - picture.topLeft();
        return QPointF(8.0 * 48 * p.x() / picture.width(), 8.0 * 48 * p.y() / picture.height());
    };
    const QPointF before = pixelUnder();
    const bool onPicture = before.x() >= 0 && before.y() >= 0 && before.x() < 384 && before.y() < 384;
    const QPoint inView = w.view->mapFromGlobal(area->mapToGlobal(pointer));
    for (int step = 0; step < std::abs(steps); ++step) {
        QWheelEvent wheel(inView, w.view->mapToGlobal(inView), QPoint(), QPoint(0, steps > 0 ? 120 : -120),
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.view, &wheel);
        Settle();
    }
    QVERIFY(w.probe.selection().zoom() != from);
    // Where the scroll range allows, the same pixel is under the pointer.
    QScrollBar *across = w.sprite->horizontalScrollBar();
    QScrollBar *down = w.sprite->verticalScrollBar();
    const QPointF after = pixelUnder();
    if (onPicture && across->value() > 0 && across->value() < across->maximum())
        QVERIFY2(std::abs(after.x() - before.x()) <= 3.0, qPrintable(QStringLiteral("x %1 -> %2").arg(before.x()).arg(after.x())));
    if (onPicture && down->value() > 0 && down->value() < down->maximum())
        QVERIFY2(std::abs(after.y() - before.y()) <= 3.0, qPrintable(QStringLiteral("y %1 -> %2").arg(before.y()).arg(after.y())));

    // The wheel alone scrolls a picture that scrolls, and leaves the zoom.
    if (down->maximum() > 0) {
        const double zoom = w.probe.selection().zoom();
        down->setValue(down->maximum() / 2);
        const int value = down->value();
        QWheelEvent wheel(inView, w.view->mapToGlobal(inView), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        // The view leaves it to the area, as Qt passes an unhandled wheel on.
        QVERIFY(!QApplication::sendEvent(w.view, &wheel) || !wheel.isAccepted());
        QWheelEvent passed(pointer, area->mapToGlobal(pointer), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
        QApplication::sendEvent(area, &passed);
        Settle();
        QVERIFY(down->value() > value);
        QCOMPARE(w.probe.selection().zoom(), zoom);
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
