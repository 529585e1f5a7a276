// Palette > Compare Palettes: ten cells, each the sprite on show as the view
// shows it in that palette, following the selection and the document at
// once, named for screen readers, a click choosing the palette.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "editor/displays/palettecomparison.h"
#include "editor/displays/spriteview.h"
#include "exchangetestrom.h"
#include "testwindow.h"

namespace {

PaletteComparison &Comparison(TestWindow &w)
{
    return *w.editor.findChild<PaletteComparison *>(QStringLiteral("paletteComparison"));
}

QImage ViewFrame(TestWindow &w)
{
    return w.editor.findChild<SpriteView *>(QStringLiteral("labelSprite"))->sprite().convertToFormat(QImage::Format_RGB888);
}

// Each cell against the view in that palette.
bool CellsMatchTheView(TestWindow &w, QString *wrong)
{
    Selection &selection = w.probe.selection();
    const int shown = selection.palette();
    QList<QImage> cells;
    for (int p = 0; p < PaletteComparison::kPalettes; ++p)
        cells << Comparison(w).cellPicture(p).convertToFormat(QImage::Format_RGB888);
    bool all = true;
    for (int p = 0; p < PaletteComparison::kPalettes; ++p) {
        selection.setPalette(p);
        if (cells.at(p) != ViewFrame(w)) {
            *wrong += QStringLiteral(" palette %1").arg(p + 1);
            all = false;
        }
    }
    selection.setPalette(shown);
    return all;
}

} // namespace

class TestPaletteComparison : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cellsAreTheSpriteInEachPalette_data();
    void cellsAreTheSpriteInEachPalette();
    void namedAndClickable();

private:
    QTemporaryDir settingsDir;
};

void TestPaletteComparison::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QCoreApplication::setOrganizationName(QStringLiteral("skm-tests-palettecomparison"));
}

void TestPaletteComparison::cellsAreTheSpriteInEachPalette_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("as opened") << "";
    QTest::newRow("another sprite and car") << "sprite";
    QTest::newRow("mirrored, wheels turned") << "mirror";
    QTest::newRow("console colours") << "console";
    QTest::newRow("a colour of palette 4 edited") << "palette";
    QTest::newRow("the sprite drawn on") << "draw";
    QTest::newRow("the sprite moved in its frame") << "offset";
}

void TestPaletteComparison::cellsAreTheSpriteInEachPalette()
{
    QFETCH(QString, change);
    QSettings().clear();
    TestWindow w(ExchangeTestData(3));
    QVERIFY(w.romWritten);
    w.editor.show();
    w.editor.findChild<QAction *>(QStringLiteral("actionComparePalettes"))->trigger();
    QWidget *tool = Comparison(w).window();
    QVERIFY(QTest::qWaitForWindowExposed(tool));
    Selection &selection = w.probe.selection();
    if (change == QLatin1String("sprite")) {
        selection.setCar(2);
        selection.setSprite(17);
    } else if (change == QLatin1String("mirror")) {
        selection.setMirrored(true);
        selection.setWheelsTurned(true);
    } else if (change == QLatin1String("console")) {
        w.editor.findChild<QAction *>(QStringLiteral("actionConsoleColours"))->trigger();
    } else if (change == QLatin1String("palette")) {
        const QImage before = Comparison(w).cellPicture(3);
        selection.setPalette(3);
        w.editor.findChild<QAction *>(QStringLiteral("actionSwapColours"))->trigger();
        QVERIFY(Comparison(w).cellPicture(3) != before);
    } else if (change == QLatin1String("draw")) {
        QImage picture = w.probe.composeSprite(0, 0, false, false, false);
        picture.fill(Qt::black);
        QVERIFY(w.probe.imageToSprite(picture, 0, 0));
    } else if (change == QLatin1String("offset")) {
        QSpinBox *up = w.editor.findChild<QSpinBox *>(QStringLiteral("spinBoxMoveSpriteUp"));
        up->setValue(up->value() + 3);
    }
    QString wrong;
    QVERIFY2(CellsMatchTheView(w, &wrong), qPrintable(wrong));
    // The cells are at the view's zoom.
    selection.setZoom(5.0);
    QCOMPARE(Comparison(w).cell(0)->sizeHint().height() > 240, true);
}

void TestPaletteComparison::namedAndClickable()
{
    QSettings().clear();
    TestWindow w(ExchangeTestData(2));
    w.editor.show();
    w.editor.findChild<QAction *>(QStringLiteral("actionComparePalettes"))->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(Comparison(w).window()));
    const QStringList expected = {"Blue, palette 1",   "Opponent 3, palette 2", "Black, palette 3",
                                  "Yellow, palette 4", "Red, palette 5",        "Green, palette 6",
                                  "Palette 7",         "Opponent 2, palette 8", "Opponent 1, palette 9",
                                  "Palette 10"};
    for (int p = 0; p < PaletteComparison::kPalettes; ++p) {
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(Comparison(w).cell(p));
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), expected.at(p));
        // A button that stays pressed for the palette on show.
        QCOMPARE(cell->role(), QAccessible::CheckBox);
    }
    QVERIFY(!Comparison(w).cell(10));
    // The palette on show is checked; a click chooses another, Space too.
    auto *fifth = qobject_cast<QAbstractButton *>(Comparison(w).cell(4));
    QTest::mouseClick(fifth, Qt::LeftButton);
    QCOMPARE(w.probe.selection().palette(), 4);
    QVERIFY(fifth->isChecked());
    QVERIFY(!qobject_cast<QAbstractButton *>(Comparison(w).cell(0))->isChecked());
    QTest::mouseClick(fifth, Qt::LeftButton);   // again: stays chosen
    QVERIFY(fifth->isChecked());
    auto *second = qobject_cast<QAbstractButton *>(Comparison(w).cell(1));
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Space);
    QCOMPARE(w.probe.selection().palette(), 1);
    QVERIFY(!fifth->isChecked());
    // Closing the window unticks it.
    Comparison(w).window()->close();
    QVERIFY(!w.editor.findChild<QAction *>(QStringLiteral("actionComparePalettes"))->isChecked());
}

QTEST_MAIN(TestPaletteComparison)
#include "tst_palettecomparison.moc"
