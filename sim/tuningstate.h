#pragma once

#include <QObject>
#include <QString>
#include <optional>

namespace krv::sim {

class BoardSimulator;

// The automatic antenna tuning of an HT531 behind the board, for tests of its test mode: once
// the arming word "D200" has been written, an automatic test word 0xD02k (bit 4 clear, bit 5
// set; the delta-sigma bit 7 either way) puts bit k of the tuning state on the interrupt line,
// and the next "RI" reports it ("1" for a set bit). The line goes back to what it was after
// that "RI".
class TuningState : public QObject {
    Q_OBJECT
public:
    explicit TuningState(BoardSimulator& board);

    void setState(int state) { state_ = state & 0xF; }
    int state() const { return state_; }

private:
    void lineReceived(const QString& line);

    BoardSimulator& board_;
    int state_ = 0;
    bool armed_ = false;
    std::optional<bool> savedPending_;
};

} // namespace krv::sim
