#pragma once

// The HT531 test word and the read-back of its automatic antenna tuning state.

#include <QString>
#include <QStringList>

namespace krv::testmode {

// 0xD000 + delta-sigma off (bit 7) + 0x20 + manual tuning (bit 4) + the tuning state 0..15.
int testWord(bool deltaSigma, bool manual, int state);

// The tuning state typed into its box: a whole number kept to 0..15 (no number counts as 0).
int typedState(const QString& text);

// The read of the automatic tuning state. After the arming word "D200" the chip shows bit k of
// its tuning state on its interrupt line once test state k has been written, so the read
// writes the states 0 to 3 in turn and asks for the line ("ri") after each.
class TuningRead {
public:
    // The lines that begin a read from the word of test state 0: the arming word and that word.
    QStringList begin(int baseWord);

    // One tick of the read, numbered 1 .. 8. `level` is the level that the last "ri" reported
    // (character 7 of its reply); only the exact "1" counts as a set bit.
    struct Step {
        QString line;  // the command to send, without its ending; empty when none
        QString shown; // what the state box shows from now on
        bool finished = false;
    };
    Step tick(const QString& level);

    int step() const { return step_; }
    bool running() const { return step_ >= 1 && step_ <= 8; }
    int value() const { return value_; }
    void stop() { step_ = 0; }

private:
    int step_ = 0;
    int value_ = 0;
    int word_ = 0;
};

} // namespace krv::testmode
