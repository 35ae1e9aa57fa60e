#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace krv::console {

// A register set file as read: line 1 names the chip (not compared), line 2 holds the notes, and
// each further line an address and a value, split at the first comma (without a comma the value
// is empty) with every blank removed. A line left empty by that is no register line.
struct RegisterSetFile {
    // Kept as the file's single-byte text, at a byte a character: a set of long lines would
    // otherwise take twice the file.
    struct Value {
        QByteArray address;
        QByteArray value;
        qsizetype line = 0; // in the file, counted from 1
    };
    std::optional<QString> notes;
    QList<Value> values;
};
// Throws krv::Error 1227 for a file of more than fileBounds::ConsoleFileLines lines.
RegisterSetFile readRegisterSet(const QByteArray& file);

} // namespace krv::console
