#pragma once

#include "common/boundedfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace krv::console {

// The console's text files: one dialog step, one line reader, one writer.

// Asks for a text file. Empty when the user cancelled; a bare name gets ".txt"; a name with
// another extension throws error 1225. A save asks before replacing an existing file.
QString askTextFile(QWidget* parent, const QString& title, bool forSaving);

// The largest console file read: register sets, window setups, batches and FIFO contents are a
// few KB at most (a 4095-byte FIFO takes 16 KB).
inline constexpr qint64 textFileBound = fileBounds::Configuration;

// The file's bytes, for one of the console's readers (readRegisterSet, readWindowSetup,
// readBatch, readFifoFile). A file larger than textFileBound is refused before it is read.
// Throws krv::Error.
QByteArray readTextFile(const QString& path);
// Every line followed by CR LF, single-byte text; the old file stays whole when the save fails
// (throws krv::Error). A character that single-byte text cannot hold writes nothing: the refusal
// (1229) names the line, the file's first lines by `lineNames`.
void writeTextLines(const QString& path, const QStringList& lines,
                    const QStringList& lineNames = {});

// Runs a file command and shows its failure the console's way: the wrong extension as "File type
// not supported!", anything else as "Error occured:" with the saving or loading advice.
void runFileCommand(bool saving, const std::function<void()>& command);

} // namespace krv::console
