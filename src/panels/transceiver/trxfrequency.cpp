#include "trxfrequency.h"

#include "common/numbers.h"

#include <algorithm>
#include <cmath>

namespace krv::trx {

double roundDecimals(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Beyond 2^52 there is no fraction left to round, and the conversion would overflow.
    if (!std::isfinite(scaled) || std::fabs(scaled) > 4.5e15)
        return value;
    return double(roundHalfEven(scaled)) / scale;
}

Band band(int index) {
    static constexpr std::array<Band, 4> bands{{{0, 1, 31}, {1, 1, 43}, {2, 2, 43}, {3, 3, 30}}};
    return bands.at(std::size_t(std::clamp(index, 0, 3)));
}

Crystal crystalFromText(const QString& text) {
    Crystal crystal;
    double mhz = roundDecimals(leadingNumber(text), 6);
    if (mhz < 8.0) {
        mhz = 8.0;
        crystal.message = QStringLiteral("Minimum crystal frequency reached!");
    } else if (mhz > 12.0) {
        mhz = 12.0;
        crystal.message = QStringLiteral("Maximum crystal frequency reached!");
    }
    crystal.text = plainNumberText(mhz);
    crystal.factor = float(mhz / 10.0);
    return crystal;
}

CentreFrequency centreFrequency(const QString& text, Band band, float xtalFactor) {
    const double fo = leadingNumber(text);
    const double exact = (fo / 10.0 / band.C1 / double(xtalFactor) - band.C2) * 4000.0;
    CentreFrequency result;
    // Clamping before the conversion keeps absurd inputs away from the float and int ranges.
    const double limited = std::clamp(exact, -1.0e6, 1.0e6);
    const long long field = roundHalfEven(double(float(limited)));
    if (field < MinFrequencyField) {
        result.F = MinFrequencyField;
        result.message = QStringLiteral("Minimum frequency reached!");
    } else if (field > MaxFrequencyField) {
        result.F = MaxFrequencyField;
        result.message = QStringLiteral("Maximum frequency reached!");
    } else {
        result.F = int(field);
    }
    result.text = centreFrequencyText(result.F, band, xtalFactor);
    return result;
}

QString centreFrequencyText(int F, Band band, float xtalFactor) {
    const double fo = (F / 4000.0 + band.C2) * (band.C1 * 10.0) * double(xtalFactor);
    return plainNumberText(roundDecimals(fo, 4));
}

int frequencyWord(int F) {
    return 0xA000 + (F & 0x0FFF);
}

QString frequencyStepText(int bandIndex, float xtalFactor) {
    static constexpr std::array<double, 4> steps{2.5, 2.5, 5.0, 7.5};
    const double step = steps.at(std::size_t(std::clamp(bandIndex, 0, 3))) * double(xtalFactor);
    return plainNumberText(roundDecimals(step, 4));
}

namespace {

QStringList scaledEntries(float xtalFactor, std::initializer_list<double> factors) {
    QStringList entries;
    for (const double factor : factors)
        entries << plainNumberText(float(roundDecimals(double(xtalFactor) * factor, 4)));
    return entries;
}

} // namespace

QStringList clockOutputEntries(float xtalFactor) {
    return scaledEntries(xtalFactor, {1, 1.25, 1.66, 2, 2.5, 3.33, 5, 10});
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
    return scaledEntries(xtalFactor, {67, 135, 200, 270, 340, 400});
}

QStringList loadCapacitanceEntries() {
    QStringList entries;
    for (int i = 0; i < 16; ++i)
        entries << QString::number(8.5 + 0.5 * i, 'f', 1) + QStringLiteral(" pF");
    return entries;
}

} // namespace krv::trx
