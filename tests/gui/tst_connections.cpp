#include <QtTest>

#include <QColorDialog>
#include <QFileDialog>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "common/romfiles.h"
#include "common/testrom.h"
#include "windowprobe.h"
#include "palette/randomcolor.h"
#include "rom/colorword.h"
#include "rom/romwriter.h"
#include "view/spriteoffsets.h"
#include "view/viewtable.h"

namespace {

// Car data whose every visible part tells cars, sprites and palettes apart:
// each sprite holds two wheel-coloured blocks (entries 4 and 5) and a block
// whose size depends on car and sprite, all in the top-left part of the frame
// (so that centring moves them); the palettes are the LevelGridPalettes;
// characteristics and weapons differ per car.
CarData ConnectionTestData()
{
    CarData data;
    data.sprites = SpriteTable(kCarCount, QList<SpritePixels>(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0)));
    for (int car = 0; car < kCarCount; ++car) {
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite) {
            SpritePixels &pixels = data.sprites[car][sprite];
            for (int y = 5; y < 11; ++y) {
                for (int x = 2; x < 8; ++x)
                    pixels[SpritePixelIndex(x, y)] = 4;
                for (int x = 8; x < 12; ++x)
                    pixels[SpritePixelIndex(x, y)] = 5;
            }
            for (int y = 11; y < 14 + car; ++y)
                for (int x = 12; x < 13 + sprite % 10; ++x)
                    pixels[SpritePixelIndex(x, y)] = 1 + (car + sprite) % 3;
        }
    }
    data.palettes = LevelGridPalettes();
    for (int car = 0; car < kCarCount; ++car) {
        QByteArray characteristics;
        for (int c = 0; c < kCharacteristicCount; ++c)
            characteristics.append(char(10 + 20 * car + c));
        data.characteristics.append(characteristics);
        QByteArray weapons;
        weapons.append(char(car % 6)).append(char((car + 1) % 6)).append(char(car % 2));
        data.weapons.append(weapons);
    }
    return NormalizeCarData(data);
}

QImage Shown(const FormControls *ui)
{
    return ui->labelSprite->picture().toImage();
}

QRgb SwatchColor(const QLabel *label)
{
    return label->pixmap().toImage().pixel(2, 2) | 0xff000000u;
}

// One window per connection, with everything a row needs to act and look.
struct Fixture
{
    SKMcarEditor *window;
    WindowProbe probe;
    const FormControls *ui;
    ScriptedPrompts *prompts;
};

struct Connection
{
    const char *name;
    std::function<void(Fixture &)> fireAndCheck;
    const char *waitsFor = nullptr;   // slot still missing, if any
};

void StepSpin(QAbstractSpinBox *box, int steps = 1)
{
    box->stepBy(steps);   // what a click on the arrow does
}

void LeftClick(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
}

void RightClick(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
}

void ExpectDialog(Fixture &f, ScriptedPrompts::Kind kind)
{
    QCOMPARE(f.prompts->asked.size(), 1);
    QCOMPARE(f.prompts->asked.first().kind, kind);
}

void ExpectNewPicture(Fixture &f, const std::function<void()> &act)
{
    const QImage before = Shown(f.ui);
    act();
    QVERIFY(!before.isNull());
    QVERIFY(Shown(f.ui) != before);
}

void ExpectCharacteristic(Fixture &f, QSpinBox *box, int byte)
{
    const int before = quint8(f.probe.characteristics()[0].at(byte));
    StepSpin(box);
    QCOMPARE(int(quint8(f.probe.characteristics()[0].at(byte))), before + 1);
}

void ExpectWeapon(Fixture &f, QComboBox *combo, int slot)
{
    const int next = (combo->currentIndex() + 1) % combo->count();
    combo->setCurrentIndex(next);
    QCOMPARE(int(f.probe.weapons()[0].at(slot)), next);
}

void ExpectRandomColor(Fixture &f, QLabel *swatch, int entry)
{
    const QColor before = f.probe.palettes()[0][entry];
    // A random colour may come out equal to the old one; a few tries settle it.
    for (int attempt = 0; attempt < 8 && f.probe.palettes()[0][entry] == before; ++attempt)
        RightClick(swatch);
    QVERIFY(f.probe.palettes()[0][entry] != before);
    QCOMPARE(SwatchColor(swatch), f.probe.palettes()[0][entry].rgb());
    QVERIFY(f.prompts->asked.isEmpty());
}

const QList<Connection> &Connections()
{
    static const QList<Connection> rows = {
        {"spinBoxCarNumber valueChanged -> DisplaySpriteById",
         [](Fixture &f) { ExpectNewPicture(f, [&] { StepSpin(f.ui->spinBoxCarNumber); }); }},
        {"spinBoxSpriteNumber valueChanged -> DisplaySpriteById",
         [](Fixture &f) { ExpectNewPicture(f, [&] { StepSpin(f.ui->spinBoxSpriteNumber); }); }},
        {"checkBoxMirrorSprite clicked -> DisplaySpriteById",
         [](Fixture &f) { ExpectNewPicture(f, [&] { f.ui->checkBoxMirrorSprite->click(); }); }},
        {"doubleSpinBoxSpriteZoom valueChanged -> DisplaySpriteById",
         [](Fixture &f) {
             StepSpin(f.ui->doubleSpinBoxSpriteZoom, 10);
             QCOMPARE(Shown(f.ui).size(), QSize(192, 192));
         }},
        {"pushButtonSave clicked -> SaveSprite",
         [](Fixture &f) {
             f.ui->pushButtonSave->click();
             ExpectDialog(f, ScriptedPrompts::Kind::SaveFile);
         }},
        {"checkBoxRotateWheels clicked -> DisplaySpriteById",
         [](Fixture &f) { ExpectNewPicture(f, [&] { f.ui->checkBoxRotateWheels->click(); }); }},
        {"spinBoxRotation valueChanged -> DisplaySpriteByParameters",
         [](Fixture &f) {
             int rotation = 1;
             while (rotation < 24 && (FindSpriteByParameters(rotation, 0).spriteNumber == -1
                                      || FindSpriteByParameters(rotation, 0).spriteNumber
                                             == f.ui->spinBoxSpriteNumber->value()))
                 ++rotation;
             QVERIFY(rotation < 24);
             f.ui->spinBoxRotation->setValue(rotation);
             QCOMPARE(f.ui->spinBoxSpriteNumber->value(), FindSpriteByParameters(rotation, 0).spriteNumber);
         }},
        {"spinBoxTilt valueChanged -> DisplaySpriteByParameters",
         [](Fixture &f) {
             // A view whose tilt leads to another sprite than the one shown.
             int rotation = 0;
             int tilt = -4;
             const auto differs = [&](int r, int t) {
                 const int sprite = FindSpriteByParameters(r, t).spriteNumber;
                 return sprite != -1 && sprite != FindSpriteByParameters(r, 0).spriteNumber;
             };
             while (rotation < 24 && !differs(rotation, tilt)) {
                 if (++tilt > 4) {
                     tilt = -4;
                     ++rotation;
                 }
             }
             QVERIFY(rotation < 24);
             f.ui->spinBoxRotation->setValue(rotation);
             f.ui->spinBoxTilt->setValue(tilt);
             QCOMPARE(f.ui->spinBoxSpriteNumber->value(), FindSpriteByParameters(rotation, tilt).spriteNumber);
         }},
        {"horizontalSlider sliderMoved -> SetAnimationInterval",
         [](Fixture &f) {
             // What dragging the handle does.
             f.ui->horizontalSlider->setSliderDown(true);
             f.ui->horizontalSlider->setSliderPosition(150);
             f.ui->horizontalSlider->setSliderDown(false);
             QCOMPARE(f.probe.animation().interval(), 150);
         }},
        {"spinBoxMoveSpriteUp valueChanged -> MoveSprite",
         [](Fixture &f) {
             StepSpin(f.ui->spinBoxMoveSpriteUp);
             QCOMPARE(f.probe.spriteOffsets()[0][0], QPoint(0, 1));
         }},
        {"spinBoxMoveSpriteRight valueChanged -> MoveSprite",
         [](Fixture &f) {
             StepSpin(f.ui->spinBoxMoveSpriteRight);
             QCOMPARE(f.probe.spriteOffsets()[0][0], QPoint(1, 0));
         }},
        {"pushButtonLoad clicked -> LoadSprite",
         [](Fixture &f) {
             f.ui->pushButtonLoad->click();
             ExpectDialog(f, ScriptedPrompts::Kind::OpenFile);
         }},
        {"pushButtonResetCarMovings clicked -> ClearCarMoveCoords",
         [](Fixture &f) {
             f.probe.edit([](DocumentTables &t) {
                 t.offsets[0][3] = QPoint(2, 2);
                 t.offsets[0][40] = QPoint(-1, 5);
             });
             f.ui->pushButtonResetCarMovings->click();
             QCOMPARE(f.probe.spriteOffsets()[0], QList<QPoint>(kSpritesPerCar, QPoint()));
         }},
        {"pushButtonQuickOut clicked -> QuickSpriteOut",
         [](Fixture &f) {
             QFile::remove(QStringLiteral("sprite.bmp"));
             f.ui->pushButtonQuickOut->click();
             QCOMPARE(QImage(QStringLiteral("sprite.bmp")).size(), QSize(kSpriteSide, kSpriteSide));
         }},
        {"pushButtonQuickIn clicked -> QuickSpriteIn",
         [](Fixture &f) {
             QImage picture(kSpriteSide, kSpriteSide, QImage::Format_RGB32);
             picture.fill(f.probe.palettes()[0][7]);
             QVERIFY(picture.save(QStringLiteral("sprite.bmp")));
             const SpritePixels before = f.probe.sprites()[0][0];
             f.ui->pushButtonQuickIn->click();
             QVERIFY(f.probe.sprites()[0][0] != before);
         }},
        {"comboBoxPalette currentIndexChanged -> DisplaySpriteById",
         [](Fixture &f) { ExpectNewPicture(f, [&] { f.ui->comboBoxPalette->setCurrentIndex(1); }); }},
        {"comboBoxPalette currentIndexChanged -> ShowColors",
         [](Fixture &f) {
             f.ui->comboBoxPalette->setCurrentIndex(1);
             QCOMPARE(SwatchColor(f.ui->labelColor1), f.probe.palettes()[1][1].rgb());
         }},
        {"labelColor1 Clicked -> ChangeColor1",
         [](Fixture &f) {
             LeftClick(f.ui->labelColor1);
             ExpectDialog(f, ScriptedPrompts::Kind::Color);
         }},
        {"labelColor2 Clicked -> ChangeColor2",
         [](Fixture &f) {
             LeftClick(f.ui->labelColor2);
             ExpectDialog(f, ScriptedPrompts::Kind::Color);
         }},
        {"labelColor3 Clicked -> ChangeColor3",
         [](Fixture &f) {
             LeftClick(f.ui->labelColor3);
             ExpectDialog(f, ScriptedPrompts::Kind::Color);
         }},
        {"labelColorBg Clicked -> ChangeColorBg",
         [](Fixture &f) {
             LeftClick(f.ui->labelColorBg);
             ExpectDialog(f, ScriptedPrompts::Kind::Color);
         }},
        {"labelPaletteREstore Clicked -> RestorePalette",
         [](Fixture &f) {
             f.probe.edit([](DocumentTables &t) { t.palettes[0][2] = Qt::white; });
             LeftClick(f.ui->labelPaletteREstore);
             QCOMPARE(f.probe.palettes()[0], f.probe.romPalettes()[0]);
         }},
        {"labelPalettShift Clicked -> ShiftPalette",
         [](Fixture &f) {
             const Palette before = f.probe.palettes()[0];
             LeftClick(f.ui->labelPalettShift);
             QVERIFY(f.probe.palettes()[0] != before);
         }},
        {"labelPaletteSwap Clicked -> SwapPalette",
         [](Fixture &f) {
             const Palette before = f.probe.palettes()[0];
             LeftClick(f.ui->labelPaletteSwap);
             QVERIFY(f.probe.palettes()[0] != before);
         }},
        {"spinBoxCarNumber valueChanged -> ShowCarEquipment",
         [](Fixture &f) {
             StepSpin(f.ui->spinBoxCarNumber);
             QCOMPARE(f.ui->spinBoxTopSpeed->value(), int(quint8(f.probe.characteristics()[1].at(0))));
             QCOMPARE(f.ui->comboBoxWeaponC->currentIndex(), int(f.probe.weapons()[1].at(1)));
         }},
        {"spinBoxTopSpeed valueChanged -> UpdateTopSpeed",
         [](Fixture &f) { ExpectCharacteristic(f, f.ui->spinBoxTopSpeed, 0); }},
        {"spinBoxAcceleration valueChanged -> UpdateAcceleration",
         [](Fixture &f) { ExpectCharacteristic(f, f.ui->spinBoxAcceleration, 1); }},
        {"spinBoxAdhesion valueChanged -> UpdateAdhesion",
         [](Fixture &f) { ExpectCharacteristic(f, f.ui->spinBoxAdhesion, 2); }},
        {"spinBoxCornering valueChanged -> UpdateCornering",
         [](Fixture &f) { ExpectCharacteristic(f, f.ui->spinBoxCornering, 3); }},
        {"spinBoxJumping valueChanged -> UpdateJumping",
         [](Fixture &f) { ExpectCharacteristic(f, f.ui->spinBoxJumping, 4); }},
        {"comboBoxWeaponA currentIndexChanged -> UpdateWeaponA",
         [](Fixture &f) { ExpectWeapon(f, f.ui->comboBoxWeaponA, 0); }},
        {"comboBoxWeaponC currentIndexChanged -> UpdateWeaponC",
         [](Fixture &f) { ExpectWeapon(f, f.ui->comboBoxWeaponC, 1); }},
        {"comboBoxWeaponJT currentIndexChanged -> UpdateWeaponJT",
         [](Fixture &f) { ExpectWeapon(f, f.ui->comboBoxWeaponJT, 2); }},
        {"labelColor1 ClickedRight -> RandomColor1",
         [](Fixture &f) { ExpectRandomColor(f, f.ui->labelColor1, 1); }},
        {"labelColor2 ClickedRight -> RandomColor2",
         [](Fixture &f) { ExpectRandomColor(f, f.ui->labelColor2, 2); }},
        {"labelColor3 ClickedRight -> RandomColor3",
         [](Fixture &f) { ExpectRandomColor(f, f.ui->labelColor3, 3); }},
        {"label Clicked -> ShowInfo",
         [](Fixture &f) {
             LeftClick(f.ui->label);
             ExpectDialog(f, ScriptedPrompts::Kind::About);
             QCOMPARE(f.prompts->asked.first().title, QStringLiteral("SKM [SMD] Car Editor"));
         }},
        {"pushButtonAutocenterSprite clicked -> AutoCenterSprite",
         [](Fixture &f) {
             f.ui->pushButtonAutocenterSprite->click();
             QVERIFY(f.probe.spriteOffsets()[0][0] != QPoint());
             QCOMPARE(f.probe.spriteOffsets()[0][1], QPoint());
         }},
        {"pushButtonAutocenterCar clicked -> AutoCenterCar",
         [](Fixture &f) {
             f.ui->pushButtonAutocenterCar->click();
             for (const QPoint &offset : f.probe.spriteOffsets()[0])
                 QVERIFY(offset != QPoint());
             QCOMPARE(f.probe.spriteOffsets()[1][0], QPoint());
         }},
        {"labelSaveChanges Clicked -> Save",
         [](Fixture &f) {
             LeftClick(f.ui->labelSaveChanges);
             ExpectDialog(f, ScriptedPrompts::Kind::Confirm);
             QCOMPARE(f.prompts->asked.first().informativeText, QStringLiteral("Do you want to save your changes?"));
         }},
        {"labelRestoreRom Clicked -> RestoreRom",
         [](Fixture &f) {
             f.probe.edit([](DocumentTables &t) {
                 t.characteristics[3][1] = char(1);
                 t.sprites[4][4].fill(9);
             });
             LeftClick(f.ui->labelRestoreRom);
             QCOMPARE(f.probe.characteristics(), f.probe.romCharacteristics());
             QCOMPARE(f.probe.sprites(), f.probe.romSprites());
         }},
        {"labelRestoreDefaults Clicked -> RestoreDefaults",
         [](Fixture &f) {
             const SpriteTable before = f.probe.sprites();
             LeftClick(f.ui->labelRestoreDefaults);
             QVERIFY(f.probe.sprites() != before);
             QCOMPARE(f.probe.romSprites(), before);
         }},
        {"labelRestoreParamaters Clicked -> RestoreParameters",
         [](Fixture &f) {
             f.probe.edit([](DocumentTables &t) { t.characteristics[0][2] = char(200); });
             LeftClick(f.ui->labelRestoreParamaters);
             QCOMPARE(f.probe.characteristics()[0], f.probe.romCharacteristics()[0]);
         }},
        {"labelRestoreWeapons Clicked -> RestoreWeapons",
         [](Fixture &f) {
             f.probe.edit([](DocumentTables &t) { t.weapons[0][0] = char(5); });
             LeftClick(f.ui->labelRestoreWeapons);
             QCOMPARE(f.probe.weapons()[0], f.probe.romWeapons()[0]);
         }},
        {"labelShowCharacteristics Clicked -> ShowHideCharacteristics",
         [](Fixture &f) {
             LeftClick(f.ui->labelShowCharacteristics);
             QVERIFY(!f.ui->groupBoxParameters->isHidden());
             QVERIFY(!f.ui->groupBoxWeapons->isHidden());
             LeftClick(f.ui->labelShowCharacteristics);
             QVERIFY(f.ui->groupBoxParameters->isHidden());
         }},
    };
    return rows;
}

} // namespace

// Each of the form's 45 connections, fired the way a user would fire it, with
// the effect of its slot observed.
class TestConnections : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;
    std::unique_ptr<ScriptedPrompts> prompts;   // outlives the window
    std::unique_ptr<SKMcarEditor> window;

private slots:
    void initTestCase();
    void cleanup();
    void connectionReachesSlot_data();
    void connectionReachesSlot();
    void rightClickOnCommandLabelsDoesNothing_data();
    void rightClickOnCommandLabelsDoesNothing();
    void sliderMovesOnlyByDragging_data();
    void sliderMovesOnlyByDragging();
};

void TestConnections::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QVERIFY(dir.isValid());
    // Quick import and export use "sprite.bmp" in the working folder.
    QVERIFY(QDir::setCurrent(dir.path()));
    romPath = dir.filePath(QStringLiteral("connections.bin"));
    QVERIFY(WriteRom(romPath, ConnectionTestData()));
    QCOMPARE(Connections().size(), 45);
}

void TestConnections::cleanup()
{
    // A window dropped without closing keeps its recovery file, as at a
    // logout; the next row would be offered it.
    if (window)
        window->Recovery().Discard();
    window.reset();
}

void TestConnections::connectionReachesSlot_data()
{
    QTest::addColumn<int>("row");
    for (int row = 0; row < Connections().size(); ++row)
        QTest::addRow("%02d %s", row + 1, Connections().at(row).name) << row;
}

void TestConnections::connectionReachesSlot()
{
    QFETCH(int, row);
    const Connection &connection = Connections().at(row);
    if (connection.waitsFor)
        QSKIP(connection.waitsFor);

    prompts = std::make_unique<ScriptedPrompts>();
    window = std::make_unique<SKMcarEditor>(romPath, prompts.get());
    WindowProbe probe(*window);
    probe.animation().stop();   // only the connection under test redraws
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    Fixture fixture{window.get(), probe, probe.ui(), prompts.get()};
    connection.fireAndCheck(fixture);
}

void TestConnections::rightClickOnCommandLabelsDoesNothing_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"labelColorBg", "labelPaletteREstore", "labelPaletteSwap", "labelPalettShift",
                             "labelRestoreParamaters", "labelRestoreWeapons", "labelSaveChanges", "labelRestoreRom",
                             "labelRestoreDefaults", "labelShowCharacteristics", "label"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestConnections::rightClickOnCommandLabelsDoesNothing()
{
    QFETCH(QString, name);

    prompts = std::make_unique<ScriptedPrompts>();
    window = std::make_unique<SKMcarEditor>(romPath, prompts.get());
    WindowProbe probe(*window);
    probe.animation().stop();
    probe.edit([](DocumentTables &t) { t.palettes[0][1] = Qt::white; });   // something a restore would undo
    const PaletteTable palettes = probe.palettes();
    const SpriteTable sprites = probe.sprites();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    auto *label = window->findChild<QLabel *>(name);
    QVERIFY(label);
    RightClick(label);
    QTest::qWait(60);   // room for a dialog to come up

    QVERIFY(prompts->asked.isEmpty());
    QCOMPARE(probe.palettes(), palettes);
    QCOMPARE(probe.sprites(), sprites);
    QVERIFY(probe.ui()->groupBoxParameters->isHidden());
}

void TestConnections::sliderMovesOnlyByDragging_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("page up") << int(Qt::Key_PageUp);
    QTest::newRow("right arrow") << int(Qt::Key_Right);
    QTest::newRow("end") << int(Qt::Key_End);
}

void TestConnections::sliderMovesOnlyByDragging()
{
    QFETCH(int, key);

    window = std::make_unique<SKMcarEditor>(romPath);
    WindowProbe probe(*window);
    QSlider *slider = probe.ui()->horizontalSlider;
    QTest::keyClick(slider, Qt::Key(key));
    QVERIFY(slider->value() != 60);
    QCOMPARE(probe.animation().interval(), 60);
}

QTEST_MAIN(TestConnections)
#include "tst_connections.moc"
