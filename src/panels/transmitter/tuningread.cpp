#include "tuningread.h"

#include "common/numbers.h"
#include "panels/common/sleepsetting.h"

namespace krv::testmode {

int testWord(bool deltaSigma, bool manual, int state) {
    return 0xD000 + (deltaSigma ? 0 : 0x80) + 0x20 + (manual ? 0x10 : 0) + (state & 0xF);
}

int typedState(const QString& text) {
    return sleep::wholeField(leadingNumber(text), 0, 15);
}

QStringList TuningRead::begin(int baseWord) {
    step_ = 1;
    value_ = 0;
    word_ = baseWord;
    return {QStringLiteral("S2D200"), QStringLiteral("S2") + hexText(word_)};
}

TuningRead::Step TuningRead::tick(const QString& level) {
    static const char* const progress[] = {"...", "..", "."};
    Step s;
    if (!running())
        return s;
    const int bit = level == QStringLiteral("1") ? 1 : 0;
    if (step_ % 2 == 1) {
        s.line = QStringLiteral("ri");
        s.shown =
            step_ == 1 ? QStringLiteral("....") : QString::fromLatin1(progress[step_ / 2 - 1]);
    } else if (step_ < 8) {
        value_ += bit << (step_ / 2 - 1);
        ++word_;
        s.line = QStringLiteral("S2") + hexText(word_);
        s.shown = QString::fromLatin1(progress[step_ / 2 - 1]);
    } else {
        value_ += bit << 3;
        s.shown = QString::number(value_);
        s.finished = true;
        step_ = 0;
        return s;
    }
    ++step_;
    return s;
}

} // namespace krv::testmode
