#include "linkwindow.h"

#include "common/dialogs.h"
#include "common/error.h"
#include "common/latin1.h"
#include "linkhost.h"
#include "replytails.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace krv {

namespace {
const QString freeTip = QStringLiteral("Please Select the FSK raw data mode!");
const QString lockTip = QStringLiteral("Please disable the FIFO mode or the CW Link Setup!");
constexpr int maxListedBridges = 15;

// A command ends at its CR; an LF right after the CR belongs to it (lines ended by CR LF).
QStringList splitCommands(const QString& line) {
    QStringList commands;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) != u'\r')
            continue;
        if (i + 1 < line.size() && line.at(i + 1) == u'\n')
            ++i;
        commands.append(line.mid(start, i - start + 1));
        start = i + 1;
    }
    if (start < line.size() || commands.isEmpty())
        commands.append(line.mid(start));
    return commands;
}

QString echoOf(char c) {
    return c == '\r' ? QStringLiteral("\r\n") : QString(QChar(uchar(c)));
}
} // namespace

LinkWindow::LinkWindow(LinkHost& host, QObject* parent)
    : QObject(parent), MSComm1(new CommPort(this)), MSComm2(new CommPort(this)),
      Timer1(new QTimer(this)), host_(host) {
    setObjectName(QStringLiteral("connect"));
    MSComm1->setObjectName(QStringLiteral("MSComm1"));
    MSComm2->setObjectName(QStringLiteral("MSComm2"));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    MSComm1->setSettings(QStringLiteral("19200,N,8,1"));
    MSComm1->setCommPort(1);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &LinkWindow::Timer1_Timer);
    connect(MSComm2, &CommPort::characterReceived, this, &LinkWindow::MSComm2_OnComm);
    connect(MSComm1, &CommPort::characterReceived, this, &LinkWindow::MSComm1_OnComm);
    connect(MSComm2, &CommPort::vanished, this, &LinkWindow::boardGone);
    QCoreApplication::instance()->installEventFilter(this);
}

bool LinkWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        if (!inLostPath_)
            userGeneration_ = lossGeneration_;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

LinkWindow::~LinkWindow() {
    shutdown();
}

void LinkWindow::shutdown() {
    Timer1->stop();
    // Waits still on the stack end as if the port had closed; their callers check for us.
    const QList<Pending*> waiting = queue_;
    queue_.clear();
    for (Pending* p : waiting)
        p->done = true;
    MSComm1->setPortOpen(false);
    MSComm2->setPortOpen(false);
}

SendResult LinkWindow::Send_To_LoadBoard(const QString& line, const QString& holder) {
    if (const std::optional<Error> refusal = latin1Refusal(line, holder, TextFor::Board)) {
        if (!host_.closingStep())
            Dialogs::message(errorMessage(*refusal, QStringLiteral("Please try again!")),
                             Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        const ReplyTails& tails = host_.replyTails();
        return SendResult{SendResult::Outcome::Refused, tails.Last7, tails.Last15, tails.Last100};
    }
    const QStringList commands = splitCommands(line);

    QPointer<LinkWindow> self(this);
    SendResult result;
    for (const QString& command : std::as_const(commands)) {
        result = sendOne(command);
        if (!self || result.outcome == SendResult::Outcome::PortClosed)
            break;
    }
    return result;
}

bool LinkWindow::closedPortMessageDue() const {
    return !lostQuietly() && !host_.closingStep();
}

SendResult LinkWindow::sendOne(const QString& command) {
    QPointer<LinkWindow> self(this);
    Pending pending;
    pending.line = command;
    queue_.append(&pending);
    // The characters behind a handler that sends go on being handed out, also while a
    // failed send's message box waits for the user.
    MSComm1->waitStarting();
    MSComm2->waitStarting();
    if (queue_.size() == 1)
        startNext();
    if (!pending.done) {
        // The wait passes through the event loop until its command has ended; whatever ends
        // it runs inside one of these passes. (Leaving a QEventLoop would wake the loop once
        // more, an idle pass at the start of every next command.)
        while (!pending.done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (self)
        ComFlag = pending.result.outcome == SendResult::Outcome::ErrorEnding ? 1 : 0;
    return pending.result;
}

void LinkWindow::startNext() {
    while (!queue_.isEmpty()) {
        Pending* p = queue_.front();
        if (giveUpAt_.hasExpired()) {
            finishFront(SendResult::Outcome::Timeout);
            continue;
        }
        ComFlag = 0;
        host_.replyTails().Last7.clear();
        try {
            MSComm2->output(p->line.toLatin1());
        } catch (const Error& e) {
            finishFront(SendResult::Outcome::PortClosed, closedByUser_ && !MSComm2->portOpen());
            if (closedPortMessageDue())
                Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                                 QStringLiteral("USB communication error"));
            continue;
        }
        WaitTicks = 0;
        WaitFlag = 1;
        Timer1->stop();
        Timer1->setInterval(100);
        Timer1->start();
        return;
    }
}

void LinkWindow::finishFront(SendResult::Outcome outcome, bool closedByUser) {
    Pending* p = queue_.takeFirst();
    const ReplyTails& tails = host_.replyTails();
    p->result = SendResult{outcome, tails.Last7, tails.Last15, tails.Last100, closedByUser};
    p->done = true;
}

void LinkWindow::Timer1_Timer() {
    if (WaitFlag != 1)
        return;
    if (giveUpAt_.hasExpired()) {
        Timer1->stop();
        WaitTicks = 0;
        startNext(); // ends every waiting command as timed out
        return;
    }
    if (WaitTicks > WaitLimit) {
        WaitTicks = 0;
        Timer1->stop();
        MSComm2->setPortOpen(false);
        if (!queue_.isEmpty())
            finishFront(SendResult::Outcome::Timeout);
        try {
            MSComm2->setPortOpen(true);
        } catch (const Error&) {
            boardGone();
            return;
        }
        startNext();
    } else if (host_.replyTails().ended()) {
        Timer1->stop();
        WaitTicks = 0;
    } else {
        ++WaitTicks;
    }
}

void LinkWindow::MSComm2_OnComm(char c) {
    ReplyTails& tails = host_.replyTails();
    tails.append(QChar(uchar(c)));
    QPointer<LinkWindow> self(this);
    host_.characterToLinkBuffers(c);
    if (!self || c == '\n')
        return;
    host_.echoToMonitors(echoOf(c));
    host_.setCommStatus(tails.endedOk() ? QStringLiteral("Comm. OK")
                                        : QStringLiteral("reading..."));
    if (!queue_.isEmpty() && tails.ended()) {
        Timer1->stop();
        WaitTicks = 0;
        finishFront(tails.endedOk() ? SendResult::Outcome::Ok : SendResult::Outcome::ErrorEnding);
        startNext();
    }
}

void LinkWindow::MSComm1_OnComm(char c) {
    ReplyTails::push(Last7, QChar(uchar(c)), 7);
    ReplyTails::push(Last100, QChar(uchar(c)), 100);
    if (c == '\n')
        return;
    host_.echoToTerminal(echoOf(c));
}

void LinkWindow::boardGone() {
    // One message for the lost board is enough.
    endWaitsQuietly(false);
    MSComm2->setPortOpen(false);
    // The key or click that closes the lost-board message is no new action of the user.
    QPointer<LinkWindow> self(this);
    inLostPath_ = true;
    host_.boardLost();
    if (self)
        inLostPath_ = false;
}

void LinkWindow::closeBoardPort() {
    endWaitsQuietly(true);
    MSComm2->setPortOpen(false);
}

void LinkWindow::closeBoardPortAfter(const QByteArray& line) {
    endWaitsQuietly(true);
    MSComm2->output(line);
    MSComm2->setPortOpen(false);
}

// The waits resume only at the event loop's next pass, so whatever the caller does to the port
// right after this is done before any of them looks at it.
void LinkWindow::endWaitsQuietly(bool closedByUser) {
    Timer1->stop();
    WaitTicks = 0;
    closedByUser_ = closedByUser;
    while (!queue_.isEmpty())
        finishFront(SendResult::Outcome::PortClosed, closedByUser);
    // The quiet lasts until the user's next action (a click on Disconnect came before this).
    ++lossGeneration_;
}

void LinkWindow::DisableDataSelector(const QObject* holder) {
    QList<QPointer<const QObject>>& holders = host_.dataSelectorLock().holders;
    holders.removeIf([](const QPointer<const QObject>& h) { return h.isNull(); });
    if (!holders.contains(holder))
        holders.append(holder);
    lockDataSelector();
}

void LinkWindow::EnableDataSelector(const QObject* holder) {
    QList<QPointer<const QObject>>& holders = host_.dataSelectorLock().holders;
    holders.removeIf(
        [holder](const QPointer<const QObject>& h) { return h.isNull() || h == holder; });
    if (holders.isEmpty())
        releaseDataSelector();
}

// The selector's state changes before its entry does: choosing the entry sends its command and
// waits, and a hold taken or let go meanwhile must find the selector as it will be.
void LinkWindow::lockDataSelector() {
    QComboBox* selector = host_.dataSelector();
    if (!selector->isEnabled() || host_.loadBoardRev() <= 1 || !MSComm2->portOpen())
        return;
    host_.dataSelectorLock().SavedDataMode = selector->currentIndex();
    selector->setEnabled(false);
    showDataSelectorTip(lockTip);
    selector->setCurrentIndex(0);
}

void LinkWindow::releaseDataSelector() {
    QComboBox* selector = host_.dataSelector();
    if (selector->isEnabled())
        return;
    // A lock whose holders all let go while the board port was closed frees the selector too,
    // without a command: otherwise it would stay locked with no one to release it.
    selector->setEnabled(true);
    showDataSelectorTip(freeTip);
    if (host_.loadBoardRev() > 1 && MSComm2->portOpen())
        selector->setCurrentIndex(host_.dataSelectorLock().SavedDataMode);
}

void LinkWindow::showDataSelectorTip(const QString& tip) {
    host_.dataSelector()->setToolTip(tip);
    host_.dataSelectorLabel()->setToolTip(tip);
}

void LinkWindow::GetUSBLocationsByDriver() {
    LoadBoardLocations.clear();
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& port : ports.mid(0, maxListedBridges)) {
        if (port.description().startsWith(QStringLiteral("LoadBoard")))
            LoadBoardLocations.append(port.systemLocation());
    }
    LoadBoardLocationCount = int(LoadBoardLocations.size());
}

QString LinkWindow::GetThisUSBLocationByDriver() const {
    // On Linux the bridge of the open board port is that port's own device: a break on it
    // drives the bridge's transmit line, whether or not it is listed as a load board.
    return MSComm2->portOpen() ? MSComm2->devicePath() : QString();
}

int LinkWindow::IssueBreakByDriver(const QString& location) {
    constexpr int deviceNotFound = 2;
    constexpr int deviceNotOpened = 3;
    constexpr int ioError = 4;
    if (location.isEmpty())
        return deviceNotFound;
    QSerialPort bridge(location);
    if (!bridge.open(QIODevice::ReadWrite))
        return deviceNotOpened;
    if (!bridge.setBreakEnabled(true))
        return ioError;
    QEventLoop wait;
    QTimer::singleShot(100, &wait, &QEventLoop::quit);
    wait.exec();
    if (!bridge.setBreakEnabled(false))
        return ioError;
    bridge.close();
    return 0;
}

} // namespace krv
