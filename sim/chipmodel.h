#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace krv::sim {

// The radio chip behind the board's serial interface. This default keeps a 16-bit status word
// and an interrupt line; models of particular chips derive from it and react to what is written.
class ChipModel {
public:
    virtual ~ChipModel();

    void setStatusWord(quint16 word) { statusWord_ = word; }
    quint16 statusWord() const { return statusWord_; }
    void setInterruptPending(bool pending) { interruptPending_ = pending; }

    virtual bool interruptPending() const { return interruptPending_; }
    // level is 'H', 'L' or 'Z'. Pulling line 0 low selects the chip and starts a status read
    // with the high byte.
    virtual void lineDriven(int line, char level);
    // The next status byte: high byte first after a selection, then bytes in turn.
    virtual quint8 readStatusByte();
    // entry is the command and its hex argument, e.g. "S2 A640", "S1 C0" or "WS CC".
    virtual void write(const QString& entry);

    QStringList writtenWords() const { return written_; }

private:
    quint16 statusWord_ = 0;
    bool interruptPending_ = false;
    int statusByteIndex_ = 0;
    QStringList written_;
};

} // namespace krv::sim
