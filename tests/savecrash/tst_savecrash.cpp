// A save that is interrupted at any point leaves the ROM file either exactly as
// it was or exactly as saved: never half written.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

#include "rom/romwriter.h"
#include "savecrashdata.h"

namespace {

constexpr int kImageSize = 1024 * 1024;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Files in dir other than the ROM: what an interrupted save left behind.
QStringList strays(const QDir &dir, const QString &romName)
{
    QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeAll(romName);
    return names;
}

} // namespace

class TestSaveCrash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedSaveLeavesRomUntouched_data();
    void failedSaveLeavesRomUntouched();
    void killedSaveLeavesOldOrNewRom();

private:
    QTemporaryDir work;
    QByteArray oldImage;   // the ROM before the save: car data 0 in a patterned image
    QByteArray newImage;   // the same ROM saved with car data 1
};

void TestSaveCrash::initTestCase()
{
    QVERIFY(work.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(SAVECRASH_HELPER)), SAVECRASH_HELPER);

    // Bytes outside the car data that a save must carry over.
    QByteArray image(kImageSize, Qt::Uninitialized);
    for (int i = 0; i < kImageSize; ++i)
        image[i] = static_cast<char>((i * 7) ^ (i >> 9));
    const QString path = work.filePath(QStringLiteral("reference.bin"));
    QVERIFY(writeFile(path, image));
    QVERIFY(WriteRom(path, SaveCrashData(0)));
    oldImage = readFile(path);
    QVERIFY(WriteRom(path, SaveCrashData(1)));
    newImage = readFile(path);
    QCOMPARE(oldImage.size(), kImageSize);
    QCOMPARE(newImage.size(), kImageSize);
    QVERIFY(oldImage != newImage);
    QVERIFY(QFile::remove(path));
}

void TestSaveCrash::failedSaveLeavesRomUntouched_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<qint64>("sizeLimit");

    QTest::newRow("disk full half-way through the image") << "limit" << qint64(kImageSize / 2);
    QTest::newRow("disk full at the very first byte") << "limit" << qint64(0);
    QTest::newRow("disk full one byte before the end") << "limit" << qint64(kImageSize - 1);
    QTest::newRow("path names a directory") << "directory" << qint64(0);
    QTest::newRow("read-only file in a read-only folder") << "readonly" << qint64(0);
}

void TestSaveCrash::failedSaveLeavesRomUntouched()
{
    QFETCH(QString, fault);
    QFETCH(qint64, sizeLimit);

    QTemporaryDir dir(work.filePath(QStringLiteral("failed-XXXXXX")));
    QVERIFY(dir.isValid());
    const QString rom = dir.filePath(QStringLiteral("game.bin"));

    if (fault == QLatin1String("directory")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("game.bin")));
        QString error;
        QVERIFY(!WriteRom(rom, SaveCrashData(1), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(rom).isDir());
        QVERIFY(QDir(rom).isEmpty());
        return;
    }

    QVERIFY(writeFile(rom, oldImage));
    if (fault == QLatin1String("readonly")) {
        if (geteuid() == 0)
            QSKIP("running as root: file permissions do not stop root from writing");
        QVERIFY(QFile::setPermissions(rom, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        const bool saved = WriteRom(rom, SaveCrashData(1), &error);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(rom, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(!saved);
        QVERIFY(!error.isEmpty());
    } else {
        // The helper process saves with its file size limited, so the write
        // runs out of room part-way through, as on a full disk.
        QProcess helper;
        helper.setProcessChannelMode(QProcess::MergedChannels);
        helper.start(QStringLiteral(SAVECRASH_HELPER),
                     {QStringLiteral("limited"), rom, QString::number(sizeLimit)});
        QVERIFY(helper.waitForFinished(60000));
        const QByteArray output = helper.readAll();
        QVERIFY2(helper.exitStatus() == QProcess::NormalExit && helper.exitCode() == 0, output.constData());
    }

    QVERIFY2(readFile(rom) == oldImage, "the ROM changed although the save failed");
    QVERIFY2(strays(QDir(dir.path()), QStringLiteral("game.bin")).isEmpty(),
             qPrintable(strays(QDir(dir.path()), QStringLiteral("game.bin")).join(u' ')));
}

void TestSaveCrash::killedSaveLeavesOldOrNewRom()
{
    QTemporaryDir dir(work.filePath(QStringLiteral("killed-XXXXXX")));
    QVERIFY(dir.isValid());
    const QString rom = dir.filePath(QStringLiteral("game.bin"));

    // How long one save takes here, so that the kills spread over a few saves.
    QVERIFY(writeFile(rom, oldImage));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(WriteRom(rom, SaveCrashData(0)));
    const int saveMs = int(qMax<qint64>(1, timer.elapsed()));
    int latestKillMs = qBound(4, 2 * saveMs, 500);

    // At least kTries kills; more while one of the two outcomes has not come up
    // yet, with a wider window every 50 tries: the first save of a fresh
    // process can take longer than the one timed above, above all on a busy
    // machine.
    constexpr int kTries = 200;
    constexpr int kMaxTries = 800;
    QRandomGenerator random(20260115);
    int old = 0;
    int saved = 0;
    int leftovers = 0;
    int attempt = 0;
    for (; attempt < kMaxTries && (attempt < kTries || old == 0 || saved == 0); ++attempt) {
        if (attempt > 0 && attempt % 50 == 0 && (old == 0 || saved == 0))
            latestKillMs = qMin(2 * latestKillMs, 2000);
        QVERIFY(writeFile(rom, oldImage));

        QProcess helper;
        helper.start(QStringLiteral(SAVECRASH_HELPER), {QStringLiteral("loop"), rom});
        QVERIFY(helper.waitForStarted(10000));
        QVERIFY(helper.waitForReadyRead(30000));
        QThread::usleep(random.bounded(latestKillMs * 1000));
        helper.kill();   // SIGKILL: no handler, no clean-up
        QVERIFY(helper.waitForFinished(10000));
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

        const QByteArray after = readFile(rom);
        if (after == oldImage)
            ++old;
        else if (after == newImage)
            ++saved;
        else
            QFAIL(qPrintable(QStringLiteral("try %1: the ROM is neither the old nor the saved image "
                                            "(%2 bytes)").arg(attempt).arg(after.size())));

        // A killed save may leave its unfinished temporary file; never the ROM.
        const QStringList stray = strays(QDir(dir.path()), QStringLiteral("game.bin"));
        leftovers += stray.size() > 0;
        for (const QString &name : stray)
            QFile::remove(dir.filePath(name));
    }
    qInfo("%d kills within %d ms of the first save (one save takes about %d ms): "
          "%d left the old ROM, %d the saved one, %d left a temporary file behind",
          attempt, latestKillMs, saveMs, old, saved, leftovers);
    // Both outcomes must occur, or the kills did not land among the saves.
    QVERIFY(old > 0);
    QVERIFY(saved > 0);
}

QTEST_GUILESS_MAIN(TestSaveCrash)
#include "tst_savecrash.moc"
