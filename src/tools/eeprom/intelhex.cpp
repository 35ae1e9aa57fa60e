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

// Why the line is no record, or nothing; `type` receives the record type of a good one.
std::optional<QString> recordProblem(const QByteArray& line, int& type) {
    if (!line.startsWith(':'))
        return QStringLiteral("does not begin with \":\"");
    QByteArray bytes;
    for (qsizetype i = 1; i < line.size(); i += 2) {
        const int high = hexDigit(line[i]);
        const int low = i + 1 < line.size() ? hexDigit(line[i + 1]) : 0;
        if (high < 0 || low < 0)
            return QStringLiteral("character %1 is not a hexadecimal digit")
                .arg(high < 0 ? i + 1 : i + 2);
        bytes.append(char(high * 16 + low));
    }
    if ((line.size() - 1) % 2 != 0)
        return QStringLiteral("odd number of hexadecimal digits (%1)").arg(line.size() - 1);
    if (bytes.size() < HeaderBytes + 1)
        return QStringLiteral("too short for a record (%1 bytes)").arg(bytes.size());
    const int count = quint8(bytes[0]);
    const qsizetype data = bytes.size() - HeaderBytes - 1;
    if (count != data)
        return QStringLiteral("byte count %1, but %2 data bytes").arg(hexText(count, 2)).arg(data);
    type = quint8(bytes[3]);
    if (type > LastType)
        return QStringLiteral("record type %1, expected 00 to 05").arg(hexText(type, 2));
    if (const int length = prescribedLength(type); length >= 0 && count != length)
        return QStringLiteral("record type %1 with %2 data bytes, expected %3")
            .arg(hexText(type, 2))
            .arg(count)
            .arg(length);
    int sum = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i)
        sum += quint8(bytes[i]);
    const int expected = (0x100 - sum % 0x100) % 0x100;
    const int checksum = quint8(bytes.back());
    if (checksum != expected)
        return QStringLiteral("checksum %1, expected %2")
            .arg(hexText(checksum, 2), hexText(expected, 2));
    return std::nullopt;
}

} // namespace

std::optional<QString> problem(const QByteArrayList& lines) {
    qsizetype endLine = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QString where = QStringLiteral("Line %1: ").arg(i + 1);
        if (endLine >= 0)
            return where +
                   QStringLiteral("a record after the end record of line %1").arg(endLine + 1);
        int type = -1;
        if (const std::optional<QString> fault = recordProblem(lines[i], type))
            return where + *fault;
        if (type == EndOfFile)
            endLine = i;
    }
    if (endLine < 0)
        return QStringLiteral("The file has no end record (:00000001FF).");
    return std::nullopt;
}

} // namespace krv::intelhex
