#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QWidget;

namespace krv {

struct ReplyTails;

// The data selector's lock: who holds it and the entry in use when it was taken. It lives with
// the host, as the selector does: the link window is discarded and made anew by every board
// scan, and a lock taken before a lost board is released after the reconnect.
struct DataSelectorLock {
    int SavedDataMode = 0;
    QList<QPointer<const QObject>> holders;
};

// What the link needs of the window that holds the shared state (the main window): the reply
// tails, the status box, the monitor boxes, the data selector and the lost-board path.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    virtual ReplyTails& replyTails() = 0;
    virtual void setCommStatus(const QString& text) = 0;
    // Hands one raw character received on the board port (LF included) to the open link
    // windows' receive buffers; runs before the character's echo.
    virtual void characterToLinkBuffers(char) {}
    // Appends text received on the board port to every open monitor box.
    virtual void echoToMonitors(const QString& text) = 0;
    // Appends text received on the scan port to the terminal, when it is open.
    virtual void echoToTerminal(const QString& text) = 0;
    // The board port's device is gone: reset the board list and tell the user once.
    virtual void boardLost() = 0;
    // A step runs because a window or the program is closing, or a window is being left: it
    // only stops what ran, so a closed board port there is met without a message.
    virtual bool closingStep() const { return false; }
    virtual int loadBoardRev() const = 0;
    virtual QComboBox* dataSelector() = 0;
    virtual QWidget* dataSelectorLabel() = 0;
    virtual DataSelectorLock& dataSelectorLock() = 0;
};

} // namespace krv
