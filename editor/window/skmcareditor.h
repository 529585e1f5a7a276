#pragma once

#include <memory>

#include <QString>
#include <QWidget>

#include "document/cardocument.h"
#include "editor/window/recentfiles.h"
#include "editor/state/selection.h"
#include "editor/state/viewoptions.h"
#include "recovery/recoverykeeper.h"
#include "rom/romimage.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SKMcarEditor;
}
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QShowEvent;
class QKeyEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
QT_END_NAMESPACE

class ActionRegistry;
class AnimationExportController;
class Animator;
class ConsoleColours;
class DrawingController;
class SelectionController;
class DrawingTools;
class EditLinkController;
class EquipmentController;
class ExchangeController;
class FormBinder;
class MessageLog;
class OffsetController;
class PaletteController;
class PaletteFileController;
class PaletteUseDisplay;
class HardwareTilesDisplay;
class PaletteComparison;
class ReferenceController;
class ViewCopyController;
class PanelScroller;
class PatchController;
class PlayTestController;
class RecoveryController;
class Prompts;
class RomController;
class SpriteDisplay;
class SpriteOverview;
class SpriteScroller;
class SpriteView;
class StatusLog;

// The editor's one window. It owns the document, the selection (what is on
// show), the form and one controller per subsystem; it wires the form's
// buttons to them and keeps the window's lifecycle: title, menus, status bar,
// undo keys and the exit question. Controllers know the document, the
// selection and the prompts, not each other.
class SKMcarEditor : public QWidget
{
    Q_OBJECT

public:
    // Reads the given ROM file and builds the window. Questions and messages
    // go through prompts (the window's own message boxes and file dialogs
    // when none is given); prompts must outlive the window.
    explicit SKMcarEditor(const QString &romPath, Prompts *prompts = nullptr, QWidget *parent = nullptr);
    // The same on a file read (and checked) already.
    explicit SKMcarEditor(const RomImage &image, Prompts *prompts = nullptr, QWidget *parent = nullptr);
    ~SKMcarEditor() override;

    CarDocument &Document() { return document; }
    Selection &Shown() { return selection; }
    Animator &Animation() { return *animator; }
    RecoveryKeeper &Recovery() { return keeper; }
    QMenuBar *MenuBar() const { return menuBar; }
    PaletteUseDisplay &PaletteUse() { return *paletteUse; }
    QStatusBar *StatusBar() const { return statusBar; }

    // Opens another ROM in this window, as File > Open does: asks to save
    // unsaved changes (Save, Discard, Cancel), runs the ROM check, then
    // replaces the document and empties the undo stack. False when the
    // current ROM stays.
    bool OpenRom(const QString &path);
    // File > Revert: reads the ROM file again as it is on disk (ROM check
    // included) and starts a clean document with an empty history; asks
    // first when there are unsaved changes. False when nothing was read.
    bool Revert();
    // The session ends without the user (a logout, or the program told to
    // stop): a stroke in progress ends and the unsaved changes are written
    // for recovery at once; nothing is asked. The caller then ends the event
    // loop; the next start offers the changes.
    void EndSession();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void Initialise(Prompts *givenPrompts);   // the window around the opened document
    void BuildControllers();
    void ConnectControls();   // the form's buttons and labels to the controllers
    // Tab goes through every control: the form's order, with the drawing
    // tools, the view and the clickable labels each beside their group.
    void SetTabOrder();
    void UpdateTitle();
    // The window grows and shrinks with the zoomed sprite and the characteristics.
    void FitToContents();
    // View > Zoom to Fit: the largest zoom step that shows the whole sprite.
    void ZoomToFit();
    void ToggleCharacteristics();
    void LockUndo(bool locked);
    void ShowInfo();
    // --- window/windowmenus.cpp: the window's own commands, the menu table, the tool keys
    void RegisterActions();
    void RegisterViewToggles();
    void CreateMenus();
    bool HandleToolKey(QObject *watched, QKeyEvent *key);
    // A text field keeps its own cut, copy, paste, select all and delete.
    static bool LeavesKeyToField(const QObject *watched, const QKeyEvent &key);
    void CreateOverview();
    void CreatePaletteComparison();
    // --- the shell (window/windowshell.cpp): status bar, files
    // --- window/windowtooltips.cpp
    void SetToolTips();
    void CreateStatusBar();
    void ShowStatus(const QString &text);
    void UpdateRomInfo();
    void UpdateRecentMenu();
    void OpenRomDialog();
    void OpenRecent(const QString &path);
    // Runs the ROM check on path and, unless cancelled, opens it in place of
    // the document (clean, empty history).
    bool LoadRomFile(const QString &path);
    void SaveCopyAs();
    void ShowHistory();
    void ShowUserGuide();
    void ShowMessages();
    // Shows a tool window (the overview, the history, the guide, the
    // messages): placed beside the window within the screen when it comes up.
    void ShowToolWindow(QWidget *tool, QSize wanted, bool activate);
    // Tool windows on show that the grown window now covers, or that reach
    // past the screen, are placed beside it again.
    void KeepToolWindowsBeside();
    void ZoomBy(bool in);
    // Asks to save unsaved changes before they would be lost; false on Cancel
    // or when the save failed.
    bool MaybeSave(const QString &question);
    // Selects the car, sprite and palette an undone or redone step concerned.
    void ShowFocus(const StepFocus &focus);

    Ui::SKMcarEditor *ui;
    std::unique_ptr<Prompts> ownPrompts;
    Prompts *prompts = nullptr;
    CarDocument document;
    // Keeps the unsaved changes on disk for a recovery; after the document, so that it goes first.
    RecoveryKeeper keeper{&document};
    Selection selection;
    Animator *animator = nullptr;
    ActionRegistry *actions = nullptr;   // every command of the window, by id
    StatusLog *statusLog = nullptr;      // where the controllers' status lines go
    FormBinder *binder = nullptr;
    SpriteDisplay *display = nullptr;
    SpriteScroller *scroller = nullptr;
    PanelScroller *panels = nullptr;
    DrawingTools *drawingTools = nullptr;
    DrawingController *drawingControl = nullptr;
    SelectionController *selectionControl = nullptr;
    OffsetController *offsetsControl = nullptr;
    PaletteController *paletteControl = nullptr;
    EquipmentController *equipmentControl = nullptr;
    ExchangeController *exchangeControl = nullptr;
    RomController *romControl = nullptr;
    PaletteFileController *paletteFileControl = nullptr;
    PatchController *patchControl = nullptr;
    PlayTestController *playTestControl = nullptr;
    EditLinkController *editLinkControl = nullptr;
    RecoveryController *recoveryControl = nullptr;
    ConsoleColours *consoleColours = nullptr;
    PaletteUseDisplay *paletteUse = nullptr;
    HardwareTilesDisplay *hardwareTiles = nullptr;
    ReferenceController *referenceControl = nullptr;
    ViewCopyController *viewCopyControl = nullptr;
    PaletteComparison *comparison = nullptr;
    AnimationExportController *animationExport = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QAction *characteristicsAction = nullptr;
    SpriteOverview *overview = nullptr;
    QMenuBar *menuBar = nullptr;
    QStatusBar *statusBar = nullptr;
    QLabel *romInfo = nullptr;
    QLabel *pixelReadout = nullptr;
    QMenu *recentMenu = nullptr;
    QWidget *historyWindow = nullptr;
    QWidget *guideWindow = nullptr;
    MessageLog *messageLog = nullptr;
    RecentFiles recent;
    ViewOptions options;
};
