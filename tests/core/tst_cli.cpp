#include <QtTest>

#include "exchange/spriteconversion.h"
#include "rom/colorword.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "common/romfiles.h"
#include "common/testrom.h"
#include "view/tilecounts.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

// Runs the program's subcommands the way a build script would and checks
// their exit statuses, what they print and the files they leave.
class TestCli : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString program;
    QByteArray romBytes;   // game.bin as made for every test

    struct Run
    {
        int exitCode = -1;
        QByteArray out;
        QList<QByteArray> errLines;
    };

    QString path(const QString &name) const { return dir.filePath(name); }

    Run run(const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));   // the subcommands need none
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(program, arguments);
        Run result;
        if (!process.waitForStarted() || !process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        for (const QByteArray &line : process.readAllStandardError().split('\n')) {
            if (!line.isEmpty() && !line.startsWith("QStandardPaths:"))
                result.errLines << line;
        }
        return result;
    }

    static QByteArray IpsApplied(const QByteArray &patch, QByteArray file)
    {
        if (!patch.startsWith("PATCH"))
            return {};
        auto byteAt = [&](qsizetype k) { return static_cast<unsigned char>(patch.at(k)); };
        qsizetype at = 5;
        while (at + 3 <= patch.size() && patch.mid(at, 3) != "EOF") {
            const qsizetype offset = (byteAt(at) << 16) | (byteAt(at + 1) << 8) | byteAt(at + 2);
            const qsizetype size = (byteAt(at + 3) << 8) | byteAt(at + 4);
            if (size == 0)
                return {};   // RLE records are never written
            if (file.size() < offset + size)
                file.resize(offset + size, '\0');
            file.replace(offset, size, patch.mid(at + 5, size));
            at += 5 + size;
        }
        return file;
    }

private slots:
    void initTestCase();
    void init();
    void statuses_data();
    void statuses();
    void infoJson();
    void exportImportRoundTrip_data();
    void exportImportRoundTrip();
    void setChangesOnlyItsBytes();
    void importNotes_data();
    void classicMatching_data();
    void classicMatching();
    void importNotes();
    void outputNamingTheRomSavesIntoIt();
    void paletteImportChangesOnlyGivenEntries();
    void patchApplies();
    void smdStaysInterleaved();
    void guidance_data();
    void guidance();
};

void TestCli::initTestCase()
{
    QVERIFY(dir.isValid());
    program = QStringLiteral(SKM_PROGRAM);
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program + QStringLiteral(" is not built")));

    // A ROM with a header and data as the editor saves it, weapon 1 of car 1 outside its list.
    QByteArray image = RandomRomImage(13);
    image.replace(0x100, 4, "SEGA");
    const QString game = WriteTestFile(path(QStringLiteral("game.bin")), image);
    CarData data = ReadRom(game);
    data.weapons[0][0] = char(200);
    QVERIFY(WriteRom(game, data));
    romBytes = ReadBytes(game);

    WriteTestFile(path(QStringLiteral("short.bin")), image.left(4096));
    WriteTestFile(path(QStringLiteral("two.gpl")), "GIMP Palette\n255 0 0\n0 255 0\n");
    WriteTestFile(path(QStringLiteral("bad.gpl")), "GIMP Palette\n255 0\n");
    WriteTestFile(path(QStringLiteral("notapicture.png")), "not a picture");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.bin")));
    QVERIFY(QFile::link(QStringLiteral("loop.bin"), path(QStringLiteral("loop.bin"))));
    QCOMPARE(run({QStringLiteral("export"), QStringLiteral("game.bin"), QStringLiteral("cars.png")}).exitCode, 0);
}

void TestCli::init()
{
    WriteTestFile(path(QStringLiteral("game.bin")), romBytes);
    QFile::remove(path(QStringLiteral("out.bin")));
    QFile::remove(path(QStringLiteral("out.png")));
}

void TestCli::statuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("mentions");

    const auto row = [](const char *name, const QString &line, int status, const QByteArray &mentions) {
        QTest::newRow(name) << line.split(QLatin1Char(' ')) << status << mentions;
    };
    row("info", "info game.bin", 0, {});
    row("info help", "info --help", 0, {});
    row("info missing", "info nothing.bin", 1, "nothing.bin");
    row("info folder", "info folder.bin", 1, "not a regular file");
    row("info symlink loop", "info loop.bin", 1, "loop.bin\": Too many levels of symbolic links");
    row("info file as folder", "info game.bin/", 1, "game.bin/\": Not a directory");
    row("info short", "info short.bin", 1, "--force");
    row("info short forced", "info short.bin --force", 0, {});
    row("info two roms", "info game.bin game.bin", 2, "--help");
    row("info unknown option", "info game.bin --colour", 2, "--help");
    row("export", "export game.bin out.png --car 2 --sprite 45", 0, {});
    row("export help", "export --help", 0, {});
    row("export no such folder", "export game.bin nowhere/out.png", 1, "nowhere");
    row("export sprite without car", "export game.bin out.png --sprite 3", 2, "--car");
    row("export car 6", "export game.bin out.png --car 6", 2, "--car");
    row("export unknown palette", "export game.bin out.png --palette Mauve", 2, "Mauve");
    row("export over the rom", "export game.bin ./game.bin", 2, "ROM itself");
    row("export indexed gif", "export game.bin out.gif --indexed", 2, "--indexed");
    row("import", "import game.bin cars.png --palette Red --dither --output out.bin", 0, {});
    row("import classic", "import game.bin cars.png --matching classic --dither --output out.bin", 0, {});
    row("import matching in capitals", "import game.bin cars.png --matching Perceptual --output out.bin", 0, {});
    row("import unknown matching", "import game.bin cars.png --matching nearest --output out.bin", 2, "--matching");
    row("import output is the rom", "import game.bin cars.png --output ./game.bin", 0, {});
    row("import missing picture", "import game.bin nothing.png --output out.bin", 1, "nothing.png");
    row("import not a picture", "import game.bin notapicture.png --output out.bin", 1, "notapicture.png");
    row("import wrong size", "import game.bin cars.png --car 1 --sprite 1 --output out.bin", 1, "cars.png");
    row("import unwritable output", "import game.bin cars.png --output short.bin/out.bin", 1, "out.bin");
    row("import folder rom", "import folder.bin cars.png", 1, "folder.bin");
    row("set", "set game.bin --car 5 --jumping 16 --output out.bin", 0, {});
    row("set hexadecimal", "set game.bin --car 5 --top-speed 0x10 --output out.bin", 2, "--top-speed: \"0x10\" is not a decimal");
    row("export console colours", "export game.bin out.png --car 1 --console-colours", 0, {});
    row("import console colours", "import game.bin cars.png --console-colours --output out.bin", 0, {});
    row("animate", "animate game.bin out.gif --car 2 --both --wheels --zoom 2 --tilt-at -3", 0, {});
    row("animate webp", "animate game.bin out.webp --car 5 --tilt --transparent --console-colours", 0, {});
    row("animate help", "animate --help", 0, {});
    row("animate without car", "animate game.bin out.gif", 2, "--car");
    row("animate png", "animate game.bin out.png --car 1", 2, ".gif");
    row("animate zoom 11", "animate game.bin out.gif --car 1 --zoom 11", 2, "--zoom");
    row("animate turn and tilt", "animate game.bin out.gif --car 1 --turn --tilt", 2, "--tilt");
    row("animate no such folder", "animate game.bin nowhere/out.webp --car 1", 1, "nowhere");
    row("set without car", "set game.bin --top-speed 3", 2, "--car");
    row("set nothing", "set game.bin --car 1", 2, "--help");
    row("set value too big", "set game.bin --car 1 --cornering 256", 2, "--cornering");
    row("set unknown weapon", "set game.bin --car 1 --weapon1 Laser", 2, "Laser");
    row("palette export", "palette game.bin export out.pal --palette 3", 0, {});
    row("palette import", "palette game.bin import two.gpl --palette Green --output out.bin", 0, {});
    row("palette malformed", "palette game.bin import bad.gpl --palette 1 --output out.bin", 1, "line 2");
    row("palette missing file", "palette game.bin import nothing.gpl --palette 1 --output out.bin", 1, "nothing.gpl");
    row("palette fixed", "palette game.bin import two.gpl --palette 11 --output out.bin", 2, "Import/Export");
    row("palette over the rom", "palette game.bin export game.bin --palette 1", 2, "ROM itself");
    row("palette no palette", "palette game.bin export out.gpl", 2, "--palette");
    row("palette bad direction", "palette game.bin swap out.gpl --palette 1", 2, "swap");
    row("palette bad suffix", "palette game.bin export out.txt --palette 1", 2, "out.txt");
    row("patch", "patch game.bin short.bin out.bps", 0, {});
    row("patch missing", "patch game.bin nothing.bin out.ips", 1, "nothing.bin");
    row("patch bad suffix", "patch game.bin short.bin out.zip", 2, "out.zip");
}

void TestCli::statuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QByteArray, mentions);

    const Run result = run(arguments);
    QCOMPARE(result.exitCode, status);
    if (status == 0) {
        for (const QByteArray &line : result.errLines)   // notes only
            QVERIFY2(line.startsWith("skm-car-editor " + arguments.first().toUtf8() + ": note: "), line.constData());
        if (arguments.contains(QStringLiteral("--help")))
            QVERIFY(result.out.startsWith("Usage: skm-car-editor " + arguments.first().toUtf8()));
        return;
    }
    QCOMPARE(result.errLines.size(), 1);
    QVERIFY2(result.errLines.first().contains(mentions), result.errLines.first().constData());
    QCOMPARE(ReadBytes(path(QStringLiteral("game.bin"))), romBytes);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("out.bin"))));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("out.png"))));
}

void TestCli::infoJson()
{
    const Run result = run({QStringLiteral("info"), QStringLiteral("game.bin"), QStringLiteral("--json")});
    QCOMPARE(result.exitCode, 0);
    QJsonParseError error;
    const QJsonObject info = QJsonDocument::fromJson(result.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);

    QCOMPARE(info.value("file").toString(), QStringLiteral("game.bin"));
    QCOMPARE(info.value("size").toInteger(), romBytes.size());
    QVERIFY(info.value("title").isString());
    const QString sum = QStringLiteral("%1").arg(RomChecksum(romBytes), 4, 16, QLatin1Char('0')).toUpper();
    QCOMPARE(info.value("checksum").toObject().value("stored").toString(), sum);
    QCOMPARE(info.value("checksum").toObject().value("computed").toString(), sum);

    const CarData data = ReadRom(path(QStringLiteral("game.bin")));
    const QJsonArray cars = info.value("cars").toArray();
    QCOMPARE(cars.size(), 5);
    const QStringList statKeys = {"top_speed", "acceleration", "suspension", "cornering", "jumping"};
    const QStringList slotKeys = {"weapon1", "weapon2", "jump_turbo"};
    for (int car = 0; car < 5; ++car) {
        const QJsonObject object = cars[car].toObject();
        QCOMPARE(object.value("car").toInt(), car + 1);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(object.value(statKeys[k]).toInt(), quint8(data.characteristics[car][k]));
        for (int k = 0; k < 3; ++k) {
            const QJsonObject slot = object.value(slotKeys[k]).toObject();
            const int code = quint8(data.weapons[car][k]);
            QCOMPARE(slot.value("code").toInt(), code);
            QCOMPARE(slot.value("name").isNull(), code >= (k == 2 ? 2 : 6));
        }
        const QJsonObject tiles = object.value("tiles").toObject();
        const TileCounts counts = CountCarTiles(data.sprites[car]);
        QCOMPARE(tiles.value("used").toInt(), counts.used);
        QCOMPARE(tiles.value("empty").toInt(), counts.empty);
        QCOMPARE(tiles.value("used").toInt() + tiles.value("empty").toInt(), 45 * 36);
        QCOMPARE(tiles.value("duplicate").toInt(), counts.duplicate);
        QCOMPARE(tiles.value("vram_bytes").toInt(), 32 * counts.used);
        QCOMPARE(tiles.value("vram_bytes_shared").toInt(), 32 * (counts.used - counts.duplicate));
    }
    QCOMPARE(cars[0].toObject().value("weapon1").toObject().value("code").toInt(), 200);

    const QJsonArray palettes = info.value("palettes").toArray();
    QCOMPARE(palettes.size(), 11);
    QCOMPARE(palettes[0].toObject().value("name").toString(), QStringLiteral("Blue"));
    QCOMPARE(palettes[10].toObject().value("palette").toInt(), 11);
    const QRegularExpression hex(QStringLiteral("^#[0-9A-F]{6}$"));
    for (const QJsonValue &palette : palettes) {
        const QJsonArray colors = palette.toObject().value("colors").toArray();
        QCOMPARE(colors.size(), 16);
        for (const QJsonValue &color : colors)
            QVERIFY2(hex.match(color.toString()).hasMatch(), qPrintable(color.toString()));
    }
    QCOMPARE(palettes[2].toObject().value("colors").toArray()[5].toString(),
             data.palettes[2][5].name().toUpper());
}

void TestCli::exportImportRoundTrip_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("options");

    QTest::newRow("indexed sheet, all cars") << "all.png" << QStringList{"--all", "--indexed", "--palette", "Red"};
    QTest::newRow("indexed separate, one car") << "car.bmp" << QStringList{"--car", "4", "--separate", "--indexed"};
    QTest::newRow("raw, one sprite") << "sprite.bin" << QStringList{"--car", "2", "--sprite", "17"};
}

void TestCli::exportImportRoundTrip()
{
    QFETCH(QString, file);
    QFETCH(QStringList, options);

    QCOMPARE(run(QStringList{"export", "game.bin", file} + options).exitCode, 0);
    // Something else in the ROM first, so that the import has to bring the sprites back.
    const CarData before = ReadRom(path(QStringLiteral("game.bin")));
    CarData blank = before;
    for (QList<SpritePixels> &car : blank.sprites)
        for (SpritePixels &sprite : car)
            sprite.fill(0);
    QVERIFY(WriteRom(path(QStringLiteral("game.bin")), blank));
    const QByteArray blankBytes = ReadBytes(path(QStringLiteral("game.bin")));

    QString picked = file;
    if (options.contains(QStringLiteral("--separate")))
        picked = QStringLiteral("car-45.bmp");
    options.removeAll(QStringLiteral("--indexed"));
    const Run result = run(QStringList{"import", "game.bin", picked, "--output", "out.bin"} + options);
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.errLines.isEmpty(), result.errLines.value(0).constData());   // indices kept: nothing to note
    QCOMPARE(ReadBytes(path(QStringLiteral("game.bin"))), blankBytes);

    const CarData after = ReadRom(path(QStringLiteral("out.bin")));
    for (int car = 0; car < kCarCount; ++car) {
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            const bool covered = options.contains(QStringLiteral("--all"))
                                 || (car == 3 && options.contains(QStringLiteral("--separate")))
                                 || (car == 1 && sprite == 16 && options.contains(QStringLiteral("--sprite")));
            QVERIFY2(after.sprites[car][sprite] == (covered ? before : blank).sprites[car][sprite],
                     qPrintable(QStringLiteral("car %1, sprite %2").arg(car + 1).arg(sprite + 1)));
        }
    }
}

void TestCli::classicMatching_data()
{
    QTest::addColumn<bool>("dither");
    QTest::newRow("dither off") << false;
    QTest::newRow("dither on") << true;
}

void TestCli::classicMatching()
{
    // --matching classic gives what the editor's first matcher gives (its
    // recorded results are checked in tst_perceptualmatching); the default does not.
    QFETCH(bool, dither);
    const QString rose = QStringLiteral(SKM_SOURCE_DIR "/tests/core/data/rose-48.png");
    QStringList common{QStringLiteral("import"), QStringLiteral("game.bin"), rose, QStringLiteral("--car"),
                       QStringLiteral("1"), QStringLiteral("--sprite"), QStringLiteral("1")};
    if (dither)
        common << QStringLiteral("--dither");
    QCOMPARE(run(common + QStringList{QStringLiteral("--matching"), QStringLiteral("classic"), QStringLiteral("--output"),
                                      QStringLiteral("classic.bin")})
                 .exitCode,
             0);
    QCOMPARE(run(common + QStringList{QStringLiteral("--output"), QStringLiteral("perceptual.bin")}).exitCode, 0);

    const CarData rom = ReadRom(path(QStringLiteral("game.bin")));
    const QImage picture(rose);
    const std::optional<SpritePixels> classic = ConvertSpritePicture(
        picture, rom.palettes[0], DefaultBackgroundColor(), MatchOptions{dither, ColorMatching::Classic});
    const std::optional<SpritePixels> perceptual =
        ConvertSpritePicture(picture, rom.palettes[0], DefaultBackgroundColor(), MatchOptions{dither});
    QVERIFY(classic && perceptual && *classic != *perceptual);
    QCOMPARE(ReadRom(path(QStringLiteral("classic.bin"))).sprites[0][0], *classic);
    QCOMPARE(ReadRom(path(QStringLiteral("perceptual.bin"))).sprites[0][0], *perceptual);
}

void TestCli::importNotes_data()
{
    QTest::addColumn<QStringList>("exportOptions");
    QTest::addColumn<QByteArray>("note");
    // The ROM's sprites use entries 6-10, whose colours a plain picture import never gives.
    QTest::newRow("entries 6-10 in a plain picture") << QStringList{} << QByteArray("pixels have exactly the colour of palette entries 6-10");
    QTest::newRow("indexed picture of another palette") << QStringList{"--indexed", "--palette", "Red"}
                                                        << QByteArray("1 indexed picture(s) were matched by colour");
}

void TestCli::importNotes()
{
    QFETCH(QStringList, exportOptions);
    QFETCH(QByteArray, note);
    QCOMPARE(run(QStringList{"export", "game.bin", "notes.png"} + exportOptions).exitCode, 0);
    const Run result = run({"import", "game.bin", "notes.png", "--palette", "Blue", "--output", "out.bin"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.errLines.size(), 1);
    QVERIFY2(result.errLines.first().startsWith("skm-car-editor import: note: ") && result.errLines.first().contains(note),
             result.errLines.first().constData());
}

void TestCli::outputNamingTheRomSavesIntoIt()
{
    // The same import into another file and into --output naming the ROM:
    // the ROM then holds what the other file got.
    const QStringList import = {"import", "game.bin", "cars.png", "--palette", "Red", "--output"};
    QCOMPARE(run(import + QStringList{"out.bin"}).exitCode, 0);
    const QByteArray expected = ReadBytes(path(QStringLiteral("out.bin")));
    QVERIFY(expected != romBytes);
    QCOMPARE(ReadBytes(path(QStringLiteral("game.bin"))), romBytes);

    QVERIFY(QFile::remove(path(QStringLiteral("out.bin"))));
    const Run result = run(import + QStringList{"./game.bin"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.errLines.isEmpty());
    QVERIFY(ReadBytes(path(QStringLiteral("game.bin"))) == expected);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("out.bin"))));
}

void TestCli::setChangesOnlyItsBytes()
{
    const Run result = run({"set", "game.bin", "--car", "2", "--top-speed", "7", "--weapon2", "oil", "--jump-turbo",
                            "Turbo", "--output", "out.bin"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(ReadBytes(path(QStringLiteral("game.bin"))), romBytes);
    const QByteArray out = ReadBytes(path(QStringLiteral("out.bin")));
    QCOMPARE(out.size(), romBytes.size());

    CarData expected = ReadRom(path(QStringLiteral("game.bin")));
    expected.characteristics[1][0] = 7;
    expected.weapons[1][1] = 4;
    expected.weapons[1][2] = 1;
    QCOMPARE(ReadRom(path(QStringLiteral("out.bin"))), expected);
    int differing = 0;
    for (qsizetype k = 0; k < out.size(); ++k)
        differing += out[k] != romBytes[k] && k != kChecksumOffset && k != kChecksumOffset + 1;
    QVERIFY(differing <= 3);
    QCOMPARE(quint16((quint8(out[kChecksumOffset]) << 8) | quint8(out[kChecksumOffset + 1])), RomChecksum(out));
}

void TestCli::paletteImportChangesOnlyGivenEntries()
{
    CarData expected = ReadRom(path(QStringLiteral("game.bin")));
    expected.palettes[3][0] = QColor(255, 0, 0);
    expected.palettes[3][1] = QColor(0, 255, 0);
    QCOMPARE(run({"palette", "game.bin", "import", "two.gpl", "--palette", "4"}).exitCode, 0);
    QCOMPARE(ReadRom(path(QStringLiteral("game.bin"))), expected);
}

void TestCli::patchApplies()
{
    QCOMPARE(run({"set", "game.bin", "--car", "5", "--acceleration", "99", "--output", "out.bin"}).exitCode, 0);
    QCOMPARE(run({"patch", "game.bin", "out.bin", "mod.ips"}).exitCode, 0);
    QCOMPARE(IpsApplied(ReadBytes(path(QStringLiteral("mod.ips"))), romBytes), ReadBytes(path(QStringLiteral("out.bin"))));
    QCOMPARE(run({"patch", "game.bin", "out.bin", "mod.bps"}).exitCode, 0);
    QVERIFY(ReadBytes(path(QStringLiteral("mod.bps"))).startsWith("BPS1"));
}

void TestCli::smdStaysInterleaved()
{
    QByteArray header(kSmdHeaderSize, '\0');
    header[1] = 3;
    header[8] = char(0xAA);
    header[9] = char(0xBB);
    WriteTestFile(path(QStringLiteral("game.smd")), InterleaveSmd(header, romBytes));
    QCOMPARE(run({"set", "game.smd", "--car", "3", "--cornering", "42", "--output", "new.smd"}).exitCode, 0);

    const QByteArray written = ReadBytes(path(QStringLiteral("new.smd")));
    QVERIFY(written.startsWith(header));
    CarData expected = ReadRom(path(QStringLiteral("game.bin")));
    expected.characteristics[2][3] = 42;
    QByteArray plain;
    QVERIFY(DeinterleaveSmd(written, &plain));
    QCOMPARE(CarDataFromImage(plain), expected);
    QCOMPARE(RomChecksum(plain), quint16((quint8(plain[kChecksumOffset]) << 8) | quint8(plain[kChecksumOffset + 1])));
}

void TestCli::guidance_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("onError");   // said on standard error, else on standard output
    QTest::addColumn<QString>("says");

    const auto row = [](const char *name, const char *line, int status, bool onError, const char *says) {
        QTest::newRow(name) << QString::fromLatin1(line) << status << onError << QString::fromUtf8(says);
    };
    row("help lists every command", "--help", 0, false, "info, export, import, set, palette, patch, animate.");
    row("mistyped option", "export game.bin out.png --car 1 --sprit 3", 2, true,
        "Unknown option 'sprit'; did you mean --sprite?");
    row("mistyped short option", "info game.bin --jsn", 2, true, "did you mean --json?");
    row("mistyped option, dash", "set game.bin --car 1 --top-sped 3", 2, true, "did you mean --top-speed?");
    row("mistyped option of the window", "--versoin", 2, true, "did you mean --version?");
    row("far from any option", "info game.bin --colour", 2, true, "Unknown option 'colour'.");
    row("unknown palette lists them", "export game.bin out.png --palette Mauve", 2, true,
        "unknown palette \"Mauve\"; the palettes are Blue, Opponent 3, Black, Yellow, Red, Green, Opponent 2, "
        "Opponent 1, Import/Export (or a position 1 to 11)");
    row("unknown weapon lists them", "set game.bin --car 1 --weapon1 Laser", 2, true,
        "one of Exploding mine, Tracking bullet, Rocket, Bullet, Oil, Mine (any case)");
    row("unknown jump or turbo", "set game.bin --car 1 --jump-turbo Fly", 2, true, "one of Jump, Turbo");
    row("export into a folder", "export game.bin folder.bin", 2, true, "\"folder.bin\" is a folder; OUTPUT names");
    row("patch of identical files", "patch game.bin same.bin out.ips", 0, true, "are identical: the patch changes nothing");
    row("patch of an interleaved file", "patch game.smd game.bin out.bps", 0, true,
        "game.smd is interleaved (.smd) and game.bin is not");
    row("patch, interleaved second", "patch game.bin game.smd out.ips", 0, true, "game.smd is interleaved (.smd)");
    row("info interleaved", "info game.smd", 0, false, " bytes, interleaved (.smd");
    row("info interleaved, json", "info game.smd --json", 0, false, "\"interleaved\": true");
    row("info plain, json", "info game.bin --json", 0, false, "\"interleaved\": false");
}

void TestCli::guidance()
{
    QFETCH(QString, line);
    QFETCH(int, status);
    QFETCH(bool, onError);
    QFETCH(QString, says);

    WriteTestFile(path(QStringLiteral("same.bin")), romBytes);
    QByteArray header(kSmdHeaderSize, '\0');
    header[1] = 3;
    header[8] = char(0xAA);
    header[9] = char(0xBB);
    WriteTestFile(path(QStringLiteral("game.smd")), InterleaveSmd(header, romBytes));

    const Run result = run(line.split(QLatin1Char(' ')));
    QCOMPARE(result.exitCode, status);
    const QString text = QString::fromUtf8(onError ? result.errLines.join('\n') : result.out);
    QVERIFY2(text.contains(says), qPrintable(text));
    if (status == 0 && onError)   // a warning, and still the work done
        QVERIFY(QFileInfo::exists(path(line.section(QLatin1Char(' '), -1))));
    if (!onError)
        QVERIFY2(result.errLines.isEmpty(), result.errLines.join('\n').constData());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
