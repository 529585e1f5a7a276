// The window's editing menus (Sprite, Palette, Car) and the single-key tool
// keys. Each item runs the same controller slot as the button beside the
// sprite, so menu and button make the same change.
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTextEdit>

#include "editor/controllers/exchangecontroller.h"
#include "editor/controllers/offsetcontroller.h"
#include "editor/controllers/palettecontroller.h"
#include "editor/controllers/romcontroller.h"
#include "editor/window/skmcareditor.h"
#include "editor/displays/spriteoverview.h"
#include "ui_skmcareditor.h"

namespace {

QAction *MenuItem(QMenu *menu, const QString &text, const char *name, const QKeySequence &keys = {})
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty())
        action->setShortcut(keys);
    return action;
}

// Single keys are for the window, not for typing into a field.
bool TypesText(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
}

} // namespace

void SKMcarEditor::CreateEditingMenus()
{
    Ui::SKMcarEditor &f = *ui;

    QMenu *sprite = menuBar->addMenu(tr("&Sprite"));
    connect(MenuItem(sprite, tr("Auto-center &Sprite"), "actionAutoCenterSprite"), &QAction::triggered,
            offsetsControl, &OffsetController::AutoCenterSprite);
    connect(MenuItem(sprite, tr("Auto-center &Car"), "actionAutoCenterCar"), &QAction::triggered, offsetsControl,
            &OffsetController::AutoCenterCar);
    connect(MenuItem(sprite, tr("&Reset Car Offsets"), "actionResetCarOffsets"), &QAction::triggered, offsetsControl,
            &OffsetController::ClearCarMoveCoords);
    QAction *mirrored = MenuItem(sprite, tr("&Mirrored"), "actionMirrored");
    mirrored->setCheckable(true);
    mirrored->setChecked(selection.mirrored());
    connect(mirrored, &QAction::toggled, &selection, &Selection::setMirrored);
    connect(&selection, &Selection::changed, mirrored, [this, mirrored] { mirrored->setChecked(selection.mirrored()); });
    sprite->addSeparator();
    // The keys move from the buttons to the menu, so that one key has one owner.
    f.pushButtonQuickOut->setShortcut({});
    f.pushButtonQuickIn->setShortcut({});
    connect(MenuItem(sprite, tr("Quick E&xport"), "actionQuickExport", QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, exchangeControl, &ExchangeController::QuickSpriteOut);
    connect(MenuItem(sprite, tr("Quick &Import"), "actionQuickImport", QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, exchangeControl, &ExchangeController::QuickSpriteIn);

    QMenu *palette = menuBar->addMenu(tr("&Palette"));
    connect(MenuItem(palette, tr("&Swap Colours 1 and 2"), "actionSwapColours"), &QAction::triggered, paletteControl,
            &PaletteController::SwapPalette);
    connect(MenuItem(palette, tr("&Rotate Colours 1 to 3"), "actionRotateColours"), &QAction::triggered,
            paletteControl, &PaletteController::ShiftPalette);
    connect(MenuItem(palette, tr("Random &Colour..."), "actionRandomColour"), &QAction::triggered, paletteControl,
            [this] { paletteControl->RandomColor(selection.drawingIndex()); });
    connect(MenuItem(palette, tr("&Edit Colour..."), "actionEditColour"), &QAction::triggered, paletteControl,
            [this] { paletteControl->EditColor(selection.drawingIndex()); });
    palette->addSeparator();
    connect(MenuItem(palette, tr("Res&tore Palette"), "actionRestorePalette"), &QAction::triggered, paletteControl,
            &PaletteController::RestorePalette);

    QMenu *car = menuBar->addMenu(tr("&Car"));
    characteristicsAction = MenuItem(car, tr("&Characteristics"), "actionCharacteristics");
    characteristicsAction->setCheckable(true);
    connect(characteristicsAction, &QAction::toggled, this, [this](bool on) {
        if (on == ui->groupBoxParameters->isHidden())
            ToggleCharacteristics();
    });
    car->addSeparator();
    connect(MenuItem(car, tr("Restore &All Rom"), "actionRestoreRom"), &QAction::triggered, romControl,
            &RomController::RestoreRom);
    connect(MenuItem(car, tr("Restore &Defaults"), "actionRestoreDefaults"), &QAction::triggered, romControl,
            &RomController::RestoreDefaults);
}

void SKMcarEditor::CreateOverview(QMenu *view)
{
    // A tool window of its own beside the main one, which keeps its size;
    // it scrolls where the screen is too small for it.
    auto *overviewWindow = new QScrollArea(this);
    overviewWindow->setObjectName(QStringLiteral("overviewWindow"));
    overviewWindow->setWindowFlag(Qt::Tool);
    overviewWindow->setFrameShape(QFrame::NoFrame);
    overviewWindow->setWidgetResizable(true);
    overviewWindow->setAlignment(Qt::AlignCenter);
    // Tab goes to the sprites, not to the scrolling area.
    overviewWindow->setFocusPolicy(Qt::NoFocus);
    overview = new SpriteOverview(document, selection, overviewWindow);
    overviewWindow->setWidget(overview);
    // Shown beside the main window at start without taking the keyboard from it.
    overviewWindow->setAttribute(Qt::WA_ShowWithoutActivating);
    overviewWindow->setWindowTitle(tr("Sprites"));
    overviewWindow->installEventFilter(this);
    overviewAction = view->addAction(tr("Sprite &Overview"));
    overviewAction->setObjectName(QStringLiteral("actionSpriteOverview"));
    overviewAction->setCheckable(true);
    overviewAction->setChecked(QSettings().value(QStringLiteral("view/spriteOverview"), true).toBool());
    connect(overviewAction, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(QStringLiteral("view/spriteOverview"), on);
        if (on && isVisible())
            ShowToolWindow(overview->window(), overview->sizeHint(), false);
        else if (!on)
            overview->window()->hide();
    });
    QAction *large = view->addAction(tr("Overview at &2x"));
    large->setObjectName(QStringLiteral("actionOverviewLarge"));
    large->setCheckable(true);
    large->setChecked(QSettings().value(QStringLiteral("view/spriteOverviewLarge"), false).toBool());
    overview->setScale(large->isChecked() ? 2 : 1);
    connect(large, &QAction::toggled, this, [this](bool on) {
        QSettings().setValue(QStringLiteral("view/spriteOverviewLarge"), on);
        overview->setScale(on ? 2 : 1);
        // The new size, within the screen beside the window.
        if (QWidget *tool = overview->window(); tool->isVisible()) {
            tool->hide();
            ShowToolWindow(tool, overview->sizeHint(), false);
        }
    });
}

bool SKMcarEditor::HandleToolKey(QObject *watched, QKeyEvent *key)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!widget || widget->window() != this || TypesText(widget) || modifiers != Qt::NoModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_B:
        selection.setTool(Selection::Tool::Pencil);
        return true;
    case Qt::Key_G:
        selection.setTool(Selection::Tool::Fill);
        return true;
    case Qt::Key_I:
        selection.setTool(Selection::Tool::Picker);
        return true;
    case Qt::Key_Escape:
        if (selection.tool() == Selection::Tool::None)
            return false;
        selection.setTool(Selection::Tool::None);
        return true;
    case Qt::Key_BracketLeft:
        selection.setDrawingIndex((selection.drawingIndex() + 15) % 16);
        return true;
    case Qt::Key_BracketRight:
        selection.setDrawingIndex((selection.drawingIndex() + 1) % 16);
        return true;
    default:
        return false;
    }
}
