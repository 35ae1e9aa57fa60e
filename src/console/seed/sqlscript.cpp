#include "sqlscript.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace krv::console {

QString demoChipScript() {
    QFile file(QStringLiteral(":/console/demo_chips.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList sqlStatements(const QString& script) {
    QStringList statements;
    QString current;
    QChar quote;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == u'-' && script.mid(i, 2) == QStringLiteral("--")) {
            while (i < script.size() && script[i] != u'\n')
                ++i;
            current += u'\n';
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            current += c;
        } else if (c == u';') {
            if (!current.trimmed().isEmpty())
                statements.append(current.trimmed());
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

QString runSqlScript(QSqlDatabase& db, const QString& script) {
    if (!db.transaction())
        return db.lastError().text();
    for (const QString& statement : sqlStatements(script)) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            const QString failure = query.lastError().text();
            db.rollback();
            return failure.isEmpty() ? QStringLiteral("The script could not be run.") : failure;
        }
    }
    if (!db.commit())
        return db.lastError().text();
    return {};
}

} // namespace krv::console
