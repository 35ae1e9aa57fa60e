#pragma once

#include <QString>

namespace krv {

// Rounding to a whole number everywhere in the program is half to even, so that values derived
// from the same text agree with what the chips' documentation tables give. A value beyond the
// range of long long gives the range's nearer end; NaN gives 0.
long long roundHalfEven(double value);

// The value of the number a text starts with: blanks skipped, an optional sign, digits, an
// optional point and fraction, an optional exponent. Parsing stops at the first character that
// cannot continue the number; a text without a number gives 0. The point is the only decimal
// separator, whatever the desktop's locale.
double leadingNumber(const QString& text);

// Whether the whole text (after leading blanks) is one number in the sense of leadingNumber.
bool isWholeNumber(const QString& text);

// Upper-case hexadecimal without leading zeros ("0" for zero); negative values are shown as
// their 32-bit two's complement, as the word boxes of the panels have always done.
QString hexText(long long value);

// Upper-case hexadecimal padded with zeros to at least `digits` characters.
QString hexText(long long value, int digits);

// The shortest decimal form of a number with a leading blank when it is not negative and a
// minus sign otherwise, without a leading zero before the point (" 2.5", "-3", " .5").
QString signedNumberText(double value);
// The same for a single-precision value: the shortest text that reads back as that float.
QString signedNumberText(float value);

// The shortest decimal form without a leading blank ("2.5", "3", "-0.25"); point separator.
QString plainNumberText(double value);
QString plainNumberText(float value);

} // namespace krv
