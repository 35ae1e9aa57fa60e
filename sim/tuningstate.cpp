#include "tuningstate.h"

#include "boardsimulator.h"

#include <QRegularExpression>

namespace krv::sim {

TuningState::TuningState(BoardSimulator& board) : QObject(&board), board_(board) {
    // A line's reply has been answered when the board reports it, so what is set here shows in
    // the replies of the lines that follow.
    connect(&board, &BoardSimulator::lineReceived, this, &TuningState::lineReceived);
}

void TuningState::lineReceived(const QString& received) {
    static const QRegularExpression word("^S2([0-9A-F]{4})$");
    const QString line = received.toUpper();
    if (line == QStringLiteral("RI")) {
        if (savedPending_)
            board_.setInterruptPending(*savedPending_);
        savedPending_.reset();
        return;
    }
    const QRegularExpressionMatch match = word.match(line);
    if (!match.hasMatch())
        return;
    const int value = match.captured(1).toInt(nullptr, 16);
    if (value == 0xD200) {
        armed_ = true;
        return;
    }
    if ((value & 0xFF00) != 0xD000) {
        armed_ = false;
        return;
    }
    const bool automatic = (value & 0x30) == 0x20;
    if (!armed_ || !automatic)
        return;
    const int k = value & 0xF;
    const bool bit = k < 4 && ((state_ >> k) & 1);
    if (!savedPending_)
        savedPending_ = board_.chip().interruptPending();
    board_.setInterruptPending(!bit);
}

} // namespace krv::sim
