#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace krv::console {

// The SQL script a fresh register database is made from: schema and demonstration chips.
QString demoChipScript();

// The statements of a script, split at semicolons outside quotes and comments; blank
// statements and "--" comments are dropped.
QStringList sqlStatements(const QString& script);

// Runs every statement of the script in one transaction. Returns an empty text on success,
// else the database's description of the first failure (and nothing of the script stays).
QString runSqlScript(QSqlDatabase& db, const QString& script);

} // namespace krv::console
