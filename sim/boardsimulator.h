#pragma once

#include "chipmodel.h"
#include "commandlog.h"
#include "commandtable.h"
#include "fault.h"
#include "loaderfirmware.h"
#include "personality.h"
#include "replyscheduler.h"
#include "spieeprom.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

namespace krv::sim {

class BoardRadio;
class InboundPacer;
class PseudoTerminal;

// A load board on a pseudo-terminal: it frames the command lines the program writes to the
// slave device, answers them as the board firmware does and records them for tests. It lives
// in the thread that owns it and is served by that thread's event loop.
class BoardSimulator : public QObject {
    Q_OBJECT
public:
    explicit BoardSimulator(Personality personality = Personality::Board2,
                            QObject* parent = nullptr);
    ~BoardSimulator() override;

    // Creates the pseudo-terminal; false on failure. After vanish() it creates a new one; while
    // running it keeps the one it has.
    bool start();
    // The slave device the program opens, e.g. /dev/pts/7.
    QString devicePath() const;
    Personality personality() const { return personality_; }
    void setPersonality(Personality personality) { personality_ = personality; }
    // Closes the pseudo-terminal: the device disappears.
    void vanish();
    bool isRunning() const;

    // Every command line received, without its CR, in order ("" for a lone CR); lines the board
    // ignores in raw data mode included.
    QStringList receivedLines() const { return received_; }
    // Every byte received, line endings included.
    QByteArray receivedBytes() const { return receivedBytes_; }
    void clearReceived() {
        received_.clear();
        receivedBytes_.clear();
    }

    // Applies to the next `count` command lines the board answers; count < 0: until cleared
    // with Fault::None. The command itself still takes effect.
    void setFault(Fault fault, int count = 1) { faults_.set(fault, count); }
    // Every received line with a time stamp; an empty path stops logging. False when the file
    // cannot be opened.
    bool setLogFile(const QString& path) { return log_.setPath(path); }

    // Output the board sends of its own accord (monitor output, packet reports), in order with
    // the replies.
    void sendUnsolicited(const QByteArray& bytes);

    // Paces the line as a real one at `baud` (0: as fast as the pseudo-terminal goes): command
    // characters reach the board, and reply characters leave it, one character time apart.
    void setBaudRate(int baud);

    // Teaches the board a command, or replaces one: the longest matching prefix of a line picks
    // its handler.
    void addCommand(const QString& prefix, CommandHandler handler);
    // The handler of exactly that prefix, so a new handler can pass lines on to the old one.
    CommandHandler command(const QString& prefix) const { return commands_.handler(prefix); }

    // Board state, for tests.
    QString supplyCode() const { return supplyCode_; }
    bool currentRangeHigh() const { return currentRangeHigh_; }
    bool rawDataMode() const { return rawDataMode_; }
    QString dataSelect() const { return dataSelect_; }
    QString lineState(int line) const;
    // "S2 A640", "S1 C0", "WS CC", ... in the order written.
    QStringList writtenWords() const { return chip_->writtenWords(); }
    void setStatusWord(quint16 word) { chip_->setStatusWord(word); }
    void setInterruptPending(bool pending) { chip_->setInterruptPending(pending); }
    // "AD" reports 1023 - converterValue.
    void setCurrentReading(int converterValue) { converterValue_ = converterValue; }

    ChipModel& chip() { return *chip_; }
    // The radio: packet and carrier commands; put it on an Air to reach other boards.
    BoardRadio& radio() { return *radio_; }
    // Output the board sends on its own (packet reports) goes out only when no command line is
    // coming in and the last reply went out at least quietMs ago.
    bool readyForUnsolicited(int quietMs) const;
    void sendUnsolicited(const QByteArray& bytes, Pacing pacing);
    SpiEeprom& eeprom() { return eeprom_; }
    // The firmware loader that answers in the loader personality.
    LoaderFirmware& loader() { return loader_; }
    // chip must not be null.
    void setChipModel(std::unique_ptr<ChipModel> chip) { chip_ = std::move(chip); }

Q_SIGNALS:
    void lineReceived(const QString& line);

private:
    void addBoardCommands();
    void addLineCommand(char level);
    void addWriteCommand(const QString& command, int minDigits, int maxDigits, int step);
    void receive(const QByteArray& bytes);
    void frame(const QByteArray& bytes, qint64 lateNs);
    void processLine(const QString& line);
    void answer(const QString& line);
    void answerAsLoader(const QByteArrayList& writes);

    Personality personality_;
    PseudoTerminal* terminal_;
    ReplyScheduler* replies_;
    InboundPacer* inbound_;
    bool paced_ = false;
    // How late the line being answered was taken in: its paced reply starts that much earlier.
    qint64 lateNs_ = 0;
    CommandTable commands_;
    FaultPlan faults_;
    CommandLog log_;
    std::unique_ptr<ChipModel> chip_;
    BoardRadio* radio_;
    SpiEeprom eeprom_;
    LoaderFirmware loader_;
    QElapsedTimer loaderClock_;
    qint64 loaderFreeAtMs_ = 0; // on loaderClock_: when the loader may answer the next record

    QByteArray lineBuffer_;
    QStringList received_;
    QByteArray receivedBytes_;
    QString supplyCode_;
    bool currentRangeHigh_ = false;
    bool rawDataMode_ = false;
    QString dataSelect_;
    std::array<char, 10> lineStates_;
    int converterValue_ = 300;
};

} // namespace krv::sim
