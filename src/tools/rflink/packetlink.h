#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The packet-receive exchange with the load board: the receive command built from the
// end-of-packet settings, the FIFO words and command sequences around arming, and the cutting
// of what the board sends back into packets. No widgets here.
namespace krv::rflink {

enum class EndCondition { EopOrLength, EopOnly, LengthOnly };

// A number box's text after its range rule: a plain decimal integer inside the range stays as
// typed ("013" is sent as 013); anything else becomes its leading numeric value, rounded half to
// even and clamped, as plain decimal text ("abc" -> "0", "300" -> "255", "-5" -> "0").
QString clampedNumberText(const QString& text, int minimum, int maximum);

// The receive command without its CR: the generation's prefix ("F1,", "F11," ...; none for
// another board), the end byte text, ",", the length text, and ",1" when `suffix` is set.
QString receiveCommand(int loadBoardRev, EndCondition condition, const QString& eop,
                       const QString& pl, bool suffix);

// Whether the receiver link tests append ",1": always on board 2.x, on board 1.x for a chip
// revision 'E' or below (rev 0).
bool receiverSuffix(int loadBoardRev, long rev);

struct FifoWords {
    long off = 0; // synchron latch off (and, from revision 'F', FIFO mode on)
    long on = 0;  // both on
};
FifoWords receiverFifoWords(long panelWord, long rev);

// Upper-case hexadecimal without leading zeros.
QString hexWord(long word);

// The status read that the arming sends between the first FIFO word and the receive command.
QStringList statusReadSequence();

// Reads the board 2.x "Received packet" report from the raw bytes a link window received.
// Call after each byte; when the bytes end with the OK ending, the buffer is consumed: a
// complete report yields its data, anything else (an acknowledgement, a report whose length
// is not a number or whose data does not match it) is dropped.
class ReportReader {
public:
    enum class Result { Waiting, Dropped, Packet };
    Result take(QByteArray& buffer);
    // The data of the last packet taken.
    const QByteArray& data() const { return data_; }

private:
    QByteArray data_;
};

// Board 1.x: every acknowledgement in the raw bytes removes itself and what came before it;
// what follows the last one is the packet being received. True when something was removed.
bool dropAcknowledgements(QByteArray& buffer);

// The raw OK ending as it arrives: LF CR "OK" LF CR ">".
QByteArray okEnding();

} // namespace krv::rflink
