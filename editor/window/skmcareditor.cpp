#include "editor/window/skmcareditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QScrollBar>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include "editor/controllers/animationexportcontroller.h"
#include "editor/state/animator.h"
#include "editor/controllers/consolecolours.h"
#include "editor/controllers/drawingcontroller.h"
#include "editor/widgets/drawingindexstrip.h"
#include "editor/widgets/drawingtools.h"
#include "editor/controllers/editlinkcontroller.h"
#include "editor/controllers/equipmentcontroller.h"
#include "editor/controllers/exchangecontroller.h"
#include "editor/window/actionregistry.h"
#include "editor/window/formbinder.h"
#include "editor/window/statussink.h"
#include "editor/window/translations.h"
#include "editor/controllers/offsetcontroller.h"
#include "editor/controllers/palettecontroller.h"
#include "editor/controllers/palettefilecontroller.h"
#include "editor/widgets/panelscroller.h"
#include "editor/displays/hardwaretilesdisplay.h"
#include "editor/displays/palettecomparison.h"
#include "editor/controllers/referencecontroller.h"
#include "editor/displays/paletteusedisplay.h"
#include "editor/controllers/patchcontroller.h"
#include "editor/controllers/playtestcontroller.h"
#include "editor/controllers/recoverycontroller.h"
#include "editor/controllers/romcontroller.h"
#include "editor/controllers/viewcopycontroller.h"
#include "editor/controllers/selectioncontroller.h"
#include "editor/window/screenfit.h"
#include "editor/widgets/spritescroller.h"
#include "editor/displays/spriteoverview.h"
#include "editor/displays/spritedisplay.h"
#include "editor/window/windowprompts.h"
#include "palette/palettenames.h"
#include "palette/randomcolor.h"
#include "ui_skmcareditor.h"

namespace {

const QString kProgramTitle = QStringLiteral("SKM [SMD] Car Editor");

} // namespace

SKMcarEditor::SKMcarEditor(const QString &romPath, Prompts *givenPrompts, QWidget *parent)
    : QWidget(parent), ui(new Ui::SKMcarEditor), selection(int(PaletteNames().size()))
{
    document.Open(romPath);
    Initialise(givenPrompts);
}

SKMcarEditor::SKMcarEditor(const RomImage &image, Prompts *givenPrompts, QWidget *parent)
    : QWidget(parent), ui(new Ui::SKMcarEditor), selection(int(PaletteNames().size()))
{
    document.Open(image);
    Initialise(givenPrompts);
}

void SKMcarEditor::Initialise(Prompts *givenPrompts)
{
    InstallPluralForms();
    if (givenPrompts) {
        prompts = givenPrompts;
    } else {
        ownPrompts = std::make_unique<WindowPrompts>(this);
        prompts = ownPrompts.get();
    }
    SeedEditorRandom(QTime::currentTime().msec());

    ui->setupUi(this);
    // The panels scroll on a screen too small for them; menus and status bar stay.
    panels = new PanelScroller(*qobject_cast<QBoxLayout *>(layout()));
    actions = new ActionRegistry(*this);
    statusLog = new StatusLog(this);
    BuildControllers();
    ConnectControls();
    SetTabOrder();
    CreateOverview();
    CreatePaletteComparison();
    RegisterActions();
    CreateMenus();
    CreateStatusBar();
    SetToolTips();
    setAcceptDrops(true);
    if (document.image().stamp.exists) {
        recent.add(document.path());
        UpdateRecentMenu();
    }
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    UpdateTitle();

    ui->groupBoxParameters->hide();
    ui->groupBoxWeapons->hide();
    FitToContents();

    connect(&document, &CarDocument::focusRequested, this, &SKMcarEditor::ShowFocus);
    connect(&document, &CarDocument::modifiedChanged, this, &SKMcarEditor::UpdateTitle);
    connect(&selection, &Selection::changed, this, [this](Selection::Parts parts) {
        if (parts & Selection::Zoom) {
            FitToContents();
            // Once more when the posted layout requests are through (a window
            // system may apply the view's new size a step late).
            QTimer::singleShot(0, this, &SKMcarEditor::FitToContents);
        }
    });
    qApp->installEventFilter(this);

    animator->start();
    // Once the window is on show: the question comes over it.
    QMetaObject::invokeMethod(recoveryControl, &RecoveryController::OfferRecovery, Qt::QueuedConnection);
}

SKMcarEditor::~SKMcarEditor()
{
    qApp->removeEventFilter(this);
    delete ui;
}

void SKMcarEditor::BuildControllers()
{
    Ui::SKMcarEditor &f = *ui;
    animator = new Animator(selection, this);
    binder = new FormBinder(f, selection, *animator, this);
    display = new SpriteDisplay(document, selection, *f.labelSprite, this);
    // Extra room goes to the sprite view, which scrolls when the screen is too small.
    scroller = new SpriteScroller(*f.labelSprite);
    f.horizontalSpacer_3->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    f.verticalSpacer_6->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);

    drawingTools = new DrawingTools(document, selection, f.labelSprite->parentWidget());
    f.horizontalLayout_9->addWidget(drawingTools, 0, Qt::AlignTop);
    drawingControl = new DrawingController(document, selection, *f.labelSprite, this);
    connect(drawingControl, &DrawingController::strokeActiveChanged, animator, &Animator::setHeld);
    connect(drawingControl, &DrawingController::strokeActiveChanged, this, &SKMcarEditor::LockUndo);
    selectionControl = new SelectionController(document, selection, *f.labelSprite, *statusLog, *actions, this);
    connect(selectionControl, &SelectionController::pendingChanged, animator, &Animator::setHeld);
    connect(selectionControl, &SelectionController::pendingChanged, this, &SKMcarEditor::LockUndo);

    offsetsControl = new OffsetController(document, selection, *actions, {f.spinBoxMoveSpriteUp, f.spinBoxMoveSpriteRight,
                                                                f.checkBoxMoveCar},
                                          this);
    paletteControl = new PaletteController(document, selection, *prompts, *actions,
                                           {{f.labelColor1, f.labelColor2, f.labelColor3}, f.labelColorBg}, this);
    connect(drawingTools->indexStrip(), &DrawingIndexStrip::editRequested, paletteControl,
            &PaletteController::EditColor);
    equipmentControl = new EquipmentController(document, selection,
                                               {f.spinBoxTopSpeed, f.spinBoxAcceleration, f.spinBoxAdhesion,
                                                f.spinBoxCornering, f.spinBoxJumping, f.comboBoxWeaponA,
                                                f.comboBoxWeaponC, f.comboBoxWeaponJT},
                                               this);
    exchangeControl = new ExchangeController(document, selection, *prompts, *statusLog, *actions, this);
    romControl = new RomController(document, *prompts, *statusLog, *actions, this);
    paletteFileControl = new PaletteFileController(document, selection, *prompts, *statusLog, *actions, this);
    patchControl = new PatchController(document, *prompts, *statusLog, *actions, this);
    playTestControl = new PlayTestController(document, *prompts, *statusLog, *actions, this);
    editLinkControl = new EditLinkController(document, selection, *prompts, *statusLog, *actions, this);
    recoveryControl = new RecoveryController(document, keeper, *prompts, *statusLog, this);
    consoleColours = new ConsoleColours(selection, options.consoleColours, this);
    paletteUse = new PaletteUseDisplay(document, selection, *drawingTools->indexStrip(), *f.labelSprite, this);
    hardwareTiles = new HardwareTilesDisplay(document, selection, *f.labelSprite, this);
    referenceControl = new ReferenceController(document, selection, *f.labelSprite, options.referencePictures,
                                               options.referencePerView, *prompts, *statusLog, *actions, this);
    animationExport = new AnimationExportController(document, selection, *animator, *prompts, *statusLog, *actions, this);
    viewCopyControl = new ViewCopyController(document, selection, *statusLog, *actions, this);
}

void SKMcarEditor::ConnectControls()
{
    Ui::SKMcarEditor &f = *ui;
    connect(f.pushButtonSave, &QPushButton::clicked, exchangeControl, &ExchangeController::SaveSprite);
    connect(f.pushButtonLoad, &QPushButton::clicked, exchangeControl, &ExchangeController::LoadSprite);
    connect(f.pushButtonQuickOut, &QPushButton::clicked, exchangeControl, &ExchangeController::QuickSpriteOut);
    connect(f.pushButtonQuickIn, &QPushButton::clicked, exchangeControl, &ExchangeController::QuickSpriteIn);
    connect(f.pushButtonResetCarMovings, &QPushButton::clicked, offsetsControl, &OffsetController::ClearCarMoveCoords);
    connect(f.pushButtonAutocenterSprite, &QPushButton::clicked, offsetsControl, &OffsetController::AutoCenterSprite);
    connect(f.pushButtonAutocenterCar, &QPushButton::clicked, offsetsControl, &OffsetController::AutoCenterCar);
    const QClickLabel *entries[] = {f.labelColor1, f.labelColor2, f.labelColor3};
    for (int entry = 1; entry <= 3; ++entry) {
        connect(entries[entry - 1], &QClickLabel::Clicked, paletteControl, [this, entry] { paletteControl->ChangeColor(entry); });
        connect(entries[entry - 1], &QClickLabel::ClickedRight, paletteControl, [this, entry] { paletteControl->RandomColor(entry); });
    }
    connect(f.labelColorBg, &QClickLabel::Clicked, paletteControl, &PaletteController::ChangeColorBg);
    connect(f.labelPaletteREstore, &QClickLabel::Clicked, paletteControl, &PaletteController::RestorePalette);
    connect(f.labelPalettShift, &QClickLabel::Clicked, paletteControl, &PaletteController::ShiftPalette);
    connect(f.labelPaletteSwap, &QClickLabel::Clicked, paletteControl, &PaletteController::SwapPalette);
    connect(f.label, &QClickLabel::Clicked, this, &SKMcarEditor::ShowInfo);
    connect(f.labelSaveChanges, &QClickLabel::Clicked, romControl, &RomController::Save);
    connect(f.labelRestoreRom, &QClickLabel::Clicked, romControl, &RomController::RestoreRom);
    connect(f.labelRestoreDefaults, &QClickLabel::Clicked, romControl, &RomController::RestoreDefaults);
    connect(f.labelRestoreParamaters, &QClickLabel::Clicked, equipmentControl, &EquipmentController::RestoreParameters);
    connect(f.labelRestoreWeapons, &QClickLabel::Clicked, equipmentControl, &EquipmentController::RestoreWeapons);
    connect(f.labelShowCharacteristics, &QClickLabel::Clicked, this, &SKMcarEditor::ToggleCharacteristics);
}

void SKMcarEditor::SetTabOrder()
{
    Ui::SKMcarEditor &f = *ui;
    QList<QWidget *> chain = {f.spinBoxCarNumber, f.spinBoxSpriteNumber, f.checkBoxMirrorSprite,
                              f.checkBoxRotateWheels, f.doubleSpinBoxSpriteZoom, f.spinBoxRotation,
                              f.checkBoxRotation, f.spinBoxTilt, f.checkBoxTilt, f.checkBoxWheelAnimation,
                              f.horizontalSlider, f.radioButtonSaveSprite, f.radioButtonSaveCar,
                              f.radioButtonSaveAll, f.pushButtonLoad, f.pushButtonSave, f.checkBoxMultipleFiles,
                              f.checkBoxDither, f.classicMatching, f.checkBoxConsoleExport, f.checkBoxConsoleMatch,
                              f.pushButtonQuickIn, f.pushButtonQuickOut};
    // Keyboard drawing: the tools, the drawing index, then the view, in a row.
    for (const Selection::Tool tool : {Selection::Tool::Pencil, Selection::Tool::Fill, Selection::Tool::Picker,
                                       Selection::Tool::Line, Selection::Tool::Rectangle, Selection::Tool::Ellipse,
                                       Selection::Tool::Select})
        chain << drawingTools->toolButton(tool);
    chain << drawingTools->filledButton() << drawingTools->symmetryButton();
    for (int index = 0; index < DrawingIndexStrip::kIndexCount; ++index)
        chain << drawingTools->indexStrip()->swatch(index);
    chain << f.labelSprite;
    chain << QList<QWidget *>{f.spinBoxMoveSpriteUp, f.spinBoxMoveSpriteRight, f.checkBoxMoveCar,
                              f.pushButtonAutocenterSprite, f.pushButtonAutocenterCar, f.pushButtonResetCarMovings,
                              f.comboBoxPalette, f.labelColor1, f.labelColor2, f.labelColor3, f.labelColorBg,
                              f.labelPaletteREstore, f.labelPaletteSwap, f.labelPalettShift,
                              f.spinBoxTopSpeed, f.spinBoxAdhesion, f.spinBoxJumping, f.spinBoxAcceleration,
                              f.spinBoxCornering, f.labelRestoreParamaters, f.comboBoxWeaponA, f.comboBoxWeaponC,
                              f.comboBoxWeaponJT, f.labelRestoreWeapons, f.labelSaveChanges, f.labelRestoreRom,
                              f.labelRestoreDefaults, f.labelShowCharacteristics, f.label};
    // QWidget::setTabOrder passes over widgets that take no focus, as the
    // buttons of a group other than its Tab stop do for now.
    QList<Qt::FocusPolicy> policies;
    for (QWidget *widget : std::as_const(chain)) {
        policies << widget->focusPolicy();
        if (widget->focusPolicy() == Qt::NoFocus)
            widget->setFocusPolicy(Qt::TabFocus);
    }
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
    for (qsizetype i = 0; i < chain.size(); ++i)
        chain.at(i)->setFocusPolicy(policies.at(i));
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
    switch (prompts->askSaveDiscardCancel(tr("Program exit"), tr("Do you want to save your changes to ROM?"),
                                          Prompts::SaveChoice::Cancel)) {
    case Prompts::SaveChoice::Save:
        // A failed save has shown its warning; stay open so that no edit is lost.
        if (romControl->SaveToRom())
            event->accept();
        else
            event->ignore();
        break;
    case Prompts::SaveChoice::Discard:
        keeper.Discard();
        event->accept();
        break;
    default:
        event->ignore();
        break;
    }
}

void SKMcarEditor::EndSession()
{
    drawingControl->EndStroke();
    if (const Result<void> written = keeper.Flush(); !written)
        qWarning("%s", qPrintable(written.message()));
}

void SKMcarEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Sized before it had a frame: once more with the frame, on the screen it is on.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, &SKMcarEditor::FitToContents);
    if (options.spriteOverview.value() && !overview->window()->isVisible())
        ShowToolWindow(overview->window(), overview->sizeHint(), false);
    if (options.comparePalettes.value() && !comparison->window()->isVisible())
        ShowToolWindow(comparison->window(), comparison->sizeHint(), false);
}

bool SKMcarEditor::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the program passes here (the animation's timers and
    // paints too): anything but these few leaves at once.
    switch (event->type()) {
    case QEvent::Close:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        break;
    default:
        return false;
    }
    // Closing the overview's window unticks it; closing the main window does not.
    if (event->type() == QEvent::Close && isVisible()) {
        if (overview && watched == overview->window())
            options.spriteOverview.set(false);
        if (comparison && watched == comparison->window())
            options.comparePalettes.set(false);
    }
    // Ctrl + mouse wheel over the sprite zooms in whole steps.
    if (event->type() == QEvent::Wheel && watched == ui->labelSprite) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            if (wheel->angleDelta().y() != 0) {
                // About the pointer: the pixel under it stays there.
                scroller->keepUnderPointer(
                    scroller->viewport()->mapFromGlobal(ui->labelSprite->mapToGlobal(wheel->position().toPoint())));
                ZoomBy(wheel->angleDelta().y() > 0);
            }
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && HandleToolKey(watched, static_cast<QKeyEvent *>(event)))
        return true;
    // The window's commands win over a field's own binding of the same key
    // (a spin box's text undo, its line edit's Ctrl+E "end of line"): the
    // override request is refused, so the key reaches the registered action.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *widget = qobject_cast<QWidget *>(watched);
        const QWidget *window = widget ? widget->window() : nullptr;
        if ((window == this || window == overview || (comparison && window == comparison->window()))
            && actions->claims(*static_cast<QKeyEvent *>(event))
            && !LeavesKeyToField(watched, *static_cast<QKeyEvent *>(event))) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SKMcarEditor::LockUndo(bool locked)
{
    // Undo or redo in the middle of a stroke would mix a step into the
    // stroke's pixels: the keys wait for the release.
    QUndoStack *stack = document.undoStack();
    undoAction->setEnabled(!locked && stack->canUndo());
    redoAction->setEnabled(!locked && stack->canRedo());
}

void SKMcarEditor::UpdateTitle()
{
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(QFileInfo(document.path()).fileName(), kProgramTitle));
    setWindowModified(document.isModified());
}

void SKMcarEditor::FitToContents()
{
    // The view's new size reaches the window's layout through its scroll
    // area and the panels' one.
    scroller->updateGeometry();
    if (QLayout *inner = panels->widget()->layout())
        inner->activate();
    panels->updateGeometry();
    // Activating a settled layout and resizing to the same size do nothing.
    if (layout())
        layout()->activate();
    // A maximised window keeps its size; otherwise the whole sprite as far as the screen allows.
    if (isMaximized() || isFullScreen())
        return;
    const QSize wanted = sizeHint();
    QSize size = SizeWithinScreen(*this, wanted);
    if (size.height() < wanted.height()) {
        // Too low: what scrolls up and down takes the width of its scroll bar,
        // the sprite when it is taller than its smallest area, the panels when
        // they get less than their smallest height.
        int bars = 0;
        if (scroller->sizeHint().height() > scroller->minimumSizeHint().height())
            bars += scroller->verticalScrollBar()->sizeHint().width();
        if (panels->sizeHint().height() - (wanted.height() - size.height()) < panels->widget()->minimumSizeHint().height())
            bars += panels->verticalScrollBar()->sizeHint().width();
        size = SizeWithinScreen(*this, QSize(wanted.width() + bars, size.height()));
    }
    resize(size);
    KeepWithinScreen(*this);
    KeepToolWindowsBeside();
}

void SKMcarEditor::ZoomToFit()
{
    selection.setZoom(::ZoomToFit(scroller->maximumViewportSize() + RoomToGrow(*this)));
}

void SKMcarEditor::ToggleCharacteristics()
{
    // Each box judged by itself; they start hidden together and stay a pair.
    ui->groupBoxParameters->setHidden(!ui->groupBoxParameters->isHidden());
    ui->groupBoxWeapons->setHidden(!ui->groupBoxWeapons->isHidden());
    if (characteristicsAction)
        characteristicsAction->setChecked(!ui->groupBoxParameters->isHidden());
    FitToContents();
}

void SKMcarEditor::ShowFocus(const StepFocus &focus)
{
    selection.setCar(focus.car);
    selection.setSprite(focus.sprite);
    selection.setPalette(focus.palette);
}
