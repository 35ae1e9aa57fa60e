#pragma once

#include <QByteArray>
#include <QString>

namespace krv {

// Terminal scripts: single-byte text, one command line a line, lines ended by CR LF. The
// script pane shows them with plain line breaks.

// The pane's text for a file's bytes: every line followed by a line break. Throws krv::Error
// 1227 for a file of more lines than the pane shows (fileBounds::TerminalScriptLines).
QString scriptFromFile(const QByteArray& bytes);
// The file's bytes for the pane's text: lines ended by CR LF, the last one included, without
// adding an empty line when the text already ends with a line break (an empty pane saves an
// empty file). Throws krv::Error 1229 naming the script pane for a character outside Latin-1.
QByteArray scriptToFile(const QString& text);
// The line sent to the board: lines separated by CR LF as they stand. A final line break
// sends its CR only, since a lone LF after it would be a command that never gets a reply.
QString scriptToLine(const QString& text);

} // namespace krv
