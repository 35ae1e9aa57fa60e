#pragma once

#include "panels/common/frequencysetting.h"

#include <QString>
#include <QStringList>

namespace krv::trx {

using freq::clockOutputEntries;
using freq::Crystal;
using freq::crystalFromText;
using freq::loadCapacitanceEntries;
using freq::roundDecimals;

// The band fields: B and the constants of the frequency formula.
struct Band {
    int B;
    int C1;
    int C2;
    freq::BandFormula formula() const { return {C1, C2}; }
};
// Bands 0..3: 315, 433, 868 and 915 MHz.
Band band(int index);

// The centre frequency of a field in a band, rounded to 4 decimals, as shown.
QString centreFrequencyText(int F, Band band, float xtalFactor);
using freq::frequencyWord;

// The PLL frequency step in kHz as shown.
QString frequencyStepText(int bandIndex, float xtalFactor);

// Entries of the lists that follow the crystal.
QStringList deviationEntries(float xtalFactor);
QStringList basebandBandwidthEntries(float xtalFactor);

} // namespace krv::trx
