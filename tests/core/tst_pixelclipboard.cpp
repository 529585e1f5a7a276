#include <QtTest>

#include <QBuffer>
#include <QMimeData>

#include "exchange/indexedpicture.h"
#include "exchange/pixelclipboard.h"
#include "view/pixelselection.h"
#include "view/spriteoffsets.h"

Q_DECLARE_METATYPE(PixelPiece)

// Pieces of sprites without a window: where placing them lands (frame,
// offset, mirroring, short sprites) and both clipboard forms there and back.
class TestPixelClipboard : public QObject
{
    Q_OBJECT

private:
    // A piece written as rows of hex digits, '.' where it has no pixel.
    static PixelPiece Piece(const QStringList &rows, QPoint origin = {})
    {
        PixelPiece piece{int(rows.value(0).size()), int(rows.size()), {}, origin};
        for (const QString &row : rows)
            for (const QChar c : row)
                piece.indices << (c == QLatin1Char('.') ? PixelPiece::kNotInPiece : QString(c).toInt(nullptr, 16));
        return piece;
    }

    static Palette TestPalette()
    {
        Palette palette;
        for (int i = 0; i < kColorsPerPalette; ++i)
            palette << QColor::fromHsv(i * 22, 200, 80 + i * 10);
        return palette;
    }

private slots:
    // Stored pixels a placement writes: (x, y) stored, the index after.
    void placesWithinFrameAndSprite_data()
    {
        QTest::addColumn<int>("spriteLength");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QList<QPoint>>("written");
        const QList<QPoint> all = {{10, 20}, {11, 20}, {10, 21}, {11, 21}};
        QTest::newRow("inside") << kPixelsPerSprite << QPoint(10, 20) << false << QPoint() << all;
        QTest::newRow("past the right edge") << kPixelsPerSprite << QPoint(47, 0) << false << QPoint()
                                             << QList<QPoint>{{47, 0}, {47, 1}};
        QTest::newRow("past the top-left corner") << kPixelsPerSprite << QPoint(-1, -1) << false << QPoint()
                                                  << QList<QPoint>{{0, 0}};
        QTest::newRow("mirrored") << kPixelsPerSprite << QPoint(0, 5) << true << QPoint()
                                  << QList<QPoint>{{47, 5}, {46, 5}, {47, 6}, {46, 6}};
        QTest::newRow("offset") << kPixelsPerSprite << QPoint(10, 20) << false << QPoint(2, 1)
                                << QList<QPoint>{{8, 21}, {9, 21}, {8, 22}, {9, 22}};
        QTest::newRow("offset moves background in") << kPixelsPerSprite << QPoint(0, 0) << false << QPoint(1, 0)
                                                    << QList<QPoint>{{0, 0}, {0, 1}};
        // Strip order: the first 8 x 48 column of tiles... only what the sprite holds.
        QTest::newRow("short sprite") << 0 << QPoint(0, 0) << false << QPoint() << QList<QPoint>{};
    }

    void placesWithinFrameAndSprite()
    {
        QFETCH(int, spriteLength);
        QFETCH(QPoint, at);
        QFETCH(bool, mirrored);
        QFETCH(QPoint, offset);
        QFETCH(QList<QPoint>, written);
        const SpritePixels pixels(spriteLength, 0);
        const PixelPiece piece = Piece({QStringLiteral("12"), QStringLiteral("34")});
        const PixelChanges changes = PlaceChanges(pixels, piece, at, {1.0, mirrored, offset});
        QList<QPoint> got;
        for (const PixelChange &change : changes) {
            got << SpritePixelPosition(change.index);
            QCOMPARE(change.before, 0);
        }
        std::sort(got.begin(), got.end(), [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
        std::sort(written.begin(), written.end(), [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
        QCOMPARE(got, written);
    }

    // Lifting gives what placing at the same place gives back, and pixels
    // the sprite has not (offset, short sprite) are not in the piece.
    void liftsAsShown()
    {
        SpritePixels pixels(kPixelsPerSprite, 0);
        for (int n = 0; n < kPixelsPerSprite; ++n)
            pixels[n] = n % 16;
        const SpriteViewMapping mapping{1.0, true, QPoint(3, 0)};
        const PixelPiece piece = LiftPiece(pixels, QRect(44, 10, 8, 2), mapping);
        QCOMPARE(piece.size(), QSize(4, 2));
        QCOMPARE(piece.origin, QPoint(44, 10));
        // Moved 3 right, then mirrored: shown 45..47 show background.
        for (int x = 0; x < 4; ++x)
            QCOMPARE(piece.at(x, 0) == PixelPiece::kNotInPiece, x >= 1);
        SpritePixels cleared = pixels;
        ApplyPixelChanges(cleared, ClearChanges(pixels, QRect(0, 0, 48, 48), mapping));
        ApplyPixelChanges(cleared, PlaceChanges(cleared, LiftPiece(pixels, QRect(0, 0, 48, 48), mapping), {}, mapping));
        QCOMPARE(cleared, pixels);
        QVERIFY(LiftPiece(SpritePixels(100, 1), QRect(0, 0, 48, 48), {}).indices.count(1) == 100);
    }

    void flips_data()
    {
        QTest::addColumn<PixelPiece>("piece");
        QTest::addColumn<PixelPiece>("horizontal");
        QTest::addColumn<PixelPiece>("vertical");
        QTest::newRow("2 x 3") << Piece({"12", "3.", "ab"}) << Piece({"21", ".3", "ba"}) << Piece({"ab", "3.", "12"});
        QTest::newRow("row") << Piece({"123"}) << Piece({"321"}) << Piece({"123"});
    }

    void flips()
    {
        QFETCH(PixelPiece, piece);
        QFETCH(PixelPiece, horizontal);
        QFETCH(PixelPiece, vertical);
        QCOMPARE(FlippedHorizontally(piece), horizontal);
        QCOMPARE(FlippedVertically(piece), vertical);
        QCOMPARE(FlippedHorizontally(FlippedHorizontally(piece)), piece);
    }

    // Both forms of the clipboard give the piece back exactly: the own bytes,
    // and the indexed PNG read as another program would hand it back.
    void roundTrips_data()
    {
        QTest::addColumn<PixelPiece>("piece");
        QTest::newRow("one pixel") << Piece({"f"}, {47, 47});
        QTest::newRow("with holes") << Piece({"0.2", "a.c"}, {3, 9});
        PixelPiece frame{48, 48, {}, {}};
        for (int n = 0; n < 48 * 48; ++n)
            frame.indices << n % 16;
        QTest::newRow("whole frame") << frame;
    }

    void roundTrips()
    {
        QFETCH(PixelPiece, piece);
        const Result<PixelPiece> decoded = DecodePixelPiece(EncodePixelPiece(piece));
        QVERIFY2(decoded.ok(), qPrintable(decoded.message()));
        QCOMPARE(*decoded, piece);

        const Palette palette = TestPalette();
        const QColor background(40, 50, 60);
        QMimeData data;
        WritePixelPiece(data, piece, IndexedColorTable(palette, background));
        QVERIFY(data.hasFormat(QStringLiteral("image/png")));
        QMimeData foreign;   // what another program sees
        foreign.setData(QStringLiteral("image/png"), data.data(QStringLiteral("image/png")));
        const Result<PixelPiece> fromPicture = ReadPixelPiece(foreign, palette, background, {});
        QVERIFY2(fromPicture.ok(), qPrintable(fromPicture.message()));
        PixelPiece expected = piece;
        expected.origin = {};
        QCOMPARE(*fromPicture, expected);
    }

    void refusesBadBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray header("SKMP\x01\x00\x01\x00\x02\x00\x01\x00\x02", 13);
        QTest::newRow("no header") << QByteArray("SKM") << QStringLiteral("header");
        QTest::newRow("newer version") << QByteArray("SKMP\x02\x00\x00\x00\x00\x00\x01\x00\x01\x00", 14)
                                       << QStringLiteral("newer version");
        QTest::newRow("zero size") << QByteArray("SKMP\x01\x00\x00\x00\x00\x00\x00\x00\x01", 13)
                                   << QStringLiteral("size of 0 x 1");
        QTest::newRow("65535 wide") << QByteArray("SKMP\x01\x00\x00\x00\x00\xff\xff\x00\x01", 13)
                                    << QStringLiteral("size of 65535 x 1");
        QTest::newRow("origin outside") << QByteArray("SKMP\x01\x00\x30\x00\x00\x00\x01\x00\x01\x01", 14)
                                        << QStringLiteral("outside");
        QTest::newRow("truncated") << header + QByteArray(1, '\x01') << QStringLiteral("length");
        QTest::newRow("index 16") << header + QByteArray("\x01\x10", 2) << QStringLiteral("past 15");
    }

    void refusesBadBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const Result<PixelPiece> decoded = DecodePixelPiece(bytes);
        QVERIFY(!decoded.ok());
        QVERIFY2(decoded.message().contains(reason), qPrintable(decoded.message()));
    }
};

QTEST_GUILESS_MAIN(TestPixelClipboard)
#include "tst_pixelclipboard.moc"
