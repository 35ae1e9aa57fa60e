#pragma once

#include <QString>
#include <QtGlobal>

// The factory test control bytes of the HR651 and HC913: byte #1 (word 0xD8nn) holds the
// delta-sigma switch-off (bit 7), the baseband gain (bit 6) and the tuning value (bits 5:0:
// source selector 5:4, data 3:0); byte #2 (word 0xDAnn) the digital test selector (7:3), the
// analog test selector (2:1) and the sensitive POR / PA test bit (0). No widgets here.
namespace krv::rflink::testbytes {

inline quint8 withBit(quint8 byte, int bit, bool on) {
    return on ? quint8(byte | (1 << bit)) : quint8(byte & ~(1 << bit));
}
inline quint8 withAnalogSelector(quint8 byte2, int selector) {
    return quint8((selector & 3) << 1 | (byte2 & 0xF9));
}
inline quint8 withDigitalSelector(quint8 byte2, int selector) {
    return quint8((selector & 0x1F) << 3 | (byte2 & 0x07));
}
inline quint8 withTuning(quint8 byte1, int value) {
    return quint8((byte1 & 0xC0) | (value & 0x3F));
}

// The selector value (bits 5:4 of the tuning value) of a tuning source entry: Normal Mode,
// GearBox, BaseBand filter, antenna circuit, PA status (read through the BaseBand selector).
int sourceSelector(int entry);

// The data box's text: always two upper-case hexadecimal digits.
QString twoDigits(int value);

// What the data box holds after the user typed `text` (hexadecimal digits only): the first digit
// is the source selector, held to 0..3; a lone digit is the selector with data 0; an empty box
// gives the chosen source's selector with data 0.
int tuningFromText(const QString& text, int chosenEntry);

} // namespace krv::rflink::testbytes
