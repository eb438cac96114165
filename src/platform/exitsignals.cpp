#include "platform/exitsignals.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#if defined(Q_OS_UNIX)
// The handler writes to [1]; the event loop reads [0].
int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

bool installHandlers()
{
    if (::pipe(signalPipe) != 0)
        return false;
    for (const int fd : signalPipe) {
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT})
        ::sigaction(signal, &action, nullptr);
    return true;
}
#endif

} // namespace

ExitSignals *ExitSignals::instance()
{
    static QPointer<ExitSignals> single;
    if (!single)
        single = new ExitSignals(QCoreApplication::instance());
    return single;
}

ExitSignals::ExitSignals(QObject *parent) : QObject(parent)
{
#if defined(Q_OS_UNIX)
    if (signalPipe[0] < 0 && !installHandlers())
        return;
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::readPipe);
#endif
}

void ExitSignals::readPipe()
{
#if defined(Q_OS_UNIX)
    char bytes[16];
    bool any = false;
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        Q_EMIT received();
#endif
}
