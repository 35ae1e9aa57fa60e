#pragma once

#include "precisealarm.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <deque>
#include <functional>

namespace krv::sim {

enum class Pacing {
    Immediate, // in one write
    Split,     // in writes of 1 to 3 characters a few milliseconds apart
    Paced      // one character per character time at the line's rate (19200 baud unless set)
};

// Releases replies to the terminal in order, each at its own pace; a reply waits until the one
// before it has gone out.
class ReplyScheduler : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QByteArray&)>;

    explicit ReplyScheduler(Sink sink, QObject* parent = nullptr);

    // `lateNs`: how long ago the reply should have begun (the board was woken late).
    void send(const QByteArray& bytes, Pacing pacing, qint64 lateNs = 0);
    // The line's rate for paced replies: 10 bits (start, 8 data, stop) per character.
    void setBaudRate(int baud);
    // Drops every reply not yet written.
    void clear();
    // Nothing waits to be written.
    bool idle() const { return queue_.empty(); }
    // Milliseconds since the last character went out (a large value before the first).
    qint64 msSinceLastWrite() const {
        return lastWrite_.isValid() ? lastWrite_.elapsed() : 1 << 30;
    }

private:
    struct Segment {
        QByteArray bytes;
        Pacing pacing;
    };

    void releaseDue();
    qsizetype dueCount(const Segment& segment) const;
    qint64 frontElapsedNs() const;

    Sink sink_;
    std::deque<Segment> queue_;
    qsizetype sent_ = 0; // characters of the front segment already written
    QElapsedTimer clock_;
    qint64 frontStartNs_ = 0; // when the front segment began, on clock_
    qint64 characterTimeNs_;
    PreciseAlarm timer_;
    QElapsedTimer lastWrite_;
};

} // namespace krv::sim
