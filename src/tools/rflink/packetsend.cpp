#include "packetsend.h"

#include "common/hextext.h"

#include <algorithm>
#include <cmath>

namespace krv::rflink {

namespace {
constexpr char16_t controlPictures = 0x2400;
constexpr char16_t deletePicture = 0x2421;

QString twoDigits(int byte) {
    return QString::number(byte & 0xFF, 16).toUpper().rightJustified(2, u'0');
}

// Typed text may hold any character: only the plain ASCII digits count, never another script's.
bool isAsciiHexDigit(QChar c) {
    return c.unicode() < 128 && hexDigit(char(c.unicode())) >= 0;
}
bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

QByteArray payloadBytes(const QString& hexText) {
    return hex2Ascii2Hex(hexText.toLatin1(), false).value_or(QByteArray());
}

QString packetSendCommand(const QByteArray& payload, bool withEndByte, const QString& endByte) {
    QString command = QStringLiteral("T14,");
    for (const char byte : payload)
        command += twoDigits(uchar(byte)) + u',';
    if (withEndByte)
        command += twoDigits(std::clamp(endByte.toInt(), 0, 255));
    return command;
}

int freeBytes(int limit, int characters, bool hexView) {
    const int free = limit - characters;
    if (!hexView)
        return free;
    return int(std::round(free / 2.0));
}

QString hexDigitsOnly(const QString& text) {
    QString digits;
    for (const QChar c : text) {
        if (isAsciiHexDigit(c))
            digits += c.toUpper();
    }
    return digits;
}

QString shownText(const QByteArray& bytes) {
    QString shown;
    shown.reserve(bytes.size());
    for (const char byte : bytes) {
        const uchar code = uchar(byte);
        if (code < 0x20)
            shown += QChar(char16_t(controlPictures + code));
        else if (code == 0x7F)
            shown += QChar(deletePicture);
        else
            shown += QChar(code);
    }
    return shown;
}

QByteArray textBytes(const QString& shown) {
    QByteArray bytes;
    bytes.reserve(shown.size());
    for (const QChar c : shown) {
        const char16_t code = c.unicode();
        if (code >= controlPictures && code < controlPictures + 0x20)
            bytes += char(code - controlPictures);
        else if (code == deletePicture)
            bytes += char(0x7F);
        else if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            bytes += '\n';
        else if (code < 0x100)
            bytes += char(code);
    }
    return bytes;
}

PayloadEdit limitedEdit(const QString& before, const QString& after, int limit) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before.at(prefix) == after.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    const qsizetype inserted = after.size() - prefix - suffix;
    const qsizetype room = std::max<qsizetype>(0, limit - (after.size() - inserted));
    const qsizetype kept = std::min(inserted, room);
    return {after.left(prefix + kept) + after.right(suffix), int(prefix + kept)};
}

QString digitBoxText(const QString& text, int caret, int maximum) {
    QString result = text;
    if (caret > 0 && caret <= result.size() && !isAsciiDigit(result.at(caret - 1)))
        result = result.left(caret - 1);
    // A paste can bring other characters in before the caret: the box keeps its digits only up
    // to the first of them.
    const auto other = std::find_if_not(result.cbegin(), result.cend(), isAsciiDigit);
    result.truncate(other - result.cbegin());
    bool ok = false;
    const qlonglong value = result.toLongLong(&ok);
    // Only digits remain, so a failed reading is a number too long for any maximum.
    if (maximum >= 0 && !result.isEmpty() && (!ok || value > maximum))
        result = QString::number(maximum);
    return result;
}

} // namespace krv::rflink
