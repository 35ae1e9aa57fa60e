#include "receiverdesign.h"

#include "receiverwords.h"
#include "sleepwords.h"

namespace krv {

ChipPanelDesign receiverDesign(void (ISMmain::*hide)()) {
    ChipPanelDesign design;
    design.family = ChipPanelDesign::Family::Receiver;
    design.updateClosedText = QStringLiteral(
        "Commport not available, please open commport. Control words were not updated.");
    design.latchClosedText = design.updateClosedText;
    design.handlesSupply = false;
    design.afcOffWords = 1;
    design.offsetBits = 6;
    design.compactHeight = 8600;
    design.tallHeight = 9400;
    design.statusCaptions = {"FF IT", "FF OF", "WK-UP", "LBD", "FF EM", "DRSSI", "DQD", "CRL",
                             "ATGL",  "ASAME", "SGN",   "OF4", "OF3",   "OF2",   "OF1", "OF0"};
    design.hideProcedure = hide;
    design.linkTestWindows = {QStringLiteral("DruskV1rflink"), QStringLiteral("DruskV1rflink_LB2")};
    return design;
}

RadioTraits receiverTraits(receiver::Chip chip) {
    using namespace receiver;
    const bool hr658 = chip == Chip::HR658;
    RadioTraits t;
    t.extendedWakeUp = hr658;
    t.wakeUpFormula =
        hr658 ? QStringLiteral("T = M * 2^(R-D) [ms]") : QStringLiteral("T = M * 2^R [ms]");
    t.wakeUpTimeCaption = QStringLiteral("Wake-up period:");
    t.dutyBesideWakeUp = hr658;
    t.dutyPageCaption = QStringLiteral("Low Duty Cycle ");
    t.dutyCycleBase = DutyCycleBase;
    t.enablingCommand = QStringLiteral("Configuration setting");
    t.thresholdCaption = QStringLiteral("Threshold field:");
    t.thresholdFormula = hr658 ? QStringLiteral("Vlb = 2.0 V + LBD * 0.1 V")
                               : QStringLiteral("Vlb = 2.2 V + LBD * 0.1 V");
    t.thresholdOffset = thresholdOffset(chip);
    t.sleepClockOutput = hr658;
    t.lowBattery = [chip](double typed, int divider, int sleepClock) {
        return lowBattery(chip, typed, divider, sleepClock);
    };
    t.afcModes = afcModeEntries();
    t.afcRanges = afcRangeEntries(chip);
    t.afcWord = afcWord;
    t.rateFormula = QStringLiteral("Fosc -> 1/29 -> 1/8 Presc. -> 1/(R+1)");
    t.dataRate = dataRate;
    t.filterTypes = filterTypeEntries(chip, 1);
    t.filterTypeField = [chip](const QString& text) { return filterTypeField(chip, text); };
    t.bit5Caption =
        hr658 ? QStringLiteral("Disable autosleep on FIFO IT") : QStringLiteral("Not used (bit5)");
    t.bit5Shown = hr658;
    t.wakeOnAnyInterrupt = hr658;
    t.dataFilterWord = [chip](const ClockRecovery& cr, int bit5, int type, int wakeOnIt, int dqd) {
        return dataFilterWord(chip, cr, bit5, type, wakeOnIt, dqd);
    };
    t.fifoPageCaption = QStringLiteral("FIFO Buffer");
    t.itLevelMaximum = hr658 ? 63 : 15;
    t.fifoStarts = fifoStartEntries(chip);
    t.fifoStartField = [chip](const QString& text) { return fifoStartField(chip, text); };
    return t;
}

} // namespace krv
