#pragma once

#include <QByteArray>
#include <QString>

namespace krv::asc {

// STX " $A00000000," CR LF: the header line of an image file.
QByteArray defaultPreamble();

struct Image {
    QByteArray preamble;  // the file's header line with its line end
    QByteArray worksheet; // the byte text between header and end mark
    QByteArray loaded;    // the whole file, every line ended by CR LF
};

// Reads an image file. A line ends at CR LF, CR or LF. Only an end-mark line (ETX) and the line
// break before it are cut from the text, else the final line break; so a file without an end
// mark keeps its last byte. Throws krv::Error for an empty file, a file of more lines than the
// worksheet shows (fileBounds::EepromImageLines), a file without text after its
// header line, and (errors::InvalidFileFormat) a file that does not begin with STX or that holds,
// in its header line or its text, a control character other than CR, LF and TAB.
Image read(const QByteArray& file);

// The file: the header line, the worksheet text, CR LF and ETX.
QByteArray write(const QByteArray& preamble, const QByteArray& worksheet);

// How many hexadecimal digits the text holds.
qsizetype hexDigitCount(QStringView text);
// The size label: half the digit count and " byte" ("896 byte", "1.5 byte").
QString sizeText(qsizetype digits);

} // namespace krv::asc
