#include "commstatewait.h"

#include "app/ismmain.h"

#include <QPointer>
#include <QTimer>

namespace krv {

CommStateWait::CommStateWait(ISMmain& main, QObject* parent)
    : QObject(parent), main_(main), timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("PendingOperations"));
    timer_->setInterval(10);
    connect(timer_, &QTimer::timeout, this, &CommStateWait::runPending);
}

void CommStateWait::run(std::function<void()> operation) {
    if (!main_.boardPortOpen() && pending_.isEmpty() && !running_) {
        operation();
        return;
    }
    pending_.append(std::move(operation));
    runPending();
}

void CommStateWait::clear() {
    pending_.clear();
    timer_->stop();
}

void CommStateWait::runPending() {
    if (running_)
        return;
    QPointer<CommStateWait> self(this);
    while (!pending_.isEmpty() && main_.CommState == 0) {
        const std::function<void()> operation = pending_.takeFirst();
        running_ = true;
        operation();
        if (!self)
            return;
        running_ = false;
    }
    if (pending_.isEmpty())
        timer_->stop();
    else
        timer_->start();
}

} // namespace krv
