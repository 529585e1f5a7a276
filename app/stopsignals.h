#pragma once

#include <QList>
#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP as a signal of the event loop. The handler only
// writes the signal's number into a socket pair; stopRequested comes on the
// thread that made this object, where anything may be done. A second signal
// of these ends the program at once, as it would without a handler (a
// program stuck on its way out can still be stopped). One object a process;
// the handlers are installed while it lives, for the signals not ignored
// when it was made (nohup's SIGHUP stays ignored).
class StopSignals : public QObject
{
    Q_OBJECT

public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

    // The signal that asked to stop; 0 while none did.
    int received() const { return signal; }
    // Ends the process by the signal received, with its default action, so
    // that whoever started the program sees it ended by that signal. Nothing
    // happens while none was received.
    void EndByReceivedSignal() const;

signals:
    void stopRequested(int signal);

private:
    void Read();

    int ends[2] = {-1, -1};   // [0] read here, [1] written by the handler
    QSocketNotifier *notifier = nullptr;
    int signal = 0;
    QList<int> installed;     // the signals handled here
};
