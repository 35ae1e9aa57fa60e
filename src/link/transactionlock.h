#pragma once

#include <memory>

namespace krv {

class TransactionHold;

// The board transaction lock: 0 while no transaction runs, otherwise the step of the one that
// does. Only the hold a transaction took moves the step on or gives the lock back, so that no
// window can end or advance another's transaction; the hold gives it back when it is
// destroyed, whatever way its window ends.
class TransactionLock {
public:
    TransactionLock();
    TransactionLock(const TransactionLock&) = delete;
    TransactionLock& operator=(const TransactionLock&) = delete;

    long step() const;
    operator long() const { return step(); }
    bool isFree() const { return step() == 0; }

    // The lock at `step` when it is free; a hold that holds nothing when it is not.
    [[nodiscard]] TransactionHold take(long step = 1);
    // The lock at `step` whatever holds it (the board scan): the earlier hold holds nothing
    // from then on.
    [[nodiscard]] TransactionHold seize(long step = 1);

private:
    friend class TransactionHold;
    struct State {
        long step = 0;
        unsigned long long holder = 0; // the hold in force, 0 for none
        unsigned long long lastHold = 0;
    };
    std::shared_ptr<State> state_;
};

// A transaction's claim on the lock. Moving it hands the claim on; releasing or destroying it
// frees the lock when the claim is still in force.
class TransactionHold {
public:
    TransactionHold() = default;
    TransactionHold(TransactionHold&& other) noexcept;
    TransactionHold& operator=(TransactionHold&& other) noexcept;
    TransactionHold(const TransactionHold&) = delete;
    TransactionHold& operator=(const TransactionHold&) = delete;
    ~TransactionHold();

    bool held() const;
    // The transaction's step while held, 0 otherwise.
    long step() const;
    // Moves the transaction on to `step`; 0 ends it, as release does. Nothing when not held.
    void setStep(long step);
    void release();

private:
    friend class TransactionLock;
    TransactionHold(std::shared_ptr<TransactionLock::State> state, long step);

    std::shared_ptr<TransactionLock::State> state_;
    unsigned long long id_ = 0;
};

} // namespace krv
