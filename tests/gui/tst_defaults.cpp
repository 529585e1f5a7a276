#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include "common/romfiles.h"
#include "windowprobe.h"
#include "rom/colorword.h"
#include "rom/factorydata.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "view/spriteoffsets.h"

namespace {

// ROM contents that differ from the factory data in every table.
CarData romData()
{
    CarData data = NormalizeCarData(CarData());
    for (int car = 0; car < kCarCount; ++car) {
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite)
            data.sprites[car][sprite][car + sprite] = 1 + (car + sprite) % 15;
        data.characteristics[car] = QByteArray::fromHex("0102030405");
        data.characteristics[car][0] = char(10 * car + 7);
        data.weapons[car] = QByteArray::fromHex("050501");
    }
    for (int p = 0; p < kRomPaletteCount; ++p) {
        for (int i = 0; i < kColorsPerPalette; ++i)
            data.palettes[p][i] = QColor(ColorLevels[p % 8], ColorLevels[i % 8], ColorLevels[7 - i % 8]);
    }
    return data;
}

CarData factoryData()
{
    QFile resource(QStringLiteral(":/defaults.bin"));
    if (!resource.open(QIODevice::ReadOnly))
        qFatal("the factory data resource is missing");
    const std::optional<CarData> data = ParseFactoryData(resource.readAll());
    if (!data)
        qFatal("the factory data resource does not parse");
    return *data;
}

CarData workingTables(WindowProbe &probe)
{
    return {probe.sprites(), probe.palettes(), probe.characteristics(), probe.weapons()};
}

CarData startupTables(WindowProbe &probe)
{
    return {probe.romSprites(), probe.romPalettes(), probe.romCharacteristics(), probe.romWeapons()};
}

QColor swatchColor(const QLabel *label)
{
    return label->pixmap().toImage().pixelColor(0, 0);
}

} // namespace

class TestDefaults : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("game.bin"));
        QString error;
        QVERIFY2(WriteRom(romPath, romData(), &error), qPrintable(error));
    }

    void replacesTheWorkingTables()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.click("labelRestoreDefaults");

        const CarData factory = factoryData();
        QCOMPARE(workingTables(probe), factory);
        QCOMPARE(probe.palettes().size(), kEditorPaletteCount);
        QCOMPARE(probe.palettes().last(), ImportExportPalette());
    }

    void twiceEqualsOnce()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.click("labelRestoreDefaults");
        const CarData once = workingTables(probe);
        probe.click("labelRestoreDefaults");
        QCOMPARE(workingTables(probe), once);
    }

    void keepsTheViewAndShowsTheNewData()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        const FormControls *ui = probe.ui();
        ui->spinBoxCarNumber->setValue(3);
        ui->spinBoxSpriteNumber->setValue(7);
        ui->comboBoxPalette->setCurrentIndex(4);
        ui->doubleSpinBoxSpriteZoom->setValue(2.0);
        probe.edit([&](DocumentTables &t) { t.offsets[2][6] = QPoint(2, -1); });
        const QColor background = probe.backgroundColor();

        probe.click("labelRestoreDefaults");

        QCOMPARE(ui->spinBoxCarNumber->value(), 3);
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 7);
        QCOMPARE(ui->comboBoxPalette->currentIndex(), 4);
        QCOMPARE(ui->doubleSpinBoxSpriteZoom->value(), 2.0);
        QCOMPARE(probe.spriteOffsets()[2][6], QPoint(2, -1));
        QCOMPARE(probe.romFileName(), romPath);
        QCOMPARE(probe.backgroundColor(), background);

        // The panels show the factory values of the car and palette still selected.
        const CarData factory = factoryData();
        QCOMPARE(ui->spinBoxTopSpeed->value(), int(quint8(factory.characteristics[2][0])));
        QCOMPARE(ui->spinBoxJumping->value(), int(quint8(factory.characteristics[2][4])));
        QCOMPARE(ui->comboBoxWeaponA->currentIndex(), int(factory.weapons[2][0]));
        QCOMPARE(swatchColor(ui->labelColor1), factory.palettes[4][1]);
        QCOMPARE(swatchColor(ui->labelColor3), factory.palettes[4][3]);
        // The factory sprite in the factory palette, moved by the offset
        // (2 right, 1 up in the stored sense: each stored pixel shows at
        // x + 2, y + 1), background where the sprite is index 0 or moved away.
        const QImage shown = ui->labelSprite->picture().toImage();
        QCOMPARE(shown.size(), QSize(96, 96));
        const SpritePixels &pixels = factory.sprites[2][6];
        int drawn = 0;
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 48; ++x) {
                const int storage = SpritePixelIndex(x - 2, y - 1);
                const int index = storage >= 0 && storage < pixels.size() ? pixels.at(storage) : 0;
                const QColor wanted = index == 0 ? background : factory.palettes[4][index];
                drawn += index != 0;
                // Zoom 2: each pixel is a 2 x 2 block; its top-left sample is the pixel's own.
                QCOMPARE(shown.pixelColor(2 * x, 2 * y).rgb(), wanted.rgb());
            }
        }
        QVERIFY(drawn > 100);   // the car is there, not just background
    }

    void leavesTheStartupCopiesAndTheFileAlone()
    {
        QFile file(romPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        const CarData startup = startupTables(probe);
        probe.click("labelRestoreDefaults");
        QCOMPARE(startupTables(probe), startup);

        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void restoreRomBringsBackTheRomData()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        const FormControls *ui = probe.ui();
        ui->spinBoxCarNumber->setValue(2);
        ui->spinBoxTopSpeed->setValue(250);
        probe.edit([&](DocumentTables &t) { t.palettes[0][1] = QColor(255, 255, 255); });

        probe.click("labelRestoreDefaults");
        QCOMPARE(ui->spinBoxTopSpeed->value(), int(quint8(factoryData().characteristics[1][0])));
        probe.click("labelRestoreRom");

        CarData expected = romData();
        expected.palettes.append(ImportExportPalette());
        QCOMPARE(workingTables(probe), expected);
        QCOMPARE(ui->spinBoxTopSpeed->value(), 17);
    }
};

QTEST_MAIN(TestDefaults)
#include "tst_defaults.moc"
