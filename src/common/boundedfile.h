#pragma once

#include <QByteArray>
#include <QString>

namespace krv {

// Bounds on the files the program reads, each far above any real file of its kind (a few KB),
// so that a stray large file is refused at once instead of holding up the window.
namespace fileBounds {
inline constexpr qint64 Configuration = 1 << 20;  // chip configurations, settings, workspace
inline constexpr qint64 TerminalScript = 2 << 20; // keeps room for a 1 MB script line
inline constexpr qint64 EepromImage = 1 << 20;    // *.asc: a whole 1024-byte image is 3 KB
inline constexpr qint64 Firmware = 16 << 20;      // *.hex: a full 64 KB memory is about 180 KB
} // namespace fileBounds

// "1 MB", "64 KB", "300 bytes": a bound as the messages name it.
QString sizeText(qint64 bytes);

// Reads a whole file of a kind never larger than `bound` bytes. A larger file is refused before a
// byte of it is read. Throws krv::Error: 53 "File not found", 70 "Permission denied", 1227 "File
// larger than <bound>".
QByteArray readFileBounded(const QString& path, qint64 bound);

} // namespace krv
