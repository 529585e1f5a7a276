#include <QPainter>
#include <QtTest>

#include "exchange/palettematcher.h"
#include "exchange/sheetlayout.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "exchangetestdata.h"
#include "view/spritecomposer.h"

namespace {

QImage PictureOf(const SpritePixels &sprite, const Palette &palette, const QColor &background = kExchangeBackground)
{
    return ComposeSpriteImage(&sprite, palette, background, QPoint(), false, false);
}

ExchangeData OneCarData(const QList<SpritePixels> &car, const Palette &palette)
{
    SpriteTable sprites{car};
    return ExchangeData{sprites, ZeroOffsetsFor(sprites), palette, kExchangeBackground};
}

} // namespace

// Pictures and sheets back to sprite indices.
class TestExchangeConversion : public QObject
{
    Q_OBJECT

private slots:
    void candidates();
    void roundTrip_data();
    void roundTrip();
    void lowerEntryOfTheSameColourWins();
    void backgroundBecomesZero();
    void wrongSizesAreRefused_data();
    void wrongSizesAreRefused();
    void viewSheetLayout();
    void compactSheetLayout();
    void carSheetRoundTrip_data();
    void carSheetRoundTrip();
    void emptyCellsAreIgnored();
    void wrongSheetSizeChangesNothing_data();
    void wrongSheetSizeChangesNothing();
    void transparentPixelsAreBackground_data();
    void transparentPixelsAreBackground();
};

void TestExchangeConversion::candidates()
{
    const Palette palette = ImportExportPalette();
    const QList<QColor> c = ImportCandidates(palette, kExchangeBackground);
    QCOMPARE(c.size(), 11);
    QCOMPARE(c[0], kExchangeBackground);
    QCOMPARE(c[1], palette[1]);
    QCOMPARE(c[5], palette[5]);
    QCOMPARE(c[6], palette[11]);
    QCOMPARE(c[10], palette[15]);
}

void TestExchangeConversion::roundTrip_data()
{
    QTest::addColumn<bool>("dither");
    QTest::newRow("dither off") << false;
    QTest::newRow("dither on") << true;
}

void TestExchangeConversion::roundTrip()
{
    QFETCH(bool, dither);
    // The "Import/Export" palette has eleven distinct candidates, so every
    // index a picture can carry comes back as itself, dithering or not.
    // Entry 14 is black like entry 0, but entry 0 stands for the background.
    const Palette palette = ImportExportPalette();
    const SpritePixels sprite = RandomSprite(42, CandidateIndices());
    const std::optional<SpritePixels> back = ConvertSpritePicture(PictureOf(sprite, palette), palette,
                                                                  kExchangeBackground, MatchOptions{dither});
    QVERIFY(back);
    QCOMPARE(*back, sprite);
}

void TestExchangeConversion::lowerEntryOfTheSameColourWins()
{
    Palette palette = ImportExportPalette();
    palette[4] = QColor(72, 72, 72);
    palette[13] = QColor(72, 72, 72);
    const SpritePixels sprite = RandomSprite(5, {0, 1, 4, 13, 15});
    const std::optional<SpritePixels> back = ConvertSpritePicture(PictureOf(sprite, palette), palette,
                                                                  kExchangeBackground, MatchOptions{});
    QVERIFY(back);
    SpritePixels expected = sprite;
    std::replace(expected.begin(), expected.end(), 13, 4);
    QCOMPARE(*back, expected);
}

void TestExchangeConversion::backgroundBecomesZero()
{
    // A background equal to entry 12 turns entry 12's pixels into 0 as well.
    const Palette palette = ImportExportPalette();
    const QColor background = palette[12];
    const SpritePixels sprite = RandomSprite(9, {0, 2, 12});
    const std::optional<SpritePixels> back = ConvertSpritePicture(PictureOf(sprite, palette, background), palette,
                                                                  background, MatchOptions{true});
    QVERIFY(back);
    SpritePixels expected = sprite;
    std::replace(expected.begin(), expected.end(), 12, 0);
    QCOMPARE(*back, expected);
}

void TestExchangeConversion::wrongSizesAreRefused_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("49 x 48") << QSize(49, 48);
    QTest::newRow("48 x 47") << QSize(48, 47);
    QTest::newRow("24 x 24") << QSize(24, 24);
    QTest::newRow("empty") << QSize(0, 0);
}

void TestExchangeConversion::wrongSizesAreRefused()
{
    QFETCH(QSize, size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(!ConvertSpritePicture(image, ImportExportPalette(), kExchangeBackground, MatchOptions{true}));
}

void TestExchangeConversion::viewSheetLayout()
{
    const QList<SheetCell> cells = ViewSheetCells();
    QCOMPARE(cells.size(), 45);
    QSet<int> sprites;
    for (const SheetCell &cell : cells) {
        sprites.insert(cell.sprite);
        QCOMPARE(cell.topLeft.x() % 48, 0);
        QVERIFY(QRect(0, 0, 624, 432).contains(QRect(cell.topLeft, QSize(48, 48))));
    }
    QCOMPARE(sprites.size(), 45);
    // Sprite 30 stands at column 2, tilt -4 (top row); sprite 1 at column 0, tilt 0.
    QVERIFY(cells.contains(SheetCell{QPoint(96, 0), 29}));
    QVERIFY(cells.contains(SheetCell{QPoint(0, 192), 0}));
    QVERIFY(cells.contains(SheetCell{QPoint(576, 192), 12}));
    QVERIFY(cells.contains(SheetCell{QPoint(192, 384), 44}));
    QCOMPARE(SheetCellsFor(QSize(624, 432)), cells);
    QVERIFY(SheetCellsFor(QSize(624, 433)).isEmpty());
}

void TestExchangeConversion::compactSheetLayout()
{
    const QList<SheetCell> cells = SheetCellsFor(QSize(432, 240));
    QCOMPARE(cells.size(), 45);
    QCOMPARE(cells[0], (SheetCell{QPoint(0, 0), 0}));
    QCOMPARE(cells[8], (SheetCell{QPoint(384, 0), 8}));
    QCOMPARE(cells[9], (SheetCell{QPoint(0, 48), 9}));
    QCOMPARE(cells[44], (SheetCell{QPoint(384, 192), 44}));
}

void TestExchangeConversion::carSheetRoundTrip_data()
{
    QTest::addColumn<bool>("compact");
    QTest::newRow("view sheet 624 x 432") << false;
    QTest::newRow("compact sheet 432 x 240") << true;
}

void TestExchangeConversion::carSheetRoundTrip()
{
    QFETCH(bool, compact);
    const Palette palette = ImportExportPalette();
    const QList<SpritePixels> car = RandomCar(300, CandidateIndices());
    QImage sheet;
    if (compact) {
        sheet = QImage(432, 240, QImage::Format_RGB32);
        for (const SheetCell &cell : CompactSheetCells()) {
            QPainter painter(&sheet);
            painter.drawImage(cell.topLeft, PictureOf(car[cell.sprite], palette));
        }
    } else {
        sheet = CarSheetPicture(OneCarData(car, palette), 0);
    }
    QList<SpritePixels> back(45, SpritePixels(kPixelsPerSprite, 7));
    QVERIFY(ConvertCarSheet(sheet, palette, kExchangeBackground, MatchOptions{true}, back));
    QCOMPARE(back, car);
}

void TestExchangeConversion::emptyCellsAreIgnored()
{
    const Palette palette = ImportExportPalette();
    const QList<SpritePixels> car = RandomCar(500, CandidateIndices());
    QImage sheet = CarSheetPicture(OneCarData(car, palette), 0);
    // Column 0 has a sprite only at tilt 0: scribble over the rest of it.
    QPainter painter(&sheet);
    painter.fillRect(QRect(0, 0, 48, 192), Qt::red);
    painter.fillRect(QRect(0, 240, 48, 192), Qt::blue);
    painter.end();
    QList<SpritePixels> back(45, SpritePixels(kPixelsPerSprite, 0));
    QVERIFY(ConvertCarSheet(sheet, palette, kExchangeBackground, MatchOptions{}, back));
    QCOMPARE(back, car);
}

void TestExchangeConversion::wrongSheetSizeChangesNothing_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("624 x 431") << QSize(624, 431);
    QTest::newRow("600 x 432") << QSize(600, 432);
    QTest::newRow("all-cars sheet") << QSize(624, 2160);
    QTest::newRow("one sprite") << QSize(48, 48);
}

void TestExchangeConversion::wrongSheetSizeChangesNothing()
{
    QFETCH(QSize, size);
    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    const QList<SpritePixels> car = RandomCar(1, CandidateIndices());
    QList<SpritePixels> back = car;
    QVERIFY(!ConvertCarSheet(sheet, ImportExportPalette(), kExchangeBackground, MatchOptions{true}, back));
    QCOMPARE(back, car);
}

void TestExchangeConversion::transparentPixelsAreBackground_data()
{
    QTest::addColumn<int>("alpha");   // of the transparent columns, or of the left half when none are
    QTest::addColumn<int>("transparentColumns");
    QTest::newRow("all transparent, dark colours hidden") << 0 << 48;
    QTest::newRow("alpha 127 counts as transparent") << 127 << 48;
    QTest::newRow("left half transparent") << 0 << 24;
    QTest::newRow("alpha 128 counts as opaque") << 128 << 0;
}

void TestExchangeConversion::transparentPixelsAreBackground()
{
    QFETCH(int, alpha);
    QFETCH(int, transparentColumns);
    // A dark noisy picture as a PNG with an alpha channel would give it.
    QImage picture(kSpriteSide, kSpriteSide, QImage::Format_ARGB32);
    QRandomGenerator random(12);
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = 0; x < kSpriteSide; ++x)
            picture.setPixel(x, y, qRgba(random.bounded(60), random.bounded(60), random.bounded(200), x < qMax(24, transparentColumns) ? alpha : 255));
    const Palette palette = ImportExportPalette();

    for (bool dither : {false, true}) {
        const std::optional<SpritePixels> pixels = ConvertSpritePicture(picture, palette, kExchangeBackground, MatchOptions{dither});
        QVERIFY(pixels);
        // Background pixels among those given the alpha: all where it hides
        // them, none where it counts as opaque.
        int zeros = 0;
        for (int k = 0; k < kPixelsPerSprite; ++k)
            zeros += SpritePixelPosition(k).x() < qMax(24, transparentColumns) && pixels->at(k) == 0;
        QCOMPARE(zeros, transparentColumns * kSpriteSide);
    }

    // The opaque right half comes out as it does alone: no error crosses from the hidden half.
    if (transparentColumns == 24) {
        PaletteMatcher matcher;
        for (const QColor &color : ImportCandidates(palette, kExchangeBackground))
            matcher.AddColor(color);
        matcher.SetTransparentIsFirst(true);
        const QList<int> whole = matcher.MatchIndices(picture);
        const QList<int> right = matcher.MatchIndices(picture.copy(24, 0, 24, kSpriteSide));
        for (int y = 0; y < kSpriteSide; ++y)
            QCOMPARE(whole.mid(y * kSpriteSide + 24, 24), right.mid(y * 24, 24));
    }
}

QTEST_GUILESS_MAIN(TestExchangeConversion)
#include "tst_exchangeconversion.moc"
