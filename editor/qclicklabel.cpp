#include "editor/qclicklabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QClickLabel::QClickLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::TabFocus);
}

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

void QClickLabel::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        // Held down, the key clicks once.
        if (!event->isAutoRepeat())
            emit Clicked();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void QClickLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Over the frame, so that it shows on a swatch whose colour fills the label too.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}
