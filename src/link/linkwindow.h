#pragma once

#include "commport.h"
#include "sendresult.h"

#include <QDeadlineTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace krv {

class LinkHost;

// The invisible link window: the scan port MSComm1, the board port MSComm2, the send-and-wait
// procedure and the data selector lock. Only one command line is ever outstanding on the board
// port; a send that starts while another waits is held until that one has ended.
class LinkWindow : public QObject {
    Q_OBJECT
public:
    explicit LinkWindow(LinkHost& host, QObject* parent = nullptr);
    ~LinkWindow() override;

    // Writes the line to the board port and waits, processing events, until the reply has
    // ended or the reply timer gave up. A line holding several CRs is sent as that many
    // commands, each waiting for its own reply; the result is the last one's. The commands
    // stop at the first that finds the port closed.
    //
    // A send that finds the port closed shows the closed-port message, unless the board was
    // lost since the user last acted (a key, a click): such a send belongs to an operation
    // that was running when the board went, the lost-board message has told the user already,
    // and the send ends quietly with the port-closed outcome. So does a send of a step that runs
    // because a window or the program is closing.
    //
    // A line holding a character the board's line cannot carry (outside Latin-1) is refused
    // whole before anything is sent: one message names `holder`, what holds the line, and the
    // outcome is Refused.
    SendResult Send_To_LoadBoard(const QString& line, const QString& holder = QString());

    // The board port is closed because the board was lost or the user disconnected it, and the
    // user has not acted since: an operation that meets the closed port now stops without a
    // message of its own.
    bool lostQuietly() const { return lossGeneration_ > userGeneration_; }
    // The user's Disconnect: the board port closes, every command waiting ends as port-closed,
    // and the operations that were running end quietly. A lost board takes the same close.
    void closeBoardPort();
    // The switch to raw data mode: the same close, with `line` the last the board receives
    // before the port closes. The waiting command never sees a reply, so the reply timer, which
    // would close and reopen the port behind the user, is stopped before the line goes out.
    void closeBoardPortAfter(const QByteArray& line);
    // Whether an operation that meets the closed port says so: not after a loss already
    // reported, and never in a step that runs because a window or the program is closing.
    bool closedPortMessageDue() const;

    // The data selector is locked on its first entry while anyone holds it: a panel whose
    // data latch or FIFO is in use, an open CW link window. A holder counts once however often
    // it takes its hold; the selector is freed when the last holder lets go (or is gone). The
    // lock's state is the host's (LinkHost::dataSelectorLock).
    void DisableDataSelector(const QObject* holder);
    void EnableDataSelector(const QObject* holder);
    void GetUSBLocationsByDriver();
    QString GetThisUSBLocationByDriver() const;
    // Holds the transmit line of the bridge at `location` low for 0.1 s; 0 on success.
    int IssueBreakByDriver(const QString& location);

    CommPort* MSComm1; // scan port
    CommPort* MSComm2; // board port
    int ComFlag = 0;
    // The scan port's own tails.
    QString Last7;
    QString Last100;
    QStringList LoadBoardLocations;
    int LoadBoardLocationCount = 0;
    QTimer* Timer1;

    // Closes both ports and ends every wait, as discarding the window does.
    void shutdown();

    // The program is quitting: a command still waiting at the deadline, and every command after
    // it, ends as timed out at once, so that a board that does not answer never holds it up.
    void giveUpAt(const QDeadlineTimer& deadline) { giveUpAt_ = deadline; }

    // Whether a command is waiting for its reply (or queued behind one).
    bool isBusy() const { return !queue_.isEmpty(); }

    static constexpr int WaitLimit = 10;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pending {
        QString line;
        bool done = false;
        SendResult result;
    };

    SendResult sendOne(const QString& command);
    void startNext();
    void finishFront(SendResult::Outcome outcome, bool closedByUser = false);
    void Timer1_Timer();
    void MSComm2_OnComm(char c);
    void MSComm1_OnComm(char c);
    void boardGone();
    void endWaitsQuietly(bool closedByUser);
    void lockDataSelector();
    void releaseDataSelector();
    void showDataSelectorTip(const QString& tip);

    LinkHost& host_;
    QList<Pending*> queue_;
    int WaitTicks = 0;
    int WaitFlag = 0;
    // Counts lost boards; userGeneration_ catches up with it at the user's next key or click.
    int lossGeneration_ = 0;
    int userGeneration_ = 0;
    bool inLostPath_ = false;
    // The board port was last closed by the user, not by a lost board.
    bool closedByUser_ = false;
    QDeadlineTimer giveUpAt_{QDeadlineTimer::Forever};
};

} // namespace krv
