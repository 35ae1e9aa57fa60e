#include "txwords.h"

#include "common/numbers.h"
#include "panels/common/frequencysetting.h"

#include <algorithm>
#include <cmath>

namespace krv::tx {

long configurationWord(long band, long clock, long capacitance, long polarity, long deviation) {
    return 0x8000 | (band & 3) << 11 | (clock & 7) << 8 | (capacitance & 15) << 4 |
           (polarity & 1) << 3 | (deviation & 7);
}

long powerSettingWord(long power, int powerBits, bool ook, long ookBit) {
    return 0xB0 + (power & ((1 << powerBits) - 1)) + (ook ? ookBit : 0);
}

long powerField(const QString& entry) {
    const double value = leadingNumber(entry) / -3.0;
    return long(roundHalfEven(std::clamp(value, 0.0, 7.0)));
}

long lowBatteryWord(long threshold, long dwc, long ebs) {
    return 0xC200 + (dwc & 1) * 128 + (ebs & 1) * 32 + (threshold & 31);
}

QString lowBatteryVolts(long threshold) {
    return plainNumberText(double(threshold + 22) / 10.0);
}

VoltsEntry thresholdFromVolts(const QString& text) {
    VoltsEntry entry;
    double volts = leadingNumber(text);
    entry.volts = text;
    if (volts < 0) {
        volts = 0;
        entry.volts = QStringLiteral("0");
    }
    if (volts > 5.3) {
        volts = 5.3;
        entry.volts = QStringLiteral("5.3");
    }
    entry.field = long(roundHalfEven(volts * 10.0)) - 22;
    return entry;
}

long wakeUpWord(long r, long m) {
    return 0xE000 + std::clamp(r, 0L, 23L) * 256 + (m & 255);
}

WakeUpTime wakeUpTime(long r, long m, float xtal) {
    double t = freq::roundDecimals(std::ldexp(double(m), int(r)) / (double(xtal) * 1000.0), 3);
    WakeUpTime time{{}, QStringLiteral("sec")};
    if (t > 600) {
        t = freq::roundDecimals(t / 60.0, 3);
        time.unit = QStringLiteral("min");
        if (t > 600) {
            t = freq::roundDecimals(t / 60.0, 3);
            time.unit = QStringLiteral("hrs");
            if (t > 60) {
                t = freq::roundDecimals(t / 24.0, 3);
                time.unit = QStringLiteral("days");
            }
        }
    }
    time.text = plainNumberText(t);
    return time;
}

long dataRateWord(long r) {
    return 0xC800 + (r & 255);
}

QString dataRateText(long r, float xtal) {
    return plainNumberText(freq::roundDecimals(10000.0 * double(xtal) / 29.0 / double(r + 1), 3));
}

PllSetting pllSetting(int position) {
    static const PllSetting table[] = {{QStringLiteral("D240"), QStringLiteral("-112")},
                                       {QStringLiteral("D2C0"), QStringLiteral("-110")},
                                       {QStringLiteral("D200"), QStringLiteral("-107")},
                                       {QStringLiteral("D280"), QStringLiteral("-102")}};
    return table[std::clamp(position, 0, 3)];
}

} // namespace krv::tx
