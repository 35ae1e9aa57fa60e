#include "sleepsetting.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace krv::sleep {

namespace {

double round3(double value) {
    return double(roundHalfEven(value * 1000.0)) / 1000.0;
}

struct UnitStep {
    double threshold;
    double divisor;
    const char* unit;
};

// Steps from the shown value into ever larger units while it reaches each step's threshold
// (`inclusive`) or exceeds it; each step rounds to three decimals.
WakeUpTime inUnits(double shown, const char* unit, const std::vector<UnitStep>& steps,
                   bool inclusive) {
    WakeUpTime time;
    time.unit = QString::fromLatin1(unit);
    for (const UnitStep& step : steps) {
        const bool reached = inclusive ? shown >= step.threshold : shown > step.threshold;
        if (!reached)
            break;
        shown = round3(shown / step.divisor);
        time.unit = QString::fromLatin1(step.unit);
    }
    time.text = plainNumberText(shown);
    return time;
}

double periodMs(int M, int R, int D, float xtal) {
    return std::ldexp(double(M), R - D) / double(xtal);
}

} // namespace

int wholeField(double value, int low, int high) {
    if (!(value >= low))
        return low;
    if (value > high)
        return high;
    return int(std::clamp<long long>(roundHalfEven(value), low, high));
}

WakeUpTime wakeUpTime(int M, int R, int D, float xtal, bool milliseconds) {
    std::vector<UnitStep> steps{{600, 60, "min"}, {600, 60, "hrs"}, {60, 24, "days"}};
    if (!milliseconds)
        return inUnits(round3(std::ldexp(double(M), R - D) / (double(xtal) * 1000.0)), "sec", steps,
                       false);
    steps.insert(steps.begin(), {999, 1000, "sec"});
    return inUnits(round3(periodMs(M, R, D, xtal)), "ms", steps, false);
}

WakeUpTime compactWakeUpTime(int M, int R, int D, float xtal) {
    const double shown = round3(periodMs(M, R, D, xtal));
    if (!(shown > 999))
        return inUnits(shown, "ms", {}, true);
    return inUnits(round3(shown / 1000), "sec",
                   {{60, 60, "min"}, {60, 60, "hrs"}, {24, 24, "days"}}, true);
}

WakeUp wakeUp(bool extended, double m, double r, double d, float xtal, int maxR) {
    WakeUp w;
    w.m = wholeField(m, 0, extended ? 16383 : 255);
    w.r = wholeField(r, 0, extended ? 15 : maxR);
    w.d = extended ? wholeField(d, 0, 3) : 0;
    const WakeUpTime time = wakeUpTime(w.m, w.r, w.d, xtal, extended);
    w.time = time.text;
    w.unit = time.unit;
    w.word = 0xE000 + (w.r << 8) + (w.m & 0xFF);
    if (extended)
        w.extendedWord = QStringLiteral("C3") + hexText((w.d << 6) + ((w.m & 0x3F00) >> 8), 2);
    return w;
}

QString dutyCycleText(int D, double m) {
    if (m == 0)
        return QStringLiteral("100");
    const double x = (2.0 * D + 1.0) / m * 100.0;
    if (x > 100)
        return QStringLiteral("100");
    return plainNumberText(round3(x));
}

DutyCycle dutyCycle(int base, double typed, int enable, double m) {
    DutyCycle duty;
    duty.field = wholeField(typed, 0, 127);
    duty.word = base + 2 * duty.field + (enable & 1);
    duty.percent = dutyCycleText(duty.field, m);
    return duty;
}

QString thresholdText(int field, int offsetTenths) {
    return plainNumberText((field + offsetTenths) / 10.0);
}

QString clampedThresholdText(const QString& text) {
    const double volts = leadingNumber(text);
    if (volts < 0)
        return QStringLiteral("0");
    if (volts > 5.3)
        return QStringLiteral("5.3");
    return text;
}

int thresholdField(const QString& text, int offsetTenths, bool singlePrecision) {
    const double volts = std::clamp(leadingNumber(text), 0.0, 5.3);
    const double tenths = singlePrecision ? double(float(volts) * 10.0f) : volts * 10.0;
    return int(roundHalfEven(tenths)) - offsetTenths;
}

} // namespace krv::sleep
