#include <QRandomGenerator>
#include <QtTest>

#include "view/referencepicture.h"

// The reference picture blended into a zoomed frame: every pixel as the plain
// rule gives it (over + under * (255 - alpha) / 255, rounded, on each channel),
// only inside the area, and behind the sprite only where the mask says.
class TestReferenceBlend : public QObject
{
    Q_OBJECT

private slots:
    void blendsAsThePlainRule_data();
    void blendsAsThePlainRule();
};

namespace {

constexpr int kFrame = 48;

QRgb Plain(QRgb over, QRgb under)
{
    const int keep = 255 - qAlpha(over);
    const auto channel = [keep](int top, int bottom) {
        const int t = bottom * keep;
        return top + ((t + (t >> 8) + 0x80) >> 8);
    };
    return qRgba(channel(qRed(over), qRed(under)), channel(qGreen(over), qGreen(under)),
                 channel(qBlue(over), qBlue(under)), channel(qAlpha(over), qAlpha(under)));
}

// A premultiplied pixel of random colour and alpha; a quarter transparent,
// a quarter opaque.
QRgb RandomPremultiplied(QRandomGenerator &random)
{
    const int kind = random.bounded(4);
    const int alpha = kind == 0 ? 0 : kind == 1 ? 255 : random.bounded(256);
    return qPremultiply(qRgba(random.bounded(256), random.bounded(256), random.bounded(256), alpha));
}

} // namespace

void TestReferenceBlend::blendsAsThePlainRule_data()
{
    QTest::addColumn<int>("width");   // zoomed size, width x width
    QTest::addColumn<QRect>("area");
    QTest::addColumn<bool>("masked");
    QTest::newRow("whole, over") << 480 << QRect(0, 0, 480, 480) << false;
    QTest::newRow("whole, behind") << 480 << QRect(0, 0, 480, 480) << true;
    // Odd sizes and areas: the ends of a row that are not four pixels.
    QTest::newRow("odd area, over") << 150 << QRect(7, 3, 61, 40) << false;
    QTest::newRow("odd area, behind") << 150 << QRect(7, 3, 61, 40) << true;
    QTest::newRow("zoom 1.5, behind") << 72 << QRect(1, 1, 70, 69) << true;
    QTest::newRow("area past the edge") << 96 << QRect(90, 90, 20, 20) << false;
}

void TestReferenceBlend::blendsAsThePlainRule()
{
    QFETCH(int, width);
    QFETCH(QRect, area);
    QFETCH(bool, masked);
    QRandomGenerator random(width * 31 + area.x());
    QImage zoomed(width, width, QImage::Format_RGB32), reference(width, width, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x) {
            zoomed.setPixel(x, y, qRgb(random.bounded(256), random.bounded(256), random.bounded(256)));
            reference.setPixel(x, y, RandomPremultiplied(random));
        }
    QImage mask(kFrame, kFrame, QImage::Format_Grayscale8);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x)
            mask.scanLine(y)[x] = uchar(random.bounded(3) == 0 ? 0 : random.bounded(1, 256));
    QList<int> sources(width);
    for (int i = 0; i < width; ++i)
        sources[i] = i * kFrame / width;

    const QImage before = zoomed;
    if (masked)
        BlendReference(zoomed, reference, area, mask, sources.constData(), sources.constData());
    else
        BlendReference(zoomed, reference, area);

    const QRect inside = area & zoomed.rect();
    for (int y = 0; y < width; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb under = before.pixel(x, y);
            const bool through = inside.contains(x, y) && (!masked || mask.constScanLine(sources[y])[sources[x]]);
            const QRgb expected = through ? Plain(reference.pixel(x, y), under) : under;
            if (zoomed.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2: %3 instead of %4").arg(x).arg(y)
                                     .arg(zoomed.pixel(x, y), 8, 16).arg(expected, 8, 16)));
        }
}

QTEST_GUILESS_MAIN(TestReferenceBlend)
#include "tst_referenceblend.moc"
