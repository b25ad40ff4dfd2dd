#include "app/stop_signals.h"

#include <QSocketNotifier>

#if !defined(_WIN32)
#include <array>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace qv {

#if defined(_WIN32)

StopSignals::StopSignals(QObject* parent) : QObject(parent) {}
StopSignals::~StopSignals() = default;

#else

namespace {

constexpr std::array kSignals = {SIGTERM, SIGHUP, SIGINT};
int pipeEnds[2] = {-1, -1};
std::array<struct sigaction, kSignals.size()> before{};

void Handle(int) {
    const char byte = 1;
    const ssize_t ignored = ::write(pipeEnds[0], &byte, 1);  // async-signal-safe
    static_cast<void>(ignored);
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    if (pipeEnds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0) return;
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipeEnds[1], bytes, sizeof bytes) > 0) {
        }
        emit stopRequested();
    });
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &action, &before[i]);
}

StopSignals::~StopSignals() {
    if (!notifier_) return;
    for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &before[i], nullptr);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

#endif

}  // namespace qv
