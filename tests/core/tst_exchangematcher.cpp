#include <QtTest>

#include "exchange/labcolor.h"
#include "exchange/palettematcher.h"

namespace {

PaletteMatcher BlackAndWhite(bool dither)
{
    PaletteMatcher matcher;
    matcher.SetDither(dither);
    matcher.AddColor(QColor(0, 0, 0));
    matcher.AddColor(QColor(255, 255, 255));
    return matcher;
}

QImage Flat(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

int CountColor(const QImage &image, QColor color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) | 0xFF000000u) == color.rgb();
    return n;
}

// A reproducible picture with many colours.
QImage Noise(int w, int h, quint32 seed)
{
    QRandomGenerator random(seed);
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

} // namespace

// Nearest-colour matching in L*a*b* with a signed, diffused error.
class TestExchangeMatcher : public QObject
{
    Q_OBJECT

private slots:
    void toLab_data();
    void toLab();
    void cacheKeepsWhatItComputed();
    void distanceSign_data();
    void distanceSign();
    void nearestIndex_data();
    void nearestIndex();
    void fewCandidatesGiveWhite_data();
    void fewCandidatesGiveWhite();
    void emptyImage();
    void flatAreaWithAndWithoutDither();
    void errorWeightsAndTruncation();
    void errorNeverFlowsBack();
    void alphaAndPixelFormatPlayNoPart_data();
    void alphaAndPixelFormatPlayNoPart();
};

void TestExchangeMatcher::toLab_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<float>("L");
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");
    QTest::newRow("red") << QColor(255, 0, 0) << 48.84f << 118.67f << 86.58f;
    QTest::newRow("blue") << QColor(0, 0, 255) << 0.53f << 209.68f << -170.22f;
    QTest::newRow("grey 72 is light: channels are linear") << QColor(72, 72, 72) << 60.10f << 0.0f << 0.0f;
    QTest::newRow("white") << QColor(255, 255, 255) << 100.0f << 0.0f << 0.0f;
    QTest::newRow("black") << QColor(0, 0, 0) << 0.0f << 0.0f << 0.0f;
}

void TestExchangeMatcher::toLab()
{
    QFETCH(QColor, color);
    QFETCH(float, L);
    QFETCH(float, a);
    QFETCH(float, b);
    const LabColor lab = ToLab(color);
    QVERIFY2(qAbs(lab.L - L) < 0.005f, qPrintable(QString::number(lab.L)));
    QVERIFY2(qAbs(lab.a - a) < 0.005f, qPrintable(QString::number(lab.a)));
    QVERIFY2(qAbs(lab.b - b) < 0.005f, qPrintable(QString::number(lab.b)));
}

void TestExchangeMatcher::cacheKeepsWhatItComputed()
{
    const QColor odd(1, 2, 3);
    const QColor other(250, 2, 3);
    QVERIFY(!LabCache().contains(odd.rgb()));
    PaletteMatcher matcher;
    matcher.Distance(odd, other);
    QVERIFY(LabCache().contains(odd.rgb()));
    QVERIFY(LabCache().contains(other.rgb()));
    QCOMPARE(LabCache().value(odd.rgb()), ToLab(odd));
    // A key carries alpha 0xFF whatever the colour's own alpha.
    QCOMPARE(CachedLab(qRgba(1, 2, 3, 0)), ToLab(odd));
    QVERIFY(!LabCache().contains(qRgba(1, 2, 3, 0)));
}

void TestExchangeMatcher::distanceSign_data()
{
    QTest::addColumn<QColor>("c1");
    QTest::addColumn<QColor>("c2");
    QTest::addColumn<bool>("positive");
    QTest::newRow("darker first is positive") << QColor(0, 0, 0) << QColor(255, 255, 255) << true;
    QTest::newRow("lighter first is negative") << QColor(255, 255, 255) << QColor(0, 0, 0) << false;
    // (11 * 32) >> 5 = (16 * 22) >> 5 = 11.
    QTest::newRow("equal grey is negative") << QColor(32, 0, 0) << QColor(0, 22, 0) << false;
}

void TestExchangeMatcher::distanceSign()
{
    QFETCH(QColor, c1);
    QFETCH(QColor, c2);
    QFETCH(bool, positive);
    QCOMPARE(qGray(c1.rgb()) < qGray(c2.rgb()), positive);

    PaletteMatcher matcher;
    const float d = matcher.Distance(c1, c2);
    const LabColor l1 = ToLab(c1);
    const LabColor l2 = ToLab(c2);
    const float magnitude = std::sqrt((l1.L - l2.L) * (l1.L - l2.L) + (l1.a - l2.a) * (l1.a - l2.a)
                                      + (l1.b - l2.b) * (l1.b - l2.b));
    QVERIFY(magnitude > 1.0f);
    QCOMPARE(d, positive ? magnitude : -magnitude);
}

void TestExchangeMatcher::nearestIndex_data()
{
    QTest::addColumn<QList<QColor>>("candidates");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("bias");
    QTest::addColumn<int>("expected");

    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor grey(128, 128, 128);   // L 76.2: 23.8 below white, 76.2 above black
    QTest::newRow("no candidates") << QList<QColor>{} << grey << 0 << 0;
    QTest::newRow("one candidate") << QList<QColor>{black} << white << 0 << 0;
    QTest::newRow("nearest by L*a*b*") << QList<QColor>{black, white} << grey << 0 << 1;
    // Grey is darker than white (+23.8) and lighter than black (-76.2):
    // bias 30 gives |53.8| for white against |-46.2| for black.
    QTest::newRow("bias changes the pick") << QList<QColor>{black, white} << grey << 30 << 0;
    QTest::newRow("negative bias keeps the lighter") << QList<QColor>{black, white} << grey << -30 << 1;
    QTest::newRow("exact colour") << QList<QColor>{black, grey, white} << grey << 0 << 1;
    QTest::newRow("duplicates: lowest index wins") << QList<QColor>{black, white, white} << grey << 0 << 1;
    // (128, 128, 129) lies less than 1 from grey: both truncate to 0, the lower wins.
    QTest::newRow("same integer step ties")
        << QList<QColor>{QColor(128, 128, 129), grey} << grey << 0 << 0;
}

void TestExchangeMatcher::nearestIndex()
{
    QFETCH(QList<QColor>, candidates);
    QFETCH(QColor, color);
    QFETCH(int, bias);
    QFETCH(int, expected);
    PaletteMatcher matcher;
    for (const QColor &c : candidates)
        matcher.AddColor(c);
    QCOMPARE(matcher.NearestIndex(color, bias), expected);
}

void TestExchangeMatcher::fewCandidatesGiveWhite_data()
{
    QTest::addColumn<int>("candidates");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
}

void TestExchangeMatcher::fewCandidatesGiveWhite()
{
    QFETCH(int, candidates);
    PaletteMatcher matcher;
    for (int i = 0; i < candidates; ++i)
        matcher.AddColor(QColor(10, 20, 30));
    const QImage result = matcher.Convert(Noise(7, 5, 1));
    QCOMPARE(result.size(), QSize(7, 5));
    QCOMPARE(result.format(), QImage::Format_RGB888);
    QCOMPARE(CountColor(result, Qt::white), 35);
}

void TestExchangeMatcher::emptyImage()
{
    PaletteMatcher matcher = BlackAndWhite(true);
    const QImage result = matcher.Convert(QImage());
    QCOMPARE(result.size(), QSize(0, 0));
    QVERIFY(matcher.MatchIndices(QImage()).isEmpty());
}

void TestExchangeMatcher::flatAreaWithAndWithoutDither()
{
    const QImage grey = Flat(48, 48, QColor(128, 128, 128));
    PaletteMatcher plain = BlackAndWhite(false);
    QCOMPARE(CountColor(plain.Convert(grey), Qt::white), 48 * 48);

    // Equally far from both: without dithering the lower index throughout.
    PaletteMatcher equal;
    equal.SetDither(false);
    equal.AddColor(QColor(100, 0, 0));
    equal.AddColor(QColor(100, 0, 0));
    equal.AddColor(QColor(0, 0, 100));
    QCOMPARE(equal.MatchIndices(Flat(4, 4, QColor(100, 0, 0))), QList<int>(16, 0));

    PaletteMatcher dithered = BlackAndWhite(true);
    const QImage mixed = dithered.Convert(grey);
    const int whites = CountColor(mixed, Qt::white);
    const int blacks = CountColor(mixed, Qt::black);
    QCOMPARE(whites + blacks, 48 * 48);
    QVERIFY2(blacks > 48 && whites > 48, qPrintable(QStringLiteral("%1 black").arg(blacks)));
}

void TestExchangeMatcher::errorWeightsAndTruncation()
{
    // Grey 128 against black and white: white is 23.8 away (t = 23 at the
    // first pixel), then the carried 10.0625 makes t = trunc(33.87) = 33.
    PaletteMatcher matcher = BlackAndWhite(true);
    matcher.Convert(Flat(2, 2, QColor(128, 128, 128)));
    const QList<QList<float>> &grid = matcher.ErrorGrid();
    QCOMPARE(grid.size(), 2);
    QCOMPARE(grid[0][0], 0.0f);
    QCOMPARE(grid[0][1], 23 * 0.4375f);
    QCOMPARE(grid[1][0], 23 * 0.3125f + 33 * 0.1875f);
    // (0, 1) then carries 13.375 and passes its own t = trunc(37.19) = 37 on.
    QCOMPARE(grid[1][1], 23 * 0.0625f + 33 * 0.3125f + 37 * 0.4375f);
}

void TestExchangeMatcher::errorNeverFlowsBack()
{
    // Changing one pixel may change what follows it, never what precedes it
    // in visiting order: no error goes up or to the left in its own row.
    const QImage before = Noise(48, 48, 7);
    QImage after = before;
    after.setPixel(20, 10, qRgb(255, 255, 255));
    after.setPixel(0, 30, qRgb(0, 0, 0));

    PaletteMatcher matcher;
    for (QColor c : {QColor(0, 0, 0), QColor(255, 0, 0), QColor(0, 182, 0), QColor(0, 0, 255), QColor(255, 255, 255)})
        matcher.AddColor(c);
    const QList<int> a = matcher.MatchIndices(before);
    const QList<int> b = matcher.MatchIndices(after);
    QCOMPARE(b.mid(0, 10 * 48 + 20), a.mid(0, 10 * 48 + 20));
    QVERIFY(a != b);
    for (int x = 0; x < 48; ++x)   // a column 0 pixel gives nothing to the row above
        QCOMPARE(matcher.ErrorGrid()[0][x] == 0.0f, x == 0);
}

void TestExchangeMatcher::alphaAndPixelFormatPlayNoPart_data()
{
    QTest::addColumn<QImage>("image");
    const QImage reference = Noise(16, 16, 3).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);

    QImage transparent = reference.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            transparent.setPixel(x, y, transparent.pixel(x, y) & 0x00FFFFFFu);
    QTest::newRow("indexed") << reference;
    QTest::newRow("fully transparent") << transparent;
    QTest::newRow("rgb888") << reference.convertToFormat(QImage::Format_RGB888);
    QTest::newRow("64-bit RGBX") << reference.convertToFormat(QImage::Format_RGBX64);
}

void TestExchangeMatcher::alphaAndPixelFormatPlayNoPart()
{
    QFETCH(QImage, image);
    const QImage reference = Noise(16, 16, 3).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    PaletteMatcher matcher;
    for (QColor c : {QColor(0, 0, 0), QColor(255, 0, 0), QColor(72, 72, 72), QColor(255, 255, 255)})
        matcher.AddColor(c);
    const QList<int> expected = matcher.MatchIndices(reference.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(matcher.MatchIndices(image), expected);
}

QTEST_GUILESS_MAIN(TestExchangeMatcher)
#include "tst_exchangematcher.moc"
