// SPDX-License-Identifier: GPL-3.0-or-later
#include "Termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace orvanta {

namespace {

int signalPipe[2] = {-1, -1};
std::atomic<int> received{0};

// Only async-signal-safe calls here: the event loop hears of it through the socket.
void onSignal(int number)
{
    received = number;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::send(signalPipe[0], &byte, 1, MSG_DONTWAIT | MSG_NOSIGNAL);
}

} // namespace

void QuitOnTerminationSignals()
{
    if (signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::recv(signalPipe[1], &byte, 1, MSG_DONTWAIT);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

int TerminationSignal()
{
    return received;
}

} // namespace orvanta
