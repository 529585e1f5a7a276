#include <QtTest>

#include <QTemporaryDir>

#include "exchange/spriteexport.h"
#include "exchange/spriteimport.h"
#include "rom/colorword.h"
#include "view/spritecomposer.h"
#include "viewtestdata.h"

Q_DECLARE_METATYPE(ColorModel)

namespace {

ColorWord GreyWord(int level)
{
    return ColorWord{uchar(level << 1), uchar((level << 5) | (level << 1))};
}

QColor Grey(int value)
{
    return QColor(value, value, value);
}

// Entry 3 is the word with blue 6, green 4, red 1; the rest pure colours far from any grey.
Palette TestPalette()
{
    Palette palette(kColorsPerPalette, QColor(255, 0, 0));
    palette[3] = ColorFromWord(ColorWord{0x0C, 0x82});
    return palette;
}

ExchangeData OneSpriteData(const SpritePixels &sprite, const Palette &palette, ColorModel colors)
{
    const SpriteTable sprites{{sprite}};
    return ExchangeData{sprites, ZeroOffsetsFor(sprites), palette, Grey(218), colors};
}

} // namespace

// Colour words shown through the console's measured levels: the table, the
// view, export and import, each with the model off (linear) and on.
class TestConsoleColours : public QObject
{
    Q_OBJECT

private slots:
    void levels_data();
    void levels();
    void viewPixel_data();
    void viewPixel();
    void exportedPixel_data();
    void exportedPixel();
    void importChoice_data();
    void importChoice();
};

void TestConsoleColours::levels_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("console");
    const int table[8] = {0, 52, 87, 116, 144, 172, 206, 255};
    for (int level = 0; level < 8; ++level)
        QTest::addRow("level %d", level) << level << table[level];
}

void TestConsoleColours::levels()
{
    QFETCH(int, level);
    QFETCH(int, console);
    const ColorWord word = GreyWord(level);
    QCOMPARE(ColorFromWord(word, ColorModel::Console), Grey(console));
    QCOMPARE(ColorFromWord(word, ColorModel::Linear), ColorFromWord(word));
    QCOMPARE(ShownColor(ColorFromWord(word), ColorModel::Console), Grey(console));
    QCOMPARE(WordFromShownColor(Grey(console), ColorModel::Console), word);
}

void TestConsoleColours::viewPixel_data()
{
    QTest::addColumn<ColorModel>("colors");
    QTest::addColumn<QColor>("sprite");
    QTest::addColumn<QColor>("background");
    QTest::newRow("linear") << ColorModel::Linear << QColor(36, 145, 218) << Grey(218);
    QTest::newRow("console") << ColorModel::Console << QColor(52, 144, 206) << Grey(206);
}

void TestConsoleColours::viewPixel()
{
    QFETCH(ColorModel, colors);
    QFETCH(QColor, sprite);
    QFETCH(QColor, background);
    const SpritePixels pixels = SpriteFromHexRows({"3"}, 10, 20);
    const QImage image = ComposeSpriteImage(&pixels, TestPalette(), Grey(218), QPoint(), false, false, colors);
    QCOMPARE(image.pixelColor(10, 20), sprite);
    QCOMPARE(image.pixelColor(11, 20), background);
}

void TestConsoleColours::exportedPixel_data()
{
    QTest::addColumn<ColorModel>("colors");
    QTest::addColumn<bool>("indexed");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("linear picture") << ColorModel::Linear << false << QColor(36, 145, 218);
    QTest::newRow("console picture") << ColorModel::Console << false << QColor(52, 144, 206);
    QTest::newRow("linear indexed") << ColorModel::Linear << true << QColor(36, 145, 218);
    QTest::newRow("console indexed") << ColorModel::Console << true << QColor(52, 144, 206);
}

void TestConsoleColours::exportedPixel()
{
    QFETCH(ColorModel, colors);
    QFETCH(bool, indexed);
    QFETCH(QColor, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sprite.png"));
    const ExchangeData data = OneSpriteData(SpriteFromHexRows({"3"}, 10, 20), TestPalette(), colors);
    QVERIFY(WriteSpriteFiles(file, ExchangeSelection{}, data,
                             indexed ? SpriteFileType::IndexedPicture : SpriteFileType::BySuffix));

    const QImage picture(file);
    QCOMPARE(picture.pixelColor(10, 20), expected);
    if (indexed) {
        QCOMPARE(picture.pixelIndex(10, 20), 3);   // the index stays, the table shows it
        // Read back in the same model, the indices come back exactly.
        ExchangeData back = OneSpriteData(SpritePixels(kPixelsPerSprite, 0), TestPalette(), colors);
        QCOMPARE(ProblemLines(ReadSpriteFiles(file, ExchangeSelection{}, back, MatchOptions{})), QStringList());
        QCOMPARE(back.sprites, data.sprites);
    }
}

void TestConsoleColours::importChoice_data()
{
    QTest::addColumn<ColorModel>("colors");
    QTest::addColumn<int>("index");
    // Grey 100 lies nearer 109 (level 3) than 72 (level 2) on the linear ramp,
    // but nearer 87 (level 2) than 116 (level 3) as the console shows them.
    QTest::newRow("linear") << ColorModel::Linear << 2;
    QTest::newRow("console") << ColorModel::Console << 1;
}

void TestConsoleColours::importChoice()
{
    QFETCH(ColorModel, colors);
    QFETCH(int, index);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grey.png"));
    QImage picture(kSpriteSide, kSpriteSide, QImage::Format_RGB32);
    picture.fill(Grey(100));
    QVERIFY(picture.save(file));

    Palette palette = TestPalette();
    palette[1] = ColorFromWord(GreyWord(2));
    palette[2] = ColorFromWord(GreyWord(3));
    ExchangeData data = OneSpriteData(SpritePixels(kPixelsPerSprite, 0), palette, colors);
    QCOMPARE(ProblemLines(ReadSpriteFiles(file, ExchangeSelection{}, data, MatchOptions{})), QStringList());
    QCOMPARE(data.sprites[0][0], SpritePixels(kPixelsPerSprite, index));
    QCOMPARE(data.palette, palette);   // the data keeps its own colours
}

QTEST_GUILESS_MAIN(TestConsoleColours)
#include "tst_consolecolours.moc"
