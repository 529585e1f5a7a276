#pragma once

#include <optional>

#include <QObject>
#include <QPoint>
#include <QString>

#include "document/documenttables.h"
#include "editor/editorcontext.h"
#include "view/pixeltools.h"

class QAction;
class QButtonGroup;
class QEvent;
class QToolButton;
class DrawingIndexStrip;
class SpriteView;
class SpriteViewController;
struct SpriteViewPointer;

// Drawing on the sprite view: the tool buttons (pencil, fill, picker; none
// checked leaves the view as it was), the drawing index strip, the grid
// switches and the readout of the pixel under the mouse. A stroke, press to
// release, changes the tables live and becomes one undo step at its end.
class DrawingController : public QObject
{
    Q_OBJECT

public:
    enum class Tool { None, Pencil, Fill, Picker };

    DrawingController(EditorContext &context, SpriteViewController &view, QObject *parent);

    // Checkable "Pixel Grid" and "Tile Grid", remembered in the settings.
    QAction *PixelGridAction() const { return pixelGridAction; }
    QAction *TileGridAction() const { return tileGridAction; }
    DrawingIndexStrip *IndexStrip() const { return strip; }
    QToolButton *ToolButton(Tool tool) const;
    Tool CurrentTool() const;
    int DrawingIndex() const;
    bool IsStrokeActive() const { return stroking; }

public slots:
    // The strip in the colours of the selected palette and the background.
    void ShowColors();
    // Finishes a stroke in progress as it stands (one step).
    void EndStroke();

signals:
    // "x 12, y 30, index 5" for the pixel under the mouse; empty when it leaves.
    void pixelInfo(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *GridAction(const QString &text, const QString &name, const QString &key,
                        void (SpriteView::*show)(bool));
    void BuildTools();
    void Pressed(const SpriteViewPointer &pointer);
    void Moved(const SpriteViewPointer &pointer);
    void Released(const SpriteViewPointer &pointer);
    void Hovered(QPoint shown, std::optional<QPoint> stored);
    void ShowPixelInfo();
    void Pick(QPoint stored);
    // The sprite on show, null when the numbers name none.
    const SpritePixels *ShownPixels() const;
    // Puts the changes into the stroke's sprite, live.
    void Apply(const PixelChanges &changes);
    void Abandon();
    void LockUndo(bool locked);
    void TablesChanged(const TableChanges &changes);

    EditorContext &context;
    SpriteViewController &viewControl;
    SpriteView *view = nullptr;
    DrawingIndexStrip *strip = nullptr;
    QButtonGroup *tools = nullptr;
    QAction *pixelGridAction = nullptr;
    QAction *tileGridAction = nullptr;

    // The stroke in progress.
    bool stroking = false;
    bool filling = false;
    bool resumeAnimation = false;
    int strokeCar = -1;
    int strokeSprite = -1;
    int strokeIndex = 0;
    DocumentTables before;
    PixelStroke stroke;
    std::optional<QPoint> lastShown;
    // The last pixel the pencil drew (stored position) and where: Shift+click
    // draws a line from it.
    std::optional<QPoint> lastDrawn;
    int lastDrawnCar = -1;
    int lastDrawnSprite = -1;

    std::optional<QPoint> hoverShown;
    std::optional<QPoint> hoverStored;
};
