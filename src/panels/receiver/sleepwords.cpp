#include "sleepwords.h"

#include "common/numbers.h"
#include "panels/common/sleepsetting.h"

namespace krv::receiver {

namespace {

// The low-battery threshold starts at 2.0 V on the HR658 and at 2.2 V on the HR651.
int thresholdOffset(Chip chip) {
    return chip == Chip::HR658 ? 20 : 22;
}

} // namespace

WakeUp wakeUp(Chip chip, double m, double r, double d, float xtal) {
    WakeUp w;
    const bool extended = chip == Chip::HR658;
    w.m = sleep::wholeField(m, 0, extended ? 16383 : 255);
    w.r = sleep::wholeField(r, 0, extended ? 15 : 29);
    w.d = extended ? sleep::wholeField(d, 0, 3) : 0;
    const sleep::WakeUpTime time = sleep::wakeUpTime(w.m, w.r, w.d, xtal, extended);
    w.time = time.text;
    w.unit = time.unit;
    w.word = 0xE000 + (w.r << 8) + (w.m & 0xFF);
    if (extended) {
        const int e = (w.d << 6) + ((w.m & 0x3F00) >> 8);
        w.extendedWord = QStringLiteral("C3") + hexText(e, 2);
    }
    return w;
}

DutyCycle dutyCycle(double typed, int enable, double m) {
    DutyCycle duty;
    duty.field = sleep::wholeField(typed, 0, 127);
    duty.word = 0xCC00 + 2 * duty.field + (enable & 1);
    duty.percent = sleep::dutyCycleText(duty.field, m);
    return duty;
}

LowBattery lowBattery(Chip chip, double typed, int clockDivider, int clock32k) {
    LowBattery lbd;
    const bool hr658 = chip == Chip::HR658;
    lbd.field = sleep::wholeField(typed, 0, hr658 ? 15 : 31);
    lbd.word = 0xC200 + ((clockDivider & 0x7) << 5) + lbd.field;
    if (hr658)
        lbd.word += (clock32k & 1) << 4;
    lbd.volts = sleep::thresholdText(lbd.field, thresholdOffset(chip));
    return lbd;
}

Threshold thresholdFromVolts(Chip chip, const QString& voltsText) {
    const QString volts = sleep::clampedThresholdText(voltsText);
    return {volts, QString::number(sleep::thresholdField(volts, thresholdOffset(chip)))};
}

} // namespace krv::receiver
