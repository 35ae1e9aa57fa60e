#include "patternbox.h"

#include "patternbyte.h"

#include <QLineEdit>

namespace krv {

PatternByteBox::PatternByteBox(QLineEdit* byteBox, QLineEdit* wordBox, QString prefix)
    : byteBox_(byteBox), wordBox_(wordBox), prefix_(std::move(prefix)) {}

void PatternByteBox::change() {
    if (!SkipPatternCheck) {
        const QString normal = normalizedPattern(byteBox_->text());
        if (normal != byteBox_->text()) {
            byteBox_->setText(normal);
            byteBox_->setCursorPosition(int(normal.size()));
        }
    }
    wordBox_->setText(prefix_ + byteBox_->text());
    SkipPatternCheck = false;
}

void PatternByteBox::leave() {
    const QString padded = paddedPattern(byteBox_->text());
    if (padded != byteBox_->text()) {
        SkipPatternCheck = true;
        byteBox_->setText(padded);
    }
}

} // namespace krv
