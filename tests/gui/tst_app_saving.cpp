#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "common/testrom.h"
#include "scriptedprompts.h"
#include "windowprobe.h"
#include "rom/romlock.h"
#include "rom/romreader.h"
#include "view/spriteoffsets.h"

class TestAppSaving : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;
    QByteArray image;
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<SKMcarEditor> window;

    // Edits a characteristic and moves sprite 1 of car 1 one pixel right.
    void edit(WindowProbe &probe)
    {
        // Through the document, so that the window has unsaved changes.
        DocumentTables after = probe.document().tables();
        after.characteristics[0][0] = char(77);
        after.offsets[0][0] = QPoint(1, 0);
        QVERIFY(probe.document().Change(QStringLiteral("edit"), {}, after));
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exitQuestion_data();
    void exitQuestion();
    void exitSaveBakesOffsetsAndWrites();
    void exitFailedSaveKeepsWindowOpen();
    void exitWithoutRomAsksNothing();
    void saveSlot_data();
    void saveSlot();
    void saveSlotReportsFailure();
    void fileChangedOrGoneSinceOpened_data();
    void fileChangedOrGoneSinceOpened();
    void lockHeldElsewhere_data();
    void lockHeldElsewhere();
    void writerBetweenLookAndWrite_data();
    void writerBetweenLookAndWrite();
    void nameLeadsElsewhere_data();
    void nameLeadsElsewhere();
};

namespace {

// Whether another holder has the ROM's lock now (a poll takes it for a moment).
bool LockedElsewhere(const QString &path)
{
    const Result<RomFileLock> lock = RomFileLock::TryAcquire(path, RomFileLock::Mode::Exclusive);
    return !lock && RomFileLock::IsBusy(lock.failure());
}

// Starts command (run by sh in folder) and waits until it holds the lock on path.
bool StartHolder(QProcess &process, const QString &folder, const QString &command, const QString &path)
{
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
    if (!process.waitForStarted())
        return false;
    QElapsedTimer clock;
    clock.start();
    while (!LockedElsewhere(path)) {
        if (clock.elapsed() > 10000 || process.state() == QProcess::NotRunning)
            return false;
        QTest::qWait(5);
    }
    return true;
}

} // namespace

void TestAppSaving::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    romPath = dir.filePath(QStringLiteral("game.bin"));
    image = RandomRomImage(11);
}

void TestAppSaving::init()
{
    QFile::remove(romPath);   // a link a row put in its place too
    QVERIFY(WriteBytes(romPath, image));
    prompts = std::make_unique<ScriptedPrompts>();
    window = std::make_unique<SKMcarEditor>(romPath, prompts.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestAppSaving::cleanup()
{
    // A window dropped without closing keeps its recovery file, as at a
    // logout; the next row would be offered it.
    if (window)
        window->Recovery().Discard();
    window.reset();
    prompts.reset();
}

void TestAppSaving::exitQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");

    QTest::newRow("cancel keeps the window") << int(Prompts::SaveChoice::Cancel) << false;
    QTest::newRow("discard closes, writes nothing") << int(Prompts::SaveChoice::Discard) << true;
}

void TestAppSaving::exitQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);

    WindowProbe probe(*window);
    edit(probe);
    prompts->saveAnswers = {Prompts::SaveChoice(answer)};

    QCOMPARE(window->close(), closes);

    QCOMPARE(prompts->asked.size(), 1);
    QCOMPARE(prompts->asked[0].kind, ScriptedPrompts::Kind::SaveDiscardCancel);
    QCOMPARE(prompts->asked[0].title, QStringLiteral("Program exit"));
    QCOMPARE(prompts->asked[0].text, QStringLiteral("Do you want to save your changes to ROM?"));
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(ReadBytes(romPath), image);
    // Nothing is lost while the window stays.
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    QCOMPARE(probe.spriteOffsets()[0][0], QPoint(1, 0));
}

void TestAppSaving::exitSaveBakesOffsetsAndWrites()
{
    WindowProbe probe(*window);
    const SpritePixels before = probe.sprites()[0][0];
    edit(probe);
    prompts->saveAnswers = {Prompts::SaveChoice::Save};

    QVERIFY(window->close());

    QCOMPARE(prompts->asked.size(), 1);
    QVERIFY(!window->isVisible());
    const CarData saved = ReadRom(romPath);
    QCOMPARE(int(quint8(saved.characteristics[0].at(0))), 77);
    QCOMPARE(saved.sprites[0][0], ShiftSpritePixels(before, 1, 0));
    QCOMPARE(saved.sprites[0][1], probe.romSprites()[0][1]);
    QCOMPARE(probe.spriteOffsets()[0][0], QPoint());
}

void TestAppSaving::exitFailedSaveKeepsWindowOpen()
{
    WindowProbe probe(*window);
    edit(probe);
    const QString unwritable = dir.filePath(QStringLiteral("no-such-folder/game.bin"));
    probe.romFileName() = unwritable;
    {
        // Exit: save; the file is gone: write it back; that fails: OK.
        prompts->saveAnswers = {Prompts::SaveChoice::Save};
        prompts->confirmAnswers = {true};

        QVERIFY(!window->close());

        QVERIFY(window->isVisible());
        QCOMPARE(prompts->asked.size(), 3);
        QCOMPARE(prompts->asked[2].kind, ScriptedPrompts::Kind::Warn);
        const QString warning = prompts->asked[2].text;
        QVERIFY2(warning.contains(QDir::toNativeSeparators(unwritable)), qPrintable(warning));
        QVERIFY(!QFileInfo::exists(unwritable));
        // The edit is still there (the offset now lives in the pixels).
        QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    }

    // A second try with a good path saves and closes.
    probe.romFileName() = romPath;
    prompts->saveAnswers = {Prompts::SaveChoice::Save};
    QVERIFY(window->close());
    QCOMPARE(int(quint8(ReadRom(romPath).characteristics[0].at(0))), 77);
}

void TestAppSaving::exitWithoutRomAsksNothing()
{
    WindowProbe probe(*window);
    probe.romFileName().clear();
    QVERIFY(window->close());
    QVERIFY(prompts->asked.isEmpty());
}

void TestAppSaving::saveSlot_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("writes");

    QTest::newRow("save") << true << true;
    QTest::newRow("cancel") << false << false;
}

void TestAppSaving::saveSlot()
{
    QFETCH(bool, answer);
    QFETCH(bool, writes);

    WindowProbe probe(*window);
    edit(probe);
    prompts->confirmAnswers = {answer};

    probe.click("labelSaveChanges");

    QCOMPARE(prompts->asked.size(), 1);
    QCOMPARE(prompts->asked[0].text, QString());
    QCOMPARE(prompts->asked[0].informativeText, QStringLiteral("Do you want to save your changes?"));
    QVERIFY(window->isVisible());
    const CarData onDisk = ReadRom(romPath);
    QCOMPARE(int(quint8(onDisk.characteristics[0].at(0))), writes ? 77 : int(quint8(image[kCharacteristicsOffset])));
    QCOMPARE(probe.spriteOffsets()[0][0], writes ? QPoint() : QPoint(1, 0));
    if (!writes)
        QCOMPARE(ReadBytes(romPath), image);
    // The untouched tables stay as read at start.
    QCOMPARE(probe.romCharacteristics()[0].at(0), image.at(kCharacteristicsOffset));
}

void TestAppSaving::saveSlotReportsFailure()
{
    WindowProbe probe(*window);
    edit(probe);
    // A folder where the ROM file should be: it can be neither replaced nor written.
    const QString blocked = dir.filePath(QStringLiteral("folder.bin"));
    QVERIFY(QDir().mkpath(blocked));
    probe.romFileName() = blocked;
    // As though it was opened under that name (else the name leads elsewhere).
    probe.document().image().stamp.target = RomWriteTarget(blocked);
    // Something else is where the ROM was: overwrite it, which fails.
    prompts->confirmAnswers = {true, true};

    probe.click("labelSaveChanges");

    QCOMPARE(prompts->asked.size(), 3);
    QCOMPARE(prompts->asked[2].kind, ScriptedPrompts::Kind::Warn);
    const QString warning = prompts->asked[2].text;
    QVERIFY2(warning.contains(QDir::toNativeSeparators(blocked)), qPrintable(warning));
    QCOMPARE(warning.count(QDir::toNativeSeparators(blocked)), 1);
    QVERIFY2(warning.contains(QStringLiteral("not a regular file")), qPrintable(warning));
    QVERIFY(QFileInfo(blocked).isDir());
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    QCOMPARE(ReadBytes(romPath), image);
}

void TestAppSaving::fileChangedOrGoneSinceOpened_data()
{
    QTest::addColumn<QString>("meanwhile");   // what another program did
    QTest::addColumn<bool>("answer");          // to the question that follows
    QTest::addColumn<QString>("question");

    const QString changed = QStringLiteral("game.bin was changed by another program since it was opened.");
    const QString gone = QStringLiteral("game.bin no longer exists: it was deleted or renamed since it was opened.");
    QTest::newRow("changed, overwrite") << "change" << true << changed;
    QTest::newRow("changed, cancel") << "change" << false << changed;
    QTest::newRow("replaced by a renamed copy") << "replace" << false << changed;
    QTest::newRow("deleted, write back") << "delete" << true << gone;
    QTest::newRow("renamed, cancel") << "rename" << false << gone;
}

void TestAppSaving::fileChangedOrGoneSinceOpened()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, answer);
    QFETCH(QString, question);

    WindowProbe probe(*window);
    edit(probe);
    QByteArray other = image;
    other[0x100] = char(~other.at(0x100));   // another program's edit, outside the car data
    if (meanwhile == QLatin1String("change")) {
        QVERIFY(WriteBytes(romPath, other));
    } else if (meanwhile == QLatin1String("replace")) {
        QVERIFY(WriteBytes(romPath + QStringLiteral(".new"), other));
        QVERIFY(QFile::rename(romPath + QStringLiteral(".new"), romPath) || (QFile::remove(romPath) && QFile::rename(romPath + QStringLiteral(".new"), romPath)));
    } else if (meanwhile == QLatin1String("delete")) {
        QVERIFY(QFile::remove(romPath));
    } else {
        QFile::remove(romPath + QStringLiteral(".moved"));
        QVERIFY(QFile::rename(romPath, romPath + QStringLiteral(".moved")));
    }
    const QByteArray before = ReadBytes(romPath);
    prompts->confirmAnswers = {true, answer};

    probe.click("labelSaveChanges");

    QCOMPARE(prompts->asked.size(), 2);
    QCOMPARE(prompts->asked[1].text, question);
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    if (!answer) {
        QCOMPARE(ReadBytes(romPath), before);
        QCOMPARE(QFileInfo::exists(romPath), !before.isEmpty());
        return;
    }
    // Written from the image as opened: the game code comes back, the other edit is overwritten.
    const QByteArray saved = ReadBytes(romPath);
    QCOMPARE(saved.size(), image.size());
    QCOMPARE(saved.left(kChecksumOffset), image.left(kChecksumOffset));
    QCOMPARE(saved.mid(0x200, kWeaponsOffset - 0x200), image.mid(0x200, kWeaponsOffset - 0x200));
    QCOMPARE(int(quint8(CarDataFromImage(saved).characteristics[0].at(0))), 77);

    // Saving again asks nothing: the image knows the file it wrote.
    prompts->asked.clear();
    prompts->confirmAnswers = {true};
    probe.click("labelSaveChanges");
    QCOMPARE(prompts->asked.size(), 1);
}

void TestAppSaving::lockHeldElsewhere_data()
{
    QTest::addColumn<bool>("child");      // a process of its own, or another descriptor of ours
    QTest::addColumn<int>("cancelAfter"); // ms until the user cancels the wait; -1 waits on

    QTest::newRow("another descriptor, released") << false << -1;
    QTest::newRow("another descriptor, cancelled") << false << 250;
    QTest::newRow("another process, released") << true << -1;
    QTest::newRow("another process, cancelled") << true << 250;
}

// Another program holds the ROM's lock: the save waits with a message and
// Cancel while the window goes on answering; when the lock goes it writes,
// and Cancel writes nothing.
void TestAppSaving::lockHeldElsewhere()
{
    QFETCH(bool, child);
    QFETCH(int, cancelAfter);
    const bool cancels = cancelAfter >= 0;

    WindowProbe probe(*window);
    edit(probe);
    // Held for 0.6 s, or (cancelled) well past the cancel.
    const int holdMs = cancels ? 1500 : 600;
    QProcess holder;
    int fd = -1;
    if (child) {
        QVERIFY(StartHolder(holder, dir.path(), QStringLiteral("exec flock -x -o game.bin sleep %1").arg(holdMs / 1000.0), romPath));
    } else {
        fd = ::open(QFile::encodeName(romPath).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX), 0);
    }
    // The window's event loop, seen from a timer of the test.
    int ticks = 0;
    QTimer ticker;
    if (fd >= 0)
        QTimer::singleShot(holdMs, &ticker, [&fd] { ::close(fd); fd = -1; });
    ticker.setInterval(20);
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start();
    if (cancels)
        prompts->waitCancelAfterMs = {cancelAfter};
    QElapsedTimer clock;
    clock.start();

    const bool saved = probe.saveToRom();

    const qint64 took = clock.elapsed();
    ticker.stop();
    QCOMPARE(saved, !cancels);
    QCOMPARE(prompts->texts(ScriptedPrompts::Kind::Waiting),
             QStringList{QStringLiteral("Waiting for another program to finish with game.bin...")});
    QCOMPARE(prompts->waitingShown, 0);
    QVERIFY2(prompts->messages().isEmpty(), qPrintable(prompts->messages().join(QLatin1Char('\n'))));
    // Answering throughout: a tick every 20 ms, not one at the end.
    QVERIFY2(ticks >= int(took / 20) / 3 && ticks >= 5, qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(ticks).arg(took)));
    if (cancels) {
        QVERIFY2(took < holdMs - 200, qPrintable(QString::number(took)));
        QCOMPARE(ReadBytes(romPath), image);
        QVERIFY(probe.document().isModified());
    } else {
        QVERIFY2(took >= holdMs - 100, qPrintable(QString::number(took)));
        QCOMPARE(int(quint8(ReadRom(romPath).characteristics[0].at(0))), 77);
        QVERIFY(!probe.document().isModified());
    }
    if (child)
        QVERIFY(holder.state() == QProcess::NotRunning || holder.waitForFinished(10000));
    else if (fd >= 0)
        QTRY_COMPARE(fd, -1);
}

void TestAppSaving::writerBetweenLookAndWrite_data()
{
    QTest::addColumn<QString>("writer");   // run by sh in the ROM's folder; PROGRAM is the program
    QTest::addColumn<bool>("traced");      // needs strace

    // Holds the lock, then changes one header byte in place and lets go.
    QTest::newRow("stand-in writer under its lock")
        << "exec flock -x -o game.bin sh -c 'sleep 0.3; printf Z | dd of=game.bin bs=1 seek=256 conv=notrunc status=none'"
        << false;
    // The command line, its first fsync (its new file's) held up for a second.
    QTest::newRow("command line with a delayed fsync")
        << "exec strace -f -o /dev/null -e inject=fsync:delay_enter=1000000:when=1 PROGRAM set game.bin --car 2 "
           "--top-speed 99 --force"
        << true;
}

// Another program writes the ROM while the window saves: the window waits
// for it and then sees the change and asks, instead of writing over it.
void TestAppSaving::writerBetweenLookAndWrite()
{
    QFETCH(QString, writer);
    QFETCH(bool, traced);
    if (traced) {
        QProcess probe;
        probe.start(QStringLiteral("strace"), {QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("true")});
        if (!probe.waitForFinished() || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            QSKIP("strace cannot trace here (no ptrace permission)");
    }

    WindowProbe probe(*window);
    edit(probe);
    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    other.setProcessEnvironment(environment);
    QVERIFY(StartHolder(other, dir.path(), writer.replace(QLatin1String("PROGRAM"), QStringLiteral("'" SKM_PROGRAM "'")),
                        romPath));
    prompts->confirmAnswers = {false};   // do not overwrite what it wrote

    QVERIFY(!probe.saveToRom());

    QVERIFY(other.state() == QProcess::NotRunning || other.waitForFinished(20000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(prompts->texts(ScriptedPrompts::Kind::Waiting).size(), 1);
    QCOMPARE(prompts->texts(ScriptedPrompts::Kind::Confirm),
             QStringList{QStringLiteral("game.bin was changed by another program since it was opened.")});
    // The other program's change is there, ours is not (and still in the window).
    const QByteArray onDisk = ReadBytes(romPath);
    if (traced)
        QCOMPARE(int(quint8(CarDataFromImage(onDisk).characteristics[1].at(0))), 99);
    else
        QCOMPARE(onDisk.at(0x100), 'Z');
    QCOMPARE(CarDataFromImage(onDisk).characteristics[0].at(0), image.at(kCharacteristicsOffset));
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
}

void TestAppSaving::nameLeadsElsewhere_data()
{
    QTest::addColumn<QString>("meanwhile");   // run by sh in the ROM's folder
    QTest::addColumn<bool>("copy");           // the answer: save a copy (or cancel)
    QTest::addColumn<QString>("leadsTo");     // the file named in the question; empty: no question

    QTest::newRow("link to another file, copy saved") << "ln -sf victim.bin game.bin" << true << "victim.bin";
    QTest::newRow("link to another file, cancel") << "ln -sf victim.bin game.bin" << false << "victim.bin";
    QTest::newRow("dangling link") << "ln -sf nowhere.bin game.bin" << false << "nowhere.bin";
    QTest::newRow("link to a copy of the ROM") << "cp game.bin twin.bin && ln -sf twin.bin game.bin" << false << "twin.bin";
    // The very file as opened, reached through a link now: written as always.
    QTest::newRow("the ROM moved and linked") << "mv game.bin real.bin && ln -s real.bin game.bin" << false << "";
}

// The ROM's name now leads to another file: the question names that file and
// offers a copy elsewhere, never an overwrite through the link.
void TestAppSaving::nameLeadsElsewhere()
{
    QFETCH(QString, meanwhile);
    QFETCH(bool, copy);
    QFETCH(QString, leadsTo);

    const QStringList extra{QStringLiteral("victim.bin"), QStringLiteral("nowhere.bin"), QStringLiteral("twin.bin"),
                            QStringLiteral("real.bin"), QStringLiteral("copy.bin")};
    for (const QString &name : extra)
        QFile::remove(dir.filePath(name));
    QByteArray victim(4096, 'v');
    QVERIFY(WriteBytes(dir.filePath(QStringLiteral("victim.bin")), victim));
    WindowProbe probe(*window);
    edit(probe);
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), meanwhile});
    QVERIFY(shell.waitForFinished() && shell.exitCode() == 0);
    QMap<QString, QByteArray> before;
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files))
        before[name] = ReadBytes(dir.filePath(name));
    prompts->confirmAnswers = {copy};
    prompts->fileAnswers = {FileChoice{dir.filePath(QStringLiteral("copy.bin")), 0}};

    const bool saved = probe.saveToRom();

    QVERIFY(QFileInfo(romPath).isSymLink());
    if (leadsTo.isEmpty()) {
        QVERIFY(saved);
        QVERIFY(prompts->asked.isEmpty());
        QCOMPARE(int(quint8(ReadRom(dir.filePath(QStringLiteral("real.bin"))).characteristics[0].at(0))), 77);
        return;
    }
    QVERIFY(!saved);
    QCOMPARE(prompts->acceptTexts, QStringList{QStringLiteral("Save a Copy As...")});
    const QString question = prompts->asked.value(0).text;
    QVERIFY2(question.startsWith(QStringLiteral("game.bin now leads to another file, ")), qPrintable(question));
    QVERIFY2(question.contains(QDir::toNativeSeparators(QDir(QDir(dir.path()).canonicalPath()).filePath(leadsTo))),
             qPrintable(question));
    // Nothing written through the name; the copy holds the changes.
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        QVERIFY2(ReadBytes(dir.filePath(it.key())) == it.value(), qPrintable(it.key()));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("nowhere.bin"))));
    QCOMPARE(QFileInfo::exists(dir.filePath(QStringLiteral("copy.bin"))), copy);
    if (copy)
        QCOMPARE(int(quint8(ReadRom(dir.filePath(QStringLiteral("copy.bin"))).characteristics[0].at(0))), 77);
    QVERIFY(probe.document().isModified());
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
}

QTEST_MAIN(TestAppSaving)
#include "tst_app_saving.moc"
