#include "editor/widgets/qclicklabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocumentFragment>

namespace {

class ClickLabelAccessible : public QAccessibleWidget
{
public:
    explicit ClickLabelAccessible(QClickLabel *label) : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty()) {
            const QLabel *label = static_cast<const QLabel *>(widget());
            text = Qt::mightBeRichText(label->text()) ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                                      : label->text();
        }
        return text;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<QClickLabel *>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *ClickLabelAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QClickLabel") && object && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<QClickLabel *>(object));
    return nullptr;
}

} // namespace

QClickLabel::QClickLabel(QWidget *parent) : QLabel(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(ClickLabelAccessibleFactory);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
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
            click();
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
