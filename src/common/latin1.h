#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace krv {

// A character that single-byte (Latin-1) text cannot hold, and where it stands. The board's
// command lines and the program's files carry Latin-1 only; converting such a character would
// put "?" in its place without a word.
struct NonLatin1 {
    QString character; // as shown; a character outside the basic plane stays whole
    char32_t code = 0;
    qsizetype line = 1;   // counting from 1; a line ends at CR LF, CR or LF
    qsizetype column = 1; // counting from 1, in characters

    // "\"€\" (U+20AC) at character 5" or, with the line, "... in line 3, character 5".
    QString describe(bool withLine) const;
};

// The first character of the text outside Latin-1, or nothing when the whole text is Latin-1.
std::optional<NonLatin1> firstNonLatin1(QStringView text);

} // namespace krv
