// The board's command language as the program uses it.

#include "boardsimulator.h"
#include "replies.h"

#include <QRegularExpression>

namespace krv::sim {

namespace {

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

} // namespace

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

} // namespace krv::sim
