#include <QSignalSpy>
#include <QtTest>

#include <sys/mount.h>
#include <unistd.h>

#include "common/patchappliers.h"
#include "exchangetestrom.h"
#include "palette/palettefiles.h"
#include "testwindow.h"

// The window's exchange actions around the files: what the dialogs propose,
// what the status bar and the message boxes say, palette files and patches.
class TestExchangeActions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dialogsNameTheScope_data();
    void dialogsNameTheScope();
    void indexedFileType();
    void statusMessages();
    void writeFailuresGiveTheReason_data();
    void writeFailuresGiveTheReason();
    void droppedFileIsOneStepAndOneBox();
    void paletteImportIsOneStep();
    void paletteFileErrors_data();
    void paletteFileErrors();
    void patchTurnsTheOpenedFileIntoTheSavedOne_data();
    void patchTurnsTheOpenedFileIntoTheSavedOne();

private:
    QString Path(const QString &name) const { return window->path(name); }

    std::unique_ptr<TestWindow> window;
    WindowProbe *probe = nullptr;
};

void TestExchangeActions::init()
{
    window = std::make_unique<TestWindow>(ExchangeTestData());
    QVERIFY(window->romWritten);
    probe = &window->probe;
}

void TestExchangeActions::cleanup()
{
    probe = nullptr;
    window.reset();
}

void TestExchangeActions::dialogsNameTheScope_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("exportTitle");
    QTest::addColumn<QString>("importTitle");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("sprite") << int(ExchangeScope::Sprite) << "Export sprite 14 of car 3" << "Import sprite 14 of car 3"
                            << "sprite-3-14.png";
    QTest::newRow("car") << int(ExchangeScope::Car) << "Export car 3" << "Import car 3" << "car-3.png";
    QTest::newRow("all cars") << int(ExchangeScope::AllCars) << "Export all cars" << "Import all cars" << "cars.png";
}

void TestExchangeActions::dialogsNameTheScope()
{
    QFETCH(int, scope);
    QFETCH(QString, exportTitle);
    QFETCH(QString, importTitle);
    QFETCH(QString, proposed);
    SelectScope(*probe, ExchangeScope(scope), false, 3, 14);
    DialogScript cancel(window->prompts, QString());
    probe->click("pushButtonSave");
    probe->click("pushButtonLoad");
    QCOMPARE(cancel.dialogTitles(), (QStringList{exportTitle, importTitle}));
    QCOMPARE(cancel.proposedNames(), (QStringList{proposed, proposed}));
    QVERIFY(cancel.messages().isEmpty());
}

void TestExchangeActions::indexedFileType()
{
    SelectScope(*probe, ExchangeScope::Car, false, 2);
    DialogScript answer(window->prompts, Path(QStringLiteral("car")));   // no suffix: the type's is added
    answer.chooseType(QStringLiteral("PNG, indexed (*.png)"));
    probe->click("pushButtonSave");
    QVERIFY(answer.messages().isEmpty());
    const QImage written(Path(QStringLiteral("car.png")));
    QCOMPARE(written.format(), QImage::Format_Indexed8);
    QCOMPARE(written.size(), QSize(624, 432));
}

void TestExchangeActions::statusMessages()
{
    QSignalSpy status(&probe->statusLog(), &StatusLog::shown);
    SelectScope(*probe, ExchangeScope::Car, false, 3);
    {
        DialogScript answer(window->prompts, Path(QStringLiteral("car-3.png")));
        probe->click("pushButtonSave");
    }
    QVERIFY(QDir().mkdir(Path(QStringLiteral("cars"))));
    SelectScope(*probe, ExchangeScope::AllCars, true);
    {
        DialogScript answer(window->prompts, Path(QStringLiteral("cars/x.bin")));
        probe->click("pushButtonSave");
        QVERIFY(answer.messages().isEmpty());
    }
    SelectScope(*probe, ExchangeScope::Car, false, 3);
    {
        DialogScript answer(window->prompts, Path(QStringLiteral("car-3.png")));
        probe->click("pushButtonLoad");
    }
    SelectScope(*probe, ExchangeScope::Sprite, false, 3, 14);
    probe->exchange().ImportDroppedFile(Path(QStringLiteral("cars/x-03-14.bin")));
    QStringList texts;
    for (const QList<QVariant> &signal : status)
        texts.append(signal.at(0).toString());
    QCOMPARE(texts, (QStringList{QStringLiteral("Exported car 3 to car-3.png"),
                                 QStringLiteral("Exported 225 sprites to cars/"),
                                 QStringLiteral("Imported car 3 from car-3.png"),
                                 QStringLiteral("Imported sprite 14 of car 3 from x-03-14.bin")}));
}

void TestExchangeActions::writeFailuresGiveTheReason_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a file where the folder should be") << "game.rom/car.png" << "Not a directory";
    QTest::newRow("no picture format") << "car.xyz" << "no picture format for this file name";
    QTest::newRow("read-only folder") << "locked/car.bin" << "Read-only file system";
}

void TestExchangeActions::writeFailuresGiveTheReason()
{
    QFETCH(QString, chosen);
    QFETCH(QString, reason);
    const QString locked = Path(QStringLiteral("locked"));
    if (chosen.startsWith(QLatin1String("locked"))) {
        QVERIFY(QDir().mkdir(locked));
        if (::mount("tmpfs", QFile::encodeName(locked).constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
            QSKIP("no read-only tmpfs can be mounted here");
    }
    SelectScope(*probe, ExchangeScope::Car, false, 3);
    QString message;
    {
        DialogScript answer(window->prompts, Path(chosen));
        probe->click("pushButtonSave");
        message = answer.messages().value(0);
        QCOMPARE(answer.messages().size(), 1);
    }
    if (chosen.startsWith(QLatin1String("locked")))
        ::umount2(QFile::encodeName(locked).constData(), MNT_DETACH);
    QCOMPARE(message, QStringLiteral("File write error\nCannot write file \"%1\": %2").arg(Path(chosen), reason));
}

void TestExchangeActions::droppedFileIsOneStepAndOneBox()
{
    QUndoStack *stack = probe->document().undoStack();
    // A numbered set with only its first file: one step for what loaded, one
    // box for the 44 files that are missing.
    SelectScope(*probe, ExchangeScope::Car, true, 2);
    QVERIFY(probe->exportSprites(Path(QStringLiteral("set.bin"))));
    for (int s = 2; s <= 45; ++s)
        QVERIFY(QFile::remove(Path(QStringLiteral("set-%1.bin").arg(s, 2, 10, QLatin1Char('0')))));
    probe->edit([&](DocumentTables &t) { t.sprites[1][0] = SpritePixels(2304, 3); });
    const SpriteTable before = probe->sprites();
    const int steps = stack->count();
    DialogScript answer(window->prompts, QString());
    probe->exchange().ImportDroppedFile(Path(QStringLiteral("set-01.bin")));
    QCOMPARE(stack->count(), steps + 1);
    QCOMPARE(stack->text(stack->count() - 1), QStringLiteral("Import car 2 from set-01.bin"));
    QCOMPARE(answer.messages().size(), 1);
    QVERIFY2(answer.messages().first().startsWith(QStringLiteral("Cannot load file \"%1\": No such file or directory\n")
                                                    .arg(Path(QStringLiteral("set-02.bin")))),
             qPrintable(answer.messages().first()));
    QVERIFY(answer.messages().first().endsWith(QStringLiteral("... and 32 more")));
    stack->undo();
    QCOMPARE(probe->sprites(), before);
}

void TestExchangeActions::paletteImportIsOneStep()
{
    probe->ui()->comboBoxPalette->setCurrentIndex(0);
    const QString name = probe->ui()->comboBoxPalette->itemText(0);
    const Palette before = probe->palettes().at(0);
    const QString file = Path(QStringLiteral("three.gpl"));
    QVERIFY(WriteTestFile(file, "GIMP Palette\n255 0 0 red\n0 255 0\n0 0 255\n") == file);
    QUndoStack *stack = probe->document().undoStack();
    const int steps = stack->count();
    QSignalSpy status(&probe->statusLog(), &StatusLog::shown);

    QCOMPARE(probe->paletteFiles().ImportPaletteFrom(file), QString());
    Palette expected = before;
    expected[0] = QColor(255, 0, 0);
    expected[1] = QColor(0, 255, 0);
    expected[2] = QColor(0, 0, 255);
    QCOMPARE(probe->palettes().at(0), expected);
    QCOMPARE(stack->count(), steps + 1);
    QCOMPARE(stack->text(stack->count() - 1), QStringLiteral("Import palette %1 from three.gpl").arg(name));
    QCOMPARE(status.size(), 1);
    stack->undo();
    QCOMPARE(probe->palettes().at(0), before);

    // And back out: the file holds the palette as it is now.
    QCOMPARE(probe->paletteFiles().ExportPaletteTo(Path(QStringLiteral("out.act"))), QString());
    const Result<QList<QColor>> read = ReadPaletteFile(Path(QStringLiteral("out.act")));
    QVERIFY(read);
    QCOMPARE(*read, before);
}

void TestExchangeActions::paletteFileErrors_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("palette");
    QTest::newRow("bad line") << "bad.gpl" << QByteArray("GIMP Palette\n1 2 3\nnot a colour\n") << "line 3" << 0;
    QTest::newRow("odd colour words") << "bad.bin" << QByteArray(3, '\0') << "byte" << 0;
    QTest::newRow("fixed palette") << "good.gpl" << QByteArray("GIMP Palette\n1 2 3\n") << "fixed" << 10;
}

void TestExchangeActions::paletteFileErrors()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, place);
    QFETCH(int, palette);
    const QString file = WriteTestFile(Path(name), bytes);
    const PaletteTable before = probe->palettes();
    probe->ui()->comboBoxPalette->setCurrentIndex(palette);
    const QString error = probe->paletteFiles().ImportPaletteFrom(file);
    probe->ui()->comboBoxPalette->setCurrentIndex(0);
    QVERIFY2((palette != 0 || error.contains(file)) && error.contains(place), qPrintable(error));
    QCOMPARE(probe->palettes(), before);
}

void TestExchangeActions::patchTurnsTheOpenedFileIntoTheSavedOne_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("ips") << "mod.ips";
    QTest::newRow("bps") << "mod.BPS";
}

void TestExchangeActions::patchTurnsTheOpenedFileIntoTheSavedOne()
{
    QFETCH(QString, name);
    const QByteArray opened = ReadBytes(Path(QStringLiteral("game.rom")));
    probe->edit([&](DocumentTables &t) { t.sprites[2][5] = SpritePixels(2304, 7); });
    probe->edit([&](DocumentTables &t) { t.offsets[4][1] = QPoint(2, -3); });   // baked into the patched pixels
    probe->edit([&](DocumentTables &t) { t.palettes[1][3] = QColor(0, 0, 0); });
    QSignalSpy status(&probe->statusLog(), &StatusLog::shown);

    QCOMPARE(probe->patches().WritePatchTo(Path(name)), QString());
    const QByteArray patch = ReadBytes(Path(name));
    const QByteArray expected = PatchedImage(opened, probe->document().dataToSave());
    QVERIFY(expected != opened);
    const std::optional<QByteArray> applied = name.endsWith(QLatin1String(".ips")) ? ApplyIps(patch, opened)
                                                                                   : ApplyBps(patch, opened);
    QVERIFY(applied.has_value());
    QCOMPARE(*applied, expected);
    QCOMPARE(ReadBytes(Path(QStringLiteral("game.rom"))), opened);   // nothing saved
    QCOMPARE(status.size(), 1);
    QCOMPARE(status.at(0).at(0).toString(), QStringLiteral("Wrote %1 (%2 bytes)").arg(name).arg(patch.size()));
}

QTEST_MAIN(TestExchangeActions)
#include "tst_exchangeactions.moc"
