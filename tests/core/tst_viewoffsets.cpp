#include <QtTest>

#include "view/centring.h"
#include "view/offsetediting.h"
#include "view/spritecomposer.h"
#include "viewtestdata.h"

namespace {

const QColor kBackground(218, 218, 218);

Palette GreyscalePalette()
{
    Palette palette;
    for (int i = 0; i < kColorsPerPalette; ++i)
        palette.append(QColor(i * 10, i * 10, i * 10));
    return palette;
}

// A sprite with index 1 filling rect, composed and measured for centring.
QPoint CentreOf(const QRect &rect, const Palette &palette = GreyscalePalette())
{
    const SpritePixels sprite = SpriteWithRect(rect, 1);
    return CentringOffset(ComposeSpriteImage(&sprite, palette, kBackground, QPoint(), false, false), kBackground);
}

} // namespace

// Moving sprites inside their frame: pixel shifts, baking, "move all sprites"
// and automatic centring.
class TestViewOffsets : public QObject
{
    Q_OBJECT

private slots:
    void positionAndIndexAgree();
    void shiftRightByOne();
    void shift_data();
    void shift();
    void shiftKeepsLength();
    void bakeUpByOne();
    void bakeFarOffsetEmptiesSprite_data();
    void bakeFarOffsetEmptiesSprite();
    void bakeZeroesEveryOffset();
    void bakeMatchesView();
    void moveSprite_data();
    void moveSprite();
    void resetCar();
    void centring_data();
    void centring();
    void centringIgnoresBackgroundColouredEntries();
};

void TestViewOffsets::positionAndIndexAgree()
{
    for (int n = 0; n < kPixelsPerSprite; ++n) {
        const QPoint p = SpritePixelPosition(n);
        QCOMPARE(SpritePixelIndex(p.x(), p.y()), n);
    }
    QCOMPARE(SpritePixelPosition(2304), QPoint(-1, -1));
    QCOMPARE(SpritePixelPosition(-1), QPoint(-1, -1));
    QCOMPARE(SpritePixelIndex(48, 0), -1);
    QCOMPARE(SpritePixelIndex(0, -1), -1);
}

void TestViewOffsets::shiftRightByOne()
{
    SpritePixels pixels(kPixelsPerSprite);
    for (int n = 0; n < kPixelsPerSprite; ++n)
        pixels[n] = 1 + n % 15;
    const SpritePixels before = pixels;
    const SpritePixels shifted = ShiftSpritePixels(pixels, 1, 0);

    QCOMPARE(pixels, before);   // the input is left alone
    QCOMPARE(shifted.at(1), pixels.at(0));
    QCOMPARE(shifted.at(192), pixels.at(7));   // x = 7 crosses into the next strip
    for (int y = 0; y < 48; ++y) {
        QCOMPARE(PixelAt(shifted, 0, y), 0);
        for (int x = 1; x < 48; ++x)
            QCOMPARE(PixelAt(shifted, x, y), PixelAt(pixels, x - 1, y));
    }
}

void TestViewOffsets::shift_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");

    QTest::newRow("none") << 0 << 0;
    QTest::newRow("left 3") << -3 << 0;
    QTest::newRow("down 5") << 0 << 5;
    QTest::newRow("up 30, right 20") << 20 << -30;
    QTest::newRow("right 47") << 47 << 0;
    QTest::newRow("right 48") << 48 << 0;
    QTest::newRow("up 100") << 0 << -100;
    QTest::newRow("extreme") << INT_MAX << INT_MIN;
}

void TestViewOffsets::shift()
{
    QFETCH(int, dx);
    QFETCH(int, dy);

    SpritePixels pixels(kPixelsPerSprite);
    for (int n = 0; n < kPixelsPerSprite; ++n)
        pixels[n] = 1 + (n * 7) % 15;
    const SpritePixels shifted = ShiftSpritePixels(pixels, dx, dy);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const qint64 sx = qint64(x) - dx, sy = qint64(y) - dy;
            const bool inside = sx >= 0 && sx < 48 && sy >= 0 && sy < 48;
            const int expected = inside ? PixelAt(pixels, int(sx), int(sy)) : 0;
            QVERIFY2(PixelAt(shifted, x, y) == expected, qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
        }
    }
}

void TestViewOffsets::shiftKeepsLength()
{
    QCOMPARE(ShiftSpritePixels(SpritePixels(100, 3), 1, 0).size(), 100);
    QCOMPARE(ShiftSpritePixels(SpritePixels(), 1, 0).size(), 0);
    const SpritePixels longer = ShiftSpritePixels(SpritePixels(2400, 3), 0, 0);
    QCOMPARE(longer.size(), 2400);
    QCOMPARE(longer.at(2303), 3);
}

void TestViewOffsets::bakeUpByOne()
{
    SpritePixels pixels(kPixelsPerSprite);
    for (int n = 0; n < kPixelsPerSprite; ++n)
        pixels[n] = 1 + SpritePixelPosition(n).y() % 15;
    SpriteTable sprites{{pixels}};
    SpriteOffsets offsets{{QPoint(0, 1)}};
    ApplySpriteOffsets(sprites, offsets);

    const SpritePixels &baked = sprites.at(0).at(0);
    for (int x = 0; x < 48; ++x) {
        for (int y = 0; y < 47; ++y)
            QCOMPARE(PixelAt(baked, x, y), PixelAt(pixels, x, y + 1));
        QCOMPARE(PixelAt(baked, x, 47), 0);
    }
}

void TestViewOffsets::bakeFarOffsetEmptiesSprite_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("right 48") << QPoint(48, 0);
    QTest::newRow("left 48") << QPoint(-48, 0);
    QTest::newRow("up 48") << QPoint(0, 48);
    QTest::newRow("down 60") << QPoint(0, -60);
    QTest::newRow("extreme") << QPoint(INT_MAX, INT_MIN);
}

void TestViewOffsets::bakeFarOffsetEmptiesSprite()
{
    QFETCH(QPoint, offset);
    SpriteTable sprites{{SpritePixels(kPixelsPerSprite, 9)}};
    SpriteOffsets offsets{{offset}};
    ApplySpriteOffsets(sprites, offsets);
    QCOMPARE(sprites.at(0).at(0), SpritePixels(kPixelsPerSprite, 0));
    QCOMPARE(offsets.at(0).at(0), QPoint(0, 0));
}

void TestViewOffsets::bakeZeroesEveryOffset()
{
    // Offsets shaped unlike the table (a car short, a sprite missing): what has
    // an offset is baked, and afterwards every sprite has (0, 0).
    const SpritePixels pixels = SpriteWithRect(QRect(10, 10, 5, 5), 4);
    SpriteTable sprites{{pixels, pixels}, {pixels}};
    SpriteOffsets offsets{{QPoint(1, 0)}};
    ApplySpriteOffsets(sprites, offsets);

    QCOMPARE(sprites.at(0).at(0), SpriteWithRect(QRect(11, 10, 5, 5), 4));
    QCOMPARE(sprites.at(0).at(1), pixels);
    QCOMPARE(sprites.at(1).at(0), pixels);
    QCOMPARE(offsets, (SpriteOffsets{{QPoint(0, 0), QPoint(0, 0)}, {QPoint(0, 0)}}));
}

void TestViewOffsets::bakeMatchesView()
{
    // The picture does not change when the offset moves into the pixels.
    const SpritePixels pixels = SpriteFromHexRows({QStringLiteral("123"), QStringLiteral("4.5"), QStringLiteral("678")}, 20, 30);
    const QPoint offset(-7, 12);
    const QImage before = ComposeSpriteImage(&pixels, GreyscalePalette(), kBackground, offset, true, true);
    SpriteTable sprites{{pixels}};
    SpriteOffsets offsets{{offset}};
    ApplySpriteOffsets(sprites, offsets);
    const QImage after = ComposeSpriteImage(&sprites.at(0).at(0), GreyscalePalette(), kBackground, QPoint(), true, true);
    QCOMPARE(after, before);
}

void TestViewOffsets::moveSprite_data()
{
    QTest::addColumn<QList<QPoint>>("stored");
    QTest::addColumn<int>("current");
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<bool>("wholeCar");
    QTest::addColumn<QList<QPoint>>("expected");

    QTest::newRow("one sprite")
        << QList<QPoint>{QPoint(2, 0), QPoint(0, 0), QPoint(5, -3)} << 0 << QPoint(2, 4) << false
        << QList<QPoint>{QPoint(2, 4), QPoint(0, 0), QPoint(5, -3)};
    QTest::newRow("all sprites keep their distance")
        << QList<QPoint>{QPoint(2, 0), QPoint(0, 0), QPoint(5, -3)} << 0 << QPoint(2, 4) << true
        << QList<QPoint>{QPoint(2, 4), QPoint(0, 4), QPoint(5, 1)};
    // The right box shows 48 for a stored 60; changing up/down sends (48, 1),
    // so every sprite moves by -12 in x as well.
    QTest::newRow("stored x beyond the box range")
        << QList<QPoint>{QPoint(0, 0), QPoint(60, 0), QPoint(-5, 2)} << 1 << QPoint(48, 1) << true
        << QList<QPoint>{QPoint(-12, 1), QPoint(48, 1), QPoint(-17, 3)};
    QTest::newRow("sprite out of range changes nothing")
        << QList<QPoint>{QPoint(1, 1)} << 3 << QPoint(7, 7) << true << QList<QPoint>{QPoint(1, 1)};
    QTest::newRow("negative sprite changes nothing")
        << QList<QPoint>{QPoint(1, 1)} << -1 << QPoint(7, 7) << false << QList<QPoint>{QPoint(1, 1)};
}

void TestViewOffsets::moveSprite()
{
    QFETCH(QList<QPoint>, stored);
    QFETCH(int, current);
    QFETCH(QPoint, target);
    QFETCH(bool, wholeCar);
    QFETCH(QList<QPoint>, expected);

    // Car 1 of two; car 0 must never change.
    SpriteOffsets offsets{{QPoint(9, 9), QPoint(8, 8)}, stored};
    MoveSpriteOffsets(offsets, 1, current, target, wholeCar);
    QCOMPARE(offsets.at(1), expected);
    QCOMPARE(offsets.at(0), (QList<QPoint>{QPoint(9, 9), QPoint(8, 8)}));

    MoveSpriteOffsets(offsets, 2, 0, target, wholeCar);   // no such car
    QCOMPARE(offsets.size(), 2);
}

void TestViewOffsets::resetCar()
{
    SpriteOffsets offsets{{QPoint(1, 2), QPoint(3, 4)}, {QPoint(5, 6)}};
    ResetCarOffsets(offsets, 0);
    QCOMPARE(offsets, (SpriteOffsets{{QPoint(0, 0), QPoint(0, 0)}, {QPoint(5, 6)}}));
    ResetCarOffsets(offsets, 7);
    ResetCarOffsets(offsets, -1);
    QCOMPARE(offsets, (SpriteOffsets{{QPoint(0, 0), QPoint(0, 0)}, {QPoint(5, 6)}}));
}

void TestViewOffsets::centring_data()
{
    QTest::addColumn<QRect>("filled");
    QTest::addColumn<QPoint>("offset");

    QTest::newRow("rows 10..39, columns 5..44") << QRect(QPoint(5, 10), QPoint(44, 39)) << QPoint(-1, 1);
    QTest::newRow("rows 10..38 stay") << QRect(QPoint(5, 10), QPoint(44, 38)) << QPoint(-1, 0);
    QTest::newRow("already centred") << QRect(QPoint(4, 9), QPoint(43, 38)) << QPoint(0, 0);
    QTest::newRow("top-left corner pixel") << QRect(0, 0, 1, 1) << QPoint(23, -24);   // top and right margins keep the odd pixel
    QTest::newRow("bottom-right corner pixel") << QRect(47, 47, 1, 1) << QPoint(-24, 23);
    QTest::newRow("whole frame") << QRect(0, 0, 48, 48) << QPoint(0, 0);
    QTest::newRow("empty sprite") << QRect() << QPoint(0, 0);
}

void TestViewOffsets::centring()
{
    QFETCH(QRect, filled);
    QFETCH(QPoint, offset);
    QCOMPARE(CentreOf(filled), offset);
}

void TestViewOffsets::centringIgnoresBackgroundColouredEntries()
{
    // Index 2 has the background colour: only the index 1 block is measured.
    SpritePixels sprite = SpriteWithRect(QRect(QPoint(20, 20), QPoint(27, 27)), 1);
    for (int x = 0; x < 48; ++x)
        sprite[SpritePixelIndex(x, 0)] = 2;
    Palette palette = GreyscalePalette();
    palette[2] = kBackground;
    const QImage image = ComposeSpriteImage(&sprite, palette, kBackground, QPoint(), false, false);
    QCOMPARE(CentringOffset(image, kBackground), QPoint(0, 0));

    palette[2] = QColor(0, 0, 255);
    const QImage visible = ComposeSpriteImage(&sprite, palette, kBackground, QPoint(), false, false);
    QCOMPARE(CentringOffset(visible, kBackground), QPoint(0, -10));
}

QTEST_GUILESS_MAIN(TestViewOffsets)
#include "tst_viewoffsets.moc"
