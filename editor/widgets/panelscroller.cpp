#include "editor/widgets/panelscroller.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QScrollBar>

PanelScroller::PanelScroller(QBoxLayout &windowLayout)
{
    setObjectName(QStringLiteral("panelScroller"));
    setAccessibleName(tr("panels"));
    QWidget *window = windowLayout.parentWidget();
    setParent(window);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // Not a Tab stop of its own: Tab goes to the controls, which scroll into view.
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panels"));
    auto *panelLayout = new QBoxLayout(windowLayout.direction(), panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setSpacing(windowLayout.spacing());
    while (windowLayout.count() > 0) {
        const int stretch = windowLayout.stretch(0);
        QLayoutItem *item = windowLayout.takeAt(0);
        if (QLayout *inner = item->layout())
            panelLayout->addLayout(inner, stretch);
        else if (QWidget *widget = item->widget()) {
            panelLayout->addWidget(widget, stretch, item->alignment());
            delete item;
        } else
            panelLayout->addItem(item);
    }
    setWidget(panel);
    panel->installEventFilter(this);
    windowLayout.addWidget(this, 1);
}

QSize PanelScroller::sizeHint() const
{
    // The panels' whole size (QScrollArea would cap it at a few dozen lines).
    const int frame = 2 * frameWidth();
    return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
}

QSize PanelScroller::minimumSizeHint() const
{
    // No larger than the panels' own smallest size; smaller only as far as
    // the scroll bars still work.
    const QSize scrolling = QScrollArea::minimumSizeHint();
    const int frame = 2 * frameWidth();
    const QSize panels = widget() ? widget()->minimumSizeHint() + QSize(frame, frame) : scrolling;
    return panels.boundedTo(scrolling.expandedTo(QSize(1, 1)));
}

bool PanelScroller::eventFilter(QObject *watched, QEvent *event)
{
    // The panels' layout changed (a box shown or hidden, the sprite zoomed):
    // the window's layout asks again for the new size.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
