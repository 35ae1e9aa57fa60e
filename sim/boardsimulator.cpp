#include "boardsimulator.h"

#include "pseudoterminal.h"
#include "replies.h"
#include "replyscheduler.h"

#include <QRegularExpression>

namespace krv::sim {

namespace {

constexpr char carriageReturn = '\r';
constexpr char lineFeed = '\n';
const QByteArray garbage = "\x01#?garbage";

bool isHex(const QString& text, int minDigits, int maxDigits, int step = 1) {
    static const QRegularExpression hexDigits("^[0-9A-Fa-f]*$");
    return text.size() >= minDigits && text.size() <= maxDigits && text.size() % step == 0 &&
           hexDigits.match(text).hasMatch();
}

// A handler for a command that takes no argument and only answers OK after `action`.
template <typename Action> CommandHandler plain(Action action) {
    return [action](const QString& argument) -> Reply {
        if (!argument.isEmpty()) {
            return replies::error();
        }
        action();
        return replies::ok();
    };
}

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
      chip_(std::make_unique<ChipModel>()) {
    lineStates_.fill('Z');
    connect(terminal_, &PseudoTerminal::received, this, &BoardSimulator::receive);
    addBoardCommands();
}

BoardSimulator::~BoardSimulator() = default;

bool BoardSimulator::start() {
    lineBuffer_.clear();
    return terminal_->open();
}

QString BoardSimulator::devicePath() const {
    return terminal_->slavePath();
}

void BoardSimulator::vanish() {
    replies_->clear();
    terminal_->close();
}

bool BoardSimulator::isRunning() const {
    return terminal_->isOpen();
}

void BoardSimulator::addCommand(const QString& prefix, CommandHandler handler) {
    commands_.add(prefix, std::move(handler));
}

QString BoardSimulator::lineState(int line) const {
    if (line < 0 || line >= int(lineStates_.size())) {
        return {};
    }
    return QString(QChar(lineStates_[line]));
}

void BoardSimulator::addBoardCommands() {
    addCommand("i", [this](const QString& argument) -> Reply {
        return argument.isEmpty() ? replies::banner(personality_) : replies::error();
    });
    addCommand("V", [this](const QString& argument) -> Reply {
        if (!isHex(argument, 1, 2)) {
            return replies::error();
        }
        supplyCode_ = argument;
        return replies::ok();
    });
    addCommand("A1", plain([this] { currentRangeHigh_ = true; }));
    addCommand("A0", plain([this] { currentRangeHigh_ = false; }));
    addCommand("AD", [this](const QString& argument) -> Reply {
        return argument.isEmpty() ? replies::converterReading(converterValue_) : replies::error();
    });
    addCommand("X1", plain([this] { dataSelect_ = "X1"; }));
    addCommand("X0", plain([this] { dataSelect_ = "X0"; }));
    addCommand("X2", [this](const QString& argument) -> Reply {
        if (!argument.isEmpty()) {
            return replies::error();
        }
        dataSelect_ = "X2";
        rawDataMode_ = true;
        return std::nullopt;
    });
    for (const char level : {'H', 'L', 'Z'}) {
        addLineCommand(level);
    }
    addWriteCommand("S2", 4, 4, 1);
    addWriteCommand("S1", 2, 2, 1);
    addWriteCommand("WS", 2, 256, 2);
    addCommand("RS", [this](const QString& argument) -> Reply {
        return argument.isEmpty() ? replies::statusByte(chip_->readStatusByte()) : replies::error();
    });
    addCommand("RI", [this](const QString& argument) -> Reply {
        return argument.isEmpty() ? replies::interruptLine(chip_->interruptPending())
                                  : replies::error();
    });
}

void BoardSimulator::addLineCommand(char level) {
    addCommand(QString(QChar(level)), [this, level](const QString& argument) -> Reply {
        if (argument.size() != 1 || !argument[0].isDigit()) {
            return replies::error();
        }
        const int line = argument[0].digitValue();
        lineStates_[line] = level;
        chip_->lineDriven(line, level);
        return replies::ok();
    });
}

void BoardSimulator::addWriteCommand(const QString& command, int minDigits, int maxDigits,
                                     int step) {
    addCommand(command, [this, command, minDigits, maxDigits, step](const QString& argument) {
        if (!isHex(argument, minDigits, maxDigits, step)) {
            return replies::error();
        }
        chip_->write(command + ' ' + argument);
        return replies::ok();
    });
}

void BoardSimulator::receive(const QByteArray& bytes) {
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
    const Fault fault = faults_.take();
    const Reply reply = line.isEmpty() ? replies::ok() : commands_.dispatch(line);
    if (fault == Fault::Vanish) {
        vanish();
    } else if (reply && fault != Fault::NoReply) {
        replies_->send(shaped(*reply, fault), pacing(fault));
    }
}

} // namespace krv::sim
