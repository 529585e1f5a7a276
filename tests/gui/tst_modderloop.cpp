// The modder's loop from the window: F5 plays the ROM as Save would write it
// in a stand-in emulator, Ctrl+E links the Save/Load box's scope to a
// stand-in pixel editor, and Edit > Preferences sets both commands.
#include <cstdio>

#include <QBuffer>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QtTest>

#include "editor/controllers/editlinkcontroller.h"
#include "editor/controllers/playtestcontroller.h"
#include "editor/dialogs/preferencesdialog.h"
#include "exchange/sheetlayout.h"
#include "exchangetestrom.h"
#include "external/emulatorchoice.h"
#include "external/externaleditlink.h"
#include "external/playtestrunner.h"
#include "testwindow.h"

namespace {

// An executable shell script at path.
QString WriteScript(const QString &path, const QString &body)
{
    WriteTestFile(path, QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

void SetCommands(const QString &emulator, const QString &pixelEditor)
{
    QSettings settings;
    settings.setValue(QStringLiteral("emulatorCommand"), emulator);
    settings.setValue(QStringLiteral("pixelEditorCommand"), pixelEditor);
}

QAction *Action(SKMcarEditor &editor, const char *name)
{
    auto *action = editor.findChild<QAction *>(QString::fromLatin1(name));
    if (!action)
        qFatal("the window has no %s", name);
    return action;
}

// Saves picture over path as editors do: a temporary file renamed over it.
bool SaveAsEditorsDo(const QImage &picture, const QString &path)
{
    const QString temporary = path + QStringLiteral(".tmp.png");
    return picture.save(temporary, "png")
        && std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) == 0;
}

// Pixels that differ between two sprite tables of one shape.
int DifferentPixels(const SpriteTable &a, const SpriteTable &b)
{
    int different = 0;
    for (int car = 0; car < a.size(); ++car)
        for (int sprite = 0; sprite < a.at(car).size(); ++sprite)
            for (int pixel = 0; pixel < kPixelsPerSprite; ++pixel)
                different += a.at(car).at(sprite).at(pixel) != b.at(car).at(sprite).at(pixel);
    return different;
}

}  // namespace

class TestModderLoop : public QObject
{
    Q_OBJECT

    QTemporaryDir settingsDir;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-loop"));
    }

    void playTestGivesTheSavedBytesToACopy()
    {
        TestWindow w(ExchangeTestData());
        QVERIFY(w.romWritten);
        const QString rom = w.path(QStringLiteral("game.rom"));
        const QByteArray onDisk = ReadBytes(rom);
        const QString script = WriteScript(w.path(QStringLiteral("emu")),
                                           QStringLiteral("printf '%s\\n' \"$@\" > '%1'\ncp \"$1\" '%2'")
                                               .arg(w.path(QStringLiteral("args.txt")), w.path(QStringLiteral("copy.bin"))));
        SetCommands(QStringLiteral("'%1' %f").arg(script), {});

        // An unsaved pixel and a pending offset: both are in the copy.
        CarDocument &document = w.probe.document();
        DocumentTables after = document.tables();
        after.sprites[1][2][0] = after.sprites[1][2][0] == 1 ? 2 : 1;
        after.offsets[1][2] = QPoint(1, -2);
        QVERIFY(document.Change(QStringLiteral("edit"), {1, 2, -1}, after));

        PlayTestRunner &runner = w.probe.controller<PlayTestController>("playTestController").Runner();
        QSignalSpy finished(&runner, &PlayTestRunner::finished);
        Action(w.editor, "actionPlayTest")->trigger();
        QVERIFY(finished.count() == 1 || finished.wait(20000));
        QCOMPARE(finished.first().first().toInt(), 0);

        const QStringList args = QString::fromUtf8(ReadBytes(w.path(QStringLiteral("args.txt")))).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(args.size(), 1);
        QVERIFY2(!QFile::exists(args.first()), "the copy stays after its emulator ended");
        QVERIFY(QFileInfo(args.first()).absolutePath() != QFileInfo(rom).absolutePath());
        const QByteArray copy = ReadBytes(w.path(QStringLiteral("copy.bin")));
        QVERIFY(copy == document.bytesToSave());
        QVERIFY(copy != onDisk);
        QVERIFY(ReadBytes(rom) == onDisk);
        QVERIFY(document.isModified());
        QVERIFY(w.prompts.messages().isEmpty());
        QVERIFY2(w.editor.StatusBar()->currentMessage().contains(QStringLiteral("copy of game.rom")),
                 qPrintable(w.editor.StatusBar()->currentMessage()));
    }

    void playTestFailuresAreTold_data()
    {
        QTest::addColumn<QString>("body");   // the stand-in's script; empty: a program that is not there
        QTest::addColumn<QStringList>("told");
        QTest::newRow("missing") << QString() << QStringList{"no-such-emulator-skm", "not installed", "Preferences"};
        QTest::newRow("exit 1") << QStringLiteral("echo 'unknown ROM header' >&2\nexit 1")
                                << QStringList{"stopped with status 1", "unknown ROM header"};
        QTest::newRow("exit 1 after its first dialog") << QStringLiteral("sleep 2.2\necho 'no audio device' >&2\nexit 1")
                                                       << QStringList{"stopped with status 1", "no audio device"};
    }

    void playTestFailuresAreTold()
    {
        QFETCH(QString, body);
        QFETCH(QStringList, told);
        TestWindow w(ExchangeTestData());
        QVERIFY(w.romWritten);
        SetCommands(body.isEmpty() ? QStringLiteral("no-such-emulator-skm %f")
                                   : QStringLiteral("'%1' %f").arg(WriteScript(w.path(QStringLiteral("emu")), body)),
                    {});
        PlayTestRunner &runner = w.probe.controller<PlayTestController>("playTestController").Runner();
        QSignalSpy finished(&runner, &PlayTestRunner::finished);
        Action(w.editor, "actionPlayTest")->trigger();
        if (!body.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(w.prompts.messages().size(), 1);
        for (const QString &part : told)
            QVERIFY2(w.prompts.messages().first().contains(part), qPrintable(w.prompts.messages().first()));
        QCOMPARE(runner.running(), 0);
    }

    void preferencesShowAndStoreTheCommands()
    {
        TestWindow w(ExchangeTestData());
        QVERIFY(w.romWritten);
        SetCommands({}, QStringLiteral("my-paint %f"));
        Action(w.editor, "actionPreferences")->trigger();
        auto *dialog = w.editor.findChild<PreferencesDialog *>(QStringLiteral("preferencesDialog"));
        QVERIFY(dialog && dialog->isVisible());
        auto *emulator = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditEmulatorCommand"));
        auto *editor = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditPixelEditorCommand"));
        QCOMPARE(emulator->accessibleName(), QStringLiteral("Emulator command"));
        QCOMPARE(editor->accessibleName(), QStringLiteral("Pixel editor command"));
        // The empty field shows the built-in choice; the stored one its command.
        const QString installed = InstalledEmulatorCommand();
        QCOMPARE(emulator->placeholderText(), installed.isEmpty() ? QStringLiteral("none installed") : installed);
        QCOMPARE(emulator->text(), QString());
        QCOMPARE(editor->text(), QStringLiteral("my-paint %f"));

        // A command that does not parse keeps the dialog open and stores nothing.
        emulator->setText(QStringLiteral("emu 'open %f"));
        dialog->accept();
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("labelPreferencesProblem"))->text().contains("Emulator command"));
        QCOMPARE(QSettings().value(QStringLiteral("pixelEditorCommand")).toString(), QStringLiteral("my-paint %f"));

        emulator->setText(QStringLiteral(" my-emu -x %f "));
        editor->clear();
        dialog->accept();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(QSettings().value(QStringLiteral("emulatorCommand")).toString(), QStringLiteral("my-emu -x %f"));
        QVERIFY(!QSettings().contains(QStringLiteral("pixelEditorCommand")));
    }

    void linkRoundTripIsOneStepOfExactlyThePixelsChanged()
    {
        TestWindow w(ExchangeTestData());
        QVERIFY(w.romWritten);
        const QString received = w.path(QStringLiteral("received.txt"));
        const QString script =
            WriteScript(w.path(QStringLiteral("paint")), QStringLiteral("printf '%s' \"$1\" > '%1'").arg(received));
        SetCommands({}, QStringLiteral("'%1' %f").arg(script));
        CarDocument &document = w.probe.document();
        QUndoStack &stack = *document.undoStack();
        w.probe.selection().setCar(2);
        w.probe.click("radioButtonSaveCar");
        auto &control = w.probe.controller<EditLinkController>("editLinkController");
        auto *linkLabel = w.editor.findChild<QLabel *>(QStringLiteral("labelLink"));

        Action(w.editor, "actionEditExternally")->trigger();
        QVERIFY(w.prompts.messages().isEmpty());
        QVERIFY(control.isLinked());
        QCOMPARE(linkLabel->text(), QStringLiteral("Linked: car-3.png"));
        QTRY_COMPARE(QString::fromUtf8(ReadBytes(received)), control.linkedFile());

        // The picture is indexed: three pixels get other indices, as a pixel editor would.
        const QString linked = control.linkedFile();
        QImage picture(linked);
        QCOMPARE(picture.format(), QImage::Format_Indexed8);
        const QList<SheetCell> cells = ViewSheetCells();
        const SpriteTable before = document.sprites();
        struct Change { int sprite; int x; int y; };
        const Change changes[] = {{cells.at(0).sprite, 10, 20}, {cells.at(0).sprite, 11, 20}, {cells.at(30).sprite, 47, 0}};
        const QPoint corners[] = {cells.at(0).topLeft, cells.at(0).topLeft, cells.at(30).topLeft};
        for (int i = 0; i < 3; ++i) {
            const int now = before[2][changes[i].sprite][SpritePixelIndex(changes[i].x, changes[i].y)];
            picture.setPixel(corners[i] + QPoint(changes[i].x, changes[i].y), now == 3 ? 4 : 3);
        }
        const int steps = stack.count();
        QVERIFY(SaveAsEditorsDo(picture, linked));
        QTRY_COMPARE_WITH_TIMEOUT(stack.count(), steps + 1, 10000);
        QCOMPARE(stack.undoText(), QStringLiteral("Update car 3 from car-3.png"));
        QCOMPARE(DifferentPixels(before, document.sprites()), 3);
        for (const Change &change : changes) {
            const int now = document.sprites()[2][change.sprite][SpritePixelIndex(change.x, change.y)];
            const int was = before[2][change.sprite][SpritePixelIndex(change.x, change.y)];
            QCOMPARE(now, was == 3 ? 4 : 3);
        }

        // An edit made here meanwhile: the next save replaces the scope as one step and says so.
        DocumentTables edited = document.tables();
        edited.sprites[2][0][0] = edited.sprites[2][0][0] == 5 ? 1 : 5;
        QVERIFY(document.Change(QStringLiteral("window edit"), {2, 0, -1}, edited));
        picture.setPixel(cells.at(5).topLeft + QPoint(1, 1), 15);
        QVERIFY(SaveAsEditorsDo(picture, linked));
        QTRY_COMPARE_WITH_TIMEOUT(stack.count(), steps + 3, 10000);
        QVERIFY2(w.editor.StatusBar()->currentMessage().contains(QStringLiteral("replacing the edits")),
                 qPrintable(w.editor.StatusBar()->currentMessage()));
        stack.undo();
        QCOMPARE(document.sprites(), edited.sprites);

        // Revert ends the link (the small test image asks "Open Anyway" too).
        w.prompts.confirmAnswers << true << true;
        QVERIFY(w.editor.Revert());
        QVERIFY(!control.isLinked());
        QVERIFY(linkLabel->isHidden());
        QVERIFY(!QFile::exists(linked));
        QVERIFY(!Action(w.editor, "actionStopEditingExternally")->isEnabled());
    }

    // Two saves land while the first is being taken in: the import takes the
    // bytes the link saw settle, not what the file holds by then.
    void linkImportsTheBytesThatSettled()
    {
        TestWindow w(ExchangeTestData());
        QVERIFY(w.romWritten);
        SetCommands({}, QStringLiteral("'%1' %f").arg(WriteScript(w.path(QStringLiteral("paint")), "exit 0")));
        CarDocument &document = w.probe.document();
        w.probe.selection().setCar(2);
        w.probe.click("radioButtonSaveCar");
        auto &control = w.probe.controller<EditLinkController>("editLinkController");
        Action(w.editor, "actionEditExternally")->trigger();
        QVERIFY(control.isLinked());
        const QString linked = control.linkedFile();
        const QImage picture(linked);
        const QPoint at = ViewSheetCells().at(0).topLeft + QPoint(5, 5);
        const auto withIndex = [&](int index) {
            QImage changed = picture;
            changed.setPixel(at, uint(index));
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            changed.save(&buffer, "png");
            return bytes;
        };
        const int sprite = ViewSheetCells().at(0).sprite;
        const int was = document.sprites()[2][sprite][SpritePixelIndex(5, 5)];
        const int settled = was == 3 ? 4 : 3;
        const int newer = was == 5 ? 1 : 5;
        // The file holds a newer save already when the settled one is reported.
        WriteTestFile(linked, withIndex(newer));
        auto *link = control.findChild<ExternalEditLink *>();
        QVERIFY(link);
        emit link->pictureSaved(linked, withIndex(settled));
        QCOMPARE(document.sprites()[2][sprite][SpritePixelIndex(5, 5)], settled);
    }

    // The link's folder deleted for good: the link ends and says so.
    void linkEndsWhenItsFolderGoes()
    {
        TestWindow w(ExchangeTestData());
        QVERIFY(w.romWritten);
        SetCommands({}, QStringLiteral("'%1' %f").arg(WriteScript(w.path(QStringLiteral("paint")), "exit 0")));
        auto &control = w.probe.controller<EditLinkController>("editLinkController");
        auto *linkLabel = w.editor.findChild<QLabel *>(QStringLiteral("labelLink"));
        Action(w.editor, "actionEditExternally")->trigger();
        QVERIFY(control.isLinked());
        QVERIFY(!linkLabel->isHidden());
        const QString folder = QFileInfo(control.linkedFile()).absolutePath();
        const QString name = QFileInfo(control.linkedFile()).fileName();
        QVERIFY(QDir(folder).removeRecursively());
        QTRY_VERIFY_WITH_TIMEOUT(!control.isLinked(), ExternalEditLink::kFolderReturnMs + 5000);
        QVERIFY(linkLabel->isHidden());
        QVERIFY(!Action(w.editor, "actionStopEditingExternally")->isEnabled());
        const QString told = w.editor.StatusBar()->currentMessage();
        QVERIFY2(told.startsWith(QStringLiteral("Stopped editing %1 externally: its folder").arg(name)) && told.contains(folder)
                     && told.contains(QStringLiteral("was removed")),
                 qPrintable(told));
    }
};

QTEST_MAIN(TestModderLoop)
#include "tst_modderloop.moc"
