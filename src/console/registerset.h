#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace krv::console {

// A register set file as read: line 1 names the chip (not compared), line 2 holds the notes, and
// each further line an address and a value, split at the first comma (without a comma the value
// is empty) with every blank removed. A line left empty by that is no register line.
struct RegisterSetFile {
    struct Value {
        QString address;
        QString value;
        qsizetype line = 0; // in the file, counted from 1
    };
    std::optional<QString> notes;
    QList<Value> values;
};
RegisterSetFile registerSetFromLines(const QStringList& lines);

} // namespace krv::console
