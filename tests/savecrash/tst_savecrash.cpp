// A save that is interrupted at any point leaves the ROM file either exactly as
// it was or exactly as saved: never half written. Where the file has to be
// written in place (another hard link, a folder the user may not write, no
// room for a copy), it keeps its length and every byte outside the car data.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <QStandardPaths>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/romfiles.h"
#include "rom/romsave.h"
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

// 1 for the bytes a save may change (car areas and checksum), 0 elsewhere.
QByteArray carByteMask(qsizetype size)
{
    QByteArray mask(size, '\0');
    const qint64 areas[][2] = {{kChecksumOffset, 2},
                               {kWeaponsOffset, kWeaponsAreaSize},
                               {kPalettesOffset, kPalettesAreaSize},
                               {kCharacteristicsOffset, kCharacteristicsAreaSize},
                               {kSpritesOffset, kSpritesAreaSize}};
    for (const auto &area : areas)
        for (qint64 i = area[0]; i < area[0] + area[1] && i < size; ++i)
            mask[i] = 1;
    return mask;
}

// Empty when after is before with some car bytes (and the checksum) set to
// their value in saved, and nothing else changed; else what is wrong. Counts
// in *changed the bytes that differ from before.
QString onlyCarBytesChanged(const QByteArray &before, const QByteArray &saved, const QByteArray &after,
                            qint64 *changed = nullptr)
{
    if (after.size() < before.size())
        return QStringLiteral("the ROM shrank from %1 to %2 bytes").arg(before.size()).arg(after.size());
    const QByteArray mask = carByteMask(after.size());
    qint64 count = 0;
    for (qsizetype i = 0; i < after.size(); ++i) {
        const char old = i < before.size() ? before.at(i) : '\0';
        if (after.at(i) == old && i < before.size())
            continue;
        if (!mask.at(i) || i >= saved.size() || after.at(i) != saved.at(i))
            return QStringLiteral("byte 0x%1 is 0x%2, neither as before nor as saved")
                .arg(i, 0, 16).arg(quint8(after.at(i)), 2, 16, QLatin1Char('0'));
        ++count;
    }
    if (changed)
        *changed = count;
    return {};
}

// A small tmpfs mounted over a folder for as long as it lives (root only).
struct SmallDisk
{
    explicit SmallDisk(const QString &folder, const QByteArray &size) : path(QFile::encodeName(folder))
    {
        mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, ("size=" + size).constData()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(path.constData(), MNT_DETACH);
    }
    QByteArray path;
    bool mounted = false;
};

} // namespace

class TestSaveCrash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failedSaveLeavesRomUntouched_data();
    void failedSaveLeavesRomUntouched();
    void killedSaveLeavesOldOrNewRom();
    void unprivilegedSave_data();
    void unprivilegedSave();
    void diskFull_data();
    void diskFull();
    void killedInPlaceSaveTouchesOnlyCarBytes();

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

void TestSaveCrash::unprivilegedSave_data()
{
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<int>("romMode");
    QTest::addColumn<QString>("outcome");   // what the helper prints

    QTest::newRow("writable ROM in a folder the user cannot write: patched in place") << 0755 << 0666 << "in place";
    QTest::newRow("read-only ROM in a folder the user cannot write") << 0755 << 0644 << "Permission denied";
    QTest::newRow("read-only ROM in a folder the user can write: not replaced") << 0777 << 0444
                                                                                << "Permission denied";
}

void TestSaveCrash::unprivilegedSave()
{
    QFETCH(int, folderMode);
    QFETCH(int, romMode);
    QFETCH(QString, outcome);
    if (geteuid() != 0)
        QSKIP("running the save as another user needs root");
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        QSKIP("setpriv (util-linux) is not installed");

    QTemporaryDir dir(work.filePath(QStringLiteral("user-XXXXXX")));
    QVERIFY(dir.isValid());
    const QString rom = dir.filePath(QStringLiteral("game.bin"));
    QVERIFY(writeFile(rom, oldImage));
    QCOMPARE(::chmod(QFile::encodeName(work.path()).constData(), 0755), 0);
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), mode_t(folderMode)), 0);
    QCOMPARE(::chmod(QFile::encodeName(rom).constData(), mode_t(romMode)), 0);

    QProcess helper;
    helper.setProcessChannelMode(QProcess::MergedChannels);
    helper.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                           QStringLiteral("--clear-groups"), QStringLiteral(SAVECRASH_HELPER),
                           QStringLiteral("once"), rom});
    QVERIFY(helper.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(helper.readAll());
    QVERIFY2(output.contains(outcome), qPrintable(output));
    const bool saved = outcome == QLatin1String("in place");
    QCOMPARE(helper.exitCode(), saved ? 0 : 1);
    if (!saved)
        QCOMPARE(output.count(rom), 1);
    QVERIFY(readFile(rom) == (saved ? newImage : oldImage));
    QVERIFY(strays(QDir(dir.path()), QStringLiteral("game.bin")).isEmpty());
}

void TestSaveCrash::diskFull_data()
{
    QTest::addColumn<int>("romSize");
    QTest::addColumn<QByteArray>("diskSize");
    QTest::addColumn<int>("fillerSize");   // another file taking room on the disk
    QTest::addColumn<bool>("saves");

    QTest::newRow("no room for a second copy: patched in place") << kImageSize << QByteArray("1536k") << 0 << true;
    QTest::newRow("no room for a short ROM to grow") << 0x80000 << QByteArray("1024k") << 0x7C000 << false;
}

void TestSaveCrash::diskFull()
{
    QFETCH(int, romSize);
    QFETCH(QByteArray, diskSize);
    QFETCH(int, fillerSize);
    QFETCH(bool, saves);

    QTemporaryDir dir(work.filePath(QStringLiteral("full-XXXXXX")));
    QVERIFY(dir.isValid());
    const SmallDisk disk(dir.path(), diskSize);
    if (!disk.mounted)
        QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here (%1): not root, or no permission "
                                        "to mount").arg(QString::fromLocal8Bit(std::strerror(errno)))));
    const QString rom = dir.filePath(QStringLiteral("game.bin"));
    const QByteArray before = oldImage.left(romSize);
    QVERIFY(writeFile(rom, before));
    if (fillerSize > 0)
        QVERIFY(writeFile(dir.filePath(QStringLiteral("filler")), QByteArray(fillerSize, 'x')));

    Result<RomImage> image = RomImage::Load(rom);
    QVERIFY(image);
    const QByteArray wanted = PatchedImage(before, SaveCrashData(1));
    const Result<SaveMethod> result = SaveCarData(*image, SaveCrashData(1));

    const QByteArray after = readFile(rom);
    QCOMPARE(result.ok(), saves);
    if (saves) {
        QCOMPARE(*result, SaveMethod::InPlace);
        QVERIFY(after == wanted);
    } else {
        QVERIFY2(result.message().contains(QStringLiteral("No space left on device")), qPrintable(result.message()));
        QCOMPARE(result.message().count(rom), 1);
        // Never shorter; within its old length only car bytes changed, to their saved value.
        const QString wrong = onlyCarBytesChanged(before, wanted, after.left(before.size()));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        QVERIFY(after.size() >= before.size());
        QVERIFY(after.mid(before.size()) == wanted.mid(before.size(), after.size() - before.size()));
    }
    QStringList left = strays(QDir(dir.path()), QStringLiteral("game.bin"));
    left.removeAll(QStringLiteral("filler"));
    QVERIFY2(left.isEmpty(), qPrintable(left.join(u' ')));
}

void TestSaveCrash::killedInPlaceSaveTouchesOnlyCarBytes()
{
    QTemporaryDir dir(work.filePath(QStringLiteral("inplace-XXXXXX")));
    QVERIFY(dir.isValid());
    // On a tmpfs where root may mount one: no waiting for the disk at every
    // save, so that the kills come quickly. A kill loses nothing the kernel
    // has taken, so what it leaves is the same on any file system.
    const SmallDisk fast(dir.path(), "16m");
    const QString rom = dir.filePath(QStringLiteral("game.bin"));
    const QString link = dir.filePath(QStringLiteral("second-link.bin"));
    // A second hard link: a replacement would part the two names, so every
    // save goes into the file itself.
    QVERIFY(writeFile(rom, oldImage));
    QCOMPARE(::link(QFile::encodeName(rom).constData(), QFile::encodeName(link).constData()), 0);

    Result<RomImage> image = RomImage::Load(rom);
    QVERIFY(image);
    QElapsedTimer timer;
    timer.start();
    const Result<SaveMethod> timed = SaveCarData(*image, SaveCrashData(0));
    const int saveMs = int(qMax<qint64>(1, timer.elapsed()));
    QVERIFY(timed.ok());
    QCOMPARE(*timed, SaveMethod::InPlace);
    const int latestKillMs = qBound(4, 2 * saveMs, 500);

    constexpr int kTries = 200;
    QRandomGenerator random(20260116);
    int old = 0;
    int saved = 0;
    int mixed = 0;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        QVERIFY(writeFile(rom, oldImage));   // truncates and rewrites: the same file, both links

        QProcess helper;
        helper.start(QStringLiteral(SAVECRASH_HELPER), {QStringLiteral("loop"), rom});
        QVERIFY(helper.waitForStarted(10000));
        QVERIFY(helper.waitForReadyRead(30000));
        QThread::usleep(random.bounded(latestKillMs * 1000));
        helper.kill();
        QVERIFY(helper.waitForFinished(10000));

        const QByteArray after = readFile(rom);
        QCOMPARE(after.size(), kImageSize);
        qint64 changed = 0;
        const QString wrong = onlyCarBytesChanged(oldImage, newImage, after, &changed);
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("try %1: %2").arg(attempt).arg(wrong)));
        if (after == oldImage)
            ++old;
        else if (after == newImage)
            ++saved;
        else
            ++mixed;
        QVERIFY2(strays(QDir(dir.path()), QStringLiteral("game.bin")) == QStringList{QStringLiteral("second-link.bin")},
                 "a save in place must leave no other file");
    }
    QVERIFY(readFile(link) == readFile(rom));
    qInfo("%d kills of saves in place within %d ms (one save takes about %d ms): %d left the old ROM, "
          "%d the saved one, %d a mix of old and saved car bytes; length and all other bytes kept every time",
          kTries, latestKillMs, saveMs, old, saved, mixed);
}

QTEST_GUILESS_MAIN(TestSaveCrash)
#include "tst_savecrash.moc"
