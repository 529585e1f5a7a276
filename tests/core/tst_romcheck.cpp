#include <QtTest>

#include "common/testrom.h"
#include "rom/romcheck.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

namespace {

QByteArray withHeader(qsizetype size)
{
    QByteArray image(size, '\0');
    image.replace(0x100, 16, "SEGA MEGA DRIVE ");
    return image;
}

QByteArray named(const QByteArray &domestic, const QByteArray &overseas)
{
    QByteArray image = withHeader(0x200);
    image.replace(0x120, domestic.size(), domestic);
    image.replace(0x150, overseas.size(), overseas);
    return image;
}

} // namespace

class TestRomCheck : public QObject
{
    Q_OBJECT

private slots:
    void problems_data();
    void problems();
    void header_data();
    void header();
    void smdFiles();
};

void TestRomCheck::problems_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QStringList>("expected");

    const QString noHeader = QStringLiteral("tiny.bin has no Mega Drive cartridge header (the word SEGA at 0x100), "
                                            "so it may not be a game image");
    QTest::newRow("3 bytes") << QByteArray("abc")
                             << QStringList{QStringLiteral("tiny.bin is 3 bytes; the car data needs at least 1,042,816"),
                                            noHeader};
    QTest::newRow("1 byte") << QByteArray("a")
                            << QStringList{QStringLiteral("tiny.bin is 1 byte; the car data needs at least 1,042,816"),
                                           noHeader};
    QTest::newRow("one byte short") << withHeader(kSpritesAreaEnd - 1)
                                    << QStringList{QStringLiteral(
                                           "tiny.bin is 1,042,815 bytes; the car data needs at least 1,042,816")};
    QTest::newRow("exactly at the limit") << withHeader(kSpritesAreaEnd) << QStringList();
    QTest::newRow("large, no header") << QByteArray(4 << 20, '\0') << QStringList{noHeader};
    QTest::newRow("header cut at SEG") << withHeader(0x200).left(0x103) << QStringList{
        QStringLiteral("tiny.bin is 259 bytes; the car data needs at least 1,042,816"), noHeader};
}

void TestRomCheck::problems()
{
    QFETCH(QByteArray, image);
    QFETCH(QStringList, expected);

    QCOMPARE(RomProblems(QStringLiteral("/some/folder/tiny.bin"), image), expected);
}

void TestRomCheck::header_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasStoredChecksum");

    QTest::newRow("overseas name, spaces collapsed")
        << named("DOMESTIC", "  SKIDMARCH        RACING  ") << QStringLiteral("SKIDMARCH RACING") << true;
    QTest::newRow("blank overseas name: domestic")
        << named("KURUMA\0\0", QByteArray(48, ' ')) << QStringLiteral("KURUMA") << true;
    QTest::newRow("both blank") << named({}, QByteArray("\0\x01\xff", 3)) << QString() << true;
    QTest::newRow("cut in the overseas name") << named("DOMESTIC", "OVERSEAS").left(0x152)
                                              << QStringLiteral("OV") << false;
    QTest::newRow("empty") << QByteArray() << QString() << false;
}

void TestRomCheck::header()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, title);
    QFETCH(bool, hasStoredChecksum);

    RomHeaderInfo info = ReadRomHeader(image);
    QCOMPARE(info.title, title);
    QCOMPARE(info.hasStoredChecksum, hasStoredChecksum);
    QCOMPARE(info.computedChecksum, RomChecksum(image));
    if (!hasStoredChecksum) {
        QVERIFY(!info.checksumMatches());
        return;
    }

    // A wrong stored sum, then the right one, big-endian.
    image.append(RandomBytes(0x301, 7));
    const quint16 sum = RomChecksum(image);
    image[0x18E] = static_cast<char>((sum >> 8) ^ 1);
    image[0x18F] = static_cast<char>(sum & 0xFF);
    info = ReadRomHeader(image);
    QCOMPARE(info.storedChecksum, quint16(sum ^ 0x100));
    QVERIFY(!info.checksumMatches());
    image[0x18E] = static_cast<char>(sum >> 8);
    info = ReadRomHeader(image);
    QCOMPARE(info.storedChecksum, sum);
    QVERIFY(info.checksumMatches());
}

// An .smd file is checked on its plain image; one that cannot be
// de-interleaved is taken as plain data with a note first.
void TestRomCheck::smdFiles()
{
    QByteArray header(kSmdHeaderSize, '\0');
    header[1] = 0x03;
    header[8] = static_cast<char>(0xAA);
    header[9] = static_cast<char>(0xBB);
    const QByteArray plain = withHeader(64 * kSmdBlockSize);
    const QByteArray file = InterleaveSmd(header, plain);

    RomImage image = RomImageFromFile(QStringLiteral("game.smd"), file);
    QCOMPARE(image.plain, plain);
    QCOMPARE(image.smdHeader, header);
    QCOMPARE(image.problems, QStringList());

    image = RomImageFromFile(QStringLiteral("cut.smd"), file.left(file.size() - 1));
    QCOMPARE(image.plain, file.left(file.size() - 1));
    QVERIFY(image.smdHeader.isEmpty());
    QCOMPARE(image.problems.size(), 2);
    QVERIFY2(image.problems.first().startsWith(QStringLiteral("cut.smd looks like an interleaved (.smd) image, "
                                                              "but its interleaved data ends 16,383 bytes into")),
             qPrintable(image.problems.first()));
    QVERIFY(image.problems.last().contains(QStringLiteral("no Mega Drive")));
}

QTEST_APPLESS_MAIN(TestRomCheck)
#include "tst_romcheck.moc"
