#pragma once

#include "chipmodel.h"

namespace krv::sim {

// A transmitter chip: its status is one byte, and every "RS" returns it whatever the lines did.
class TransmitterChip : public ChipModel {
public:
    void setStatusByte(quint8 byte) { statusByte_ = byte; }
    quint8 readStatusByte() override { return statusByte_; }

private:
    quint8 statusByte_ = 0;
};

} // namespace krv::sim
