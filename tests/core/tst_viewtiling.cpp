#include <QtTest>

#include "view/tiledindexedimage.h"

// The tiled indexed picture: where storage indices land, which levels are
// accepted, and how pixels outside the rules are drawn.
class TestViewTiling : public QObject
{
    Q_OBJECT

private slots:
    void spriteTilingPositions_data();
    void spriteTilingPositions();
    void spriteTilingCoversFrameOnce();
    void appendLevel_data();
    void appendLevel();
    void sizesWithoutLevels();
    void render_data();
    void render();
    void renderWithoutLevelsIsNull();
};

void TestViewTiling::spriteTilingPositions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("position");

    QTest::newRow("first pixel") << 0 << QPoint(0, 0);
    QTest::newRow("end of first row") << 7 << QPoint(7, 0);
    QTest::newRow("second row of first strip") << 8 << QPoint(0, 1);
    QTest::newRow("last pixel of first strip") << 191 << QPoint(7, 23);
    QTest::newRow("second strip") << 192 << QPoint(8, 0);
    QTest::newRow("end of top half") << 1151 << QPoint(47, 23);
    QTest::newRow("start of bottom half") << 1152 << QPoint(0, 24);
    QTest::newRow("last pixel") << 2303 << QPoint(47, 47);
    QTest::newRow("one past the end") << 2304 << QPoint(-1, -1);
    QTest::newRow("negative") << -1 << QPoint(-1, -1);
}

void TestViewTiling::spriteTilingPositions()
{
    QFETCH(int, index);
    QFETCH(QPoint, position);
    QCOMPARE(SpriteTiling().positionOf(index), position);
}

void TestViewTiling::spriteTilingCoversFrameOnce()
{
    const TiledIndexedImage tiling = SpriteTiling();
    QCOMPARE(tiling.width(), 48);
    QCOMPARE(tiling.height(), 48);
    QCOMPARE(tiling.area(), 2304);
    QSet<QPoint> seen;
    for (int n = 0; n < tiling.area(); ++n) {
        const QPoint p = tiling.positionOf(n);
        QVERIFY2(p.x() >= 0 && p.x() < 48 && p.y() >= 0 && p.y() < 48, qPrintable(QString::number(n)));
        seen.insert(p);
    }
    QCOMPARE(seen.size(), 2304);
}

void TestViewTiling::appendLevel_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("zero width") << 0 << 3 << false;
    QTest::newRow("zero height") << 3 << 0 << false;
    QTest::newRow("negative width") << -2 << 3 << false;
    QTest::newRow("negative height") << 2 << -3 << false;
    QTest::newRow("area beyond int range") << 100000 << 100000 << false;
    QTest::newRow("one by one") << 1 << 1 << true;
    QTest::newRow("wide") << 5 << 2 << true;
}

void TestViewTiling::appendLevel()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, accepted);

    // On top of a 2 x 3 level, so a refusal must also leave the derived sizes alone.
    TiledIndexedImage image;
    QVERIFY(image.appendLevel(2, 3));
    QCOMPARE(image.appendLevel(width, height), accepted);
    if (accepted) {
        QCOMPARE(image.levels().size(), 2);
        QCOMPARE(image.width(), 2 * width);
        QCOMPARE(image.height(), 3 * height);
        QCOMPARE(image.area(), 6 * width * height);
        QCOMPARE(image.positionOf(image.area()), QPoint(-1, -1));
        QCOMPARE(image.positionOf(image.area() - 1), QPoint(2 * width - 1, 3 * height - 1));
    } else {
        QCOMPARE(image.levels().size(), 1);
        QCOMPARE(image.width(), 2);
        QCOMPARE(image.height(), 3);
        QCOMPARE(image.area(), 6);
    }
}

void TestViewTiling::sizesWithoutLevels()
{
    TiledIndexedImage image;
    QCOMPARE(image.width(), 0);
    QCOMPARE(image.height(), 0);
    QCOMPARE(image.area(), 0);
    QCOMPARE(image.positionOf(0), QPoint(-1, -1));
}

void TestViewTiling::render_data()
{
    // A 4 x 2 picture of two 2 x 2 blocks side by side: storage 0..3 is the
    // left block, 4..7 the right one. Three colours.
    QTest::addColumn<QList<int>>("pixels");
    QTest::addColumn<QString>("expected");   // rows of the picture, top first

    QTest::newRow("full") << QList<int>{1, 2, 0, 1, 2, 2, 1, 0} << QStringLiteral("1222 0110");
    QTest::newRow("index without colour shows 0") << QList<int>{3, 1, 1, 1, 1, 1, 1, 1} << QStringLiteral("0111 1111");
    QTest::newRow("negative index shows 0") << QList<int>{1, 1, 1, 1, 1, 1, 1, -1} << QStringLiteral("1111 1110");
    QTest::newRow("short list leaves the rest at 0") << QList<int>{2, 2, 2} << QStringLiteral("2200 2000");
    QTest::newRow("empty list") << QList<int>{} << QStringLiteral("0000 0000");
    QTest::newRow("long list ignores the surplus") << QList<int>{1, 1, 1, 1, 1, 1, 1, 1, 2, 2}
                                                   << QStringLiteral("1111 1111");
}

void TestViewTiling::render()
{
    QFETCH(QList<int>, pixels);
    QFETCH(QString, expected);

    TiledIndexedImage image;
    QVERIFY(image.appendLevel(2, 2));
    QVERIFY(image.appendLevel(2, 1));
    QCOMPARE(image.appendColor(qRgb(10, 20, 30)), 0);
    QCOMPARE(image.appendColor(qRgb(200, 0, 0)), 1);
    QCOMPARE(image.appendColor(qRgb(0, 0, 200)), 2);
    image.setPixels(pixels);

    const QImage picture = image.render();
    QCOMPARE(picture.format(), QImage::Format_Indexed8);
    QCOMPARE(picture.size(), QSize(4, 2));
    QCOMPARE(picture.colorTable(), (QList<QRgb>{qRgb(10, 20, 30), qRgb(200, 0, 0), qRgb(0, 0, 200)}));
    QString rows;
    for (int y = 0; y < picture.height(); ++y) {
        if (y > 0)
            rows += QLatin1Char(' ');
        for (int x = 0; x < picture.width(); ++x)
            rows += QString::number(picture.pixelIndex(x, y));
    }
    QCOMPARE(rows, expected);
}

void TestViewTiling::renderWithoutLevelsIsNull()
{
    TiledIndexedImage image;
    image.appendColor(qRgb(1, 2, 3));
    image.setPixels({0, 0});
    QVERIFY(image.render().isNull());
}

QTEST_GUILESS_MAIN(TestViewTiling)
#include "tst_viewtiling.moc"
