#pragma once

#include <QByteArray>
#include <QByteArrayList>

namespace krv {

// The lines of a text file, without their line ends: a line ends at CR LF, at a lone CR or at a
// lone LF; the last line needs no end, and a file that ends with a line end has no empty line
// after it.
QByteArrayList textLines(const QByteArray& file);

} // namespace krv
