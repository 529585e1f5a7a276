#include "editor/window/screenfit.h"

#include <QRect>
#include <QScreen>
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
