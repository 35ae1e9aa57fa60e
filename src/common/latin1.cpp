#include "latin1.h"

namespace krv {

QString NonLatin1::describe(bool withLine) const {
    const QString point = QStringLiteral("%1").arg(uint(code), 4, 16, QChar(u'0')).toUpper();
    const QString shown = QStringLiteral("\"%1\" (U+%2)").arg(character, point);
    return withLine ? shown + QStringLiteral(" in line %1, character %2").arg(line).arg(column)
                    : shown + QStringLiteral(" at character %1").arg(column);
}

std::optional<NonLatin1> firstNonLatin1(QStringView text) {
    qsizetype line = 1;
    qsizetype column = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            column = 1;
            continue;
        }
        if (c.unicode() > 0xFF) {
            const bool pair =
                c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
            NonLatin1 found;
            found.character = text.mid(i, pair ? 2 : 1).toString();
            found.code = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
            found.line = line;
            found.column = column;
            return found;
        }
        ++column;
    }
    return std::nullopt;
}

} // namespace krv
