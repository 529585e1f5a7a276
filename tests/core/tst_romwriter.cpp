#include <QtTest>

#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <QElapsedTimer>

#include "common/romfiles.h"
#include "common/testrom.h"
#include "rom/colorword.h"
#include "rom/romreader.h"
#include "rom/romsave.h"
#include "rom/romwriter.h"

namespace {

void storeChecksum(QByteArray &image)
{
    const quint16 sum = RomChecksum(image);
    image[kChecksumOffset] = static_cast<char>(sum >> 8);
    image[kChecksumOffset + 1] = static_cast<char>(sum & 0xFF);
}

// A random image whose colour words have clean zero bits and whose checksum is right:
// exactly what saving without edits must reproduce.
QByteArray wellFormedRom(quint32 seed, qsizetype size = kSpritesAreaEnd + 0x1001)
{
    QByteArray image = RandomBytes(size, seed);
    for (qint64 i = kPalettesOffset; i < kPalettesOffset + kPalettesAreaSize; i += 2) {
        image[i] = static_cast<char>(image.at(i) & 0x0E);
        image[i + 1] = static_cast<char>(image.at(i + 1) & 0xEE);
    }
    storeChecksum(image);
    return image;
}

quint16 storedChecksum(const QByteArray &image)
{
    return static_cast<quint16>((static_cast<unsigned char>(image.at(kChecksumOffset)) << 8)
                                | static_cast<unsigned char>(image.at(kChecksumOffset + 1)));
}

bool runningAsRoot()
{
#ifdef Q_OS_UNIX
    return ::geteuid() == 0;
#else
    return false;
#endif
}

} // namespace

class TestRomWriter : public QObject
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

    void packPixels_data()
    {
        QTest::addColumn<QList<int>>("pixels");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("odd last index dropped") << QList<int>{10, 7, 3} << QByteArray("\xA7", 1);
        QTest::newRow("low 4 bits only") << QList<int>{0x13, 0x21} << QByteArray("\x31", 1);
        QTest::newRow("empty") << QList<int>{} << QByteArray();
    }

    void packPixels()
    {
        QFETCH(QList<int>, pixels);
        QFETCH(QByteArray, bytes);
        QCOMPARE(PackPixels(pixels), bytes);
    }

    void savingUneditedRomChangesNothing()
    {
        const QByteArray image = wellFormedRom(1);
        const QString path = writeFile("identical.bin", image);
        QString reason;
        QVERIFY(WriteRom(path, ReadRom(path), &reason));
        QVERIFY(reason.isEmpty());
        QVERIFY(ReadBytes(path) == image);
    }

    void wrongChecksumAndStrayBitsAreFixed()
    {
        QByteArray image = wellFormedRom(2);
        image[kPalettesOffset + 2 * 5] = char(0xFF);       // palette 0, colour 5
        image[kPalettesOffset + 2 * 5 + 1] = char(0xFF);
        image[kChecksumOffset] = char(~image.at(kChecksumOffset));
        const QString path = writeFile("fixed.bin", image);

        QVERIFY(WriteRom(path, ReadRom(path)));
        const QByteArray written = ReadBytes(path);
        QCOMPARE(written.size(), image.size());
        QCOMPARE(written.mid(kPalettesOffset + 10, 2), QByteArray("\x0E\xEE", 2));
        QCOMPARE(storedChecksum(written), RomChecksum(written));
        QByteArray expected = image;
        expected.replace(kPalettesOffset + 10, 2, QByteArray("\x0E\xEE", 2));
        storeChecksum(expected);
        QVERIFY(written == expected);
    }

    void editsLandAtTheirBytes()
    {
        const QByteArray image = wellFormedRom(3);
        const QString path = writeFile("layout.bin", image);
        CarData data = ReadRom(path);
        data.weapons[2][1] = char(0x42);
        data.characteristics[4][3] = char(0xC8);
        data.palettes[9][15] = QColor(255, 0, 145);
        data.sprites[4][44][2302] = 0x13;
        data.sprites[4][44][2303] = 0x2A;
        data.palettes.append(Palette(16, QColor(255, 255, 255)));   // "Import/Export": never written

        QVERIFY(WriteRom(path, data));
        const QByteArray written = ReadBytes(path);
        QCOMPARE(written.at(0x54A7), char(0x42));
        QCOMPARE(written.at(0xE163), char(0xC8));
        QCOMPARE(written.mid(0x68B4, 2), QByteArray("\x08\x0E", 2));
        QCOMPARE(written.at(0xFE97F), char(0x3A));

        // Nothing else moved: not the bytes after the palette area, not the rest.
        QByteArray expected = image;
        expected[0x54A7] = char(0x42);
        expected[0xE163] = char(0xC8);
        expected.replace(0x68B4, 2, QByteArray("\x08\x0E", 2));
        expected[0xFE97F] = char(0x3A);
        storeChecksum(expected);
        QVERIFY(written == expected);
    }

    void checksum_data()
    {
        QTest::addColumn<QByteArray>("tail");   // the bytes from 0x200 on
        QTest::addColumn<int>("sum");
        QTest::newRow("nothing after the header") << QByteArray() << 0;
        QTest::newRow("wraps modulo 65536") << QByteArray("\x01\x02\xFF\xFF", 4) << 0x0101;
        QTest::newRow("odd last byte is a high byte") << QByteArray("\x01\x02\x03", 3) << 0x0402;
    }

    void checksum()
    {
        QFETCH(QByteArray, tail);
        QFETCH(int, sum);
        QByteArray image = RandomBytes(0x200, 4) + tail;
        QCOMPARE(int(RomChecksum(image)), sum);
    }

    void checksumOfShortFileIsZero()
    {
        const QByteArray image = RandomBytes(0x1FF, 5);
        QCOMPARE(RomChecksum(image), quint16(0));
    }

    void missingFileIsCreated()
    {
        const QString path = dir.filePath("new.bin");
        CarData data = NormalizeCarData(CarData());
        data.weapons[0][0] = 5;
        QVERIFY(WriteRom(path, data));
        const QByteArray written = ReadBytes(path);
        QCOMPARE(written.size(), kSpritesAreaEnd);
        QCOMPARE(written.at(kWeaponsOffset), char(5));
        QCOMPARE(int(storedChecksum(written)), 5 << 8);
        QCOMPARE(ReadRom(path), data);
    }

    void shortFileGrows()
    {
        const QByteArray image = RandomBytes(0x1000, 7);
        const QString path = writeFile("short.bin", image);
        QVERIFY(WriteRom(path, ReadRom(path)));
        const QByteArray written = ReadBytes(path);
        QCOMPARE(written.size(), kSpritesAreaEnd);
        QByteArray expected = image + QByteArray(kSpritesAreaEnd - image.size(), '\0');
        storeChecksum(expected);
        QVERIFY(written == expected);
    }

    void permissionsAreKept()
    {
        const QString path = writeFile("mode.bin", wellFormedRom(8));
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther;   // unusual: 0604
        const auto ownerGroupOther = QFileDevice::Permissions(0xF0FF);
        QVERIFY(QFile::setPermissions(path, mode));
        QVERIFY(WriteRom(path, ReadRom(path)));
        QCOMPARE(QFile::permissions(path) & ownerGroupOther, mode);
    }

    void linkedRomIsWrittenThrough()
    {
        const QString target = writeFile("target.bin", wellFormedRom(10));
        const QString link = dir.filePath("link.bin");
        QVERIFY(QFile::link(target, link));
        CarData data = ReadRom(link);
        data.weapons[1][0] = 3;
        QVERIFY(WriteRom(link, data));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadBytes(target).at(kWeaponsOffset + 1), char(3));
    }

    void unwritablePaths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("folder in the way") << QStringLiteral("folder");
        QTest::newRow("parent is a file") << QStringLiteral("plain.bin/rom.bin");
    }

    void unwritablePaths()
    {
        QFETCH(QString, name);
        QVERIFY(QDir(dir.path()).mkpath("folder"));
        writeFile("plain.bin", "not a folder");
        const QString path = dir.filePath(name);
        QString reason;
        QVERIFY(!WriteRom(path, NormalizeCarData(CarData()), &reason));
        QVERIFY2(reason.contains(path), qPrintable(reason));
        QCOMPARE(ReadBytes(dir.filePath("plain.bin")), QByteArray("not a folder"));
    }

    void readOnlyFileIsLeftAlone()
    {
        if (runningAsRoot())
            QSKIP("file permissions don't bind the superuser");
        const QByteArray image = wellFormedRom(9);
        const QString path = writeFile("readonly.bin", image);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        CarData data = ReadRom(path);
        data.weapons[0][0] = char(~data.weapons[0][0]);
        QString reason;
        QVERIFY(!WriteRom(path, data, &reason));
        QVERIFY2(reason.contains(path), qPrintable(reason));
        QVERIFY(ReadBytes(path) == image);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    }

    void unwritableFolder()
    {
        if (runningAsRoot())
            QSKIP("file permissions don't bind the superuser");
        QTemporaryDir locked;
        const QString existing = locked.filePath("rom.bin");
        {
            QFile file(existing);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const auto open = QFile::permissions(locked.path());
        QVERIFY(QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner));

        // A new file can't be made there; an existing writable one is written in place.
        QString reason;
        QVERIFY(!WriteRom(locked.filePath("new.bin"), NormalizeCarData(CarData()), &reason));
        QVERIFY2(reason.contains("new.bin"), qPrintable(reason));
        QVERIFY(WriteRom(existing, NormalizeCarData(CarData()), &reason));
        QCOMPARE(QFileInfo(existing).size(), kSpritesAreaEnd);

        QFile::setPermissions(locked.path(), open);
    }

    void imageDecodesAsTheFile_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("whole") << wellFormedRom(20);
        QTest::newRow("ends inside the sprites") << RandomBytes(kSpritesOffset + 5000 + 3, 21);
        QTest::newRow("ends inside the palettes") << RandomBytes(kPalettesOffset + 31, 22);
        QTest::newRow("empty") << QByteArray();
    }

    void imageDecodesAsTheFile()
    {
        QFETCH(QByteArray, image);
        const QString path = writeFile("decode.bin", image);
        QCOMPARE(CarDataFromImage(image), ReadRom(path));
        // Saving from the image writes what saving through the file did.
        const QByteArray patched = PatchedImage(image, ReadRom(path));
        QVERIFY(WriteRom(path, ReadRom(path)));
        QVERIFY(ReadBytes(path) == patched);
    }

    void loadRefusesAllButRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "folder" << "not a regular file";
        QTest::newRow("fifo") << "fifo" << "not a regular file";
        QTest::newRow("device") << "device" << "not a regular file";
        QTest::newRow("parent is a file") << "under-file" << "Not a directory";
    }

    void loadRefusesAllButRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QString path = dir.filePath("odd-" + kind);
        if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else if (kind == "device")
            path = QStringLiteral("/dev/zero");
        else
            path = writeFile("plain-file", "x") + "/game.bin";

        QElapsedTimer timer;
        timer.start();
        QString error = RomImage::Load(path).message();
        QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
        QVERIFY(!WriteRom(path, ReadRom(path), &error));   // nothing opened, nothing written
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY(timer.elapsed() < 10000);   // a FIFO is never opened, so nothing waits on it
    }

    void diskState()
    {
        const QByteArray image = wellFormedRom(23);
        const QString path = writeFile("state.bin", image);
        Result<RomImage> rom = RomImage::Load(path);
        QVERIFY(rom);
        QVERIFY(rom->fileBytes == image);
        QCOMPARE(CheckOnDisk(*rom), DiskState::Unchanged);

        writeFile("state.bin", image);   // written again, same bytes: nothing to lose
        QCOMPARE(CheckOnDisk(*rom), DiskState::Unchanged);
        QByteArray other = image;
        other[0x300] = char(~other.at(0x300));
        writeFile("state.bin", other);   // same size, same second: the bytes tell
        QCOMPARE(CheckOnDisk(*rom), DiskState::Changed);

        // Our own save is not another program's change.
        rom = RomImage::Load(path);
        QVERIFY(SaveCarData(*rom, CarDataFromImage(image)).ok());
        QCOMPARE(CheckOnDisk(*rom), DiskState::Unchanged);
        QVERIFY(QFile::remove(path));
        QCOMPARE(CheckOnDisk(*rom), DiskState::Missing);
        QVERIFY(QDir().mkpath(path));
        QCOMPARE(CheckOnDisk(*rom), DiskState::Changed);
        QVERIFY(QDir().rmdir(path));

        // A file missing when opened: still missing is no change, and a save creates it.
        Result<RomImage> blank = RomImage::Load(path);
        QVERIFY(blank && !blank->stamp.exists && blank->fileBytes.isEmpty());
        QCOMPARE(CheckOnDisk(*blank), DiskState::Unchanged);
        QVERIFY(SaveCarData(*blank, CarDataFromImage(image)).ok());
        QCOMPARE(ReadBytes(path).size(), kSpritesAreaEnd);
    }

    void hardLinkedRomIsWrittenInPlace()
    {
        const QByteArray image = wellFormedRom(24);
        const QString path = writeFile("linked.bin", image);
        const QString other = dir.filePath("other-name.bin");
        QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
        Result<RomImage> rom = RomImage::Load(path);
        CarData data = CarDataFromImage(image);
        data.weapons[3][2] = char(0x17);
        const Result<SaveMethod> result = SaveCarData(*rom, data);
        QVERIFY(result.ok());
        QCOMPARE(*result, SaveMethod::InPlace);
        QVERIFY(ReadBytes(path) == PatchedImage(image, data));
        QVERIFY(ReadBytes(other) == ReadBytes(path));
        struct stat one {}, two {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &one), 0);
        QCOMPARE(::stat(QFile::encodeName(other).constData(), &two), 0);
        QCOMPARE(one.st_ino, two.st_ino);
    }

    void modeAndOwnerAreKept_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("otherOwner");
        QTest::newRow("444") << 0444 << false;
        QTest::newRow("400") << 0400 << false;
        QTest::newRow("600") << 0600 << false;
        QTest::newRow("setuid 4755, owner nobody") << 04755 << true;
        QTest::newRow("setgid 2640, owner nobody") << 02640 << true;
    }

    void modeAndOwnerAreKept()
    {
        QFETCH(int, mode);
        QFETCH(bool, otherOwner);
        if (!runningAsRoot())
            QSKIP("writing a read-only file or one of another owner takes the superuser");
        const QString path = writeFile("owned.bin", wellFormedRom(25));
        const QByteArray native = QFile::encodeName(path);
        if (otherOwner)
            QCOMPARE(::chown(native.constData(), 65534, 65534), 0);   // nobody:nogroup
        QCOMPARE(::chmod(native.constData(), mode_t(mode)), 0);
        struct stat before {};
        QCOMPARE(::stat(native.constData(), &before), 0);

        CarData data = ReadRom(path);
        data.characteristics[0][0] = char(~data.characteristics[0][0]);
        Result<RomImage> rom = RomImage::Load(path);
        const Result<SaveMethod> result = SaveCarData(*rom, data);
        QVERIFY2(result.ok(), qPrintable(result.message()));
        QCOMPARE(*result, SaveMethod::Replaced);
        struct stat after {};
        QCOMPARE(::stat(native.constData(), &after), 0);
        QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(ReadRom(path), NormalizeCarData(data));
        QFile::remove(path);
    }
};

QTEST_GUILESS_MAIN(TestRomWriter)
#include "tst_romwriter.moc"
