#include <QtTest>

#include "rom/colorword.h"

class TestColorWord : public QObject
{
    Q_OBJECT

private slots:
    void levelsFollowTheFormula()
    {
        for (int level = 0; level < 8; ++level)
            QCOMPARE(ColorLevels[level], static_cast<int>(level / 7.0 * 255.0));
    }

    void colorFromWord_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("white") << 0x0E << 0xEE << QColor(255, 255, 255);
        QTest::newRow("black") << 0x00 << 0x00 << QColor(0, 0, 0);
        QTest::newRow("background grey") << 0x0C << 0xCC << QColor(218, 218, 218);
        QTest::newRow("blue only") << 0x0E << 0x00 << QColor(0, 0, 255);
        QTest::newRow("green only") << 0x00 << 0xA0 << QColor(0, 182, 0);
        QTest::newRow("red only") << 0x00 << 0x0E << QColor(255, 0, 0);
        QTest::newRow("zero bits ignored") << 0xF1 << 0x11 << QColor(0, 0, 0);
        QTest::newRow("all bits set") << 0xFF << 0xFF << QColor(255, 255, 255);
    }

    void colorFromWord()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(QColor, expected);
        const QColor color = ColorFromWord(static_cast<unsigned char>(first), static_cast<unsigned char>(second));
        QCOMPARE(color, expected);
        QCOMPARE(color.alpha(), 255);
    }

    void wordFromColor_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("white") << QColor(255, 255, 255) << 0x0E << 0xEE;
        QTest::newRow("31, 32, 255") << QColor(31, 32, 255) << 0x0E << 0x20;
        QTest::newRow("black") << QColor(0, 0, 0) << 0x00 << 0x00;
        QTest::newRow("218 grey") << QColor(218, 218, 218) << 0x0C << 0xCC;
        QTest::newRow("just below a level") << QColor(223, 159, 95) << 0x04 << 0x8C;
    }

    void wordFromColor()
    {
        QFETCH(QColor, color);
        QFETCH(int, first);
        QFETCH(int, second);
        const ColorWord word = WordFromColor(color);
        QCOMPARE(int(word.first), first);
        QCOMPARE(int(word.second), second);
    }

    void everyWordSurvivesARoundTrip()
    {
        for (int blue = 0; blue < 8; ++blue)
            for (int green = 0; green < 8; ++green)
                for (int red = 0; red < 8; ++red) {
                    const ColorWord word{static_cast<unsigned char>(blue << 1),
                                         static_cast<unsigned char>((green << 5) | (red << 1))};
                    QCOMPARE(WordFromColor(ColorFromWord(word)), word);
                }
    }

    void quantizeColor_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("200, 100, 31") << QColor(200, 100, 31) << QColor(218, 109, 0);
        QTest::newRow("on the grid") << QColor(145, 36, 255) << QColor(145, 36, 255);
        QTest::newRow("level bounds") << QColor(32, 63, 224) << QColor(36, 36, 255);
        QTest::newRow("transparent becomes opaque") << QColor(0, 0, 0, 0) << QColor(0, 0, 0);
    }

    void quantizeColor()
    {
        QFETCH(QColor, color);
        QFETCH(QColor, expected);
        const QColor quantized = QuantizeColor(color);
        QCOMPARE(quantized, expected);
        QCOMPARE(quantized.alpha(), 255);
    }

    void importExportPalette()
    {
        const Palette palette = ImportExportPalette();
        QCOMPARE(palette.size(), 16);
        QCOMPARE(palette.at(1), QColor(0, 182, 0));
        QCOMPARE(palette.at(2), QColor(255, 0, 0));
        QCOMPARE(palette.at(3), QColor(145, 0, 145));
        QCOMPARE(palette.at(4), QColor(0, 255, 255));
        QCOMPARE(palette.at(5), QColor(0, 0, 255));
        for (int i = 6; i <= 10; ++i)
            QCOMPARE(palette.at(i), QColor(0, 109, 72));
        QCOMPARE(palette.at(11), QColor(255, 255, 255));
        QCOMPARE(palette.at(12), QColor(182, 182, 182));
        QCOMPARE(palette.at(13), QColor(72, 72, 72));
        QCOMPARE(palette.at(14), QColor(0, 0, 0));
        QCOMPARE(palette.at(15), QColor(255, 255, 0));
        QCOMPARE(DefaultBackgroundColor(), QColor(218, 218, 218));
    }
};

QTEST_GUILESS_MAIN(TestColorWord)
#include "tst_colorword.moc"
