#pragma once

#include <optional>
#include <utility>

#include <QPoint>
#include <QPointF>
#include <QScrollArea>
#include <QSize>

class SpriteView;

// The scroll area around the sprite view. It asks for room for the whole
// zoomed picture but makes do with little, so the window can stay within the
// screen; the view fills the area and centres the picture. Scroll bars appear
// when the picture is larger than the area; the middle button, or the left
// button while Space is held, drags the picture (the press does not reach the
// view, so it draws nothing). A picture that scrolls opens centred; when the
// zoom or the area's size changes, the point of the picture that was in the
// middle of the area stays there as far as the scroll range allows. The
// keyboard's pixel cursor is kept in view.
class SpriteScroller : public QScrollArea
{
    Q_OBJECT

public:
    // Takes the view out of its layout and puts itself in its place.
    explicit SpriteScroller(SpriteView &view);
    ~SpriteScroller() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool isPanning() const { return panning; }

    // The point of the view (as a share of its width and height, 0.5 for its
    // middle) that the middle of the area shows.
    QPointF shownCentre() const { return centre; }

    // Called before a zoom change: the point of the picture under pos (in the
    // area's viewport) stays under it once the view has its new size, as far
    // as the scroll range allows.
    void keepUnderPointer(QPoint pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Tab leaves the view where it was scrolled to.
    bool focusNextPrevChild(bool next) override;

private:
    void rememberCentre();
    void rangeChanged();
    void restoreCentre();
    void showPixelCursor();

    SpriteView &view;
    QPointF centre{0.5, 0.5};
    // The point of the picture (as a share of it) to keep under a viewport
    // position at the next restore.
    std::optional<std::pair<QPointF, QPoint>> anchor;
    bool restorePending = false;
    bool restoring = false;
    bool spaceHeld = false;
    bool panning = false;
    QPoint panFrom;
};

// The largest zoom step (1.0 .. 10.0 in whole steps, below 1.0 in tenths)
// whose 48 x 48 picture fits within room.
double ZoomToFit(QSize room);
