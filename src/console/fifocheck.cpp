#include "fifocheck.h"

#include "registerbits.h"

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

FifoFile fifoFromLines(const QStringList& lines, int size) {
    FifoFile file;
    for (int i = 0; i < size; ++i) {
        const qsizetype line = i + 1;
        if (line < lines.size()) {
            const QString value =
                lines[line] == QStringLiteral("Null") ? QString() : lines[line].left(2);
            file.values.append(value);
            ++file.loaded;
        } else {
            file.values.append(QString());
        }
    }
    file.surplus = lines.size() > size + 1;
    return file;
}

} // namespace krv::console
