#pragma once

#include <QString>
#include <QWidget>

#include "document/cardocument.h"
#include "editor/editorcontext.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class SKMcarEditor;
}
class QAction;
class QCloseEvent;
QT_END_NAMESPACE

class SpriteViewController;
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
    ~SKMcarEditor() override;

    CarDocument &Document() { return document; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void ShowInfo();

private:
    void Initialise(const QString &romPath);
    void ConnectControls();   // the form connections, in order
    void CreateUndoActions();
    void UpdateTitle();
    // Redraws what a change touched of what is on show.
    void ShowChanges(const TableChanges &changes);
    // Selects the car, sprite and palette an undone or redone step concerned.
    void ShowFocus(const StepFocus &focus);

    Ui::SKMcarEditor *ui;
    CarDocument document;
    EditorContext context;
    SpriteViewController *viewControl = nullptr;
    OffsetController *offsetsControl = nullptr;
    PaletteController *paletteControl = nullptr;
    EquipmentController *equipmentControl = nullptr;
    ExchangeController *exchangeControl = nullptr;
    RomController *romControl = nullptr;
    PaletteFileController *paletteFileControl = nullptr;
    PatchController *patchControl = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;

    friend class EditorProbe;   // white-box access for the older window tests
};
