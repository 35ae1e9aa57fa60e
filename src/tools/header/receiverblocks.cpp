#include "headerblocks.h"

namespace krv::header {

namespace {

Block configurationBlock() {
    return {"CONFIGSET_CMD",
            "Ctrlw",
            {},
            "Configuration Setting Command",
            {bandLine(true), enabledBy("Low Battery Detector:", 2, "enb"),
             enabledBy("Wake up Timer:", 3, "ent"), enabledBy("Crystal Oscillator:", 2, "enx"),
             text("Crystal Load Capacitance:", 1, "Cxtal"),
             text("Baseband Bandwidth", 2, "BasebandBW", "kHz"),
             disabledBy("Clock Output:", 3, "disclk")}};
}

Block receiverSettingBlock() {
    return {"RECEIVERSET_CMD",
            "Recw",
            {},
            "Receiver Setting Command",
            {text("VDI Signal:", 3, "VDI"), text("LNA Gain Set:", 3, "LNAgain"),
             text("RSSI Treshold:", 3, "DRSSI"), enabledBy("Receiver Chain:", 3, "enrec")}};
}

Block wakeUpTimerBlock() {
    return {"WTC_CMD", "Wkupw", {}, "Wake Up Timer Command", {wakeUpLine("Label8")}};
}

Block fifoBlock(const QString& title) {
    return {
        "FIFO_CMD",
        "FIFOw",
        {},
        title,
        {text("FIFO IT Level:", 3, "ITlevelNr"), text("FIFO Fill Start Condition:", 1, "FIFOstrt"),
         enabledBy("Synchron Latch:", 3, "ffillen"), enabledBy("FIFO Operation:", 3, "fmodeen")}};
}

Block dataRateBlock() {
    return {"DATARATE_CMD", "Dataratew", {}, "Data Rate Command", {dataRateLine("Label25")}};
}

} // namespace

ChipBlocks hr651Blocks() {
    return {{configurationBlock(), frequencyBlock(), receiverSettingBlock(), wakeUpTimerBlock(),
             lowDutyCycleBlock(), lbdAndClockBlock(), afcBlock(), dataFilterBlock(),
             dataRateBlock(), fifoBlock("Output and FIFO Mode Command")}};
}

ChipBlocks hr658Blocks() {
    Block wakeUpTimer = wakeUpTimerBlock();
    wakeUpTimer.details.clear();
    Block extendedWakeUp = wakeUpTimerBlock();
    extendedWakeUp.define = "EWTC_CMD";
    extendedWakeUp.wordBox = "EWkupw";
    extendedWakeUp.title = "Extended Wake Up Timer Command";
    Block dataFilter = dataFilterBlock();
    dataFilter.details << disabledBy("Autosleep on FIFO IT:", 2, "DFILTbit5")
                       << enabledBy("Auto wake up on IT:", 3, "cb_ewi");
    Block dataRate = dataRateBlock();
    dataRate.details.prepend(enabledBy("Prescaler:", 3, "dataratepresc"));
    const Block extendedFeatures{"EFC_CMD",
                                 "EFw",
                                 {},
                                 "Extended Features Command",
                                 {enabledBy("Low Power for XTAL:", 2, "CB_exlp"),
                                  eitherWord("Clock Tail:", 3, "OB_512bit", "512 bit", "128 bit"),
                                  disabledBy("WUT autocalibration:", 2, "CB_dcal"),
                                  text("PLL bandwidth:", 3, "CB_PLLBW")}};
    return {{configurationBlock(), frequencyBlock(), receiverSettingBlock(), wakeUpTimer,
             extendedWakeUp, lbdAndClockBlock(), afcBlock(), dataFilter, dataRate,
             fifoBlock("FIFO Setting Command"), extendedFeatures},
            true};
}

} // namespace krv::header
