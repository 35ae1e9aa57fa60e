#pragma once

// The crystal, band and centre frequency arithmetic that every receiver and transceiver chip
// shares: fo = 10 * C1 * xtal * (C2 + F / 4000) MHz, with the band giving C1 and C2.

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace krv::freq {

// Rounds half to even to the given number of decimal places.
double roundDecimals(double value, int decimals);

// A typed crystal frequency after rounding and clamping to 8..12 MHz: the text written back into
// the box, the crystal ratio (MHz / 10) and the clamp message, empty when none.
struct Crystal {
    QString text;
    float factor = 1.0f;
    QString message;
};
Crystal crystalFromText(const QString& text);

// The constants of a band in the frequency formula.
struct BandFormula {
    int C1 = 1;
    int C2 = 31;
};

inline constexpr int MinFrequencyField = 96;
inline constexpr int MaxFrequencyField = 3903;

// The frequency field for a centre frequency in MHz, clamped to 96..3903, with the clamp
// message ("Minimum frequency reached!", "Maximum frequency reached!" or empty).
struct FrequencyField {
    int F = MinFrequencyField;
    QString message;
};
FrequencyField frequencyField(double mhz, BandFormula band, float xtal);
// The centre frequency in MHz that a field stands for, rounded to 4 decimals.
double centreFrequency(double F, BandFormula band, float xtal);
int frequencyWord(int F);

// A frequency step of the standard crystal scaled to the crystal, rounded to 4 decimals.
double frequencyStep(double standardKHz, float xtal);

// List entries that follow the crystal: each value times the ratio, rounded to 4 decimals and
// shown as a single-precision number.
QStringList scaledEntries(float xtal, std::initializer_list<double> values);
QStringList clockOutputEntries(float xtal);
// The fixed load-capacitance list "8.5 pF" .. "16.0 pF".
QStringList loadCapacitanceEntries();

// The crystal frequency in Hz.
int xtalFrequencyHz(float xtal);

} // namespace krv::freq
