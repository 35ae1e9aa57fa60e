#include "replies.h"

#include <initializer_list>
#include <utility>

namespace krv::sim::replies {

namespace {

using Field = std::pair<int, QByteArray>;

// A block of `length` characters that ends in the success ending, with each field placed at its
// position (from 1) and spaces elsewhere.
QByteArray block(int length, std::initializer_list<Field> fields) {
    const QByteArray ending(okEnding);
    QByteArray text(length - ending.size(), ' ');
    for (const auto& [position, field] : fields) {
        Q_ASSERT(position - 1 + field.size() <= text.size());
        text.replace(position - 1, field.size(), field);
    }
    return text + ending;
}

QByteArray hexByte(int byte) {
    return QByteArray::number(byte & 0xFF, 16).rightJustified(2, '0').toUpper();
}

} // namespace

QByteArray ok() {
    return okEnding;
}

QByteArray error() {
    return errorReply;
}

QByteArray banner(Personality personality) {
    constexpr int length = 94;
    switch (personality) {
    case Personality::Board1:
        return block(length, {{1, "\r\n"},
                              {3, "Korvanethilmorasquendaplix"},
                              {29, " Ver "},
                              {34, "1.42"},
                              {39, "load board 1.x, serial"},
                              {86, "\r\n"}});
    case Personality::Board2:
        return block(length, {{1, "\r\n"},
                              {3, "Korvanethilmorasquendaplix"},
                              {29, " Ver "},
                              {34, "2.30"},
                              {39, "load board 2.x, USB"},
                              {86, "\r\n"}});
    case Personality::Monitor:
        return block(
            length,
            {{1, "\r\n"}, {5, "Zibor Demo Monitor"}, {23, " V. "}, {27, "1.20"}, {86, "\r\n"}});
    case Personality::Loader:
        return block(length, {{1, "\r\n"}, {5, "LoadBoard Loader"}, {22, "V 1.05"}, {86, "\r\n"}});
    }
    Q_UNREACHABLE();
}

QByteArray statusByte(quint8 byte) {
    return block(15, {{1, "\r\nRS"}, {6, hexByte(byte)}});
}

QByteArray registerWord(quint8 first, quint8 second) {
    return block(15, {{1, "\r\nS"}, {4, hexByte(first)}, {6, hexByte(second)}});
}

QByteArray interruptLine(bool pending) {
    const QByteArray level = pending ? "0" : "1";
    return block(15, {{1, "\r\n"}, {3, level}, {4, " RI"}, {7, level}});
}

QByteArray converterReading(int converterValue) {
    const int number = (1023 - converterValue) & 0xFFFF;
    return block(100, {{1, "\r\nCurrent converter"},
                       {58, "high byte "},
                       {68, hexByte(number >> 8)},
                       {75, "low byte "},
                       {84, hexByte(number)},
                       {87, "\r\n"}});
}

} // namespace krv::sim::replies
