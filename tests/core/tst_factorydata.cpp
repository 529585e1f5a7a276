#include <QDataStream>
#include <QIODevice>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>

#include "rom/colorword.h"
#include "rom/factorydata.h"

namespace {

// Tables of the exact factory shapes with contents that differ from place to place.
CarData sampleData()
{
    CarData data;
    for (int car = 0; car < kCarCount; ++car) {
        QList<SpritePixels> sprites;
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            SpritePixels pixels(kPixelsPerSprite);
            for (int n = 0; n < kPixelsPerSprite; ++n)
                pixels[n] = (car * 7 + sprite * 3 + n) % 16;
            sprites.append(pixels);
        }
        data.sprites.append(sprites);
        data.characteristics.append(QByteArray::fromHex("00ff80") + char(car) + char(200 + car));
        data.weapons.append(QByteArray(1, char(car)) + char(5 - car) + char(car % 2));
    }
    for (int p = 0; p < kRomPaletteCount; ++p) {
        Palette palette;
        for (int i = 0; i < kColorsPerPalette; ++i)
            palette.append(ColorFromWord16(quint16((p * 0x123 + i * 0x2A6) & 0x0EEE)));
        data.palettes.append(palette);
    }
    data.palettes.append(ImportExportPalette());
    return data;
}

QByteArray uncompressedSample()
{
    return qUncompress(SerializeFactoryData(sampleData()));
}

template <typename T>
void patch(QByteArray &raw, qsizetype offset, T value)
{
    qToBigEndian(value, raw.data() + offset);
}

// Offsets into the uncompressed stream.
constexpr qsizetype kFirstPixel = 4 + 4 + 4;   // cars, sprites of car 1, pixels of sprite 1
constexpr qsizetype kPalettesStart = kFactorySpritesBytes;
constexpr qsizetype kFirstColor = kPalettesStart + 4 + 4;
constexpr qsizetype kCharacteristicsStart = kPalettesStart + kFactoryPalettesBytes;
constexpr qsizetype kWeaponsStart = kCharacteristicsStart + kFactoryCharacteristicsBytes;

} // namespace

class TestFactoryData : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip()
    {
        const CarData data = sampleData();
        const std::optional<CarData> parsed = ParseFactoryData(SerializeFactoryData(data));
        QVERIFY(parsed.has_value());
        QCOMPARE(*parsed, data);
    }

    void framingAndPartSizes()
    {
        const QByteArray compressed = SerializeFactoryData(sampleData());
        QCOMPARE(qFromBigEndian<quint32>(compressed.constData()), quint32(2076596));
        const QByteArray raw = qUncompress(compressed);
        QCOMPARE(raw.size(), 2076596);
        QCOMPARE(kFactorySpritesBytes, 2074524);
        QCOMPARE(kFactoryPalettesBytes, 1984);
        QCOMPARE(kFactoryCharacteristicsBytes, 49);
        QCOMPARE(kFactoryWeaponsBytes, 39);
        // Each part starts with its list count where the sizes say it does.
        QCOMPARE(qFromBigEndian<quint32>(raw.constData()), quint32(5));
        QCOMPARE(qFromBigEndian<quint32>(raw.constData() + kPalettesStart), quint32(11));
        QCOMPARE(qFromBigEndian<quint32>(raw.constData() + kCharacteristicsStart), quint32(5));
        QCOMPARE(qFromBigEndian<quint32>(raw.constData() + kWeaponsStart), quint32(5));
        // The last weapon string: length 3, then its bytes, then the end.
        QCOMPARE(raw.mid(raw.size() - 7).toHex(), QByteArray("00000003040100"));
    }

    void colorRecordIsQt4Layout()
    {
        CarData data = sampleData();
        data.palettes[0][0] = QColor(218, 36, 255);
        const QByteArray raw = qUncompress(SerializeFactoryData(data));
        QCOMPARE(raw.mid(kFirstColor, 11).toHex(), QByteArray("01ffffdada2424ffff0000"));
        // A colour held in another spec or at 16-bit precision is still written
        // as the 8-bit RGB record.
        data.palettes[0][0] = QColor::fromHsv(0, 255, 255);
        const QByteArray rawHsv = qUncompress(SerializeFactoryData(data));
        QCOMPARE(rawHsv.mid(kFirstColor, 11).toHex(), QByteArray("01ffffffff00000000" "0000"));
    }

    void qtStreamReadsTheSameTables()
    {
        // The stream is the one Qt's own QDataStream (Qt 4.6 format) reads.
        const CarData data = sampleData();
        const QByteArray raw = qUncompress(SerializeFactoryData(data));
        QDataStream in(raw);
        in.setVersion(QDataStream::Qt_4_6);
        CarData read;
        in >> read.sprites >> read.palettes >> read.characteristics >> read.weapons;
        QCOMPARE(in.status(), QDataStream::Ok);
        QVERIFY(in.atEnd());
        QCOMPARE(read, data);
    }

    void damagedDataGivesNothing_data()
    {
        QTest::addColumn<QByteArray>("input");

        const QByteArray compressed = SerializeFactoryData(sampleData());
        const QByteArray raw = uncompressedSample();
        const auto withRaw = [&](auto change) {
            QByteArray copy = raw;
            change(copy);
            return qCompress(copy);
        };
        const QByteArray sizePrefix = compressed.left(4);

        QTest::newRow("empty") << QByteArray();
        QTest::newRow("size prefix only") << sizePrefix;
        QTest::newRow("zlib stream of garbage") << sizePrefix + QByteArray(500, '\x5a');
        QTest::newRow("zlib stream cut in half") << compressed.left(compressed.size() / 2);
        QTest::newRow("zlib stream without its last byte") << compressed.chopped(1);
        QTest::newRow("huge declared size") << QByteArray::fromHex("ffffffff") + compressed.mid(4);
        QTest::newRow("declared size one short") << QByteArray::fromHex("001fafb3") + compressed.mid(4);
        QTest::newRow("stream ends early") << withRaw([](QByteArray &r) { r.chop(1); });
        QTest::newRow("stream without weapons") << withRaw([](QByteArray &r) { r.truncate(kWeaponsStart); });
        QTest::newRow("trailing byte") << withRaw([](QByteArray &r) { r.append('\0'); });
        QTest::newRow("empty stream") << qCompress(QByteArray());
        QTest::newRow("six cars") << withRaw([](QByteArray &r) { patch<quint32>(r, 0, 6); });
        QTest::newRow("no cars") << withRaw([](QByteArray &r) { patch<quint32>(r, 0, 0); });
        QTest::newRow("huge pixel count") << withRaw([](QByteArray &r) { patch<quint32>(r, 8, 0xFFFFFFF0u); });
        QTest::newRow("pixel 16") << withRaw([](QByteArray &r) { patch<qint32>(r, kFirstPixel, 16); });
        QTest::newRow("pixel -1") << withRaw([](QByteArray &r) { patch<qint32>(r, kFirstPixel + 40, -1); });
        QTest::newRow("ten palettes") << withRaw([](QByteArray &r) { patch<quint32>(r, kPalettesStart, 10); });
        QTest::newRow("HSV colour spec") << withRaw([](QByteArray &r) { r[kFirstColor] = 2; });
        QTest::newRow("invalid colour spec") << withRaw([](QByteArray &r) { r[kFirstColor] = 0; });
        // Same total size, other shapes: a 6-byte and a 4-byte characteristics string.
        QTest::newRow("characteristics 6 + 4 bytes") << withRaw([](QByteArray &r) {
            patch<quint32>(r, kCharacteristicsStart + 4, 6);
            patch<quint32>(r, kCharacteristicsStart + 4 + 4 + 6, 4);
        });
        QTest::newRow("null weapon string") << withRaw([](QByteArray &r) { patch<quint32>(r, kWeaponsStart + 4, 0xFFFFFFFFu); });

        QRandomGenerator random(20260101);
        QByteArray noise(4096, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QTest::newRow("random bytes") << noise;
        QTest::newRow("random bytes, right size prefix") << sizePrefix + noise;
    }

    void damagedDataGivesNothing()
    {
        QFETCH(QByteArray, input);
        QVERIFY(!ParseFactoryData(input).has_value());
    }

    void flippedBytesNeverGiveBadShapes()
    {
        // Whatever a damaged frame decodes to, a result always has the exact shapes.
        const QByteArray compressed = SerializeFactoryData(sampleData());
        QRandomGenerator random(42);
        for (int round = 0; round < 60; ++round) {
            QByteArray damaged = compressed;
            for (int flips = 0; flips < 3; ++flips)
                damaged[random.bounded(int(damaged.size()))] ^= char(1 << random.bounded(8));
            const std::optional<CarData> parsed = ParseFactoryData(damaged);
            if (!parsed)
                continue;
            QCOMPARE(parsed->sprites.size(), kCarCount);
            for (const auto &car : parsed->sprites) {
                QCOMPARE(car.size(), kSpritesPerCar);
                for (const SpritePixels &pixels : car)
                    QCOMPARE(pixels.size(), kPixelsPerSprite);
            }
            QCOMPARE(parsed->palettes.size(), kEditorPaletteCount);
        }
    }

    void damagedStreamsAreRefusedOrWhole()
    {
        // Damage inside a well-framed stream, where the counts and lengths lie:
        // a result, if any, has the exact shapes and only indices 0..15.
        const QByteArray raw = uncompressedSample();
        const qsizetype hotSpots[] = {0, 4, 8, kFirstPixel, kPalettesStart, kFirstColor, kCharacteristicsStart,
                                      kWeaponsStart, raw.size() - 8};
        QRandomGenerator random(7);
        for (qsizetype spot : hotSpots) {
            for (int round = 0; round < 3; ++round) {
                QByteArray damaged = raw;
                damaged[spot + random.bounded(4)] = char(random.bounded(256));
                const std::optional<CarData> parsed = ParseFactoryData(qCompress(damaged));
                if (!parsed)
                    continue;
                QCOMPARE(NormalizeCarData(*parsed).sprites, parsed->sprites);
                QCOMPARE(parsed->palettes.size(), kEditorPaletteCount);
                QCOMPARE(NormalizeCarData(*parsed).characteristics, parsed->characteristics);
                QCOMPARE(NormalizeCarData(*parsed).weapons, parsed->weapons);
                for (const auto &car : parsed->sprites)
                    for (const SpritePixels &pixels : car)
                        for (int pixel : pixels)
                            QVERIFY(pixel >= 0 && pixel <= 15);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestFactoryData)
#include "tst_factorydata.moc"
