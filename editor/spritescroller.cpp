#include "editor/spritescroller.h"

#include <algorithm>

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "editor/spriteview.h"
#include "editor/zoomsteps.h"
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
    default:
        break;
    }
    if (watched != &view && watched != viewport())
        return false;
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseMove
        && event->type() != QEvent::MouseButtonRelease)
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
