#include <QtTest>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QScopeGuard>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtEndian>

#include "demorom.h"
#include "document/cardocument.h"
#include "editor/controllers/playtestcontroller.h"
#include "editor/window/skmcareditor.h"
#include "external/commandline.h"
#include "external/livelink.h"
#include "external/playtestrunner.h"
#include "external/startpoint.h"
#include "external/stubchannel.h"
#include "view/viewtable.h"
#include "factorytables.h"
#include "gui/scriptedprompts.h"

// Play-test Live in MAME itself, headless, on the demo cartridge: the window
// starts the link, the test changes the document through it, and MAME's own
// cartridge memory and the viewer's words say what the running machine holds.
// The emulator command is a wrapper named like MAME that runs the real one
// with a probe script of the test, which runs the editor's script and every
// ten frames writes the frame counter, the viewer's checksum and the whole
// cartridge area into a file of the test.

namespace {


const char kProbe[] = R"lua(
if os.getenv("SKM_LIVE_SCRIPT") then dofile(os.getenv("SKM_LIVE_SCRIPT")) end
local cpu = manager.machine.devices[":maincpu"].spaces["program"]
local out = os.getenv("SKM_PROBE_OUT")
-- SKM_PROBE_RIGHT: presses Right that many times once the viewer runs.
local presses = tonumber(os.getenv("SKM_PROBE_RIGHT") or "0")
local right = manager.machine.ioport.ports[":ctrl1:mdpad:PAD"].fields["P1 Right"]
local n = 0
local pressed = 0
local first = true
local function snapshot(path)
  local file = io.open(path .. ".tmp", "wb")
  file:write(string.pack(">I2I2I4I2I2", cpu:read_u16(0xFF000A), cpu:read_u16(0xFF0008), n,
                         cpu:read_u16(0xFF000C), cpu:read_u16(0xFF0002)))
  file:write(cpu:read_range(0, 0xFFFFF, 8))
  file:close()
  os.rename(path .. ".tmp", path)
end
emu.register_frame_done(function()
  n = n + 1
  if pressed < presses and cpu:read_u16(0xFF000A) >= 2 then
    if n % 4 == 0 then right:set_value(1) elseif n % 4 == 1 then right:set_value(0); pressed = pressed + 1 end
  end
  if n % 10 ~= 0 then return end
  if first then snapshot(out .. ".first") first = false end
  snapshot(out)
end)
)lua";

struct Probe
{
    bool read = false;
    quint16 frames = 0;     // the viewer's frame counter
    quint16 checksum = 0;   // the viewer's own sum of the cartridge
    quint32 hooked = 0;     // frames the probe saw
    quint16 rotation = 0;
    quint16 sprite = 0;
    QByteArray cartridge;
};

Probe ReadProbe(const QString &path)
{
    QFile file(path);
    Probe probe;
    if (!file.open(QIODevice::ReadOnly))
        return probe;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != 12 + 0x100000)
        return probe;
    probe.read = true;
    probe.frames = qFromBigEndian<quint16>(bytes.constData());
    probe.checksum = qFromBigEndian<quint16>(bytes.constData() + 2);
    probe.hooked = qFromBigEndian<quint32>(bytes.constData() + 4);
    probe.rotation = qFromBigEndian<quint16>(bytes.constData() + 8);
    probe.sprite = qFromBigEndian<quint16>(bytes.constData() + 10);
    probe.cartridge = bytes.mid(12);
    return probe;
}

QAction *Action(SKMcarEditor &editor, const char *name)
{
    auto *action = editor.findChild<QAction *>(QString::fromLatin1(name));
    if (!action)
        qFatal("the window has no %s", name);
    return action;
}

}  // namespace

class TestLivePlayTest : public QObject
{
    Q_OBJECT

    QTemporaryDir settingsDir;
    QString mame;
    QString blastem;

    void SetEmulator(const QString &command)
    {
        QSettings().setValue(QStringLiteral("emulatorCommand"), command);
    }

    // A wrapper named like MAME, so that the editor offers the link: runs
    // the real one headless with the probe, which runs the editor's script
    // when the command names one, and presses Right presses times. Gives the
    // probe's file.
    QString MameProbe(const QTemporaryDir &dir, int presses)
    {
        const QString probeOut = dir.filePath(QStringLiteral("probe.bin"));
        const QString probeScript = dir.filePath(QStringLiteral("probe.lua"));
        QFile probeFile(probeScript);
        if (!probeFile.open(QIODevice::WriteOnly))
            qFatal("cannot write the probe");
        probeFile.write(kProbe);
        probeFile.close();
        const QString wrapper = dir.filePath(QStringLiteral("mame-probe"));
        QFile wrapperFile(wrapper);
        if (!wrapperFile.open(QIODevice::WriteOnly))
            qFatal("cannot write the wrapper");
        wrapperFile.write(QStringLiteral("#!/bin/sh\n"
                                         "export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SKM_PROBE_OUT='%1' "
                                         "SKM_PROBE_RIGHT=%4\n"
                                         "prev=\n"
                                         "for a do\n"
                                         "  shift\n"
                                         "  if [ \"$prev\" = -autoboot_script ]; then export SKM_LIVE_SCRIPT=\"$a\"; "
                                         "prev=; continue; fi\n"
                                         "  prev=\"$a\"\n"
                                         "  [ \"$a\" = -autoboot_script ] || set -- \"$@\" \"$a\"\n"
                                         "done\n"
                                         "exec '%3' \"$@\" -video none -sound none -skip_gameinfo -noreadconfig "
                                         "-autoboot_script '%2'\n")
                              .arg(probeOut, probeScript, mame)
                              .arg(presses)
                              .toUtf8());
        wrapperFile.close();
        QFile::setPermissions(wrapper, QFile::permissions(wrapper) | QFile::ExeOwner);
        SetEmulator(QStringLiteral("'%1' genesis -cart %f").arg(wrapper));
        return probeOut;
    }

    // A stand-in named like MAME that runs body: no frames are needed.
    static QString StandIn(const QTemporaryDir &dir, const char *body, const QString &name = QStringLiteral("mame"))
    {
        const QString standIn = dir.filePath(name);
        QFile file(standIn);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the stand-in");
        file.write(QByteArray("#!/bin/sh\nexec ") + body + '\n');
        file.close();
        QFile::setPermissions(standIn, QFile::permissions(standIn) | QFile::ExeOwner);
        return QStringLiteral("'%1' %f").arg(standIn);
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-live"));
        if (const Result<QString> found = FindProgram(QStringLiteral("mame")))
            mame = *found;
        if (const Result<QString> found = FindProgram(QStringLiteral("blastem")))
            blastem = *found;
    }

    // Emulators without a channel keep F5 and get a disabled Shift+F5 that says why.
    void offWithoutChannel_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("live");
        QTest::newRow("blastem") << QStringLiteral("blastem %f") << true;
        QTest::newRow("a stand-in") << QStringLiteral("/bin/true %f") << false;
        QTest::newRow("mame by path") << QStringLiteral("/usr/games/mame genesis -cart %f") << true;
        QTest::newRow("a wrapper named MAME") << QStringLiteral("'/opt/My MAME/run' %f") << false;
        QTest::newRow("MAME's own name, any case") << QStringLiteral("/opt/x/MAME64 genesis -cart %f") << true;
    }
    void offWithoutChannel()
    {
        QFETCH(QString, command);
        QFETCH(bool, live);
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        SetEmulator(command);
        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        QAction *action = Action(editor, "actionPlayTestLive");
        QCOMPARE(action->isEnabled(), live);
        QCOMPARE(action->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
        QVERIFY(Action(editor, "actionPlayTest")->isEnabled());
        if (!live)
            QVERIFY2(action->toolTip().contains(QLatin1String("only MAME and blastem")), qPrintable(action->toolTip()));
    }

    // blastem itself, headless (-b: that many frames, no window), through
    // its debugger stub: a pixel and a colour drawn in the window are read
    // back from its cartridge memory, the checksum word with them; the
    // machine went on stopping at its breakpoint all along. Recording is
    // off for it, and the window's end takes it with its folder.
    void changesReachRunningBlastem()
    {
        if (blastem.isEmpty())
            QSKIP("blastem is not installed (Debian package blastem, which tools/install-deps.sh installs)");
        QTemporaryDir dir, home;
        // blastem's saves go under the home folder: a folder of the test's own.
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", realHome); });
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        SetEmulator(QStringLiteral("'%1' -b 1000000 %f").arg(blastem));
        ScriptedPrompts prompts;
        auto editor = std::make_unique<SKMcarEditor>(rom, &prompts);
        auto *control = editor->findChild<PlayTestController *>(QStringLiteral("playTestController"));
        QAction *action = Action(*editor, "actionPlayTestLive");
        QVERIFY(action->isEnabled());
        action->trigger();
        QVERIFY2(prompts.messages().isEmpty(), qPrintable(prompts.messages().join('\n')));
        auto *indicator = editor->StatusBar()->findChild<QLabel *>(QStringLiteral("labelLive"));
        QCOMPARE(indicator->text(), QStringLiteral("Live: blastem"));
        LiveLink &live = control->Live();
        QVERIFY(live.running());
        QVERIFY(!live.canRecord());   // not through the stub: blastem's own save key saves
        QAction *record = Action(*editor, "actionRecordStartPoint");
        QVERIFY(record->isEnabled());
        QVERIFY2(record->toolTip().contains(QLatin1String("save key")), qPrintable(record->toolTip()));
        StubChannel *stub = live.stub();
        QVERIFY(stub);
        QCOMPARE(stub->stopAddress(), *StubChannel::StopAddress(*PlayTestImage(editor->Document())));
        QTRY_VERIFY_WITH_TIMEOUT(stub->stops() > 0, 10000);

        // What the machine's cartridge holds where image differs from the ROM
        // on disk, and the checksum word.
        QByteArray held;
        connect(stub, &StubChannel::read, stub, [&](quint32, const QByteArray &bytes) { held += bytes; });
        const QByteArray onDisk = *PlayTestImage(editor->Document());
        const auto holds = [&](const QByteArray &image) {
            QList<ByteRange> ranges = JoinRanges(DifferingRanges(onDisk, image), {{kChecksumOffset, 2}});
            held.clear();
            QByteArray expected;
            for (const ByteRange &range : ranges) {
                stub->Read(quint32(range.offset), int(range.length));
                expected += image.mid(range.offset, range.length);
            }
            return QTest::qWaitFor([&] { return held.size() >= expected.size(); }, 5000) && held == expected;
        };
        CarDocument &document = editor->Document();
        DocumentTables after = document.tables();
        after.sprites[0][0][kPixelsPerSprite / 2] = (after.sprites[0][0][kPixelsPerSprite / 2] + 1) % 16;
        QVERIFY(document.Change(QStringLiteral("pixel"), StepFocus{0, 0, -1}, after));
        QTRY_COMPARE_WITH_TIMEOUT(live.transfers(), 1u, 5000);
        const QByteArray withPixel = *PlayTestImage(document);
        QVERIFY(withPixel.mid(kChecksumOffset, 2) != onDisk.mid(kChecksumOffset, 2));
        QVERIFY(holds(withPixel));

        after.palettes[0][3] = QColor(255, 0, 255);
        QVERIFY(document.Change(QStringLiteral("colour"), StepFocus{0, -1, 0}, after));
        QTRY_COMPARE_WITH_TIMEOUT(live.transfers(), 2u, 5000);
        QVERIFY(holds(*PlayTestImage(document)));
        const int stops = stub->stops();
        QTRY_VERIFY_WITH_TIMEOUT(stub->stops() > stops + 5, 5000);
        QVERIFY2(prompts.messages().isEmpty(), qPrintable(prompts.messages().join('\n')));

        // A start point from blastem's save key: none saved yet is said once;
        // the state it saves for the copy (its save path under the home
        // folder, named after the copy) is kept for the ROM.
        record->trigger();
        QCOMPARE(prompts.messages().size(), 1);
        QVERIFY2(prompts.messages().first().contains(QLatin1String("save key")), qPrintable(prompts.messages().first()));
        QVERIFY(!FindStartPoint(rom));
        const QString copy = control->Runner().copies().first();
        const QString saved = home.filePath(QStringLiteral(".local/share/blastem/%1/quicksave.state")
                                                .arg(QFileInfo(copy).completeBaseName()));
        QVERIFY(QDir().mkpath(QFileInfo(saved).path()));
        QFile state(saved);
        QVERIFY(state.open(QIODevice::WriteOnly));
        state.write("blastem state");
        state.close();
        record->trigger();
        QCOMPARE(prompts.messages().size(), 1);
        const std::optional<StartPoint> point = FindStartPoint(rom);
        QVERIFY(point);
        QCOMPARE(point->family, QStringLiteral("blastem"));
        QFile kept(point->path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("blastem state"));
        QVERIFY(ForgetStartPoint(rom));

        const QString folder = QFileInfo(control->Runner().copies().first()).path();
        editor->Recovery().Discard();
        editor.reset();
        QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
    }

    void changesReachRunningMame()
    {
        if (mame.isEmpty())
            QSKIP("MAME is not installed (Debian package mame, which tools/install-deps.sh installs)");
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        QFile romFile(rom);
        QVERIFY(romFile.open(QIODevice::ReadOnly));
        const QByteArray onDisk = romFile.readAll();
        romFile.close();

        const QString probeOut = MameProbe(dir, 0);

        ScriptedPrompts prompts;
        auto editor = std::make_unique<SKMcarEditor>(rom, &prompts);
        auto *control = editor->findChild<PlayTestController *>(QStringLiteral("playTestController"));
        QVERIFY(control);
        QAction *action = Action(*editor, "actionPlayTestLive");
        QVERIFY(action->isEnabled());
        action->trigger();
        QVERIFY2(prompts.messages().isEmpty(), qPrintable(prompts.messages().join('\n')));
        auto *indicator = editor->StatusBar()->findChild<QLabel *>(QStringLiteral("labelLive"));
        QVERIFY(indicator);
        QCOMPARE(indicator->text(), QStringLiteral("Live: mame-probe"));
        QCOMPARE(indicator->accessibleName(), QStringLiteral("Live: mame-probe"));
        QVERIFY(!indicator->isHidden());
        LiveLink &live = control->Live();
        QVERIFY(live.running());
        const QString folder = QFileInfo(live.changePath()).path();

        CarDocument &document = editor->Document();
        quint32 lastHooked = 0;
        quint16 lastFrames = 0;
        QString problem;
        // Waits until MAME's cartridge holds what Save would write now and the
        // viewer's sum of it agrees with the header: the viewer has read it.
        const auto shows = [&](const QByteArray &expected) {
            const Probe probe = ReadProbe(probeOut);
            if (!probe.read)
                return false;
            if (probe.hooked < lastHooked || quint16(probe.frames - lastFrames) > 0x8000)
                problem = QStringLiteral("the frames went back from %1 to %2: the machine restarted")
                              .arg(lastFrames)
                              .arg(probe.frames);
            lastHooked = probe.hooked;
            lastFrames = probe.frames;
            return probe.cartridge.left(expected.size()) == expected
                && probe.checksum == qFromBigEndian<quint16>(expected.constData() + kChecksumOffset);
        };
        const auto image = [&] { return *PlayTestImage(document); };
        QTRY_VERIFY_WITH_TIMEOUT(shows(image()), 15000);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        // A pixel.
        DocumentTables after = document.tables();
        after.sprites[0][0][kPixelsPerSprite / 2] = (after.sprites[0][0][kPixelsPerSprite / 2] + 1) % 16;
        QVERIFY(document.Change(QStringLiteral("pixel"), StepFocus{0, 0, -1}, after));
        const QByteArray withPixel = image();
        QVERIFY(withPixel != onDisk);
        QTRY_VERIFY_WITH_TIMEOUT(shows(withPixel), 5000);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        // A palette colour, and a burst of changes: one transfer per interval.
        const quint32 before = live.transfers();
        after = document.tables();
        for (int step = 0; step < 8; ++step) {
            after.palettes[0][3] = QColor(36 * step, 255 - 36 * step, 0);
            document.Change(QStringLiteral("colour"), StepFocus{0, -1, 0}, after);
        }
        const QByteArray withColour = image();
        QVERIFY(withColour != withPixel);
        QTRY_VERIFY_WITH_TIMEOUT(shows(withColour), 5000);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY2(live.transfers() - before <= 2, qPrintable(QString::number(live.transfers() - before)));

        // Undo goes live as well.
        document.undoStack()->undo();
        QTRY_VERIFY_WITH_TIMEOUT(shows(image()), 5000);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(live.running());
        QVERIFY(prompts.messages().isEmpty());

        // The user's file is never written; the window's end takes the
        // emulator and its folder with it.
        QVERIFY(QFileInfo::exists(folder));
        editor->Recovery().Discard();
        editor.reset();
        QVERIFY2(!QFileInfo::exists(folder), qPrintable(folder));
        QVERIFY(romFile.open(QIODevice::ReadOnly));
        QCOMPARE(romFile.readAll(), onDisk);
    }

    // The emulator's end ends the link, and its folder goes; without a
    // message also when the stub was still asked for its first answer.
    void emulatorEndEndsLink_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("scripted");
        QTest::newRow("MAME") << QStringLiteral("mame") << true;
        QTest::newRow("blastem") << QStringLiteral("blastem") << false;
    }
    void emulatorEndEndsLink()
    {
        QFETCH(QString, program);
        QFETCH(bool, scripted);
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        SetEmulator(StandIn(dir, "sleep 0.3", program));
        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        auto *control = editor.findChild<PlayTestController *>(QStringLiteral("playTestController"));
        Action(editor, "actionPlayTestLive")->trigger();
        QVERIFY(control->Live().running());
        const QString folder = QFileInfo(control->Runner().copies().first()).path();
        QCOMPARE(QFileInfo::exists(folder + QStringLiteral("/live.lua")), scripted);
        auto *indicator = editor.StatusBar()->findChild<QLabel *>(QStringLiteral("labelLive"));
        QVERIFY(!indicator->isHidden());
        QCOMPARE(indicator->text(), QStringLiteral("Live: %1").arg(program));
        QVERIFY(Action(editor, "actionRecordStartPoint")->isEnabled());   // MAME by its script, blastem by its save key
        QTRY_VERIFY_WITH_TIMEOUT(!control->Live().running(), 5000);
        QCOMPARE(editor.StatusBar()->currentMessage(), QStringLiteral("Live link ended"));
        QVERIFY(indicator->isHidden());
        QVERIFY(!Action(editor, "actionRecordStartPoint")->isEnabled());
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(prompts.messages().isEmpty());
    }

    // A stub that refuses: one message with its answer, the link ends, the
    // emulator runs on.
    void stubRefusalEndsLink()
    {
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        SetEmulator(StandIn(dir, "sh -c 'printf \"+\\$E01#a6\"; sleep 30'", QStringLiteral("blastem")));
        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        auto *control = editor.findChild<PlayTestController *>(QStringLiteral("playTestController"));
        Action(editor, "actionPlayTestLive")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!control->Live().running(), 5000);
        QCOMPARE(prompts.messages().size(), 1);
        QVERIFY2(prompts.messages().first().contains(
                     QLatin1String("The live link to blastem ended: blastem answered \"E01\"")),
                 qPrintable(prompts.messages().first()));
        QCOMPARE(control->Runner().running(), 1);
        QVERIFY(editor.StatusBar()->findChild<QLabel *>(QStringLiteral("labelLive"))->isHidden());
    }

    // Record after turning the car three steps, quit, F5 again on an edited
    // copy: the first picture already shows rotation 3, with the edit.
    void startPointRecorded()
    {
        if (mame.isEmpty())
            QSKIP("MAME is not installed (Debian package mame, which tools/install-deps.sh installs)");
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        QString probeOut = MameProbe(dir, 3);
        {
            ScriptedPrompts prompts;
            SKMcarEditor editor(rom, &prompts);
            QAction *record = Action(editor, "actionRecordStartPoint");
            QAction *forget = Action(editor, "actionForgetStartPoint");
            QVERIFY(!record->isEnabled());
            QVERIFY(!forget->isEnabled());
            Action(editor, "actionPlayTestLive")->trigger();
            QVERIFY(record->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(ReadProbe(probeOut).rotation == 3, 15000);
            record->trigger();
            QTRY_VERIFY_WITH_TIMEOUT(FindStartPoint(rom).has_value(), 5000);
            QCOMPARE(FindStartPoint(rom)->family, QStringLiteral("mame"));
            QVERIFY(forget->isEnabled());
            QVERIFY(record->isEnabled());
            QVERIFY2(prompts.messages().isEmpty(), qPrintable(prompts.messages().join('\n')));
        }   // the window's end ends MAME
        QFile::remove(probeOut + QStringLiteral(".first"));
        probeOut = MameProbe(dir, 0);

        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        DocumentTables after = editor.Document().tables();
        after.palettes[0][3] = QColor(255, 0, 255);
        QVERIFY(editor.Document().Change(QStringLiteral("colour"), StepFocus{0, -1, 0}, after));
        const QByteArray edited = *PlayTestImage(editor.Document());
        Action(editor, "actionPlayTest")->trigger();
        QVERIFY2(editor.StatusBar()->currentMessage().endsWith(QLatin1String("from the start point")),
                 qPrintable(editor.StatusBar()->currentMessage()));
        QTRY_VERIFY_WITH_TIMEOUT(ReadProbe(probeOut + QStringLiteral(".first")).read, 15000);
        const Probe first = ReadProbe(probeOut + QStringLiteral(".first"));
        QCOMPARE(first.rotation, quint16(3));
        QCOMPARE(int(first.sprite), FindSpriteByParameters(3, 0).spriteNumber - 1);
        QVERIFY(first.cartridge == edited);
        QVERIFY2(prompts.messages().isEmpty(), qPrintable(prompts.messages().join('\n')));

        QAction *forget = Action(editor, "actionForgetStartPoint");
        QVERIFY(forget->isEnabled());
        forget->trigger();
        QVERIFY(!FindStartPoint(rom));
        QVERIFY(!forget->isEnabled());
        editor.Recovery().Discard();
    }

    // A start point goes to the emulator it belongs to, and to no other.
    void startPointOnlyForItsEmulator_data()
    {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::newRow("MAME's in MAME") << QStringLiteral("mame") << QStringLiteral("mame") << QStringLiteral("-state");
        QTest::newRow("blastem's in blastem") << QStringLiteral("blastem") << QStringLiteral("blastem")
                                              << QStringLiteral("-s");
        QTest::newRow("MAME's in blastem") << QStringLiteral("mame") << QStringLiteral("blastem") << QString();
        QTest::newRow("blastem's in MAME") << QStringLiteral("blastem") << QStringLiteral("mame") << QString();
        QTest::newRow("MAME's in another") << QStringLiteral("mame") << QStringLiteral("emu") << QString();
    }
    void startPointOnlyForItsEmulator()
    {
        QFETCH(QString, kept);
        QFETCH(QString, program);
        QFETCH(QString, option);
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        const Result<StartPoint> point = KeepStartPoint(rom, kept, "state");
        QVERIFY(point);
        // A stand-in that writes its arguments, one a line.
        const QString standIn = dir.filePath(program);
        QFile file(standIn);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n")
                       .arg(dir.filePath(QStringLiteral("arguments")))
                       .toUtf8());
        file.close();
        QFile::setPermissions(standIn, QFile::permissions(standIn) | QFile::ExeOwner);
        SetEmulator(QStringLiteral("'%1' %f").arg(standIn));
        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        QVERIFY(Action(editor, "actionForgetStartPoint")->isEnabled());
        Action(editor, "actionPlayTest")->trigger();
        const auto written = [&] {
            QFile arguments(dir.filePath(QStringLiteral("arguments")));
            return arguments.open(QIODevice::ReadOnly) ? QString::fromUtf8(arguments.readAll()) : QString();
        };
        QTRY_VERIFY_WITH_TIMEOUT(written().endsWith('\n'), 5000);
        const QStringList words = written().split('\n', Qt::SkipEmptyParts);
        if (option.isEmpty()) {
            QCOMPARE(words.size(), 1);   // the copy alone
        } else {
            QCOMPARE(words.size(), 3);
            QCOMPARE(words[1], option);
            QCOMPARE(words[2], point->path);
        }
        QVERIFY(prompts.messages().isEmpty());
        QVERIFY(::ForgetStartPoint(rom));
    }

    // Revert (like opening another ROM) ends the link; the emulator keeps running.
    void revertEndsLink()
    {
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("demo.bin"));
        QVERIFY(WriteDemoRom(rom, GenerateFactoryData()));
        SetEmulator(StandIn(dir, "sleep 30"));
        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        auto *control = editor.findChild<PlayTestController *>(QStringLiteral("playTestController"));
        Action(editor, "actionPlayTestLive")->trigger();
        QVERIFY(control->Live().running());
        const QString changes = control->Live().changePath();
        DocumentTables after = editor.Document().tables();
        after.palettes[1][2] = QColor(0, 0, 255);
        QVERIFY(editor.Document().Change(QStringLiteral("colour"), StepFocus{1, -1, 1}, after));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(changes), 2000);
        prompts.confirmAnswers << true;
        QVERIFY(editor.Revert());
        QVERIFY(!control->Live().running());
        QCOMPARE(control->Runner().running(), 1);
        QVERIFY(prompts.messages().isEmpty());
        editor.Recovery().Discard();
    }
};

QTEST_MAIN(TestLivePlayTest)
#include "tst_liveplaytest.moc"
