#include <QtTest>

#include <algorithm>
#include <optional>

#include "view/shapes.h"
#include "view/spriteoffsets.h"
#include "view/viewcopy.h"
#include "view/viewtable.h"

using OptionalStep = std::optional<ViewStep>;
Q_DECLARE_METATYPE(OptionalStep)

namespace {

// The pixels as rows of '#' (named) and '.' (not) in a w x h box at the
// origin, rows separated by '/'; pixels outside the box show as '!'.
QString Picture(const QList<QPoint> &pixels, int w, int h)
{
    QString rows;
    for (int y = 0; y < h; ++y) {
        if (y > 0)
            rows += QLatin1Char('/');
        for (int x = 0; x < w; ++x)
            rows += pixels.contains(QPoint(x, y)) ? QLatin1Char('#') : QLatin1Char('.');
    }
    for (const QPoint &p : pixels)
        if (p.x() < 0 || p.x() >= w || p.y() < 0 || p.y() >= h)
            rows += QLatin1Char('!');
    return rows;
}

bool EachOnce(const QList<QPoint> &pixels)
{
    for (qsizetype i = 0; i < pixels.size(); ++i)
        if (pixels.indexOf(pixels.at(i)) != i)
            return false;
    return true;
}

// A sprite whose every stored pixel tells its place: index (x + 2y) % 15 + 1.
SpritePixels Numbered(int length = kPixelsPerSprite)
{
    SpritePixels pixels(length, 0);
    for (int n = 0; n < length && n < kPixelsPerSprite; ++n) {
        const QPoint p = SpritePixelPosition(n);
        pixels[n] = (p.x() + 2 * p.y()) % 15 + 1;
    }
    return pixels;
}

int At(const SpritePixels &pixels, int x, int y)
{
    return PixelIndexAt(pixels, {x, y}).value_or(-1);
}

} // namespace

// Lines, rectangles and ellipses, the Shift constraint, mirror symmetry, the
// live preview's exchange of one shape for the next, and copying a view to
// its neighbours.
class TestShapes : public QObject
{
    Q_OBJECT

private slots:
    // From the middle of a 7 x 7 box into every octant and along the axes.
    void lineOctants_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("east-north-east") << QPoint(6, 2) << "......./......./.....##/...##../......./......./.......";
        QTest::newRow("north-north-east") << QPoint(5, 0) << ".....#./....#../....#../...#.../......./......./.......";
        QTest::newRow("north-north-west") << QPoint(1, 0) << ".#...../..#..../..#..../...#.../......./......./.......";
        QTest::newRow("west-north-west") << QPoint(0, 2) << "......./......./##...../..##.../......./......./.......";
        QTest::newRow("west-south-west") << QPoint(0, 4) << "......./......./......./..##.../##...../......./.......";
        QTest::newRow("south-south-west") << QPoint(1, 6) << "......./......./......./...#.../..#..../..#..../.#.....";
        QTest::newRow("south-south-east") << QPoint(5, 6) << "......./......./......./...#.../....#../....#../.....#.";
        QTest::newRow("east-south-east") << QPoint(6, 4) << "......./......./......./...##../.....##/......./.......";
        QTest::newRow("east") << QPoint(6, 3) << "......./......./......./...####/......./......./.......";
        QTest::newRow("north") << QPoint(3, 0) << "...#.../...#.../...#.../...#.../......./......./.......";
        QTest::newRow("north-west") << QPoint(0, 0) << "#....../.#...../..#..../...#.../......./......./.......";
        QTest::newRow("south-east") << QPoint(6, 6) << "......./......./......./...#.../....#../.....#./......#";
    }

    void lineOctants()
    {
        QFETCH(QPoint, to);
        QFETCH(QString, expected);
        const QList<QPoint> line = ShapePixels(ShapeKind::Line, {3, 3}, to, true);
        QCOMPARE(Picture(line, 7, 7), expected);
        QCOMPARE(line.constFirst(), QPoint(3, 3));
        QCOMPARE(line.constLast(), to);
        QVERIFY(EachOnce(line));
    }

    void shapes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("a");
        QTest::addColumn<QPoint>("b");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QString>("expected");
        const int rect = int(ShapeKind::Rectangle), ellipse = int(ShapeKind::Ellipse);
        QTest::newRow("rectangle, corners either way") << rect << QPoint(5, 3) << QPoint(1, 0) << false
                                                       << ".#####./.#...#./.#...#./.#####./.......";
        QTest::newRow("rectangle filled") << rect << QPoint(1, 1) << QPoint(3, 2) << true << "..../.###/.###/....";
        QTest::newRow("rectangle one row") << rect << QPoint(0, 1) << QPoint(3, 1) << false << "..../####/....";
        QTest::newRow("rectangle one column") << rect << QPoint(1, 0) << QPoint(1, 2) << false << ".#./.#./.#.";
        QTest::newRow("rectangle one pixel") << rect << QPoint(1, 1) << QPoint(1, 1) << false << ".../.#./...";
        QTest::newRow("circle, odd") << ellipse << QPoint(0, 0) << QPoint(4, 4) << false
                                     << ".###./#...#/#...#/#...#/.###.";
        QTest::newRow("circle, even") << ellipse << QPoint(5, 5) << QPoint(0, 0) << false
                                      << "..##../.#..#./#....#/#....#/.#..#./..##..";
        QTest::newRow("ellipse, even by even") << ellipse << QPoint(0, 0) << QPoint(7, 3) << false
                                               << "..####../##....##/##....##/..####..";
        QTest::newRow("ellipse, odd by odd") << ellipse << QPoint(0, 0) << QPoint(6, 4) << false
                                             << "..###../.#...#./#.....#/.#...#./..###..";
        QTest::newRow("ellipse, even by odd") << ellipse << QPoint(0, 0) << QPoint(5, 2) << false
                                              << ".####./#....#/.####.";
        QTest::newRow("ellipse filled") << ellipse << QPoint(0, 0) << QPoint(6, 4) << true
                                        << "..###../.#####./#######/.#####./..###..";
        QTest::newRow("ellipse one column") << ellipse << QPoint(0, 0) << QPoint(0, 4) << false << "#/#/#/#/#";
        QTest::newRow("ellipse two columns") << ellipse << QPoint(0, 0) << QPoint(1, 3) << false << "##/##/##/##";
        QTest::newRow("ellipse three columns") << ellipse << QPoint(0, 0) << QPoint(2, 6) << false
                                               << ".#./#.#/#.#/#.#/#.#/#.#/.#.";
        QTest::newRow("ellipse one row") << ellipse << QPoint(0, 0) << QPoint(3, 0) << false << "####";
        QTest::newRow("ellipse one pixel") << ellipse << QPoint(0, 0) << QPoint(0, 0) << false << "#";
    }

    void shapes()
    {
        QFETCH(int, kind);
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        QFETCH(bool, filled);
        QFETCH(QString, expected);
        const int w = int(expected.indexOf(QLatin1Char('/')) < 0 ? expected.size() : expected.indexOf(QLatin1Char('/')));
        const int h = int(expected.count(QLatin1Char('/'))) + 1;
        const QList<QPoint> pixels = ShapePixels(ShapeKind(kind), a, b, filled);
        QCOMPARE(Picture(pixels, w, h), expected);
        QVERIFY(EachOnce(pixels));
        QCOMPARE(ShapePixels(ShapeKind(kind), b, a, filled), pixels);   // the corners either way
    }

    // Every ellipse up to 16 x 16 touches its rectangle's four sides and
    // is symmetric about both its middles.
    void ellipsesFillTheirRectangle()
    {
        for (int w = 1; w <= 16; ++w) {
            for (int h = 1; h <= 16; ++h) {
                const QList<QPoint> pixels = EllipsePixels({10, 20}, {10 + w - 1, 20 + h - 1}, false);
                QRect box;
                for (const QPoint &p : pixels) {
                    box |= QRect(p, QSize(1, 1));
                    QVERIFY2(pixels.contains(QPoint(20 + w - 1 - p.x(), p.y())), qPrintable(QString::number(w)));
                    QVERIFY2(pixels.contains(QPoint(p.x(), 40 + h - 1 - p.y())), qPrintable(QString::number(h)));
                }
                QCOMPARE(box, QRect(10, 20, w, h));
            }
        }
    }

    void constrainedEnd_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("expected");
        const int line = int(ShapeKind::Line), rect = int(ShapeKind::Rectangle), ellipse = int(ShapeKind::Ellipse);
        // From (20, 20); tan 22.5 degrees = 0.414 decides between axis and diagonal.
        QTest::newRow("line, nearly east") << line << QPoint(30, 24) << QPoint(30, 20);
        QTest::newRow("line, just diagonal") << line << QPoint(30, 25) << QPoint(30, 30);
        QTest::newRow("line, nearly north") << line << QPoint(22, 10) << QPoint(20, 10);
        QTest::newRow("line, north-west") << line << QPoint(13, 14) << QPoint(13, 13);
        QTest::newRow("line, south-west") << line << QPoint(14, 27) << QPoint(13, 27);
        QTest::newRow("line, west") << line << QPoint(5, 21) << QPoint(5, 20);
        QTest::newRow("line, no drag") << line << QPoint(20, 20) << QPoint(20, 20);
        QTest::newRow("square, wider") << rect << QPoint(25, 17) << QPoint(25, 15);
        QTest::newRow("square, taller up-left") << rect << QPoint(18, 12) << QPoint(12, 12);
        QTest::newRow("square, straight down") << rect << QPoint(20, 24) << QPoint(24, 24);
        QTest::newRow("circle") << ellipse << QPoint(11, 23) << QPoint(11, 29);
    }

    void constrainedEnd()
    {
        QFETCH(int, kind);
        QFETCH(QPoint, to);
        QFETCH(QPoint, expected);
        QCOMPARE(ConstrainedEnd(ShapeKind(kind), {20, 20}, to), expected);
    }

    // The mirror image about the middle of the 48 columns, on even and odd
    // columns, on both sides of the axis and on it.
    void symmetry_data()
    {
        QTest::addColumn<QList<QPoint>>("drawn");
        QTest::addColumn<QList<QPoint>>("expected");
        QTest::newRow("even column") << QList<QPoint>{{10, 5}} << QList<QPoint>{{10, 5}, {37, 5}};
        QTest::newRow("odd column") << QList<QPoint>{{11, 5}} << QList<QPoint>{{11, 5}, {36, 5}};
        QTest::newRow("edges") << QList<QPoint>{{0, 0}, {47, 47}} << QList<QPoint>{{0, 0}, {47, 47}, {47, 0}, {0, 47}};
        QTest::newRow("left of the axis") << QList<QPoint>{{23, 9}} << QList<QPoint>{{23, 9}, {24, 9}};
        QTest::newRow("right of the axis") << QList<QPoint>{{24, 9}} << QList<QPoint>{{24, 9}, {23, 9}};
        QTest::newRow("across the axis, each once")
            << QList<QPoint>{{22, 1}, {23, 1}, {24, 1}, {25, 1}} << QList<QPoint>{{22, 1}, {23, 1}, {24, 1}, {25, 1}};
        QTest::newRow("outside the frame") << QList<QPoint>{{-1, 3}, {5, 48}, {5, 3}} << QList<QPoint>{{5, 3}, {42, 3}};
    }

    void symmetry()
    {
        QFETCH(QList<QPoint>, drawn);
        QFETCH(QList<QPoint>, expected);
        QCOMPARE(WithMirrorImage(drawn), expected);
    }

    // PaintChanges: each pixel once, unchanged ones and ones past a short
    // sprite's end left out.
    void paintChanges()
    {
        SpritePixels pixels(kPixelsPerSprite, 0);
        pixels[SpritePixelIndex(3, 0)] = 7;
        const PixelChanges changes = PaintChanges(pixels, {{1, 0}, {2, 0}, {3, 0}, {1, 0}, {-1, 0}, {48, 2}}, 7);
        QCOMPARE(changes, (PixelChanges{{SpritePixelIndex(1, 0), 0, 7}, {SpritePixelIndex(2, 0), 0, 7}}));
        const SpritePixels shortSprite(100, 0);
        for (const PixelChange &change : PaintChanges(shortSprite, WithMirrorImage(LinePixels({0, 0}, {47, 47})), 3))
            QVERIFY(change.index < 100);
    }

    // A preview replaced by the next one leaves the sprite as if only the
    // next had been drawn, whatever the shapes share.
    void previewReplaced_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<QPoint>>("ends");
        QTest::newRow("growing rectangle") << int(ShapeKind::Rectangle) << QList<QPoint>{{5, 5}, {9, 9}, {20, 12}};
        QTest::newRow("shrinking ellipse") << int(ShapeKind::Ellipse) << QList<QPoint>{{30, 30}, {12, 8}, {5, 5}};
        QTest::newRow("turning line") << int(ShapeKind::Line) << QList<QPoint>{{40, 2}, {2, 40}, {40, 40}};
    }

    void previewReplaced()
    {
        QFETCH(int, kind);
        QFETCH(QList<QPoint>, ends);
        const SpritePixels base = Numbered();
        SpritePixels live = base;
        PixelChanges shown;
        PixelStroke stroke;
        for (const QPoint &end : ends) {
            const PixelChanges next = PaintChanges(base, WithMirrorImage(ShapePixels(ShapeKind(kind), {4, 4}, end, true)), 0);
            const PixelChanges step = ReplacedChanges(shown, next);
            ApplyPixelChanges(live, step);
            stroke.add(step);
            shown = next;
            SpritePixels expected = base;
            ApplyPixelChanges(expected, next);
            QCOMPARE(live, expected);
        }
        // The stroke's step holds the last shape's pixels alone (by storage index).
        PixelChanges sorted = shown;
        std::sort(sorted.begin(), sorted.end(), [](const PixelChange &a, const PixelChange &b) { return a.index < b.index; });
        QCOMPARE(stroke.changes(), sorted);
        ApplyPixelChanges(live, ReplacedChanges(shown, {}));
        QCOMPARE(live, base);
    }

    // The next and previous rotation at a tilt, over the table's edges.
    void neighbourView_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("tilt");
        QTest::addColumn<int>("direction");
        QTest::addColumn<OptionalStep>("expected");
        QTest::newRow("0 -> 1") << 0 << 0 << 1 << OptionalStep(ViewStep{1, 0, 1, false});
        QTest::newRow("12 -> 13 mirrored") << 12 << 0 << 1 << OptionalStep(ViewStep{13, 0, 11, true});
        QTest::newRow("23 -> 0") << 23 << 0 << 1 << OptionalStep(ViewStep{0, 0, 0, false});
        QTest::newRow("0 -> 23 back") << 0 << 0 << -1 << OptionalStep(ViewStep{23, 0, 1, true});
        QTest::newRow("13 -> 12 back") << 13 << 0 << -1 << OptionalStep(ViewStep{12, 0, 12, false});
        QTest::newRow("tilt -4, 4 -> 8 past views without sprites") << 4 << -4 << 1 << OptionalStep(ViewStep{8, -4, 13, false});
        // 14 and 2 show the sprites of 10 and 22 again: passed by.
        QTest::newRow("tilt -4, 10 -> 15 mirrored") << 10 << -4 << 1 << OptionalStep(ViewStep{15, -4, 17, true});
        QTest::newRow("tilt -4, 22 -> 3 over the end") << 22 << -4 << 1 << OptionalStep(ViewStep{3, -4, 33, false});
        QTest::newRow("tilt 1, 3 -> 9") << 3 << 1 << 1 << OptionalStep(ViewStep{9, 1, 21, false});
        // 15 shows sprite 22 again, mirrored: passed by.
        QTest::newRow("tilt 1, 9 -> 21 past its own mirror image") << 9 << 1 << 1 << OptionalStep(ViewStep{21, 1, 37, true});
        QTest::newRow("tilt 1, 3 back -> 15") << 3 << 1 << -1 << OptionalStep(ViewStep{15, 1, 21, true});
    }

    void neighbourView()
    {
        QFETCH(int, rotation);
        QFETCH(int, tilt);
        QFETCH(int, direction);
        QFETCH(OptionalStep, expected);
        const ViewLookup here = FindSpriteByParameters(rotation, tilt);
        QCOMPARE(NeighbourView(rotation, tilt, here.spriteNumber - 1, direction), expected);
    }

    void mirroredPartner_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("tilt");
        QTest::addColumn<OptionalStep>("expected");
        QTest::newRow("back -> front") << 0 << 0 << OptionalStep(ViewStep{12, 0, 12, false});
        QTest::newRow("front -> back") << 12 << 0 << OptionalStep(ViewStep{0, 0, 0, false});
        QTest::newRow("3, tilt 2 -> 9, tilt -2") << 3 << 2 << OptionalStep(ViewStep{9, -2, 19, false});
        QTest::newRow("10, tilt -4 -> 2, tilt 4") << 10 << -4 << OptionalStep(ViewStep{2, 4, 32, false});
        QTest::newRow("13 mirrored -> 23 mirrored") << 13 << 0 << OptionalStep(ViewStep{23, 0, 1, true});
        QTest::newRow("side view") << 6 << 0 << OptionalStep();
        QTest::newRow("other side view") << 18 << 0 << OptionalStep();
    }

    void mirroredPartner()
    {
        QFETCH(int, rotation);
        QFETCH(int, tilt);
        QFETCH(OptionalStep, expected);
        QCOMPARE(MirroredPartnerView(rotation, tilt, FindSpriteByParameters(rotation, tilt).spriteNumber - 1), expected);
    }

    // The target shows what the source shows: flipped where one of them is
    // shown mirrored, upside down for the partner, through both offsets.
    void copiedView_data()
    {
        QTest::addColumn<bool>("sourceMirrored");
        QTest::addColumn<QPoint>("sourceOffset");
        QTest::addColumn<bool>("targetMirrored");
        QTest::addColumn<QPoint>("targetOffset");
        QTest::addColumn<bool>("upsideDown");
        QTest::newRow("plain") << false << QPoint() << false << QPoint() << false;
        QTest::newRow("onto a mirrored view") << false << QPoint() << true << QPoint() << false;
        QTest::newRow("from a mirrored view") << true << QPoint() << false << QPoint() << false;
        QTest::newRow("both mirrored") << true << QPoint() << true << QPoint() << false;
        QTest::newRow("upside down") << false << QPoint() << false << QPoint() << true;
        QTest::newRow("moved source") << false << QPoint(3, -2) << true << QPoint() << false;
        QTest::newRow("moved target") << false << QPoint() << false << QPoint(-5, 4) << true;
    }

    void copiedView()
    {
        QFETCH(bool, sourceMirrored);
        QFETCH(QPoint, sourceOffset);
        QFETCH(bool, targetMirrored);
        QFETCH(QPoint, targetOffset);
        QFETCH(bool, upsideDown);
        const SpritePixels source = Numbered();
        SpritePixels target(kPixelsPerSprite, 9);
        SpriteViewMapping from, onto;
        from.mirrored = sourceMirrored;
        from.offset = sourceOffset;
        onto.mirrored = targetMirrored;
        onto.offset = targetOffset;
        ApplyPixelChanges(target, CopiedViewChanges(source, from, target, onto, upsideDown));
        for (int y = 0; y < kSpriteSide; ++y) {
            for (int x = 0; x < kSpriteSide; ++x) {
                const std::optional<QPoint> onTarget = StoredPixelOf({x, y}, targetMirrored, targetOffset);
                if (!onTarget)
                    continue;
                const QPoint shown(x, upsideDown ? kSpriteSide - 1 - y : y);
                const std::optional<QPoint> onSource = StoredPixelOf(shown, sourceMirrored, sourceOffset);
                const int expected = onSource ? At(source, onSource->x(), onSource->y()) : 0;
                QCOMPARE(At(target, onTarget->x(), onTarget->y()), expected);
            }
        }
        if (targetOffset.isNull() && !sourceMirrored && !targetMirrored && !upsideDown && sourceOffset.isNull())
            QCOMPARE(target, source);
    }

    // Sprites of other lengths: the target keeps its length, what a short
    // source lacks is background.
    void copiedViewShortSprites()
    {
        const SpritePixels shortSource = Numbered(1000);
        SpritePixels target(kPixelsPerSprite, 9);
        ApplyPixelChanges(target, CopiedViewChanges(shortSource, {}, target, {}, false));
        QCOMPARE(target.mid(0, 1000), shortSource);
        QCOMPARE(target.mid(1000), SpritePixels(kPixelsPerSprite - 1000, 0));

        SpritePixels shortTarget(500, 9);
        const PixelChanges changes = CopiedViewChanges(Numbered(), {}, shortTarget, {}, false);
        for (const PixelChange &change : changes)
            QVERIFY(change.index < 500);
        ApplyPixelChanges(shortTarget, changes);
        QCOMPARE(shortTarget, Numbered().mid(0, 500));
    }
};

QTEST_GUILESS_MAIN(TestShapes)
#include "tst_shapes.moc"
