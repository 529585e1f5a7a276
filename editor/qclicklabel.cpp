#include "editor/qclicklabel.h"

#include <QMouseEvent>

QClickLabel::QClickLabel(QWidget *parent) : QLabel(parent) {}

void QClickLabel::mousePressEvent(QMouseEvent *event)
{
    // A double click arrives as a press through QWidget::mouseDoubleClickEvent,
    // so it reports a second Clicked().
    if (event->button() == Qt::LeftButton)
        emit Clicked();
    else if (event->button() == Qt::RightButton)
        emit ClickedRight();
    event->accept();
}
