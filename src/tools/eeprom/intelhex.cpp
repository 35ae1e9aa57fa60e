#include "intelhex.h"

#include "common/hextext.h"
#include "common/numbers.h"

namespace krv::intelhex {

namespace {

constexpr int EndOfFile = 0x01;
constexpr int LastType = 0x05;
constexpr int HeaderBytes = 4; // byte count, address high and low, record type

// The data length a record type prescribes, or -1 when any length will do.
int prescribedLength(int type) {
    switch (type) {
    case EndOfFile:
        return 0;
    case 0x02:
    case 0x04:
        return 2;
    case 0x03:
    case 0x05:
        return 4;
    default:
        return -1;
    }
}

// Why the line is no record, or nothing; `type` receives the record type of a good one. The
// bytes are taken from the digits where they stand, so a long line costs no copy of itself.
std::optional<QString> recordProblem(QByteArrayView line, int& type) {
    if (!line.startsWith(':'))
        return QStringLiteral("does not begin with \":\"");
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (hexDigit(line[i]) < 0)
            return QStringLiteral("character %1 is not a hexadecimal digit").arg(i + 1);
    }
    const qsizetype digits = line.size() - 1;
    if (digits % 2 != 0)
        return QStringLiteral("odd number of hexadecimal digits (%1)").arg(digits);
    const qsizetype bytes = digits / 2;
    if (bytes < HeaderBytes + 1)
        return QStringLiteral("too short for a record (%1 bytes)").arg(bytes);
    const auto byteAt = [line](qsizetype k) {
        return hexDigit(line[1 + 2 * k]) * 16 + hexDigit(line[2 + 2 * k]);
    };
    const int count = byteAt(0);
    const qsizetype data = bytes - HeaderBytes - 1;
    if (count != data)
        return QStringLiteral("byte count %1, but %2 data bytes").arg(hexText(count, 2)).arg(data);
    type = byteAt(3);
    if (type > LastType)
        return QStringLiteral("record type %1, expected 00 to 05").arg(hexText(type, 2));
    if (const int length = prescribedLength(type); length >= 0 && count != length)
        return QStringLiteral("record type %1 with %2 data bytes, expected %3")
            .arg(hexText(type, 2))
            .arg(count)
            .arg(length);
    int sum = 0;
    for (qsizetype k = 0; k + 1 < bytes; ++k)
        sum = (sum + byteAt(k)) % 0x100;
    const int expected = (0x100 - sum) % 0x100;
    const int checksum = byteAt(bytes - 1);
    if (checksum != expected)
        return QStringLiteral("checksum %1, expected %2")
            .arg(hexText(checksum, 2), hexText(expected, 2));
    return std::nullopt;
}

} // namespace

std::optional<QString> FileCheck::take(QByteArrayView line) {
    ++lines_;
    if (line.isEmpty())
        return std::nullopt;
    const QString where = QStringLiteral("Line %1: ").arg(lines_);
    if (endLine_ > 0)
        return where + QStringLiteral("a record after the end record of line %1").arg(endLine_);
    int type = -1;
    if (const std::optional<QString> fault = recordProblem(line, type))
        return where + *fault;
    if (type == EndOfFile)
        endLine_ = lines_;
    return std::nullopt;
}

std::optional<QString> FileCheck::finish() const {
    if (endLine_ == 0)
        return QStringLiteral("The file has no end record (:00000001FF).");
    return std::nullopt;
}

} // namespace krv::intelhex
