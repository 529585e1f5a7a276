#include <QtTest>

#include <QMouseEvent>
#include <QToolButton>

#include "editor/widgets/drawingindexstrip.h"
#include "editor/displays/spriteview.h"

using OptionalPoint = std::optional<QPoint>;
Q_DECLARE_METATYPE(OptionalPoint)

namespace {

// A view that records the rectangles it is asked to paint.
class RecordingView : public SpriteView
{
public:
    QList<QRect> painted;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        painted.append(event->rect());
        SpriteView::paintEvent(event);
    }
};

QImage Frame(QRgb fill)
{
    QImage frame(48, 48, QImage::Format_RGB32);
    frame.fill(fill);
    for (int i = 0; i < 48; ++i)
        frame.setPixel(i, (i * 7) % 48, qRgb(i * 5, 200, 40));
    return frame;
}

void Send(QWidget *widget, QEvent::Type type, QPointF position, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

// The drawing view and the drawing index strip.
class TestSpriteView : public QObject
{
    Q_OBJECT

private slots:
    void stroke_data();
    void stroke();
    void pressOutsideAndInterruptedStroke();
    void repaintsOnlyWhatChanged();
    void grids();
    void stripNamesAndSelection();
};

void TestSpriteView::stroke_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<OptionalPoint>("pressed");   // stored pixel under (5, 5)
    QTest::addColumn<OptionalPoint>("moved");     // under (25, 5)

    QTest::newRow("zoom 10") << 10.0 << false << QPoint() << OptionalPoint(QPoint(0, 0)) << OptionalPoint(QPoint(2, 0));
    QTest::newRow("mirrored, moved") << 10.0 << true << QPoint(2, 1) << OptionalPoint(QPoint(45, 1))
                                     << OptionalPoint(QPoint(43, 1));
    QTest::newRow("background from the offset") << 4.0 << false << QPoint(2, 0) << OptionalPoint()
                                                << OptionalPoint(QPoint(4, 1));
}

void TestSpriteView::stroke()
{
    QFETCH(double, zoom);
    QFETCH(bool, mirrored);
    QFETCH(QPoint, offset);
    QFETCH(OptionalPoint, pressed);
    QFETCH(OptionalPoint, moved);

    SpriteView view;
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.setSprite(Frame(qRgb(9, 9, 9)), SpriteViewMapping{zoom, mirrored, offset});
    view.resize(view.sizeHint() + QSize(20, 20));
    QSignalSpy pressSpy(&view, &SpriteView::pixelPressed);
    QSignalSpy moveSpy(&view, &SpriteView::pixelMoved);
    QSignalSpy releaseSpy(&view, &SpriteView::pixelReleased);
    QSignalSpy hoverSpy(&view, &SpriteView::pixelHovered);

    Send(&view, QEvent::MouseButtonPress, QPointF(5, 5), Qt::RightButton, Qt::RightButton);
    QCOMPARE(pressSpy.size(), 1);
    const auto press = pressSpy.at(0).at(0).value<SpriteViewPointer>();
    QCOMPARE(press.stored, pressed);
    QCOMPARE(press.button, Qt::RightButton);

    Send(&view, QEvent::MouseMove, QPointF(6, 6), Qt::NoButton, Qt::RightButton);   // the same pixel
    QCOMPARE(moveSpy.size(), 0);
    Send(&view, QEvent::MouseMove, QPointF(25, 5), Qt::NoButton, Qt::RightButton);
    QCOMPARE(moveSpy.size(), 1);
    QCOMPARE(moveSpy.at(0).at(0).value<SpriteViewPointer>().stored, moved);
    QCOMPARE(hoverSpy.size(), 2);   // the pressed pixel, then the second one
    QCOMPARE(hoverSpy.last().at(1).value<OptionalPoint>(), moved);

    // Outside the picture: no move, but the release still ends the stroke.
    const QPoint outside(view.sizeHint().width() + 5, 1);
    Send(&view, QEvent::MouseMove, outside, Qt::NoButton, Qt::RightButton);
    QCOMPARE(moveSpy.size(), 1);
    Send(&view, QEvent::MouseButtonRelease, outside, Qt::RightButton, Qt::NoButton);
    QCOMPARE(releaseSpy.size(), 1);
    QCOMPARE(releaseSpy.at(0).at(0).value<SpriteViewPointer>().shown, OptionalPoint());
    QVERIFY(!view.isStrokeActive());
}

void TestSpriteView::pressOutsideAndInterruptedStroke()
{
    SpriteView view;
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.setSprite(Frame(qRgb(9, 9, 9)), SpriteViewMapping{3.0, false, QPoint()});
    view.resize(300, 300);
    QSignalSpy pressSpy(&view, &SpriteView::pixelPressed);
    QSignalSpy releaseSpy(&view, &SpriteView::pixelReleased);

    Send(&view, QEvent::MouseButtonPress, QPointF(200, 10), Qt::LeftButton, Qt::LeftButton);   // beside the picture
    Send(&view, QEvent::MouseButtonRelease, QPointF(10, 10), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(pressSpy.size(), 0);
    QCOMPARE(releaseSpy.size(), 0);

    // A stroke cut short (a dialog took the mouse) ends once, with no pixel.
    Send(&view, QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton, Qt::LeftButton);
    view.endStroke();
    view.endStroke();
    QCOMPARE(releaseSpy.size(), 1);
    QCOMPARE(releaseSpy.at(0).at(0).value<SpriteViewPointer>().stored, OptionalPoint());
}

void TestSpriteView::repaintsOnlyWhatChanged()
{
    RecordingView view;
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.setPixelGridVisible(true);
    view.setTileGridVisible(true);
    QImage frame = Frame(qRgb(9, 9, 9));
    view.setSprite(frame, SpriteViewMapping{10.0, false, QPoint()});
    view.resize(view.sizeHint());
    view.setFocusPolicy(Qt::NoFocus);   // no keyboard cursor drawn over the comparison
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();

    view.painted.clear();
    frame.setPixel(3, 4, qRgb(255, 0, 0));
    frame.setPixel(4, 5, qRgb(255, 0, 0));
    view.setSprite(frame, view.mapping());
    QCoreApplication::processEvents();
    QCOMPARE(view.painted, QList<QRect>{QRect(30, 40, 20, 20)});

    view.painted.clear();
    view.setSprite(frame, view.mapping());   // nothing changed
    QCoreApplication::processEvents();
    QVERIFY(view.painted.isEmpty());

    // The picture after the partial update is the one a new view paints.
    SpriteView fresh;
    fresh.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fresh.setPixelGridVisible(true);
    fresh.setTileGridVisible(true);
    fresh.setSprite(frame, view.mapping());
    fresh.resize(fresh.sizeHint());
    QCOMPARE(view.grab().toImage(), fresh.grab().toImage());
}

void TestSpriteView::grids()
{
    SpriteView view;
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.setPixelGridColor(QColor(255, 255, 0));
    view.setTileGridColor(QColor(0, 0, 255));
    const QImage frame = Frame(qRgb(9, 9, 9));
    for (double zoom : {3.0, 4.0}) {
        view.setSprite(frame, SpriteViewMapping{zoom, false, QPoint()});
        view.resize(view.sizeHint());
        const int step = int(zoom);
        view.setPixelGridVisible(false);
        view.setTileGridVisible(false);
        QCOMPARE(view.grab().toImage().pixel(8 * step, 1), qRgb(9, 9, 9));
        view.setPixelGridVisible(true);
        view.setTileGridVisible(true);
        const QImage shown = view.grab().toImage();
        // Pixel lines from zoom 4 up, tile lines at every zoom.
        QCOMPARE(shown.pixel(step, 1), zoom >= 4.0 ? qRgb(255, 255, 0) : qRgb(9, 9, 9));
        QCOMPARE(shown.pixel(8 * step, 1), qRgb(0, 0, 255));
        QCOMPARE(shown.pixel(step - 1, step + 1), qRgb(9, 9, 9));   // inside a pixel
    }
}

void TestSpriteView::stripNamesAndSelection()
{
    DrawingIndexStrip strip;
    QSignalSpy changed(&strip, &DrawingIndexStrip::currentIndexChanged);
    const QList<QToolButton *> buttons = strip.findChildren<QToolButton *>();
    QCOMPARE(buttons.size(), 16);
    QToolButton *seven = strip.swatch(7);
    strip.setColors(Palette(8, QColor(252, 0, 0)), QColor(Qt::gray));
    QCOMPARE(seven->accessibleName(), QStringLiteral("index 7, red 252 green 0 blue 0"));
    for (int i = 0; i < 16; ++i)
        QVERIFY(strip.swatch(i)->accessibleName().startsWith(QStringLiteral("index %1, red ").arg(i)));
    QTest::mouseClick(seven, Qt::LeftButton);
    QTest::mouseClick(seven, Qt::LeftButton);   // already selected: stays marked, no signal
    QCOMPARE(strip.currentIndex(), 7);
    QCOMPARE(changed.size(), 1);
    QVERIFY(seven->isChecked());

    strip.setCurrentIndex(16);   // no such index
    strip.setCurrentIndex(0);
    QCOMPARE(changed.size(), 2);
    QVERIFY(strip.swatch(0)->isChecked());
    QVERIFY(!seven->isChecked());

    // Index 0 shows the background, the others the palette; wheels are not turned here.
    Palette palette;
    for (int i = 0; i < 16; ++i)
        palette.append(QColor(i * 10, 50, 60));
    strip.setColors(palette, QColor(1, 2, 3));
    const auto centre = [&](int i) { return strip.swatch(i)->icon().pixmap(14, 14).toImage().pixel(7, 7); };
    QCOMPARE(centre(0), qRgb(1, 2, 3));
    QCOMPARE(centre(4), qRgb(40, 50, 60));
}

QTEST_MAIN(TestSpriteView)
#include "tst_spriteview.moc"
