#include <QtTest>

#include <QTemporaryDir>

#include <memory>

#include "common/testrom.h"
#include "editorprobe.h"
#include "rom/romreader.h"
#include "view/spriteoffsets.h"

class TestAppSaving : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;
    QByteArray image;
    std::unique_ptr<SKMcarEditor> window;

    // Edits a characteristic and moves sprite 1 of car 1 one pixel right.
    void edit(EditorProbe &probe)
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
    window = std::make_unique<SKMcarEditor>(romPath);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestAppSaving::cleanup()
{
    window.reset();
}

void TestAppSaving::exitQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");

    QTest::newRow("cancel keeps the window") << int(QMessageBox::Cancel) << false;
    QTest::newRow("escape keeps the window") << int(QMessageBox::NoButton) << false;
    QTest::newRow("discard closes, writes nothing") << int(QMessageBox::Discard) << true;
}

void TestAppSaving::exitQuestion()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);

    EditorProbe probe(*window);
    edit(probe);
    ModalAnswerer answerer({QMessageBox::StandardButton(answer)});

    QCOMPARE(window->close(), closes);

    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, QStringLiteral("Program exit"));
    QCOMPARE(answerer.seen[0].informativeText, QStringLiteral("Do you want to save your changes to ROM?"));
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(ReadBytes(romPath), image);
    // Nothing is lost while the window stays.
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    QCOMPARE(probe.spriteOffsets()[0][0], QPoint(1, 0));
}

void TestAppSaving::exitSaveBakesOffsetsAndWrites()
{
    EditorProbe probe(*window);
    const SpritePixels before = probe.sprites()[0][0];
    edit(probe);
    ModalAnswerer answerer({QMessageBox::Save});

    QVERIFY(window->close());

    QCOMPARE(answerer.seen.size(), 1);
    QVERIFY(!window->isVisible());
    const CarData saved = ReadRom(romPath);
    QCOMPARE(int(quint8(saved.characteristics[0].at(0))), 77);
    QCOMPARE(saved.sprites[0][0], ShiftSpritePixels(before, 1, 0));
    QCOMPARE(saved.sprites[0][1], probe.romSprites()[0][1]);
    QCOMPARE(probe.spriteOffsets()[0][0], QPoint());
}

void TestAppSaving::exitFailedSaveKeepsWindowOpen()
{
    EditorProbe probe(*window);
    edit(probe);
    const QString unwritable = dir.filePath(QStringLiteral("no-such-folder/game.bin"));
    probe.romFileName() = unwritable;
    {
        // Exit: save; the file is gone: write it back; that fails: OK.
        ModalAnswerer answerer({QMessageBox::Save, QMessageBox::Save, QMessageBox::Ok});

        QVERIFY(!window->close());

        QVERIFY(window->isVisible());
        QCOMPARE(answerer.seen.size(), 3);
        QCOMPARE(answerer.seen[2].icon, QMessageBox::Warning);
        const QString warning = answerer.seen[2].text;
        QVERIFY2(warning.contains(QDir::toNativeSeparators(unwritable)), qPrintable(warning));
        QVERIFY(!QFileInfo::exists(unwritable));
        // The edit is still there (the offset now lives in the pixels).
        QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    }

    // A second try with a good path saves and closes.
    probe.romFileName() = romPath;
    ModalAnswerer again({QMessageBox::Save});
    QVERIFY(window->close());
    QCOMPARE(int(quint8(ReadRom(romPath).characteristics[0].at(0))), 77);
}

void TestAppSaving::exitWithoutRomAsksNothing()
{
    EditorProbe probe(*window);
    probe.romFileName().clear();
    ModalAnswerer answerer;
    QVERIFY(window->close());
    QVERIFY(answerer.seen.isEmpty());
}

void TestAppSaving::saveSlot_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("writes");

    QTest::newRow("save") << int(QMessageBox::Save) << true;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
    QTest::newRow("escape") << int(QMessageBox::NoButton) << false;
}

void TestAppSaving::saveSlot()
{
    QFETCH(int, answer);
    QFETCH(bool, writes);

    EditorProbe probe(*window);
    edit(probe);
    ModalAnswerer answerer({QMessageBox::StandardButton(answer)});

    QVERIFY(probe.invoke("Save"));

    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].text, QString());
    QCOMPARE(answerer.seen[0].informativeText, QStringLiteral("Do you want to save your changes?"));
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
    EditorProbe probe(*window);
    edit(probe);
    // A folder where the ROM file should be: it can be neither replaced nor written.
    const QString blocked = dir.filePath(QStringLiteral("folder.bin"));
    QVERIFY(QDir().mkpath(blocked));
    probe.romFileName() = blocked;
    // Something else is where the ROM was: overwrite it, which fails.
    ModalAnswerer answerer({QMessageBox::Save, QMessageBox::Save, QMessageBox::Ok});

    QVERIFY(probe.invoke("Save"));

    QCOMPARE(answerer.seen.size(), 3);
    QCOMPARE(answerer.seen[2].icon, QMessageBox::Warning);
    const QString warning = answerer.seen[2].text;
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
    QTest::addColumn<int>("answer");           // to the question that follows
    QTest::addColumn<QString>("question");

    const QString changed = QStringLiteral("game.bin was changed by another program since it was opened.");
    const QString gone = QStringLiteral("game.bin no longer exists: it was deleted or renamed since it was opened.");
    QTest::newRow("changed, overwrite") << "change" << int(QMessageBox::Save) << changed;
    QTest::newRow("changed, cancel") << "change" << int(QMessageBox::Cancel) << changed;
    QTest::newRow("replaced by a renamed copy") << "replace" << int(QMessageBox::Cancel) << changed;
    QTest::newRow("deleted, write back") << "delete" << int(QMessageBox::Save) << gone;
    QTest::newRow("renamed, cancel") << "rename" << int(QMessageBox::Cancel) << gone;
}

void TestAppSaving::fileChangedOrGoneSinceOpened()
{
    QFETCH(QString, meanwhile);
    QFETCH(int, answer);
    QFETCH(QString, question);

    EditorProbe probe(*window);
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
    auto answerer = std::make_unique<ModalAnswerer>(
        QList<QMessageBox::StandardButton>{QMessageBox::Save, QMessageBox::StandardButton(answer)});

    QVERIFY(probe.invoke("Save"));

    QCOMPARE(answerer->seen.size(), 2);
    QCOMPARE(answerer->seen[1].text, question);
    answerer.reset();
    QCOMPARE(int(probe.characteristics()[0].at(0)), 77);
    if (answer == QMessageBox::Cancel) {
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
    ModalAnswerer again({QMessageBox::Save});
    QVERIFY(probe.invoke("Save"));
    QCOMPARE(again.seen.size(), 1);
}

QTEST_MAIN(TestAppSaving)
#include "tst_app_saving.moc"
