#include "app/skmcareditor.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QTime>

#include "car/equipment.h"
#include "palette/palettenames.h"
#include "palette/randomcolor.h"
#include "rom/colorword.h"
#include "rom/romreader.h"
#include "ui_skmcareditor.h"

namespace {

// The car data of the ROM at path, keeping the file's image for saving. A file
// that cannot be read whole is still shown as far as it can be read.
CarData OpenRom(const QString &path, RomImage &image, QString &error)
{
    if (std::optional<RomImage> loaded = RomImage::Load(path, &error)) {
        image = *loaded;
        return CarDataFromImage(image.fileBytes);
    }
    image = RomImage{path, {}, {}};
    return ReadRom(path);
}

} // namespace

SKMcarEditor::SKMcarEditor(QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor)
{
    // The editor has nothing to show without a ROM, so the dialog comes back
    // until a file is chosen.
    while (romFileName.isEmpty()) {
        romFileName = QFileDialog::getOpenFileName(this, tr("Open ROM file"), QString(),
                                                   tr("SMD files (*.bin *.smd);;All files (*.*)"));
    }
    Initialise(OpenRom(romFileName, romImage, romImageError), romFileName);
}

SKMcarEditor::SKMcarEditor(const QString &romPath, QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor)
{
    Initialise(OpenRom(romPath, romImage, romImageError), romPath);
}

SKMcarEditor::~SKMcarEditor()
{
    delete ui;
}

void SKMcarEditor::closeEvent(QCloseEvent *event)
{
    if (romFileName.isEmpty()) {
        event->accept();
        return;
    }

    // Asked on every close: the editor keeps no record of unsaved changes.
    QMessageBox question;
    question.setText(tr("Program exit"));
    question.setInformativeText(tr("Do you want to save your changes to ROM?"));
    question.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Cancel);

    switch (question.exec()) {
    case QMessageBox::Save:
        if (SaveToRom()) {
            event->accept();
        } else {
            // The warning has been shown; stay open so that no edit is lost.
            // The offsets are baked in by now, so reload the move controls.
            event->ignore();
            DisplaySpriteById();
        }
        break;
    case QMessageBox::Discard:
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

void SKMcarEditor::Initialise(const CarData &data, const QString &romPath)
{
    SeedEditorRandom(QTime::currentTime().msec());
    romFileName = romPath;

    const CarData normalized = NormalizeCarData(data);
    sprites = normalized.sprites;
    palettes = normalized.palettes;
    characteristics = normalized.characteristics;
    weapons = normalized.weapons;
    palettes.append(ImportExportPalette());
    backgroundColor = DefaultBackgroundColor();

    romSprites = sprites;
    romPalettes = palettes;
    romCharacteristics = characteristics;
    romWeapons = weapons;

    ui->setupUi(this);
    ConnectControls();
    setWindowFlags(windowFlags() ^ Qt::MSWindowsFixedSizeDialogHint);

    ui->spinBoxCarNumber->setMaximum(kCarCount);
    ui->spinBoxCarNumber->setSuffix(QStringLiteral("/%1").arg(kCarCount));
    ui->spinBoxSpriteNumber->setMaximum(kSpritesPerCar);
    ui->spinBoxSpriteNumber->setSuffix(QStringLiteral("/%1").arg(kSpritesPerCar));

    ui->groupBoxParameters->hide();
    ui->groupBoxWeapons->hide();

    // Filling the combo boxes fires their change signals; with the guard
    // cleared nothing is drawn and no weapon code is stored.
    reactToControls = false;
    ui->comboBoxPalette->addItems(PaletteNames());
    InitSpriteOffsets();
    ui->comboBoxWeaponA->addItems(WeaponNames());
    ui->comboBoxWeaponC->addItems(WeaponNames());
    ui->comboBoxWeaponJT->addItems(JumpTurboNames());
    reactToControls = true;

    ShowColors();
    ShowCarEquipment();
    DisplaySpriteById();

    animationTimer.setInterval(60);
    connect(&animationTimer, &QTimer::timeout, this, &SKMcarEditor::Animate);
    animationTimer.start();
}

void SKMcarEditor::ConnectControls()
{
    Ui::SKMcarEditor &f = *ui;
    connect(f.spinBoxCarNumber, &QSpinBox::valueChanged, this, &SKMcarEditor::DisplaySpriteById);
    connect(f.spinBoxSpriteNumber, &QSpinBox::valueChanged, this, &SKMcarEditor::DisplaySpriteById);
    connect(f.checkBoxMirrorSprite, &QCheckBox::clicked, this, &SKMcarEditor::DisplaySpriteById);
    connect(f.doubleSpinBoxSpriteZoom, &QDoubleSpinBox::valueChanged, this, &SKMcarEditor::DisplaySpriteById);
    connect(f.pushButtonSave, &QPushButton::clicked, this, &SKMcarEditor::SaveSprite);
    connect(f.checkBoxRotateWheels, &QCheckBox::clicked, this, &SKMcarEditor::DisplaySpriteById);
    connect(f.spinBoxRotation, &QSpinBox::valueChanged, this, &SKMcarEditor::DisplaySpriteByParameters);
    connect(f.spinBoxTilt, &QSpinBox::valueChanged, this, &SKMcarEditor::DisplaySpriteByParameters);
    connect(f.horizontalSlider, &QSlider::sliderMoved, this, &SKMcarEditor::SetAnimationInterval);
    connect(f.spinBoxMoveSpriteUp, &QSpinBox::valueChanged, this, &SKMcarEditor::MoveSprite);
    connect(f.spinBoxMoveSpriteRight, &QSpinBox::valueChanged, this, &SKMcarEditor::MoveSprite);
    connect(f.pushButtonLoad, &QPushButton::clicked, this, &SKMcarEditor::LoadSprite);
    connect(f.pushButtonResetCarMovings, &QPushButton::clicked, this, &SKMcarEditor::ClearCarMoveCoords);
    connect(f.pushButtonQuickOut, &QPushButton::clicked, this, &SKMcarEditor::QuickSpriteOut);
    connect(f.pushButtonQuickIn, &QPushButton::clicked, this, &SKMcarEditor::QuickSpriteIn);
    connect(f.comboBoxPalette, &QComboBox::currentIndexChanged, this, &SKMcarEditor::DisplaySpriteById);
    connect(f.comboBoxPalette, &QComboBox::currentIndexChanged, this, &SKMcarEditor::ShowColors);
    connect(f.labelColor1, &QClickLabel::Clicked, this, &SKMcarEditor::ChangeColor1);
    connect(f.labelColor2, &QClickLabel::Clicked, this, &SKMcarEditor::ChangeColor2);
    connect(f.labelColor3, &QClickLabel::Clicked, this, &SKMcarEditor::ChangeColor3);
    connect(f.labelColorBg, &QClickLabel::Clicked, this, &SKMcarEditor::ChangeColorBg);
    connect(f.labelPaletteREstore, &QClickLabel::Clicked, this, &SKMcarEditor::RestorePalette);
    connect(f.labelPalettShift, &QClickLabel::Clicked, this, &SKMcarEditor::ShiftPalette);
    connect(f.labelPaletteSwap, &QClickLabel::Clicked, this, &SKMcarEditor::SwapPalette);
    connect(f.spinBoxCarNumber, &QSpinBox::valueChanged, this, &SKMcarEditor::ShowCarEquipment);
    connect(f.spinBoxTopSpeed, &QSpinBox::valueChanged, this, &SKMcarEditor::UpdateTopSpeed);
    connect(f.spinBoxAcceleration, &QSpinBox::valueChanged, this, &SKMcarEditor::UpdateAcceleration);
    connect(f.spinBoxAdhesion, &QSpinBox::valueChanged, this, &SKMcarEditor::UpdateAdhesion);
    connect(f.spinBoxCornering, &QSpinBox::valueChanged, this, &SKMcarEditor::UpdateCornering);
    connect(f.spinBoxJumping, &QSpinBox::valueChanged, this, &SKMcarEditor::UpdateJumping);
    connect(f.comboBoxWeaponA, &QComboBox::currentIndexChanged, this, &SKMcarEditor::UpdateWeaponA);
    connect(f.comboBoxWeaponC, &QComboBox::currentIndexChanged, this, &SKMcarEditor::UpdateWeaponC);
    connect(f.comboBoxWeaponJT, &QComboBox::currentIndexChanged, this, &SKMcarEditor::UpdateWeaponJT);
    connect(f.labelColor1, &QClickLabel::ClickedRight, this, &SKMcarEditor::RandomColor1);
    connect(f.labelColor2, &QClickLabel::ClickedRight, this, &SKMcarEditor::RandomColor2);
    connect(f.labelColor3, &QClickLabel::ClickedRight, this, &SKMcarEditor::RandomColor3);
    connect(f.label, &QClickLabel::Clicked, this, &SKMcarEditor::ShowInfo);
    connect(f.pushButtonAutocenterSprite, &QPushButton::clicked, this, &SKMcarEditor::AutoCenterSprite);
    connect(f.pushButtonAutocenterCar, &QPushButton::clicked, this, &SKMcarEditor::AutoCenterCar);
    connect(f.labelSaveChanges, &QClickLabel::Clicked, this, &SKMcarEditor::Save);
    connect(f.labelRestoreRom, &QClickLabel::Clicked, this, &SKMcarEditor::RestoreRom);
    connect(f.labelRestoreDefaults, &QClickLabel::Clicked, this, &SKMcarEditor::RestoreDefaults);
    connect(f.labelRestoreParamaters, &QClickLabel::Clicked, this, &SKMcarEditor::RestoreParameters);
    connect(f.labelRestoreWeapons, &QClickLabel::Clicked, this, &SKMcarEditor::RestoreWeapons);
    connect(f.labelShowCharacteristics, &QClickLabel::Clicked, this, &SKMcarEditor::ShowHideCharacteristics);
}

int SKMcarEditor::CurrentCar() const
{
    return ui->spinBoxCarNumber->value() - 1;
}

int SKMcarEditor::CurrentSprite() const
{
    return ui->spinBoxSpriteNumber->value() - 1;
}

int SKMcarEditor::CurrentPaletteIndex() const
{
    return ui->comboBoxPalette->currentIndex();
}
