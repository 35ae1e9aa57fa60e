#include "scriptfile.h"

#include "common/boundedfile.h"
#include "common/latin1.h"
#include "common/textlines.h"

namespace krv {

QString scriptFromFile(const QByteArray& bytes) {
    QString text;
    // Every line end becomes one line break, and a last line without one gains one.
    text.reserve(bytes.size() + 1);
    for (const QByteArrayView line : TextLines(bytes, fileBounds::TerminalScriptLines)) {
        text += QLatin1StringView(line.data(), line.size());
        text += u'\n';
    }
    return text;
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
