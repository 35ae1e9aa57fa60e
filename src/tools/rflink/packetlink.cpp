#include "packetlink.h"

#include "common/numbers.h"

#include <QRegularExpression>
#include <cmath>

namespace krv::rflink {

namespace {
const QByteArray reportHeader("\n\rReceived packet: ");
// "Received packet: NN bytes: " puts the data 27 characters after the header's "R".
constexpr int lengthOffset = 17;
constexpr int dataOffset = 27;
} // namespace

QByteArray okEnding() {
    return QByteArray("\n\rOK\n\r>");
}

QString clampedNumberText(const QString& text, int minimum, int maximum) {
    static const QRegularExpression plain(QStringLiteral("^[0-9]+$"));
    if (plain.match(text).hasMatch()) {
        bool ok = false;
        const long long value = text.toLongLong(&ok);
        if (ok && value >= minimum && value <= maximum)
            return text;
    }
    const double value = leadingNumber(text);
    const double clamped = std::clamp(std::nearbyint(value), double(minimum), double(maximum));
    return QString::number(qint64(clamped));
}

QString receiveCommand(int loadBoardRev, EndCondition condition, const QString& eop,
                       const QString& pl, bool suffix) {
    static const char* const board1[] = {"F1,", "F2,", "F3,"};
    static const char* const board2[] = {"F11,", "F12,", "F13,"};
    const int index = int(condition);
    QString prefix;
    if (loadBoardRev == 2)
        prefix = QString::fromLatin1(board2[index]);
    else if (loadBoardRev == 1)
        prefix = QString::fromLatin1(board1[index]);
    return prefix + eop + u',' + pl + (suffix ? QStringLiteral(",1") : QString());
}

bool receiverSuffix(int loadBoardRev, long rev) {
    return loadBoardRev == 2 || (loadBoardRev == 1 && rev == 0);
}

FifoWords receiverFifoWords(long panelWord, long rev) {
    FifoWords words;
    words.off = (panelWord & 0xFFFC) | (rev == 1 ? 1 : 0);
    words.on = words.off | 3;
    return words;
}

QString hexWord(long word) {
    return QString::number(word, 16).toUpper();
}

QStringList statusReadSequence() {
    return {QStringLiteral("H2"), QStringLiteral("L2"), QStringLiteral("L0"),
            QStringLiteral("RS"), QStringLiteral("RS"), QStringLiteral("H2")};
}

ReportReader::Result ReportReader::take(QByteArray& buffer) {
    const QByteArray ending = okEnding();
    if (!buffer.endsWith(ending))
        return Result::Waiting;
    const qsizetype header = buffer.lastIndexOf(reportHeader);
    if (header < 0) {
        buffer.clear();
        return Result::Dropped;
    }
    const qsizetype start = header + 2; // the "R"
    const QByteArray field = buffer.mid(start + lengthOffset, 2);
    const bool decimal =
        field.size() == 2 && std::isdigit(uchar(field[0])) && std::isdigit(uchar(field[1]));
    if (!decimal) {
        buffer.clear();
        return Result::Dropped;
    }
    const int length = field.toInt();
    const qsizetype end = start + dataOffset + length;
    // An OK ending inside the data: the report goes on.
    if (buffer.size() < end + ending.size())
        return Result::Waiting;
    if (buffer.mid(end, ending.size()) != ending) {
        buffer.clear();
        return Result::Dropped;
    }
    data_ = buffer.mid(start + dataOffset, length);
    buffer.clear();
    return Result::Packet;
}

bool dropAcknowledgements(QByteArray& buffer) {
    const qsizetype at = buffer.lastIndexOf(okEnding());
    if (at < 0)
        return false;
    buffer.remove(0, at + okEnding().size());
    return true;
}

} // namespace krv::rflink
