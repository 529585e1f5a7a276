// IPS and BPS creation, checked by appliers written from the two format
// definitions alone (common/patchappliers.h).
#include <optional>

#include <QTemporaryDir>
#include <QtTest>

#include "common/patchappliers.h"
#include "common/testrom.h"
#include "patch/bpspatch.h"
#include "patch/ipspatch.h"
#include "patch/patchfile.h"
#include "rom/outputfile.h"

namespace {

// source with count random bytes changed, runs of up to 300 bytes among them.
QByteArray Changed(QByteArray source, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int k = 0; k < count && !source.isEmpty(); ++k) {
        const qsizetype at = random.bounded(source.size());
        const qsizetype run = std::min<qsizetype>(random.bounded(1 + (k % 3) * 150) + 1, source.size() - at);
        for (qsizetype i = 0; i < run; ++i)
            source[at + i] = static_cast<char>(source.at(at + i) ^ (1 + random.bounded(255)));
    }
    return source;
}

}  // namespace

class TestPatch : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void ipsSixteenMiB_data();
    void ipsSixteenMiB();
    void writeFile_data();
    void writeFile();
};

void TestPatch::roundTrip_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("target");

    const QByteArray random = RandomBytes(300000, 7);
    QTest::newRow("unchanged") << random << random;
    QTest::newRow("both empty") << QByteArray() << QByteArray();
    QTest::newRow("random changes") << random << Changed(random, 400, 1);
    QTest::newRow("first and last byte") << random << Changed(Changed(random, 0, 0).replace(0, 1, "\x01"), 0, 0)
                                                           .replace(random.size() - 1, 1, "\x02");
    QTest::newRow("longer by 70000") << random << Changed(random, 20, 2) + RandomBytes(70000, 3);
    QTest::newRow("shorter") << random << Changed(random.left(123457), 30, 4);
    QTest::newRow("from nothing") << QByteArray() << RandomBytes(1000, 5);
    QTest::newRow("to nothing") << random << QByteArray();
    QTest::newRow("every byte, 200000") << random << Changed(random.left(200000), 200000, 6);

    // Offset 0x454F46 reads as "EOF": a change there, one right after a
    // record that ends there, and a long stretch whose second record would start there.
    const QByteArray zeros(0x460000, '\0');
    QByteArray atEof = zeros;
    atEof[kIpsEofOffset] = 1;
    QTest::newRow("change at EOF offset") << zeros << atEof;
    QByteArray afterGap = atEof;
    afterGap.replace(kIpsEofOffset - 20, 10, QByteArray(10, '\x07'));
    QTest::newRow("change at EOF offset after a gap") << zeros << afterGap;
    QByteArray stretch = zeros;
    stretch.replace(kIpsEofOffset - kIpsLargestRecord, kIpsLargestRecord + 10, QByteArray(kIpsLargestRecord + 10, 'x'));
    QTest::newRow("record boundary at EOF offset") << zeros << stretch;
}

void TestPatch::roundTrip()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);

    const std::optional<QByteArray> ips = MakeIpsPatch(source, target);
    QVERIFY(ips);
    QList<qint64> starts;
    const std::optional<QByteArray> ipsApplied = ApplyIps(*ips, source, &starts);
    QVERIFY(ipsApplied);
    QVERIFY(*ipsApplied == target);
    QVERIFY(!starts.contains(kIpsEofOffset));
    if (source == target)
        QCOMPARE(*ips, QByteArray("PATCHEOF"));
    // The truncation extension only where the file shrinks.
    if (target.size() >= source.size())
        QVERIFY(ips->endsWith("EOF"));

    const QByteArray bps = MakeBpsPatch(source, target);
    const std::optional<QByteArray> bpsApplied = ApplyBps(bps, source);
    QVERIFY(bpsApplied);
    QVERIFY(*bpsApplied == target);
    if (source == target)
        QVERIFY(bps.size() < 40);
}

void TestPatch::ipsSixteenMiB_data()
{
    QTest::addColumn<qint64>("changeAt");
    QTest::addColumn<qint64>("targetSize");
    QTest::addColumn<bool>("expressible");
    QTest::addColumn<qint64>("sourceSize");

    const qint64 big = kIpsOffsetLimit + 16;
    QTest::newRow("last byte below 16 MiB") << qint64(kIpsOffsetLimit - 1) << big << true << big;
    QTest::newRow("at 16 MiB") << kIpsOffsetLimit << big << false << big;
    QTest::newRow("grows past 16 MiB") << qint64(-1) << qint64(kIpsOffsetLimit + 32) << false << big;
    QTest::newRow("shrinks to 16 MiB + 1") << qint64(-1) << qint64(kIpsOffsetLimit + 1) << false << big;
    QTest::newRow("shrinks to 16 MiB") << qint64(-1) << kIpsOffsetLimit << false << big;
    QTest::newRow("shrinks to below 16 MiB") << qint64(-1) << qint64(kIpsOffsetLimit - 1) << true << big;
    // One run of grown bytes from 1 MiB across the limit.
    QTest::newRow("grows from 1 MiB past 16 MiB") << qint64(kIpsOffsetLimit + 5) << qint64(kIpsOffsetLimit + 6) << false
                                                 << qint64(1 << 20);
    QTest::newRow("grows from 1 MiB to 16 MiB") << qint64(kIpsOffsetLimit - 1) << kIpsOffsetLimit << true
                                                << qint64(1 << 20);
}

void TestPatch::ipsSixteenMiB()
{
    QFETCH(qint64, changeAt);
    QFETCH(qint64, targetSize);
    QFETCH(bool, expressible);
    QFETCH(qint64, sourceSize);

    const QByteArray source(sourceSize, '\0');
    QByteArray target(targetSize, '\0');
    if (changeAt >= 0)
        target[changeAt] = 1;
    QString error;
    const std::optional<QByteArray> ips = MakeIpsPatch(source, target, &error);
    QCOMPARE(bool(ips), expressible);
    if (ips)
        QVERIFY(ApplyIps(*ips, source) == target);
    else
        QCOMPARE(error, QStringLiteral("IPS cannot address bytes past 16 MiB; use a .bps patch"));
}

void TestPatch::writeFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");   // empty: written

    QTest::newRow("ips") << "mod.ips" << "";
    QTest::newRow("BPS upper case") << "mod.BPS" << "";
    QTest::newRow("other suffix") << "mod.bin" << ".ips or .bps";
    QTest::newRow("folder") << "folder.ips" << "not a regular file";
    QTest::newRow("missing folder") << "missing/mod.bps" << "missing/mod.bps";
}

void TestPatch::writeFile()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ips")));
    const QString path = dir.filePath(name);
    const QByteArray source = RandomBytes(5000, 9);
    const QByteArray target = Changed(source, 10, 10);
    // The patch's bytes, then the output writer, as the window and the command line do.
    const Result<QByteArray> bytes = PatchFileBytes(path, source, target);
    const Result<void> written = bytes ? WriteOutputFile(path, *bytes) : Result<void>(bytes.failure());
    const QString error = written.message();
    QCOMPARE(written.ok(), reason.isEmpty());
    if (reason.isEmpty()) {
        const QByteArray patch = ReadBytes(path);
        const auto applied = name.endsWith(QLatin1String("ips")) ? ApplyIps(patch, source) : ApplyBps(patch, source);
        QVERIFY(applied == target);
    } else {
        QVERIFY2(error.contains(name) && error.contains(reason), qPrintable(error));
        QVERIFY(!QFileInfo(path).isFile());
    }
}

QTEST_GUILESS_MAIN(TestPatch)
#include "tst_patch.moc"
