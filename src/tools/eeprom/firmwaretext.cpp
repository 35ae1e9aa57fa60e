#include "firmwaretext.h"

#include "common/error.h"
#include "common/textlines.h"
#include "intelhex.h"

namespace krv::firmware {

QByteArray loaderText(const QByteArray& file) {
    const QByteArrayList lines = textLines(file);
    QByteArray text;
    for (const QByteArray& line : lines) {
        if (!line.isEmpty())
            text += (text.isEmpty() ? "L" : "") + line + "\r\n";
    }
    if (text.isEmpty())
        throw Error(errors::EmptyFile, QStringLiteral("This is an empty file!"));
    // The loader writes whatever it is given into the board's program memory.
    if (const std::optional<QString> problem = intelhex::problem(lines))
        throw Error(errors::InvalidFileFormat,
                    QStringLiteral("Not an Intel HEX firmware file.\r\n") + *problem);
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
