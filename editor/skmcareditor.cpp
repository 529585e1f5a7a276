#include "editor/skmcareditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTime>
#include <QWheelEvent>

#include "car/equipment.h"
#include "editor/drawingcontroller.h"
#include "editor/equipmentcontroller.h"
#include "editor/exchangecontroller.h"
#include "editor/offsetcontroller.h"
#include "editor/palettecontroller.h"
#include "editor/palettefilecontroller.h"
#include "editor/patchcontroller.h"
#include "editor/romcontroller.h"
#include "editor/spriteviewcontroller.h"
#include "palette/palettenames.h"
#include "palette/randomcolor.h"
#include "rom/romreader.h"
#include "ui_skmcareditor.h"

namespace {

const QString kProgramTitle = QStringLiteral("SKM [SMD] Car Editor");

bool IsRedoKey(const QKeyEvent *key)
{
    const QKeyCombination combination = key->keyCombination();
    return key->matches(QKeySequence::Redo)
        || combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)
        || combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

} // namespace

SKMcarEditor::SKMcarEditor(QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor)
{
    // The editor has nothing to show without a ROM, so the dialog comes back
    // until a file is chosen.
    QString romPath;
    while (romPath.isEmpty()) {
        romPath = QFileDialog::getOpenFileName(this, tr("Open ROM file"), QString(),
                                               tr("SMD files (*.bin *.smd);;All files (*.*)"));
    }
    document.Open(romPath);
    Initialise();
}

SKMcarEditor::SKMcarEditor(const QString &romPath, QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor)
{
    document.Open(romPath);
    Initialise();
}

SKMcarEditor::SKMcarEditor(const RomImage &image, QWidget *parent) : QWidget(parent), ui(new Ui::SKMcarEditor)
{
    document.Open(image);
    Initialise();
}

SKMcarEditor::~SKMcarEditor()
{
    qApp->removeEventFilter(this);
    delete ui;
}

void SKMcarEditor::closeEvent(QCloseEvent *event)
{
    // A stroke in progress is a change like any other: finish it, then ask.
    drawingControl->EndStroke();
    // Nothing to lose: close at once and leave the file alone.
    if (document.path().isEmpty() || !document.isModified()) {
        event->accept();
        return;
    }

    QMessageBox question;
    question.setText(tr("Program exit"));
    question.setInformativeText(tr("Do you want to save your changes to ROM?"));
    question.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Cancel);

    switch (question.exec()) {
    case QMessageBox::Save:
        // A failed save has shown its warning; stay open so that no edit is lost.
        if (romControl->SaveToRom())
            event->accept();
        else
            event->ignore();
        break;
    case QMessageBox::Discard:
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

bool SKMcarEditor::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl + mouse wheel over the sprite zooms in whole steps.
    if (event->type() == QEvent::Wheel && watched == ui->labelSprite) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() != 0)
                ZoomBy(wheel->angleDelta().y() > 0);
            return true;
        }
    }
    // The document's undo and redo win over a spin box's own text undo: the
    // override request is refused, so the keys reach the window's actions.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this && (key->matches(QKeySequence::Undo) || IsRedoKey(key))) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SKMcarEditor::Initialise()
{
    SeedEditorRandom(QTime::currentTime().msec());

    ui->setupUi(this);
    context.ui = ui;
    context.document = &document;
    context.window = this;
    viewControl = new SpriteViewController(context, this);
    offsetsControl = new OffsetController(context, *viewControl, this);
    paletteControl = new PaletteController(context, this);
    equipmentControl = new EquipmentController(context, this);
    exchangeControl = new ExchangeController(context, *viewControl, this);
    romControl = new RomController(context, this);
    drawingControl = new DrawingController(context, *viewControl, this);
    paletteFileControl = new PaletteFileController(context, this);
    patchControl = new PatchController(context, this);

    ConnectControls();
    CreateUndoActions();
    CreateMenus();
    CreateStatusBar();
    setAcceptDrops(true);
    if (document.image().stamp.exists) {
        recent.add(document.path());
        UpdateRecentMenu();
    }
    setWindowFlags(windowFlags() ^ Qt::MSWindowsFixedSizeDialogHint);
    UpdateTitle();

    ui->spinBoxCarNumber->setMaximum(kCarCount);
    ui->spinBoxCarNumber->setSuffix(QStringLiteral("/%1").arg(kCarCount));
    ui->spinBoxSpriteNumber->setMaximum(kSpritesPerCar);
    ui->spinBoxSpriteNumber->setSuffix(QStringLiteral("/%1").arg(kSpritesPerCar));

    ui->groupBoxParameters->hide();
    ui->groupBoxWeapons->hide();

    // Filling the combo boxes fires their change signals; with the guard
    // cleared nothing is drawn and no weapon code is stored.
    context.reactToControls = false;
    ui->comboBoxPalette->addItems(PaletteNames());
    ui->comboBoxWeaponA->addItems(WeaponNames());
    ui->comboBoxWeaponC->addItems(WeaponNames());
    ui->comboBoxWeaponJT->addItems(JumpTurboNames());
    context.reactToControls = true;
    context.reactToMoveControls = true;

    paletteControl->ShowColors();
    equipmentControl->ShowCarEquipment();
    viewControl->DisplaySpriteById();
    // Loading the controls made no step: the document starts clean.
    document.MarkSaved();

    connect(&document, &CarDocument::tablesChanged, this, &SKMcarEditor::ShowChanges);
    connect(&document, &CarDocument::focusRequested, this, &SKMcarEditor::ShowFocus);
    connect(&document, &CarDocument::modifiedChanged, this, &SKMcarEditor::UpdateTitle);
    connect(&document, &CarDocument::backgroundChanged, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(&document, &CarDocument::backgroundChanged, paletteControl, &PaletteController::ShowColors);
    qApp->installEventFilter(this);

    viewControl->AnimationTimer().start();
}

void SKMcarEditor::ConnectControls()
{
    Ui::SKMcarEditor &f = *ui;
    connect(f.spinBoxCarNumber, &QSpinBox::valueChanged, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(f.spinBoxSpriteNumber, &QSpinBox::valueChanged, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(f.checkBoxMirrorSprite, &QCheckBox::clicked, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(f.doubleSpinBoxSpriteZoom, &QDoubleSpinBox::valueChanged, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(f.pushButtonSave, &QPushButton::clicked, exchangeControl, &ExchangeController::SaveSprite);
    connect(f.checkBoxRotateWheels, &QCheckBox::clicked, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(f.spinBoxRotation, &QSpinBox::valueChanged, viewControl, &SpriteViewController::DisplaySpriteByParameters);
    connect(f.spinBoxTilt, &QSpinBox::valueChanged, viewControl, &SpriteViewController::DisplaySpriteByParameters);
    connect(f.horizontalSlider, &QSlider::sliderMoved, viewControl, &SpriteViewController::SetAnimationInterval);
    connect(f.spinBoxMoveSpriteUp, &QSpinBox::valueChanged, offsetsControl, &OffsetController::MoveSprite);
    connect(f.spinBoxMoveSpriteRight, &QSpinBox::valueChanged, offsetsControl, &OffsetController::MoveSprite);
    connect(f.pushButtonLoad, &QPushButton::clicked, exchangeControl, &ExchangeController::LoadSprite);
    connect(f.pushButtonResetCarMovings, &QPushButton::clicked, offsetsControl, &OffsetController::ClearCarMoveCoords);
    connect(f.pushButtonQuickOut, &QPushButton::clicked, exchangeControl, &ExchangeController::QuickSpriteOut);
    connect(f.pushButtonQuickIn, &QPushButton::clicked, exchangeControl, &ExchangeController::QuickSpriteIn);
    connect(f.comboBoxPalette, &QComboBox::currentIndexChanged, viewControl, &SpriteViewController::DisplaySpriteById);
    connect(f.comboBoxPalette, &QComboBox::currentIndexChanged, paletteControl, &PaletteController::ShowColors);
    connect(f.labelColor1, &QClickLabel::Clicked, paletteControl, &PaletteController::ChangeColor1);
    connect(f.labelColor2, &QClickLabel::Clicked, paletteControl, &PaletteController::ChangeColor2);
    connect(f.labelColor3, &QClickLabel::Clicked, paletteControl, &PaletteController::ChangeColor3);
    connect(f.labelColorBg, &QClickLabel::Clicked, paletteControl, &PaletteController::ChangeColorBg);
    connect(f.labelPaletteREstore, &QClickLabel::Clicked, paletteControl, &PaletteController::RestorePalette);
    connect(f.labelPalettShift, &QClickLabel::Clicked, paletteControl, &PaletteController::ShiftPalette);
    connect(f.labelPaletteSwap, &QClickLabel::Clicked, paletteControl, &PaletteController::SwapPalette);
    connect(f.spinBoxCarNumber, &QSpinBox::valueChanged, equipmentControl, &EquipmentController::ShowCarEquipment);
    connect(f.spinBoxTopSpeed, &QSpinBox::valueChanged, equipmentControl, &EquipmentController::UpdateTopSpeed);
    connect(f.spinBoxAcceleration, &QSpinBox::valueChanged, equipmentControl, &EquipmentController::UpdateAcceleration);
    connect(f.spinBoxAdhesion, &QSpinBox::valueChanged, equipmentControl, &EquipmentController::UpdateAdhesion);
    connect(f.spinBoxCornering, &QSpinBox::valueChanged, equipmentControl, &EquipmentController::UpdateCornering);
    connect(f.spinBoxJumping, &QSpinBox::valueChanged, equipmentControl, &EquipmentController::UpdateJumping);
    connect(f.comboBoxWeaponA, &QComboBox::currentIndexChanged, equipmentControl, &EquipmentController::UpdateWeaponA);
    connect(f.comboBoxWeaponC, &QComboBox::currentIndexChanged, equipmentControl, &EquipmentController::UpdateWeaponC);
    connect(f.comboBoxWeaponJT, &QComboBox::currentIndexChanged, equipmentControl, &EquipmentController::UpdateWeaponJT);
    connect(f.labelColor1, &QClickLabel::ClickedRight, paletteControl, &PaletteController::RandomColor1);
    connect(f.labelColor2, &QClickLabel::ClickedRight, paletteControl, &PaletteController::RandomColor2);
    connect(f.labelColor3, &QClickLabel::ClickedRight, paletteControl, &PaletteController::RandomColor3);
    connect(f.label, &QClickLabel::Clicked, this, &SKMcarEditor::ShowInfo);
    connect(f.pushButtonAutocenterSprite, &QPushButton::clicked, offsetsControl, &OffsetController::AutoCenterSprite);
    connect(f.pushButtonAutocenterCar, &QPushButton::clicked, offsetsControl, &OffsetController::AutoCenterCar);
    connect(f.labelSaveChanges, &QClickLabel::Clicked, romControl, &RomController::Save);
    connect(f.labelRestoreRom, &QClickLabel::Clicked, romControl, &RomController::RestoreRom);
    connect(f.labelRestoreDefaults, &QClickLabel::Clicked, romControl, &RomController::RestoreDefaults);
    connect(f.labelRestoreParamaters, &QClickLabel::Clicked, equipmentControl, &EquipmentController::RestoreParameters);
    connect(f.labelRestoreWeapons, &QClickLabel::Clicked, equipmentControl, &EquipmentController::RestoreWeapons);
    connect(f.labelShowCharacteristics, &QClickLabel::Clicked, equipmentControl, &EquipmentController::ShowHideCharacteristics);
}

void SKMcarEditor::CreateUndoActions()
{
    QUndoStack *stack = document.undoStack();
    undoAction = stack->createUndoAction(this, tr("Undo"));
    undoAction->setObjectName(QStringLiteral("actionUndo"));
    undoAction->setShortcuts(QKeySequence::Undo);
    redoAction = stack->createRedoAction(this, tr("Redo"));
    redoAction->setObjectName(QStringLiteral("actionRedo"));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *action : {undoAction, redoAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
}

void SKMcarEditor::UpdateTitle()
{
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(QFileInfo(document.path()).fileName(), kProgramTitle));
    setWindowModified(document.isModified());
}

void SKMcarEditor::ShowChanges(const TableChanges &changes)
{
    const int car = context.CurrentCar();
    const int sprite = context.CurrentSprite();
    const int shownPalette = context.CurrentPaletteIndex();
    const bool paletteShown = changes.touchesPalette(shownPalette);
    if (paletteShown)
        paletteControl->ShowColors();
    if (paletteShown || changes.touchesSprite(car, sprite))
        viewControl->DisplaySpriteById();
    if (changes.touchesEquipment(car))
        equipmentControl->ShowCarEquipment();
}

void SKMcarEditor::ShowFocus(const StepFocus &focus)
{
    if (focus.car >= 0 && focus.car < kCarCount)
        ui->spinBoxCarNumber->setValue(focus.car + 1);
    if (focus.sprite >= 0 && focus.sprite < kSpritesPerCar)
        ui->spinBoxSpriteNumber->setValue(focus.sprite + 1);
    if (focus.palette >= 0 && focus.palette < ui->comboBoxPalette->count())
        ui->comboBoxPalette->setCurrentIndex(focus.palette);
}
