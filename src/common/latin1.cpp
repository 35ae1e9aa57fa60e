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

namespace {

// The text's first line, without its line break.
QStringView firstLine(QStringView text) {
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    return text.left(end);
}

// Whether the text holds more than one line (a line ended by its line break is one).
bool severalLines(QStringView text) {
    qsizetype next = firstLine(text).size();
    if (next < text.size() && text[next] == u'\r' && next + 1 < text.size() &&
        text[next + 1] == u'\n')
        ++next;
    return next + 1 < text.size();
}

} // namespace

Error unheldText(QStringView text, const QString& holder, const QString& what, TextFor use) {
    // A long text of several lines is named by its holder alone: `what` tells the line.
    constexpr qsizetype shown = 40;
    QString subject = holder.isEmpty() ? QStringLiteral("The text") : holder;
    if (const bool several = severalLines(text); text.size() <= shown || !several) {
        QStringView line = several ? text : firstLine(text);
        while (line.endsWith(u'\r') || line.endsWith(u'\n'))
            line.chop(1);
        const QString quoted =
            u'"' +
            (line.size() > shown ? line.left(shown).toString() + QStringLiteral("...")
                                 : line.toString()) +
            u'"';
        subject +=
            (holder.isEmpty() ? QStringLiteral(" ") : QStringLiteral(": the text ")) + quoted;
    }
    const QString ending =
        use == TextFor::File
            ? QStringLiteral(", which the file cannot hold. Nothing was saved.")
            : QStringLiteral(", which the board's line cannot carry. Nothing was sent.");
    return Error(errors::TextNotWritable, subject + QStringLiteral(" holds ") + what + ending);
}

std::optional<Error> latin1Refusal(QStringView text, const QString& holder, TextFor use) {
    const std::optional<NonLatin1> found = firstNonLatin1(text);
    if (!found)
        return std::nullopt;
    return unheldText(text, holder,
                      found->describe(severalLines(text)) +
                          QStringLiteral(" (single-byte Latin-1 text only)"),
                      use);
}

QByteArray checkedLatin1(QStringView text, const QString& holder, TextFor use) {
    if (std::optional<Error> refusal = latin1Refusal(text, holder, use))
        throw *refusal;
    return text.toLatin1();
}

} // namespace krv
