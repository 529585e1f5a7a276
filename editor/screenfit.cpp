#include "editor/screenfit.h"

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
