#include <QtTest>

#include "view/paletteuse.h"
#include "viewtestdata.h"

namespace {

// Three cars of two sprites. Car 1, sprite 1 holds seven 7s, three 5s and a 15;
// sprite 2 a 5 beside a 7; car 2 has a 7, car 3 only 0s.
SpriteTable TestTable()
{
    const SpritePixels first = SpriteFromHexRows({"7777777", "555", "..f"});
    const SpritePixels second = SpriteFromHexRows({"57"}, 40, 40);
    const SpritePixels blank(kPixelsPerSprite, 0);
    return {{first, second}, {SpriteFromHexRows({"7"}), blank}, {blank, blank}};
}

} // namespace

// The counts behind the drawing index strip: pixels of each index in the
// sprite on show, in its car, and the cars that do not use it.
class TestPaletteUse : public QObject
{
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void text_data();
    void text();
    void outline_data();
    void outline();
};

void TestPaletteUse::counts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("inSprite");
    QTest::addColumn<int>("inCar");
    QTest::addColumn<QList<int>>("unusedIn");
    const int pixels = kPixelsPerSprite;
    QTest::newRow("0") << 0 << pixels - 11 << 2 * pixels - 13 << QList<int>{};
    QTest::newRow("5") << 5 << 3 << 4 << QList<int>{1, 2};
    QTest::newRow("7") << 7 << 7 << 8 << QList<int>{2};
    QTest::newRow("15") << 15 << 1 << 1 << QList<int>{1, 2};
    QTest::newRow("unused") << 9 << 0 << 0 << QList<int>{1, 2};
}

void TestPaletteUse::counts()
{
    QFETCH(int, index);
    QFETCH(int, inSprite);
    QFETCH(int, inCar);
    QFETCH(QList<int>, unusedIn);
    const PaletteUse use = CountPaletteUse(TestTable(), 0, 0);
    QCOMPARE(use.sprite[index], inSprite);
    QCOMPARE(use.car[index], inCar);
    QCOMPARE(use.unusedInCars[index], unusedIn);
}

void TestPaletteUse::text_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one car") << 7 << "index 7: 7 pixels in this sprite, 8 in this car, unused in car 3";
    QTest::newRow("two cars") << 15 << "index 15: 1 pixel in this sprite, 1 in this car, unused in cars 2 and 3";
    QTest::newRow("used everywhere, grouped") << 0 << "index 0: 2,293 pixels in this sprite, 4,595 in this car";
}

void TestPaletteUse::text()
{
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(PaletteUseText(CountPaletteUse(TestTable(), 0, 0), index), expected);
    PaletteUse three;
    three.unusedInCars[1] = {0, 2, 4};
    QVERIFY(PaletteUseText(three, 1).endsWith(QLatin1String("unused in cars 1, 3 and 5")));
}

void TestPaletteUse::outline_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QRect>("shown");   // the pixels the outline goes round
    QTest::newRow("as stored") << QPoint() << false << QRect(2, 1, 3, 1);
    QTest::newRow("moved right 4, up 1") << QPoint(4, 1) << false << QRect(6, 0, 3, 1);
    QTest::newRow("mirrored") << QPoint() << true << QRect(43, 1, 3, 1);
    QTest::newRow("half out of the frame") << QPoint(-3, 0) << false << QRect(0, 1, 2, 1);
}

void TestPaletteUse::outline()
{
    QFETCH(QPoint, offset);
    QFETCH(bool, mirrored);
    QFETCH(QRect, shown);
    const SpritePixels pixels = SpriteFromHexRows({"..aaa"}, 0, 1);
    const QList<QLine> lines = IndexOutline(&pixels, 10, offset, mirrored);
    // A row of w pixels: w edges above, w below, one at each end.
    QCOMPARE(lines.size(), 2 * shown.width() + 2);
    for (const QLine &line : lines) {
        QCOMPARE((line.p2() - line.p1()).manhattanLength(), 1);
        const bool horizontal = line.dy() == 0;
        const bool onTopOrBottom = line.y1() == shown.top() || line.y1() == shown.bottom() + 1;
        const bool onLeftOrRight = line.x1() == shown.left() || line.x1() == shown.right() + 1;
        QVERIFY(horizontal ? onTopOrBottom && line.x1() >= shown.left() && line.x2() <= shown.right() + 1
                           : onLeftOrRight && line.y1() == shown.top());
    }
    QVERIFY(IndexOutline(&pixels, 9, offset, mirrored).isEmpty());
}

QTEST_GUILESS_MAIN(TestPaletteUse)
#include "tst_paletteuse.moc"
