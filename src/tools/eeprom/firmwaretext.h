#pragma once

#include <QByteArray>

namespace krv::firmware {

// The firmware text as the loader takes it: "L" and the first record, then every further
// record, each ended by CR LF; empty lines are left out. A line ends at CR LF, CR or LF. Throws
// krv::Error 1222 for a file without a record, and errors::InvalidFileFormat naming the first
// line at fault for a file that is no Intel HEX firmware.
QByteArray loaderText(const QByteArray& file);

// The record starting at `position`: one line of the text with its CR LF (or the rest of the
// text when it has no line end left); `position` moves past it. Empty when the text is used up.
QByteArray takeRecord(const QByteArray& text, qsizetype& position);

} // namespace krv::firmware
