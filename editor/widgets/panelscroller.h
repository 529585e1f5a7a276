#pragma once

#include <QScrollArea>
#include <QSize>

class QBoxLayout;

// The scroll area around the window's panels. When the screen has room it
// asks for the panels' whole size and shows them as they are, with no frame
// and no scroll bars; on a screen too small for the panels' smallest size the
// window may shrink below it, and the panels scroll. A control that takes the
// keyboard focus is scrolled into view.
class PanelScroller : public QScrollArea
{
    Q_OBJECT

public:
    // Moves every item of the window's layout (with its stretch) onto a
    // panel of its own inside the area and puts the area in their place.
    // The window's layout keeps its margins; the panel has none.
    explicit PanelScroller(QBoxLayout &windowLayout);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
