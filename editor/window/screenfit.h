#pragma once

#include <QSize>

class QWidget;

// The size a top-level window takes for wanted: no larger than the
// available area of its screen (less its frame), no smaller than its
// minimum.
QSize SizeWithinScreen(const QWidget &window, QSize wanted);
// How much the window could still grow on its screen (zero when maximised).
QSize RoomToGrow(const QWidget &window);
// Moves a window on show whose frame reaches past its screen's available
// area back inside it (as far as the area is large enough).
void KeepWithinScreen(QWidget &window);
// Places a tool window beside main within the available area of main's
// screen: to its right where there is room, else to its left, else at the
// area's right edge; at most as large as the area (what does not fit
// scrolls in the tool window). wanted is the size of its contents.
void PlaceBeside(QWidget &tool, const QWidget &main, QSize wanted);
// True when a tool window on show covers part of main or reaches past its
// screen's available area: a grown main window calls for a new place.
bool NeedsNewPlace(const QWidget &tool, const QWidget &main);
