#pragma once

#include "panels/common/radiowords.h"
#include "receiverchip.h"

#include <QString>

namespace krv::receiver {

// The receivers' low duty-cycle word starts at 0xCC00.
inline constexpr int DutyCycleBase = 0xCC00;

// The low-battery detector and clock divider word: threshold field as clamped, its volts text.
using krv::LowBattery;
LowBattery lowBattery(Chip chip, double typed, int clockDivider, int clock32k);
// The low-battery threshold starts at 2.0 V on the HR658 and at 2.2 V on the HR651.
int thresholdOffset(Chip chip);

} // namespace krv::receiver
