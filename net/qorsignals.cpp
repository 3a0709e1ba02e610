#include "net/qorsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};
constexpr int Watched[] = {SIGTERM, SIGINT, SIGHUP};

// Only async-signal-safe work here: the number goes down the pipe and the loop does the rest.
void OnSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t n = ::write(SignalPipe[0], &byte, 1);
}

} // namespace

QORSignalWatcher::QORSignalWatcher(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPipe) != 0)
        return;
    ::fcntl(SignalPipe[0], F_SETFL, O_NONBLOCK);
    Notifier = new QSocketNotifier(SignalPipe[1], QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, &QORSignalWatcher::PipeReadable);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : Watched)
        ::sigaction(s, &action, nullptr);
}

QORSignalWatcher::~QORSignalWatcher() {
    for (int s : Watched)
        ::signal(s, SIG_DFL);
    delete Notifier;
    for (int& fd : SignalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void QORSignalWatcher::PipeReadable() {
    unsigned char byte = 0;
    if (::read(SignalPipe[1], &byte, 1) == 1)
        emit Terminate(byte);
}
