#include <QtTest>

#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "common/testrom.h"
#include "rom/colorword.h"
#include "rom/romreader.h"

namespace {

QByteArray counting(int count, int from = 1)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(from + i));
    return bytes;
}

QList<int> shapeOf(const SpriteTable &table)
{
    QList<int> shape;
    for (const auto &car : table) {
        shape.append(int(car.size()));
        shape.append(car.isEmpty() ? -1 : int(car.last().size()));
    }
    return shape;
}

QList<int> shapeOf(const PaletteTable &table)
{
    QList<int> shape;
    for (const Palette &palette : table)
        shape.append(int(palette.size()));
    return shape;
}

SpritePixels pixelsAt(const QByteArray &image, qint64 offset, int bytes)
{
    return UnpackPixels(image.mid(offset, bytes));
}

} // namespace

class TestRomReader : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        return WriteTestFile(dir.filePath(name), bytes);
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void unpackPixels_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("pixels");
        QTest::newRow("high nibble first") << QByteArray("\xA7", 1) << QList<int>{10, 7};
        QTest::newRow("bytes as unsigned") << QByteArray("\xF0\x0F", 2) << QList<int>{15, 0, 0, 15};
        QTest::newRow("empty") << QByteArray() << QList<int>{};
    }

    void unpackPixels()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, pixels);
        QCOMPARE(UnpackPixels(bytes), pixels);
    }

    void weaponsAreSlotMajor()
    {
        const QString path = writeFile("weapons.bin", QByteArray(7, 'x') + counting(15));
        const WeaponTable weapons = ReadWeapons(path, 7);
        QCOMPARE(weapons.size(), 5);
        QCOMPARE(weapons[0], QByteArray("\x01\x06\x0B", 3));
        QCOMPARE(weapons[4], QByteArray("\x05\x0A\x0F", 3));
    }

    void characteristicsAreCharacteristicMajor()
    {
        const QString path = writeFile("characteristics.bin", counting(25, 0xE0));
        const CharacteristicsTable table = ReadCharacteristics(path, 0);
        QCOMPARE(table.size(), 5);
        QCOMPARE(table[4], QByteArray("\xE4\xE9\xEE\xF3\xF8", 5));   // cornering of car 4 is 0xF3
    }

    void shortBlocksGiveZeroBytes()
    {
        const QString path = writeFile("short.bin", counting(7));
        const WeaponTable weapons = ReadWeapons(path, 0);
        QCOMPARE(weapons.size(), 5);
        QCOMPARE(weapons[1], QByteArray("\x02\x07\x00", 3));
        QCOMPARE(weapons[4], QByteArray("\x05\x00\x00", 3));
        const CharacteristicsTable beyond = ReadCharacteristics(path, 100);
        QCOMPARE(beyond, CharacteristicsTable(5, QByteArray(5, '\0')));
    }

    void paletteShapes_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QList<int>>("shape");
        QTest::newRow("empty block: one empty palette") << 0 << QList<int>{0};
        QTest::newRow("one palette") << 32 << QList<int>{16};
        QTest::newRow("33 bytes: a 1-colour palette after it") << 33 << QList<int>{16, 1};
        QTest::newRow("40 bytes") << 40 << QList<int>{16, 4};
        QTest::newRow("full area") << 320 << QList<int>(10, 16);
        QTest::newRow("longer file, area only") << 400 << QList<int>(10, 16);
    }

    void paletteShapes()
    {
        QFETCH(int, length);
        QFETCH(QList<int>, shape);
        const QByteArray bytes = RandomBytes(length, 7);
        const PaletteTable table = ReadPalettes(writeFile("palettes.bin", bytes), 0);
        QCOMPARE(shapeOf(table), shape);
        const int last = qMin(length, 320) - 1;
        if (last >= 0 && last % 2 == 0) {   // a lone last byte pairs with 0
            QCOMPARE(table.last().last(), ColorFromWord(static_cast<unsigned char>(bytes.at(last)), 0));
        }
    }

    void spriteShapes_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QList<int>>("shape");   // per car: sprite count, pixels of its last sprite
        QTest::newRow("empty file: one car, one empty sprite") << 0 << QList<int>{1, 0};
        QTest::newRow("part of a sprite") << 100 << QList<int>{1, 200};
        QTest::newRow("one raw sprite") << 1152 << QList<int>{1, 2304};
        QTest::newRow("one car") << 45 * 1152 << QList<int>{45, 2304};
        QTest::newRow("46 raw sprites") << 46 * 1152 << QList<int>{45, 2304, 1, 2304};
        QTest::newRow("one byte into car 2") << 45 * 1152 + 1 << QList<int>{45, 2304, 1, 2};
        QTest::newRow("full area")
            << 225 * 1152 << QList<int>{45, 2304, 45, 2304, 45, 2304, 45, 2304, 45, 2304};
    }

    void spriteShapes()
    {
        QFETCH(int, length);
        QFETCH(QList<int>, shape);
        const QByteArray bytes = RandomBytes(length + 10, 11).left(length);
        const SpriteTable table = ReadSprites(writeFile("sprites.bin", bytes), 0);
        QCOMPARE(shapeOf(table), shape);
        if (length > 0)
            QCOMPARE(table.last().last(), UnpackPixels(bytes.mid((length - 1) / 1152 * 1152)));
    }

    void unreadableFilesGiveEmptyTables_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << QStringLiteral("missing.bin");
        QTest::newRow("directory") << QString();
    }

    void unreadableFilesGiveEmptyTables()
    {
        QFETCH(QString, path);
        const QString full = path.isEmpty() ? dir.path() : dir.filePath(path);
        QVERIFY(ReadWeapons(full, 0).isEmpty());
        QVERIFY(ReadCharacteristics(full, 0).isEmpty());
        QVERIFY(ReadPalettes(full, 0).isEmpty());
        QVERIFY(ReadSprites(full, 0).isEmpty());
        QCOMPARE(ReadRom(full), NormalizeCarData(CarData()));
    }

#ifdef Q_OS_UNIX
    void pipeIsNotWaitedFor()
    {
        const QString path = dir.filePath("pipe");
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QVERIFY(ReadSprites(path, 0).isEmpty());
        QCOMPARE(ReadRom(path), NormalizeCarData(CarData()));
    }
#endif

    void romEndingInsideThePalettes()
    {
        const QByteArray image = RandomBytes(kPalettesOffset + 40, 1);
        const CarData data = ReadRom(writeFile("palettes-cut.bin", image));
        const CarData blank = NormalizeCarData(CarData());

        QCOMPARE(data.weapons[2][1], image.at(kWeaponsOffset + 5 + 2));
        QCOMPARE(data.weapons, ReadWeapons(writeFile("w.bin", image.mid(kWeaponsOffset)), 0));
        QCOMPARE(data.palettes[0][15], ColorFromWord(image.at(kPalettesOffset + 30), image.at(kPalettesOffset + 31)));
        for (int i = 0; i < 4; ++i) {
            const qint64 at = kPalettesOffset + 32 + 2 * i;
            QCOMPARE(data.palettes[1][i], ColorFromWord(image.at(at), image.at(at + 1)));
        }
        QCOMPARE(data.palettes[1].mid(4), Palette(12, QColor(0, 0, 0)));
        QCOMPARE(data.palettes.mid(2), blank.palettes.mid(2));
        QCOMPARE(data.characteristics, blank.characteristics);
        QCOMPARE(data.sprites, blank.sprites);
    }

    void romEndingInsideASprite()
    {
        const qint64 sprite3 = kSpritesOffset + 3 * kBytesPerSprite;
        const QByteArray image = RandomBytes(sprite3 + 100, 2);
        const CarData data = ReadRom(writeFile("sprite-cut.bin", image));

        QCOMPARE(data.characteristics[4][3], image.at(0xE163));
        QCOMPARE(data.sprites[0][2], pixelsAt(image, sprite3 - kBytesPerSprite, kBytesPerSprite));
        QCOMPARE(data.sprites[0][3].mid(0, 200), pixelsAt(image, sprite3, 100));
        QCOMPARE(data.sprites[0][3].mid(200), SpritePixels(2104, 0));
        QCOMPARE(data.sprites[0][4], SpritePixels(2304, 0));
        QCOMPARE(data.sprites[4][44], SpritePixels(2304, 0));
    }

    void fullRomIsReadWhole()
    {
        const QByteArray image = RandomBytes(kSpritesAreaEnd, 3);
        const CarData data = ReadRom(writeFile("full.bin", image));

        QCOMPARE(data.palettes[9][15], ColorFromWord(image.at(0x68B4), image.at(0x68B5)));
        QCOMPARE(data.sprites[4][44], pixelsAt(image, kSpritesAreaEnd - kBytesPerSprite, kBytesPerSprite));
        QCOMPARE(data.sprites[2][17], pixelsAt(image, kSpritesOffset + (2 * 45 + 17) * kBytesPerSprite, kBytesPerSprite));
        QCOMPARE(data, NormalizeCarData(data));
    }
};

QTEST_GUILESS_MAIN(TestRomReader)
#include "tst_romreader.moc"
