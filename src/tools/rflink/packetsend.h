#pragma once

#include <QByteArray>
#include <QString>

// The transceiver link test's payload: its two views, the packet command and the editing rules
// of its boxes. No widgets here.
namespace krv::rflink {

// The bytes of a hexadecimal payload text; a lone last digit is a byte of its own ("ABC" gives
// AB 0C). The text holds hexadecimal digits only (the view's editing keeps it so).
QByteArray payloadBytes(const QString& hexText);

// "T14," and each byte as two digits followed by ",", then the end byte's two digits when
// given (an empty end box counts as 0).
QString packetSendCommand(const QByteArray& payload, bool withEndByte, const QString& endByte);

// The free bytes the heading shows: in the hexadecimal view half the free digits, a half
// rounded away from zero.
int freeBytes(int limit, int characters, bool hexView);

// The hexadecimal view's text: hexadecimal digits only, upper case.
QString hexDigitsOnly(const QString& text);

// The text view shows one character per byte; control bytes appear as their visible symbols
// (so a CR in the payload stays a CR and never becomes a line break), and what the user types
// is read back the same way. Characters that are no byte are dropped.
QString shownText(const QByteArray& bytes);
QByteArray textBytes(const QString& shown);

// The user's edit of a payload text: `before` became `after` by typing, pasting or deleting.
// Of the inserted characters only as many stay as fit the length limit (text the window put in
// beyond the limit stays); `caret` is where the kept insertion ends.
struct PayloadEdit {
    QString text;
    int caret = 0;
};
PayloadEdit limitedEdit(const QString& before, const QString& after, int limit);

// A digit box: when the character left of the caret is not an ASCII digit, it and everything
// after it go, as does anything from the first other character a paste brought in; then a value
// above `maximum` becomes the maximum (no limit when maximum < 0).
QString digitBoxText(const QString& text, int caret, int maximum);

} // namespace krv::rflink
