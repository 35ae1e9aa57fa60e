#include "sleepwords.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace krv::receiver {

namespace {

double round3(double value) {
    return double(roundHalfEven(value * 1000.0)) / 1000.0;
}

struct UnitStep {
    double above;
    double divisor;
    const char* unit;
};

} // namespace

int fieldFromNumber(double value, int low, int high) {
    if (!(value >= low))
        return low;
    if (value > high)
        return high;
    return int(std::clamp<long long>(roundHalfEven(value), low, high));
}

WakeUp wakeUp(Chip chip, double m, double r, double d, float xtal) {
    WakeUp w;
    const bool extended = chip == Chip::HR658;
    w.m = fieldFromNumber(m, 0, extended ? 16383 : 255);
    w.r = fieldFromNumber(r, 0, extended ? 15 : 29);
    w.d = extended ? fieldFromNumber(d, 0, 3) : 0;

    double shown;
    QList<UnitStep> steps;
    if (extended) {
        shown = round3(std::ldexp(double(w.m), w.r - w.d) / xtal);
        w.unit = QStringLiteral("ms");
        steps = {{999, 1000, "sec"}, {600, 60, "min"}, {600, 60, "hrs"}, {60, 24, "days"}};
    } else {
        shown = round3(std::ldexp(double(w.m), w.r) / (xtal * 1000.0));
        w.unit = QStringLiteral("sec");
        steps = {{600, 60, "min"}, {600, 60, "hrs"}, {60, 24, "days"}};
    }
    for (const UnitStep& step : steps) {
        if (!(shown > step.above))
            break;
        shown = round3(shown / step.divisor);
        w.unit = QString::fromLatin1(step.unit);
    }
    w.time = plainNumberText(shown);
    w.word = 0xE000 + (w.r << 8) + (w.m & 0xFF);
    if (extended) {
        const int e = (w.d << 6) + ((w.m & 0x3F00) >> 8);
        w.extendedWord = QStringLiteral("C3") + hexText(e, 2);
    }
    return w;
}

DutyCycle dutyCycle(double typed, int enable, double m) {
    DutyCycle duty;
    duty.field = fieldFromNumber(typed, 0, 127);
    duty.word = 0xCC00 + 2 * duty.field + (enable & 1);
    duty.percent = QStringLiteral("100");
    if (m != 0) {
        const double x = (2.0 * duty.field + 1) / m * 100;
        if (x <= 100)
            duty.percent = plainNumberText(round3(x));
    }
    return duty;
}

LowBattery lowBattery(Chip chip, double typed, int clockDivider, int clock32k) {
    LowBattery lbd;
    const bool hr658 = chip == Chip::HR658;
    lbd.field = fieldFromNumber(typed, 0, hr658 ? 15 : 31);
    lbd.word = 0xC200 + ((clockDivider & 0x7) << 5) + lbd.field;
    if (hr658)
        lbd.word += (clock32k & 1) << 4;
    lbd.volts = plainNumberText((lbd.field + (hr658 ? 20 : 22)) / 10.0);
    return lbd;
}

Threshold thresholdFromVolts(Chip chip, const QString& voltsText) {
    Threshold t{voltsText, {}};
    const double v = leadingNumber(voltsText);
    if (v < 0)
        t.voltsText = QStringLiteral("0");
    else if (v > 5.3)
        t.voltsText = QStringLiteral("5.3");
    const float single = float(leadingNumber(t.voltsText));
    const long long field = roundHalfEven(double(single * 10.0f)) - (chip == Chip::HR658 ? 20 : 22);
    t.fieldText = QString::number(field);
    return t;
}

} // namespace krv::receiver
