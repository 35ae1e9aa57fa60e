#include "frequencysetting.h"

#include "common/numbers.h"

#include <cmath>

namespace krv::freq {

double roundDecimals(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Beyond 2^52 there is no fraction left to round, and the conversion would overflow.
    if (!std::isfinite(scaled) || std::fabs(scaled) > 4.5e15)
        return value;
    return double(roundHalfEven(scaled)) / scale;
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

FrequencyField frequencyField(double mhz, BandFormula band, float xtal) {
    double exact = (mhz / 10.0 / band.C1 / double(xtal) - band.C2) * 4000.0;
    // Limiting before the conversion keeps absurd inputs away from the float and int ranges.
    if (!(exact >= -1.0e6))
        exact = -1.0e6;
    else if (exact > 1.0e6)
        exact = 1.0e6;
    const long long field = roundHalfEven(double(float(exact)));
    FrequencyField result;
    if (field < MinFrequencyField) {
        result.message = QStringLiteral("Minimum frequency reached!");
    } else if (field > MaxFrequencyField) {
        result.F = MaxFrequencyField;
        result.message = QStringLiteral("Maximum frequency reached!");
    } else {
        result.F = int(field);
    }
    return result;
}

double centreFrequency(double F, BandFormula band, float xtal) {
    return roundDecimals((F / 4000.0 + band.C2) * (band.C1 * 10.0) * double(xtal), 4);
}

int frequencyWord(int F) {
    return 0xA000 + (F & 0x0FFF);
}

double frequencyStep(double standardKHz, float xtal) {
    return roundDecimals(standardKHz * double(xtal), 4);
}

QStringList scaledEntries(float xtal, std::initializer_list<double> values) {
    QStringList entries;
    for (const double value : values)
        entries << plainNumberText(float(roundDecimals(double(xtal) * value, 4)));
    return entries;
}

QStringList clockOutputEntries(float xtal) {
    return scaledEntries(xtal, {1, 1.25, 1.66, 2, 2.5, 3.33, 5, 10});
}

QStringList loadCapacitanceEntries() {
    QStringList entries;
    for (int i = 0; i < 16; ++i)
        entries << QString::number(8.5 + 0.5 * i, 'f', 1) + QStringLiteral(" pF");
    return entries;
}

int xtalFrequencyHz(float xtal) {
    return int(roundHalfEven(double(xtal) * 10000000.0));
}

} // namespace krv::freq
