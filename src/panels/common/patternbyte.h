#pragma once

#include <QString>

namespace krv {

// Whether the character is a hexadecimal digit of either case; any other character, a letter
// beyond Latin included, is not.
bool isHexDigit(QChar c);

// The synchron pattern byte typed in hexadecimal, after a change: upper case, a whole
// hexadecimal text keeping its digits, or "D4" when it holds no value (except "0" and "00").
QString normalizedPattern(const QString& text);
// The pattern byte when its box is left: padded to two digits ("00" when empty).
QString paddedPattern(const QString& text);

} // namespace krv
