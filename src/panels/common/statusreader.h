#pragma once

#include "link/sendresult.h"
#include "link/transactionlock.h"

#include <QObject>
#include <optional>

class QColor;
class QLineEdit;
class QTimer;

namespace krv {

class ChipPanel;
class ISMmain;

// A chip panel's two board transactions, the status read and the interrupt poll, and the
// repetition of the status read behind Read Status. Each holds the main window's CommState
// from its start to its last step and advances one step per tick of its timer; a step's lines
// all return before the state moves on, and no step starts while another of the same timer
// still waits for its reply.
//
// A line that meets the closed board port ends the transaction at once: whoever closed it (a
// lost board, the user's Disconnect) has said what there was to say, and the lines still to
// come would each only fail again. The repetition stops with it, the AFC enable box and the
// update mark come back to what they were, and CommState is free.
//
// The panel's status line follows the last read: a reply that did not return well shows a
// communication fault, a read that returned whole takes back a fault shown before, and a read
// the user ended by closing the port (Disconnect, raw data mode) shows nothing.
class StatusReader : public QObject {
    Q_OBJECT
public:
    // The timers are created here, named as the panel names them.
    StatusReader(ChipPanel& panel, ISMmain& main);

    // The status read and the interrupt poll: each refuses, with its message, a closed port or
    // a CommState already held.
    void StartStatusRead();
    void startInterruptPoll();
    // The read mark's repetition (Read Status double-clicked, then every interval).
    void startRepeating();
    void stopRepeating();
    bool repeating() const;
    // The panel unloads: every timer stops and CommState is given back.
    void end();

    QTimer* statusTimer() const { return statusTimer_; }
    QTimer* pollTimer() const { return pollTimer_; }
    QTimer* repeatTimer() const { return repeatTimer_; }
    QTimer* markTimer() const { return markTimer_; }

private:
    bool refuse();
    // A line of a transaction; nullopt when the transaction ended during the wait (the panel
    // unloaded, the port found closed).
    std::optional<SendResult> line(const QString& text);
    void endAtClosedPort(const SendResult& result);
    void showFault();
    // The transaction's last step: a fault shown before it is taken back unless it showed one.
    void finish(QTimer* timer);

    void Timer3_Timer();
    void Timer1_Timer();
    void RepStatusReadTimer_Timer();
    void SRVisualTimer_Timer();
    void statusStep1();
    void statusStep2();
    void statusStep3();
    void statusStep100();
    void showStatusByte(int value, int firstBit);
    void setReadMark(bool on);

    ChipPanel& panel_;
    ISMmain& main_;
    QTimer* statusTimer_;
    QTimer* pollTimer_;
    QTimer* repeatTimer_;
    QTimer* markTimer_;
    TransactionHold hold_;
    bool statusStepRunning_ = false;
    bool pollStepRunning_ = false;
    bool SavedAfcEnable = false;
    bool SavedUpdateMark = false;
    bool faultShown_ = false;
    std::optional<SendResult> firstStatusReply_;
    std::optional<SendResult> secondStatusReply_;
    std::optional<SendResult> irqReply_;
};

// The colour of a lit indicator and of the read mark.
QColor litColour();
// The system's button-face colour, an indicator's when not lit.
QColor buttonFace();
// Gives the indicator box its back colour in every colour group, the disabled one too.
void paintIndicator(QLineEdit* box, const QColor& colour);
// How an indicator shows a bit: lit (yellow, enabled) or dark (button face, disabled).
void setIndicatorLit(QLineEdit* box, bool lit);

} // namespace krv
