#pragma once

#include <QByteArray>
#include <optional>

namespace krv {

// The value of one hexadecimal digit of either case, or -1 for any other character.
int hexDigit(char c);

// Converts between the two views of a payload: one character per byte, or two hexadecimal
// digits per byte. To hexadecimal always succeeds and writes upper case; from hexadecimal reads
// either case, a final odd digit alone, and fails (no result) on any pair that is not hexadecimal,
// so that a caller never shows half a conversion.
std::optional<QByteArray> hex2Ascii2Hex(const QByteArray& text, bool toHex);

} // namespace krv
