#include <QtTest>

#include "view/onionskin.h"
#include "view/checkerboard.h"
#include "view/spritecomposer.h"

// The onion skin's neighbours at the edges of the view table, and how its
// layers are drawn behind a sprite.
class TestOnionSkin : public QObject
{
    Q_OBJECT

private slots:
    void neighbours_data();
    void neighbours();
    void layersShowOnlyInTheBackground();
    void layersOfAnotherSizeAreLeftOut();
    void slotLayersDrawTheSame_data();
    void slotLayersDrawTheSame();
};

namespace {

using Views = QList<ViewLookup>;

// "2m 3" : sprite 2 mirrored, sprite 3 as stored.
Views V(const QString &text)
{
    Views views;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        views << ViewLookup{part.chopped(part.endsWith(QLatin1Char('m')) ? 1 : 0).toInt(), part.endsWith(QLatin1Char('m'))};
    return views;
}

} // namespace

Q_DECLARE_METATYPE(OnionNeighbours)

void TestOnionSkin::neighbours_data()
{
    QTest::addColumn<OnionNeighbours>("which");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("tilt");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<Views>("expected");

    const auto R = OnionNeighbours::Rotations;
    const auto T = OnionNeighbours::Tilts;
    const auto M = OnionNeighbours::Mirror;
    // Rotations: the step before and after; 13..23 show 11..1 mirrored.
    QTest::newRow("rotation 0") << R << 0 << 0 << false << V("2m 2");
    QTest::newRow("rotation 12") << R << 12 << 0 << false << V("12 12m");
    QTest::newRow("rotation 13") << R << 13 << 0 << true << V("13 11m");
    QTest::newRow("rotation 23") << R << 23 << 0 << true << V("3m 1");
    QTest::newRow("rotation 0, tilt -4: nearest with a sprite") << R << 0 << -4 << false << V("30m 30");
    QTest::newRow("rotation 12, tilt 4") << R << 12 << 4 << false << V("29 29m");
    QTest::newRow("rotation 13, tilt 4") << R << 13 << 4 << true << V("29 29m");
    QTest::newRow("rotation 23, tilt -4") << R << 23 << -4 << true << V("30m 30");
    QTest::newRow("tilt -3 wraps round") << R << 3 << -3 << false << V("35m 19");
    QTest::newRow("mirrored by the user") << R << 1 << 0 << true << V("1m 3m");
    // Tilts: the nearest above and below that has a sprite, no wrapping.
    QTest::newRow("tilts at rotation 0, tilt 0: none") << T << 0 << 0 << false << V("");
    QTest::newRow("tilts at rotation 0, tilt -4") << T << 0 << -4 << false << V("1");
    QTest::newRow("tilts at rotation 3, tilt -4") << T << 3 << -4 << false << V("35");
    QTest::newRow("tilts at rotation 3, tilt 4") << T << 3 << 4 << false << V("40");
    QTest::newRow("tilts at rotation 12, tilt 4") << T << 12 << 4 << false << V("13");
    QTest::newRow("tilts at rotation 13, tilt -4") << T << 13 << -4 << true << V("12m");
    QTest::newRow("tilts at rotation 23, tilt 4") << T << 23 << 4 << true << V("2m");
    QTest::newRow("tilts at rotation 21, tilt -4") << T << 21 << -4 << true << V("35m");
    QTest::newRow("tilts at rotation 9, tilt 0") << T << 9 << 0 << false << V("21 22");
    // The mirrored partner: the sprite on show in the mirror.
    QTest::newRow("partner of rotation 0") << M << 0 << 0 << false << V("1m");
    QTest::newRow("partner of rotation 12") << M << 12 << 0 << false << V("13m");
    QTest::newRow("partner of rotation 13") << M << 13 << 0 << true << V("12");
    QTest::newRow("partner of rotation 23") << M << 23 << 0 << true << V("2");
    QTest::newRow("partner at tilt 4") << M << 3 << 4 << false << V("41m");
    QTest::newRow("no partner without a sprite, tilt -4") << M << 0 << -4 << false << V("");
    QTest::newRow("no partner without a sprite, tilt 4") << M << 13 << 4 << true << V("");
    QTest::newRow("rotation out of range wraps") << M << 25 << 0 << false << V("2m");
}

void TestOnionSkin::neighbours()
{
    QFETCH(OnionNeighbours, which);
    QFETCH(int, rotation);
    QFETCH(int, tilt);
    QFETCH(bool, mirrored);
    QFETCH(Views, expected);
    QCOMPARE(OnionSkinViews(rotation, tilt, mirrored, which), expected);
}

namespace {

QImage Filled(QRgb color)
{
    QImage image(48, 48, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QImage Slots(const QList<QPoint> &set)
{
    QImage indices(48, 48, QImage::Format_Indexed8);
    indices.fill(0);
    for (const QPoint &p : set)
        indices.scanLine(p.y())[p.x()] = 7;
    return indices;
}

} // namespace

void TestOnionSkin::layersShowOnlyInTheBackground()
{
    const QImage frame = Filled(qRgb(200, 100, 0));
    const QImage frameSlots = Slots({{1, 1}});   // the sprite's one pixel
    const QList<OnionLayer> layers = {{Filled(qRgb(0, 0, 100)), Slots({{1, 1}, {2, 2}})},
                                      {Filled(qRgb(100, 200, 255)), Slots({{2, 2}, {3, 3}})}};
    const QImage out = WithOnionSkin(frame, frameSlots, layers);
    QCOMPARE(out.format(), QImage::Format_RGB32);
    QCOMPARE(out.pixel(1, 1), qRgb(200, 100, 0));    // the sprite covers its neighbours
    QCOMPARE(out.pixel(2, 2), qRgb(140, 70, 30));    // the first layer there, at 30 %
    QCOMPARE(out.pixel(3, 3), qRgb(170, 130, 77));   // the second where the first has background
    QCOMPARE(out.pixel(0, 0), qRgb(200, 100, 0));    // background of every layer
    QCOMPARE(WithOnionSkin(frame, frameSlots, {}), frame);
}

void TestOnionSkin::layersOfAnotherSizeAreLeftOut()
{
    const QImage frame = Filled(qRgb(10, 20, 30));
    const QList<OnionLayer> wrong = {{Filled(qRgb(255, 255, 255)).scaled(24, 24), Slots({{0, 0}}).scaled(24, 24)},
                                     {Filled(qRgb(255, 255, 255)), QImage()}};
    QCOMPARE(WithOnionSkin(frame, Slots({}), wrong), frame);
    const QList<OnionLayer> right = {{Filled(qRgb(255, 255, 255)), Slots({{0, 0}})}};
    QCOMPARE(WithOnionSkin(frame, QImage(), right), frame);   // no slots for the frame
}

void TestOnionSkin::slotLayersDrawTheSame_data()
{
    QTest::addColumn<int>("layerCount");
    QTest::addColumn<bool>("mirroredLayers");
    QTest::addColumn<bool>("checkerboard");   // under the layers, instead of the background colour
    QTest::newRow("none") << 0 << false << false;
    QTest::newRow("one") << 1 << false << false;
    QTest::newRow("two, overlapping") << 2 << false << false;
    QTest::newRow("two mirrored, on a checkerboard") << 2 << true << true;
    QTest::newRow("three") << 3 << true << false;
}

// Layers in the frame's own colours drawn from their slots give what drawing
// their pictures gives.
void TestOnionSkin::slotLayersDrawTheSame()
{
    QFETCH(int, layerCount);
    QFETCH(bool, mirroredLayers);
    QFETCH(bool, checkerboard);
    Palette palette;
    for (int i = 0; i < 16; ++i)
        palette << QColor(i * 15, 255 - i * 13, (i * 71) % 256);
    const QColor background(218, 200, 180);
    const QList<QRgb> table = SpriteColorTable(palette, background, false);
    // Sparse sprites, so that layers overlap in some pixels and not in others.
    const auto sprite = [](int seed) {
        SpritePixels pixels(kPixelsPerSprite);
        for (int n = 0; n < kPixelsPerSprite; ++n)
            pixels[n] = (n * (7 + seed) + n / 40 * seed) % 5 == 0 ? (n + seed) % 16 : 0;
        return pixels;
    };
    const SpritePixels shown = sprite(0);
    const QImage frameSlots = ComposeSpriteSlots(&shown, {}, false, false);
    QImage frame = ComposeSlotColors(frameSlots, table);
    if (checkerboard)
        frame = WithCheckerboard(frame, frameSlots);
    QList<OnionLayer> layers;
    QList<QImage> layerSlots;
    for (int l = 0; l < layerCount; ++l) {
        const SpritePixels pixels = sprite(l + 1);
        const bool mirrored = mirroredLayers && l % 2 == 0;
        layers << OnionLayer{ComposeSpriteImage(&pixels, palette, background, QPoint(l, -l), mirrored, false),
                             ComposeSpriteSlots(&pixels, QPoint(l, -l), mirrored, false)};
        layerSlots << layers.last().slotPicture;
    }
    QImage drawn = frame.convertToFormat(QImage::Format_RGB32);
    DrawOnionSlots(drawn, frameSlots, OnionSlots(layerSlots), table);
    QCOMPARE(drawn, WithOnionSkin(frame, frameSlots, layers));
}

QTEST_GUILESS_MAIN(TestOnionSkin)
#include "tst_onionskin.moc"
