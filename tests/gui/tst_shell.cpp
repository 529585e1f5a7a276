// The window's shell: menus and their keys, saving from the menu, the ROM
// check, .smd images, opening another ROM, the recent list, drops.
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

#include "common/testrom.h"
#include "editor/dialogs/romcheckdialog.h"
#include "exchangetestrom.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"
#include "testwindow.h"
#include "windowcontrols.h"

namespace {

QAction *Action(SKMcarEditor &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

// A plain image with the cartridge header mark and the car data of seed.
QByteArray PlainRom(quint32 seed)
{
    QByteArray plain = RandomBytes(1 << 20, seed);
    plain.replace(0x100, 4, "SEGA");
    return PatchedImage(plain, ExchangeTestData(seed));
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

private slots:
    void menusAndKeys();
    void saveFromMenuWritesAtOnce();
    void revertReadsTheFileAgain();
    void zoomSteps();
    void romCheck_data();
    void romCheck();
    void smdRoundTrip();
    void openAnotherAsksFirst();
    void shortFileGrowsOnlyWhenAllowed();
    void dropOfSeveralFilesRefused();
};

void TestShell::menusAndKeys()
{
    TestWindow w(ExchangeTestData(1));
    QVERIFY(w.romWritten);
    const QList<QPair<const char *, QKeySequence>> expected = {
        {"actionOpen", QKeySequence(Qt::CTRL | Qt::Key_O)},   {"actionSave", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"actionZoomIn", QKeySequence(Qt::CTRL | Qt::Key_Plus)}, {"actionZoomOut", QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {"actionDefaultZoom", QKeySequence(Qt::CTRL | Qt::Key_0)}, {"actionUserGuide", QKeySequence(Qt::Key_F1)},
        {"actionPlayTest", QKeySequence(Qt::Key_F5)}, {"actionEditExternally", QKeySequence(Qt::CTRL | Qt::Key_E)},
        {"actionQuit", QKeySequence()}};
    for (const auto &[name, keys] : expected) {
        QAction *action = Action(w.editor, name);
        QVERIFY2(action, name);
        QCOMPARE(action->shortcut(), keys);
    }
    QStringList menus;
    for (QAction *menu : w.editor.MenuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&Sprite", "&Palette", "&Car", "&View", "&Game", "&Help"}));

    // The undo item names the step.
    Control<QLabel>(w.editor, "labelPaletteSwap")->setFocus();
    QTest::mouseClick(Control<QLabel>(w.editor, "labelPaletteSwap"), Qt::LeftButton);
    QVERIFY(Action(w.editor, "actionUndo")->text().startsWith(QStringLiteral("&Undo Swap colours 1 and 2 of")));
}

void TestShell::saveFromMenuWritesAtOnce()
{
    TestWindow w(ExchangeTestData(2));
    QVERIFY(w.romWritten);
    Control<QSpinBox>(w.editor, "spinBoxTopSpeed")->setValue(99);
    Action(w.editor, "actionSave")->trigger();
    QCOMPARE(w.prompts.asked.size(), 0);   // no question
    QVERIFY(!w.editor.Document().isModified());
    QCOMPARE(int(quint8(ReadBytes(w.editor.Document().path()).at(kCharacteristicsOffset))), 99);
    QVERIFY2(w.editor.StatusBar()->currentMessage().startsWith(QStringLiteral("Saved game.rom (1,042,816 bytes, checksum ")),
             qPrintable(w.editor.StatusBar()->currentMessage()));
    // The header information beside it is the saved file's.
    const QString checksum = QStringLiteral("%1").arg(RomChecksum(ReadBytes(w.editor.Document().path())), 4, 16, QLatin1Char('0')).toUpper();
    const QString info = w.editor.findChild<QLabel *>(QStringLiteral("labelRomInfo"))->text();
    QVERIFY2(info.contains(QStringLiteral("checksum %1 correct").arg(checksum)), qPrintable(info));
}

void TestShell::revertReadsTheFileAgain()
{
    TestWindow w(ExchangeTestData(8));
    QVERIFY(w.romWritten);
    Control<QSpinBox>(w.editor, "spinBoxJumping")->setValue(12);
    w.prompts.confirmAnswers = {false};
    QVERIFY(!w.editor.Revert());
    QCOMPARE(w.prompts.asked.size(), 1);
    QVERIFY(w.editor.Document().isModified());
    // Another program changed the file meanwhile: Revert takes it as it is now.
    WriteTestFile(w.editor.Document().path(), PlainRom(9));
    w.prompts.confirmAnswers = {true};
    Action(w.editor, "actionRevert")->trigger();
    QCOMPARE(w.prompts.asked.size(), 2);
    QVERIFY(!w.editor.Document().isModified());
    QVERIFY(!w.editor.isWindowModified());
    QCOMPARE(w.editor.Document().undoStack()->count(), 0);
    QCOMPARE(w.editor.Document().sprites(), ExchangeTestData(9).sprites);
    // Clean: closing asks nothing, and a save raises no changed-on-disk question.
    Control<QSpinBox>(w.editor, "spinBoxJumping")->setValue(13);
    Action(w.editor, "actionSave")->trigger();
    QCOMPARE(w.prompts.asked.size(), 2);   // nothing more asked
    QVERIFY(w.editor.close());
}

void TestShell::zoomSteps()
{
    TestWindow w(ExchangeTestData(3));
    QDoubleSpinBox *zoom = Control<QDoubleSpinBox>(w.editor, "doubleSpinBoxSpriteZoom");
    Action(w.editor, "actionZoomIn")->trigger();
    QCOMPARE(zoom->value(), 4.0);
    zoom->setValue(3.4);
    Action(w.editor, "actionZoomOut")->trigger();
    QCOMPARE(zoom->value(), 3.0);
    zoom->setValue(10.0);
    Action(w.editor, "actionZoomIn")->trigger();
    QCOMPARE(zoom->value(), 10.0);
    Action(w.editor, "actionDefaultZoom")->trigger();
    QCOMPARE(zoom->value(), 3.0);
}

void TestShell::romCheck_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning");   // empty: no question

    QByteArray atLimit(kSpritesAreaEnd, '\0');
    QByteArray withHeader = atLimit;
    withHeader.replace(0x100, 4, "SEGA");
    QTest::newRow("3 bytes") << QByteArray("abc") << QStringLiteral("tiny.bin is 3 bytes; the car data needs at least 1,042,816");
    QTest::newRow("one byte short") << withHeader.left(kSpritesAreaEnd - 1) << QStringLiteral("1,042,815 bytes");
    QTest::newRow("no header") << atLimit << QStringLiteral("no Mega Drive cartridge header");
    QTest::newRow("exactly at the limit") << withHeader << QString();
}

void TestShell::romCheck()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString path = WriteTestFile(dir.filePath(QStringLiteral("tiny.bin")), bytes);
    ScriptedPrompts prompts;   // answers Cancel
    QCOMPARE(ConfirmRomFile(prompts, path).has_value(), warning.isEmpty());
    QCOMPARE(prompts.asked.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty())
        QVERIFY2(prompts.asked[0].text.contains(warning), qPrintable(prompts.asked[0].text));
    QCOMPARE(ReadBytes(path), bytes);
}

void TestShell::smdRoundTrip()
{
    QTemporaryDir dir;
    const QByteArray plain = PlainRom(4);
    QByteArray header(kSmdHeaderSize, '\0');
    header[0] = char(plain.size() / kSmdBlockSize);
    header[1] = 0x03;
    header[8] = char(0xAA);
    header[9] = char(0xBB);
    header[42] = 'x';   // anything else in the header stays as it is
    const QByteArray file = InterleaveSmd(header, plain);
    const QString path = WriteTestFile(dir.filePath(QStringLiteral("game.smd")), file);

    SKMcarEditor window(path);
    QCOMPARE(window.Document().sprites(), ExchangeTestData(4).sprites);   // read de-interleaved
    QTest::mouseClick(Control<QLabel>(window, "labelPaletteSwap"), Qt::LeftButton);
    Action(window, "actionSave")->trigger();
    QVERIFY(!window.Document().isModified());

    const QByteArray expected = InterleaveSmd(header, PatchedImage(plain, window.Document().dataToSave()));
    const QByteArray saved = ReadBytes(path);
    QCOMPARE(saved.size(), file.size());
    QCOMPARE(saved.left(kSmdHeaderSize), header);
    QVERIFY(saved == expected);
    QVERIFY(saved != file);
}

void TestShell::openAnotherAsksFirst()
{
    TestWindow w(ExchangeTestData(5));
    QVERIFY(w.romWritten);
    const QString other = WriteTestFile(w.path(QStringLiteral("other.bin")), PlainRom(6));
    Control<QSpinBox>(w.editor, "spinBoxJumping")->setValue(12);
    w.prompts.saveAnswers = {Prompts::SaveChoice::Cancel};
    QVERIFY(!w.editor.OpenRom(other));
    QCOMPARE(w.prompts.asked.size(), 1);
    QVERIFY(w.editor.Document().isModified());
    w.prompts.saveAnswers = {Prompts::SaveChoice::Discard};
    QVERIFY(w.editor.OpenRom(other));
    QCOMPARE(w.editor.Document().path(), other);
    QCOMPARE(w.editor.Document().undoStack()->count(), 0);
    QCOMPARE(w.editor.Document().sprites(), ExchangeTestData(6).sprites);
    QVERIFY(w.editor.windowTitle().startsWith(QStringLiteral("other.bin[*]")));
    QVERIFY(w.editor.StatusBar()->currentMessage().startsWith(QStringLiteral("Opened other.bin")));
}

void TestShell::shortFileGrowsOnlyWhenAllowed()
{
    QTemporaryDir dir;
    const QString path = WriteTestFile(dir.filePath(QStringLiteral("tiny.bin")), QByteArray("abc"));
    ScriptedPrompts prompts;
    SKMcarEditor window(path, &prompts);   // opened anyway
    Control<QSpinBox>(window, "spinBoxTopSpeed")->setValue(5);
    prompts.confirmAnswers = {false};
    Action(window, "actionSave")->trigger();
    QVERIFY(window.Document().isModified());
    QCOMPARE(prompts.asked.size(), 1);
    QVERIFY2(prompts.asked[0].text.contains(QStringLiteral("from 3 bytes to 1,042,816 bytes")),
             qPrintable(prompts.asked[0].text));
    QCOMPARE(ReadBytes(path), QByteArray("abc"));
    prompts.confirmAnswers = {true};
    Action(window, "actionSave")->trigger();
    QVERIFY(!window.Document().isModified());
    QCOMPARE(ReadBytes(path).size(), qsizetype(kSpritesAreaEnd));
}

void TestShell::dropOfSeveralFilesRefused()
{
    TestWindow w(ExchangeTestData(7));
    QVERIFY(w.romWritten);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(w.path(QStringLiteral("a.png"))), QUrl::fromLocalFile(w.path(QStringLiteral("b.png")))});
    // As a drag ends: entered, then dropped.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.editor, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.editor, &drop);
    QCOMPARE(w.prompts.messages().size(), 1);
    QVERIFY(w.prompts.messages().first().contains(QStringLiteral("one file at a time")));
    QCOMPARE(w.editor.Document().undoStack()->count(), 0);
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
