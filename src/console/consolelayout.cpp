#include "consolelayout.h"

#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace krv::console {

int digitsWidth(const QLineEdit* box, int digits) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QMargins text = box->textMargins();
    // The line edit's own margin beside its text, as its size hint counts it.
    constexpr int inner = 2 * 2;
    const QSize content(box->fontMetrics().horizontalAdvance(QString(digits, u'0')) + inner +
                            text.left() + text.right(),
                        box->fontMetrics().height());
    return box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, box).width();
}

QGroupBox* group(const QString& title, QLayout* layout) {
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

QLineEdit* digitsWide(QLineEdit* box, int digits) {
    box->setFixedWidth(digitsWidth(box, digits));
    return box;
}

QLineEdit* digitsWideAtLeast(QLineEdit* box, int digits) {
    box->setMinimumWidth(digitsWidth(box, digits));
    box->setSizePolicy(QSizePolicy::Expanding, box->sizePolicy().verticalPolicy());
    return box;
}

QSize TightButton::sizeHint() const {
    QSize hint = QPushButton::sizeHint();
    if (text().isEmpty())
        return hint;
    // The caption with room of half a line's height on either side.
    const int needed = fontMetrics().horizontalAdvance(text()) + fontMetrics().height() +
                       (icon().isNull() ? 0 : iconSize().width() + 4);
    hint.setWidth(std::max(hint.height(), std::min(hint.width(), needed)));
    return hint;
}

QSize TightButton::minimumSizeHint() const {
    return sizeHint();
}

} // namespace krv::console
