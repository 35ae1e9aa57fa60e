#include "updown.h"

#include "common/numbers.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace krv {

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), up_(new QToolButton(this)), down_(new QToolButton(this)),
      minimum_(minimum), maximum_(maximum) {
    up_->setObjectName(QStringLiteral("Up"));
    up_->setArrowType(Qt::UpArrow);
    down_->setObjectName(QStringLiteral("Down"));
    down_->setArrowType(Qt::DownArrow);
    // Together the arrows are as high as their box, so that a row with arrows is no taller
    // than one without.
    const int half = buddy->sizeHint().height() / 2;
    up_->setFixedHeight(half);
    down_->setFixedHeight(half);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] {
        step(1);
        Q_EMIT UpClick();
    });
    connect(down_, &QToolButton::clicked, this, [this] {
        step(-1);
        Q_EMIT DownClick();
    });
}

int UpDown::value() const {
    const double typed = leadingNumber(buddy_->text());
    return int(std::clamp<long long>(roundHalfEven(typed), minimum_, maximum_));
}

void UpDown::setValue(int value) {
    buddy_->setText(QString::number(value));
}

void UpDown::step(int delta) {
    setValue(std::clamp(value() + delta, minimum_, maximum_));
}

} // namespace krv
