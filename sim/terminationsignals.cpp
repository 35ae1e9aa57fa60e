#include "terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace krv::sim {

namespace {

sigset_t terminationSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

TerminationSignals::TerminationSignals() {
    const sigset_t set = terminationSet();
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0) {
        fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    }
}

TerminationSignals::~TerminationSignals() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool TerminationSignals::quitOnArrival(QCoreApplication& app) {
    if (fd_ < 0) {
        return false;
    }
    auto* notifier = new QSocketNotifier(fd_, QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [this, notifier, &app] {
        signalfd_siginfo info;
        if (::read(fd_, &info, sizeof info) == sizeof info) {
            notifier->setEnabled(false);
            app.quit();
        }
    });
    return true;
}

} // namespace krv::sim
