#include "spieeprom.h"

#include "boardsimulator.h"
#include "replies.h"

#include <QRegularExpression>

namespace krv::sim {

SpiEeprom::SpiEeprom() : memory_(Size, char(0xFF)) {}

QByteArray SpiEeprom::bytes(int address, int count) const {
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(memory_[(address + i) % Size]);
    return out;
}

void SpiEeprom::setBytes(int address, const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i)
        memory_[(address + i) % Size] = bytes[i];
}

void SpiEeprom::setWriteEnable(bool on) {
    writeEnabled_ = on && present_;
}

quint8 SpiEeprom::status() {
    if (!present_)
        return 0;
    quint8 value = writeEnabled_ ? 2 : 0;
    if (busyLeft_ > 0) {
        --busyLeft_;
        value |= 1;
    }
    return value;
}

bool SpiEeprom::writePage(int address, const QByteArray& data) {
    if (!present_ || !writeEnabled_)
        return false;
    const int page = address / PageSize * PageSize;
    int offset = address % PageSize;
    for (const char byte : data) {
        memory_[(page + offset) % Size] = byte;
        offset = (offset + 1) % PageSize;
    }
    writeEnabled_ = false;
    busyLeft_ = busyPolls_;
    return true;
}

QByteArray SpiEeprom::readNext(int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i) {
        out.append(present_ ? memory_[readAddress_] : char(0));
        readAddress_ = (readAddress_ + 1) % Size;
    }
    return out;
}

namespace {

std::optional<QList<int>> hexFields(const QString& text) {
    static const QRegularExpression field("^[0-9A-Fa-f]{2}$");
    QList<int> values;
    for (const QString& part : text.split(u',')) {
        if (!field.match(part).hasMatch())
            return std::nullopt;
        values.append(part.toInt(nullptr, 16));
    }
    return values;
}

QByteArray sixteenReply(const QByteArray& bytes) {
    QByteArray text = "\r\n";
    for (const char byte : bytes)
        text += QByteArray::number(uchar(byte), 16).rightJustified(2, '0') + ' ';
    return text + replies::ok();
}

} // namespace

void addEepromCommands(BoardSimulator& board, SpiEeprom& eeprom) {
    // "S106" and "S20500" are also a chip's power-setting and word writes: the chip sees them too.
    board.addCommand("S106", [&board, &eeprom](const QString& argument) -> Reply {
        if (!argument.isEmpty())
            return replies::error();
        eeprom.setWriteEnable(true);
        board.chip().write("S1 06");
        return replies::ok();
    });
    board.addCommand("S104", [&board, &eeprom](const QString& argument) -> Reply {
        if (!argument.isEmpty())
            return replies::error();
        eeprom.setWriteEnable(false);
        board.chip().write("S1 04");
        return replies::ok();
    });
    board.addCommand("S20500", [&board, &eeprom](const QString& argument) -> Reply {
        if (!argument.isEmpty())
            return replies::error();
        board.chip().write("S2 0500");
        return replies::statusByte(eeprom.status());
    });
    board.addCommand("SX02", [&eeprom](const QString& argument) -> Reply {
        const std::optional<QList<int>> fields =
            argument.startsWith(u',') ? hexFields(argument.mid(1)) : std::nullopt;
        if (!fields || fields->size() < 3 || fields->size() > 2 + SpiEeprom::PageSize)
            return replies::error();
        QByteArray data;
        for (qsizetype i = 2; i < fields->size(); ++i)
            data.append(char(fields->at(i)));
        eeprom.writePage(fields->at(0) * 256 + fields->at(1), data);
        return replies::ok();
    });
    board.addCommand("WS03", [&board, &eeprom](const QString& argument) -> Reply {
        if (!argument.startsWith(u',')) {
            // The chip's own byte write of 03 and more bytes.
            static const QRegularExpression digits("^([0-9A-Fa-f]{2})*$");
            if (!digits.match(argument).hasMatch())
                return replies::error();
            board.chip().write("WS 03" + argument);
            return replies::ok();
        }
        const std::optional<QList<int>> fields = hexFields(argument.mid(1));
        if (!fields || fields->size() != 2 || board.lineState(2) != "L")
            return replies::error();
        eeprom.setReadAddress(fields->at(0) * 256 + fields->at(1));
        return replies::ok();
    });
    board.addCommand("RS16", [&board, &eeprom](const QString& argument) -> Reply {
        if (!argument.isEmpty() || board.lineState(2) != "L")
            return replies::error();
        return sixteenReply(eeprom.readNext(SpiEeprom::PageSize));
    });
}

} // namespace krv::sim
