#include <QtTest>

#include "rom/smdformat.h"

namespace {

// The header mark, a block count that is wrong (the file size decides) and a
// byte that must survive.
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

// Two blocks whose bytes differ from their neighbours and across blocks.
QByteArray twoBlocks()
{
    QByteArray plain(2 * kSmdBlockSize, Qt::Uninitialized);
    for (qsizetype k = 0; k < plain.size(); ++k)
        plain[k] = static_cast<char>(k * 7 + k / kSmdBlockSize * 3 + k / 256);
    return plain;
}

} // namespace

class TestRomSmd : public QObject
{
    Q_OBJECT

private slots:
    void layout_data();
    void layout();
    void refused_data();
    void refused();
};

void TestRomSmd::layout_data()
{
    QTest::addColumn<qsizetype>("fileOffset");
    QTest::addColumn<qsizetype>("plainOffset");

    QTest::newRow("block start: first odd byte") << qsizetype(512) << qsizetype(1);
    QTest::newRow("block middle: first even byte") << qsizetype(512 + 8192) << qsizetype(0);
    QTest::newRow("block end: last even byte") << qsizetype(512 + 16383) << qsizetype(16382);
    QTest::newRow("second block") << qsizetype(512 + 16384 + 8192 + 5) << qsizetype(16384 + 10);
}

// Written out byte by byte as laid down, read back to the same plain image and
// written back identically.
void TestRomSmd::layout()
{
    QFETCH(qsizetype, fileOffset);
    QFETCH(qsizetype, plainOffset);

    const QByteArray plain = twoBlocks();
    const QByteArray file = InterleaveSmd(smdHeader(), plain);
    QCOMPARE(file.size(), kSmdHeaderSize + plain.size());
    QCOMPARE(file.left(kSmdHeaderSize), smdHeader());
    QCOMPARE(file.at(fileOffset), plain.at(plainOffset));

    QByteArray back;
    QVERIFY(LooksLikeSmd(file));
    QVERIFY(DeinterleaveSmd(file, &back));
    QCOMPARE(back, plain);
    QCOMPARE(InterleaveSmd(file.left(kSmdHeaderSize), back), file);

    // A short plain image is padded with zeros to the whole block.
    const QByteArray padded = InterleaveSmd(smdHeader(), plain.left(3));
    QCOMPARE(padded.size(), kSmdHeaderSize + kSmdBlockSize);
    QCOMPARE(padded.mid(512, 2), QByteArray(1, plain.at(1)) + '\0');

    // Grown past the block count its header names: the count follows.
    QByteArray shortHeader = smdHeader();
    shortHeader[0] = 1;
    QCOMPARE(int(InterleaveSmd(shortHeader, plain).at(0)), 2);
}

void TestRomSmd::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("looksLikeSmd");
    QTest::addColumn<QString>("reason");

    const QByteArray whole = InterleaveSmd(smdHeader(), twoBlocks());
    QByteArray plainWithMark = whole;
    plainWithMark.replace(0x100, 4, "SEGA");

    QTest::newRow("truncated last block") << whole.left(whole.size() - 100) << true
                                          << QStringLiteral("ends 16,284 bytes into a block");
    QTest::newRow("odd size") << whole + '\0' << true << QStringLiteral("ends 1 byte into");
    QTest::newRow("header only") << smdHeader() << false << QStringLiteral("no interleaved");
    QTest::newRow("plain image with the mark") << plainWithMark << false << QStringLiteral("no interleaved");
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

QTEST_APPLESS_MAIN(TestRomSmd)
#include "tst_romsmd.moc"
