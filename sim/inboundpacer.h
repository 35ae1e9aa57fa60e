#pragma once

#include "precisealarm.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <deque>
#include <functional>

namespace krv::sim {

// What the program writes reaches a real board one character per character time. The pacer
// hands received bytes on when their last bit would have arrived at the line's rate; the
// board acts on a command only at its CR, so it wakes for each CR and for the last byte.
class InboundPacer : public QObject {
    Q_OBJECT
public:
    // Receives the bytes that have arrived, and how long ago the last of them did.
    using Sink = std::function<void(const QByteArray&, qint64 lateNs)>;

    explicit InboundPacer(Sink sink, QObject* parent = nullptr);

    // 0 hands bytes on at once.
    void setBaudRate(int baud);
    void push(const QByteArray& bytes);
    void clear();

private:
    void releaseDue();

    Sink sink_;
    qint64 characterTimeNs_ = 0;
    QElapsedTimer clock_;
    QByteArray pending_;
    std::deque<qint64> due_; // when each pending byte has arrived, on clock_
    PreciseAlarm alarm_;
};

} // namespace krv::sim
