#include "ascfile.h"

#include "common/error.h"

namespace krv::asc {

namespace {
constexpr char stx = '\x02';
constexpr char etx = '\x03';

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
} // namespace

QByteArray defaultPreamble() {
    return QByteArray(1, stx) + " $A00000000,\r\n";
}

Image read(const QByteArray& file) {
    Image image;
    qsizetype start = 0;
    while (start < file.size()) {
        qsizetype end = start;
        while (end < file.size() && file[end] != '\r' && file[end] != '\n')
            ++end;
        image.loaded += file.mid(start, end - start) + "\r\n";
        if (end < file.size() && file[end] == '\r' && end + 1 < file.size() &&
            file[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    if (image.loaded.isEmpty())
        throw Error(errors::EmptyFile, QStringLiteral("This is an empty file!"));
    const QByteArray& text = image.loaded;
    // The header ends two characters after the first comma, at the LF of its line.
    qsizetype position = 1;
    while (text[position - 1] != ',' && position < text.size())
        ++position;
    if (position < text.size())
        position += 2;
    image.preamble = text.left(position);
    QByteArray rest = text.mid(position);
    const QByteArray endLine = QByteArray(1, etx) + "\r\n";
    if (rest == endLine)
        rest.clear();
    else if (rest.endsWith("\r\n" + endLine))
        rest.chop(5);
    else if (rest.size() >= 2)
        rest.chop(2);
    else
        throw Error(5, QStringLiteral("Invalid procedure call or argument"));
    image.worksheet = rest;
    return image;
}

QByteArray write(const QByteArray& preamble, const QByteArray& worksheet) {
    return preamble + worksheet + "\r\n" + QByteArray(1, etx);
}

qsizetype hexDigitCount(const QByteArray& text) {
    qsizetype count = 0;
    for (const char c : text)
        count += isHexDigit(c) ? 1 : 0;
    return count;
}

QString sizeText(qsizetype digits) {
    const QString bytes = digits % 2 == 0 ? QString::number(digits / 2)
                                          : QString::number(digits / 2) + QStringLiteral(".5");
    return bytes + QStringLiteral(" byte");
}

} // namespace krv::asc
