#include "editor/controllers/selectioncontroller.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

#include "document/cardocument.h"
#include "document/commandids.h"
#include "editor/displays/spriteview.h"
#include "editor/window/actionregistry.h"
#include "editor/window/statussink.h"
#include "exchange/indexedpicture.h"
#include "exchange/pixelclipboard.h"

namespace {

constexpr int kTileStep = 8;

// Changes that take changes back, for DrawLive.
PixelChanges Reverted(const PixelChanges &changes)
{
    PixelChanges back;
    back.reserve(changes.size());
    for (qsizetype i = changes.size() - 1; i >= 0; --i)
        back.append({changes.at(i).index, changes.at(i).after, changes.at(i).before});
    return back;
}

} // namespace

SelectionController::SelectionController(CarDocument &document, Selection &selection, SpriteView &view,
                                         StatusSink &status, ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), view(view), status(status)
{
    setObjectName(QStringLiteral("selectionController"));
    cutAction = actions.add({QStringLiteral("actionCut"), tr("Cu&t"), QKeySequence::keyBindings(QKeySequence::Cut)});
    copyAction = actions.add({QStringLiteral("actionCopy"), tr("&Copy"), QKeySequence::keyBindings(QKeySequence::Copy)});
    QAction *paste = actions.add({QStringLiteral("actionPaste"), tr("Pa&ste"),
                                  QKeySequence::keyBindings(QKeySequence::Paste),
                                  tr("Paste pixels or a picture as a floating piece: drag it, then click beside it "
                                     "or press Return to place it, Escape to drop it")});
    deleteAction = actions.add({QStringLiteral("actionDelete"), tr("&Delete"),
                                QKeySequence::keyBindings(QKeySequence::Delete)});
    QAction *all = actions.add({QStringLiteral("actionSelectAll"), tr("Select &All"),
                                QKeySequence::keyBindings(QKeySequence::SelectAll)});
    deselectAction = actions.add({QStringLiteral("actionDeselect"), tr("D&eselect"),
                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)}});
    flipHorizontalAction = actions.add({QStringLiteral("actionFlipHorizontally"), tr("Flip H&orizontally")});
    flipVerticalAction = actions.add({QStringLiteral("actionFlipVertically"), tr("Flip &Vertically")});
    transparentAction = actions.add({QStringLiteral("actionPasteTransparent"), tr("Index &0 Transparent"), {},
                                     tr("Pixels of index 0 in a pasted or moved piece leave the sprite as it is"),
                                     {}, true});
    connect(transparentAction, &QAction::toggled, this, &SelectionController::RenderPiece);
    connect(cutAction, &QAction::triggered, this, &SelectionController::Cut);
    connect(copyAction, &QAction::triggered, this, &SelectionController::Copy);
    connect(paste, &QAction::triggered, this, &SelectionController::Paste);
    connect(deleteAction, &QAction::triggered, this, &SelectionController::Delete);
    connect(all, &QAction::triggered, this, &SelectionController::SelectAll);
    connect(deselectAction, &QAction::triggered, this, &SelectionController::Deselect);
    connect(flipHorizontalAction, &QAction::triggered, this, &SelectionController::FlipHorizontally);
    connect(flipVerticalAction, &QAction::triggered, this, &SelectionController::FlipVertically);

    connect(&view, &SpriteView::pixelPressed, this, &SelectionController::Pressed);
    connect(&view, &SpriteView::pixelMoved, this, &SelectionController::Moved);
    connect(&view, &SpriteView::pixelReleased, this, &SelectionController::Released);
    connect(&selection, &Selection::changed, this, &SelectionController::SelectionChanged);
    connect(&document, &CarDocument::loaded, this, &SelectionController::Abandon);
    view.installEventFilter(this);
    UpdateActions();
}

const SpritePixels *SelectionController::Pixels(int car, int sprite) const
{
    const SpriteTable &sprites = document.sprites();
    if (car < 0 || car >= sprites.size() || sprite < 0 || sprite >= sprites.at(car).size())
        return nullptr;
    return &sprites.at(car).at(sprite);
}

void SelectionController::UpdateActions()
{
    const bool some = floating || !rect.isEmpty();
    for (QAction *action : {cutAction, copyAction, deleteAction, deselectAction, flipHorizontalAction,
                            flipVerticalAction})
        action->setEnabled(some);
}

void SelectionController::ShowOverlay()
{
    if (floating)
        view.setSelectionOverlay(QRect(floating->at, floating->piece.size()), pieceImage, floating->at);
    else
        view.setSelectionOverlay(rect);
}

void SelectionController::RenderPiece()
{
    pieceImage = QImage();
    if (floating) {
        const QList<QRgb> table = IndexedColorTable(document.palettes().value(selection.palette()),
                                                    document.background(), selection.colorModel());
        QList<QRgb> colors = table;
        if (transparentAction->isChecked())
            colors[0] = qRgba(0, 0, 0, 0);
        pieceImage = PixelPiecePicture(floating->piece, colors).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    ShowOverlay();
}

void SelectionController::SetRect(const QRect &selected)
{
    rect = ClipToFrame(selected);
    ShowOverlay();
    UpdateActions();
}

void SelectionController::SetFloating(std::optional<Floating> piece)
{
    const bool wasPending = floating && floating->lifted;
    floating = std::move(piece);
    RenderPiece();
    UpdateActions();
    const bool pending = floating && floating->lifted;
    if (pending != wasPending)
        emit pendingChanged(pending);
}

void SelectionController::Record(const QString &text, int car, int sprite, const PixelChanges &changes)
{
    if (!changes.isEmpty())
        document.DrawLive(car, sprite, changes);
    document.RecordPixels(text.arg(car + 1).arg(sprite + 1), {car, sprite, -1}, car, sprite, changes, kDrawCommand);
}

void SelectionController::SelectAll()
{
    Place();
    selection.setTool(Selection::Tool::Select);
    keyAnchor.reset();
    SetRect(QRect(0, 0, kSpriteSide, kSpriteSide));
}

void SelectionController::Deselect()
{
    Place();
    keyAnchor.reset();
    SetRect(QRect());
}

bool SelectionController::Lift()
{
    const int car = selection.car();
    const int sprite = selection.sprite();
    const SpritePixels *pixels = Pixels(car, sprite);
    if (floating || rect.isEmpty() || !pixels)
        return false;
    Floating piece;
    piece.mapping = view.mapping();
    piece.piece = LiftPiece(*pixels, rect, piece.mapping);
    piece.at = rect.topLeft();
    piece.lifted = true;
    piece.car = car;
    piece.sprite = sprite;
    piece.hole = ClearChanges(*pixels, rect, piece.mapping);
    if (!piece.hole.isEmpty())
        document.DrawLive(car, sprite, piece.hole);
    SetFloating(std::move(piece));
    return true;
}

bool SelectionController::Place()
{
    if (!floating)
        return false;
    Floating piece = *floating;
    const int car = piece.lifted ? piece.car : selection.car();
    const int sprite = piece.lifted ? piece.sprite : selection.sprite();
    const SpriteViewMapping mapping = piece.lifted ? piece.mapping : view.mapping();
    floating.reset();   // no second placement from the signals of this one
    if (const SpritePixels *pixels = Pixels(car, sprite)) {
        const PixelChanges placed = PlaceChanges(*pixels, piece.piece, piece.at, mapping,
                                                 transparentAction->isChecked());
        if (!placed.isEmpty())
            document.DrawLive(car, sprite, placed);
        // The lift and the placement as one step: the hole and what covers it.
        PixelStroke step;
        step.add(piece.hole);
        step.add(placed);
        document.RecordPixels((piece.lifted ? tr("Move pixels on car %1, sprite %2") : tr("Paste on car %1, sprite %2"))
                                  .arg(car + 1)
                                  .arg(sprite + 1),
                              {car, sprite, -1}, car, sprite, step.changes(), kDrawCommand);
    }
    floating = piece;
    SetFloating(std::nullopt);
    SetRect(QRect(piece.at, piece.piece.size()));
    return true;
}

bool SelectionController::Drop()
{
    if (floating) {
        const Floating piece = *floating;
        if (piece.lifted && !piece.hole.isEmpty())
            document.DrawLive(piece.car, piece.sprite, Reverted(piece.hole));
        SetFloating(std::nullopt);
        SetRect(piece.lifted ? QRect(piece.piece.origin, piece.piece.size()) : QRect());
        return true;
    }
    if (rect.isEmpty())
        return false;
    keyAnchor.reset();
    SetRect(QRect());
    return true;
}

void SelectionController::Copy()
{
    PixelPiece piece;
    if (floating) {
        piece = floating->piece;
    } else if (const SpritePixels *pixels = Pixels(selection.car(), selection.sprite()); pixels && !rect.isEmpty()) {
        piece = LiftPiece(*pixels, rect, view.mapping());
    }
    if (piece.isEmpty())
        return;
    auto *data = new QMimeData;
    WritePixelPiece(*data, piece,
                    IndexedColorTable(document.palettes().value(selection.palette()), document.background(),
                                      selection.colorModel()));
    QGuiApplication::clipboard()->setMimeData(data);
    status.showStatus(tr("Copied %1 x %2 pixels").arg(piece.width).arg(piece.height));
}

void SelectionController::Cut()
{
    Copy();
    Delete();
}

void SelectionController::Delete()
{
    if (floating) {
        const Floating piece = *floating;
        floating.reset();
        if (piece.lifted)   // the hole stays: the pixels are gone
            document.RecordPixels(tr("Delete on car %1, sprite %2").arg(piece.car + 1).arg(piece.sprite + 1),
                                  {piece.car, piece.sprite, -1}, piece.car, piece.sprite, piece.hole, kDrawCommand);
        floating = piece;
        SetFloating(std::nullopt);
        SetRect(QRect(piece.at, piece.piece.size()));
        return;
    }
    const SpritePixels *pixels = Pixels(selection.car(), selection.sprite());
    if (!pixels || rect.isEmpty())
        return;
    Record(tr("Delete on car %1, sprite %2"), selection.car(), selection.sprite(),
           ClearChanges(*pixels, rect, view.mapping()));
}

void SelectionController::Paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data || !HoldsPixelPiece(*data)) {
        status.showStatus(tr("The clipboard holds no pixels or picture to paste."));
        return;
    }
    const Result<PixelPiece> piece = ReadPixelPiece(*data, document.palettes().value(selection.palette()),
                                                    document.background(), selection.matchOptions());
    if (!piece) {
        status.showStatus(piece.message());
        return;
    }
    Place();
    selection.setTool(Selection::Tool::Select);
    Floating pasted;
    pasted.piece = *piece;
    pasted.at = piece->origin;
    keyAnchor.reset();
    rect = QRect();
    SetFloating(std::move(pasted));
    view.setFocus();
    status.showStatus(tr("Pasted %1 x %2 pixels: Return or a click beside them places them, Escape drops them")
                          .arg(piece->width)
                          .arg(piece->height));
}

void SelectionController::Flip(bool horizontally)
{
    if (floating) {
        floating->piece = horizontally ? FlippedHorizontally(floating->piece) : FlippedVertically(floating->piece);
        RenderPiece();
        return;
    }
    const SpritePixels *pixels = Pixels(selection.car(), selection.sprite());
    if (!pixels || rect.isEmpty())
        return;
    const SpriteViewMapping mapping = view.mapping();
    const PixelPiece lifted = LiftPiece(*pixels, rect, mapping);
    const PixelPiece flipped = horizontally ? FlippedHorizontally(lifted) : FlippedVertically(lifted);
    Record(tr("Flip on car %1, sprite %2"), selection.car(), selection.sprite(),
           PlaceChanges(*pixels, flipped, rect.topLeft(), mapping));
}

void SelectionController::FlipHorizontally()
{
    Flip(true);
}

void SelectionController::FlipVertically()
{
    Flip(false);
}

void SelectionController::MoveFloating(QPoint by)
{
    if (!floating || by.isNull())
        return;
    // Some of the piece stays in the frame.
    const QPoint at = floating->at + by;
    if (at.x() + floating->piece.width <= 0 || at.y() + floating->piece.height <= 0 || at.x() >= kSpriteSide
        || at.y() >= kSpriteSide)
        return;
    floating->at = at;
    ShowOverlay();
}

void SelectionController::Pressed(const SpriteViewPointer &pointer)
{
    if (!active() || !pointer.shown || pointer.button != Qt::LeftButton)
        return;
    const QPoint at = *pointer.shown;
    dragMoved = false;
    keyAnchor.reset();
    if (floating) {
        if (QRect(floating->at, floating->piece.size()).contains(at)) {
            drag = Drag::Piece;
            grab = at - floating->at;
        } else {
            drag = Drag::None;
            Place();
        }
        return;
    }
    anchor = at;
    if (rect.contains(at) && !(pointer.modifiers & Qt::ShiftModifier)) {
        drag = Drag::Lift;
        grab = at - rect.topLeft();
        return;
    }
    drag = Drag::Marquee;
    SetRect(QRect(at, QSize(1, 1)));
}

void SelectionController::Moved(const SpriteViewPointer &pointer)
{
    if (drag == Drag::None || !pointer.shown)
        return;
    const QPoint at = *pointer.shown;
    switch (drag) {
    case Drag::Marquee:
        dragMoved = dragMoved || at != anchor;
        SetRect(FrameRectBetween(anchor, at));
        break;
    case Drag::Lift:
        if (at == anchor)
            break;
        if (!Lift()) {
            drag = Drag::None;
            break;
        }
        drag = Drag::Piece;
        [[fallthrough]];
    case Drag::Piece:
        if (!floating) {   // placed or dropped meanwhile (a key, another tool)
            drag = Drag::None;
            break;
        }
        dragMoved = true;
        MoveFloating(at - grab - floating->at);
        break;
    case Drag::None:
        break;
    }
}

void SelectionController::Released(const SpriteViewPointer &)
{
    const Drag ended = std::exchange(drag, Drag::None);
    if (dragMoved)
        return;
    // A click: on the floating piece places it, elsewhere leaves no selection.
    if (ended == Drag::Piece)
        Place();
    else if (ended == Drag::Marquee || ended == Drag::Lift)
        SetRect(QRect());
}

bool SelectionController::KeyPressed(QKeyEvent &key)
{
    QPoint step;
    switch (key.key()) {
    case Qt::Key_Left: step = {-1, 0}; break;
    case Qt::Key_Right: step = {1, 0}; break;
    case Qt::Key_Up: step = {0, -1}; break;
    case Qt::Key_Down: step = {0, 1}; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Place();
    default:
        return false;
    }
    // A drag held with Space continues as the view has it.
    if (view.isStrokeActive())
        return false;
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    if (floating) {
        MoveFloating(shift ? step * kTileStep : step);
        return true;
    }
    if (shift) {
        // From the cursor's pixel, the cursor at the moving corner.
        if (!keyAnchor || rect.isEmpty())
            keyAnchor = view.pixelCursor();
        view.setPixelCursor(view.pixelCursor() + step);
        SetRect(FrameRectBetween(*keyAnchor, view.pixelCursor()));
        return true;
    }
    if (rect.isEmpty())
        return false;   // the cursor moves
    keyAnchor.reset();
    if (Lift())
        MoveFloating(step);
    return true;
}

bool SelectionController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &view && event->type() == QEvent::KeyPress && active()
        && KeyPressed(*static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}

void SelectionController::SelectionChanged(Selection::Parts parts)
{
    if (parts & Selection::DrawingTool) {
        if (!active()) {
            Place();
            drag = Drag::None;
            keyAnchor.reset();
            SetRect(QRect());
        }
        return;
    }
    // Pixels lifted from one sprite go back into it before another is shown.
    if ((parts & (Selection::Car | Selection::Sprite | Selection::Mirrored)) && floating && floating->lifted)
        Place();
    if (parts & (Selection::Palette | Selection::Colors))
        RenderPiece();
}

void SelectionController::Abandon()
{
    // The ROM was replaced: lifted pixels went with the old tables.
    const bool pending = floating && floating->lifted;
    floating.reset();
    pieceImage = QImage();
    drag = Drag::None;
    keyAnchor.reset();
    SetRect(QRect());
    if (pending)
        emit pendingChanged(false);
}
