#include "app/stopsignals.h"

#include <cerrno>
#include <csignal>

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// What the handler may touch: a descriptor and a flag.
volatile sig_atomic_t writeEnd = -1;
volatile sig_atomic_t pending = 0;

void SetAction(int number, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on: a write on its way to the disk is not
    // cut short by the request to stop.
    action.sa_flags = SA_RESTART;
    ::sigaction(number, &action, nullptr);
}

// Only async-signal-safe calls here.
void OnStopSignal(int number)
{
    if (pending != 0) {
        SetAction(number, SIG_DFL);
        ::raise(number);
        return;
    }
    pending = number;
    const int saved = errno;
    const char byte = char(number);
    if (writeEnd >= 0)
        (void)!::write(writeEnd, &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) {
        qWarning("skm-car-editor: no socket pair for SIGTERM and SIGINT: %s", strerror(errno));
        return;
    }
    notifier = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignals::Read);
    pending = 0;
    writeEnd = ends[1];
    for (const int number : kStopSignals) {
        // A signal ignored from the start stays ignored: nohup's SIGHUP, the
        // SIGINT of a job a shell started in the background.
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN)
            continue;
        SetAction(number, OnStopSignal);
        installed.append(number);
    }
}

StopSignals::~StopSignals()
{
    if (ends[0] < 0)
        return;
    for (const int number : std::as_const(installed))
        SetAction(number, SIG_DFL);
    writeEnd = -1;
    delete notifier;
    ::close(ends[0]);
    ::close(ends[1]);
}

void StopSignals::Read()
{
    char byte = 0;
    bool any = false;
    while (::read(ends[0], &byte, 1) == 1)
        any = true;
    if (!any || signal != 0)
        return;
    signal = static_cast<unsigned char>(byte);
    emit stopRequested(signal);
}

void StopSignals::EndByReceivedSignal() const
{
    if (signal == 0)
        return;
    SetAction(signal, SIG_DFL);
    ::raise(signal);
}
