#include "replyscheduler.h"

#include <algorithm>
#include <utility>

namespace krv::sim {

namespace {

constexpr int splitGapMs = 3;
// 10 bits per character (start, 8 data, stop) at 19200 baud.
constexpr qint64 characterTimeNs = 1'000'000'000LL * 10 / 19200;
constexpr int pacedTickMs = 1;

} // namespace

ReplyScheduler::ReplyScheduler(Sink sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ReplyScheduler::releaseDue);
}

void ReplyScheduler::send(const QByteArray& bytes, Pacing pacing) {
    if (queue_.empty()) {
        frontClock_.start();
    }
    queue_.push_back({bytes, pacing});
    if (!timer_.isActive()) {
        releaseDue();
    }
}

void ReplyScheduler::clear() {
    timer_.stop();
    queue_.clear();
    sent_ = 0;
}

void ReplyScheduler::releaseDue() {
    while (!queue_.empty()) {
        const Segment& front = queue_.front();
        const qsizetype due = dueCount(front);
        if (due > sent_) {
            sink_(front.bytes.mid(sent_, due - sent_));
            lastWrite_.start();
            sent_ = due;
        }
        if (sent_ < front.bytes.size()) {
            timer_.start(front.pacing == Pacing::Split ? splitGapMs : pacedTickMs);
            return;
        }
        queue_.pop_front();
        sent_ = 0;
        frontClock_.start();
    }
}

qsizetype ReplyScheduler::dueCount(const Segment& segment) const {
    const qsizetype size = segment.bytes.size();
    switch (segment.pacing) {
    case Pacing::Immediate:
        return size;
    case Pacing::Split:
        return std::min(size, sent_ + 1 + sent_ % 3);
    case Pacing::Paced:
        return std::min(size, frontClock_.nsecsElapsed() / characterTimeNs + 1);
    }
    Q_UNREACHABLE();
}

} // namespace krv::sim
