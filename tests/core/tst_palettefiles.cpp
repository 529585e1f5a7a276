// Palette files both ways in every format, and the files they refuse.
#include <sys/stat.h>

#include <QTemporaryDir>
#include <QtTest>

#include "common/testrom.h"
#include "palette/palettefiles.h"

namespace {

QByteArray ActFile(const QList<QRgb> &colors, int trailer = -1)
{
    QByteArray bytes(768, '\0');
    for (int i = 0; i < colors.size(); ++i) {
        bytes[3 * i] = char(qRed(colors[i]));
        bytes[3 * i + 1] = char(qGreen(colors[i]));
        bytes[3 * i + 2] = char(qBlue(colors[i]));
    }
    if (trailer >= 0)
        bytes += QByteArray(1, char(trailer >> 8)) + char(trailer & 0xFF) + "\xFF\xFF";
    return bytes;
}

QByteArray GimpColors(int count)
{
    QByteArray text("GIMP Palette\nName: many\n");
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(i * 15) + " 0 0\n";
    return text;
}

}  // namespace

class TestPaletteFiles : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void read_data();
    void read();
    void refusedFiles_data();
    void refusedFiles();
};

void TestPaletteFiles::roundTrip_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"p.gpl", "p.pal", "p.ACT", "p.bin"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestPaletteFiles::roundTrip()
{
    QFETCH(QString, name);
    // Every grid level on each channel, and two entries alike.
    Palette palette = LevelGridPalettes().at(3);
    palette[7] = palette[2];
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const Result<void> written = WritePaletteFile(path, palette, QStringLiteral("Blue"));
    QVERIFY2(written, qPrintable(written.message()));
    const Result<QList<QColor>> read = ReadPaletteFile(path);
    QVERIFY2(read, qPrintable(read.message()));
    QCOMPARE(*read, palette);

    // The cartridge's own word order, and the colour table with its count.
    const QByteArray bytes = ReadBytes(path);
    if (name.endsWith(QLatin1String(".bin"))) {
        QCOMPARE(bytes.size(), 32);
        QCOMPARE(ColorFromWord16(quint16(uchar(bytes[14]) << 8 | uchar(bytes[15]))), palette[7]);
    } else if (name.endsWith(QLatin1String(".ACT"))) {
        QCOMPARE(bytes.size(), 772);
        QCOMPARE(bytes.mid(768, 2), QByteArray("\x00\x10", 2));
    }
}

void TestPaletteFiles::read_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("colors");      // -1: refused
    QTest::addColumn<QString>("where");   // part of the refusal
    QTest::addColumn<QColor>("first");    // the first colour when read

    const QColor none;
    QTest::newRow("gpl: three, comments, CRLF, off the grid")
        << "a.gpl" << QByteArray("GIMP Palette\r\nName: x\r\nColumns: 4\r\n# c\r\n\r\n250\t40 0 Red\r\n0 0 0\r\n1 2 3\r\n")
        << 3 << "" << QColor(255, 36, 0);
    QTest::newRow("gpl: sixteen") << "a.gpl" << GimpColors(16) << 16 << "" << QColor(0, 0, 0);
    QTest::newRow("gpl: seventeen") << "a.gpl" << GimpColors(17) << -1 << "line 19" << none;
    QTest::newRow("gpl: not a number") << "a.gpl" << QByteArray("GIMP Palette\n1 2 3\n4 x 6\n") << -1 << "line 3" << none;
    QTest::newRow("gpl: 256") << "a.gpl" << QByteArray("GIMP Palette\n1 2 256\n") << -1 << "line 2" << none;
    QTest::newRow("gpl: two values") << "a.gpl" << QByteArray("GIMP Palette\n1 2\n") << -1 << "line 2" << none;
    QTest::newRow("gpl: no header") << "a.gpl" << QByteArray("1 2 3\n") << -1 << "line 1" << none;
    QTest::newRow("gpl: no colours") << "a.gpl" << QByteArray("GIMP Palette\n") << -1 << "no colours" << none;
    QTest::newRow("pal: two, alpha") << "a.pal" << QByteArray("JASC-PAL\n0100\n2\n0 255 0 255\n9 9 9\n") << 2 << ""
                                     << QColor(0, 255, 0);
    QTest::newRow("pal: count 17") << "a.pal" << QByteArray("JASC-PAL\n0100\n17\n") << -1 << "line 3" << none;
    QTest::newRow("pal: missing line") << "a.pal" << QByteArray("JASC-PAL\n0100\n2\n1 2 3\n") << -1 << "line 5" << none;
    QTest::newRow("pal: extra line") << "a.pal" << QByteArray("JASC-PAL\n0100\n1\n1 2 3\n4 5 6\n") << -1 << "line 5"
                                     << none;
    QTest::newRow("pal: version") << "a.pal" << QByteArray("JASC-PAL\n0200\n1\n1 2 3\n") << -1 << "line 2" << none;
    QTest::newRow("pal: RIFF") << "a.pal" << QByteArray("RIFF\x10\0\0\0PAL ", 12) << -1 << "line 1" << none;
    QTest::newRow("act: 768, padded") << "a.act" << ActFile({qRgb(0, 0, 255)}) << 16 << "" << QColor(0, 0, 255);
    QTest::newRow("act: 768, entry 20 used") << "a.act" << ActFile(QList<QRgb>(21, qRgb(1, 1, 1))) << -1 << "byte 48"
                                             << none;
    QTest::newRow("act: 772, count 3") << "a.act" << ActFile({qRgb(200, 0, 0)}, 3) << 3 << "" << QColor(218, 0, 0);
    QTest::newRow("act: 772, count 256") << "a.act" << ActFile({}, 256) << -1 << "byte 768" << none;
    QTest::newRow("act: 500 bytes") << "a.act" << QByteArray(500, '\0') << -1 << "byte 500" << none;
    QTest::newRow("bin: three words") << "a.bin" << QByteArray("\x0E\x00\x00\xE0\x00\x0E", 6) << 3 << ""
                                      << QColor(0, 0, 255);
    QTest::newRow("bin: 17 words") << "a.bin" << QByteArray(34, '\0') << -1 << "byte 32" << none;
    QTest::newRow("bin: odd size") << "a.bin" << QByteArray(5, '\0') << -1 << "byte 4" << none;
    QTest::newRow("bin: not a word") << "a.bin" << QByteArray("\x00\x00\x10\x00", 4) << -1 << "byte 2" << none;
    QTest::newRow("bin: empty") << "a.bin" << QByteArray() << -1 << "no colours" << none;
}

void TestPaletteFiles::read()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, colors);
    QFETCH(QString, where);
    QFETCH(QColor, first);

    QTemporaryDir dir;
    const QString path = WriteTestFile(dir.filePath(name), bytes);
    const Result<QList<QColor>> read = ReadPaletteFile(path);
    const QString error = read.message();
    QCOMPARE(read ? int(read->size()) : -1, colors);
    if (read)
        QCOMPARE(read->first(), first);
    else
        QVERIFY2(error.contains(path) && error.contains(where), qPrintable(error));
}

void TestPaletteFiles::refusedFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("writing");
    QTest::addColumn<QString>("reason");

    QTest::newRow("read fifo") << "fifo.pal" << false << "not a regular file";
    QTest::newRow("read folder") << "folder.gpl" << false << "not a regular file";
    QTest::newRow("read missing") << "missing.act" << false << "no such file";
    QTest::newRow("read other suffix") << "p.txt" << false << ".gpl";
    QTest::newRow("write folder") << "folder.gpl" << true << "not a regular file";
    QTest::newRow("write missing folder") << "none/p.gpl" << true << "";
    QTest::newRow("write other suffix") << "p.png" << true << ".act";
}

void TestPaletteFiles::refusedFiles()
{
    QFETCH(QString, name);
    QFETCH(bool, writing);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.gpl")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.pal"))).constData(), 0600), 0);
    WriteTestFile(dir.filePath(QStringLiteral("p.txt")), "GIMP Palette\n1 2 3\n");
    const QString path = dir.filePath(name);
    const QString error = writing ? WritePaletteFile(path, ImportExportPalette(), {}).message()
                                  : ReadPaletteFile(path).message();
    const bool done = error.isEmpty();
    QVERIFY(!done);
    QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestPaletteFiles)
#include "tst_palettefiles.moc"
