#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace krv::sim {

class BoardSimulator;

// The 1024-byte serial EEPROM on the board's SPI bus: erased (all FF) at start, kept for the
// simulator's life. Write enable, status, page writes that wrap inside their 16-byte page, and
// reads from a set address onwards.
class SpiEeprom {
public:
    static constexpr int Size = 1024;
    static constexpr int PageSize = 16;

    SpiEeprom();

    // Test options: no EEPROM at all (status and data read 00), or a number of status polls
    // after each page write that still show the write in progress.
    void setPresent(bool present) { present_ = present; }
    void setBusyPolls(int polls) { busyPolls_ = polls; }

    quint8 byte(int address) const { return quint8(memory_[address % Size]); }
    QByteArray bytes(int address, int count) const;
    void setBytes(int address, const QByteArray& bytes);

    void setWriteEnable(bool on);
    // Bit 0 write in progress, bit 1 write enable latch.
    quint8 status();
    // False when the write is refused (latch clear or no EEPROM): nothing changes.
    bool writePage(int address, const QByteArray& data);
    void setReadAddress(int address) { readAddress_ = address % Size; }
    QByteArray readNext(int count);

private:
    QByteArray memory_;
    bool present_ = true;
    bool writeEnabled_ = false;
    int busyPolls_ = 0;
    int busyLeft_ = 0;
    int readAddress_ = 0;
};

// Teaches the board the EEPROM commands: "S106"/"S104" (latch on/off), "S20500" (status),
// "SX02,hh,ll,d1,...,dn" (page write), "WS03,hh,ll" with line 2 low (read address) and "RS16"
// (the next 16 bytes). The same letters with a chip's arguments stay the chip's.
void addEepromCommands(BoardSimulator& board, SpiEeprom& eeprom);

} // namespace krv::sim
