#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace krv::eventimage {

// Seven events, one 128-byte slot of the EEPROM each.
inline constexpr int EventCount = 7;
inline constexpr int SlotDigits = 256;
inline constexpr int ImageDigits = EventCount * SlotDigits;

using Routines = std::array<QByteArray, EventCount>;

enum class LogColour { Blue, Red, Green, Black };

struct LogLine {
    QString text;
    LogColour colour;
};

struct Generated {
    // The image digits; empty when a routine could not be placed in its slot.
    QByteArray image;
    bool refused = false;
    // The routines after empty ones got their sleep command.
    Routines routines;
    std::array<bool, EventCount> noFunction{};
    QList<LogLine> log;
};

// Builds the image from the seven routines: each routine padded with "0" digits to its slot.
// A routine that does not fit its slot or holds anything but hexadecimal digits gets an error
// line, and no image is built, since it would shift or corrupt the slots after it.
Generated generate(Routines routines, const std::array<bool, EventCount>& appendSleepIfEmpty,
                   const std::array<QString, EventCount>& captions);

// The text as byte text: pairs separated by a blank, a line break after every `perLine` bytes,
// and the last byte always followed by its separator.
QByteArray formatEEPROMText(const QByteArray& text, int perLine);

// The image text of a worksheet (CR, LF and blanks dropped) and the routines it holds, slot by
// slot: at most seven, and a last partial slot too.
struct Split {
    QByteArray image;
    QList<QByteArray> routines;
};
Split split(const QByteArray& worksheet);

// The routine cut after the payload of its last data transmit command; the whole routine when
// fewer than two hexadecimal digits follow that command's "C6", or when it has none.
QByteArray cutAfterLastTransmit(const QByteArray& routine);

// How many fill bytes complete a routine of that length to 252 digits.
int fillCount(qsizetype routineLength);

// Every hexadecimal digit of the text, in order, upper-cased.
QByteArray hexOnlyUpper(const QByteArray& text);
bool isHexText(const QByteArray& text);

// "C6", the payload's byte count in two digits, the payload digits; nothing when the payload
// has an odd digit count, other characters, or more bytes than one count byte can say.
enum class TransmitError { None, OddOrNotHex, TooLong };
struct Transmit {
    QByteArray command;
    TransmitError error = TransmitError::None;
};
Transmit dataTransmitCommand(const QByteArray& hexPayload);

// One period of the PN9 sequence with its closing 0 bit: 128 lower-case digits.
QByteArray pn9Digits();

// A half-byte count as the payload label shows it ("96", "12.5").
QString halfText(int digits);

} // namespace krv::eventimage
