#include "leavewatch.h"

#include <QEvent>
#include <QLineEdit>

namespace krv::rflink {

namespace {

class LeaveWatch : public QObject {
public:
    LeaveWatch(QLineEdit* box, std::function<void()> handler)
        : QObject(box), handler_(std::move(handler)) {
        box->installEventFilter(this);
        QObject::connect(box, &QLineEdit::returnPressed, this, [this] { handler_(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            handler_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
};

} // namespace

void onLeaving(QLineEdit* box, std::function<void()> handler) {
    new LeaveWatch(box, std::move(handler));
}

} // namespace krv::rflink
