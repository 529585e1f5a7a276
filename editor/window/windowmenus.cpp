// The window's own commands, the one table that places every registered
// command in the menu bar, and the single-key tool keys. Each menu item runs
// the same controller slot as the button beside the sprite, so menu and
// button make the same change.
#include <algorithm>
#include <functional>

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>

#include "editor/controllers/drawingcontroller.h"
#include "editor/controllers/playtestcontroller.h"
#include "editor/controllers/selectioncontroller.h"
#include "editor/dialogs/preferencesdialog.h"
#include "editor/displays/hardwaretilesdisplay.h"
#include "editor/displays/palettecomparison.h"
#include "editor/displays/spritedisplay.h"
#include "editor/displays/spriteoverview.h"
#include "editor/displays/spriteview.h"
#include "editor/state/zoomsteps.h"
#include "editor/window/actionregistry.h"
#include "editor/window/skmcareditor.h"
#include "ui_skmcareditor.h"

namespace {

// A menu of the menu bar and the ids it places, in order: "-" is a
// separator, "menuRecent" the submenu of recent files, and a name of the
// submenu table that submenu.
struct MenuPlace
{
    const char *title;
    const char *name;
    QList<const char *> ids;
};

const QList<MenuPlace> &MenuTable()
{
    static const QList<MenuPlace> table = {
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&File"), "menuFile",
         {"actionOpen", "menuRecent", "-", "actionSave", "actionSaveCopy", "actionRevert", "-", "actionImport",
          "actionExport", "actionExportAnimation", "actionImportPalette", "actionExportPalette", "actionCreatePatch",
          "-", "actionEditExternally", "actionStopEditingExternally", "-", "actionQuit"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&Edit"), "menuEdit",
         {"actionUndo", "actionRedo", "-", "actionCut", "actionCopy", "actionPaste", "actionDelete", "-",
          "actionSelectAll", "actionDeselect", "actionFlipHorizontally", "actionFlipVertically",
          "actionPasteTransparent", "-", "actionHistory", "-", "actionPreferences"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&Sprite"), "menuSprite",
         {"actionAutoCenterSprite", "actionAutoCenterCar", "actionResetCarOffsets", "actionMirrored", "-",
          "actionCopyToNextRotation", "actionCopyToPreviousRotation", "actionCopyToMirroredPartner",
          "actionMirrorSymmetry", "-", "actionQuickExport", "actionQuickImport"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&Palette"), "menuPalette",
         {"actionSwapColours", "actionRotateColours", "actionRandomColour", "actionEditColour", "-",
          "actionRestorePalette", "-", "actionComparePalettes"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&Car"), "menuCar",
         {"actionCharacteristics", "-", "actionRestoreRom", "actionRestoreDefaults"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&View"), "menuView",
         {"actionZoomIn", "actionZoomOut", "actionDefaultZoom", "actionZoomToFit", "-", "actionPixelGrid",
          "actionTileGrid", "actionConsoleColours", "actionCheckerboard", "actionOnionSkin", "menuOnionNeighbours",
          "actionHardwareTiles", "-", "actionReferencePicture", "actionHideReference", "menuReference", "-",
          "actionSpriteOverview", "actionOverviewLarge", "actionMessages"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&Game"), "menuGame", {"actionPlayTest", "actionPlayTestLive", "-", "actionRecordStartPoint", "actionForgetStartPoint"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "&Help"), "menuHelp", {"actionUserGuide", "actionAbout", "actionAboutQt"}},
    };
    return table;
}

// The submenus the menu table places by name, each with its title and ids.
const QList<MenuPlace> &SubmenuTable()
{
    static const QList<MenuPlace> table = {
        {QT_TRANSLATE_NOOP("SKMcarEditor", "Onion Skin &Neighbours"), "menuOnionNeighbours",
         {"actionOnionRotations", "actionOnionTilts", "actionOnionMirror"}},
        {QT_TRANSLATE_NOOP("SKMcarEditor", "Reference Picture &Placement"), "menuReference",
         {"actionReferenceOver", "actionReferencePerView", "-", "actionReferenceLeft", "actionReferenceRight",
          "actionReferenceUp", "actionReferenceDown", "-", "actionReferenceLarger", "actionReferenceSmaller", "-",
          "actionReferenceMoreOpaque", "actionReferenceLessOpaque"}},
    };
    return table;
}

// The View menu's remembered switches: the action, its text and the option
// it stands for.
struct ViewToggle
{
    const char *id;
    const char *text;
    SessionOption<bool> ViewOptions::*option;
    const char *statusTip = nullptr;
};

const ViewToggle kViewToggles[] = {
    {"actionPixelGrid", QT_TRANSLATE_NOOP("SKMcarEditor", "&Pixel Grid"), &ViewOptions::pixelGrid},
    {"actionTileGrid", QT_TRANSLATE_NOOP("SKMcarEditor", "&Tile Grid"), &ViewOptions::tileGrid},
    {"actionConsoleColours", QT_TRANSLATE_NOOP("SKMcarEditor", "&Console Colours"), &ViewOptions::consoleColours,
     QT_TRANSLATE_NOOP("SKMcarEditor", "Show colours at the levels the console's video output shows them")},
    {"actionCheckerboard", QT_TRANSLATE_NOOP("SKMcarEditor", "Show &Background as Checkerboard"),
     &ViewOptions::checkerboard},
    {"actionSpriteOverview", QT_TRANSLATE_NOOP("SKMcarEditor", "Sprite &Overview"), &ViewOptions::spriteOverview},
    {"actionOverviewLarge", QT_TRANSLATE_NOOP("SKMcarEditor", "Overview at &2x"), &ViewOptions::spriteOverviewLarge},
    {"actionOnionSkin", QT_TRANSLATE_NOOP("SKMcarEditor", "Onion &Skin"), &ViewOptions::onionSkin,
     QT_TRANSLATE_NOOP("SKMcarEditor", "Show the neighbouring views faintly behind the sprite")},
    {"actionHardwareTiles", QT_TRANSLATE_NOOP("SKMcarEditor", "&Hardware Tiles"), &ViewOptions::hardwareTiles,
     QT_TRANSLATE_NOOP("SKMcarEditor", "Outline the 8 x 8 tiles and the four hardware sprites, mark empty and "
                                       "repeated tiles and count them")},
    {"actionComparePalettes", QT_TRANSLATE_NOOP("SKMcarEditor", "Compare &Palettes"), &ViewOptions::comparePalettes,
     QT_TRANSLATE_NOOP("SKMcarEditor", "Show the sprite in every palette of the ROM side by side")},
};

// The onion skin's choice of neighbours (View > Onion Skin Neighbours), one
// of them at a time: the action, its text and the value the option keeps.
struct OnionChoice
{
    const char *id;
    const char *text;
    const char *value;
    OnionNeighbours neighbours;
};

const OnionChoice kOnionChoices[] = {
    {"actionOnionRotations", QT_TRANSLATE_NOOP("SKMcarEditor", "&Rotations Either Side"), "rotations",
     OnionNeighbours::Rotations},
    {"actionOnionTilts", QT_TRANSLATE_NOOP("SKMcarEditor", "&Tilts Above and Below"), "tilts", OnionNeighbours::Tilts},
    {"actionOnionMirror", QT_TRANSLATE_NOOP("SKMcarEditor", "&Mirrored Partner"), "mirror", OnionNeighbours::Mirror},
};

// The choice an option's value names; an unknown value is the first.
const OnionChoice &OnionChoiceOf(const QString &value)
{
    for (const OnionChoice &choice : kOnionChoices)
        if (value == QLatin1String(choice.value))
            return choice;
    return kOnionChoices[0];
}

// Applies the option's value now and at each change, for as long as context lives.
template <typename Apply>
void Follow(const SessionOption<bool> &option, QObject *context, Apply apply)
{
    apply(option.value());
    QObject::connect(&option, &SessionOptionBase::changed, context, [&option, apply] { apply(option.value()); });
}

// Single keys are for the window, not for typing into a field.
bool TypesText(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget)
        || qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget);
}

QList<QKeySequence> Keys(QKeySequence::StandardKey key)
{
    return QKeySequence::keyBindings(key);
}

} // namespace

void SKMcarEditor::RegisterActions()
{
    ActionRegistry &a = *actions;
    connect(a.add({QStringLiteral("actionOpen"), tr("&Open ROM..."), Keys(QKeySequence::Open)}), &QAction::triggered,
            this, &SKMcarEditor::OpenRomDialog);
    connect(a.add({QStringLiteral("actionSaveCopy"), tr("Save a &Copy As...")}), &QAction::triggered, this,
            &SKMcarEditor::SaveCopyAs);
    connect(a.add({QStringLiteral("actionRevert"), tr("Re&vert")}), &QAction::triggered, this, &SKMcarEditor::Revert);
    // No shortcut: Ctrl+Q is the quick import.
    connect(a.add({QStringLiteral("actionQuit"), tr("&Quit")}), &QAction::triggered, this, &QWidget::close);

    QUndoStack *stack = document.undoStack();
    undoAction = a.adopt(QStringLiteral("actionUndo"), stack->createUndoAction(actions, tr("&Undo")));
    undoAction->setShortcuts(QKeySequence::Undo);
    redoAction = a.adopt(QStringLiteral("actionRedo"), stack->createRedoAction(actions, tr("&Redo")));
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(a.add({QStringLiteral("actionHistory"), tr("&History")}), &QAction::triggered, this,
            &SKMcarEditor::ShowHistory);
    connect(a.add({QStringLiteral("actionPreferences"), tr("&Preferences..."), Keys(QKeySequence::Preferences)}),
            &QAction::triggered, this, [this] {
                OpenPreferences(this);
                playTestControl->UpdateLiveAction();   // the emulator command may have changed
            });

    QAction *mirrored = a.add({QStringLiteral("actionMirrored"), tr("&Mirrored"), {}, {}, {}, true});
    mirrored->setChecked(selection.mirrored());
    connect(mirrored, &QAction::toggled, &selection, &Selection::setMirrored);
    connect(&selection, &Selection::changed, mirrored, [this, mirrored] { mirrored->setChecked(selection.mirrored()); });
    QAction *symmetry = a.add({QStringLiteral("actionMirrorSymmetry"), tr("Mirror S&ymmetry"), {},
                               tr("Every drawing tool also draws the mirror image about the sprite's middle column"),
                               {}, true});
    symmetry->setChecked(selection.mirrorSymmetry());
    connect(symmetry, &QAction::toggled, &selection, &Selection::setMirrorSymmetry);
    connect(&selection, &Selection::changed, symmetry,
            [this, symmetry] { symmetry->setChecked(selection.mirrorSymmetry()); });
    // The keys move from the buttons to the menu, so that one key has one owner.
    ui->pushButtonQuickOut->setShortcut({});
    ui->pushButtonQuickIn->setShortcut({});

    characteristicsAction = a.add({QStringLiteral("actionCharacteristics"), tr("&Characteristics"), {}, {}, {}, true});
    connect(characteristicsAction, &QAction::toggled, this, [this](bool on) {
        if (on == ui->groupBoxParameters->isHidden())
            ToggleCharacteristics();
    });

    connect(a.add({QStringLiteral("actionZoomIn"), tr("Zoom &In"),
                   {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}}),
            &QAction::triggered, this, [this] { ZoomBy(true); });
    connect(a.add({QStringLiteral("actionZoomOut"), tr("Zoom &Out"), {QKeySequence(Qt::CTRL | Qt::Key_Minus)}}),
            &QAction::triggered, this, [this] { ZoomBy(false); });
    connect(a.add({QStringLiteral("actionDefaultZoom"), tr("&Default Zoom"), {QKeySequence(Qt::CTRL | Qt::Key_0)}}),
            &QAction::triggered, this, [this] { selection.setZoom(kDefaultZoom); });
    connect(a.add({QStringLiteral("actionZoomToFit"), tr("Zoom to &Fit"), {QKeySequence(Qt::CTRL | Qt::Key_9)}}),
            &QAction::triggered, this, &SKMcarEditor::ZoomToFit);
    RegisterViewToggles();

    connect(a.add({QStringLiteral("actionMessages"), tr("&Messages")}), &QAction::triggered, this,
            &SKMcarEditor::ShowMessages);

    connect(a.add({QStringLiteral("actionUserGuide"), tr("&User Guide"), {QKeySequence(Qt::Key_F1)}}),
            &QAction::triggered, this, &SKMcarEditor::ShowUserGuide);
    connect(a.add({QStringLiteral("actionAbout"), tr("&About")}), &QAction::triggered, this, &SKMcarEditor::ShowInfo);
    connect(a.add({QStringLiteral("actionAboutQt"), tr("About &Qt")}), &QAction::triggered, qApp,
            &QApplication::aboutQt);
}

void SKMcarEditor::RegisterViewToggles()
{
    // Each toggle and its option follow one another; the option remembers.
    for (const ViewToggle &toggle : kViewToggles) {
        SessionOption<bool> &option = options.*toggle.option;
        QAction *action = actions->add({QString::fromLatin1(toggle.id), tr(toggle.text), {},
                                        toggle.statusTip ? tr(toggle.statusTip) : QString(), {}, true});
        action->setChecked(option.value());
        connect(action, &QAction::toggled, &option, &SessionOption<bool>::set);
        connect(&option, &SessionOptionBase::changed, action, [action, &option] { action->setChecked(option.value()); });
    }

    auto *onionGroup = new QActionGroup(actions);
    onionGroup->setExclusive(true);
    for (const OnionChoice &choice : kOnionChoices) {
        QAction *action = actions->add({QString::fromLatin1(choice.id), tr(choice.text), {}, {}, {}, true});
        onionGroup->addAction(action);
        const QString value = QString::fromLatin1(choice.value);
        connect(action, &QAction::triggered, &options.onionNeighbours, [this, value] { options.onionNeighbours.set(value); });
    }
    const auto tickOnionChoice = [this] {
        actions->action(QString::fromLatin1(OnionChoiceOf(options.onionNeighbours.value()).id))->setChecked(true);
    };
    tickOnionChoice();
    connect(&options.onionNeighbours, &SessionOptionBase::changed, this, tickOnionChoice);

    // What shows each switch.
    SpriteView *view = ui->labelSprite;
    Follow(options.pixelGrid, view, [view](bool on) { view->setPixelGridVisible(on); });
    Follow(options.tileGrid, view, [view](bool on) { view->setTileGridVisible(on); });
    Follow(options.hardwareTiles, hardwareTiles, [this](bool on) { hardwareTiles->setShown(on); });
    Follow(options.checkerboard, this, [this](bool on) {
        display->setCheckerboard(on);
        overview->setCheckerboard(on);
    });
    Follow(options.comparePalettes, comparison, [this](bool on) {
        if (on && isVisible())
            ShowToolWindow(comparison->window(), comparison->sizeHint(), false);
        else if (!on)
            comparison->window()->hide();
    });
    Follow(options.spriteOverview, overview, [this](bool on) {
        if (on && isVisible())
            ShowToolWindow(overview->window(), overview->sizeHint(), false);
        else if (!on)
            overview->window()->hide();
    });
    const auto showOnion = [this] {
        display->setOnionSkin(options.onionSkin.value(), OnionChoiceOf(options.onionNeighbours.value()).neighbours);
    };
    showOnion();
    connect(&options.onionSkin, &SessionOptionBase::changed, display, showOnion);
    connect(&options.onionNeighbours, &SessionOptionBase::changed, display, showOnion);
    overview->setScale(options.spriteOverviewLarge.value() ? 2 : 1);
    connect(&options.spriteOverviewLarge, &SessionOptionBase::changed, overview, [this] {
        overview->setScale(options.spriteOverviewLarge.value() ? 2 : 1);
        // The new size, within the screen beside the window.
        if (QWidget *tool = overview->window(); tool->isVisible()) {
            tool->hide();
            ShowToolWindow(tool, overview->sizeHint(), false);
        }
    });
}

void SKMcarEditor::CreateMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    layout()->setMenuBar(menuBar);
    const std::function<void(QMenu *, const MenuPlace &)> fill = [this, &fill](QMenu *menu, const MenuPlace &place) {
        for (const char *id : place.ids) {
            const QString name = QString::fromLatin1(id);
            const auto submenu = std::find_if(SubmenuTable().cbegin(), SubmenuTable().cend(),
                                              [&name](const MenuPlace &sub) { return name == QLatin1String(sub.name); });
            if (name == QLatin1String("-")) {
                menu->addSeparator();
            } else if (name == QLatin1String("menuRecent")) {
                recentMenu = menu->addMenu(tr("Open &Recent"));
                recentMenu->setObjectName(name);
            } else if (submenu != SubmenuTable().cend()) {
                QMenu *inner = menu->addMenu(tr(submenu->title));
                inner->setObjectName(name);
                fill(inner, *submenu);
            } else if (QAction *action = actions->action(name)) {
                menu->addAction(action);
            } else {
                qWarning("The menu table places %s, which no one registered", id);
            }
        }
    };
    for (const MenuPlace &place : MenuTable()) {
        QMenu *menu = menuBar->addMenu(tr(place.title));
        menu->setObjectName(QString::fromLatin1(place.name));
        fill(menu, place);
        if (menu->objectName() == QLatin1String("menuGame")) {
            // Why "Play-test Live" is off shows in its tooltip.
            menu->setToolTipsVisible(true);
            connect(menu, &QMenu::aboutToShow, playTestControl, &PlayTestController::UpdateLiveAction);
        }
    }
    UpdateRecentMenu();
}

void SKMcarEditor::CreateOverview()
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
    // Its keys are the window's.
    actions->serve(*overviewWindow);
}

void SKMcarEditor::CreatePaletteComparison()
{
    // A tool window as the overview's, growing with the view's zoom.
    auto *window = new QScrollArea(this);
    window->setObjectName(QStringLiteral("paletteComparisonWindow"));
    window->setWindowFlag(Qt::Tool);
    window->setFrameShape(QFrame::NoFrame);
    window->setWidgetResizable(true);
    window->setAlignment(Qt::AlignCenter);
    window->setFocusPolicy(Qt::NoFocus);
    comparison = new PaletteComparison(document, selection, window);
    window->setWidget(comparison);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setWindowTitle(tr("Palettes"));
    window->installEventFilter(this);
    actions->serve(*window);
    // A new zoom, a new size: placed beside the window again while on show.
    connect(&selection, &Selection::changed, window, [this, window](Selection::Parts parts) {
        if ((parts & Selection::Zoom) && window->isVisible()) {
            window->hide();
            ShowToolWindow(window, comparison->sizeHint(), false);
        }
    });
}

bool SKMcarEditor::LeavesKeyToField(const QObject *watched, const QKeyEvent &key)
{
    // Text fields only: a number field's cut and paste give way to the
    // window's, as its other keys do, so that Ctrl+V right after choosing a
    // sprite by number pastes pixels.
    const bool lineEdit = qobject_cast<const QLineEdit *>(watched)
        && !qobject_cast<const QAbstractSpinBox *>(watched->parent());
    if (!lineEdit && !qobject_cast<const QTextEdit *>(watched) && !qobject_cast<const QPlainTextEdit *>(watched))
        return false;
    for (const QKeySequence::StandardKey standard : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste,
                                                     QKeySequence::SelectAll, QKeySequence::Delete})
        if (key.matches(standard))
            return true;
    return false;
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
    case Qt::Key_L:
        selection.setTool(Selection::Tool::Line);
        return true;
    case Qt::Key_R:
        selection.setTool(Selection::Tool::Rectangle);
        return true;
    case Qt::Key_E:
        selection.setTool(Selection::Tool::Ellipse);
        return true;
    case Qt::Key_M:
        selection.setTool(Selection::Tool::Select);
        return true;
    case Qt::Key_Escape:
        // A shape in progress is taken back first (the tool stays), then a
        // floating piece or a selection goes, then the tool.
        if (drawingControl->CancelShape() || selectionControl->Drop())
            return true;
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
