#include "frequencyblock.h"

#include <algorithm>

namespace krv::receiver {

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

freq::BandFormula formulaOf(Chip chip, const Band& band) {
    if (chip == Chip::HR658)
        return {8, band.c};
    return {band.c1, band.c2};
}

double centreFrequency(Chip chip, const Band& band, double f, float xtal) {
    return freq::centreFrequency(f, formulaOf(chip, band), xtal);
}

double frequencyStep(Chip chip, int bandButton, float xtal) {
    double step = 20;
    if (chip == Chip::HR651)
        step = bandButton <= 1 ? 2.5 : bandButton == 2 ? 5 : 7.5;
    return freq::frequencyStep(step, xtal);
}

QStringList basebandEntries(Chip chip, float xtal) {
    if (chip == Chip::HR651)
        return freq::scaledEntries(xtal, {67, 135, 200, 270, 340, 400});
    return freq::scaledEntries(xtal, {134, 200, 270, 340, 400});
}

int basebandDefault(Chip chip) {
    return chip == Chip::HR651 ? 1 : 0;
}

int basebandField(Chip chip, int position) {
    return ((chip == Chip::HR651 ? 6 : 5) - position) & 0x7;
}

} // namespace krv::receiver
