#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <random>
#include <vector>

namespace krv::sim {

class BoardRadio;

// The radio channel that simulated boards share: a frame one board sends reaches every other
// board on the same air, each copy through its own losses and bit errors; a carrier one board
// keys is seen by the others' data output.
class Air {
public:
    explicit Air(quint32 seed = 1) : random_(seed) {}

    // The share of frames lost on their way to each receiver, 0 to 100.
    void setLossPercent(double percent) { lossPercent_ = percent; }
    // The chance of each bit of a received frame to arrive inverted, 0 to 1.
    void setBitErrorRate(double rate) { bitErrorRate_ = rate; }
    void setSeed(quint32 seed) { random_.seed(seed); }

    void join(BoardRadio* radio);
    void leave(BoardRadio* radio);

    // Sends a frame from `from` to every other board; nullptr sends it from a transmitter that
    // is not one of the boards, which every board hears.
    void transmit(const QByteArray& frame, const BoardRadio* from = nullptr);
    // The data level (0 or 1) of the first other board whose carrier is on; -1 when none is.
    int carrierLevel(const BoardRadio* listener) const;

private:
    QByteArray degraded(const QByteArray& frame);

    std::vector<BoardRadio*> radios_;
    std::mt19937 random_;
    double lossPercent_ = 0.0;
    double bitErrorRate_ = 0.0;
};

// The boards' pseudo-random sequence: a 15-bit register seeded with all ones; each step
// outputs bit14 XOR bit13 and shifts that bit in.
class Pn15 {
public:
    static constexpr int period = 32767;
    // The output bit at `index` (0 = the first after the start).
    static int bit(qint64 index);
};

} // namespace krv::sim
