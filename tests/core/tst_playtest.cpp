// Play-tests: the command line of the emulator, which emulator is chosen, the
// ROM it is given, and the runner with a stand-in emulator (a shell script
// that records its arguments and copies the ROM it was handed).
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

        const QString copy = QDir(runner.folder()).filePath(QStringLiteral("game-play-1.bin"));
        QCOMPARE(ReadBytes(record), QStringLiteral("--fast\n--rom=%1\n").arg(copy).toUtf8());
        QCOMPARE(ReadBytes(copied), rom);
        QVERIFY(!QFile::exists(copy));
        QCOMPARE(runner.running(), 0);
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
                                         << QStringList{"\"fails\" stopped at once with status 1", "line 5\nbad ROM"};
        QTest::newRow("crashes at once") << "'%1/crashes' %f" << true << QStringList{"\"crashes\" crashed at once"};
    }

    void runnerFailures()
    {
        QFETCH(QString, command);
        QFETCH(bool, starts);
        QFETCH(QStringList, message);
        WriteScript(dir.filePath(QStringLiteral("fails")),
                    QStringLiteral("for i in 1 2 3 4 5; do echo line $i >&2; done; echo bad ROM >&2; exit 1"));
        WriteScript(dir.filePath(QStringLiteral("crashes")), QStringLiteral("kill -SEGV $$"));
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
        QTRY_VERIFY(runner.folder().isEmpty() || QDir(runner.folder()).isEmpty());
    }

    // Several runs at once; the runner's end ends them and removes their copies.
    void runnerEndsItsRuns()
    {
        const QString script = WriteScript(dir.filePath(QStringLiteral("plays")), QStringLiteral("exec sleep 60"));
        auto runner = std::make_unique<PlayTestRunner>();
        QVERIFY(runner->Start("one", script, "game.bin"));
        QVERIFY(runner->Start("two", script, "game.bin"));
        QCOMPARE(runner->running(), 2);
        QCOMPARE(QDir(runner->folder()).entryList(QDir::Files).size(), 2);
        const QString folder = runner->folder();
        runner.reset();
        QVERIFY(!QFileInfo::exists(folder));
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
