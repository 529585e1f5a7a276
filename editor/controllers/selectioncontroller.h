#pragma once

#include <optional>

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>

#include "editor/state/selection.h"
#include "view/pixelselection.h"

class QAction;
class QKeyEvent;
class ActionRegistry;
class CarDocument;
class SpriteView;
class StatusSink;
struct SpriteViewPointer;

// The Select tool: a rectangle of the sprite on show (shown frame pixels, as
// the view shows it), and a floating piece over it, pasted or lifted out of
// the rectangle to be moved, that becomes pixels when it is placed (a click,
// Return, another tool, another sprite) and is dropped by Escape. Each
// placement, cut, delete or flip in place is one undo step.
//
// Mouse: a drag outside the rectangle selects anew, a drag inside lifts its
// pixels and moves them (leaving index 0), a drag on a floating piece moves
// it, a click beside it places it. Keyboard, with the view's pixel cursor:
// Shift+arrows select from the cursor, arrows move the rectangle's pixels or
// the floating piece (with Shift a tile), Return places.
//
// The clipboard (Edit > Cut, Copy, Paste) carries the indices
// (exchange/pixelclipboard.h); a picture of another program is matched to the
// palette on show.
class SelectionController : public QObject
{
    Q_OBJECT

public:
    SelectionController(CarDocument &document, Selection &selection, SpriteView &view, StatusSink &status,
                        ActionRegistry &actions, QObject *parent);

    // The selected rectangle; empty when none.
    QRect selectedRect() const { return rect; }
    bool isFloating() const { return floating.has_value(); }
    // The floating piece and where its top-left corner lies (shown frame pixel).
    PixelPiece floatingPiece() const { return floating ? floating->piece : PixelPiece(); }
    QPoint floatingAt() const { return floating ? floating->at : QPoint(); }

public slots:
    void SelectAll();
    void Deselect();
    void Copy();
    void Cut();
    void Paste();
    void Delete();
    void FlipHorizontally();
    void FlipVertically();
    // Places the floating piece where it lies (one step); false when none floats.
    bool Place();
    // Escape: drops the floating piece (pixels lifted by a move go back where
    // they were) or else the rectangle; false when there was neither.
    bool Drop();

signals:
    // Pixels lifted for a move are out of the sprite and not yet a step:
    // undo, redo and the animation wait meanwhile.
    void pendingChanged(bool pending);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Floating
    {
        PixelPiece piece;
        QPoint at;
        // Lifted out of a sprite by a move: which, how the view showed it, and
        // what lifting it changed there live.
        bool lifted = false;
        int car = -1;
        int sprite = -1;
        SpriteViewMapping mapping;
        PixelChanges hole;
    };
    enum class Drag { None, Marquee, Lift, Piece };

    void Pressed(const SpriteViewPointer &pointer);
    void Moved(const SpriteViewPointer &pointer);
    void Released(const SpriteViewPointer &pointer);
    bool KeyPressed(QKeyEvent &key);
    // Lifts the rectangle's pixels into a floating piece, index 0 left behind.
    bool Lift();
    void MoveFloating(QPoint by);
    // Applies changes to the sprite on show (or car, sprite) as one step named text.
    void Record(const QString &text, int car, int sprite, const PixelChanges &changes);
    void Flip(bool horizontally);
    const SpritePixels *Pixels(int car, int sprite) const;
    bool active() const { return selection.tool() == Selection::Tool::Select; }
    void SetFloating(std::optional<Floating> piece);
    void SetRect(const QRect &selected);
    // The floating piece in the colours on show, then the overlay.
    void RenderPiece();
    void ShowOverlay();
    void UpdateActions();
    void Abandon();
    void SelectionChanged(Selection::Parts parts);

    CarDocument &document;
    Selection &selection;
    SpriteView &view;
    StatusSink &status;

    QRect rect;
    std::optional<Floating> floating;
    QImage pieceImage;   // the floating piece in the colours on show
    Drag drag = Drag::None;
    QPoint anchor;       // where a marquee drag started, or a lift drag was pressed
    QPoint grab;         // the pressed pixel's place in the piece
    bool dragMoved = false;
    std::optional<QPoint> keyAnchor;   // Shift+arrows select from here

    QAction *cutAction = nullptr;
    QAction *copyAction = nullptr;
    QAction *deleteAction = nullptr;
    QAction *deselectAction = nullptr;
    QAction *flipHorizontalAction = nullptr;
    QAction *flipVerticalAction = nullptr;
    QAction *transparentAction = nullptr;   // a floating piece's index 0 leaves the sprite as it is
};
