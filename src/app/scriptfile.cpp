#include "scriptfile.h"

#include "common/boundedfile.h"
#include "common/latin1.h"
#include "common/textlines.h"

namespace krv {

QString scriptFromFile(const QByteArray& bytes) {
    QString text;
    // Every line end becomes one line break, and a last line without one gains one.
    text.reserve(bytes.size() + 1);
    qsizetype lines = 0;
    for (const QByteArrayView line : TextLines(bytes)) {
        if (++lines > fileBounds::TerminalScriptLines)
            throw tooManyLines(fileBounds::TerminalScriptLines);
        text += QLatin1StringView(line.data(), line.size());
        text += u'\n';
    }
    return text;
}

bool hasLineLongerThan(const QString& text, qsizetype length) {
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (end - start > length)
            return true;
        start = end + 1;
    }
    return false;
}

QString inPieces(const QString& text, qsizetype length) {
    QString pieces;
    pieces.reserve(text.size() + text.size() / length + 1);
    qsizetype run = 0;
    for (const QChar c : text) {
        if (c == u'\n') {
            run = 0;
        } else if (run == length) {
            pieces += u'\n';
            run = 1;
        } else {
            ++run;
        }
        pieces += c;
    }
    return pieces;
}

QByteArray scriptToFile(const QString& text) {
    if (text.isEmpty())
        return {};
    QString lines = text;
    if (!lines.endsWith(u'\n'))
        lines += u'\n';
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return checkedLatin1(lines, QStringLiteral("The script pane"), TextFor::File);
}

QString scriptToLine(const QString& text) {
    QString line = text;
    line.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    if (line.endsWith(QStringLiteral("\r\n")))
        line.chop(1);
    return line;
}

} // namespace krv
