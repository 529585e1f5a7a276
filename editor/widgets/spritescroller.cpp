#include "editor/widgets/spritescroller.h"

#include <algorithm>

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "editor/displays/spriteview.h"
#include "editor/state/zoomsteps.h"
#include "view/zoom.h"

namespace {
constexpr int kFrameSize = 48;
// The area never asks for less than this, so a small screen still shows a part of the sprite.
const QSize kSmallestArea(96, 96);
} // namespace

SpriteScroller::SpriteScroller(SpriteView &spriteView) : view(spriteView)
{
    setObjectName(QStringLiteral("spriteScroller"));
    setAccessibleName(tr("sprite view"));
    QWidget *holder = view.parentWidget();
    QLayout *layout = holder ? holder->layout() : nullptr;
    setParent(holder);
    if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
        const int at = box->indexOf(&view);
        box->removeWidget(&view);
        box->insertWidget(std::max(at, 0), this, 1);
    }
    setFrameShape(QFrame::NoFrame);
    // The view is the Tab stop; its pixel cursor scrolls it.
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignCenter);
    setWidgetResizable(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    if (holder)
        holder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    view.setAlignment(Qt::AlignCenter);
    setWidget(&view);
    view.installEventFilter(this);
    viewport()->installEventFilter(this);
    qApp->installEventFilter(this);
    for (QScrollBar *bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QScrollBar::rangeChanged, this, &SpriteScroller::rangeChanged);
        connect(bar, &QScrollBar::valueChanged, this, &SpriteScroller::rememberCentre);
    }
    connect(&view, &SpriteView::cursorMoved, this, &SpriteScroller::showPixelCursor);
}

SpriteScroller::~SpriteScroller()
{
    qApp->removeEventFilter(this);
}

QSize SpriteScroller::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return view.sizeHint() + QSize(frame, frame);
}

QSize SpriteScroller::minimumSizeHint() const
{
    return kSmallestArea.boundedTo(sizeHint());
}

bool SpriteScroller::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Space && !key->isAutoRepeat())
            spaceHeld = event->type() == QEvent::KeyPress;
        return false;
    }
    case QEvent::WindowDeactivate:
        spaceHeld = false;
        return false;
    case QEvent::FocusIn:
        if (watched == &view)
            showPixelCursor();
        return false;
    default:
        break;
    }
    // The cheap test first: every event of the program passes here.
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove
        && event->type() != QEvent::MouseButtonRelease)
        return false;
    if (watched != &view && watched != viewport())
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::MiddleButton || (mouse->button() == Qt::LeftButton && spaceHeld)) {
            panning = true;
            panFrom = mouse->globalPosition().toPoint();
            view.setCursor(Qt::ClosedHandCursor);
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (panning) {
            const QPoint now = mouse->globalPosition().toPoint();
            const QPoint moved = now - panFrom;
            panFrom = now;
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
            verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (panning) {
            if (mouse->buttons() & (Qt::MiddleButton | Qt::LeftButton))
                return true;
            panning = false;
            view.unsetCursor();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

bool SpriteScroller::focusNextPrevChild(bool next)
{
    // QScrollArea would scroll the view it leaves to show as much of it as it can.
    return QWidget::focusNextPrevChild(next);
}

void SpriteScroller::rememberCentre()
{
    // A value the scroll range clamped, or one set while the centre is being
    // put back, says nothing about what the user wants to see.
    if (restorePending || restoring)
        return;
    const auto share = [](const QScrollBar *bar, int shown, int whole) {
        return bar->maximum() > 0 && whole > 0 ? (bar->value() + shown / 2.0) / whole : 0.5;
    };
    centre = QPointF(share(horizontalScrollBar(), viewport()->width(), view.width()),
                     share(verticalScrollBar(), viewport()->height(), view.height()));
}

void SpriteScroller::keepUnderPointer(QPoint pos)
{
    const QRect picture = view.spriteRect();
    if (picture.isEmpty())
        return;
    const QPoint at = view.mapFromGlobal(viewport()->mapToGlobal(pos));
    anchor = std::make_pair(QPointF(qreal(at.x() - picture.left()) / picture.width(),
                                    qreal(at.y() - picture.top()) / picture.height()),
                            pos);
    // The zoom may change nothing the scroll bars see: put it back regardless.
    rangeChanged();
}

void SpriteScroller::rangeChanged()
{
    // The view and the area settle over a few layout passes; the centre goes
    // back once they have.
    if (restorePending)
        return;
    restorePending = true;
    QTimer::singleShot(0, this, &SpriteScroller::restoreCentre);
}

void SpriteScroller::restoreCentre()
{
    restorePending = false;
    restoring = true;
    const auto place = [](QScrollBar *bar, qreal &share, int shown, int whole) {
        if (bar->maximum() <= 0) {
            share = 0.5;   // all of it on show: the next scroll starts from the middle
            return;
        }
        bar->setValue(qRound(share * whole - shown / 2.0));
    };
    if (anchor) {
        // The picture's point under the pointer: the middle of the area shows
        // that point's place less the pointer's distance from the middle.
        const QRect picture = view.spriteRect();
        const auto [share, pos] = *anchor;
        anchor.reset();
        const auto middle = [](qreal point, int offset, int shown, int whole) {
            return whole > 0 ? (point - offset + shown / 2.0) / whole : 0.5;
        };
        centre = QPointF(middle(picture.left() + share.x() * picture.width(), pos.x(), viewport()->width(), view.width()),
                         middle(picture.top() + share.y() * picture.height(), pos.y(), viewport()->height(), view.height()));
    }
    place(horizontalScrollBar(), centre.rx(), viewport()->width(), view.width());
    place(verticalScrollBar(), centre.ry(), viewport()->height(), view.height());
    restoring = false;
}

void SpriteScroller::showPixelCursor()
{
    // The pixel under the cursor and a pixel's width around it.
    const QRect picture = view.spriteRect();
    if (picture.isEmpty())
        return;
    const QPoint cursor = view.pixelCursor();
    const int left = picture.left() + cursor.x() * picture.width() / kFrameSize;
    const int right = picture.left() + (cursor.x() + 1) * picture.width() / kFrameSize;
    const int top = picture.top() + cursor.y() * picture.height() / kFrameSize;
    const int bottom = picture.top() + (cursor.y() + 1) * picture.height() / kFrameSize;
    const int marginX = std::min((right - left) * 3 / 2 + 4, viewport()->width() / 2);
    const int marginY = std::min((bottom - top) * 3 / 2 + 4, viewport()->height() / 2);
    ensureVisible((left + right) / 2, (top + bottom) / 2, marginX, marginY);
}

double ZoomToFit(QSize room)
{
    const QSize frame(kFrameSize, kFrameSize);
    double zoom = 10.0;
    while (zoom > 0.1 + 1e-6) {
        const QSize shown = ZoomedSize(frame, zoom);
        if (shown.width() <= room.width() && shown.height() <= room.height())
            return zoom;
        zoom = ZoomedOut(zoom);
    }
    return zoom;
}
