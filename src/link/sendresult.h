#pragma once

#include <QString>

namespace krv {

// How one command line ended, and the reply tails as they stood at that moment, so a caller
// never reads the reply of a command that ran after its own.
struct SendResult {
    // Refused: the line holds text the board's line cannot carry; nothing of it was sent, and
    // the refusal has been shown.
    enum class Outcome { Ok, ErrorEnding, Timeout, PortClosed, Refused };
    Outcome outcome = Outcome::PortClosed;
    QString Last7;
    QString Last15;
    QString Last100;
    // The port was closed by the user (Disconnect, raw data mode), not by a lost board.
    bool closedByUser = false;

    bool ok() const { return outcome == Outcome::Ok; }
    // The port was closed (or closed during the wait): further lines of an operation would
    // only meet the closed port again.
    bool portClosed() const { return outcome == Outcome::PortClosed; }
    bool refused() const { return outcome == Outcome::Refused; }
    // The user ended the command by closing the port: no fault of the board's or the line's.
    bool endedByUser() const { return portClosed() && closedByUser; }
};

} // namespace krv
