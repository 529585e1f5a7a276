#include <QtTest>

#include <QTemporaryDir>

#include <memory>

#include "common/testrom.h"
#include "windowprobe.h"
#include "rom/colorword.h"
#include "rom/romreader.h"
#include "skm_version.h"

class TestAppLifecycle : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

private slots:
    void initTestCase();
    void startsWithRomData();
    void startsBlankOnMissingFile_data();
    void startsBlankOnMissingFile();
    void restoreRomReturnsToStart();
    void infoBox();
};

void TestAppLifecycle::initTestCase()
{
    QVERIFY(dir.isValid());
    QVERIFY(QDir::setCurrent(dir.path()));
    romPath = dir.filePath(QStringLiteral("random.bin"));
    QVERIFY(WriteBytes(romPath, RandomRomImage(7)));
}

void TestAppLifecycle::startsWithRomData()
{
    SKMcarEditor window(romPath);
    WindowProbe probe(window);
    const CarData rom = ReadRom(romPath);

    QCOMPARE(probe.romFileName(), romPath);
    QCOMPARE(probe.sprites(), rom.sprites);
    QCOMPARE(probe.characteristics(), rom.characteristics);
    QCOMPARE(probe.weapons(), rom.weapons);
    // The ten cartridge palettes and the fixed exchange palette.
    QCOMPARE(probe.palettes().size(), kEditorPaletteCount);
    QCOMPARE(probe.palettes().mid(0, kRomPaletteCount), rom.palettes);
    QCOMPARE(probe.palettes().at(kImportExportPalette), ImportExportPalette());
    QCOMPARE(probe.backgroundColor(), QColor(218, 218, 218));

    // The untouched copies equal the working tables at start.
    QCOMPARE(probe.romSprites(), probe.sprites());
    QCOMPARE(probe.romPalettes(), probe.palettes());
    QCOMPARE(probe.romCharacteristics(), probe.characteristics());
    QCOMPARE(probe.romWeapons(), probe.weapons());

    // One (0, 0) offset per sprite, the timer running.
    QCOMPARE(probe.spriteOffsets().size(), kCarCount);
    for (const QList<QPoint> &car : probe.spriteOffsets())
        QCOMPARE(car, QList<QPoint>(kSpritesPerCar, QPoint()));
    QVERIFY(probe.animation().isActive());
    QCOMPARE(probe.animation().interval(), 60);
    QCOMPARE(probe.ui()->comboBoxPalette->count(), kEditorPaletteCount);
    QCOMPARE(probe.ui()->comboBoxPalette->currentIndex(), 0);
}

void TestAppLifecycle::startsBlankOnMissingFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << QStringLiteral("no-such-rom.bin");
    QTest::newRow("folder") << QStringLiteral(".");
    QTest::newRow("empty file") << QStringLiteral("empty.bin");
}

void TestAppLifecycle::startsBlankOnMissingFile()
{
    QFETCH(QString, path);
    QFile empty(dir.filePath(QStringLiteral("empty.bin")));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();

    SKMcarEditor window(dir.filePath(path));
    WindowProbe probe(window);
    const CarData blank = NormalizeCarData(CarData());

    QCOMPARE(probe.sprites(), blank.sprites);
    QCOMPARE(probe.characteristics(), blank.characteristics);
    QCOMPARE(probe.weapons(), blank.weapons);
    QCOMPARE(probe.palettes().mid(0, kRomPaletteCount), blank.palettes);
    QCOMPARE(probe.palettes().at(kImportExportPalette), ImportExportPalette());
    QVERIFY(probe.ui()->groupBoxParameters->isHidden());
}

void TestAppLifecycle::restoreRomReturnsToStart()
{
    SKMcarEditor window(romPath);
    WindowProbe probe(window);
    const SpriteTable sprites = probe.sprites();
    const PaletteTable palettes = probe.palettes();
    const CharacteristicsTable characteristics = probe.characteristics();
    const WeaponTable weapons = probe.weapons();

    probe.edit([](DocumentTables &t) {
        t.sprites[2][7].fill(3);
        t.palettes[4][1] = Qt::white;
        t.palettes[kImportExportPalette][2] = Qt::black;
        t.characteristics[0][0] = char(99);
        t.weapons[4][2] = char(1);
        t.offsets[1][1] = QPoint(2, -3);
    });
    probe.document().setBackground(QColor(0, 0, 255));

    probe.click("labelRestoreRom");

    QCOMPARE(probe.sprites(), sprites);
    QCOMPARE(probe.palettes(), palettes);
    QCOMPARE(probe.characteristics(), characteristics);
    QCOMPARE(probe.weapons(), weapons);
    // The pending offsets and the background are not ROM data.
    QCOMPARE(probe.spriteOffsets()[1][1], QPoint(2, -3));
    QCOMPARE(probe.backgroundColor(), QColor(0, 0, 255));
}

void TestAppLifecycle::infoBox()
{
    ScriptedPrompts prompts;
    SKMcarEditor window(romPath, &prompts);
    WindowProbe probe(window);
    probe.click("label");

    QCOMPARE(prompts.asked.size(), 1);
    const ScriptedPrompts::Asked &box = prompts.asked.first();
    QCOMPARE(box.kind, ScriptedPrompts::Kind::About);
    QCOMPARE(box.title, QStringLiteral("SKM [SMD] Car Editor"));
    QVERIFY(!box.text.contains(QStringLiteral("href")));   // no web addresses to follow
    QTextDocument document;
    document.setHtml(box.text);
    const QString plain = document.toPlainText();
    QVERIFY2(plain.startsWith(QStringLiteral("SKM [SMD] Car Editor v " SKM_VERSION)), qPrintable(plain));
    QVERIFY2(plain.contains(QStringLiteral("GNU General Public License, version 3 or (at your option) any later")),
             qPrintable(plain));
    QVERIFY(plain.endsWith(QStringLiteral("and others")));
}

QTEST_MAIN(TestAppLifecycle)
#include "tst_app_lifecycle.moc"
