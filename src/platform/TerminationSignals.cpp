// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Handled[] = {SIGINT, SIGTERM, SIGHUP};

// A signal handler can reach no object: it writes to the one socket it is given here. What the
// signals did before is kept beside it, to be put back.
int signalSocket = -1;
struct sigaction previousActions[std::size(Handled)];

void onSignal(int signalNumber)
{
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalSocket, &number, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_sockets) != 0)
        return;
    signalSocket = m_sockets[0];
    m_notifier = new QSocketNotifier(m_sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        ::sigaction(Handled[i], &action, &previousActions[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (m_sockets[0] < 0)
        return;
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        ::sigaction(Handled[i], &previousActions[i], nullptr);
    signalSocket = -1;
    ::close(m_sockets[0]);
    ::close(m_sockets[1]);
}

void TerminationSignals::readSignal()
{
    unsigned char number = 0;
    while (::read(m_sockets[1], &number, 1) == 1)
        Q_EMIT terminationRequested(number);
}
