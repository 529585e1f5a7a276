#include <QtTest>

#include <optional>

#include "view/pixeltools.h"
#include "view/spritecomposer.h"
#include "view/zoom.h"
#include "viewtestdata.h"

using OptionalPoint = std::optional<QPoint>;
Q_DECLARE_METATYPE(OptionalPoint)

namespace {

const QColor kBackground(1, 2, 3);

// Palette entry i is grey i: the digit a shown pixel carries.
Palette DigitPalette()
{
    Palette palette;
    for (int i = 0; i < kColorsPerPalette; ++i)
        palette.append(QColor(i, i, i));
    return palette;
}

// What the view really shows at every position of the zoomed picture: the
// stored pixel (y * 48 + x), written base 15 with digits 1..15 into three
// sprites, composed and scaled as the view does; -1 where background shows.
QList<int> ShownStoredPixels(const SpriteViewMapping &mapping, QSize size)
{
    QList<int> result(size.width() * size.height(), 0);
    int weight = 1;
    for (int digit = 0; digit < 3; ++digit, weight *= 15) {
        SpritePixels sprite(kPixelsPerSprite);
        for (int n = 0; n < kPixelsPerSprite; ++n) {
            const QPoint p = SpritePixelPosition(n);
            sprite[n] = (p.y() * 48 + p.x()) / weight % 15 + 1;
        }
        const QImage shown = ScaleNearest(
            ComposeSpriteImage(&sprite, DigitPalette(), kBackground, mapping.offset, mapping.mirrored, false)
                .convertToFormat(QImage::Format_RGB32),
            size);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                int &value = result[y * size.width() + x];
                const QRgb color = shown.pixel(x, y);
                value = (color == kBackground.rgb() || value < 0) ? -1 : value + (qRed(color) - 1) * weight;
            }
    }
    return result;
}

} // namespace

// Drawing on a sprite: where the mouse draws, lines, fill, stroke changes.
class TestPixelTools : public QObject
{
    Q_OBJECT

private slots:
    void mappingMatchesComposer_data();
    void mappingMatchesComposer();
    void storedPixelAt_data();
    void storedPixelAt();
    void lineEnds_data();
    void lineEnds();
    void lineChangesClipAndSkip();
    void fill_data();
    void fill();
    void strokeKeepsNetChanges();
};

void TestPixelTools::mappingMatchesComposer_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QPoint>("offset");

    const QList<QPoint> offsets{QPoint(0, 0), QPoint(5, -3), QPoint(-47, 10), QPoint(48, 0)};
    for (double zoom : {0.3, 1.0, 1.1, 4.9, 10.0})
        for (bool mirrored : {false, true})
            for (const QPoint &offset : offsets)
                QTest::addRow("zoom %.1f%s offset %d,%d", zoom, mirrored ? " mirrored" : "", offset.x(), offset.y())
                    << zoom << mirrored << offset;
}

void TestPixelTools::mappingMatchesComposer()
{
    QFETCH(double, zoom);
    QFETCH(bool, mirrored);
    QFETCH(QPoint, offset);

    // Every position of the zoomed picture maps to the stored pixel shown there.
    const SpriteViewMapping mapping{zoom, mirrored, offset};
    const QSize size = ZoomedSize(QSize(48, 48), zoom);
    const QList<int> expected = ShownStoredPixels(mapping, size);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const OptionalPoint stored = StoredPixelAt(QPointF(x + 0.5, y + 0.5), mapping);
            const int want = expected.at(y * size.width() + x);
            const int got = stored ? stored->y() * 48 + stored->x() : -1;
            if (got != want)
                QFAIL(qPrintable(QStringLiteral("at %1,%2: %3 instead of %4").arg(x).arg(y).arg(got).arg(want)));
            if (stored)   // and back to the shown frame pixel
                QCOMPARE(ShownPixelOf(*stored, mirrored, offset), ShownPixelAt(QPointF(x, y), zoom));
        }
    }
    QCOMPARE(StoredPixelAt(QPointF(size.width(), 0), mapping), OptionalPoint());
    QCOMPARE(StoredPixelAt(QPointF(0, size.height()), mapping), OptionalPoint());
}

void TestPixelTools::storedPixelAt_data()
{
    QTest::addColumn<QPointF>("position");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<OptionalPoint>("stored");

    QTest::newRow("mirrored, moved") << QPointF(5, 5) << 10.0 << true << QPoint(2, 1) << OptionalPoint(QPoint(45, 1));
    QTest::newRow("moved far away") << QPointF(50, 50) << 3.0 << false << QPoint(1000, -1000) << OptionalPoint();
    QTest::newRow("left of the picture") << QPointF(-0.5, 3) << 3.0 << false << QPoint() << OptionalPoint();
    QTest::newRow("not a number") << QPointF(qQNaN(), 1) << 3.0 << false << QPoint() << OptionalPoint();
}

void TestPixelTools::storedPixelAt()
{
    QFETCH(QPointF, position);
    QFETCH(double, zoom);
    QFETCH(bool, mirrored);
    QFETCH(QPoint, offset);
    QFETCH(OptionalPoint, stored);
    QCOMPARE(StoredPixelAt(position, SpriteViewMapping{zoom, mirrored, offset}), stored);
}

void TestPixelTools::lineEnds_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");

    QTest::newRow("one pixel") << QPoint(4, 4) << QPoint(4, 4);
    QTest::newRow("horizontal, backwards") << QPoint(10, 3) << QPoint(2, 3);
    QTest::newRow("vertical") << QPoint(0, 0) << QPoint(0, 47);
    QTest::newRow("shallow") << QPoint(0, 0) << QPoint(47, 5);
    QTest::newRow("steep, up left") << QPoint(30, 40) << QPoint(27, 1);
    QTest::newRow("diagonal") << QPoint(47, 0) << QPoint(0, 47);
    QTest::newRow("outside the frame") << QPoint(-5, 60) << QPoint(70, -2);
}

void TestPixelTools::lineEnds()
{
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);

    const QList<QPoint> line = LinePixels(from, to);
    QCOMPARE(line.first(), from);
    QCOMPARE(line.last(), to);
    const QPoint span = to - from;
    QCOMPARE(line.size(), std::max(std::abs(span.x()), std::abs(span.y())) + 1);
    for (int i = 1; i < line.size(); ++i) {   // no gaps: every step to a neighbour
        const QPoint step = line.at(i) - line.at(i - 1);
        QVERIFY(std::abs(step.x()) <= 1 && std::abs(step.y()) <= 1);
    }
}

void TestPixelTools::lineChangesClipAndSkip()
{
    // A line into the frame from outside, over a pixel that already has the index.
    SpritePixels sprite = SpriteFromHexRows({QStringLiteral("..7")}, 0, 10);
    const PixelChanges changes = LineChanges(sprite, QPoint(-5, 10), QPoint(5, 10), 7);
    QCOMPARE(changes.size(), 5);
    QCOMPARE(changes.first(), (PixelChange{SpritePixelIndex(0, 10), 0, 7}));
    QCOMPARE(changes.last(), (PixelChange{SpritePixelIndex(5, 10), 0, 7}));

    // A short sprite: positions past its end are not there to change.
    const SpritePixels shortSprite(10, 0);
    QCOMPARE(LineChanges(shortSprite, QPoint(0, 0), QPoint(47, 0), 1).size(), 8);
}

void TestPixelTools::fill_data()
{
    QTest::addColumn<SpritePixels>("sprite");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("count");

    const SpritePixels empty(kPixelsPerSprite, 0);
    QTest::newRow("whole frame") << empty << QPoint(20, 30) << 3 << kPixelsPerSprite;
    QTest::newRow("same index") << empty << QPoint(20, 30) << 0 << 0;
    QTest::newRow("outside the frame") << empty << QPoint(48, 0) << 3 << 0;
    QTest::newRow("diagonal neighbours are apart")
        << SpriteFromHexRows({QStringLiteral("1."), QStringLiteral(".1")}, 7, 23) << QPoint(7, 23) << 2 << 1;
    // A ring of 2 from (10,10) to (20,20): inside and outside stay apart.
    SpritePixels ring = SpriteWithRect(QRect(10, 10, 11, 11), 2);
    for (int y = 11; y < 20; ++y)
        for (int x = 11; x < 20; ++x)
            ring[SpritePixelIndex(x, y)] = 0;
    QTest::newRow("inside a ring") << ring << QPoint(15, 15) << 4 << 81;
    QTest::newRow("outside a ring") << ring << QPoint(47, 47) << 4 << kPixelsPerSprite - 121;
    QTest::newRow("across strip edges")
        << SpriteWithRect(QRect(4, 20, 8, 8), 5) << QPoint(11, 27) << 6 << 64;
}

void TestPixelTools::fill()
{
    QFETCH(SpritePixels, sprite);
    QFETCH(QPoint, at);
    QFETCH(int, index);
    QFETCH(int, count);

    const PixelChanges changes = FillChanges(sprite, at, index);
    QCOMPARE(changes.size(), count);
    if (count == 0)
        return;
    const int target = *PixelIndexAt(sprite, at);
    SpritePixels filled = sprite;
    ApplyPixelChanges(filled, changes);
    // Every changed pixel had the clicked index, and no pixel of that index is
    // left next to a filled one.
    for (const PixelChange &change : changes) {
        QCOMPARE(change.before, target);
        QCOMPARE(change.after, index);
        const QPoint p = SpritePixelPosition(change.index);
        for (const QPoint &next : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)})
            QVERIFY(PixelIndexAt(filled, next).value_or(-1) != target);
    }
    QCOMPARE(*PixelIndexAt(filled, at), index);
}

void TestPixelTools::strokeKeepsNetChanges()
{
    SpritePixels sprite(kPixelsPerSprite, 0);
    PixelStroke stroke;
    const auto draw = [&](QPoint from, QPoint to, int index) {
        const PixelChanges changes = LineChanges(sprite, from, to, index);
        ApplyPixelChanges(sprite, changes);
        stroke.add(changes);
    };
    draw(QPoint(0, 0), QPoint(3, 0), 5);
    draw(QPoint(2, 0), QPoint(3, 0), 0);   // back to where they were
    draw(QPoint(1, 0), QPoint(1, 1), 9);
    const PixelChanges net = stroke.changes();
    QCOMPARE(net, (PixelChanges{{SpritePixelIndex(0, 0), 0, 5}, {SpritePixelIndex(1, 0), 0, 9},
                                {SpritePixelIndex(1, 1), 0, 9}}));

    // Undoing the net changes gives the sprite before the stroke.
    RevertPixelChanges(sprite, net);
    QCOMPARE(sprite, SpritePixels(kPixelsPerSprite, 0));

    stroke.clear();
    draw(QPoint(4, 4), QPoint(4, 4), 3);
    draw(QPoint(4, 4), QPoint(4, 4), 0);
    QVERIFY(stroke.changes().isEmpty());   // a stroke that changed nothing
}

QTEST_APPLESS_MAIN(TestPixelTools)
#include "tst_pixeltools.moc"
