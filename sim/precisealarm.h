#pragma once

#include <QObject>

class QSocketNotifier;

namespace krv::sim {

// A one-shot timer to the microsecond: a character lasts about half a millisecond at 19200
// baud, finer than QTimer's whole milliseconds, and a board paced at the line's rate must not
// add a rounding to every character. It waits on a timer descriptor: no CPU while waiting.
class PreciseAlarm : public QObject {
    Q_OBJECT
public:
    explicit PreciseAlarm(QObject* parent = nullptr);
    ~PreciseAlarm() override;

    void start(qint64 nsecs);
    void stop();
    bool isActive() const { return active_; }

Q_SIGNALS:
    void timeout();

private:
    void fire();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    bool active_ = false;
};

} // namespace krv::sim
