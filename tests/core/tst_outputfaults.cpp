#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include "car/equipment.h"
#include "common/testrom.h"
#include "document/cardocument.h"
#include "rom/outputfile.h"
#include "rom/romreader.h"

// Every file the program writes, under every fault we can cause: the real
// program runs as a helper process under strace (injected write, fsync and
// rename errors) or as another user (setpriv: a folder it may not write), or
// aims at the open ROM under another name. Whatever happens, every existing
// file is as it was, the program says once what failed and why, and no
// temporary file is left.
class TestOutputFaults : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString work;            // the helper's folder, readable by anyone
    QByteArray romBytes;     // game.bin as every row starts
    bool canTrace = false;   // strace can inject here (not in every container)

    struct Run
    {
        int status = -1;
        QList<QByteArray> errLines;
    };

    QString path(const QString &name) const { return QDir(work).filePath(name); }

    Run run(const QStringList &command)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        // In the sanitizer build: the leak checker cannot run under strace's
        // ptrace, and would add its own lines to the one error line checked.
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(work);
        process.start(command.first(), command.mid(1));
        Run result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        for (const QByteArray &line : process.readAllStandardError().split('\n')) {
            if (!line.isEmpty() && !line.startsWith("QStandardPaths:"))
                result.errLines << line;
        }
        return result;
    }

    QStringList Temporaries() const
    {
        return QDir(work).entryList({QStringLiteral(".*.skm-*")}, QDir::Files | QDir::Hidden);
    }

private slots:
    void initTestCase();
    void init();
    void matrix_data();
    void matrix();
    void copyOfTheOpenRom_data();
    void copyOfTheOpenRom();
    void twoWritersKeepBothChanges();
    void sparseRomOnFullDisk();
    void inPlaceFaults_data();
    void inPlaceFaults();
    void smallerCases_data();
    void smallerCases();
};

void TestOutputFaults::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QFileInfo(QStringLiteral(SKM_PROGRAM)).isExecutable());
    // Readable (not writable) for the user setpriv switches to.
    work = dir.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(work));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                          | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    QByteArray image = RandomRomImage(17);
    image.replace(0x100, 4, "SEGA");
    romBytes = image;
    QProcess probe;
    probe.start(QStringLiteral("strace"), {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")});
    canTrace = probe.waitForFinished() && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

void TestOutputFaults::init()
{
    QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                    | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    QDir(work).removeRecursively();
    QVERIFY(QDir().mkpath(work));
    QFile::setPermissions(work, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                    | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    WriteTestFile(path(QStringLiteral("game.bin")), romBytes);
    QByteArray modified = romBytes;
    modified[0x300] = char(modified.at(0x300) ^ 0x5A);
    WriteTestFile(path(QStringLiteral("mod.bin")), modified);
}

void TestOutputFaults::matrix_data()
{
    QTest::addColumn<QString>("command");    // the subcommand; OUT stands for the target's name
    QTest::addColumn<QString>("target");     // the file it writes
    QTest::addColumn<QString>("fault");      // strace injection, "setpriv", or how the target is the ROM
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");

    struct Path
    {
        const char *name;
        const char *command;
        const char *target;
    };
    const Path paths[] = {
        {"picture", "export game.bin OUT --car 1 --sprite 1", "out.png"},
        {"sheet", "export game.bin OUT --car 2", "out.png"},
        {"numbered set", "export game.bin OUT --car 1 --separate", "out.png"},
        {"raw", "export game.bin OUT --car 1 --sprite 3", "out.bin"},
        {"palette file", "palette game.bin export OUT --palette 2", "out.gpl"},
        {"IPS", "patch game.bin mod.bin OUT", "out.ips"},
        {"BPS", "patch game.bin mod.bin OUT", "out.bps"},
        {"--output", "set game.bin --car 1 --top-speed 5 --output OUT", "out.bin"},
    };
    struct Fault
    {
        const char *name;
        const char *fault;
        int status;
        const char *reason;
    };
    const Fault faults[] = {
        {"ENOSPC on the first write", "inject=write:error=ENOSPC:when=1", 1, "No space left on device"},
        {"ENOSPC at the final flush", "inject=fsync:error=ENOSPC:when=1", 1, "No space left on device"},
        {"EIO on fsync", "inject=fsync:error=EIO:when=1", 1, "Input/output error"},
        {"failing rename", "inject=rename,renameat2:error=EROFS:when=1", 1, "Read-only file system"},
        {"unwritable folder", "setpriv", 1, "Permission denied"},
        {"ROM by symlink", "symlink", 1, "open ROM"},
        {"ROM by hard link", "hardlink", 1, "open ROM"},
        {"ROM by name", "name", 2, "ROM itself"},
    };
    for (const Path &p : paths) {
        for (const Fault &f : faults) {
            // --output naming the ROM itself is documented as no --output at all.
            // A patch named like the ROM fails its suffix first.
            if (QByteArray(f.name) == "ROM by name"
                && (QByteArray(p.name) == "--output" || QByteArray(p.command).startsWith("patch")))
                continue;
            QTest::addRow("%s, %s", p.name, f.name) << QString::fromLatin1(p.command) << QString::fromLatin1(p.target)
                                                    << QString::fromLatin1(f.fault) << f.status << QByteArray(f.reason);
        }
    }
    // A set renamed part-way: the renames already made are taken back.
    QTest::newRow("numbered set, third rename fails")
        << "export game.bin OUT --car 1 --separate" << "out.png" << "inject=rename,renameat2:error=EIO:when=3" << 1
        << QByteArray("Input/output error");
    // The ROM is one of the numbered names.
    QTest::newRow("numbered set, ROM by numbering")
        << "export out-07.png OUT --car 1 --separate" << "out.png" << "numbering" << 1 << QByteArray("open ROM");
}

void TestOutputFaults::matrix()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(QByteArray, reason);

    // What the target's names hold before: old contents, or the ROM.
    const bool numbered = command.contains(QLatin1String("--separate"));
    QStringList targets{target};
    if (numbered) {
        targets.clear();
        for (int i = 1; i <= 45; ++i)
            targets << QStringLiteral("out-%1.png").arg(i, 2, 10, QLatin1Char('0'));
    }
    for (const QString &name : std::as_const(targets))
        WriteTestFile(path(name), "old " + name.toUtf8());
    const QString rom = path(QStringLiteral("game.bin"));
    if (fault == QLatin1String("symlink") || fault == QLatin1String("hardlink")) {
        QFile::remove(path(targets.first()));
        const bool linked = fault == QLatin1String("symlink")
                                ? QFile::link(QStringLiteral("game.bin"), path(targets.first()))
                                : ::link(QFile::encodeName(rom).constData(), QFile::encodeName(path(targets.first())).constData()) == 0;
        QVERIFY(linked);
    } else if (fault == QLatin1String("name")) {
        target = QStringLiteral("game.bin");
    } else if (fault == QLatin1String("numbering")) {
        WriteTestFile(path(QStringLiteral("out-07.png")), romBytes);
    }
    QMap<QString, QByteArray> before;
    for (const QString &name : QDir(work).entryList(QDir::Files))
        before[name] = ReadBytes(path(name));

    QStringList line{QStringLiteral(SKM_PROGRAM)};
    line += command.replace(QLatin1String("OUT"), target).split(QLatin1Char(' '));
    if (fault.startsWith(QLatin1String("inject="))) {
        if (!canTrace)
            QSKIP("strace cannot trace here (no ptrace permission)");
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizer's runtime makes write calls of its own before the
        // program's, so "the first write" is not the picture's there.
        if (fault.startsWith(QLatin1String("inject=write:")))
            QSKIP("the first write of a sanitized process is the sanitizer's own");
#endif
        line = QStringList{QStringLiteral("strace"), QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                           QStringLiteral("-e"), fault} + line;
    } else if (fault == QLatin1String("setpriv")) {
        QFile::setPermissions(work, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther
                                        | QFile::ReadGroup | QFile::ExeGroup);
        if (::geteuid() == 0)   // root writes anywhere: run as nobody
            line = QStringList{QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups")} + line;
    }

    const Run result = run(line);
    QCOMPARE(result.status, status);
    QCOMPARE(result.errLines.size(), 1);
    QVERIFY2(result.errLines.first().contains(reason), result.errLines.first().constData());
    if (status == 1)
        QVERIFY2(result.errLines.first().contains("out"), result.errLines.first().constData());
    // Nothing changed, nothing added, nothing left behind.
    QMap<QString, QByteArray> after;
    for (const QString &name : QDir(work).entryList(QDir::Files))
        after[name] = ReadBytes(path(name));
    QCOMPARE(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    QCOMPARE(Temporaries(), QStringList());
}

void TestOutputFaults::copyOfTheOpenRom_data()
{
    QTest::addColumn<bool>("symbolic");
    QTest::newRow("symbolic link") << true;
    QTest::newRow("hard link") << false;
}

// Save a Copy As writes the document's bytes with the output writer: another
// name of the open ROM is refused, naming both.
void TestOutputFaults::copyOfTheOpenRom()
{
    QFETCH(bool, symbolic);
    const QString rom = path(QStringLiteral("game.bin"));
    const QString copy = path(QStringLiteral("copy.bin"));
    QVERIFY(symbolic ? QFile::link(rom, copy) : ::link(QFile::encodeName(rom).constData(), QFile::encodeName(copy).constData()) == 0);
    CarDocument document;
    document.Open(rom);
    DocumentTables changed = document.tables();
    changed.characteristics[0][0] = char(changed.characteristics[0][0] + 1);
    QVERIFY(document.Change(QStringLiteral("change"), {}, changed));
    const Result<void> written = WriteOutputFile(copy, document.bytesToSave());
    QVERIFY(!written);
    QVERIFY2(written.message().contains(QLatin1String("copy.bin")) && written.message().contains(QLatin1String("game.bin")),
             qPrintable(written.message()));
    QCOMPARE(ReadBytes(rom), romBytes);
}

// Two commands on one ROM at once: the second waits for the first and works
// on what it saved, thirty times over.
void TestOutputFaults::twoWritersKeepBothChanges()
{
    const QString program = QStringLiteral(SKM_PROGRAM);
    QCOMPARE(run({program, QStringLiteral("export"), QStringLiteral("game.bin"), QStringLiteral("s.png"),
                  QStringLiteral("--car"), QStringLiteral("1"), QStringLiteral("--sprite"), QStringLiteral("7")})
                 .status,
             0);
    // The import alone, for the sprite it makes.
    WriteTestFile(path(QStringLiteral("r.bin")), romBytes);
    const QStringList import = {QStringLiteral("import"), QStringLiteral("r.bin"), QStringLiteral("s.png"),
                                QStringLiteral("--car"), QStringLiteral("3"), QStringLiteral("--sprite"), QStringLiteral("7")};
    QCOMPARE(run(QStringList{program} + import).status, 0);
    const SpritePixels imported = CarDataFromImage(ReadBytes(path(QStringLiteral("r.bin")))).sprites[2][6];
    QVERIFY(imported != CarDataFromImage(romBytes).sprites[2][6]);
    for (int i = 0; i < 30; ++i) {
        WriteTestFile(path(QStringLiteral("r.bin")), romBytes);
        QProcess importing;
        QProcess set;
        importing.setWorkingDirectory(work);
        set.setWorkingDirectory(work);
        importing.start(program, import);
        set.start(program, {QStringLiteral("set"), QStringLiteral("r.bin"), QStringLiteral("--car"), QStringLiteral("2"),
                            QStringLiteral("--top-speed"), QStringLiteral("201")});
        QVERIFY(importing.waitForFinished(60000) && set.waitForFinished(60000));
        QCOMPARE(importing.exitCode(), 0);
        QCOMPARE(set.exitCode(), 0);
        const CarData saved = CarDataFromImage(ReadBytes(path(QStringLiteral("r.bin"))));
        QCOMPARE(quint8(saved.characteristics[1][0]), quint8(201));
        QVERIFY2(saved.sprites[2][6] == imported, qPrintable(QStringLiteral("run %1").arg(i)));
    }
}

// A sparse ROM on a full tmpfs: no room for a copy, so it would be written in
// place, and the blocks for that are not there either. Refused before any
// byte changed.
void TestOutputFaults::sparseRomOnFullDisk()
{
    QByteArray header(0x200, '\0');
    header.replace(0x100, 4, "SEGA");
    WriteTestFile(path(QStringLiteral("sparse-source.bin")), header);
    const QString script = QStringLiteral(
        "set -e; mount -t tmpfs -o size=256k tmpfs disk; "
        "truncate -s 1048576 disk/rom.bin; dd if=sparse-source.bin of=disk/rom.bin conv=notrunc status=none; "
        "cp disk/rom.bin before.bin; dd if=/dev/zero of=disk/filler bs=4k status=none 2>/dev/null || true; "
        "set +e; \"%1\" set disk/rom.bin --car 1 --top-speed 5 2>err.txt; echo $? > status.txt; "
        "cmp -s disk/rom.bin before.bin; echo $? > same.txt; ls -a disk > listing.txt");
    QVERIFY(QDir(work).mkdir(QStringLiteral("disk")));
    QProcess process;
    process.setWorkingDirectory(work);
    process.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("bash"), QStringLiteral("-c"),
                                              script.arg(QStringLiteral(SKM_PROGRAM))});
    QVERIFY(process.waitForFinished(60000));
    if (process.exitCode() != 0 || !QFileInfo::exists(path(QStringLiteral("status.txt"))))
        QSKIP("no permission to mount a tmpfs here (unshare -rm)");
    QCOMPARE(ReadBytes(path(QStringLiteral("status.txt"))).trimmed(), QByteArray("1"));
    QCOMPARE(ReadBytes(path(QStringLiteral("same.txt"))).trimmed(), QByteArray("0"));
    const QByteArray error = ReadBytes(path(QStringLiteral("err.txt")));
    QVERIFY2(error.count('\n') == 1 && error.contains("rom.bin") && error.contains("No space left on device"), error.constData());
    QVERIFY2(!ReadBytes(path(QStringLiteral("listing.txt"))).contains(".skm-"), ReadBytes(path(QStringLiteral("listing.txt"))).constData());
}

void TestOutputFaults::inPlaceFaults_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("allNew");   // the file holds the new bytes whole

    // The checksum is the first changed range, the characteristics byte the second.
    QTest::newRow("second write fails") << "inject=pwrite64:error=EIO:when=2"
                                        << QByteArray("game.bin was partly written: Input/output error") << false;
    QTest::newRow("fsync after a complete write fails") << "inject=fsync:error=EIO:when=1"
                                                        << QByteArray("\"game.bin\": Input/output error") << true;
}

// A hard-linked ROM is written in place; a failure says what it did to the file.
void TestOutputFaults::inPlaceFaults()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, line);
    QFETCH(bool, allNew);
    if (!canTrace)
        QSKIP("strace cannot trace here (no ptrace permission)");
    const QString rom = path(QStringLiteral("game.bin"));
    QVERIFY(::link(QFile::encodeName(rom).constData(), QFile::encodeName(path(QStringLiteral("link.bin"))).constData()) == 0);
    const QStringList set = {QStringLiteral("set"), QStringLiteral("game.bin"), QStringLiteral("--car"), QStringLiteral("1"),
                             QStringLiteral("--top-speed"), QString::number(ByteAt(CarDataFromImage(romBytes).characteristics[0], TopSpeed) ^ 0x55)};
    const Run result = run(QStringList{QStringLiteral("strace"), QStringLiteral("-f"), QStringLiteral("-o"),
                                       QStringLiteral("/dev/null"), QStringLiteral("-e"), fault, QStringLiteral(SKM_PROGRAM)}
                           + set);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.errLines.size(), 1);
    QVERIFY2(result.errLines.first().contains(line), result.errLines.first().constData());
    const QByteArray partly = ReadBytes(rom);
    QVERIFY(partly != romBytes);
    QCOMPARE(run(QStringList{QStringLiteral(SKM_PROGRAM)} + set).status, 0);
    QCOMPARE(partly == ReadBytes(rom), allNew);
}

void TestOutputFaults::smallerCases_data()
{
    QTest::addColumn<QString>("shell");   // run by bash in the work folder; PROGRAM is the program
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("line");

    QTest::newRow("--output \"\"") << "PROGRAM set game.bin --car 1 --top-speed 5 --output ''" << 2
                                   << QByteArray("--output needs a value");
    QTest::newRow("--output=") << "PROGRAM set game.bin --car 1 --top-speed 5 --output=" << 2
                               << QByteArray("--output needs a value");
    QTest::newRow("file-size limit") << "ulimit -f 64; PROGRAM set game.bin --car 1 --top-speed 5 --output big.bin" << 1
                                     << QByteArray("big.bin\": File too large");
    QTest::newRow("standard output full") << "PROGRAM info game.bin --json > /dev/full" << 1
                                          << QByteArray("No space left on device");
    QTest::newRow("no display") << "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PROGRAM game.bin" << 2
                                << QByteArray("no display: set DISPLAY, or use a subcommand; see --help");
    QTest::newRow("stale temporary removed") << "touch .out.png.skm-AbC123; PROGRAM export game.bin out.png --car 1 "
                                                "--sprite 1 && test ! -e .out.png.skm-AbC123"
                                             << 0 << QByteArray();
    QTest::newRow("dangling link written where it points")
        << "ln -s sub/new.png link.png; mkdir sub; PROGRAM export game.bin link.png --car 1 --sprite 1 && test -L "
           "link.png && test -s sub/new.png"
        << 0 << QByteArray();
    // Standard output is the helper's pipe here; a device is not a file either.
    QTest::newRow("--output /dev/stdout, a pipe") << "PROGRAM set game.bin --car 1 --top-speed 5 --output /dev/stdout" << 1
                                                  << QByteArray("\"/dev/stdout\": it is a pipe, not a file this program writes");
    QTest::newRow("--output /dev/null, a device") << "PROGRAM set game.bin --car 1 --top-speed 5 --output /dev/null" << 1
                                                  << QByteArray("\"/dev/null\": it is a device, not a file this program writes");
    QTest::newRow("export to a FIFO") << "mkfifo out.png; PROGRAM export game.bin out.png --car 1 --sprite 1; s=$?; rm out.png; exit $s"
                                      << 1 << QByteArray("out.png\": it is a pipe, not a file this program writes");
    const QString longName = QString(240, QLatin1Char('n')) + QStringLiteral(".png");
    QTest::newRow("long name overwritten")
        << QStringLiteral("PROGRAM export game.bin %1 --car 1 --sprite 1 && PROGRAM export game.bin %1 --car 1 --sprite 2")
               .arg(longName)
        << 0 << QByteArray();
}

void TestOutputFaults::smallerCases()
{
    QFETCH(QString, shell);
    QFETCH(int, status);
    QFETCH(QByteArray, line);

    const Run result = run({QStringLiteral("bash"), QStringLiteral("-c"),
                            shell.replace(QLatin1String("PROGRAM"), QStringLiteral("'" SKM_PROGRAM "'"))});
    QCOMPARE(result.status, status);
    if (status == 0) {
        QVERIFY2(result.errLines.isEmpty(), result.errLines.value(0).constData());
    } else {
        QCOMPARE(result.errLines.size(), 1);
        QVERIFY2(result.errLines.first().contains(line), result.errLines.first().constData());
    }
    QCOMPARE(ReadBytes(path(QStringLiteral("game.bin"))), romBytes);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("big.bin"))));
    QCOMPARE(Temporaries(), QStringList());
}

QTEST_GUILESS_MAIN(TestOutputFaults)
#include "tst_outputfaults.moc"
