#pragma once

#include "link/sendresult.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

namespace krv {
class ISMmain;
}

namespace krv::rflink {

// What every link tool window does with the board: single command lines through the board
// link, the port check with its message, and a guard against the window going away while one
// of its sends waits.
class LinkTool {
public:
    LinkTool(ISMmain& main, QWidget* window) : main_(main), window_(window) {}

    ISMmain& main() const { return main_; }
    bool portOpen() const;
    // "Commport not available, please open commport!" with the exclamation icon; nothing while
    // the board's loss is unanswered by the user or in a closing step.
    void refuseClosedPort() const;
    // Sends the line with its ending; false when the window was unloaded meanwhile, after which
    // the caller must not touch it.
    bool send(const QString& line, const QString& ending = QStringLiteral("\r")) const;
    bool sendAll(const QStringList& lines) const;
    // Sends the line with CR and gives its outcome; nullopt when the window was unloaded.
    std::optional<SendResult> exchange(const QString& line) const;
    // The board port is open and no command is waiting for its reply: a timer step may send.
    bool readyForStep() const;
    // Runs `idle` when the board is lost, before the lost-board message: what the window had
    // armed on that board is gone, and the window must show so without sending anything.
    void onBoardLost(std::function<void()> idle) const;
    // The width in twips of the window of that name when it is loaded (0 otherwise).
    int formWidth(const QString& name) const;
    // ComFlag of the last send.
    int comFlag() const;

private:
    ISMmain& main_;
    QPointer<QWidget> window_;
};

} // namespace krv::rflink
