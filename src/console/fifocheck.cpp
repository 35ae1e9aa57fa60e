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
