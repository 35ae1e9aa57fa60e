#include "radio.h"

#include "air.h"
#include "boardsimulator.h"
#include "replies.h"

#include <QRegularExpression>

namespace krv::sim {

namespace {

// Unsolicited output waits this long after the last reply went out.
constexpr int quietMs = 20;
constexpr int retryMs = 5;
// The report's length field has two decimal digits.
constexpr int reportLimit = 99;
constexpr int maxFrameBytes = 255;

const QByteArray preamble("\xAA", 1);
const QByteArray synchronPattern("\x2D\xD4", 2);

std::optional<int> decimalByte(const QString& text) {
    static const QRegularExpression digits("^[0-9]{1,3}$");
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const int value = text.toInt();
    return value <= 255 ? std::optional<int>(value) : std::nullopt;
}

QByteArray report(const QByteArray& data) {
    return QByteArray("\n\rReceived packet: ") +
           QByteArray::number(data.size()).rightJustified(2, '0') + " bytes: " + data +
           replies::ok();
}

} // namespace

BoardRadio::BoardRadio(BoardSimulator& board) : QObject(&board), board_(board) {
    deliveryTimer_.setSingleShot(true);
    connect(&deliveryTimer_, &QTimer::timeout, this, &BoardRadio::deliver);
    connect(&board, &BoardSimulator::lineReceived, this, &BoardRadio::lineSeen);
    addCommands();
}

BoardRadio::~BoardRadio() {
    setAir(nullptr);
}

void BoardRadio::setAir(Air* air) {
    if (air_)
        air_->leave(this);
    air_ = air;
    if (air_)
        air_->join(this);
}

void BoardRadio::addCommands() {
    addReceiveCommand("F1", 1, 1);
    addReceiveCommand("F2", 1, 2);
    addReceiveCommand("F3", 1, 3);
    addReceiveCommand("F11", 2, 1);
    addReceiveCommand("F12", 2, 2);
    addReceiveCommand("F13", 2, 3);
    board_.addCommand("F0", [this](const QString& argument) -> Reply {
        if (!argument.isEmpty())
            return replies::error();
        armed_ = false;
        pending_.clear();
        deliveryTimer_.stop();
        return replies::ok();
    });
    board_.addCommand("T14,", [this](const QString& argument) -> Reply {
        static const QRegularExpression token("^[0-9A-Fa-f]{1,2}$");
        QStringList tokens = argument.split(u',');
        if (tokens.size() > 1 && tokens.last().isEmpty())
            tokens.removeLast();
        if (tokens.size() > maxFrameBytes)
            return replies::error();
        QByteArray frame;
        for (const QString& t : std::as_const(tokens)) {
            if (!token.match(t).hasMatch())
                return replies::error();
            frame.append(char(t.toInt(nullptr, 16)));
        }
        sent_.append(frame);
        if (air_)
            air_->transmit(frame, this);
        return replies::ok();
    });
    board_.addCommand("T0", [](const QString& argument) -> Reply {
        return argument.isEmpty() ? replies::ok() : replies::error();
    });
    for (const char digit : {'0', '1', '2', '3'}) {
        board_.addCommand(QStringLiteral("y") + QChar(digit), [this, digit](const QString& id) {
            if (id != u"0" && id != u"1")
                return replies::error();
            if (digit == '0' || digit == '1') {
                dataLevel_ = digit - '0';
            } else {
                pn15_ = digit == '2';
                pn15Clock_.start();
            }
            return replies::ok();
        });
    }
    for (const char digit : {'0', '2'}) {
        board_.addCommand(QStringLiteral("d") + QChar(digit), [this, digit](const QString& a) {
            if (!a.isEmpty())
                return replies::error();
            monitor_ = digit == '2';
            return replies::ok();
        });
    }
    board_.addCommand("RO", [this](const QString& argument) -> Reply {
        if (!argument.isEmpty())
            return replies::error();
        const int level = monitor_ && air_ ? air_->carrierLevel(this) : -1;
        return QByteArray("\n\rDO") + (level == 1 ? '1' : '0') + "   " + replies::ok();
    });
}

void BoardRadio::addReceiveCommand(const QString& prefix, int generation, int mode) {
    board_.addCommand(prefix, [this, generation, mode](const QString& argument) -> Reply {
        const int boardGeneration = board_.personality() == Personality::Board1   ? 1
                                    : board_.personality() == Personality::Board2 ? 2
                                                                                  : 0;
        const QStringList fields = argument.split(u',');
        // ",EOP,PL" or ",EOP,PL,1"
        if (generation != boardGeneration || fields.size() < 3 || fields.size() > 4 ||
            !fields[0].isEmpty() || (fields.size() == 4 && fields[3] != u"1"))
            return replies::error();
        const std::optional<int> endByte = decimalByte(fields[1]);
        const std::optional<int> length = decimalByte(fields[2]);
        if (!endByte || !length)
            return replies::error();
        mode_ = mode;
        endByte_ = *endByte;
        length_ = *length;
        armed_ = true;
        return replies::ok();
    });
}

void BoardRadio::lineSeen(const QString& line) {
    static const QRegularExpression word("^S2([0-9A-Fa-f]{4})$");
    const QRegularExpressionMatch match = word.match(line);
    if (!match.hasMatch())
        return;
    const quint16 value = quint16(match.captured(1).toUInt(nullptr, 16));
    if ((value >> 8) == 0xCE || (value >> 8) == 0xCA)
        fifoWord_ = value;
    if (value == 0xC039 || value == 0x8221)
        carrier_ = true;
    else if (value == 0xC000 || value == 0x8200)
        carrier_ = false;
}

bool BoardRadio::fillsFifo() const {
    const int family = fifoWord_ >> 8;
    return (family == 0xCE || family == 0xCA) && (fifoWord_ & 0x02) != 0;
}

bool BoardRadio::waitsForSynchronPattern() const {
    if ((fifoWord_ >> 8) == 0xCA)
        return (fifoWord_ & 0x04) == 0;
    const int start = (fifoWord_ >> 2) & 0x03;
    return start == 1 || start == 2;
}

void BoardRadio::receiveFrame(const QByteArray& frame) {
    if (!armed_ || !fillsFifo())
        return;
    qsizetype start = 0;
    if (waitsForSynchronPattern()) {
        const qsizetype at = frame.indexOf(synchronPattern);
        if (at < 0)
            return;
        start = at + synchronPattern.size();
    } else {
        while (start < frame.size() && frame.at(start) == preamble.at(0))
            ++start;
    }
    const bool board2 = board_.personality() == Personality::Board2;
    int limit = board2 ? reportLimit : maxFrameBytes;
    if (mode_ != 2 && length_ > 0)
        limit = std::min(limit, length_);
    QByteArray data;
    for (qsizetype i = start; i < frame.size() && data.size() < limit; ++i) {
        if (mode_ != 3 && quint8(frame.at(i)) == endByte_)
            break;
        data.append(frame.at(i));
    }
    armed_ = false;
    pending_ = board2 ? report(data) : data;
    deliver();
}

void BoardRadio::deliver() {
    if (pending_.isEmpty())
        return;
    if (!board_.readyForUnsolicited(quietMs)) {
        deliveryTimer_.start(retryMs);
        return;
    }
    const Pacing pacing =
        board_.personality() == Personality::Board1 ? Pacing::Paced : Pacing::Immediate;
    board_.sendUnsolicited(pending_, pacing);
    pending_.clear();
}

int BoardRadio::carrierLevel() const {
    if (pn15_)
        return Pn15::bit(pn15Clock_.elapsed() * pn15Rate_ / 1000);
    return carrier_ ? dataLevel_ : -1;
}

} // namespace krv::sim
