#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace krv {

// The outcome of checking a typed supply voltage for the board in use.
struct SupplyVoltageCheck {
    QString voltage;        // the text the box shows afterwards, e.g. "2.4"
    QStringList statusLine; // the messages in the order they were written; the last one stays
};

// Rounds the typed voltage to one decimal and clamps it to 2.2 V .. 5.4 V (board 1.x) or
// 5 V (board 2.x); a text that is not a plain decimal number is reported and still used.
SupplyVoltageCheck checkSupplyVoltage(const QString& typed, int loadBoardRev);

// The current converter's reading from the reply of "AD": the high byte at characters 68-69
// and the low byte at 84-85 (counted from 1) of the last 100 characters, reading = 1023 - raw.
// Nothing when those characters are not hexadecimal or the reading is outside 0..1023.
std::optional<int> converterReading(const QString& last100);

// The milliampere value of a reading, rounded half to even to one decimal.
double milliamps(int reading);
// The microampere value of a reading, unrounded.
double microamps(int reading);
// The shortest decimal text of a current (at most 15 significant digits).
QString currentText(double value);

} // namespace krv
