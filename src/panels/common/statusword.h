#pragma once

#include <QString>

namespace krv {

// The status byte of a "RS" reply: characters 6 and 7 of the 15-character reply tail read as
// hexadecimal; a character that is not a hexadecimal digit ends the number, no digit gives 0.
int statusByte(const QString& last15);

// The AFC offset in frequency steps: the low `bits` bits of the second status byte as a two's
// complement number (5 bits: 16..31 are -16..-1).
int afcOffsetSteps(int statusByte, int bits);

} // namespace krv
