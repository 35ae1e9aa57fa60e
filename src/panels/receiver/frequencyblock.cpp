#include "frequencyblock.h"

#include "common/numbers.h"

#include <algorithm>

namespace krv::receiver {

namespace {

double roundTo(double value, int decimals) {
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    return double(roundHalfEven(value * scale)) / scale;
}

} // namespace

Band bandFor(Chip chip, int button, const Band& previous) {
    Band band = previous;
    band.b = std::clamp(button, 0, 3);
    if (chip == Chip::HR658) {
        if (band.b == 1)
            band.c = 9;
        else if (band.b == 2)
            band.c = 10;
        else if (band.b == 3)
            band.c = 11;
        return band;
    }
    static constexpr int c1[] = {1, 1, 2, 3};
    static constexpr int c2[] = {31, 43, 43, 30};
    band.c1 = c1[band.b];
    band.c2 = c2[band.b];
    return band;
}

Crystal crystalFromText(const QString& text) {
    Crystal crystal;
    double mhz = roundTo(leadingNumber(text), 6);
    crystal.text = plainNumberText(mhz);
    if (mhz < 8) {
        mhz = 8;
        crystal.text = QStringLiteral("8");
        crystal.message = QStringLiteral("Minimum crystal frequency reached!");
    }
    if (mhz > 12) {
        mhz = 12;
        crystal.text = QStringLiteral("12");
        crystal.message = QStringLiteral("Maximum crystal frequency reached!");
    }
    crystal.factor = float(mhz / 10.0);
    return crystal;
}

FrequencyField frequencyField(Chip chip, const Band& band, double mhz, float xtal) {
    const double raw = chip == Chip::HR658 ? (mhz / 8 / 10 / xtal - band.c) * 4000
                                           : (mhz / 10 / band.c1 / xtal - band.c2) * 4000;
    const float stored = float(raw);
    FrequencyField field;
    // Clamping before the conversion keeps absurd inputs from overflowing it.
    if (!(stored >= 96.0f)) {
        field.f = 96;
        field.message = QStringLiteral("Minimum frequency reached!");
    } else if (stored > 3903.0f) {
        field.f = 3903;
        field.message = QStringLiteral("Maximum frequency reached!");
    } else {
        field.f = int(roundHalfEven(stored));
        if (field.f < 96) {
            field.f = 96;
            field.message = QStringLiteral("Minimum frequency reached!");
        }
    }
    return field;
}

double centreFrequency(Chip chip, const Band& band, double f, float xtal) {
    const double fo = chip == Chip::HR658 ? (f / 4000 + band.c) * 80 * xtal
                                          : (f / 4000 + band.c2) * (band.c1 * 10) * xtal;
    return roundTo(fo, 4);
}

double frequencyStep(Chip chip, int bandButton, float xtal) {
    double step = 20;
    if (chip == Chip::HR651)
        step = bandButton <= 1 ? 2.5 : bandButton == 2 ? 5 : 7.5;
    return roundTo(step * xtal, 4);
}

QStringList clockOutputEntries(float xtal) {
    static constexpr double factors[] = {1, 1.25, 1.66, 2, 2.5, 3.33, 5, 10};
    QStringList entries;
    for (double factor : factors)
        entries << plainNumberText(float(roundTo(xtal * factor, 4)));
    return entries;
}

QStringList loadCapacitanceEntries() {
    QStringList entries;
    for (int i = 0; i < 16; ++i)
        entries << QString::number(8.5 + 0.5 * i, 'f', 1) + QStringLiteral(" pF");
    return entries;
}

QStringList basebandEntries(Chip chip, float xtal) {
    static constexpr int hr651[] = {67, 135, 200, 270, 340, 400};
    static constexpr int hr658[] = {134, 200, 270, 340, 400};
    QStringList entries;
    auto add = [&](int khz) { entries << plainNumberText(float(roundTo(xtal * khz, 4))); };
    if (chip == Chip::HR651)
        std::for_each(std::begin(hr651), std::end(hr651), add);
    else
        std::for_each(std::begin(hr658), std::end(hr658), add);
    return entries;
}

int basebandDefault(Chip chip) {
    return chip == Chip::HR651 ? 1 : 0;
}

int basebandField(Chip chip, int position) {
    return ((chip == Chip::HR651 ? 6 : 5) - position) & 0x7;
}

int xtalFrequencyHz(float xtal) {
    return int(roundHalfEven(double(xtal) * 10000000.0));
}

} // namespace krv::receiver
