#pragma once

// The fields and results that the receivers' and transceivers' word builders share; each family
// builds the words with its own constants.

#include <QString>

namespace krv {

// The AFC word's fields.
struct AfcFields {
    int mode = 0;
    int range = 0;
    int strobe = 0;
    int fine = 0;
    int outputEnable = 0;
    int enable = 0;
};

// The data rate's divider as clamped, the rate in kbps as shown and the word.
struct DataRate {
    int divider = 0;
    QString kbps;
    int word = 0;
};

// The clock recovery mode's two bits of the data filter word.
struct ClockRecovery {
    int autoBit = 0;
    int fastBit = 0;
};
// "Auto" and "Fast" set their bit; any other text neither.
ClockRecovery clockRecovery(const QString& text);

// The low-battery detector word: the threshold field as clamped, its volts text and the word.
struct LowBattery {
    int field = 0;
    QString volts;
    int word = 0;
};

} // namespace krv
