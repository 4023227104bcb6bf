#include "platform/quit_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: wake the event loop through the socket.
void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[0], &byte, 1);
}

// quit() ends the main event loop, closing the windows first. An event loop that runs before
// the main one (a message box shown while the program starts up) takes no notice of it, and
// the main loop started afterwards would not know of the request: so from now on every event
// loop that runs is ended, until the main one is.
void EndEventLoops() {
    QCoreApplication::quit();
    auto* again = new QTimer(QCoreApplication::instance());
    QObject::connect(again, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    again->start(50);
}

} // namespace

void QuitOnTerminationSignals() {
    if (g_signalPipe[0] != -1) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) return;
    auto* notifier =
        new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(g_signalPipe[1], &byte, 1);
        EndEventLoops();
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
}
