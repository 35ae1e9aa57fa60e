#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace krv::intelhex {

// Whether the lines of a firmware file are Intel HEX firmware, checked one line at a time as the
// file is read. Every non-empty line must be ":" and an even number of hexadecimal digits whose
// byte count, record type (00 to 05, each with its own data length) and checksum agree, and
// exactly one end record must come last. A problem names the first line at fault ("Line 12:
// checksum 3A, expected 3B").
class FileCheck {
public:
    // The file's next line, without its line end: why it is no record, or nothing.
    std::optional<QString> take(QByteArrayView line);
    // After the last line: why the file is not whole, or nothing.
    std::optional<QString> finish() const;

private:
    qsizetype lines_ = 0;
    qsizetype endLine_ = 0; // the end record's line, counting from 1; 0 before it
};

} // namespace krv::intelhex
