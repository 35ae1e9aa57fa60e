#include "patternbyte.h"

#include "common/hextext.h"
#include "common/numbers.h"

namespace krv {

bool isHexDigit(QChar c) {
    return c.unicode() < 128 && hexDigit(char(c.unicode())) >= 0;
}

QString normalizedPattern(const QString& text) {
    if (text.isEmpty())
        return text;
    qsizetype digits = 0;
    while (digits < text.size() && isHexDigit(text[digits]))
        ++digits;
    const int n = digits == 0 ? 0 : text.left(digits).toInt(nullptr, 16);
    if (n == 0 && text != QStringLiteral("0") && text != QStringLiteral("00"))
        return QStringLiteral("D4");
    // A whole hexadecimal text keeps its digits, so a byte with a leading zero stays two digits.
    if (digits == text.size())
        return text.toUpper();
    return hexText(n);
}

QString paddedPattern(const QString& text) {
    if (text.isEmpty())
        return QStringLiteral("00");
    if (text.size() == 1)
        return QStringLiteral("0") + text;
    return text;
}

} // namespace krv
