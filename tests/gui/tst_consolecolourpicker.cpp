// Edit Colour's picker of the console's 512 colours: every word comes back
// from its cell, the keyboard moves and chooses, and in the window OK
// changes the entry in one undo step while Cancel changes nothing.
#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "editor/dialogs/consolecolourpicker.h"
#include "exchangetestrom.h"
#include "testwindow.h"

Q_DECLARE_METATYPE(ColorModel)

namespace {

ColorWord W(unsigned short word)
{
    return WordFrom16(word);
}

struct Controls
{
    explicit Controls(ConsoleColourPicker &picker)
        : grid(picker.findChild<ConsoleColourGrid *>(QStringLiteral("gridConsoleColours"))),
          red(picker.findChild<QSpinBox *>(QStringLiteral("spinBoxLevelRed"))),
          green(picker.findChild<QSpinBox *>(QStringLiteral("spinBoxLevelGreen"))),
          blue(picker.findChild<QSpinBox *>(QStringLiteral("spinBoxLevelBlue"))),
          word(picker.findChild<QLineEdit *>(QStringLiteral("lineEditColourWord"))),
          buttons(picker.findChild<QDialogButtonBox *>(QStringLiteral("buttonBoxColour")))
    {
    }
    bool found() const { return grid && red && green && blue && word && buttons; }
    ChannelLevels levels() const { return {red->value(), green->value(), blue->value()}; }

    ConsoleColourGrid *grid;
    QSpinBox *red, *green, *blue;
    QLineEdit *word;
    QDialogButtonBox *buttons;
};

} // namespace

class TestConsoleColourPicker : public QObject
{
    Q_OBJECT

private slots:
    void everyWordComesBackFromItsCell_data();
    void everyWordComesBackFromItsCell();
    void keyboardMovesAndChooses_data();
    void keyboardMovesAndChooses();
    void typedLevelsAndWord();
    void moreSnapsTheGeneralChoice();
    void windowTakesTheChoiceInOneStep_data();
    void windowTakesTheChoiceInOneStep();
};

void TestConsoleColourPicker::everyWordComesBackFromItsCell_data()
{
    QTest::addColumn<ColorModel>("model");
    QTest::newRow("linear") << ColorModel::Linear;
    QTest::newRow("console") << ColorModel::Console;
}

// Word -> levels -> grid cell -> word for all 512, the cell painted in the
// word's colour as the model shows it, and every cell a different word.
void TestConsoleColourPicker::everyWordComesBackFromItsCell()
{
    QFETCH(ColorModel, model);
    ConsoleColourPicker picker(QStringLiteral("Colour 1"), W(0x0ACE), model);
    Controls c(picker);
    QVERIFY(c.found());
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QSet<QPoint> cells;
    for (int blue = 0; blue < 8; ++blue)
        for (int green = 0; green < 8; ++green)
            for (int red = 0; red < 8; ++red) {
                const ColorWord word = WordOfLevels({red, green, blue});
                const QString name = WordText(word);
                QCOMPARE(LevelsOfWord(word), (ChannelLevels{red, green, blue}));
                const QPoint cell = GridCellOf(LevelsOfWord(word));
                QVERIFY2(QRect(0, 0, kLevelGridColumns, kLevelGridRows).contains(cell), qPrintable(name));
                cells.insert(cell);
                QTest::mouseClick(c.grid, Qt::LeftButton, {}, c.grid->cellRect(cell).center());
                QVERIFY2(picker.word() == word, qPrintable(name));
                QVERIFY2(c.levels() == (ChannelLevels{red, green, blue}), qPrintable(name));
                QCOMPARE(c.word->text(), name);
                QCOMPARE(WordFromText(name), std::optional<ColorWord>(word));
            }
    QCOMPARE(cells.size(), 512);
    const QImage shown = c.grid->grab().toImage();
    for (const QPoint &cell : cells) {
        const ColorWord word = WordOfLevels(LevelsOfGridCell(cell));
        QCOMPARE(QColor(shown.pixel(c.grid->cellRect(cell).center())), ColorFromWord(word, model));
    }
}

void TestConsoleColourPicker::keyboardMovesAndChooses_data()
{
    QTest::addColumn<unsigned short>("initial");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<unsigned short>("chosen");
    QTest::newRow("right, down") << ushort(0x0066) << QList<int>{Qt::Key_Right, Qt::Key_Down} << ushort(0x0088);
    QTest::newRow("left and up") << ushort(0x0A66) << QList<int>{Qt::Key_Left, Qt::Key_Up} << ushort(0x0A44);
    // Past red 7: the next blue block; past green 7: the block below.
    QTest::newRow("right past red 7") << ushort(0x002E) << QList<int>{Qt::Key_Right} << ushort(0x0220);
    QTest::newRow("down past green 7") << ushort(0x00E0) << QList<int>{Qt::Key_Down} << ushort(0x0800);
    QTest::newRow("stops at the corner") << ushort(0x0000) << QList<int>{Qt::Key_Left, Qt::Key_Up} << ushort(0x0000);
    QTest::newRow("stops at the far corner")
        << ushort(0x0EEE) << QList<int>{Qt::Key_Right, Qt::Key_Down} << ushort(0x0EEE);
}

void TestConsoleColourPicker::keyboardMovesAndChooses()
{
    QFETCH(unsigned short, initial);
    QFETCH(QList<int>, keys);
    QFETCH(unsigned short, chosen);
    ConsoleColourPicker picker(QStringLiteral("Colour 2"), W(initial), ColorModel::Linear);
    Controls c(picker);
    QVERIFY(c.found());
    picker.show();
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QVERIFY(c.grid->hasFocus());
    for (int key : keys)
        QTest::keyClick(c.grid, Qt::Key(key));
    QCOMPARE(Word16(picker.word()), chosen);
    QCOMPARE(c.word->text(), WordText(W(chosen)));
    QTest::keyClick(c.grid, Qt::Key_Return);
    QCOMPARE(picker.result(), int(QDialog::Accepted));
    QCOMPARE(Word16(picker.word()), chosen);
}

// Levels typed in the spin boxes and a word typed in hex lead the grid; a
// word the console cannot hold is not taken.
void TestConsoleColourPicker::typedLevelsAndWord()
{
    ConsoleColourPicker picker(QStringLiteral("Colour 3"), W(0x0000), ColorModel::Linear);
    Controls c(picker);
    QVERIFY(c.found());
    c.red->setValue(5);
    c.blue->setValue(7);
    QCOMPARE(Word16(picker.word()), ushort(0x0E0A));
    QCOMPARE(c.grid->word(), picker.word());
    c.word->clear();
    QTest::keyClicks(c.word, QStringLiteral("0x04C2"));
    QCOMPARE(Word16(picker.word()), ushort(0x04C2));
    QCOMPARE(c.levels(), (ChannelLevels{1, 6, 2}));
    c.word->clear();
    QTest::keyClicks(c.word, QStringLiteral("ea2"));
    QCOMPARE(Word16(picker.word()), ushort(0x0EA2));
    c.word->clear();
    QTest::keyClicks(c.word, QStringLiteral("0x0EA3"));   // an always-zero bit: not a word
    QCOMPARE(Word16(picker.word()), ushort(0x00EA));       // "0x0EA" was one on the way
    emit c.word->editingFinished();
    QCOMPARE(c.word->text(), QStringLiteral("0x00EA"));
}

void TestConsoleColourPicker::moreSnapsTheGeneralChoice()
{
    ConsoleColourPicker picker(QStringLiteral("Colour 1"), W(0x0222), ColorModel::Console);
    Controls c(picker);
    QVERIFY(c.found());
    QColor asked;
    picker.setMoreChooser([&asked](const QColor &initial) -> std::optional<QColor> {
        asked = initial;
        return QColor(200, 100, 31);
    });
    auto *more = picker.findChild<QPushButton *>(QStringLiteral("pushButtonMoreColours"));
    QVERIFY(more);
    QCOMPARE(more->accessibleName(), more->text().remove(QLatin1Char('&')));
    more->click();
    QCOMPARE(asked, ColorFromWord(W(0x0222)));
    QCOMPARE(ColorFromWord(picker.word()), QColor(218, 109, 0));   // snapped as before
    QCOMPARE(picker.result(), int(QDialog::Rejected));              // still open, nothing chosen yet
}

void TestConsoleColourPicker::windowTakesTheChoiceInOneStep_data()
{
    QTest::addColumn<QByteArray>("button");   // "ok", "cancel", "escape"
    QTest::addColumn<bool>("console");
    QTest::newRow("OK") << QByteArray("ok") << false;
    QTest::newRow("OK in console colours") << QByteArray("ok") << true;
    QTest::newRow("Cancel") << QByteArray("cancel") << false;
    QTest::newRow("Escape") << QByteArray("escape") << true;
}

// Edit Colour on entry 2 through the real picker: a click on the cell of
// 0x0A4E, then OK, Cancel or Escape.
void TestConsoleColourPicker::windowTakesTheChoiceInOneStep()
{
    QFETCH(QByteArray, button);
    QFETCH(bool, console);
    TestWindow w(ExchangeTestData(1));
    QVERIFY(w.romWritten);
    w.probe.selection().setColorModel(console ? ColorModel::Console : ColorModel::Linear);
    w.probe.selection().setDrawingIndex(2);
    const int palette = w.probe.selection().palette();
    const PaletteTable before = w.probe.palettes();
    const ColorWord target = W(0x0A4E);
    QUndoStack &stack = *w.probe.document().undoStack();
    const int steps = stack.count();
    ColorModel shownIn = ColorModel::Linear;
    w.prompts.consolePicker = [&](const QString &title, ColorWord initial, ColorModel model) -> std::optional<ColorWord> {
        shownIn = model;
        ConsoleColourPicker picker(title, initial, model);
        Controls c(picker);
        if (!c.found() || initial != WordFromColor(before[palette][2]))
            return std::nullopt;
        picker.show();
        QTest::mouseClick(c.grid, Qt::LeftButton, {}, c.grid->cellRect(GridCellOf(LevelsOfWord(target))).center());
        if (button == "ok")
            c.buttons->button(QDialogButtonBox::Ok)->click();
        else if (button == "cancel")
            c.buttons->button(QDialogButtonBox::Cancel)->click();
        else
            QTest::keyClick(c.grid, Qt::Key_Escape);
        if (picker.result() != QDialog::Accepted)
            return std::nullopt;
        return picker.word();
    };
    w.editor.findChild<QAction *>(QStringLiteral("actionEditColour"))->trigger();
    QCOMPARE(w.prompts.texts(ScriptedPrompts::Kind::Color).size(), 1);
    QCOMPARE(shownIn, console ? ColorModel::Console : ColorModel::Linear);
    PaletteTable expected = before;
    if (button == "ok") {
        expected[palette][2] = ColorFromWord(target);
        QCOMPARE(w.probe.palettes(), expected);
        QCOMPARE(stack.count(), steps + 1);
        stack.undo();
        QCOMPARE(w.probe.palettes(), before);
    } else {
        QCOMPARE(w.probe.palettes(), before);
        QCOMPARE(stack.count(), steps);
    }
}

QTEST_MAIN(TestConsoleColourPicker)
#include "tst_consolecolourpicker.moc"
