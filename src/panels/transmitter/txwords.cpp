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
