#include "sleepwords.h"

#include "panels/common/sleepsetting.h"

namespace krv::receiver {

int thresholdOffset(Chip chip) {
    return chip == Chip::HR658 ? 20 : 22;
}

LowBattery lowBattery(Chip chip, double typed, int clockDivider, int clock32k) {
    LowBattery lbd;
    const bool hr658 = chip == Chip::HR658;
    lbd.field = sleep::wholeField(typed, 0, hr658 ? 15 : 31);
    lbd.word = 0xC200 + ((clockDivider & 0x7) << 5) + lbd.field;
    if (hr658)
        lbd.word += (clock32k & 1) << 4;
    lbd.volts = sleep::thresholdText(lbd.field, thresholdOffset(chip));
    return lbd;
}

} // namespace krv::receiver
