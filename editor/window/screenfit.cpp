#include "editor/window/screenfit.h"

#include <algorithm>

#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace {

// The screen area a window's outer frame may take, less that frame.
QSize AvailableClientSize(const QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    // The window manager's frame, once the window has one.
    const QSize frame = (window.frameGeometry().size() - window.geometry().size()).expandedTo(QSize(0, 0));
    return screen->availableGeometry().size() - frame;
}

} // namespace

QSize SizeWithinScreen(const QWidget &window, QSize wanted)
{
    return wanted.boundedTo(AvailableClientSize(window)).expandedTo(window.minimumSizeHint());
}

QSize RoomToGrow(const QWidget &window)
{
    if (window.isMaximized() || window.isFullScreen())
        return {0, 0};
    return (AvailableClientSize(window) - window.size()).expandedTo(QSize(0, 0));
}

void KeepWithinScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen || !window.isVisible() || window.isMaximized() || window.isFullScreen())
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    // The right and bottom edges first; the left and top ones win where the area is too small.
    const auto shift = [](int low, int high, int areaLow, int areaHigh) {
        int by = 0;
        if (high > areaHigh)
            by = areaHigh - high;
        if (low + by < areaLow)
            by = areaLow - low;
        return by;
    };
    const QPoint by(shift(frame.left(), frame.right(), area.left(), area.right()),
                    shift(frame.top(), frame.bottom(), area.top(), area.bottom()));
    if (!by.isNull())
        window.move(window.pos() + by);
}

namespace {

// The frame a window manager puts around main, taken also for its tool
// windows, whose frame is not known before they are on show.
QMargins FrameOf(const QWidget &window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    return frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0 ? frame : QMargins();
}

} // namespace

void PlaceBeside(QWidget &tool, const QWidget &main, QSize wanted)
{
    const QScreen *screen = main.screen();
    if (!screen)
        return;
    constexpr int kGap = 8;
    const QRect area = screen->availableGeometry();
    const QMargins frame = tool.isVisible() ? FrameOf(tool) : FrameOf(main);
    const QSize frameExtra(frame.left() + frame.right(), frame.top() + frame.bottom());
    // Cut in one direction, the contents need room for the scroll bar in the other.
    const QSize room = area.size() - frameExtra;
    const int bar = tool.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &tool);
    QSize want = wanted;
    if (wanted.width() > room.width())
        want.rheight() += bar;
    if (wanted.height() > room.height())
        want.rwidth() += bar;
    const QSize client = want.boundedTo(room).expandedTo(tool.minimumSizeHint()).boundedTo(room);
    const QSize outer = client + frameExtra;
    const QRect beside = main.isVisible() ? main.frameGeometry() : QRect(area.topLeft(), QSize(0, 0));
    int x;
    if (beside.right() + kGap + outer.width() <= area.right() + 1)
        x = beside.right() + 1 + kGap;
    else if (beside.left() - kGap - outer.width() >= area.left())
        x = beside.left() - kGap - outer.width();
    else
        x = area.right() + 1 - outer.width();
    int y = std::min(beside.top(), area.bottom() + 1 - outer.height());
    x = std::max(x, area.left());
    y = std::max(y, area.top());
    tool.resize(client);
    // A window's position is that of its frame.
    tool.move(x, y);
}

bool NeedsNewPlace(const QWidget &tool, const QWidget &main)
{
    if (!tool.isVisible())
        return false;
    const QScreen *screen = main.screen();
    const QRect frame = tool.frameGeometry();
    return frame.intersects(main.frameGeometry()) || (screen && !screen->availableGeometry().contains(frame));
}
