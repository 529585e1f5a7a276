#pragma once

#include <optional>

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QPointF>

#include "view/pixeltools.h"
#include "view/referencepicture.h"

class QKeyEvent;
class QMouseEvent;
class QPainter;

// The mouse on the sprite view: the frame pixel as shown (0..47), the stored
// pixel it shows (none where the offset moved the sprite away), the button
// that was pressed or released (Qt::NoButton for moves), the buttons held and
// the keyboard modifiers.
struct SpriteViewPointer
{
    std::optional<QPoint> shown;
    std::optional<QPoint> stored;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
    Qt::KeyboardModifiers modifiers;
    bool keyboard = false;   // from the pixel cursor and Space, not the mouse
};

// The sprite label: paints the composed sprite itself, zoomed with the same
// sample positions as ScaleNearest, with an optional pixel grid (from zoom 4.0
// up) and 8 x 8 tile grid over it, and reports the pixel under the mouse.
// A QLabel so that a form can promote its label to it; the picture comes from
// setSprite only (text and pixmap of the label are not drawn). The picture
// sits in the contents rectangle by the label's alignment.
//
// A press inside the picture starts a stroke: pixelPressed, then pixelMoved
// each time the mouse reaches another frame pixel inside the picture, then
// pixelReleased when that button is let go, wherever that is (shown and
// stored are none outside the picture). Presses outside the picture and other
// buttons during a stroke are ignored.
//
// Without a mouse: the view takes the keyboard focus and then shows a pixel
// cursor (a frame pixel as shown, drawn as an outline). The arrow keys move
// it by a pixel, with Shift by a tile (8 pixels); Space starts a stroke at
// the cursor as a left-button press there would, arrows while Space is held
// continue it as a drag would, and letting Space go ends it. Hiding or disabling the view, losing
// the mouse grab or the keyboard focus, or endStroke(), finishes a stroke in progress with a pixelReleased without
// pixel and without button, so a stroke always ends.
class SpriteView : public QLabel
{
    Q_OBJECT

public:
    explicit SpriteView(QWidget *parent = nullptr);

    // The sprite as composed (48 x 48, any format) and how it maps to the
    // stored sprite. Only the pixels that differ from the previous picture are
    // repainted; a new zoom repaints (and lays out) the whole view. Repainted
    // `later` through the event queue, or `byPaintNow`: by the caller's
    // paintNow() (a step of the animation, painted once every display has
    // marked its own part of the step; the round through the event queue
    // costs more than the paint).
    enum class Repaint { Later, ByPaintNow };
    // slotPicture (48 x 48, 8-bit, as ComposeSpriteSlots) tells which pixels show
    // the background, for a reference picture behind the sprite; without it
    // none do.
    void setSprite(const QImage &frame, const SpriteViewMapping &mapping, Repaint repaint = Repaint::Later,
                   const QImage &slotPicture = {});
    // Paints and shows what setSprite left for it before returning, and with
    // it whatever else the window has marked.
    void paintNow();
    QImage sprite() const { return frame; }
    SpriteViewMapping mapping() const { return viewMapping; }
    // The picture as shown, zoomed, without grids; made on demand and kept
    // (same cache key) until the picture or the zoom changes.
    QPixmap picture() const;

    // The frames with these cache keys (as given to setSprite) will not be
    // given again: their zoomed pictures are not kept, which spares the
    // picture on show a copy when the next frame is drawn over it.
    void forgetFrames(const QList<qint64> &frameKeys);

    // A picture shown with the sprite (View > Reference Picture), zoomed with
    // it: over it, or behind it in its background pixels, at its opacity;
    // under the grids. A null picture shows none.
    void setReference(const QImage &picture, const ReferencePlacement &placement);
    bool hasReference() const { return !referencePicture.isNull(); }
    ReferencePlacement referencePlacement() const { return placement; }

    void setPixelGridVisible(bool visible);
    bool isPixelGridVisible() const { return pixelGrid; }
    void setTileGridVisible(bool visible);
    bool isTileGridVisible() const { return tileGrid; }
    void setPixelGridColor(const QColor &color);
    QColor pixelGridColor() const { return pixelColor; }
    void setTileGridColor(const QColor &color);
    QColor tileGridColor() const { return tileColor; }
    // The pixel grid shows from this zoom up.
    static constexpr double kPixelGridZoom = 4.0;

    // Where the zoomed picture lies, in widget coordinates.
    QRect spriteRect() const;
    // What lies under a widget position.
    SpriteViewPointer pointerAt(QPointF position) const;

    // The keyboard's pixel cursor, a frame pixel as shown (0..47).
    QPoint pixelCursor() const { return cursor; }
    void setPixelCursor(QPoint shown);

    // The Select tool's overlay, over the picture and its grids: piece (a
    // picture of one pixel a frame pixel, transparent where it has none) with
    // its top-left corner at frame pixel pieceAt, then a dashed outline around
    // frame rectangle marquee (shown pixels). Empty or null: none. Only the
    // area they leave and enter is repainted.
    void setSelectionOverlay(const QRect &marquee, const QImage &piece = {}, QPoint pieceAt = {});
    QRect selectionMarquee() const { return marquee; }
    bool hasFloatingPiece() const { return !floatingPiece.isNull(); }

    bool isStrokeActive() const { return strokeButton != Qt::NoButton; }
    // Ends a stroke in progress (pixelReleased without pixel); nothing otherwise.
    void endStroke();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The mouse is over frame pixel shown (0..47) that shows stored pixel
    // stored (none: background from the offset); sent when either changes.
    void pixelHovered(QPoint shown, std::optional<QPoint> stored);
    // The mouse left the picture.
    void hoverLeft();
    // The keyboard's pixel cursor moved to frame pixel shown, which shows
    // stored pixel stored (none: background from the offset).
    void cursorMoved(QPoint shown, std::optional<QPoint> stored);
    void pixelPressed(const SpriteViewPointer &pointer);
    void pixelMoved(const SpriteViewPointer &pointer);
    void pixelReleased(const SpriteViewPointer &pointer);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void rebuildScaled();
    // The zoomed picture (scaled) of a frame shown before, by the cache keys
    // of the frame and slot picture given to setSprite; null when not kept.
    // Taking it drops it from the kept ones.
    QImage takeZoomed(qint64 frameKey, qint64 slotKey);
    // Keeps scaled as the zoomed picture of those keys.
    void keepZoomed(qint64 frameKey, qint64 slotKey);
    void updateScaled(const QRect &frameRect);
    // Blends the reference into the zoomed rows y0..y1 - 1, columns x0..x1 - 1.
    void blendReference(int x0, int x1, int y0, int y1);
    void drawGrids(const QRect &zoomedRect);
    QRect zoomedRectOf(const QRect &frameRect) const;
    void hoverAt(QPointF position);
    void clearHover();
    // The pointer at frame pixel shown, as the mouse there would give it.
    SpriteViewPointer pointerAtPixel(QPoint shown, Qt::KeyboardModifiers modifiers) const;
    void updateCursor();
    // Widget area the selection overlay covers, outline included.
    QRect selectionOverlayArea() const;
    void drawSelectionOverlay(QPainter &painter);

    QImage frame;                     // 48 x 48 RGB32, as shown
    QRect unpainted;                  // left by setSprite for paintNow()
    QImage scaled;                    // zoomed, RGB32, with the reference and the grids drawn in
    QImage slotsShown;                // the slot picture given with the frame (48 x 48, 8-bit), or null
    // Nonzero where the frame shows the background (48 x 48, 8-bit), from the
    // slot picture on show; made only when a reference behind the sprite asks.
    const QImage &backgroundMask() const;
    mutable QImage background;
    mutable qint64 backgroundOf = 0;  // the slot picture's cache key it was made from
    QImage referencePicture;          // as given
    QImage referenceZoomed;           // at the size of scaled, premultiplied, opacity applied
    ReferencePlacement placement;
    mutable QPixmap pictureCache;     // see picture(); null when stale
    // Zoomed pictures of frames shown before, while the zoom, the grids and
    // the reference stay as they are: the animation shows the same frames
    // again and again, and with a reference each costs a blend. Oldest first.
    struct KeptZoomed
    {
        qint64 frameKey = 0;
        qint64 slotKey = 0;
        QImage scaled;
    };
    QList<KeptZoomed> keptZoomed;
    static constexpr int kAnimationFrames = 24;   // a whole turn
    static constexpr qsizetype kKeptZoomedBytes = 40 * 1024 * 1024;
    qint64 shownFrameKey = 0, shownSlotKey = 0;   // of the pictures on show, as given
    SpriteViewMapping viewMapping;
    QList<int> columns, rows;         // source column / row of each zoomed one
    QList<int> columnStart, rowStart; // first zoomed column / row of each source one, 49 entries
    QList<quint8> columnLines, rowLines;   // grid line on each zoomed column / row

    bool pixelGrid = false;
    bool tileGrid = false;
    QColor pixelColor{128, 128, 128, 110};
    QColor tileColor{0, 150, 255, 210};

    Qt::MouseButton strokeButton = Qt::NoButton;
    std::optional<QPoint> strokeShown;   // last frame pixel reported in the stroke
    std::optional<QPoint> hoverShown;
    std::optional<QPoint> hoverStored;
    QPointF lastMouse{-1.0, -1.0};
    QPoint cursor{kSpriteSide / 2, kSpriteSide / 2};
    bool keyStroke = false;   // the stroke in progress is Space held

    // The selection overlay (setSelectionOverlay).
    QRect marquee;
    QImage floatingPiece;
    QPoint floatingAt;
};
