#include "editor/controllers/drawingcontroller.h"

#include <QEvent>
#include <QApplication>
#include <QGuiApplication>

#include "document/cardocument.h"
#include "document/commandids.h"
#include "editor/displays/spriteview.h"
#include "view/shapes.h"

namespace {

bool IsShape(Selection::Tool tool)
{
    return tool == Selection::Tool::Line || tool == Selection::Tool::Rectangle || tool == Selection::Tool::Ellipse;
}

ShapeKind KindOf(Selection::Tool tool)
{
    switch (tool) {
    case Selection::Tool::Rectangle: return ShapeKind::Rectangle;
    case Selection::Tool::Ellipse: return ShapeKind::Ellipse;
    default: return ShapeKind::Line;
    }
}

} // namespace

DrawingController::DrawingController(CarDocument &document, Selection &selection, SpriteView &view, QObject *parent)
    : QObject(parent), document(document), selection(selection), view(view)
{
    setObjectName(QStringLiteral("drawingController"));
    connect(&view, &SpriteView::pixelPressed, this, &DrawingController::Pressed);
    connect(&view, &SpriteView::pixelMoved, this, &DrawingController::Moved);
    connect(&view, &SpriteView::pixelReleased, this, &DrawingController::Released);
    connect(&view, &SpriteView::pixelHovered, this, &DrawingController::Hovered);
    connect(&view, &SpriteView::hoverLeft, this, [this] {
        hoverShown.reset();
        hoverStored.reset();
        emit pixelInfo(QString());
    });
    // The keyboard's cursor: the readout follows it as it follows the mouse.
    connect(&view, &SpriteView::cursorMoved, this, &DrawingController::Hovered);
    connect(&view, &SpriteView::cursorMoved, this, [this] { describing.now(); });
    // A shape started by Space follows the cursor until the next Space.
    connect(&view, &SpriteView::cursorMoved, this, [this](QPoint shown) {
        if (shaping && anchored)
            UpdateShape(shown, QGuiApplication::keyboardModifiers());
    });
    connect(&selection, &Selection::changed, this, &DrawingController::SelectionChanged);
    connect(&document, &CarDocument::tablesChanged, this, &DrawingController::TablesChanged);
    connect(&document, &CarDocument::loaded, this, &DrawingController::Abandon);
    // A modal dialog, another window or another application takes the mouse
    // away: the stroke ends as it stands.
    if (QWidget *window = view.window())
        window->installEventFilter(this);
    // A shape waiting for its second Space ends as it stands when the
    // keyboard goes elsewhere (Tab, a click on another control).
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (shaping && anchored && now != &this->view)
            EndStroke();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            EndStroke();
    });
    describing.now();
}

void DrawingController::SelectionChanged(Selection::Parts parts)
{
    if (parts & Selection::kFrameParts)
        describing.follow(parts);
    // Another sprite or tool: a shape in progress is kept as it stands.
    if (shaping && (parts & (Selection::Car | Selection::Sprite | Selection::DrawingTool)))
        EndStroke();
    else if (shaping && (parts & Selection::DrawingOptions))
        UpdateShape(shapeEnd, shapeModifiers);
    if (!(parts & Selection::DrawingTool))
        return;
    if (selection.tool() == Selection::Tool::None) {
        EndStroke();
        view.unsetCursor();
    } else {
        view.setCursor(Qt::CrossCursor);
    }
}

void DrawingController::TablesChanged(const TableChanges &changes)
{
    if (changes.touchesSprite(selection.car(), selection.sprite())) {
        ShowPixelInfo();
        describing.now();
    }
}

const SpritePixels *DrawingController::ShownPixels() const
{
    const SpriteTable &sprites = document.sprites();
    const int car = selection.car();
    const int sprite = selection.sprite();
    if (car < 0 || car >= sprites.size() || sprite < 0 || sprite >= sprites.at(car).size())
        return nullptr;
    return &sprites.at(car).at(sprite);
}

void DrawingController::Pick(QPoint stored)
{
    if (const SpritePixels *pixels = ShownPixels())
        if (const std::optional<int> index = PixelIndexAt(*pixels, stored))
            selection.setDrawingIndex(*index);
}

void DrawingController::SetStroking(bool active)
{
    if (stroking == active)
        return;
    stroking = active;
    emit strokeActiveChanged(active);
}

void DrawingController::Pressed(const SpriteViewPointer &pointer)
{
    const Selection::Tool tool = selection.tool();
    if (shaping && anchored) {
        // The second Space (or a click) puts the shape's other end there.
        if (pointer.shown)
            UpdateShape(*pointer.shown, pointer.modifiers);
        FinishShape();
        return;
    }
    if (tool == Selection::Tool::None || stroking || !pointer.shown)
        return;
    if (tool == Selection::Tool::Select)
        return;   // the selection's own
    if (tool == Selection::Tool::Picker || (pointer.modifiers & Qt::ControlModifier)) {
        if (pointer.stored)
            Pick(*pointer.stored);
        return;
    }
    const SpritePixels *pixels = ShownPixels();
    if (!pixels)
        return;

    filling = tool == Selection::Tool::Fill;
    strokeCar = selection.car();
    strokeSprite = selection.sprite();
    strokeIndex = pointer.button == Qt::RightButton ? 0 : selection.drawingIndex();
    stroke.clear();
    lastShown = pointer.shown;
    if (IsShape(tool)) {
        shaping = true;
        anchored = false;
        shapeTool = tool;
        shapeStart = *pointer.shown;
        shapeBase = *pixels;
        preview.clear();
        SetStroking(true);
        UpdateShape(*pointer.shown, pointer.modifiers);
        return;
    }
    SetStroking(true);

    if (!pointer.stored)
        return;   // background moved in by the offset: nothing to draw here
    const bool mirror = selection.mirrorSymmetry();
    if (filling) {
        Apply(FillChanges(*pixels, *pointer.stored, strokeIndex));
        // The mirror image is filled in the sprite as the first fill left it.
        if (mirror)
            if (const SpritePixels *filled = ShownPixels())
                Apply(FillChanges(*filled, QPoint(MirroredColumn(pointer.stored->x()), pointer.stored->y()),
                                  strokeIndex));
        return;
    }
    const bool line = (pointer.modifiers & Qt::ShiftModifier) && lastDrawn && lastDrawnCar == strokeCar
        && lastDrawnSprite == strokeSprite;
    const QList<QPoint> drawn = LinePixels(line ? *lastDrawn : *pointer.stored, *pointer.stored);
    Apply(mirror ? PaintChanges(*pixels, WithMirrorImage(drawn), strokeIndex)
                 : LineChanges(*pixels, drawn.constFirst(), drawn.constLast(), strokeIndex));
    lastDrawn = pointer.stored;
    lastDrawnCar = strokeCar;
    lastDrawnSprite = strokeSprite;
}

void DrawingController::Moved(const SpriteViewPointer &pointer)
{
    if (!stroking || filling || !pointer.shown || !lastShown)
        return;
    if (selection.car() != strokeCar || selection.sprite() != strokeSprite)
        return;
    if (shaping) {
        UpdateShape(*pointer.shown, pointer.modifiers);
        return;
    }
    const SpritePixels &pixels = document.sprites().at(strokeCar).at(strokeSprite);
    const SpriteViewMapping mapping = view.mapping();
    // Every frame pixel between the last mouse event and this one, so that a
    // fast drag leaves no gaps; the first was drawn by the event before.
    const QList<QPoint> line = LinePixels(*lastShown, *pointer.shown);
    QList<QPoint> drawn;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const std::optional<QPoint> stored = StoredPixelOf(line.at(i), mapping.mirrored, mapping.offset);
        if (!stored)
            continue;
        drawn.append(*stored);
        lastDrawn = stored;
    }
    lastShown = pointer.shown;
    Apply(PaintChanges(pixels, selection.mirrorSymmetry() ? WithMirrorImage(drawn) : drawn, strokeIndex));
}

void DrawingController::Apply(const PixelChanges &changes)
{
    if (changes.isEmpty())
        return;
    stroke.add(changes);
    document.DrawLive(strokeCar, strokeSprite, changes);
}

void DrawingController::UpdateShape(QPoint end, Qt::KeyboardModifiers modifiers)
{
    if (!shaping)
        return;
    shapeEnd = end;
    shapeModifiers = modifiers;
    const ShapeKind kind = KindOf(shapeTool);
    if (modifiers & Qt::ShiftModifier)
        end = ConstrainedEnd(kind, shapeStart, end);
    // Drawn as shown, stored where each pixel shows (mirrored or moved view).
    const SpriteViewMapping mapping = view.mapping();
    QList<QPoint> stored;
    for (const QPoint &p : ShapePixels(kind, shapeStart, end, selection.shapesFilled()))
        if (const std::optional<QPoint> at = StoredPixelOf(p, mapping.mirrored, mapping.offset))
            stored.append(*at);
    if (selection.mirrorSymmetry())
        stored = WithMirrorImage(stored);
    const PixelChanges next = PaintChanges(shapeBase, stored, strokeIndex);
    if (next == preview)
        return;
    Apply(ReplacedChanges(preview, next));
    preview = next;
}

void DrawingController::FinishShape()
{
    static const char *const kTexts[] = {QT_TR_NOOP("Line on car %1, sprite %2"),
                                         QT_TR_NOOP("Rectangle on car %1, sprite %2"),
                                         QT_TR_NOOP("Ellipse on car %1, sprite %2")};
    const QString text = tr(kTexts[int(KindOf(shapeTool))]).arg(strokeCar + 1).arg(strokeSprite + 1);
    document.RecordPixels(text, {strokeCar, strokeSprite, -1}, strokeCar, strokeSprite, stroke.changes(),
                          kDrawCommand);
    ResetShape();
    if (view.isStrokeActive())
        view.endStroke();   // its release finds no stroke
}

bool DrawingController::CancelShape()
{
    if (!shaping)
        return false;
    // The preview is the only change since the start.
    document.DrawLive(strokeCar, strokeSprite, ReplacedChanges(preview, {}));
    ResetShape();
    if (view.isStrokeActive())
        view.endStroke();
    return true;
}

void DrawingController::ResetShape()
{
    shaping = false;
    anchored = false;
    preview.clear();
    shapeBase.clear();
    stroke.clear();
    lastShown.reset();
    SetStroking(false);
}

void DrawingController::Released(const SpriteViewPointer &pointer)
{
    if (!stroking)
        return;
    if (shaping) {
        // Space let go where it was pressed: the shape waits for the next
        // Space, the arrows moving its end. Anything else ends it there.
        if (pointer.keyboard && !anchored && pointer.shown == shapeStart && shapeEnd == shapeStart) {
            anchored = true;
            return;
        }
        if (pointer.shown && !anchored)
            UpdateShape(*pointer.shown, pointer.modifiers);
        FinishShape();
        return;
    }
    lastShown.reset();
    const QString text = (filling ? tr("Fill on car %1, sprite %2") : tr("Draw on car %1, sprite %2"))
                             .arg(strokeCar + 1)
                             .arg(strokeSprite + 1);
    // A stroke that changed nothing (or drew pixels back as they were) leaves no step.
    document.RecordPixels(text, {strokeCar, strokeSprite, -1}, strokeCar, strokeSprite, stroke.changes(),
                          kDrawCommand);
    stroke.clear();
    SetStroking(false);
}

void DrawingController::EndStroke()
{
    if (view.isStrokeActive())
        view.endStroke();   // reports the release
    else if (stroking)
        Released(SpriteViewPointer());
}

void DrawingController::Abandon()
{
    // The ROM was replaced: the stroke's pixels went with the old tables.
    lastShown.reset();
    lastDrawn.reset();
    stroke.clear();
    shaping = false;
    anchored = false;
    preview.clear();
    const bool wasStroking = stroking;
    stroking = false;   // no release reaches Released now
    view.endStroke();
    if (wasStroking)
        emit strokeActiveChanged(false);
}

void DrawingController::Hovered(QPoint shown, std::optional<QPoint> stored)
{
    hoverShown = shown;
    hoverStored = stored;
    ShowPixelInfo();
}

void DrawingController::ShowPixelInfo()
{
    if (!hoverShown)
        return;
    emit pixelInfo(PixelText(*hoverShown, hoverStored));
}

QString DrawingController::PixelText(QPoint shown, std::optional<QPoint> stored) const
{
    QString text = tr("x %1, y %2").arg(shown.x()).arg(shown.y());
    if (stored)
        if (const SpritePixels *pixels = ShownPixels())
            if (const std::optional<int> index = PixelIndexAt(*pixels, *stored))
                text += tr(", index %1").arg(*index);
    return text;
}

void DrawingController::DescribeCursor()
{
    const QPoint shown = view.pixelCursor();
    const SpriteViewMapping mapping = view.mapping();
    const QString text = PixelText(shown, StoredPixelOf(shown, mapping.mirrored, mapping.offset));
    // Screen readers hear of a change: only a real one.
    if (view.accessibleDescription() != text)
        view.setAccessibleDescription(text);
}

bool DrawingController::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::WindowBlocked || type == QEvent::WindowDeactivate) && (stroking || view.isStrokeActive()))
        EndStroke();
    return QObject::eventFilter(watched, event);
}
