#include "headerblocks.h"

namespace krv::header {

namespace {

// The HT539 names its output power where the others name the clock output.
Block configuration(bool with315, const Detail& secondLine) {
    return {"CONFIGSET_CMD",
            "Ctrlw",
            {},
            "Configuration Setting Command",
            {bandLine(with315), secondLine, text("Crystal Load Capacitance:", 1, "Cxtal"),
             text("Modulation Polarity:", 2, "ModPol"),
             text("Frequency Deviation:", 2, "ModFreq", "kHz")}};
}

// The HT539 has no automatic power control and one TAB less after its power amplifier.
Block powerManagement(bool autoControl) {
    Block block{"POWERMAN_CMD", "PowerMw", {}, "Power Management Command"};
    if (autoControl)
        block.details << enabledBy("Crystal and Synthesizer Auto Control:", 1, "pm7")
                      << enabledBy("Power Amplifier Auto Control", 1, "pm6");
    block.details << enabledBy("Crystal Oscillator:", 2, "pm5")
                  << enabledBy("Synthesizer:", 3, "pm4")
                  << enabledBy("Power Amplifier:", autoControl ? 3 : 2, "pm3")
                  << enabledBy("Low Battery Detector:", 2, "pm2")
                  << enabledBy("Wake up Timer:", 3, "pm1") << disabledBy("Clock Output:", 3, "pm0");
    return block;
}

// The HT531 and the HT537 differ only in their bands.
ChipBlocks powerSettingTransmitter(bool with315) {
    Detail wakeUp = wakeUpLine("Label7");
    wakeUp.secondsSpelledOut = true;
    return {{
        configuration(with315, text("Clock Output Frequency:", 2, "CLKout", "MHz")),
        frequencyBlock(),
        powerManagement(true),
        {"POWERSET_CMD",
         "OutPowerw",
         {},
         "Power Setting Command",
         {text("Modulation type:", 2, "Modulation"), text("Output Power:", 3, "OutputPower")}},
        {"LBD_CMD",
         "LBDw",
         {},
         "Low Battery Detector Command",
         {text("Threshold Voltage: ", 2, "LBDV", "V")}},
        {"SLEEP_CMD", {}, "0xC400", "Sleep Command", {constant("Clock Tail:", 3, "0 periods")}},
        {"WTC_CMD", "Wkupw", {}, "Wake Up Timer Command", {wakeUp}},
    }};
}

} // namespace

ChipBlocks ht531Blocks() {
    return powerSettingTransmitter(true);
}

ChipBlocks ht537Blocks() {
    return powerSettingTransmitter(false);
}

ChipBlocks ht539Blocks() {
    Block wakeUpTimer{"WTC_CMD", "Wkupw", {}, "Wake Up Timer Command"};
    wakeUpTimer.gapAfterTitle = false;
    Block lbd = lbdAndClockBlock();
    lbd.details << enabledBy("32 kHz clk in sleep:", 2, "CB_ebs");
    return {{
        configuration(false, text("Output Power:", 3, "OutputPower")),
        frequencyBlock(),
        powerManagement(false),
        {"FIFO_CMD",
         "TB_FIFOcmd",
         {},
         "FIFO Setting Command",
         {enabledBy("TX FIFO:", 3, "CB_EnFIFO"), text("FIFO IT Level:", 3, "TB_FIFOITLevel")}},
        {"DATARATE_CMD",
         "TB_DataRateCmd",
         {},
         "Data Rate Command",
         {enabledBy("Prescaler:", 3, "CB_Prescaler"),
          textInUnitOf("Data Rate:", 3, "TB_DataRateValue", "Label27")}},
        lbd,
        wakeUpTimer,
        {"EWTC_CMD", "EWkupw", {}, "Extended Wake Up Timer Command", {wakeUpLine("Label8")}},
        {"EFC_CMD",
         "EFCmd",
         {},
         "Extended Features Command",
         {enabledBy("Low Power for XTAL:", 2, "CB_EnLowPowerXtal"),
          eitherWord("Clock Tail:", 3, "CB_512ClockTail", "512 bit", "128 bit"),
          disabledBy("WUT autocalibration:", 2, "CB_DisWUTAutocal"),
          disabledBy("Autosleep on FIFO IT:", 2, "CB_DisFIFOAutoSleep"),
          enabledBy("Auto wake up on IT:", 2, "CB_EnWUonIT"),
          text("PLL bandwidth:", 3, "C_PLLBW")}},
    }};
}

} // namespace krv::header
