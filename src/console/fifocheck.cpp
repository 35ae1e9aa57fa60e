#include "fifocheck.h"

#include "common/textlines.h"
#include "registerbits.h"

#include <algorithm>

namespace krv::console {

int bitErrors(const QString& received, const QString& expected) {
    if (received.isEmpty() || expected.isEmpty())
        return 8;
    const QString r = hexToBinary(received);
    const QString x = hexToBinary(expected);
    int errors = 0;
    for (int k = 0; k < 8; ++k) {
        if (r[k] != x[k])
            ++errors;
    }
    return errors;
}

QString rateText(double rate) {
    return QString::asprintf("%.2E", rate);
}

void FifoCounters::count(qint64 packetErrors, qint64 bytes) {
    packets += 1;
    if (packetErrors > 0)
        lost += 1;
    errors += packetErrors;
    databits += 8 * bytes;
}

QString fifoAddressProblem(bool tx, const QString& chip, const QString& address) {
    const QString fifo = tx ? QStringLiteral("TX") : QStringLiteral("RX");
    const QString done = tx ? QStringLiteral("written") : QStringLiteral("read");
    if (address.trimmed().isEmpty())
        return QStringLiteral("The chip %1 has no %2 FIFO address in the register database "
                              "(column %3FifoAddress): its %2 FIFO cannot be %4. Nothing was %4.")
            .arg(chip, fifo, tx ? QStringLiteral("Tx") : QStringLiteral("Rx"), done);
    if (!isRegisterAddress(address))
        return QStringLiteral("The chip's %1 FIFO address \"%2\" has no %3 command: only the "
                              "addresses 00 to 7F can be %4. Nothing was %4.")
            .arg(fifo, address, tx ? QStringLiteral("write") : QStringLiteral("read"), done);
    return {};
}

QStringList fifoFileLines(const QStringList& values) {
    return QStringList{QStringLiteral("#FIFO")} + values;
}

FifoFile readFifoFile(const QByteArray& file, int size) {
    FifoFile fifo;
    qsizetype number = 0;
    for (const QByteArrayView line : TextLines(file)) {
        if (++number == 1)
            continue;
        if (fifo.loaded >= size) {
            fifo.surplus = true;
            break;
        }
        fifo.values.append(
            line == "Null" ? QString()
                           : QString::fromLatin1(line.first(std::min<qsizetype>(2, line.size()))));
        ++fifo.loaded;
    }
    while (fifo.values.size() < size)
        fifo.values.append(QString());
    return fifo;
}

} // namespace krv::console
