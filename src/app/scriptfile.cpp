#include "scriptfile.h"

#include <QStringList>

namespace krv {

QString scriptFromFile(const QByteArray& bytes) {
    QString all = QString::fromLatin1(bytes);
    if (all.isEmpty())
        return {};
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    all.replace(u'\r', u'\n');
    QStringList lines = all.split(u'\n');
    if (all.endsWith(u'\n'))
        lines.removeLast();
    QString text;
    for (const QString& line : std::as_const(lines))
        text += line + u'\n';
    return text;
}

QByteArray scriptToFile(const QString& text) {
    if (text.isEmpty())
        return {};
    QString lines = text;
    if (!lines.endsWith(u'\n'))
        lines += u'\n';
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return lines.toLatin1();
}

QString scriptToLine(const QString& text) {
    QString line = text;
    line.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    if (line.endsWith(QStringLiteral("\r\n")))
        line.chop(1);
    return line;
}

} // namespace krv
