// Every kind of step, undone and redone from the keyboard, with the tables
// compared whole before and after; merging; the clean state across saves; the
// exit question only with unsaved changes.
#include <functional>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "common/testrom.h"
#include "rom/romreader.h"
#include "car/equipment.h"
#include "editor/controllers/exchangecontroller.h"
#include "editor/displays/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"
#include "windowcontrols.h"

namespace {

using Action = std::function<void(SKMcarEditor &, WindowProbe &, const QString &folder)>;

void ClickLabel(QWidget *label, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(label, button);
}

void PressUndo(QWidget *focus)
{
    QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
}

void PressRedo(QWidget *focus, bool withY)
{
    if (withY)
        QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
    else
        QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
}

// Sprite 1 of car 1 becomes a small block in the top left corner, so that
// centring has something to move.
void PutBlockInCorner(SKMcarEditor &e, WindowProbe &, const QString &)
{
    DocumentTables tables = e.Document().tables();
    SpritePixels pixels(kPixelsPerSprite, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            pixels[SpritePixelIndex(x, y)] = 3;
    tables.sprites[0][0] = pixels;
    QVERIFY(e.Document().Change(QStringLiteral("block"), {}, tables));
}

void SaveFromMenu(SKMcarEditor &window)
{
    window.findChild<QAction *>(QStringLiteral("actionSave"))->trigger();
}

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void everyStep_data();
    void everyStep();
    void typingMergesPerBoxAndCar();
    void failedImportLeavesNoStep();
    void cleanAcrossSaves();
    void exitQuestionOnlyWhenModified();
};

void TestUndo::everyStep_data()
{
    QTest::addColumn<Action>("prepare");   // a change the step can undo (may be empty)
    QTest::addColumn<Action>("act");

    const Action none = [](SKMcarEditor &, WindowProbe &, const QString &) {};

    QTest::newRow("random colour") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        ClickLabel(Control<QLabel>(e, "labelColor2"), Qt::RightButton);
    });
    QTest::newRow("swap") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        ClickLabel(Control<QLabel>(e, "labelPaletteSwap"));
    });
    QTest::newRow("shift") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        ClickLabel(Control<QLabel>(e, "labelPalettShift"));
    });
    QTest::newRow("restore palette") << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        ClickLabel(Control<QLabel>(e, "labelPaletteSwap"));
    }) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) { ClickLabel(Control<QLabel>(e, "labelPaletteREstore")); });
    QTest::newRow("characteristic") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QSpinBox>(e, "spinBoxCornering")->setValue(200);
    });
    QTest::newRow("weapon") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QComboBox>(e, "comboBoxWeaponC")->setCurrentIndex((Control<QComboBox>(e, "comboBoxWeaponC")->currentIndex() + 1) % 3);
    });
    QTest::newRow("restore characteristics") << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QSpinBox>(e, "spinBoxJumping")->setValue(3);
    }) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) { ClickLabel(Control<QLabel>(e, "labelRestoreParamaters")); });
    QTest::newRow("restore weapons") << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QComboBox>(e, "comboBoxWeaponA")->setCurrentIndex((Control<QComboBox>(e, "comboBoxWeaponA")->currentIndex() + 1) % 3);
    }) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) { ClickLabel(Control<QLabel>(e, "labelRestoreWeapons")); });
    QTest::newRow("move sprite") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QSpinBox>(e, "spinBoxMoveSpriteUp")->setValue(5);
    });
    QTest::newRow("move all sprites") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QCheckBox>(e, "checkBoxMoveCar")->setChecked(true);
        Control<QSpinBox>(e, "spinBoxMoveSpriteRight")->setValue(-4);
    });
    QTest::newRow("auto-centre sprite") << Action(PutBlockInCorner) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QPushButton>(e, "pushButtonAutocenterSprite")->click();
    });
    QTest::newRow("auto-centre car") << Action(PutBlockInCorner) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QPushButton>(e, "pushButtonAutocenterCar")->click();
    });
    QTest::newRow("reset moves") << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QSpinBox>(e, "spinBoxMoveSpriteUp")->setValue(5);
    }) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) { Control<QPushButton>(e, "pushButtonResetCarMovings")->click(); });
    QTest::newRow("import raw car") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &folder) {
        Control<QRadioButton>(e, "radioButtonSaveCar")->setChecked(true);
        const QString file = WriteTestFile(folder + QStringLiteral("/car.bin"),
                                           RandomBytes(kSpritesPerCar * kBytesPerSprite, 5));
        const Result<ExchangeController::Imported> imported = e.findChild<ExchangeController *>()->ImportSprites(file);
        QVERIFY2(imported && imported->report.skipped.isEmpty() && imported->stepMade, qPrintable(imported.message()));
    });
    QTest::newRow("quick import") << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        Control<QSpinBox>(e, "spinBoxMoveSpriteUp")->setValue(2);
        Control<QPushButton>(e, "pushButtonQuickOut")->click();   // the sprite moved, into sprite.bmp
        Control<QSpinBox>(e, "spinBoxSpriteNumber")->setValue(7);
    }) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) { Control<QPushButton>(e, "pushButtonQuickIn")->click(); });
    QTest::newRow("restore all rom") << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        ClickLabel(Control<QLabel>(e, "labelPaletteSwap"));
        Control<QSpinBox>(e, "spinBoxTopSpeed")->setValue(9);
    }) << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) { ClickLabel(Control<QLabel>(e, "labelRestoreRom")); });
    QTest::newRow("restore defaults") << none << Action([=](SKMcarEditor &e, WindowProbe &, const QString &) {
        ClickLabel(Control<QLabel>(e, "labelRestoreDefaults"));
    });
}

void TestUndo::everyStep()
{
    QFETCH(Action, prepare);
    QFETCH(Action, act);

    TestWindow w(ExchangeTestData(3));
    QVERIFY(w.romWritten);
    QVERIFY(QDir::setCurrent(w.dir.path()));
    w.editor.show();
    QApplication::setActiveWindow(&w.editor);
    QVERIFY(QTest::qWaitForWindowActive(&w.editor));
    Control<QWidget>(w.editor, "groupBoxParameters")->show();
    Control<QWidget>(w.editor, "groupBoxWeapons")->show();
    CarDocument &document = w.editor.Document();

    prepare(w.editor, w.probe, w.dir.path());
    const DocumentTables before = document.tables();
    const int steps = document.undoStack()->count();
    act(w.editor, w.probe, w.dir.path());
    const DocumentTables after = document.tables();
    QVERIFY2(!(after == before), "the action changed nothing");
    QCOMPARE(document.undoStack()->count(), steps + 1);
    QVERIFY(w.editor.isWindowModified());

    // Undo from a spin box: the document's undo wins over the box's own.
    QSpinBox *focus = Control<QSpinBox>(w.editor, "spinBoxTopSpeed");
    focus->setFocus();
    PressUndo(focus);
    QVERIFY(document.tables() == before);
    PressRedo(focus, false);
    QVERIFY(document.tables() == after);
    PressUndo(&w.editor);
    QVERIFY(document.tables() == before);
    PressRedo(&w.editor, true);
    QVERIFY(document.tables() == after);

    // The controls show the restored state.
    const int car = Control<QSpinBox>(w.editor, "spinBoxCarNumber")->value() - 1;
    QCOMPARE(Control<QSpinBox>(w.editor, "spinBoxTopSpeed")->value(), int(quint8(after.characteristics[car][0])));
    QCOMPARE(Control<SpriteView>(w.editor, "labelSprite")->picture().isNull(), false);
}

void TestUndo::typingMergesPerBoxAndCar()
{
    TestWindow w(ExchangeTestData(4));
    QVERIFY(w.romWritten);
    CarDocument &document = w.editor.Document();
    Control<QWidget>(w.editor, "groupBoxParameters")->show();

    QSpinBox *speed = Control<QSpinBox>(w.editor, "spinBoxTopSpeed");
    speed->setFocus();
    speed->selectAll();
    QTest::keyClicks(speed, QStringLiteral("123"));
    QTest::keyClick(speed, Qt::Key_Up);
    QCOMPARE(document.undoStack()->count(), 1);
    QCOMPARE(document.undoStack()->text(0), QStringLiteral("Top speed of car 1: 124"));

    Control<QSpinBox>(w.editor, "spinBoxCornering")->setValue(7);   // another box: a step of its own
    Control<QSpinBox>(w.editor, "spinBoxCarNumber")->setValue(2);
    Control<QSpinBox>(w.editor, "spinBoxCornering")->setValue(8);   // same box, another car
    Control<QSpinBox>(w.editor, "spinBoxCornering")->setValue(9);
    QCOMPARE(document.undoStack()->count(), 3);

    // Typed back to where it was: nothing left to undo for that box.
    const int original = int(quint8(document.original().characteristics[1][Cornering]));
    Control<QSpinBox>(w.editor, "spinBoxCornering")->setValue(original);
    QCOMPARE(document.undoStack()->count(), 2);

    // Up then right: one step a box.
    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteUp")->setValue(1);
    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteUp")->setValue(2);
    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteRight")->setValue(1);
    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteRight")->setValue(2);
    QCOMPARE(document.undoStack()->count(), 4);
}

void TestUndo::failedImportLeavesNoStep()
{
    TestWindow w(ExchangeTestData(5));
    QVERIFY(w.romWritten);
    CarDocument &document = w.editor.Document();
    const QString broken = WriteTestFile(w.path(QStringLiteral("broken.png")), QByteArray("not a picture"));
    QVERIFY(!w.editor.findChild<ExchangeController *>()->ImportSprites(broken));
    QCOMPARE(document.undoStack()->count(), 0);
    QVERIFY(!document.isModified());
}

void TestUndo::cleanAcrossSaves()
{
    TestWindow w(ExchangeTestData(6));
    QVERIFY(w.romWritten);
    CarDocument &document = w.editor.Document();
    QVERIFY(!document.isModified());
    QVERIFY(!w.editor.isWindowModified());
    QVERIFY(w.editor.windowTitle().startsWith(QStringLiteral("game.rom[*]")));

    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteRight")->setValue(3);
    QVERIFY(document.isModified());

    // A failed save changes nothing: the offset is still pending, no step.
    const QString path = document.path();
    const QByteArray image = ReadBytes(path);
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));   // a folder where the ROM was: cannot be written
    w.prompts.confirmAnswers = {true};   // overwrite, then the warning
    SaveFromMenu(w.editor);
    QCOMPARE(w.prompts.asked.size(), 2);
    w.prompts.asked.clear();
    QCOMPARE(document.undoStack()->count(), 1);
    QVERIFY(document.isModified());
    QCOMPARE(document.offsets()[0][0], QPoint(3, 0));
    QVERIFY(QDir().rmdir(path));
    WriteTestFile(path, image);   // the same bytes again: nothing to ask

    // A save bakes the offset as its own step and marks the document clean.
    SaveFromMenu(w.editor);
    QCOMPARE(document.undoStack()->count(), 2);
    QCOMPARE(document.undoStack()->text(1), QStringLiteral("Apply sprite offsets"));
    QVERIFY(!document.isModified());
    QVERIFY(!w.editor.isWindowModified());
    QCOMPARE(ReadRom(path).sprites, document.dataToSave().sprites);

    // Undo after the save: modified again, and the offset is back.
    document.undoStack()->undo();
    QVERIFY(document.isModified());
    QVERIFY(w.editor.isWindowModified());
    QCOMPARE(document.offsets()[0][0], QPoint(3, 0));
}

void TestUndo::exitQuestionOnlyWhenModified()
{
    TestWindow w(ExchangeTestData(7));
    QVERIFY(w.romWritten);
    const QByteArray image = ReadBytes(w.editor.Document().path());
    w.editor.show();
    w.prompts.saveAnswers = {Prompts::SaveChoice::Cancel};
    QVERIFY(w.editor.close());   // unchanged: closes at once
    QCOMPARE(w.prompts.asked.size(), 0);
    QCOMPARE(ReadBytes(w.editor.Document().path()), image);

    w.editor.show();
    Control<QLabel>(w.editor, "labelPaletteSwap")->setFocus();
    ClickLabel(Control<QLabel>(w.editor, "labelPaletteSwap"));
    QVERIFY(!w.editor.close());
    QCOMPARE(w.prompts.asked.size(), 1);
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
