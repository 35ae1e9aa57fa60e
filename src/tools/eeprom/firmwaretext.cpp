#include "firmwaretext.h"

#include "common/error.h"
#include "common/textlines.h"
#include "intelhex.h"

namespace krv::firmware {

QByteArray loaderText(const QByteArray& file) {
    // The loader writes whatever it is given into the board's program memory: every record is
    // checked as it is taken, and the first one at fault ends the reading.
    intelhex::FileCheck check;
    const auto invalid = [](const QString& problem) {
        return Error(errors::InvalidFileFormat,
                     QStringLiteral("Not an Intel HEX firmware file.\r\n") + problem);
    };
    QByteArray text;
    // Records ended by CR LF, as real files are, fit without the text ever moving.
    text.reserve(file.size() + 1);
    for (const QByteArrayView line : TextLines(file)) {
        if (const std::optional<QString> problem = check.take(line))
            throw invalid(*problem);
        if (line.isEmpty())
            continue;
        if (text.isEmpty())
            text += 'L';
        text += line;
        text += "\r\n";
    }
    if (text.isEmpty())
        throw Error(errors::EmptyFile, QStringLiteral("This is an empty file!"));
    if (const std::optional<QString> problem = check.finish())
        throw invalid(*problem);
    // The window keeps the text: a file of mostly empty lines keeps no room for them.
    text.squeeze();
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
