#include "ascfile.h"

#include "common/boundedfile.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/textlines.h"

#include <algorithm>

namespace krv::asc {

namespace {
constexpr char stx = '\x02';
constexpr char etx = '\x03';

// C0 and C1 controls and DEL of Latin-1 text, but for the line ends and TAB.
bool isControl(char c) {
    const auto u = quint8(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || (u >= 0x7F && u < 0xA0);
}

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
} // namespace

QByteArray defaultPreamble() {
    return QByteArray(1, stx) + " $A00000000,\r\n";
}

Image read(const QByteArray& file) {
    Image image;
    QByteArray& text = image.loaded;
    for (const QByteArrayView line : TextLines(file, fileBounds::EepromImageLines)) {
        text += line;
        text += "\r\n";
    }
    if (text.isEmpty())
        throw Error(errors::EmptyFile, QStringLiteral("This is an empty file!"));
    if (file[0] != stx)
        throw Error(errors::InvalidFileFormat,
                    QStringLiteral("Not an EEPROM image file: it does not begin with STX (0x02)."));
    // The header ends two characters after the first comma, at the LF of its line.
    qsizetype position = 1;
    while (text[position - 1] != ',' && position < text.size())
        ++position;
    if (position < text.size())
        position += 2;
    image.preamble = text.left(position);
    const QByteArrayView rest = QByteArrayView(text).sliced(position);
    const QByteArray endLine = QByteArray(1, etx) + "\r\n";
    qsizetype length = 0;
    if (rest == endLine)
        length = 0;
    else if (rest.endsWith(QByteArray("\r\n") + endLine))
        length = rest.size() - 5;
    else if (rest.size() >= 2)
        length = rest.size() - 2;
    else
        throw Error(5, QStringLiteral("Invalid procedure call or argument"));
    // Text between the digits carries no meaning, but a control character means the file is no
    // image text at all (another encoding, binary data), whatever digits it may hold. The header
    // line is saved back as it was read, so it is held to the same rule: only its leading STX and
    // the end mark cut from the text are no text.
    const QByteArrayView kept = QByteArrayView(text).sliced(1, position - 1 + length);
    const auto control = std::find_if(kept.cbegin(), kept.cend(), isControl);
    if (control != kept.cend()) {
        const auto lineOf = [&kept](auto at) { return std::count(kept.cbegin(), at, '\n') + 1; };
        // An ETX opening a line is the end mark, followed by what the file may not hold there.
        if (*control == etx && (control == kept.cbegin() || control[-1] == '\n')) {
            const auto after = std::find_if(control + 1, kept.cend(), isControl);
            if (after == kept.cend())
                throw Error(errors::InvalidFileFormat,
                            QStringLiteral("Not an EEPROM image file: more follows the end mark "
                                           "ETX (0x03) in line %1.")
                                .arg(lineOf(control)));
            throw Error(errors::InvalidFileFormat,
                        QStringLiteral("Not an EEPROM image file: line %1 holds the control "
                                       "character 0x%2 after the end mark ETX (0x03).")
                            .arg(lineOf(after))
                            .arg(hexText(quint8(*after), 2)));
        }
        throw Error(errors::InvalidFileFormat,
                    QStringLiteral("Not an EEPROM image file: line %1 holds the control "
                                   "character 0x%2.")
                        .arg(lineOf(control))
                        .arg(hexText(quint8(*control), 2)));
    }
    image.worksheet = text.mid(position, length);
    return image;
}

QByteArray write(const QByteArray& preamble, const QByteArray& worksheet) {
    return preamble + worksheet + "\r\n" + QByteArray(1, etx);
}

qsizetype hexDigitCount(QStringView text) {
    qsizetype count = 0;
    for (const QChar c : text)
        count += c.unicode() < 0x80 && isHexDigit(char(c.unicode())) ? 1 : 0;
    return count;
}

QString sizeText(qsizetype digits) {
    const QString bytes = digits % 2 == 0 ? QString::number(digits / 2)
                                          : QString::number(digits / 2) + QStringLiteral(".5");
    return bytes + QStringLiteral(" byte");
}

} // namespace krv::asc
