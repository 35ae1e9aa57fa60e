#include "pseudoterminal.h"

#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace krv::sim {

namespace {

// After an unexpected end of input the master is looked at again this much later rather than
// at once, so a broken terminal cannot turn into a busy loop.
constexpr int readRetryMs = 100;

bool makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    cfsetispeed(&settings, B19200);
    cfsetospeed(&settings, B19200);
    settings.c_cflag &= ~(CSTOPB | PARENB | CSIZE);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

bool makeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

} // namespace

PseudoTerminal::PseudoTerminal(QObject* parent) : QObject(parent) {}

PseudoTerminal::~PseudoTerminal() {
    close();
}

bool PseudoTerminal::open() {
    close();
    char name[PATH_MAX] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return false;
    }
    if (!makeRaw(slave_) || !makeNonBlocking(master_) || fcntl(master_, F_SETFD, FD_CLOEXEC) != 0 ||
        fcntl(slave_, F_SETFD, FD_CLOEXEC) != 0) {
        close();
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    readNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(readNotifier_, &QSocketNotifier::activated, this, &PseudoTerminal::readMaster);
    writeNotifier_ = new QSocketNotifier(master_, QSocketNotifier::Write, this);
    writeNotifier_->setEnabled(false);
    connect(writeNotifier_, &QSocketNotifier::activated, this, &PseudoTerminal::flush);
    return true;
}

void PseudoTerminal::close() {
    // close() may run inside a notifier's own activation, so the notifiers go later.
    for (QSocketNotifier* notifier : {readNotifier_, writeNotifier_}) {
        if (notifier != nullptr) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    readNotifier_ = writeNotifier_ = nullptr;
    for (int* fd : {&master_, &slave_}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
    pending_.clear();
}

void PseudoTerminal::write(const QByteArray& bytes) {
    if (!isOpen()) {
        return;
    }
    pending_.append(bytes);
    flush();
}

void PseudoTerminal::flush() {
    while (!pending_.isEmpty()) {
        const ssize_t written = ::write(master_, pending_.constData(), pending_.size());
        if (written > 0) {
            pending_.remove(0, written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && errno != EAGAIN) {
            pending_.clear();
        } else {
            break;
        }
    }
    writeNotifier_->setEnabled(!pending_.isEmpty());
}

void PseudoTerminal::readMaster() {
    QByteArray bytes;
    char buffer[512];
    for (;;) {
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        if (count > 0) {
            bytes.append(buffer, count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else if (count < 0 && errno == EAGAIN) {
            break;
        } else {
            pauseReading();
            break;
        }
    }
    if (!bytes.isEmpty()) {
        Q_EMIT received(bytes);
    }
}

void PseudoTerminal::pauseReading() {
    readNotifier_->setEnabled(false);
    QTimer::singleShot(readRetryMs, readNotifier_,
                       [notifier = readNotifier_] { notifier->setEnabled(true); });
}

} // namespace krv::sim
