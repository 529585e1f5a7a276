#include <QtTest>

#include "view/spritecomposer.h"
#include "view/tiledindexedimage.h"
#include "viewtestdata.h"

namespace {

const QColor kBackground(218, 218, 218);

// Sixteen distinct colours; entry i has red 10 * i + 5.
Palette TestPalette()
{
    Palette palette;
    for (int i = 0; i < kColorsPerPalette; ++i)
        palette.append(QColor(10 * i + 5, 100, 200 - i));
    return palette;
}

QRgb At(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}

} // namespace

// Turning a sprite's indices into the picture the view shows.
class TestViewCompose : public QObject
{
    Q_OBJECT

private slots:
    void colours_data();
    void colours();
    void invalidIndicesShowBackground();
    void missingSpriteIsPlainBackground();
    void offsetAndMirror_data();
    void offsetAndMirror();
    void shortPaletteShowsBlack();
    void slotsFollowTheTiles_data();
    void slotsFollowTheTiles();
};

void TestViewCompose::colours_data()
{
    QTest::addColumn<bool>("wheelsTurned");
    QTest::newRow("wheels still") << false;
    QTest::newRow("wheels turned") << true;
}

void TestViewCompose::colours()
{
    QFETCH(bool, wheelsTurned);

    // Row 0, column i holds index i.
    const SpritePixels sprite = SpriteFromHexRows({QStringLiteral("0123456789abcdef")});
    const Palette palette = TestPalette();
    const QImage image = ComposeSpriteImage(&sprite, palette, kBackground, QPoint(), false, wheelsTurned);

    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(image.format(), QImage::Format_RGB888);
    QCOMPARE(At(image, 0, 0), kBackground.rgb());   // palette entry 0 is never shown
    for (int i = 1; i < 16; ++i) {
        int entry = i;
        if (wheelsTurned && i == 4)
            entry = 5;
        else if (wheelsTurned && i == 5)
            entry = 4;
        QCOMPARE(At(image, i, 0), palette.at(entry).rgb());
    }
    QCOMPARE(At(image, 16, 0), kBackground.rgb());
    QCOMPARE(At(image, 47, 47), kBackground.rgb());
}

void TestViewCompose::invalidIndicesShowBackground()
{
    SpritePixels sprite = SpriteFromHexRows({QStringLiteral("111")});
    sprite[SpritePixelIndex(0, 0)] = 16;
    sprite[SpritePixelIndex(1, 0)] = -1;
    const QImage image = ComposeSpriteImage(&sprite, TestPalette(), kBackground, QPoint(), false, false);
    QCOMPARE(At(image, 0, 0), kBackground.rgb());
    QCOMPARE(At(image, 1, 0), kBackground.rgb());
    QCOMPARE(At(image, 2, 0), TestPalette().at(1).rgb());

    // A short sprite shows background where indices are missing; a long one ignores the surplus.
    SpritePixels shortSprite(100, 1);
    const QImage shortImage = ComposeSpriteImage(&shortSprite, TestPalette(), kBackground, QPoint(), false, false);
    QCOMPARE(At(shortImage, 0, 0), TestPalette().at(1).rgb());
    QCOMPARE(At(shortImage, 47, 47), kBackground.rgb());
    SpritePixels longSprite(3000, 2);
    const QImage longImage = ComposeSpriteImage(&longSprite, TestPalette(), kBackground, QPoint(), false, false);
    QCOMPARE(At(longImage, 47, 47), TestPalette().at(2).rgb());
}

void TestViewCompose::missingSpriteIsPlainBackground()
{
    const QImage image = ComposeSpriteImage(nullptr, TestPalette(), kBackground, QPoint(3, 3), true, true);
    QImage expected(48, 48, QImage::Format_RGB888);
    expected.fill(kBackground);
    QCOMPARE(image, expected);
}

void TestViewCompose::offsetAndMirror_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QRect>("expectedFilled");   // picture area showing index 1; the rest is background

    // A sprite filled with index 1 everywhere makes the uncovered strips visible.
    QTest::newRow("no offset") << QPoint(0, 0) << false << QRect(0, 0, 48, 48);
    QTest::newRow("right 5, up 3") << QPoint(5, 3) << false << QRect(5, 0, 43, 45);
    QTest::newRow("right 5, up 3, mirrored") << QPoint(5, 3) << true << QRect(0, 0, 43, 45);
    QTest::newRow("left 2, down 4") << QPoint(-2, -4) << false << QRect(0, 4, 46, 44);
    QTest::newRow("right 48") << QPoint(48, 0) << false << QRect();
    QTest::newRow("down 60") << QPoint(0, -60) << false << QRect();
    QTest::newRow("huge") << QPoint(INT_MIN, INT_MAX) << true << QRect();
}

void TestViewCompose::offsetAndMirror()
{
    QFETCH(QPoint, offset);
    QFETCH(bool, mirrored);
    QFETCH(QRect, expectedFilled);

    const SpritePixels sprite(kPixelsPerSprite, 1);
    const QImage image = ComposeSpriteImage(&sprite, TestPalette(), kBackground, offset, mirrored, false);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const QRgb expected = expectedFilled.contains(x, y) ? TestPalette().at(1).rgb() : kBackground.rgb();
            QVERIFY2(At(image, x, y) == expected, qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
        }
    }
}

void TestViewCompose::shortPaletteShowsBlack()
{
    const SpritePixels sprite = SpriteFromHexRows({QStringLiteral("12")});
    const Palette palette{QColor(1, 1, 1), QColor(50, 60, 70)};
    const QImage image = ComposeSpriteImage(&sprite, palette, kBackground, QPoint(), false, false);
    QCOMPARE(At(image, 0, 0), qRgb(50, 60, 70));
    QCOMPARE(At(image, 1, 0), qRgb(0, 0, 0));
}

void TestViewCompose::slotsFollowTheTiles_data()
{
    QTest::addColumn<int>("length");   // of the stored pixels
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<bool>("wheelsTurned");
    QTest::newRow("as stored") << kPixelsPerSprite << QPoint() << false << false;
    QTest::newRow("moved right and up, mirrored") << kPixelsPerSprite << QPoint(5, 3) << true << false;
    QTest::newRow("moved left and down, wheels") << kPixelsPerSprite << QPoint(-7, -30) << false << true;
    QTest::newRow("moved off the square") << kPixelsPerSprite << QPoint(60, 0) << true << true;
    QTest::newRow("short: the rest is 0") << 1000 << QPoint(1, -1) << false << false;
    QTest::newRow("long: the rest is ignored") << kPixelsPerSprite + 100 << QPoint() << true << false;
}

// The slots against the sprite drawn tile by tile (the tiling the sprite
// views and exports use), moved, mirrored and with the wheel colours
// exchanged as documented; indices without a colour show as 0.
void TestViewCompose::slotsFollowTheTiles()
{
    QFETCH(int, length);
    QFETCH(QPoint, offset);
    QFETCH(bool, mirrored);
    QFETCH(bool, wheelsTurned);
    SpritePixels pixels(length);
    for (int n = 0; n < length; ++n)
        pixels[n] = (n * 37 + n / 50) % 19 - 1;   // -1..17: some without a colour
    TiledIndexedImage tiled = SpriteTiling();
    for (int i = 0; i < kColorsPerPalette; ++i)
        tiled.appendColor(qRgb(i, i, i));
    tiled.setPixels(pixels);
    const QImage stored = tiled.render();
    const QImage slotPicture = ComposeSpriteSlots(&pixels, offset, mirrored, wheelsTurned);
    QCOMPARE(slotPicture.size(), QSize(kSpriteSide, kSpriteSide));
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            const int sx = (mirrored ? kSpriteSide - 1 - x : x) - offset.x(), sy = y + offset.y();
            int slot = sx >= 0 && sx < kSpriteSide && sy >= 0 && sy < kSpriteSide ? stored.pixelIndex(sx, sy) : 0;
            if (wheelsTurned && (slot == 4 || slot == 5))
                slot = 9 - slot;
            QVERIFY2(slotPicture.pixelIndex(x, y) == slot, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
        }
    }
    // Its colours are the sprite's, as composed.
    const QList<QRgb> table = SpriteColorTable(TestPalette(), QColor(20, 30, 40), false);
    QCOMPARE(ComposeSlotColors(slotPicture, table),
             ComposeSpriteImage(&pixels, TestPalette(), QColor(20, 30, 40), offset, mirrored, wheelsTurned)
                 .convertToFormat(QImage::Format_RGB32));
}

QTEST_GUILESS_MAIN(TestViewCompose)
#include "tst_viewcompose.moc"
