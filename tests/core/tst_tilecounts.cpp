#include <QtTest>

#include "view/tilecounts.h"

// The 8 x 8 tiles of a car: empty ones, repeats as stored or flipped, and the
// video memory they take, on cars made of a few known tiles.
class TestTileCounts : public QObject
{
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void laterCopyIsTheDuplicate();
    void spriteCounts();
};

namespace {

// One 8 x 8 tile, rows of hex digits top to bottom: no two rows alike, no row
// a mirror of itself, so every flip and the transposition differ from it.
const QStringList kBase = {"12345678", "9abcdef1", "2468ace1", "13579bdf", "fedcba98", "11223344", "55667788", "99aabbcc"};

QStringList Transformed(const QStringList &rows, const QString &form)
{
    QStringList out;
    for (int y = 0; y < 8; ++y) {
        QString row;
        for (int x = 0; x < 8; ++x) {
            int sx = x, sy = y;
            if (form.contains(QLatin1Char('h')))
                sx = 7 - x;
            if (form.contains(QLatin1Char('v')))
                sy = 7 - y;
            if (form == QLatin1String("t"))
                std::swap(sx, sy);
            row += rows[sy][sx];
        }
        out << row;
    }
    if (form == QLatin1String("other"))   // one pixel changed
        out[3][4] = QLatin1Char('0');
    if (form == QLatin1String("dot")) {   // a single pixel on index 0
        out = QStringList(8, QStringLiteral("00000000"));
        out[0][0] = QLatin1Char('1');
    }
    return out;
}

// "sprite.tile:form" placements on an empty car; form is one of base, h, v,
// hv, t (transposed), other, dot.
QList<SpritePixels> MakeCar(const QStringList &placements)
{
    QList<SpritePixels> car(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0));
    for (const QString &placement : placements) {
        const QStringList parts = placement.split(QRegularExpression(QStringLiteral("[.:]")));
        const int sprite = parts[0].toInt();
        const int tile = parts[1].toInt();
        const QStringList rows = Transformed(kBase, parts[2]);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                car[sprite][tile * 64 + y * 8 + x] = QString(rows[y][x]).toInt(nullptr, 16);
    }
    return car;
}

} // namespace

void TestTileCounts::counts_data()
{
    QTest::addColumn<QStringList>("placements");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("duplicate");

    QTest::newRow("empty car") << QStringList{} << 0 << 0;
    QTest::newRow("one tile") << QStringList{"0.0:base"} << 1 << 0;
    QTest::newRow("equal in one sprite") << QStringList{"0.0:base", "0.35:base"} << 2 << 1;
    QTest::newRow("equal across sprites") << QStringList{"3.7:base", "44.35:base"} << 2 << 1;
    QTest::newRow("flipped horizontally") << QStringList{"0.0:base", "1.0:h"} << 2 << 1;
    QTest::newRow("flipped vertically") << QStringList{"0.0:base", "1.0:v"} << 2 << 1;
    QTest::newRow("flipped both ways") << QStringList{"0.0:base", "1.0:hv"} << 2 << 1;
    QTest::newRow("flips of each other") << QStringList{"0.0:h", "0.1:v"} << 2 << 1;
    QTest::newRow("transposed is no flip") << QStringList{"0.0:base", "0.1:t"} << 2 << 0;
    QTest::newRow("one pixel differs") << QStringList{"0.0:base", "0.1:other"} << 2 << 0;
    QTest::newRow("one pixel against index 0") << QStringList{"0.0:dot"} << 1 << 0;
    QTest::newRow("four forms, three repeats") << QStringList{"0.0:base", "0.1:h", "2.5:v", "9.9:hv"} << 4 << 3;
    QTest::newRow("two kinds, two each") << QStringList{"0.0:base", "0.1:t", "1.0:h", "1.1:t"} << 4 << 2;
}

void TestTileCounts::counts()
{
    QFETCH(QStringList, placements);
    QFETCH(int, used);
    QFETCH(int, duplicate);

    const TileCounts counts = CountCarTiles(MakeCar(placements));
    QCOMPARE(counts.used, used);
    QCOMPARE(counts.empty, 45 * 36 - used);
    QCOMPARE(counts.duplicate, duplicate);
    QCOMPARE(counts.vramBytes(), 32 * used);
    QCOMPARE(counts.vramBytesShared(), 32 * (used - duplicate));
}

void TestTileCounts::laterCopyIsTheDuplicate()
{
    // Storage order decides which copy is the first: sprite by sprite, tile by tile.
    const QList<TileKind> kinds = ClassifyCarTiles(MakeCar({"5.2:hv", "5.1:base", "4.30:v"}));
    QCOMPARE(kinds.size(), 45 * 36);
    QCOMPARE(kinds[4 * 36 + 30], TileKind::Used);
    QCOMPARE(kinds[5 * 36 + 1], TileKind::Duplicate);
    QCOMPARE(kinds[5 * 36 + 2], TileKind::Duplicate);
    QCOMPARE(kinds[5 * 36 + 3], TileKind::Empty);
}

void TestTileCounts::spriteCounts()
{
    QList<SpritePixels> car = MakeCar({"0.0:base", "1.0:h", "1.4:other"});
    car.resize(3);   // a short car: the missing sprites are empty
    car[2].resize(100);
    car[2][64 + 9] = 3;   // a pixel in tile 1 of a short sprite
    const QList<TileKind> kinds = ClassifyCarTiles(car);
    QCOMPARE(CountSpriteTiles(kinds, 0), (TileCounts{1, 35, 0}));
    QCOMPARE(CountSpriteTiles(kinds, 1), (TileCounts{2, 34, 1}));
    QCOMPARE(CountSpriteTiles(kinds, 2), (TileCounts{1, 35, 0}));
    QCOMPARE(CountSpriteTiles(kinds, 44), (TileCounts{0, 36, 0}));
    QCOMPARE(CountSpriteTiles(kinds, 45), TileCounts{});
    QCOMPARE(CountTiles(kinds), (TileCounts{4, 45 * 36 - 4, 1}));
}

QTEST_GUILESS_MAIN(TestTileCounts)
#include "tst_tilecounts.moc"
