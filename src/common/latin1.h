#pragma once

#include "error.h"

#include <QByteArray>
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

// Where the bytes of a text go: what the refusal says cannot hold it.
enum class TextFor { File, Board };

// The refusal of a text that its destination cannot hold, krv::Error 1229, the one wording for
// every file and every line to the board: `holder` names what holds the text (a field, a pane,
// a line of a batch), `what` is what in it cannot be held ("a double quote", a described
// character). A text of one line is quoted (its start when long); the refusal ends with what was
// left undone ("Nothing was saved." / "Nothing was sent.").
Error unheldText(QStringView text, const QString& holder, const QString& what, TextFor use);

// The refusal of the text when it holds a character outside Latin-1, or nothing.
std::optional<Error> latin1Refusal(QStringView text, const QString& holder, TextFor use);

// The text's single-byte bytes; throws the refusal (latin1Refusal) when a character cannot be
// held, so that nothing is written or sent in place of it.
QByteArray checkedLatin1(QStringView text, const QString& holder, TextFor use);

} // namespace krv
