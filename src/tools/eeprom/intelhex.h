#pragma once

#include <QByteArrayList>
#include <QString>
#include <optional>

namespace krv::intelhex {

// Why the lines of a firmware file are no Intel HEX firmware, naming the first line at fault
// ("Line 12: checksum 3A, expected 3B"), or nothing when they are. Every non-empty line must be
// ":" and an even number of hexadecimal digits whose byte count, record type (00 to 05, each
// with its own data length) and checksum agree, and exactly one end record must come last.
std::optional<QString> problem(const QByteArrayList& lines);

} // namespace krv::intelhex
