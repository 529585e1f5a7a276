// The Sprite, Palette and Car menus against the buttons they stand for, the
// colour of any drawing index, the tool keys and what the status bar says.
#include <QAction>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "editor/widgets/drawingindexstrip.h"
#include "editor/displays/spriteoverview.h"
#include "exchangetestrom.h"
#include "palette/palettenames.h"
#include "rom/cardata.h"
#include "rom/colorword.h"
#include "testwindow.h"
#include "windowcontrols.h"

namespace {

QAction *Action(SKMcarEditor &window, const QString &name)
{
    return window.findChild<QAction *>(name);
}

// Moves sprite 1 of car 1 and swaps colours 1 and 2, so that every item has something to do.
void Prepare(TestWindow &w)
{
    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteUp")->setValue(3);
    Control<QSpinBox>(w.editor, "spinBoxMoveSpriteRight")->setValue(-2);
    w.probe.selection().setPalette(1);
    QTest::mouseClick(Control<QLabel>(w.editor, "labelPaletteSwap"), Qt::LeftButton);
}

} // namespace

class TestWindowMenus : public QObject
{
    Q_OBJECT

private slots:
    void menuItemDoesWhatItsButtonDoes_data();
    void menuItemDoesWhatItsButtonDoes();
    void anyIndexColourIsOneStep();
    void toolKeysActOutsideTextFields();
    void statusSaysWhatHappened();
    void overviewSelectsAndMarksChanges();
    void restoreSaysOnlyWhatItDid_data();
    void restoreSaysOnlyWhatItDid();
    void restoreLabelsSayWhatTheyRestore();
};

void TestWindowMenus::menuItemDoesWhatItsButtonDoes_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::newRow("auto-center sprite") << "actionAutoCenterSprite" << "Auto-center &Sprite" << "pushButtonAutocenterSprite";
    QTest::newRow("auto-center car") << "actionAutoCenterCar" << "Auto-center &Car" << "pushButtonAutocenterCar";
    QTest::newRow("reset offsets") << "actionResetCarOffsets" << "&Reset Car Offsets" << "pushButtonResetCarMovings";
    QTest::newRow("quick export") << "actionQuickExport" << "Quick E&xport" << "pushButtonQuickOut";
    QTest::newRow("swap") << "actionSwapColours" << "&Swap Colours 1 and 2" << "labelPaletteSwap";
    QTest::newRow("rotate") << "actionRotateColours" << "&Rotate Colours 1 to 3" << "labelPalettShift";
    QTest::newRow("restore palette") << "actionRestorePalette" << "Res&tore Palette" << "labelPaletteREstore";
    QTest::newRow("restore rom") << "actionRestoreRom" << "Restore &All Rom" << "labelRestoreRom";
    QTest::newRow("restore defaults") << "actionRestoreDefaults" << "Restore &Defaults" << "labelRestoreDefaults";
    QTest::newRow("characteristics") << "actionCharacteristics" << "&Characteristics" << "labelShowCharacteristics";
}

void TestWindowMenus::menuItemDoesWhatItsButtonDoes()
{
    QFETCH(QString, action);
    QFETCH(QString, text);
    QFETCH(QString, button);
    TestWindow byMenu(ExchangeTestData(3));
    TestWindow byButton(ExchangeTestData(3));
    QVERIFY(byMenu.romWritten && byButton.romWritten);
    QDir::setCurrent(byMenu.dir.path());
    Prepare(byMenu);
    Prepare(byButton);

    QAction *item = Action(byMenu.editor, action);
    QVERIFY(item);
    QCOMPARE(item->text(), text);
    item->trigger();
    QWidget *control = Control(byButton.editor, button.toLatin1().constData());
    if (auto *push = qobject_cast<QPushButton *>(control))
        push->click();
    else
        QTest::mouseClick(control, Qt::LeftButton);

    QCOMPARE(byMenu.probe.document().tables(), byButton.probe.document().tables());
    QCOMPARE(byMenu.probe.document().undoStack()->text(byMenu.probe.document().undoStack()->count() - 1),
             byButton.probe.document().undoStack()->text(byButton.probe.document().undoStack()->count() - 1));
    QCOMPARE(Control(byMenu.editor, "groupBoxParameters")->isHidden(),
             Control(byButton.editor, "groupBoxParameters")->isHidden());
    if (item->isCheckable())
        QCOMPARE(Action(byButton.editor, action)->isChecked(), true);
}

void TestWindowMenus::anyIndexColourIsOneStep()
{
    TestWindow w(ExchangeTestData(4));
    QVERIFY(w.romWritten);
    w.probe.selection().setPalette(0);
    QUndoStack *stack = w.probe.document().undoStack();
    const int steps = stack->count();
    DrawingIndexStrip *strip = w.editor.findChild<DrawingIndexStrip *>();
    QVERIFY(strip);
    QVERIFY(strip->swatch(0)->toolTip().endsWith(QStringLiteral("index 0: background, shown in the editor's grey")));

    // Off the console's grid: stored as the nearest colour the ROM can hold.
    w.prompts.colorAnswers = {QColor(250, 3, 130)};
    QTest::mouseDClick(strip->swatch(7), Qt::LeftButton);
    QCOMPARE(w.prompts.asked.last().title, QStringLiteral("Colour 7 of %1").arg(PaletteNames().at(0)));
    QCOMPARE(w.probe.palettes().at(0).at(7), QuantizeColor(QColor(250, 3, 130)));
    QCOMPARE(stack->count(), steps + 1);
    QCOMPARE(w.probe.selection().drawingIndex(), 7);

    // Enter on a swatch, then the menu item on the chosen index; a cancel changes nothing.
    strip->swatch(12)->setFocus();
    QTest::keyClick(strip->swatch(12), Qt::Key_Return);
    QCOMPARE(w.prompts.asked.last().title, QStringLiteral("Colour 12 of %1").arg(PaletteNames().at(0)));
    QCOMPARE(stack->count(), steps + 1);

    // The fixed palette says so instead.
    w.probe.selection().setPalette(kImportExportPalette);
    const qsizetype asked = w.prompts.asked.size();
    Action(w.editor, QStringLiteral("actionEditColour"))->trigger();
    QCOMPARE(w.prompts.asked.size(), asked + 1);
    QCOMPARE(w.prompts.asked.last().kind, ScriptedPrompts::Kind::Inform);
    QCOMPARE(stack->count(), steps + 1);
}

void TestWindowMenus::toolKeysActOutsideTextFields()
{
    TestWindow w(ExchangeTestData(5));
    QVERIFY(w.romWritten);
    w.editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.editor));
    QWidget *save = Control(w.editor, "pushButtonLoad");
    save->setFocus();
    w.probe.selection().setDrawingIndex(1);
    const QList<QPair<Qt::Key, Selection::Tool>> keys = {
        {Qt::Key_B, Selection::Tool::Pencil}, {Qt::Key_G, Selection::Tool::Fill},
        {Qt::Key_I, Selection::Tool::Picker}, {Qt::Key_Escape, Selection::Tool::None}};
    for (const auto &[key, tool] : keys) {
        QTest::keyClick(save, key);
        QCOMPARE(w.probe.selection().tool(), tool);
    }
    QTest::keyClick(save, Qt::Key_BracketRight);
    QCOMPARE(w.probe.selection().drawingIndex(), 2);
    QTest::keyClick(save, Qt::Key_BracketLeft);
    QTest::keyClick(save, Qt::Key_BracketLeft);
    QCOMPARE(w.probe.selection().drawingIndex(), 0);

    // In a spin box the keys are the box's.
    QSpinBox *sprite = Control<QSpinBox>(w.editor, "spinBoxSpriteNumber");
    sprite->setFocus();
    QTest::keyClick(sprite, Qt::Key_B);
    QCOMPARE(w.probe.selection().tool(), Selection::Tool::None);
}

void TestWindowMenus::statusSaysWhatHappened()
{
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    TestWindow w(ExchangeTestData(6));
    QVERIFY(w.romWritten);
    QDir::setCurrent(w.dir.path());
    w.probe.selection().setCar(0);
    w.probe.selection().setSprite(1);
    Action(w.editor, QStringLiteral("actionQuickExport"))->trigger();
    QCOMPARE(w.editor.StatusBar()->currentMessage(), QStringLiteral("Wrote sprite.bmp (car 1, sprite 2)"));
    Action(w.editor, QStringLiteral("actionQuickImport"))->trigger();
    QCOMPARE(w.editor.StatusBar()->currentMessage(), QStringLiteral("Read sprite.bmp into car 1, sprite 2"));
    // Each one changes something here: the defaults, then the ROM's data again.
    for (const char *name : {"actionRestoreDefaults", "actionRestoreRom"}) {
        Action(w.editor, QString::fromLatin1(name))->trigger();
        QVERIFY2(w.editor.StatusBar()->currentMessage().endsWith(QStringLiteral("Ctrl+Z takes it back.")), name);
    }
    QVERIFY(Control(w.editor, "pushButtonQuickOut")->toolTip().contains(folder));
}

void TestWindowMenus::overviewSelectsAndMarksChanges()
{
    TestWindow w(ExchangeTestData(7));
    QVERIFY(w.romWritten);
    SpriteOverview *overview = w.editor.findChild<SpriteOverview *>();
    QVERIFY(overview);
    QToolButton *fourteen = overview->cell(14);
    QCOMPARE(fourteen->accessibleName(), QStringLiteral("sprite 14"));
    fourteen->click();
    QCOMPARE(w.probe.selection().sprite(), 13);
    QVERIFY(fourteen->isChecked());

    // A picture imported into sprite 14 marks it at once; undo takes the mark away.
    QImage picture(48, 48, QImage::Format_RGB32);
    picture.fill(w.probe.palettes().at(w.probe.selection().palette()).value(2));
    QVERIFY(w.probe.imageToSprite(picture, 0, 13));
    QCOMPARE(fourteen->accessibleName(), QStringLiteral("sprite 14, changed"));
    QCOMPARE(overview->cell(13)->accessibleName(), QStringLiteral("sprite 13"));
    w.probe.document().undoStack()->undo();
    QCOMPARE(fourteen->accessibleName(), QStringLiteral("sprite 14"));
}

QTEST_MAIN(TestWindowMenus)
#include "tst_windowmenus.moc"

void TestWindowMenus::restoreSaysOnlyWhatItDid_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("editFirst");   // else the tables are what the action puts back already
    QTest::newRow("rom, changed") << "actionRestoreRom" << true;
    QTest::newRow("rom, as opened") << "actionRestoreRom" << false;
    QTest::newRow("defaults, changed") << "actionRestoreDefaults" << true;
    QTest::newRow("defaults, twice") << "actionRestoreDefaults" << false;
}

void TestWindowMenus::restoreSaysOnlyWhatItDid()
{
    QFETCH(QString, action);
    QFETCH(bool, editFirst);
    TestWindow w(ExchangeTestData(8));
    QVERIFY(w.romWritten);
    QUndoStack *stack = w.probe.document().undoStack();
    if (editFirst)
        w.probe.edit([](DocumentTables &t) { t.characteristics[2][0] ^= 1; });
    else if (action == QLatin1String("actionRestoreDefaults"))
        Action(w.editor, action)->trigger();
    const int steps = stack->count();
    Action(w.editor, action)->trigger();
    const QString said = w.editor.StatusBar()->currentMessage();
    QCOMPARE(stack->count(), steps + (editFirst ? 1 : 0));
    QCOMPARE(said.contains(QStringLiteral("Ctrl+Z takes it back")), editFirst);
    QCOMPARE(said.contains(QStringLiteral("nothing to")), !editFirst);
}

void TestWindowMenus::restoreLabelsSayWhatTheyRestore()
{
    TestWindow w(ExchangeTestData(9));
    QCOMPARE(Control(w.editor, "labelPaletteREstore")->accessibleName(), QStringLiteral("Restore palette"));
    QCOMPARE(Control(w.editor, "labelRestoreParamaters")->accessibleName(), QStringLiteral("Restore parameters"));
    QCOMPARE(Control(w.editor, "labelRestoreWeapons")->accessibleName(), QStringLiteral("Restore weapons"));
}
