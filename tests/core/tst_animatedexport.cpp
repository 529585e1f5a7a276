#include <QtTest>

#include <QBuffer>
#include <QImageReader>

#include "animation/animationexport.h"
#include "view/spritecomposer.h"
#include "view/zoom.h"

Q_DECLARE_METATYPE(AnimationFormat)
Q_DECLARE_METATYPE(AnimationMotion)
Q_DECLARE_METATYPE(AnimationPose)
Q_DECLARE_METATYPE(AnimationSettings)
Q_DECLARE_METATYPE(ColorModel)

namespace {

// Sixteen distinct colours of the cartridge grid, none the background grey.
Palette TestPalette()
{
    Palette palette;
    for (int i = 0; i < kColorsPerPalette; ++i)
        palette.append(ColorFromWord16(quint16(((i & 7) << 9) | ((7 - (i & 7)) << 5) | ((i >> 3) << 3) | 0x2)));
    return palette;
}

// Every sprite different and lopsided, so that order, mirroring and the wheel
// colours all show in the pixels.
ExchangeData TestData(ColorModel colors)
{
    SpriteTable sprites(2);
    for (int s = 0; s < kSpritesPerCar; ++s) {
        SpritePixels pixels(kPixelsPerSprite);
        for (int n = 0; n < kPixelsPerSprite; ++n)
            pixels[n] = (n / 7 + n % 5 + 3 * s) % kColorsPerPalette;
        sprites[1].append(pixels);
    }
    sprites[0] = sprites[1];
    SpriteOffsets offsets = ZeroOffsetsFor(sprites);
    offsets[1][3] = QPoint(5, -2);   // sprite 4 (rotation 3) moved: frames show it moved
    return ExchangeData{sprites, offsets, TestPalette(), QColor(218, 218, 218), colors};
}

// The picture the view shows for a frame, scaled up as the file should hold it.
QImage ExpectedFrame(const ExchangeData &data, const AnimationSettings &settings, const AnimationFrame &frame)
{
    const int sprite = frame.view.spriteNumber - 1;
    const QImage composed = ComposeSpriteImage(&data.sprites[settings.car][sprite], data.palette, data.background,
                                               data.offsets[settings.car][sprite], frame.view.mirrored,
                                               frame.pose.wheelsTurned, data.colors);
    return ScaleNearest(composed.convertToFormat(QImage::Format_RGB32), composed.size() * settings.zoom);
}

} // namespace

// The animated export: one loop of the view's animation, read back with Qt's
// GIF and WebP readers frame by frame.
class TestAnimatedExport : public QObject
{
    Q_OBJECT

private slots:
    void loop_data();
    void loop();
    void delay_data();
    void delay();
    void files_data();
    void files();
};

void TestAnimatedExport::loop_data()
{
    QTest::addColumn<AnimationMotion>("motion");
    QTest::addColumn<AnimationPose>("start");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("frame");
    QTest::addColumn<AnimationPose>("pose");
    QTest::addColumn<int>("sprite");
    QTest::addColumn<bool>("mirrored");
    QTest::newRow("turn") << AnimationMotion{true, false, false} << AnimationPose{} << 24 << 13
                          << AnimationPose{13, 0, false, true} << 12 << true;
    QTest::newRow("turn from 20") << AnimationMotion{true, false, false} << AnimationPose{20, 0} << 24 << 4
                                  << AnimationPose{0, 0, false, true} << 1 << false;
    // Rotations 0..2 have no sprite at tilt 1: the view keeps rotation 21's (38 mirrored).
    QTest::newRow("turn at tilt 1") << AnimationMotion{true, false, false} << AnimationPose{0, 1} << 24 << 0
                                    << AnimationPose{0, 1, false, true} << 38 << true;
    QTest::newRow("tilt") << AnimationMotion{false, true, false} << AnimationPose{3, 0} << 16 << 6
                          << AnimationPose{3, 2, false, false} << 39 << false;
    QTest::newRow("tilt, its far end") << AnimationMotion{false, true, false} << AnimationPose{3, 0} << 16 << 12
                                       << AnimationPose{3, -4, false, false} << 34 << false;
    QTest::newRow("both with wheels") << AnimationMotion{true, true, true} << AnimationPose{} << 48 << 3
                                      << AnimationPose{3, 3, true, true} << 40 << false;
    QTest::newRow("wheels alone") << AnimationMotion{false, false, true} << AnimationPose{5, 0} << 2 << 1
                                  << AnimationPose{5, 0, true, true} << 6 << false;
}

void TestAnimatedExport::loop()
{
    QFETCH(AnimationMotion, motion);
    QFETCH(AnimationPose, start);
    QFETCH(int, frames);
    QFETCH(int, frame);
    QFETCH(AnimationPose, pose);
    QFETCH(int, sprite);
    QFETCH(bool, mirrored);
    const QList<AnimationFrame> loop = AnimationLoop(start, motion);
    QCOMPARE(loop.size(), frames);
    QCOMPARE(loop[frame].pose, pose);
    QCOMPARE(loop[frame].view, (ViewLookup{sprite, mirrored}));
    // One more tick comes back to the start.
    QCOMPARE(NextAnimationPose(loop.last().pose, motion).rotation, loop.first().pose.rotation);
    QCOMPARE(NextAnimationPose(loop.last().pose, motion).tilt, loop.first().pose.tilt);
}

void TestAnimatedExport::delay_data()
{
    QTest::addColumn<int>("ms");
    QTest::addColumn<int>("centiseconds");
    QTest::newRow("slider's right end") << 20 << 2;
    QTest::newRow("below the shortest") << 1 << 2;
    QTest::newRow("rounded down") << 64 << 6;
    QTest::newRow("half rounded up") << 65 << 7;
    QTest::newRow("slider's left end") << 200 << 20;
}

void TestAnimatedExport::delay()
{
    QFETCH(int, ms);
    QFETCH(int, centiseconds);
    QCOMPARE(AnimationDelayCentiseconds(ms), centiseconds);
}

void TestAnimatedExport::files_data()
{
    QTest::addColumn<AnimationFormat>("format");
    QTest::addColumn<AnimationSettings>("settings");
    QTest::addColumn<ColorModel>("colors");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("delay");   // ms as read back

    AnimationSettings turn;
    turn.car = 1;
    turn.zoom = 2;
    turn.delayMs = 64;
    AnimationSettings both = turn;
    both.motion = AnimationMotion{true, true, true};
    both.start = AnimationPose{7, -1};
    both.zoom = 3;
    both.delayMs = 10;
    AnimationSettings tilt = turn;
    tilt.motion = AnimationMotion{false, true, false};
    tilt.start.rotation = 3;
    tilt.transparent = true;
    AnimationSettings transparent = turn;
    transparent.transparent = true;
    transparent.zoom = 1;

    QTest::newRow("gif, turn") << AnimationFormat::Gif << turn << ColorModel::Linear << 24 << 60;
    QTest::newRow("gif, both with wheels, console") << AnimationFormat::Gif << both << ColorModel::Console << 48 << 20;
    QTest::newRow("gif, tilt, transparent") << AnimationFormat::Gif << tilt << ColorModel::Linear << 16 << 60;
    QTest::newRow("webp, turn") << AnimationFormat::WebP << turn << ColorModel::Linear << 24 << 60;
    QTest::newRow("webp, turn, transparent, console") << AnimationFormat::WebP << transparent << ColorModel::Console
                                                      << 24 << 60;
    QTest::newRow("webp, both with wheels") << AnimationFormat::WebP << both << ColorModel::Linear << 48 << 20;
}

void TestAnimatedExport::files()
{
    QFETCH(AnimationFormat, format);
    QFETCH(AnimationSettings, settings);
    QFETCH(ColorModel, colors);
    QFETCH(int, frames);
    QFETCH(int, delay);

    const ExchangeData data = TestData(colors);
    const Result<QByteArray> bytes = EncodeAnimation(data, settings, format);
    QVERIFY2(bytes.ok(), qPrintable(bytes.message()));
    QBuffer buffer;
    buffer.setData(*bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, format == AnimationFormat::Gif ? "gif" : "webp");
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QCOMPARE(reader.imageCount(), frames);
    QCOMPARE(reader.loopCount(), -1);   // forever

    const QList<AnimationFrame> loop = AnimationLoop(settings.start, settings.motion);
    const QRgb background = ShownColor(data.background, colors).rgb();
    for (int i = 0; i < frames; ++i) {
        QImage read;
        QVERIFY2(reader.read(&read), qPrintable(QStringLiteral("frame %1: %2").arg(i).arg(reader.errorString())));
        QCOMPARE(reader.nextImageDelay(), delay);
        const QImage expected = ExpectedFrame(data, settings, loop[i]);
        QCOMPARE(read.size(), expected.size());
        read = read.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < expected.height(); ++y) {
            const QRgb *got = reinterpret_cast<const QRgb *>(read.constScanLine(y));
            const QRgb *want = reinterpret_cast<const QRgb *>(expected.constScanLine(y));
            for (int x = 0; x < expected.width(); ++x) {
                const bool clear = settings.transparent && want[x] == background;
                if (clear ? qAlpha(got[x]) != 0 : got[x] != want[x])
                    QFAIL(qPrintable(QStringLiteral("frame %1, pixel (%2, %3): %4 instead of %5")
                                         .arg(i).arg(x).arg(y).arg(got[x], 8, 16)
                                         .arg(clear ? QStringLiteral("transparent") : QString::number(want[x], 16))));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestAnimatedExport)
#include "tst_animatedexport.moc"
