#pragma once

// The wake-up timer, low duty cycle and low-battery arithmetic that the receiver and transceiver
// chips share; the word layouts of each chip stay with its panel.

#include <QString>

namespace krv::sleep {

// A typed number as a whole field value within [low, high], rounded half to even; a number
// that is no number at all counts as low.
int wholeField(double value, int low, int high);

// The wake-up period M * 2^(R - D) / xtal ms as shown, with its unit. The extended timer shows
// milliseconds ("ms") up to 999; the others start in seconds. Each larger unit ("sec", "min",
// "hrs", "days") is taken only above 999 ms, 600 s, 600 min and 60 h.
struct WakeUpTime {
    QString text;
    QString unit;
};
WakeUpTime wakeUpTime(int M, int R, int D, float xtal, bool milliseconds);
// The same period for a chip that shows it in milliseconds up to 999 and takes each larger unit
// ("sec", then "min", "hrs", "days") from 1000 ms, 60 s, 60 min and 24 h on.
WakeUpTime compactWakeUpTime(int M, int R, int D, float xtal);

// The wake-up timer for typed M, R and D, each clamped silently: M 0..255 and R 0..29, or with
// the extended timer M 0..16383, R 0..15 and D 0..3. The word is 0xE000 + R * 0x100 + the low
// byte of M; the extended timer adds its word "C3" and the byte D * 0x40 + bits 13..8 of M.
struct WakeUp {
    int m = 0;
    int r = 0;
    int d = 0;
    QString time;
    QString unit;
    int word = 0;
    QString extendedWord;
};
// maxR lowers the plain timer's exponent limit (the transmitters stop at 23).
WakeUp wakeUp(bool extended, double m, double r, double d, float xtal, int maxR = 29);

// The duty cycle (D * 2 + 1) / M in percent as shown, "100" when M is 0 or the cycle above 100.
QString dutyCycleText(int D, double m);

// The low duty cycle for a typed field: the field clamped to 0..127, the percentage for the
// wake-up multiplier m and the word base + 2 * field + enable.
struct DutyCycle {
    int field = 0;
    QString percent;
    int word = 0;
};
DutyCycle dutyCycle(int base, double typed, int enable, double m);

// The low-battery threshold in volts for a field, the threshold starting at offsetTenths / 10 V.
QString thresholdText(int field, int offsetTenths);
// A typed threshold text kept to 0 .. 5.3 V: "0" or "5.3" when clamped, else the text itself.
QString clampedThresholdText(const QString& text);
// The field a threshold text snaps to, before the field's own clamp; volts times ten is taken in
// single precision unless told otherwise.
int thresholdField(const QString& text, int offsetTenths, bool singlePrecision = true);

} // namespace krv::sleep
