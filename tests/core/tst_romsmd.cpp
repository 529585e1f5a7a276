#include <QtTest>

#include "common/testrom.h"
#include "rom/smdformat.h"

namespace {

// The header mark and a block count that is deliberately wrong: the size of
// the file decides, and the header is kept as it is.
QByteArray smdHeader()
{
    QByteArray header(kSmdHeaderSize, '\0');
    header[0] = 9;
    header[1] = 0x03;
    header[8] = static_cast<char>(0xAA);
    header[9] = static_cast<char>(0xBB);
    header[42] = 'x';
    return header;
}

// A plain image whose byte k differs from its neighbours and across blocks.
QByteArray plainImage(qsizetype size)
{
    QByteArray plain(size, Qt::Uninitialized);
    for (qsizetype k = 0; k < size; ++k)
        plain[k] = static_cast<char>(k * 7 + k / kSmdBlockSize * 3 + k / 256);
    return plain;
}

} // namespace

class TestRomSmd : public QObject
{
    Q_OBJECT

private slots:
    void interleavedPlaces_data();
    void interleavedPlaces();
    void refused_data();
    void refused();
    void shortPlainImageIsPadded();
};

void TestRomSmd::interleavedPlaces_data()
{
    QTest::addColumn<qsizetype>("fileOffset");
    QTest::addColumn<qsizetype>("plainOffset");

    QTest::newRow("first odd byte at the block start") << qsizetype(512) << qsizetype(1);
    QTest::newRow("first even byte at the middle") << qsizetype(512 + 8192) << qsizetype(0);
    QTest::newRow("last odd byte before the middle") << qsizetype(512 + 8191) << qsizetype(16383);
    QTest::newRow("last even byte at the block end") << qsizetype(512 + 16383) << qsizetype(16382);
    QTest::newRow("second block starts over") << qsizetype(512 + 16384) << qsizetype(16385);
    QTest::newRow("second block middle") << qsizetype(512 + 16384 + 8192 + 5) << qsizetype(16384 + 10);
}

// Two blocks laid out byte by byte, and the file read back to the same plain
// image and written back identically.
void TestRomSmd::interleavedPlaces()
{
    QFETCH(qsizetype, fileOffset);
    QFETCH(qsizetype, plainOffset);

    const QByteArray plain = plainImage(2 * kSmdBlockSize);
    const QByteArray file = InterleaveSmd(smdHeader(), plain);
    QCOMPARE(file.size(), kSmdHeaderSize + plain.size());
    QCOMPARE(file.left(kSmdHeaderSize), smdHeader());
    QCOMPARE(file.at(fileOffset), plain.at(plainOffset));

    QVERIFY(LooksLikeSmd(file));
    QByteArray back;
    QVERIFY(DeinterleaveSmd(file, &back));
    QCOMPARE(back, plain);
    QCOMPARE(InterleaveSmd(file.left(kSmdHeaderSize), back), file);
}

void TestRomSmd::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("looksLikeSmd");
    QTest::addColumn<QString>("reason");

    const QByteArray whole = InterleaveSmd(smdHeader(), plainImage(kSmdBlockSize));
    QByteArray plainWithMark = whole;
    plainWithMark.replace(0x100, 4, "SEGA");
    QByteArray noMark = whole;
    noMark[9] = 0;

    QTest::newRow("truncated last block") << whole.left(whole.size() - 100) << true
                                          << QStringLiteral("ends 16,284 bytes into a block");
    QTest::newRow("odd size") << whole + QByteArray(1, '\0') << true << QStringLiteral("ends 1 byte into");
    QTest::newRow("header only") << smdHeader() << false << QStringLiteral("no interleaved");
    QTest::newRow("short header") << smdHeader().left(100) << false << QStringLiteral("no interleaved");
    QTest::newRow("plain image with the mark") << plainWithMark << false << QStringLiteral("no interleaved");
    QTest::newRow("no mark") << noMark << false << QStringLiteral("no interleaved");
}

void TestRomSmd::refused()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, looksLikeSmd);
    QFETCH(QString, reason);

    QCOMPARE(LooksLikeSmd(file), looksLikeSmd);
    QByteArray plain("untouched");
    QString why;
    QVERIFY(!DeinterleaveSmd(file, &plain, &why));
    QCOMPARE(plain, QByteArray("untouched"));
    QVERIFY2(why.contains(reason), qPrintable(why));
}

void TestRomSmd::shortPlainImageIsPadded()
{
    // A header given short is zero-filled; the plain image is padded to whole blocks.
    const QByteArray file = InterleaveSmd(smdHeader().left(10), QByteArray("\x01\x02\x03", 3));
    QCOMPARE(file.size(), kSmdHeaderSize + kSmdBlockSize);
    QCOMPARE(file.left(kSmdHeaderSize), smdHeader().left(10) + QByteArray(kSmdHeaderSize - 10, '\0'));
    QCOMPARE(file.at(512), '\x02');
    QCOMPARE(file.at(512 + 8192), '\x01');
    QCOMPARE(file.at(512 + 8193), '\x03');
    QCOMPARE(file.at(512 + 1), '\0');
}

QTEST_APPLESS_MAIN(TestRomSmd)
#include "tst_romsmd.moc"
