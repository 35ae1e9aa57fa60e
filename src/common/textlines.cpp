#include "textlines.h"

namespace krv {

QByteArrayList textLines(const QByteArray& file) {
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype end = start;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n')
            ++end;
        lines.append(file.mid(start, end - start));
        if (end + 1 < file.size() && file[end] == '\r' && file[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

} // namespace krv
