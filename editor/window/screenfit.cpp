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
    const int bar = tool.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &tool);
    const QSize least = tool.minimumSizeHint().expandedTo(QSize(1, 1));
    // The client size that fits room: cut in one direction, the contents need
    // room for the scroll bar in the other.
    const auto fitting = [&](QSize room) {
        room -= frameExtra;
        QSize want = wanted;
        if (wanted.width() > room.width())
            want.rheight() += bar;
        if (wanted.height() > room.height())
            want.rwidth() += bar;
        return want.boundedTo(room);
    };
    const auto fits = [&](QSize client) { return client.width() >= least.width() && client.height() >= least.height(); };

    // The free strips of the screen right of, left of, below and above the
    // main window, in that order of preference.
    const QRect beside = main.isVisible() ? main.frameGeometry() : QRect(area.topLeft(), QSize(0, 0));
    const QRect strips[] = {
        QRect(QPoint(beside.right() + 1 + kGap, area.top()), area.bottomRight()),
        QRect(area.topLeft(), QPoint(beside.left() - 1 - kGap, area.bottom())),
        QRect(QPoint(area.left(), beside.bottom() + 1 + kGap), area.bottomRight()),
        QRect(area.topLeft(), QPoint(area.right(), beside.top() - 1 - kGap)),
    };
    // The first strip it fits in whole, else the one that shows most of it;
    // only where none has room does it go over the main window.
    int chosen = -1;
    QSize client;
    qint64 shown = 0;
    for (int i = 0; i < 4; ++i) {
        const QRect &strip = strips[i];
        if (strip.width() <= 0 || strip.height() <= 0)
            continue;
        const QSize size = fitting(strip.size());
        if (!fits(size))
            continue;
        if (size == wanted) {
            chosen = i;
            client = size;
            break;
        }
        const qint64 visible = qint64(qMin(size.width(), wanted.width())) * qMin(size.height(), wanted.height());
        if (visible > shown) {
            shown = visible;
            chosen = i;
            client = size;
        }
    }
    QRect room = chosen >= 0 ? strips[chosen] : area;
    // Over the main window it takes at most half the screen's width, so that
    // the main window stays usable beside it; it scrolls the rest.
    if (chosen < 0)
        client = fitting(QSize(std::max(area.width() / 2, least.width() + frameExtra.width()), area.height()))
                     .expandedTo(least)
                     .boundedTo(area.size() - frameExtra);
    const QSize outer = client + frameExtra;
    // Beside the main window's top (right and left) or its left edge (below and above).
    int x = room.left();
    int y = room.top();
    if (chosen == 0 || chosen == 1) {
        y = std::min(std::max(beside.top(), room.top()), room.bottom() + 1 - outer.height());
        if (chosen == 1)
            x = room.right() + 1 - outer.width();
    } else if (chosen == 2 || chosen == 3) {
        x = std::min(std::max(beside.left(), room.left()), room.right() + 1 - outer.width());
        if (chosen == 3)
            y = room.bottom() + 1 - outer.height();
    } else {
        // Over the main window, at the screen's right edge.
        x = area.right() + 1 - outer.width();
        y = std::min(std::max(beside.top(), area.top()), area.bottom() + 1 - outer.height());
    }
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
