#include "consoletext.h"

#include "common/numbers.h"

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
            shown += QStringLiteral("\\x") + hexText(c.unicode(), 2);
        else
            shown += c;
    }
    return text.size() > length ? shown + QStringLiteral("...") : shown;
}

} // namespace krv::console
