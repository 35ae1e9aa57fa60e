#include "consoletext.h"

namespace krv::console {

QString shortList(const QStringList& items, int shown) {
    if (items.size() <= shown)
        return items.join(QStringLiteral(", "));
    return items.mid(0, shown).join(QStringLiteral(", ")) +
           QStringLiteral(" and %1 more").arg(items.size() - shown);
}

QString printable(const QString& text, int length) {
    QString shown;
    for (qsizetype i = 0; i < text.size() && i < length; ++i) {
        const QChar c = text[i];
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x") +
                     QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            shown += c;
    }
    return text.size() > length ? shown + QStringLiteral("...") : shown;
}

} // namespace krv::console
