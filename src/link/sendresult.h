#pragma once

#include <QString>

namespace krv {

// How one command line ended, and the reply tails as they stood at that moment, so a caller
// never reads the reply of a command that ran after its own.
struct SendResult {
    enum class Outcome { Ok, ErrorEnding, Timeout, PortClosed };
    Outcome outcome = Outcome::PortClosed;
    QString Last7;
    QString Last15;
    QString Last100;

    bool ok() const { return outcome == Outcome::Ok; }
    // A reply arrived, with either ending.
    bool answered() const { return outcome == Outcome::Ok || outcome == Outcome::ErrorEnding; }
};

} // namespace krv
