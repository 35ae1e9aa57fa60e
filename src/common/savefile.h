#pragma once

#include <QByteArray>
#include <QString>

namespace krv {

// Replaces the file by the bytes, whole or not at all: they go to a temporary file beside it,
// which takes the old file's place only once every byte is on the disk. Writes unbuffered and
// checks the outcome after the commit as well, since a buffered write that fills the disk can
// otherwise be committed as a success. Throws krv::Error: 76 when the file cannot be created,
// 61 "Disk full", 57 for any other failed write; the old file is then untouched.
void saveFileWhole(const QString& path, const QByteArray& bytes);

} // namespace krv
