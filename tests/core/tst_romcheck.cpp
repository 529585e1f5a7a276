#include <QtTest>

#include "common/testrom.h"
#include "rom/romcheck.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

namespace {

// size bytes (at least 0x200) with the header mark and the given names.
QByteArray image(qsizetype size, const QByteArray &domestic = {}, const QByteArray &overseas = {})
{
    QByteArray image(size, '\0');
    image.replace(0x100, 16, "SEGA MEGA DRIVE ");
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
    void smdFile();
};

void TestRomCheck::problems_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<QStringList>("expected");

    const QString noHeader = QStringLiteral("tiny.bin has no Mega Drive cartridge header (the word SEGA at 0x100 or 0x101), "
                                            "so it may not be a game image");
    QTest::newRow("3 bytes") << QByteArray("abc")
                             << QStringList{QStringLiteral("tiny.bin is 3 bytes; the car data needs at least 1,042,816"),
                                            noHeader};
    QTest::newRow("one byte short") << image(kSpritesAreaEnd - 1)
                                    << QStringList{QStringLiteral(
                                           "tiny.bin is 1,042,815 bytes; the car data needs at least 1,042,816")};
    QTest::newRow("exactly at the limit") << image(kSpritesAreaEnd) << QStringList();
    QTest::newRow("\" SEGA\" at 0x101") << QByteArray(image(kSpritesAreaEnd)).replace(0x100, 16, " SEGA GENESIS   ")
                                      << QStringList();
    QTest::newRow("\"SEGA\" at 0x102") << QByteArray(image(kSpritesAreaEnd)).replace(0x100, 16, "  SEGA GENESIS  ")
                                     << QStringList{noHeader};
    QTest::newRow("large, no header") << QByteArray(4 << 20, '\0') << QStringList{noHeader};
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
        << image(0x400, "DOMESTIC", "  SKIDMARCH        RACING  ") << QStringLiteral("SKIDMARCH RACING") << true;
    QTest::newRow("blank overseas name: domestic")
        << image(0x400, QByteArray("KURUMA\0\0", 8), QByteArray(48, ' ')) << QStringLiteral("KURUMA") << true;
    QTest::newRow("both blank") << image(0x400, {}, QByteArray("\0\x01\xff", 3)) << QString() << true;
    QTest::newRow("cut in the overseas name") << image(0x200, "DOMESTIC", "OVERSEAS").left(0x152)
                                              << QStringLiteral("OV") << false;
}

void TestRomCheck::header()
{
    QFETCH(QByteArray, image);
    QFETCH(QString, title);
    QFETCH(bool, hasStoredChecksum);

    QCOMPARE(ReadRomHeader(image).title, title);
    QCOMPARE(ReadRomHeader(image).hasStoredChecksum, hasStoredChecksum);
    if (!hasStoredChecksum)
        return;

    // The stored sum is big-endian; one bit off is a mismatch.
    image.replace(0x200, 0x101, RandomBytes(0x101, 7));
    const quint16 sum = RomChecksum(image);
    image[0x18E] = static_cast<char>(sum >> 8);
    image[0x18F] = static_cast<char>(sum & 0xFF);
    QCOMPARE(ReadRomHeader(image).storedChecksum, sum);
    QVERIFY(ReadRomHeader(image).checksumMatches());
    image[0x18E] = static_cast<char>(image.at(0x18E) ^ 1);
    QVERIFY(!ReadRomHeader(image).checksumMatches());
}

// An .smd file is checked on its plain image; one that cannot be
// de-interleaved is taken as plain data with a note first.
void TestRomCheck::smdFile()
{
    QByteArray header(kSmdHeaderSize, '\0');
    header[1] = 0x03;
    header[8] = static_cast<char>(0xAA);
    header[9] = static_cast<char>(0xBB);
    const QByteArray plain = image(64 * kSmdBlockSize);
    const QByteArray file = InterleaveSmd(header, plain);

    RomContents rom = RomContentsFromFile(QStringLiteral("game.smd"), file);
    QCOMPARE(rom.plain, plain);
    QCOMPARE(rom.smdHeader, header);
    QCOMPARE(rom.problems, QStringList());

    rom = RomContentsFromFile(QStringLiteral("cut.smd"), file.left(file.size() - 1));
    QCOMPARE(rom.plain, file.left(file.size() - 1));
    QVERIFY(rom.smdHeader.isEmpty());
    QCOMPARE(rom.problems.size(), 2);
    QVERIFY2(rom.problems.first().startsWith(QStringLiteral("cut.smd looks like an interleaved (.smd) image, "
                                                            "but its interleaved data ends 16,383 bytes into")),
             qPrintable(rom.problems.first()));
}

QTEST_APPLESS_MAIN(TestRomCheck)
#include "tst_romcheck.moc"
