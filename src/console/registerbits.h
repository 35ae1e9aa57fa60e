#pragma once

#include <QColor>
#include <QString>

namespace krv::console {

// The console's colour code: a bit box shows its bit, a value box whether it was edited since
// the chip last saw it, a batch name whether the batch runs.
namespace colours {
inline const QColor One{255, 128, 0};
inline const QColor Blue{0, 192, 192};
inline const QColor nodata{192, 192, 192};
inline const QColor LightGray{224, 224, 224};
// Zero is the text boxes' own background, taken from the application's palette.
QColor zero();
} // namespace colours

// The first two characters of a text as eight bit characters, most significant first: each
// hexadecimal digit (either case) gives four "0"/"1", anything else (or nothing) "....".
QString hexToBinary(const QString& hex);
// A work row's BinaryValue: the eight bit characters in two groups of four ("0011 1111").
QString binaryValue(const QString& hex);
// "00" in front and the last two characters kept: "5" -> "05", "123" -> "23".
QString lastTwo(const QString& text);

// One or two hexadecimal digits.
bool isHexValue(const QString& value);

// Whether an address has the console's register command forms: two hexadecimal digits from
// 00 to 7F, since bit 7 of the address byte is the write flag.
bool isRegisterAddress(const QString& address);

// "S2 ", the address, "00", CR: the register read. The value comes back at characters 6-7 of
// the last 15 received, a 16-bit register's high byte at 4-5.
QString registerReadLine(const QString& address);

// The register write of an address and a value, or why there is none.
struct RegisterWrite {
    QString line;    // "S2 ", address with bit 7 set, two value digits, CR; empty on error
    QString value;   // the value as written: one digit padded to two
    QString problem; // a sentence for the user when there is no write
    bool ok() const { return problem.isEmpty(); }
};
RegisterWrite registerWrite(const QString& address, const QString& value);

} // namespace krv::console
