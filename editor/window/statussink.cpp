#include "editor/window/statussink.h"

#include <QStatusBar>

StatusLog::StatusLog(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("statusLog"));
}

void StatusLog::setBar(QStatusBar *statusBar)
{
    bar = statusBar;
}

void StatusLog::showStatus(const QString &text)
{
    if (bar)
        bar->showMessage(text);
    emit shown(text);
}
