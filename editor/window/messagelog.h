#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;

// This run's status messages in full, newest first, as selectable text: the
// status bar cuts a long message at its width, the log keeps it. A window of
// its own (View > Messages); it is fed whether or not it is on show. Keeps
// the last kKept messages.
class MessageLog : public QWidget
{
    Q_OBJECT

public:
    explicit MessageLog(QWidget *parent = nullptr);

    // Adds a message ("12:04:31  Saved game.bin ..."); empty texts are not messages.
    void add(const QString &text);
    // The messages without their times, newest first.
    QStringList messages() const { return texts; }

    static constexpr int kKept = 500;

private:
    QStringList texts;
    QStringList lines;   // with their times, newest first
    QPlainTextEdit *view;
};
