#include "transactionlock.h"

#include <utility>

namespace krv {

TransactionLock::TransactionLock() : state_(std::make_shared<State>()) {}

long TransactionLock::step() const {
    return state_->step;
}

TransactionHold TransactionLock::take(long step) {
    if (!isFree())
        return {};
    return seize(step);
}

TransactionHold TransactionLock::seize(long step) {
    return TransactionHold(state_, step);
}

TransactionHold::TransactionHold(std::shared_ptr<TransactionLock::State> state, long step)
    : state_(std::move(state)), id_(++state_->lastHold) {
    state_->holder = id_;
    setStep(step);
}

TransactionHold::TransactionHold(TransactionHold&& other) noexcept
    : state_(std::move(other.state_)), id_(std::exchange(other.id_, 0)) {}

TransactionHold& TransactionHold::operator=(TransactionHold&& other) noexcept {
    if (this != &other) {
        release();
        state_ = std::move(other.state_);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

TransactionHold::~TransactionHold() {
    release();
}

bool TransactionHold::held() const {
    return state_ && id_ != 0 && state_->holder == id_;
}

long TransactionHold::step() const {
    return held() ? state_->step : 0;
}

void TransactionHold::setStep(long step) {
    if (!held())
        return;
    if (step == 0) {
        release();
        return;
    }
    state_->step = step;
}

void TransactionHold::release() {
    if (held()) {
        state_->step = 0;
        state_->holder = 0;
    }
    state_.reset();
    id_ = 0;
}

} // namespace krv
