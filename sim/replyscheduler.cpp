#include "replyscheduler.h"

#include <algorithm>
#include <utility>

namespace krv::sim {

namespace {

constexpr qint64 splitGapNs = 3'000'000;
constexpr int defaultBaud = 19200;
constexpr int bitsPerCharacter = 10;

} // namespace

ReplyScheduler::ReplyScheduler(Sink sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)) {
    clock_.start();
    setBaudRate(defaultBaud);
    connect(&timer_, &PreciseAlarm::timeout, this, &ReplyScheduler::releaseDue);
}

void ReplyScheduler::setBaudRate(int baud) {
    characterTimeNs_ = 1'000'000'000LL * bitsPerCharacter / baud;
}

void ReplyScheduler::send(const QByteArray& bytes, Pacing pacing, qint64 lateNs) {
    if (queue_.empty()) {
        frontStartNs_ = clock_.nsecsElapsed() - lateNs;
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
            // A paced character leaves when its last bit has gone out.
            timer_.start(front.pacing == Pacing::Split
                             ? splitGapNs
                             : (sent_ + 1) * characterTimeNs_ - frontElapsedNs());
            return;
        }
        // A paced reply queued behind another follows it on the line without a gap.
        frontStartNs_ = front.pacing == Pacing::Paced
                            ? frontStartNs_ + front.bytes.size() * characterTimeNs_
                            : clock_.nsecsElapsed();
        queue_.pop_front();
        sent_ = 0;
    }
}

qint64 ReplyScheduler::frontElapsedNs() const {
    return clock_.nsecsElapsed() - frontStartNs_;
}

qsizetype ReplyScheduler::dueCount(const Segment& segment) const {
    const qsizetype size = segment.bytes.size();
    switch (segment.pacing) {
    case Pacing::Immediate:
        return size;
    case Pacing::Split:
        return std::min(size, sent_ + 1 + sent_ % 3);
    case Pacing::Paced:
        return std::min(size, frontElapsedNs() / characterTimeNs_);
    }
    Q_UNREACHABLE();
}

} // namespace krv::sim
