#include "editor/window/messagelog.h"

#include <QPlainTextEdit>
#include <QTime>
#include <QVBoxLayout>

MessageLog::MessageLog(QWidget *parent) : QWidget(parent), view(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("messageLog"));
    setWindowTitle(tr("Messages"));
    view->setObjectName(QStringLiteral("messageLogText"));
    view->setReadOnly(true);
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view->setPlaceholderText(tr("No messages yet"));
    view->setAccessibleName(tr("Messages"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    resize(560, 300);
}

void MessageLog::add(const QString &text)
{
    if (text.isEmpty())
        return;
    texts.prepend(text);
    lines.prepend(QStringLiteral("%1  %2").arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), text));
    if (texts.size() > kKept) {
        texts.removeLast();
        lines.removeLast();
    }
    view->setPlainText(lines.join(QLatin1Char('\n')));
}
