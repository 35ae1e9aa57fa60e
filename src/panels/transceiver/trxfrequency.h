#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace krv::trx {

// Rounds half to even to the given number of decimal places.
double roundDecimals(double value, int decimals);

// The band fields of the frequency formula fo = 10 * C1 * xtal * (C2 + F / 4000) MHz.
struct Band {
    int B;
    int C1;
    int C2;
};
// Bands 0..3: 315, 433, 868 and 915 MHz.
Band band(int index);

inline constexpr int MinFrequencyField = 96;
inline constexpr int MaxFrequencyField = 3903;

// A typed crystal frequency after rounding and clamping: the text written back into the box,
// the crystal ratio (MHz / 10) and the clamp message, empty when none.
struct Crystal {
    QString text;
    float factor;
    QString message;
};
Crystal crystalFromText(const QString& text);

// A typed centre frequency turned into the frequency field, with the clamp message (empty when
// the field was in range) and the centre frequency the field stands for, as shown.
struct CentreFrequency {
    int F;
    QString text;
    QString message;
};
CentreFrequency centreFrequency(const QString& text, Band band, float xtalFactor);
// The centre frequency of a field in a band, rounded to 4 decimals, as shown.
QString centreFrequencyText(int F, Band band, float xtalFactor);
int frequencyWord(int F);

// The PLL frequency step in kHz as shown.
QString frequencyStepText(int bandIndex, float xtalFactor);

// Entries of the lists that follow the crystal.
QStringList clockOutputEntries(float xtalFactor);
QStringList deviationEntries(float xtalFactor);
QStringList basebandBandwidthEntries(float xtalFactor);
// The fixed load-capacitance list "8.5 pF" .. "16.0 pF".
QStringList loadCapacitanceEntries();

} // namespace krv::trx
