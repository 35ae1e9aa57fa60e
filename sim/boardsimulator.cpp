#include "boardsimulator.h"

#include "inboundpacer.h"
#include "pseudoterminal.h"
#include "radio.h"
#include "replies.h"
#include "replyscheduler.h"

#include <QTimer>
#include <algorithm>

namespace krv::sim {

namespace {

constexpr char carriageReturn = '\r';
constexpr char lineFeed = '\n';
constexpr int loaderWriteGapMs = 3;
const QByteArray garbage = "\x01#?garbage";

QByteArray shaped(const QByteArray& reply, Fault fault) {
    switch (fault) {
    case Fault::ErrorEnding:
        return replies::error();
    case Fault::GarbageFirst:
        return garbage + reply;
    default:
        return reply;
    }
}

Pacing pacing(Fault fault) {
    switch (fault) {
    case Fault::SplitReply:
        return Pacing::Split;
    case Fault::Paced:
        return Pacing::Paced;
    default:
        return Pacing::Immediate;
    }
}

} // namespace

BoardSimulator::BoardSimulator(Personality personality, QObject* parent)
    : QObject(parent), personality_(personality), terminal_(new PseudoTerminal(this)),
      replies_(
          new ReplyScheduler([this](const QByteArray& bytes) { terminal_->write(bytes); }, this)),
      inbound_(new InboundPacer(
          [this](const QByteArray& bytes, qint64 lateNs) { frame(bytes, lateNs); }, this)),
      chip_(std::make_unique<ChipModel>()) {
    lineStates_.fill('Z');
    connect(terminal_, &PseudoTerminal::received, this, &BoardSimulator::receive);
    addBoardCommands();
    radio_ = new BoardRadio(*this);
    addEepromCommands(*this, eeprom_);
}

BoardSimulator::~BoardSimulator() = default;

bool BoardSimulator::start() {
    if (isRunning()) {
        return true;
    }
    lineBuffer_.clear();
    return terminal_->open();
}

QString BoardSimulator::devicePath() const {
    return terminal_->slavePath();
}

void BoardSimulator::vanish() {
    replies_->clear();
    inbound_->clear();
    terminal_->close();
}

bool BoardSimulator::isRunning() const {
    return terminal_->isOpen();
}

void BoardSimulator::addCommand(const QString& prefix, CommandHandler handler) {
    commands_.add(prefix, std::move(handler));
}

void BoardSimulator::sendUnsolicited(const QByteArray& bytes) {
    sendUnsolicited(bytes, Pacing::Immediate);
}

QString BoardSimulator::lineState(int line) const {
    if (line < 0 || line >= int(lineStates_.size())) {
        return {};
    }
    return QString(QChar(lineStates_[line]));
}

bool BoardSimulator::readyForUnsolicited(int quietMs) const {
    return lineBuffer_.isEmpty() && replies_->idle() && replies_->msSinceLastWrite() >= quietMs;
}

void BoardSimulator::sendUnsolicited(const QByteArray& bytes, Pacing pacing) {
    replies_->send(bytes, paced_ && pacing == Pacing::Immediate ? Pacing::Paced : pacing);
}

void BoardSimulator::setBaudRate(int baud) {
    paced_ = baud > 0;
    inbound_->setBaudRate(baud);
    if (paced_)
        replies_->setBaudRate(baud);
}

void BoardSimulator::receive(const QByteArray& bytes) {
    inbound_->push(bytes);
}

void BoardSimulator::frame(const QByteArray& bytes, qint64 lateNs) {
    receivedBytes_ += bytes;
    lateNs_ = lateNs;
    for (const char byte : bytes) {
        if (!isRunning()) {
            return;
        }
        if (byte == carriageReturn) {
            processLine(QString::fromLatin1(lineBuffer_));
            lineBuffer_.clear();
        } else if (byte != lineFeed) {
            lineBuffer_.append(byte);
        }
    }
}

void BoardSimulator::processLine(const QString& line) {
    received_.append(line);
    log_.append(line);
    // In raw data mode the line carries the chip's data, not commands. A real board is brought
    // back by a break on its USB bridge and the lone CR that follows; a pseudo-terminal carries
    // no break, so the lone CR alone wakes it.
    if (rawDataMode_ && line.isEmpty()) {
        rawDataMode_ = false;
        answer(line);
    } else if (!rawDataMode_) {
        answer(line);
    }
    Q_EMIT lineReceived(line);
}

void BoardSimulator::answer(const QString& line) {
    if (personality_ == Personality::Loader) {
        if (const auto taken = loader_.take(line)) {
            answerAsLoader(taken->writes);
            return;
        }
    }
    const Fault fault = faults_.take();
    const Reply reply = line.isEmpty() ? replies::ok() : commands_.dispatch(line);
    if (fault == Fault::Vanish) {
        vanish();
    } else if (reply && fault != Fault::NoReply) {
        const Pacing shape = pacing(fault);
        replies_->send(shaped(*reply, fault),
                       paced_ && shape == Pacing::Immediate ? Pacing::Paced : shape, lateNs_);
    }
}

void BoardSimulator::answerAsLoader(const QByteArrayList& writes) {
    // Each write a moment after the one before: the loader signals busy, writes its flash, then
    // signals ready. A record that came in meanwhile waits for the one before it.
    // The delays count from one reading of the clock: a second reading can pass the first write's
    // moment, and a timer given a negative delay never fires.
    if (!loaderClock_.isValid())
        loaderClock_.start();
    const qint64 now = loaderClock_.elapsed();
    qint64 at = std::max(now, loaderFreeAtMs_);
    for (const QByteArray& bytes : writes) {
        QTimer::singleShot(int(at - now), this, [this, bytes] {
            if (isRunning())
                replies_->send(bytes, Pacing::Immediate);
        });
        at += loaderWriteGapMs;
    }
    loaderFreeAtMs_ = at;
}

} // namespace krv::sim
