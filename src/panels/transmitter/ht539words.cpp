#include "ht539words.h"

#include "common/numbers.h"
#include "panels/common/frequencysetting.h"

namespace krv::ht539 {

int configurationWord(const ConfigFields& f) {
    return 0x8000 + ((f.band & 3) << 11) + ((f.power & 7) << 8) + ((f.capacitance & 15) << 4) +
           ((f.polarity & 1) << 3) + (f.deviation & 7);
}

int powerWord(int bits) {
    return 0xC000 + (bits & 0x3F);
}

int lowBatteryWord(int clockDivider, int sleepClock, int threshold) {
    return 0xC200 + ((clockDivider & 7) << 5) + ((sleepClock & 1) << 4) + (threshold & 15);
}

QString thresholdVolts(int threshold) {
    return sleep::thresholdText(threshold, 20);
}

sleep::WakeUp wakeUp(double m, double r, double d, float xtal) {
    sleep::WakeUp w = sleep::wakeUp(true, m, r, d, xtal);
    const sleep::WakeUpTime time = sleep::compactWakeUpTime(w.m, w.r, w.d, xtal);
    w.time = time.text;
    w.unit = time.unit;
    return w;
}

int extendedWakeUpWord(int m, int d) {
    return 0xC300 + ((d & 3) << 6) + ((m >> 8) & 0x3F);
}

LevelBox levelBox(const QString& text, int maximum) {
    const double value = leadingNumber(text);
    if (!(value > 0))
        return {QStringLiteral("0"), 0};
    if (value >= maximum)
        return {QString::number(maximum), maximum};
    return {std::nullopt, int(roundHalfEven(value))};
}

int fifoWord(bool enable, int level) {
    return 0xCE00 + (enable ? 0x80 : 0) + (level & 0x3F);
}

int dataRateWord(bool prescaler, int rate) {
    return 0xC800 + (prescaler ? 0x80 : 0) + (rate & 0x7F);
}

QString dataRateText(float xtal, int rate, bool prescaler) {
    const double kbps = double(xtal) * 10000.0 / 29.0 / (rate + 1) / (prescaler ? 8 : 1);
    return plainNumberText(freq::roundDecimals(kbps, 3));
}

int extendedFeaturesWord(const ExtendedFeatures& f) {
    return 0xB000 + (f.lowPowerXtal ? 0x80 : 0) + (f.clockTail512 ? 0x40 : 0) +
           (f.noWakeUpCalibration ? 0x10 : 0) + ((f.pllBandwidth & 3) << 2) +
           (f.noFifoAutoSleep ? 2 : 0) + (f.wakeUpOnInterrupt ? 1 : 0);
}

QStringList deviationEntries(float xtal) {
    return freq::scaledEntries(xtal, {20, 40, 60, 80, 100, 120, 140, 160});
}

QStringList pllBandwidthEntries() {
    return {QStringLiteral("15 kHz"), QStringLiteral("30 kHz"), QStringLiteral("60 kHz"),
            QStringLiteral("120 kHz")};
}

} // namespace krv::ht539
