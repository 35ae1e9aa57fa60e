#include "air.h"

#include "radio.h"

#include <algorithm>
#include <array>

namespace krv::sim {

void Air::join(BoardRadio* radio) {
    if (std::find(radios_.begin(), radios_.end(), radio) == radios_.end())
        radios_.push_back(radio);
}

void Air::leave(BoardRadio* radio) {
    std::erase(radios_, radio);
}

void Air::transmit(const QByteArray& frame, const BoardRadio* from) {
    // Copied first: a receiver's report may make a test add or remove boards.
    const std::vector<BoardRadio*> listeners = radios_;
    for (BoardRadio* radio : listeners) {
        if (radio == from)
            continue;
        std::uniform_real_distribution<double> percent(0.0, 100.0);
        if (lossPercent_ > 0.0 && percent(random_) < lossPercent_)
            continue;
        radio->receiveFrame(degraded(frame));
    }
}

int Air::carrierLevel(const BoardRadio* listener) const {
    for (const BoardRadio* radio : radios_) {
        if (radio == listener)
            continue;
        const int level = radio->carrierLevel();
        if (level >= 0)
            return level;
    }
    return -1;
}

QByteArray Air::degraded(const QByteArray& frame) {
    if (bitErrorRate_ <= 0.0)
        return frame;
    QByteArray bytes = frame;
    std::bernoulli_distribution flip(std::min(bitErrorRate_, 1.0));
    for (char& byte : bytes) {
        for (int bit = 0; bit < 8; ++bit) {
            if (flip(random_))
                byte = char(byte ^ (1 << bit));
        }
    }
    return bytes;
}

int Pn15::bit(qint64 index) {
    static const std::array<quint8, period> sequence = [] {
        std::array<quint8, period> bits{};
        quint16 reg = 0x7FFF;
        for (int i = 0; i < period; ++i) {
            const int b = ((reg >> 14) ^ (reg >> 13)) & 1;
            reg = quint16(((reg << 1) | b) & 0x7FFF);
            bits[i] = quint8(b);
        }
        return bits;
    }();
    return sequence[std::size_t(index % period)];
}

} // namespace krv::sim
