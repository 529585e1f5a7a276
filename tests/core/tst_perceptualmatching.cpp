#include <QCryptographicHash>
#include <QFile>
#include <QtTest>

#include "exchange/labcolor.h"
#include "exchange/perceptualmatcher.h"
#include "exchange/spriteconversion.h"
#include "exchangetestdata.h"
#include "rom/colorword.h"
#include "rom/factorydata.h"
#include "view/spritecomposer.h"
#include "view/spriteoffsets.h"

namespace {

const CarData &Factory()
{
    static const CarData data = [] {
        QFile resource(QStringLiteral(SKM_SOURCE_DIR "/resources/defaults.bin"));
        if (!resource.open(QIODevice::ReadOnly))
            qFatal("no factory data");
        return *ParseFactoryData(resource.readAll());
    }();
    return data;
}

QImage Flat(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray Sha1Of(const SpritePixels &pixels)
{
    QByteArray bytes;
    for (int v : pixels)
        bytes.append(char(v));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

} // namespace

Q_DECLARE_METATYPE(LabColor)

// Colour matching as a person sees it: sRGB decoded to linear light, L*a*b*
// against D65, CIEDE2000 for the nearest candidate, and dithering whose error
// is a linear-light colour.
class TestPerceptualMatching : public QObject
{
    Q_OBJECT

private slots:
    void ciede2000_data();
    void ciede2000();
    void srgbToLab_data();
    void srgbToLab();
    void nearestEntry_data();
    void nearestEntry();
    void exactColoursStay_data();
    void exactColoursStay();
    void classicIsTheFirstMatcher_data();
    void classicIsTheFirstMatcher();
    void ditherKeepsTheMeanColour_data();
    void ditherKeepsTheMeanColour();
    void ditherRunsBothWays();
};

void TestPerceptualMatching::ciede2000_data()
{
    QTest::addColumn<LabColor>("x");
    QTest::addColumn<LabColor>("y");
    QTest::addColumn<double>("expected");
    // The published test pairs of Sharma, Wu and Dalal (2005), table 1.
    const struct
    {
        LabColor x, y;
        double expected;
    } pairs[] = {
        {{50, 2.6772f, -79.7751f}, {50, 0, -82.7485f}, 2.0425},
        {{50, 3.1571f, -77.2803f}, {50, 0, -82.7485f}, 2.8615},
        {{50, 2.8361f, -74.0200f}, {50, 0, -82.7485f}, 3.4412},
        {{50, -1.3802f, -84.2814f}, {50, 0, -82.7485f}, 1.0000},
        {{50, -1.1848f, -84.8006f}, {50, 0, -82.7485f}, 1.0000},
        {{50, -0.9009f, -85.5211f}, {50, 0, -82.7485f}, 1.0000},
        {{50, 0, 0}, {50, -1, 2}, 2.3669},
        {{50, -1, 2}, {50, 0, 0}, 2.3669},
        {{50, 2.4900f, -0.0010f}, {50, -2.4900f, 0.0009f}, 7.1792},
        {{50, 2.4900f, -0.0010f}, {50, -2.4900f, 0.0010f}, 7.1792},
        {{50, 2.4900f, -0.0010f}, {50, -2.4900f, 0.0011f}, 7.2195},
        {{50, 2.4900f, -0.0010f}, {50, -2.4900f, 0.0012f}, 7.2195},
        {{50, -0.0010f, 2.4900f}, {50, 0.0009f, -2.4900f}, 4.8045},
        {{50, -0.0010f, 2.4900f}, {50, 0.0010f, -2.4900f}, 4.8045},
        {{50, -0.0010f, 2.4900f}, {50, 0.0011f, -2.4900f}, 4.7461},
        {{50, 2.5f, 0}, {50, 0, -2.5f}, 4.3065},
        {{50, 2.5f, 0}, {73, 25, -18}, 27.1492},
        {{50, 2.5f, 0}, {61, -5, 29}, 22.8977},
        {{50, 2.5f, 0}, {56, -27, -3}, 31.9030},
        {{50, 2.5f, 0}, {58, 24, 15}, 19.4535},
        {{50, 2.5f, 0}, {50, 3.1736f, 0.5854f}, 1.0000},
        {{50, 2.5f, 0}, {50, 3.2972f, 0}, 1.0000},
        {{50, 2.5f, 0}, {50, 1.8634f, 0.5757f}, 1.0000},
        {{50, 2.5f, 0}, {50, 3.2592f, 0.3350f}, 1.0000},
        {{60.2574f, -34.0099f, 36.2677f}, {60.4626f, -34.1751f, 39.4387f}, 1.2644},
        {{63.0109f, -31.0961f, -5.8663f}, {62.8187f, -29.7946f, -4.0864f}, 1.2630},
        {{61.2901f, 3.7196f, -5.3901f}, {61.4292f, 2.2480f, -4.9620f}, 1.8731},
        {{35.0831f, -44.1164f, 3.7933f}, {35.0232f, -40.0716f, 1.5901f}, 1.8645},
        {{22.7233f, 20.0904f, -46.6940f}, {23.0331f, 14.9730f, -42.5619f}, 2.0373},
        {{36.4612f, 47.8580f, 18.3852f}, {36.2715f, 50.5065f, 21.2231f}, 1.4146},
        {{90.8027f, -2.0831f, 1.4410f}, {91.1528f, -1.6435f, 0.0447f}, 1.4441},
        {{90.9257f, -0.5406f, -0.9208f}, {88.6381f, -0.8985f, -0.7239f}, 1.5381},
        {{6.7747f, -0.2908f, -2.4247f}, {5.8714f, -0.0985f, -2.2286f}, 0.6377},
        {{2.0776f, 0.0795f, -1.1350f}, {0.9033f, -0.0636f, -0.5514f}, 0.9082},
    };
    int n = 0;
    for (const auto &p : pairs)
        QTest::addRow("pair %d", ++n) << p.x << p.y << p.expected;
}

void TestPerceptualMatching::ciede2000()
{
    QFETCH(LabColor, x);
    QFETCH(LabColor, y);
    QFETCH(double, expected);
    QVERIFY2(qAbs(Ciede2000(x, y) - expected) < 0.0001, qPrintable(QString::number(Ciede2000(x, y), 'f', 5)));
    QVERIFY(qAbs(Ciede2000(y, x) - expected) < 0.0001);
    QCOMPARE(Ciede2000(x, x), 0.0);
}

void TestPerceptualMatching::srgbToLab_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<LabColor>("expected");
    // Textbook values for sRGB under D65.
    QTest::newRow("red") << QColor(255, 0, 0) << LabColor{53.2408f, 80.0925f, 67.2032f};
    QTest::newRow("green") << QColor(0, 255, 0) << LabColor{87.7347f, -86.1827f, 83.1793f};
    QTest::newRow("blue has real lightness") << QColor(0, 0, 255) << LabColor{32.2970f, 79.1875f, -107.8602f};
    QTest::newRow("white") << QColor(255, 255, 255) << LabColor{100.0f, 0.0f, 0.0f};
    QTest::newRow("black") << QColor(0, 0, 0) << LabColor{0.0f, 0.0f, 0.0f};
    QTest::newRow("mid grey is mid lightness") << QColor(128, 128, 128) << LabColor{53.5850f, 0.0f, 0.0f};
}

void TestPerceptualMatching::srgbToLab()
{
    QFETCH(QColor, color);
    QFETCH(LabColor, expected);
    const LabColor lab = SrgbToLab(color.rgb());
    QVERIFY2(qAbs(lab.L - expected.L) < 0.01f, qPrintable(QString::number(lab.L)));
    QVERIFY2(qAbs(lab.a - expected.a) < 0.01f, qPrintable(QString::number(lab.a)));
    QVERIFY2(qAbs(lab.b - expected.b) < 0.01f, qPrintable(QString::number(lab.b)));
    for (int c : {0, 1, 10, 11, 128, 254, 255})
        QCOMPARE(LinearToSrgb(SrgbToLinear(c)), c);
}

void TestPerceptualMatching::nearestEntry_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("entry");
    // The factory palette "Blue", matched with the background (218, 218, 218)
    // for entry 0; the entries come from CIEDE2000 worked out independently.
    QTest::newRow("blue (0, 0, 200): entry 2, not the near-black 14") << QColor(0, 0, 200) << 2;
    QTest::newRow("red (245, 43, 52): the orange 15, not grey 4") << QColor(245, 43, 52) << 15;
    // No green among the candidates: the cream 11 is nearest (30.8), the
    // background next (32.9).
    QTest::newRow("green (0, 200, 0): cream 11") << QColor(0, 200, 0) << 11;
    QTest::newRow("pure red") << QColor(255, 0, 0) << 15;
    QTest::newRow("pure blue") << QColor(0, 0, 255) << 2;
    QTest::newRow("yellow") << QColor(255, 255, 0) << 11;
    QTest::newRow("magenta") << QColor(255, 0, 255) << 2;
    QTest::newRow("white: the background") << QColor(255, 255, 255) << 0;
    QTest::newRow("black: dark grey 5, not dark blue 14") << QColor(0, 0, 0) << 5;
    QTest::newRow("grey 128") << QColor(128, 128, 128) << 4;
    QTest::newRow("grey 64") << QColor(64, 64, 64) << 13;
    QTest::newRow("grey 200") << QColor(200, 200, 200) << 0;
    QTest::newRow("near miss of 2") << QColor(1, 72, 218) << 2;
    QTest::newRow("near miss of 1") << QColor(72, 145, 254) << 1;
    QTest::newRow("near miss of 15") << QColor(250, 80, 10) << 15;
    QTest::newRow("near miss of 3") << QColor(0, 40, 110) << 3;
    QTest::newRow("blue-black") << QColor(30, 30, 40) << 5;
}

void TestPerceptualMatching::nearestEntry()
{
    QFETCH(QColor, color);
    QFETCH(int, entry);
    const Palette &blue = Factory().palettes.at(0);
    const std::optional<SpritePixels> pixels =
        ConvertSpritePicture(Flat(kSpriteSide, kSpriteSide, color), blue, DefaultBackgroundColor(), MatchOptions{});
    QVERIFY(pixels);
    QCOMPARE(pixels->count(entry), kPixelsPerSprite);
}

void TestPerceptualMatching::exactColoursStay_data()
{
    QTest::addColumn<int>("palette");
    QTest::addColumn<bool>("dither");
    for (int p : {0, 4, 9, kRomPaletteCount}) {
        QTest::addRow("palette %d, dither off", p) << p << false;
        QTest::addRow("palette %d, dither on", p) << p << true;
    }
}

void TestPerceptualMatching::exactColoursStay()
{
    // Every pixel of the left half holds a candidate's colour; the right half
    // is noise that the dithering spreads errors from. The exact pixels come
    // back as their entries all the same.
    QFETCH(int, palette);
    QFETCH(bool, dither);
    const Palette colours = palette < kRomPaletteCount ? Factory().palettes.at(palette) : ImportExportPalette();
    const SpritePixels sprite = RandomSprite(7 + palette, CandidateIndices());
    QImage picture = ComposeSpriteImage(&sprite, colours, DefaultBackgroundColor(), QPoint(), false, false)
                         .convertToFormat(QImage::Format_RGB32);
    QRandomGenerator random(palette);
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = kSpriteSide / 2; x < kSpriteSide; ++x)
            picture.setPixel(x, y, random.generate() | 0xFF000000u);

    const std::optional<SpritePixels> back =
        ConvertSpritePicture(picture, colours, DefaultBackgroundColor(), MatchOptions{dither});
    QVERIFY(back);
    const std::optional<SpritePixels> whole = ConvertSpritePicture(
        ComposeSpriteImage(&sprite, colours, DefaultBackgroundColor(), QPoint(), false, false), colours,
        DefaultBackgroundColor(), MatchOptions{dither});
    QVERIFY(whole);
    int compared = 0;
    for (int k = 0; k < kPixelsPerSprite; ++k) {
        if (SpritePixelPosition(k).x() >= kSpriteSide / 2)
            continue;
        // The lower of two entries of one colour is the one a picture gives.
        QCOMPARE((*back)[k], (*whole)[k]);
        QCOMPARE(colours.value((*back)[k]), colours.value(sprite[k]));
        ++compared;
    }
    QCOMPARE(compared, kPixelsPerSprite / 2);
}

void TestPerceptualMatching::classicIsTheFirstMatcher_data()
{
    QTest::addColumn<int>("palette");
    QTest::addColumn<bool>("dither");
    QTest::addColumn<QByteArray>("sha1");
    // The indices (strip order) the editor's first matcher gave the rose,
    // recorded before perceptual matching existed.
    QTest::newRow("palette 0, dither off") << 0 << false << QByteArray("815ed0d5aa6957065a1fa6f8faa3816bd1129eb3");
    QTest::newRow("palette 0, dither on") << 0 << true << QByteArray("8529179ed7455ad0244205da2c8bb256b5654981");
    QTest::newRow("palette 4, dither off") << 4 << false << QByteArray("3f1386a0c294995e98d373ba2e7af6d4fea10ff6");
    QTest::newRow("palette 4, dither on") << 4 << true << QByteArray("23d6cc0f91ef881989e9794463be3004703ee449");
    QTest::newRow("palette 9, dither off") << 9 << false << QByteArray("4583e3068795df2fd282667cf55211ac9f6ece20");
    QTest::newRow("palette 9, dither on") << 9 << true << QByteArray("df7afcf231cf76f0a1faddf9ce968dbf54d28bbe");
}

void TestPerceptualMatching::classicIsTheFirstMatcher()
{
    QFETCH(int, palette);
    QFETCH(bool, dither);
    QFETCH(QByteArray, sha1);
    const QImage rose(QStringLiteral(SKM_SOURCE_DIR "/tests/core/data/rose-48.png"));
    QCOMPARE(rose.size(), QSize(kSpriteSide, kSpriteSide));
    const Palette &colours = Factory().palettes.at(palette);
    const std::optional<SpritePixels> classic =
        ConvertSpritePicture(rose, colours, DefaultBackgroundColor(), MatchOptions{dither, ColorMatching::Classic});
    QVERIFY(classic);
    QCOMPARE(Sha1Of(*classic), sha1);
    const std::optional<SpritePixels> perceptual =
        ConvertSpritePicture(rose, colours, DefaultBackgroundColor(), MatchOptions{dither});
    QVERIFY(*perceptual != *classic);
}

void TestPerceptualMatching::ditherKeepsTheMeanColour_data()
{
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<QColor>("color");
    QTest::newRow("grey between black and white") << QColor(0, 0, 0) << QColor(255, 255, 255) << QColor(128, 128, 128);
    QTest::newRow("dark grey") << QColor(0, 0, 0) << QColor(255, 255, 255) << QColor(40, 40, 40);
    // Each colour is a mix of the two in linear light (to 8-bit precision).
    QTest::newRow("purple between red and blue") << QColor(255, 0, 0) << QColor(0, 0, 255) << QColor(188, 0, 187);
    QTest::newRow("light blue between white and blue")
        << QColor(255, 255, 255) << QColor(0, 0, 255) << QColor(128, 128, 255);
    QTest::newRow("pale green between green and white")
        << QColor(0, 255, 0) << QColor(255, 255, 255) << QColor(200, 255, 200);
    QTest::newRow("dark red between black and red") << QColor(0, 0, 0) << QColor(255, 0, 0) << QColor(128, 0, 0);
    QTest::newRow("orange between red and yellow") << QColor(255, 0, 0) << QColor(255, 255, 0) << QColor(255, 150, 0);
}

void TestPerceptualMatching::ditherKeepsTheMeanColour()
{
    // The result of a flat patch, averaged in linear light, is the patch's
    // colour within 1 % in every channel.
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(QColor, color);
    PerceptualMatcher matcher;
    matcher.SetDither(true);
    matcher.AddColor(first);
    matcher.AddColor(second);
    const QList<int> chosen = matcher.MatchIndices(Flat(kSpriteSide, kSpriteSide, color));
    QCOMPARE(chosen.size(), kPixelsPerSprite);
    QVERIFY(chosen.contains(0) && chosen.contains(1));
    const QColor both[2] = {first, second};
    double mean[3] = {0, 0, 0};
    for (int k : chosen) {
        mean[0] += SrgbToLinear(both[k].red());
        mean[1] += SrgbToLinear(both[k].green());
        mean[2] += SrgbToLinear(both[k].blue());
    }
    const double source[3] = {SrgbToLinear(color.red()), SrgbToLinear(color.green()), SrgbToLinear(color.blue())};
    for (int c = 0; c < 3; ++c) {
        mean[c] /= chosen.size();
        QVERIFY2(qAbs(mean[c] - source[c]) <= 0.01 * source[c] + 1e-9,
                 qPrintable(QStringLiteral("channel %1: %2 for %3").arg(c).arg(mean[c]).arg(source[c])));
    }
}

void TestPerceptualMatching::ditherRunsBothWays()
{
    // Serpentine order: the second row is visited right to left. Its first
    // row is black, a candidate's own colour, which passes no error on, so
    // the second row is matched as a picture of its own, but from the right.
    const int w = 24;
    QImage picture(w, 2, QImage::Format_RGB32);
    QImage row(w, 1, QImage::Format_RGB32);
    QImage reversed(w, 1, QImage::Format_RGB32);
    for (int x = 0; x < w; ++x) {
        const QRgb c = qRgb(40 + 8 * x, 60 + 5 * x, 200 - 7 * x);
        picture.setPixel(x, 0, qRgb(0, 0, 0));
        picture.setPixel(x, 1, c);
        row.setPixel(x, 0, c);
        reversed.setPixel(w - 1 - x, 0, c);
    }
    PerceptualMatcher matcher;
    matcher.SetDither(true);
    for (QColor c : {QColor(0, 0, 0), QColor(255, 255, 255), QColor(200, 60, 40), QColor(40, 60, 200)})
        matcher.AddColor(c);
    const QList<int> both = matcher.MatchIndices(picture);
    QCOMPARE(both.mid(0, w), QList<int>(w, 0));
    QList<int> fromTheRight = matcher.MatchIndices(reversed);
    std::reverse(fromTheRight.begin(), fromTheRight.end());
    QCOMPARE(both.mid(w, w), fromTheRight);
    QVERIFY(matcher.MatchIndices(row) != fromTheRight);   // the direction shows
}

QTEST_GUILESS_MAIN(TestPerceptualMatching)
#include "tst_perceptualmatching.moc"
