// Play-tests: the command line of the emulator, which emulator is chosen, the
// ROM it is given, and the runner with a stand-in emulator (a shell script
// that records its arguments and copies the ROM it was handed, or hands the
// game to processes of its own).
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "common/testrom.h"
#include "document/cardocument.h"
#include "external/commandline.h"
#include "external/emulatorchoice.h"
#include "external/playtestrunner.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"
#ifdef SKM_HAVE_DEMOROM
#include "demorom.h"
#endif

namespace {

const QString kPath = QStringLiteral("/tmp/my roms/it's \"game\" $1.bin");

// An executable shell script at path with body after the #! line.
QString WriteScript(const QString &path, const QString &body)
{
    WriteTestFile(path, QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

// Whether process pid runs: /proc has it and it is not an ended process
// nobody waited for (a zombie).
bool Runs(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype end = text.lastIndexOf(')');
    return end > 0 && text.size() > end + 2 && text.at(end + 2) != 'Z' && text.at(end + 2) != 'X';
}

// The number a stand-in wrote into file once it is there.
qint64 WaitForPid(const QString &file)
{
    qint64 pid = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 10000 && (pid = ReadBytes(file).trimmed().toLongLong()) <= 0)
        QTest::qWait(20);
    return pid;
}

// A 1 MiB plain image with a header, made of whole .smd blocks.
QByteArray PlainImage()
{
    QByteArray image = RandomBytes(1024 * 1024, 7);
    image.replace(0x100, 4, "SEGA");
    return image;
}

}  // namespace

class TestPlayTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        // Whatever an emulator keeps goes into the test's folder.
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
        qputenv("SDL_VIDEODRIVER", "dummy");
        qputenv("SDL_AUDIODRIVER", "dummy");
    }

    void commandForFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("words");   // empty: a failure naming `problem`
        QTest::addColumn<QString>("problem");

        const QString p = kPath;
        QTest::newRow("plain") << "blastem %f" << QStringList{"blastem", p} << "";
        QTest::newRow("blanks") << "  mednafen \t -force_module  md %f " << QStringList{"mednafen", "-force_module", "md", p} << "";
        QTest::newRow("inside a word") << "emu --rom=%f" << QStringList{"emu", "--rom=" + p} << "";
        QTest::newRow("quoted %f") << "emu '%f' \"%f\"" << QStringList{"emu", p, p} << "";
        QTest::newRow("no %f: appended") << "emu -x" << QStringList{"emu", "-x", p} << "";
        QTest::newRow("quoted program") << "'/opt/my emu/run' %f" << QStringList{"/opt/my emu/run", p} << "";
        QTest::newRow("double quote escapes") << "emu \"a \\\"b\\\" \\\\ \\$x c:\\dir\" %f"
                                              << QStringList{"emu", "a \"b\" \\ $x c:\\dir", p} << "";
        QTest::newRow("backslash outside") << "emu a\\ b \\'c %f" << QStringList{"emu", "a b", "'c", p} << "";
        QTest::newRow("empty words") << "emu '' \"\" %f" << QStringList{"emu", "", "", p} << "";
        QTest::newRow("percent") << "emu 100%% %x %f" << QStringList{"emu", "100%", "%x", p} << "";
        QTest::newRow("no shell") << "emu $HOME;rm `x` %f|cat" << QStringList{"emu", "$HOME;rm", "`x`", p + "|cat"} << "";
        QTest::newRow("open single quote") << "emu 'open %f" << QStringList{} << "single quote";
        QTest::newRow("open double quote") << "emu \"open" << QStringList{} << "double quote";
        QTest::newRow("empty") << "" << QStringList{} << "empty";
        QTest::newRow("blank") << " \t " << QStringList{} << "empty";
        QTest::newRow("final backslash") << "emu \\" << QStringList{} << "backslash";
    }

    void commandForFile()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, words);
        QFETCH(QString, problem);
        const Result<QStringList> result = CommandForFile(command, kPath);
        if (words.isEmpty()) {
            QVERIFY(!result);
            QVERIFY2(result.message().contains(problem), qPrintable(result.message()));
            QVERIFY(!SplitCommand(command));
        } else {
            QVERIFY2(result, qPrintable(result.message()));
            QCOMPARE(*result, words);
        }
    }

    void emulatorChoice_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("chosen");   // empty: the failure

        QTest::newRow("setting wins") << "  my-emu --x %f " << QStringList{"blastem"} << "my-emu --x %f";
        QTest::newRow("blastem first") << "" << QStringList{"mame", "blastem"} << "blastem %f";
        QTest::newRow("mednafen before mame") << "" << QStringList{"mame", "mednafen"} << "mednafen -force_module md %f";
        QTest::newRow("mame") << "" << QStringList{"mame"} << "mame genesis -cart %f";
        QTest::newRow("not executable") << "" << QStringList{"-blastem"} << "";
        QTest::newRow("none") << "" << QStringList{} << "";
    }

    void emulatorChoice()
    {
        QFETCH(QString, setting);
        QFETCH(QStringList, installed);
        QFETCH(QString, chosen);
        QTemporaryDir bin;
        for (const QString &name : installed) {
            if (name.startsWith('-'))
                WriteTestFile(bin.filePath(name.mid(1)), "#!/bin/sh\n");   // no execute bit
            else
                WriteScript(bin.filePath(name), "exit 0");
        }
        const Result<QString> command = EmulatorCommand(setting, {bin.path()});
        if (chosen.isEmpty()) {
            QVERIFY(!command);
            for (const char *named : {"blastem, mednafen or mame", "Edit > Preferences..."})
                QVERIFY2(command.message().contains(named), qPrintable(command.message()));
        } else {
            QCOMPARE(command.message(), QString());
            QCOMPARE(*command, chosen);
        }
    }

    // An .smd document plays as the plain image a plain document of the same
    // ROM would save: unsaved changes in, offsets baked, checksum fixed.
    void playTestImage()
    {
        const QByteArray plain = PlainImage();
        QByteArray header(kSmdHeaderSize, '\0');
        header[1] = 0x03;
        header[8] = char(0xAA);
        header[9] = char(0xBB);
        CarDocument asPlain, asSmd;
        asPlain.Open(WriteTestFile(dir.filePath(QStringLiteral("game.bin")), plain));
        asSmd.Open(WriteTestFile(dir.filePath(QStringLiteral("game.smd")), InterleaveSmd(header, plain)));
        QCOMPARE(asSmd.smdHeader(), header);
        for (CarDocument *document : {&asPlain, &asSmd}) {
            DocumentTables after = document->tables();
            after.sprites[0][0][0] = (after.sprites[0][0][0] + 1) % 16;
            after.offsets[1][2] = QPoint(2, -1);
            QVERIFY(document->Change(QStringLiteral("edit"), {}, after));
        }
        const Result<QByteArray> played = PlayTestImage(asSmd);
        QVERIFY(played);
        QCOMPARE(*played, asPlain.bytesToSave());
        QCOMPARE(*PlayTestImage(asPlain), asPlain.bytesToSave());
        QCOMPARE(quint16((uchar(played->at(kChecksumOffset)) << 8) | uchar(played->at(kChecksumOffset + 1))),
                 RomChecksum(*played));
        QVERIFY(*played != plain);
    }

    void runnerHandsTheCopy()
    {
        const QString record = dir.filePath(QStringLiteral("args.txt"));
        const QString copied = dir.filePath(QStringLiteral("copied.bin"));
        const QString script = WriteScript(dir.filePath(QStringLiteral("stand in emulator")),
                                           QStringLiteral("printf '%s\\n' \"$@\" > '%1'\nfor a; do last=$a; done\n"
                                                          "cp \"${last#--rom=}\" '%2'")
                                               .arg(record, copied));
        const QByteArray rom = RandomBytes(4096, 3);
        PlayTestRunner runner;
        QSignalSpy finished(&runner, &PlayTestRunner::finished);
        QSignalSpy failed(&runner, &PlayTestRunner::failed);
        const Result<void> started = runner.Start(rom, QStringLiteral("'%1' --fast --rom=%f").arg(script), "/x/game.smd");
        QVERIFY2(started, qPrintable(started.message()));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
        QCOMPARE(failed.count(), 0);

        const QString copy = QString::fromUtf8(ReadBytes(record)).section('\n', 1, 1).mid(6);
        QCOMPARE(ReadBytes(record), QStringLiteral("--fast\n--rom=%1\n").arg(copy).toUtf8());
        QCOMPARE(QFileInfo(copy).fileName(), QStringLiteral("game-play-1.bin"));
        QVERIFY2(QFileInfo(copy).absolutePath().startsWith(QDir::temp().filePath(QStringLiteral("skm-play-"))),
                 qPrintable(copy));
        QCOMPARE(ReadBytes(copied), rom);
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFileInfo::exists(QFileInfo(copy).absolutePath()));
        QCOMPARE(runner.running(), 0);
        QCOMPARE(runner.copies(), QStringList());
    }

    void runnerFailures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QStringList>("message");

        QTest::newRow("missing program") << "no-such-emulator-xyz %f" << false
                                         << QStringList{"no-such-emulator-xyz", "not installed"};
        QTest::newRow("missing path") << "/no/such/emulator %f" << false << QStringList{"/no/such/emulator"};
        QTest::newRow("open quote") << "emu 'x %f" << false << QStringList{"single quote"};
        QTest::newRow("exits 1 at once") << "'%1/fails' %f" << true
                                         << QStringList{"\"fails\" stopped with status 1", "line 5\nbad ROM"};
        QTest::newRow("crashes at once") << "'%1/crashes' %f" << true << QStringList{"\"crashes\" crashed."};
        // After its first dialog, say: an end is told whenever it comes.
        QTest::newRow("exits 3 after 2.5 s") << "'%1/fails-late' %f" << true
                                             << QStringList{"\"fails-late\" stopped with status 3", "no audio device"};

    }

    void runnerFailures()
    {
        QFETCH(QString, command);
        QFETCH(bool, starts);
        QFETCH(QStringList, message);
        WriteScript(dir.filePath(QStringLiteral("fails")),
                    QStringLiteral("for i in 1 2 3 4 5; do echo line $i >&2; done; echo bad ROM >&2; exit 1"));
        WriteScript(dir.filePath(QStringLiteral("crashes")), QStringLiteral("kill -SEGV $$"));
        WriteScript(dir.filePath(QStringLiteral("fails-late")),
                    QStringLiteral("sleep 2.5; echo 'no audio device' >&2; exit 3"));
        PlayTestRunner runner;
        QSignalSpy failed(&runner, &PlayTestRunner::failed);
        const Result<void> started = runner.Start("rom", QString(command).replace("%1", dir.path()), QStringLiteral("game.bin"));
        QCOMPARE(bool(started), starts);
        QString text = started.message();
        if (starts) {
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 20000);
            text = failed.at(0).at(0).toString();
        }
        for (const QString &part : message)
            QVERIFY2(text.contains(part), qPrintable(text));
        QTRY_COMPARE(runner.copies(), QStringList());
    }

    // Several runs at once; the runner's end ends them and removes their copies.
    void runnerEndsItsRuns()
    {
        const QString script = WriteScript(dir.filePath(QStringLiteral("plays")), QStringLiteral("exec sleep 60"));
        auto runner = std::make_unique<PlayTestRunner>();
        QVERIFY(runner->Start("one", script, "game.bin"));
        QVERIFY(runner->Start("two", script, "game.bin"));
        QCOMPARE(runner->running(), 2);
        const QStringList copies = runner->copies();
        QCOMPARE(copies.size(), 2);
        QCOMPARE(ReadBytes(copies.at(0)) + ReadBytes(copies.at(1)), QByteArray("onetwo"));
        runner.reset();
        for (const QString &copy : copies)
            QVERIFY(!QFileInfo::exists(QFileInfo(copy).absolutePath()));
    }

    void groupKeepsItsCopy_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("exitCode");
        // The emulator hands the game to a process of its own and ends.
        QTest::newRow("forks and exits 0") << "(sleep 1; cp \"$1\" copied.bin) &\nexit 0" << 0;
        QTest::newRow("forks twice and exits 4") << "sh -c '(sleep 1; cp \"$0\" copied.bin) &' \"$1\"\nexit 4" << 4;
    }

    // The copy stays until the last process of the group has read it.
    void groupKeepsItsCopy()
    {
        QFETCH(QString, body);
        QFETCH(int, exitCode);
        QTemporaryDir here;
        const QString script = WriteScript(here.filePath(QStringLiteral("emu")), QStringLiteral("cd '%1'\n%2").arg(here.path(), body));
        const QByteArray rom = RandomBytes(2048, 11);
        PlayTestRunner runner;
        QSignalSpy finished(&runner, &PlayTestRunner::finished);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(runner.Start(rom, script, QStringLiteral("game.bin")));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QVERIFY2(clock.elapsed() >= 900, "the run ended before the process it started");
        QCOMPARE(finished.at(0).at(0).toInt(), exitCode);
        QCOMPARE(ReadBytes(here.filePath(QStringLiteral("copied.bin"))), rom);
        QCOMPARE(runner.running(), 0);
        QCOMPARE(runner.copies(), QStringList());
    }

    void endsTheWholeGroup_data()
    {
        QTest::addColumn<bool>("leaderStays");
        QTest::newRow("emulator and its child ignore SIGTERM") << true;
        QTest::newRow("emulator gone, its child ignores SIGTERM") << false;
    }

    // The runner's end ends every process of the group, those that ignore
    // SIGTERM too, and only then removes the copy.
    void endsTheWholeGroup()
    {
        QFETCH(bool, leaderStays);
        QTemporaryDir here;
        const QString leaderPid = here.filePath(QStringLiteral("leader.pid"));
        const QString childPid = here.filePath(QStringLiteral("child.pid"));
        const QString script = WriteScript(
            here.filePath(QStringLiteral("emu")),
            QStringLiteral("trap '' TERM\n"
                           "sh -c 'trap \"\" TERM; echo $$ > \"%2\"; while :; do sleep 0.1; done' &\n"
                           "echo $$ > '%1'\n%3")
                .arg(leaderPid, childPid, leaderStays ? QStringLiteral("while :; do sleep 0.1; done") : QString()));
        auto runner = std::make_unique<PlayTestRunner>();
        QVERIFY(runner->Start("rom", script, QStringLiteral("game.bin")));
        const qint64 leader = WaitForPid(leaderPid);
        const qint64 child = WaitForPid(childPid);
        QVERIFY(leader > 0 && child > 0);
        if (!leaderStays)
            QTRY_VERIFY(!Runs(leader));
        QTest::qWait(300);
        // Still running: the run and its copy stay.
        QCOMPARE(runner->running(), 1);
        const QStringList copies = runner->copies();
        QCOMPARE(copies.size(), 1);
        QCOMPARE(ReadBytes(copies.first()), QByteArray("rom"));

        QElapsedTimer clock;
        clock.start();
        runner.reset();
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(!Runs(child), 2000);
        QVERIFY(!Runs(leader));
        QVERIFY(!QFileInfo::exists(QFileInfo(copies.first()).absolutePath()));
    }

    // The real emulator, headless, on a play-test copy of the demo ROM.
    void blastemSmoke()
    {
#ifdef SKM_HAVE_DEMOROM
        if (!FindProgram(QStringLiteral("blastem")))
            QSKIP("blastem is not installed");
        const QString path = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(path, CarDataFromImage(PlainImage())));
        CarDocument document;
        document.Open(path);
        PlayTestRunner runner;
        QSignalSpy finished(&runner, &PlayTestRunner::finished);
        QSignalSpy failed(&runner, &PlayTestRunner::failed);
        QVERIFY(runner.Start(*PlayTestImage(document), QStringLiteral("blastem -b 300 %f"), path));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 60000);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
#else
        QSKIP("the demo ROM writer is not built");
#endif
    }
};

QTEST_GUILESS_MAIN(TestPlayTest)
#include "tst_playtest.moc"
