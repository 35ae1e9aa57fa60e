#pragma once

#include "commandtable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

namespace krv::sim {

class BoardSimulator;

// A chip that the register console talks to: registers addressed by a 7-bit address, read with
// "S2 aa00" and written with "S2 wadd" (wa = address + 80), and a FIFO reached either through
// a FIFO register or, while the nFFS line (board line 3) is low, with byte stream commands.
// What is written into the transmit FIFO comes back out of the receive FIFO.
class RegisterChip {
public:
    struct Register {
        int width = 8;
        quint16 value = 0;
    };

    // A demonstration chip of the register database's seed, its registers at their defaults;
    // nothing when the seed has no chip of that name.
    static std::optional<RegisterChip> demo(const QString& name);
    static QStringList demoNames();
    static QString defaultDemo() { return QStringLiteral("DEMO-REG"); }

    QString name;
    std::map<int, Register> registers;
    int txFifoAddress = -1; // -1: no transmit FIFO register
    int rxFifoAddress = -1;

    // A register's value (a 16-bit register's whole word); reading the receive FIFO's register
    // takes the next byte out of the FIFO. Unknown registers read 0.
    quint16 read(int address);
    // Writing the transmit FIFO's register puts the byte into the FIFO.
    void write(int address, quint8 value);
    void push(quint8 byte);
    // The next received byte; an empty FIFO gives 00.
    quint8 pop();
    // Each mask is XOR-ed onto one of the next bytes that enter the FIFO, in order.
    void flipBits(const QList<quint8>& masks) { flips_ += masks; }
    QList<quint8> fifo() const { return fifo_; }

private:
    QList<quint8> fifo_;
    QList<quint8> flips_;
};

// Teaches the board the register chip's commands; the board's other commands keep working.
void installRegisterChip(BoardSimulator& board, std::shared_ptr<RegisterChip> chip);

} // namespace krv::sim
