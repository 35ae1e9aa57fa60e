#pragma once

#include "personality.h"

#include <QByteArray>
#include <QtGlobal>

// The program reads reply fields at fixed positions of right-aligned tails of what it received
// (the last 7, 15 or 100 characters, counted from 1 at the tail's left). Each reply that carries
// data is therefore a block of fixed length ending in the success ending, so a field's position
// never depends on earlier traffic.
namespace krv::sim::replies {

// LF CR "OK" LF CR ">"
inline constexpr char okEnding[] = "\n\rOK\n\r>";
// The board writes "ERROR" LF CR ">"; its last 7 characters are the error ending.
inline constexpr char errorReply[] = "ERROR\n\r>";

QByteArray ok();
QByteArray error();

// 94 characters: the part of the last 100 that the board scan compares.
QByteArray banner(Personality personality);
// 15 characters: the byte as 2 hex digits at characters 6-7.
QByteArray statusByte(quint8 byte);
// 15 characters: a register transfer's two bytes as hex digits, the first at characters 4-5
// and the second at 6-7.
QByteArray registerWord(quint8 first, quint8 second);
// 15 characters: the interrupt line ("0" when pending) at characters 3 and 7.
QByteArray interruptLine(bool pending);
// 100 characters: 1023 - converterValue as a 16-bit number, high byte at characters 68-69 and
// low byte at characters 84-85.
QByteArray converterReading(int converterValue);

} // namespace krv::sim::replies
