#include <QtTest>

#include <QTemporaryDir>

#include <memory>

#include "common/testrom.h"
#include "scriptedprompts.h"
#include "windowprobe.h"
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
};

void TestAppSaving::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    romPath = dir.filePath(QStringLiteral("game.bin"));
    image = RandomRomImage(11);
}

void TestAppSaving::init()
{
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

QTEST_MAIN(TestAppSaving)
#include "tst_app_saving.moc"
