#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace krv::programmer {

inline constexpr int EepromBytes = 1024;
inline constexpr int PageBytes = 16;
inline constexpr int ReportedDifferences = 16;

// Every hexadecimal digit of the worksheet in order, case kept.
QByteArray imageDigits(QStringView worksheet);

// Why an image cannot be programmed, or nothing when it can.
std::optional<QString> imageProblem(const QByteArray& digits);

// "SX02,hh,ll" and `count` byte fields of the image starting at `address`.
QString pageCommand(const QByteArray& digits, int address, int count);

// The status byte of a status reply: characters 6 and 7 of the last 15, 0 when unreadable.
int statusByte(const QString& last15);
// "0x" and the status byte in upper-case hexadecimal without leading zeros.
QString statusText(int status);

// The 16 bytes of an "RS16" reply: the 48 characters before the 7-character ending, byte k at
// characters 3k-2 and 3k-1 of the last 55.
QByteArray sixteenBytes(const QString& last100);

// The read-back as byte text: 32 bytes to a line, no line break after the last line.
QByteArray formatReadBack(const QByteArray& buffer);

// The verify report, empty when every byte of the image matches the read-back; case does not
// count. It names the first ReportedDifferences differing bytes, then how many differ in all.
QString compareReport(const QByteArray& imageDigits, const QByteArray& readBack);

} // namespace krv::programmer
