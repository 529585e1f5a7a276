#pragma once

#include <QPoint>
#include <QScrollArea>
#include <QSize>

class SpriteView;

// The scroll area around the sprite view. It asks for room for the whole
// zoomed picture but makes do with little, so the window can stay within the
// screen; the view fills the area and centres the picture. Scroll bars appear
// when the picture is larger than the area; the middle button, or the left
// button while Space is held, drags the picture (the press does not reach the
// view, so it draws nothing).
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    SpriteView &view;
    bool spaceHeld = false;
    bool panning = false;
    QPoint panFrom;
};

// The largest zoom step (1.0 .. 10.0 in whole steps, below 1.0 in tenths)
// whose 48 x 48 picture fits within room.
double ZoomToFit(QSize room);
