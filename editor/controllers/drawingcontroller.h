#pragma once

#include <optional>

#include <QObject>
#include <QPoint>
#include <QString>

#include "editor/state/animationfollower.h"
#include "editor/state/selection.h"
#include "view/pixeltools.h"

class QEvent;
class CarDocument;
class SpriteView;
struct SpriteViewPointer;
struct TableChanges;

// Drawing on the sprite view with the selection's tool and drawing index, and
// the readout of the pixel under the mouse. A stroke, press to release, draws
// into the document live and becomes one undo step at its end holding the
// pixels it changed.
//
// A shape (line, rectangle, ellipse) starts where the button goes down and is
// drawn live from there to the mouse as a preview, the one before taken back
// each time; letting go keeps it as one step. By keyboard, Space at the
// cursor starts it, the arrows move its other end and Space again finishes
// it (or Space held while the arrows move, as the pencil's drag); Escape
// takes it back (CancelShape). Shift makes lines keep to steps of 45
// degrees and rectangles and ellipses squares and circles. With mirror
// symmetry every tool also draws the mirror image about the sprite's middle
// column.
class DrawingController : public QObject
{
    Q_OBJECT

public:
    DrawingController(CarDocument &document, Selection &selection, SpriteView &view, QObject *parent);

    bool isStrokeActive() const { return stroking; }
    bool isShapeActive() const { return shaping; }

    // Takes back a shape in progress (no step); false when there is none.
    bool CancelShape();

public slots:
    // Finishes a stroke in progress as it stands (one step).
    void EndStroke();

signals:
    // "x 12, y 30, index 5" for the pixel under the mouse; empty when it leaves.
    void pixelInfo(const QString &text);
    // A stroke began or ended: undo, redo and the animation wait meanwhile.
    void strokeActiveChanged(bool active);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Pressed(const SpriteViewPointer &pointer);
    void Moved(const SpriteViewPointer &pointer);
    void Released(const SpriteViewPointer &pointer);
    void Hovered(QPoint shown, std::optional<QPoint> stored);
    void ShowPixelInfo();
    // Tells screen readers the pixel under the keyboard's cursor.
    void DescribeCursor();
    // "x 12, y 30, index 5" for frame pixel shown (index of stored, when there is one).
    QString PixelText(QPoint shown, std::optional<QPoint> stored) const;
    void Pick(QPoint stored);
    // The sprite on show, null when the numbers name none.
    const SpritePixels *ShownPixels() const;
    // Puts the changes into the stroke's sprite, live.
    void Apply(const PixelChanges &changes);
    void Abandon();
    // The shape from its start to frame pixel end (as shown), drawn live in
    // place of the one before.
    void UpdateShape(QPoint end, Qt::KeyboardModifiers modifiers);
    void FinishShape();
    void ResetShape();
    void SetStroking(bool active);
    void SelectionChanged(Selection::Parts parts);
    void TablesChanged(const TableChanges &changes);

    CarDocument &document;
    Selection &selection;
    SpriteView &view;

    // The stroke in progress.
    bool stroking = false;
    bool filling = false;
    int strokeCar = -1;
    int strokeSprite = -1;
    int strokeIndex = 0;
    PixelStroke stroke;
    std::optional<QPoint> lastShown;
    // The last pixel the pencil drew (stored position) and where: Shift+click
    // draws a line from it.
    std::optional<QPoint> lastDrawn;
    int lastDrawnCar = -1;
    int lastDrawnSprite = -1;

    // The shape in progress (a stroke too): its tool, its start and end as
    // shown, the sprite as it was at the start and what the preview changed.
    bool shaping = false;
    bool anchored = false;   // by keyboard: waits for the next Space
    Selection::Tool shapeTool = Selection::Tool::None;
    QPoint shapeStart;
    QPoint shapeEnd;
    Qt::KeyboardModifiers shapeModifiers;
    SpritePixels shapeBase;
    PixelChanges preview;

    std::optional<QPoint> hoverShown;
    std::optional<QPoint> hoverStored;
    // The cursor's description follows the animation's steps ten times a second.
    AnimationFollower describing{[this] { DescribeCursor(); }};
};
