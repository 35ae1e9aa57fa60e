#pragma once

#include "error.h"

#include <QByteArray>
#include <QString>

namespace krv {

// Bounds on the files the program reads, each far above any real file of its kind (a few KB),
// so that a stray large file is refused at once instead of holding up the window.
namespace fileBounds {
inline constexpr qint64 Configuration = 1 << 20;  // chip configurations, settings, workspace
inline constexpr qint64 TerminalScript = 2 << 20; // keeps room for a 1 MB script line
inline constexpr qint64 EepromImage = 64 << 10;   // *.asc: a whole 1024-byte image is 3 KB
inline constexpr qint64 Firmware = 16 << 20;      // *.hex: a full 64 KB memory is about 180 KB
// A file shown in a text box costs the box some 340 bytes a line whatever the line holds, so the
// files that are shown are bounded in lines as well: a megabyte of line ends would otherwise
// become a million lines. Real scripts and images have a few dozen lines (an image written one
// byte a line, 1026).
inline constexpr qsizetype TerminalScriptLines = 10000;
inline constexpr qsizetype EepromImageLines = 4096;
// The register console's register sets and batches keep every line they hold, and a batch is
// shown in a text box as well; a real one has a line for each of a chip's few hundred registers
// at most.
inline constexpr qsizetype ConsoleFileLines = 10000;
} // namespace fileBounds

// "1 MB", "64 KB", "300 bytes": a bound as the messages name it.
QString sizeText(qint64 bytes);

// Reads a whole file of a kind never larger than `bound` bytes. Only a regular file is read: a
// folder, a named pipe, a socket or a device is refused before it is opened, since opening or
// reading one can wait for ever or never end. A larger file is refused before a byte of it is
// read. Throws krv::Error: 53 "File not found", 76 "Path not found", 70 "Permission denied",
// 1228 "<path> is a folder, not a file" (a named pipe (FIFO), a socket, a device), 1227 "File
// larger than <bound>".
QByteArray readFileBounded(const QString& path, qint64 bound);

// The refusal of a file of more lines than a reader shows: 1227 "File longer than 10000 lines".
Error tooManyLines(qsizetype bound);

} // namespace krv
