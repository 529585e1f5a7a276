#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QStatusBar;

// Where a controller says what it did, in one line for the status bar.
// Given to the controllers like the prompts.
class StatusSink
{
public:
    virtual ~StatusSink() = default;
    virtual void showStatus(const QString &text) = 0;
};

// The window's sink: the status bar, and a signal for each line (also when
// the same line comes twice) for whoever keeps a log of them.
class StatusLog : public QObject, public StatusSink
{
    Q_OBJECT

public:
    explicit StatusLog(QObject *parent = nullptr);
    void setBar(QStatusBar *bar);
    void showStatus(const QString &text) override;

signals:
    void shown(const QString &text);

private:
    QPointer<QStatusBar> bar;
};
