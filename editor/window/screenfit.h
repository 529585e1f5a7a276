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
