#include <QtTest>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "common/testrom.h"
#include "scriptedprompts.h"
#include "windowprobe.h"
#include "palette/randomcolor.h"
#include "rom/colorword.h"

class TestPaletteSlots : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath("rom.bin");
        QVERIFY(WriteBytes(romPath, RandomRomImage(1)));
    }

    void dialogColorsAreSnapped_data()
    {
        QTest::addColumn<QByteArray>("swatch");
        QTest::addColumn<int>("entry");   // -1: the background colour
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<QColor>("stored");
        QTest::newRow("colour 1, off the grid") << QByteArray("labelColor1") << 1 << QColor(200, 100, 31)
                                                << QColor(218, 109, 0);
        QTest::newRow("colour 2, on the grid") << QByteArray("labelColor2") << 2 << QColor(145, 36, 255)
                                               << QColor(145, 36, 255);
        QTest::newRow("colour 3") << QByteArray("labelColor3") << 3 << QColor(1, 254, 128) << QColor(0, 255, 145);
        QTest::newRow("background") << QByteArray("labelColorBg") << -1 << QColor(200, 100, 31)
                                    << QColor(218, 109, 0);
    }

    void dialogColorsAreSnapped()
    {
        QFETCH(QByteArray, swatch);
        QFETCH(int, entry);
        QFETCH(QColor, chosen);
        QFETCH(QColor, stored);
        ScriptedPrompts prompts;
        SKMcarEditor editor(romPath, &prompts);
        WindowProbe probe(editor);
        probe.ui()->comboBoxPalette->setCurrentIndex(4);
        PaletteTable expected = probe.palettes();
        if (entry > 0)
            expected[4][entry] = stored;

        prompts.colorAnswers = {chosen};
        probe.click(swatch.constData());
        QCOMPARE(prompts.texts(ScriptedPrompts::Kind::Color).size(), 1);
        QCOMPARE(probe.palettes(), expected);
        QCOMPARE(probe.backgroundColor(), entry < 0 ? stored : QColor(218, 218, 218));
    }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("swatch");
        QTest::newRow("colour 1") << QByteArray("labelColor1");
        QTest::newRow("background") << QByteArray("labelColorBg");
    }

    void cancelChangesNothing()
    {
        QFETCH(QByteArray, swatch);
        ScriptedPrompts prompts;   // answers no colour: cancelled
        SKMcarEditor editor(romPath, &prompts);
        WindowProbe probe(editor);
        const PaletteTable before = probe.palettes();
        probe.click(swatch.constData());
        QCOMPARE(prompts.asked.size(), 1);
        QCOMPARE(probe.palettes(), before);
        QCOMPARE(probe.backgroundColor(), QColor(218, 218, 218));
    }

    void randomColorsUseTheEditorGenerator_data()
    {
        QTest::addColumn<QByteArray>("swatch");
        QTest::addColumn<int>("entry");
        QTest::newRow("colour 1") << QByteArray("labelColor1") << 1;
        QTest::newRow("colour 2") << QByteArray("labelColor2") << 2;
        QTest::newRow("colour 3") << QByteArray("labelColor3") << 3;
    }

    void randomColorsUseTheEditorGenerator()
    {
        QFETCH(QByteArray, swatch);
        QFETCH(int, entry);
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.ui()->comboBoxPalette->setCurrentIndex(7);
        SeedEditorRandom(2024);
        QRandomGenerator replay = EditorRandom();
        const int blue = replay.generate() % 256;
        const int green = replay.generate() % 256;
        const int red = replay.generate() % 256;
        PaletteTable expected = probe.palettes();
        expected[7][entry] = QColor(ColorLevels[red / 32], ColorLevels[green / 32], ColorLevels[blue / 32]);

        probe.rightClick(swatch.constData());
        QCOMPARE(probe.palettes(), expected);
    }

    void rightClickOnBackgroundDoesNothing()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        const PaletteTable before = probe.palettes();
        QTest::mouseClick(probe.ui()->labelColorBg, Qt::RightButton);
        QCOMPARE(probe.palettes(), before);
        QCOMPARE(probe.backgroundColor(), QColor(218, 218, 218));
    }

    void swapAndShiftActOnTheSelectedPalette()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.ui()->comboBoxPalette->setCurrentIndex(2);
        const PaletteTable start = probe.palettes();
        const Palette &p = start[2];

        QTest::mouseClick(probe.ui()->labelPaletteSwap, Qt::LeftButton);
        PaletteTable expected = start;
        expected[2][1] = p[2];
        expected[2][2] = p[1];
        QCOMPARE(probe.palettes(), expected);
        QTest::mouseClick(probe.ui()->labelPaletteSwap, Qt::LeftButton);
        QCOMPARE(probe.palettes(), start);

        QTest::mouseClick(probe.ui()->labelPalettShift, Qt::LeftButton);
        expected = start;
        expected[2][1] = p[3];
        expected[2][2] = p[1];
        expected[2][3] = p[2];
        QCOMPARE(probe.palettes(), expected);
        QTest::mouseClick(probe.ui()->labelPalettShift, Qt::LeftButton);
        QTest::mouseClick(probe.ui()->labelPalettShift, Qt::LeftButton);
        QCOMPARE(probe.palettes(), start);
    }

    void restoreTouchesOnlyTheSelectedPalette()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.ui()->comboBoxPalette->setCurrentIndex(kImportExportPalette);
        probe.edit([&](DocumentTables &t) { t.palettes[kImportExportPalette][7] = QColor(255, 255, 255); });
        probe.edit([&](DocumentTables &t) { t.palettes[3][1] = QColor(255, 255, 255); });
        probe.document().setBackground(QColor(0, 0, 0));
        probe.click("labelPaletteSwap");

        QTest::mouseClick(probe.ui()->labelPaletteREstore, Qt::LeftButton);
        QCOMPARE(probe.palettes()[kImportExportPalette], ImportExportPalette());
        QCOMPARE(probe.palettes()[3][1], QColor(255, 255, 255));
        QCOMPARE(probe.backgroundColor(), QColor(0, 0, 0));
        for (int p = 0; p < kEditorPaletteCount; ++p)
            if (p != 3)
                QCOMPARE(probe.palettes()[p], probe.romPalettes()[p]);
    }
};

QTEST_MAIN(TestPaletteSlots)
#include "tst_paletteslots.moc"
