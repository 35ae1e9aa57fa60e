#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace krv::sim {

class Air;
class BoardSimulator;

// The board's radio commands: packet reception ("F..") and its reports, packet transmission
// ("T.."), the data pin and its PN15 generator ("y.."), the data-output monitor ("d..", "RO").
// It follows the chip words the board writes ("S2..") for the FIFO word and the carrier.
class BoardRadio : public QObject {
    Q_OBJECT
public:
    explicit BoardRadio(BoardSimulator& board);
    ~BoardRadio() override;

    // nullptr: the board is alone, its frames reach nobody.
    void setAir(Air* air);
    Air* air() const { return air_; }
    // PN15 bits per second.
    void setPn15Rate(int bitsPerSecond) { pn15Rate_ = bitsPerSecond; }

    // A frame that reached this board's antenna.
    void receiveFrame(const QByteArray& frame);
    // This board's data level while its carrier is on (or PN15 runs); -1 otherwise.
    int carrierLevel() const;

    bool armed() const { return armed_; }
    quint16 fifoWord() const { return fifoWord_; }
    // The bytes of every frame this board sent, in order.
    QList<QByteArray> sentFrames() const { return sent_; }

private:
    void addCommands();
    void addReceiveCommand(const QString& prefix, int generation, int mode);
    void lineSeen(const QString& line);
    bool fillsFifo() const;
    bool waitsForSynchronPattern() const;
    void deliver();

    BoardSimulator& board_;
    Air* air_ = nullptr;
    bool armed_ = false;
    int mode_ = 1; // 1 end byte or length, 2 end byte only, 3 length only
    int endByte_ = 13;
    int length_ = 100;
    quint16 fifoWord_ = 0;
    bool carrier_ = false;
    int dataLevel_ = 0;
    bool pn15_ = false;
    QElapsedTimer pn15Clock_;
    int pn15Rate_ = 20;
    bool monitor_ = false;
    QByteArray pending_;
    QTimer deliveryTimer_;
    QList<QByteArray> sent_;
};

} // namespace krv::sim
