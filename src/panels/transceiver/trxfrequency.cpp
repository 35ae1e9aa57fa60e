#include "trxfrequency.h"

#include "common/numbers.h"

#include <algorithm>
#include <array>

namespace krv::trx {

Band band(int index) {
    static constexpr std::array<Band, 4> bands{{{0, 1, 31}, {1, 1, 43}, {2, 2, 43}, {3, 3, 30}}};
    return bands.at(std::size_t(std::clamp(index, 0, 3)));
}

QString centreFrequencyText(int F, Band band, float xtalFactor) {
    return plainNumberText(freq::centreFrequency(F, band.formula(), xtalFactor));
}

QString frequencyStepText(int bandIndex, float xtalFactor) {
    static constexpr std::array<double, 4> steps{2.5, 2.5, 5.0, 7.5};
    return plainNumberText(
        freq::frequencyStep(steps.at(std::size_t(std::clamp(bandIndex, 0, 3))), xtalFactor));
}

QStringList deviationEntries(float xtalFactor) {
    QStringList entries;
    for (int i = 1; i <= 16; ++i) {
        const float product = float(15 * i) * xtalFactor;
        entries << plainNumberText(float(roundDecimals(double(product), 4)));
    }
    return entries;
}

QStringList basebandBandwidthEntries(float xtalFactor) {
    return freq::scaledEntries(xtalFactor, {67, 135, 200, 270, 340, 400});
}

} // namespace krv::trx
