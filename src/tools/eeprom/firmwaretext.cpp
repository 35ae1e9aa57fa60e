#include "firmwaretext.h"

#include "common/error.h"

namespace krv::firmware {

QByteArray loaderText(const QByteArray& file) {
    QByteArray text;
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype end = start;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n')
            ++end;
        text += (text.isEmpty() ? "L" : "") + file.mid(start, end - start) + "\r\n";
        if (end + 1 < file.size() && file[end] == '\r' && file[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    if (text.isEmpty())
        throw Error(errors::EmptyFile, QStringLiteral("This is an empty file!"));
    return text;
}

QByteArray takeRecord(const QByteArray& text, qsizetype& position) {
    const qsizetype end = text.indexOf("\r\n", position);
    const qsizetype stop = end < 0 ? text.size() : end + 2;
    const QByteArray record = text.mid(position, stop - position);
    position = stop;
    return record;
}

} // namespace krv::firmware
