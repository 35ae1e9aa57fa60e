#pragma once

#include "receiverchip.h"

#include <QList>
#include <QString>

namespace krv::receiver {

// The wake-up timer after its boxes were left: fields as clamped, the period text with its
// unit and the words (the extended word only on the HR658).
struct WakeUp {
    int m = 0;
    int r = 0;
    int d = 0;
    QString time;
    QString unit;
    int word = 0;
    QString extendedWord;
};
WakeUp wakeUp(Chip chip, double m, double r, double d, float xtal);

// The low duty cycle: field as clamped, the percentage text and the word.
struct DutyCycle {
    int field = 0;
    QString percent;
    int word = 0;
};
DutyCycle dutyCycle(double typed, int enable, double m);

// The low-battery detector and clock divider word: threshold field as clamped, its volts text.
struct LowBattery {
    int field = 0;
    QString volts;
    int word = 0;
};
LowBattery lowBattery(Chip chip, double typed, int clockDivider, int clock32k);
// The threshold field text for a typed voltage text ("3.14" gives "9" on the HR651) and the
// voltage text after the 0..5.3 clamp.
struct Threshold {
    QString voltsText;
    QString fieldText;
};
Threshold thresholdFromVolts(Chip chip, const QString& voltsText);

} // namespace krv::receiver
