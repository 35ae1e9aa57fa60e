#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace krv::console {

// What a batch line starting with "#" runs.
enum class Directive { None, FifoRead, FifoWrite, Refresh, StatusRead };
Directive directiveOf(const QString& line);
// The palette's directive words, in the order of its macro buttons.
QString directiveWord(Directive directive);

// The complete lines of a batch text, each with its CR (LFs dropped); what follows the last CR
// is not a line yet.
QStringList batchLines(const QString& text);

// A batch file's lines: "#BATCHNAME " and the name, then the batch's lines.
QStringList batchFileLines(const QString& name, const QString& text);

// A batch read from a file: the name (empty when the file has no name line) and the text, each
// line ended by CR LF. None for an empty file; throws krv::Error 1227 for a file of more than
// fileBounds::ConsoleFileLines lines, which the batch box would not show in time.
struct LoadedBatch {
    bool hasName = false;
    QString name;
    QString text;
};
std::optional<LoadedBatch> readBatch(const QByteArray& file);

} // namespace krv::console
