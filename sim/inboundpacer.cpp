#include "inboundpacer.h"

#include <algorithm>
#include <utility>

namespace krv::sim {

namespace {
constexpr int bitsPerCharacter = 10;
}

InboundPacer::InboundPacer(Sink sink, QObject* parent) : QObject(parent), sink_(std::move(sink)) {
    clock_.start();
    connect(&alarm_, &PreciseAlarm::timeout, this, &InboundPacer::releaseDue);
}

void InboundPacer::setBaudRate(int baud) {
    characterTimeNs_ = baud > 0 ? 1'000'000'000LL * bitsPerCharacter / baud : 0;
}

void InboundPacer::push(const QByteArray& bytes) {
    if (characterTimeNs_ == 0 && pending_.isEmpty()) {
        sink_(bytes, 0);
        return;
    }
    // Characters written together follow each other on the line without a gap.
    qint64 arrival = std::max(clock_.nsecsElapsed(), due_.empty() ? 0 : due_.back());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        arrival += characterTimeNs_;
        due_.push_back(arrival);
    }
    pending_ += bytes;
    releaseDue();
}

void InboundPacer::clear() {
    alarm_.stop();
    pending_.clear();
    due_.clear();
}

void InboundPacer::releaseDue() {
    const qint64 now = clock_.nsecsElapsed();
    qsizetype arrived = 0;
    while (arrived < qsizetype(due_.size()) && due_[size_t(arrived)] <= now)
        ++arrived;
    const qint64 lateNs = arrived > 0 ? now - due_[size_t(arrived - 1)] : 0;
    due_.erase(due_.begin(), due_.begin() + arrived);
    const QByteArray bytes = pending_.left(arrived);
    pending_.remove(0, arrived);
    if (!pending_.isEmpty()) {
        const qsizetype cr = pending_.indexOf('\r');
        const size_t wake = cr >= 0 ? size_t(cr) : due_.size() - 1;
        alarm_.start(due_[wake] - now);
    }
    if (!bytes.isEmpty())
        sink_(bytes, lateNs);
}

} // namespace krv::sim
