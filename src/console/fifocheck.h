#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace krv::console {

// The bits in which a received byte differs from the expected one, compared as HexToBinary
// characters: a non-hexadecimal digit differs from every bit, a missing expected byte (or a
// byte that never arrived) counts all eight.
int bitErrors(const QString& received, const QString& expected);

// A rate as the FIFO counters show it: "1.56E-02".
QString rateText(double rate);

// The FIFO counters, read from and written back to their boxes.
struct FifoCounters {
    qint64 packets = 0;
    qint64 lost = 0;
    qint64 errors = 0;
    qint64 databits = 0;
    // One read packet of `bytes` bytes with `bitErrors` errors in it.
    void count(qint64 packetErrors, qint64 bytes);
};

// Why the register path cannot reach the chip's TX FIFO (`tx`) or RX FIFO through its FIFO
// register address, in a sentence for the user; empty when it can.
QString fifoAddressProblem(bool tx, const QString& chip, const QString& address);

// A FIFO content file: "#FIFO", then one value a line (an empty value an empty line).
QStringList fifoFileLines(const QStringList& values);
// The values of a FIFO content file for a FIFO of `size` bytes: the first two characters of
// each line after the first, "Null" read as empty; `loaded` is how many lines there were for
// the FIFO and `surplus` whether lines were left over. Lines past those are not read.
struct FifoFile {
    QStringList values;
    int loaded = 0;
    bool surplus = false;
};
FifoFile readFifoFile(const QByteArray& file, int size);

} // namespace krv::console
