#include "headerblocks.h"

namespace krv::header {

namespace {

// The HC916 adds its synchron pattern and PLL blocks to the HC913's and one line to its FIFO
// block.
ChipBlocks transceiver(bool hc916) {
    Block fifo{"FIFO_RESET_CMD",
               "FIFOw",
               {},
               "FIFO and Reset Mode Command",
               {text("FIFO IT Level:", 3, "ITlevelNr"),
                text("FIFO Fill Start Condition:", 1, "FIFOstrt"),
                enabledBy("Synchron Latch:", 3, "ffillen"),
                disabledBy("Sensitive Reset:", 2, "SensResEn")}};
    if (hc916)
        fifo.details.insert(1, text("Synchron Pattern:", 2, "SynchPattern"));
    ChipBlocks chip{{
        {"CONFIGSET_CMD",
         "Ctrlw",
         {},
         "Configuration Setting Command",
         {enabledBy("TX Register:", 3, "EnTXLatch"), enabledBy("RX FIFO:", 3, "EnRxFIFO"),
          bandLine(true), text("Crystal Load Capacitance:", 1, "Cxtal")}},
        {"POWERMAN_CMD",
         "PowerW",
         {},
         "Power Management Command",
         {enabledBy("Receiver Chain:", 3, "chb_er"), enabledBy("Base Band:", 3, "chb_ebb"),
          enabledBy("Transmitter:", 3, "chb_et"), enabledBy("Synthesizer:", 3, "chb_es"),
          enabledBy("Crystal Oscillator:", 2, "chb_ex"),
          enabledBy("Low Battery Detector:", 2, "chb_eb"), enabledBy("Wake up Timer:", 3, "chb_ew"),
          disabledBy("Clock Output:", 3, "chb_dc")}},
        frequencyBlock(),
        {"DATARATE_CMD",
         "Dataratew",
         {},
         "Data Rate Command",
         {enabledBy("Prescaler:", 3, "dataratepresc"), dataRateLine("Label25")}},
        {"RECEIVERCNT_CMD",
         "Recw",
         {},
         "Receiver Control Command",
         {eitherWord("Function of Pin 16:", 2, "Pin8IsInt", "Interrupt Input", "VDI Output"),
          text("VDI Response Time:", 2, "VDI"), text("Baseband Bandwidth", 2, "BasebandBW", "kHz"),
          text("LNA Gain Set:", 3, "LNAgain"), text("RSSI Treshold:", 3, "DRSSI")}},
        dataFilterBlock(),
        fifo,
        afcBlock(),
        {"TXCONFIG_CMD",
         "TXCtrlw",
         {},
         "TX Configuration Control Command",
         {text("Modulation Polarity:", 2, "ModPol"),
          text("Frequency Deviation:", 2, "ModFreq", "kHz"),
          text("Output Power:", 3, "OutputPower")}},
        {"WTC_CMD", "Wkupw", {}, "Wake Up Timer Command", {wakeUpLine("Label8")}},
        lowDutyCycleBlock(),
        lbdAndClockBlock(),
    }};
    if (!hc916)
        return chip;
    Block pattern{"SYNCPATT_CMD",
                  "SynchPatt",
                  {},
                  "Synchron Pattern Command",
                  {hexText("Synchron Pattern:", 2, "TB_SP")}};
    pattern.gapBeforeEnd = true;
    Detail bandwidth = text({}, 3, "CB_PLLBW");
    bandwidth.labelFrom = "Label60";
    const Block pll{"PLLSET_CMD",
                    "PLLCmd",
                    {},
                    "PLL Setting Command",
                    {enabledBy("XTAL Low Power Mode:", 2, "CB_LPX"),
                     enabledBy("PHD Delay:", 3, "CB_DDY"),
                     enabledWhileClear("PLL Dithering:", 3, "CB_DDIT"),
                     text("uC CLK frequency:", 2, "CB_RFT"), bandwidth}};
    // After the FIFO block, and after the transmitter configuration.
    chip.blocks.insert(7, pattern);
    chip.blocks.insert(10, pll);
    return chip;
}

} // namespace

ChipBlocks hc913Blocks() {
    return transceiver(false);
}

ChipBlocks hc916Blocks() {
    return transceiver(true);
}

} // namespace krv::header
