#include "precisealarm.h"

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <sys/timerfd.h>
#include <unistd.h>

namespace krv::sim {

namespace {

itimerspec after(qint64 nsecs) {
    itimerspec alarm{};
    // A zero time would disarm the timer: the earliest is one nanosecond from now.
    nsecs = std::max<qint64>(nsecs, 1);
    alarm.it_value.tv_sec = nsecs / 1'000'000'000;
    alarm.it_value.tv_nsec = nsecs % 1'000'000'000;
    return alarm;
}

} // namespace

PreciseAlarm::PreciseAlarm(QObject* parent)
    : QObject(parent), fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PreciseAlarm::fire);
}

PreciseAlarm::~PreciseAlarm() {
    if (fd_ >= 0)
        ::close(fd_);
}

void PreciseAlarm::start(qint64 nsecs) {
    active_ = true;
    const itimerspec alarm = after(nsecs);
    if (fd_ < 0 || timerfd_settime(fd_, 0, &alarm, nullptr) != 0)
        QTimer::singleShot(int((nsecs + 999'999) / 1'000'000), this, &PreciseAlarm::fire);
}

void PreciseAlarm::stop() {
    active_ = false;
    if (fd_ >= 0) {
        const itimerspec off{};
        timerfd_settime(fd_, 0, &off, nullptr);
    }
}

void PreciseAlarm::fire() {
    if (fd_ >= 0) {
        quint64 expirations = 0;
        [[maybe_unused]] const ssize_t got = ::read(fd_, &expirations, sizeof expirations);
    }
    if (!active_)
        return;
    active_ = false;
    Q_EMIT timeout();
}

} // namespace krv::sim
