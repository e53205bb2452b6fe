#include "system/TerminationSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};

// [0] is written by the handler, [1] read by the notifier.
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[std::size(kSignals)];

extern "C" void onTerminationSignal(int signalNumber)
{
    // Only async-signal-safe calls here; errno belongs to the interrupted code.
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[0], &byte, 1);
    errno = savedErrno;
}

void closePipe()
{
    for (int &fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    Q_ASSERT(g_pipe[0] < 0); // the handler knows one object only
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        return;
    // A full buffer must never block the handler; signals that do not fit
    // are already on their way.
    for (const int fd : g_pipe)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);

    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // the interrupted reads and writes go on
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    closePipe();
}

void TerminationSignals::readPending()
{
    unsigned char bytes[16];
    ssize_t n;
    while ((n = ::read(g_pipe[1], bytes, sizeof bytes)) > 0)
        for (ssize_t i = 0; i < n; ++i)
            emit requested(bytes[i]);
}

} // namespace velmora
