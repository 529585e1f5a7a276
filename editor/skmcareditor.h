#pragma once

#include <QSettings>
#include <QString>
#include <QWidget>

#include "document/cardocument.h"
#include "editor/editorcontext.h"
#include "editor/recentfiles.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SKMcarEditor;
}
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QWidget;
QT_END_NAMESPACE

class SpriteViewController;
class DrawingController;
class OffsetController;
class PaletteController;
class EquipmentController;
class ExchangeController;
class RomController;
class PaletteFileController;
class PatchController;

// The editor's one window. It owns the document and the form, builds one
// controller per subsystem (each with the slots of its controls) and keeps the
// window's lifecycle: start-up, title, undo keys and the exit question.
class SKMcarEditor : public QWidget
{
    Q_OBJECT

public:
    // Asks for a ROM file until one is chosen, reads it and builds the window.
    explicit SKMcarEditor(QWidget *parent = nullptr);
    // Reads the given ROM file and builds the window; no dialog.
    explicit SKMcarEditor(const QString &romPath, QWidget *parent = nullptr);
    // Builds the window on a file read (and checked) already.
    explicit SKMcarEditor(const RomImage &image, QWidget *parent = nullptr);
    ~SKMcarEditor() override;

    CarDocument &Document() { return document; }
    QMenuBar *MenuBar() const { return menuBar; }
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

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void ShowInfo();

private:
    void Initialise();   // the window around the opened document
    void ConnectControls();   // the form connections, in order
    void CreateUndoActions();
    void UpdateTitle();
    // --- the shell (editor/windowshell.cpp): menus, status bar, files
    void CreateMenus();
    void CreateStatusBar();
    void ShowStatus(const QString &text);
    void UpdateRomInfo();
    void UpdateRecentMenu();
    void OpenRomDialog();
    void OpenRecent(const QString &path);
    // Runs the ROM check on path and, unless cancelled, opens it in place of
    // the document (clean, empty history).
    bool LoadRomFile(const QString &path);
    void SaveNow();
    void SaveCopyAs();
    void ShowHistory();
    void ShowUserGuide();
    void ZoomBy(bool in);
    // Asks to save unsaved changes before they would be lost; false on Cancel
    // or when the save failed.
    bool MaybeSave(const QString &question);
    // Redraws what a change touched of what is on show.
    void ShowChanges(const TableChanges &changes);
    // Selects the car, sprite and palette an undone or redone step concerned.
    void ShowFocus(const StepFocus &focus);

    Ui::SKMcarEditor *ui;
    CarDocument document;
    EditorContext context;
    SpriteViewController *viewControl = nullptr;
    DrawingController *drawingControl = nullptr;
    OffsetController *offsetsControl = nullptr;
    PaletteController *paletteControl = nullptr;
    EquipmentController *equipmentControl = nullptr;
    ExchangeController *exchangeControl = nullptr;
    RomController *romControl = nullptr;
    PaletteFileController *paletteFileControl = nullptr;
    PatchController *patchControl = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QMenuBar *menuBar = nullptr;
    QStatusBar *statusBar = nullptr;
    QLabel *romInfo = nullptr;
    QLabel *pixelReadout = nullptr;
    QMenu *recentMenu = nullptr;
    QMenu *fileMenu = nullptr;
    QMenu *viewMenu = nullptr;
    QWidget *historyWindow = nullptr;
    QWidget *guideWindow = nullptr;
    QSettings settings;
    RecentFiles recent{settings};

    friend class EditorProbe;   // white-box access for the older window tests
};
