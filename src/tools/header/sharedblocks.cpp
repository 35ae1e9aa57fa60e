#include "headerblocks.h"

namespace krv::header {

Block frequencyBlock() {
    return {"FREQSET_CMD",
            "Freqw",
            {},
            "Frequency Setting Command",
            {text("Center Frequency", 2, "FreqCenter", "MHz")}};
}

Detail wakeUpLine(const QString& unitLabel) {
    return textInUnitOf("Time Period: ", 3, "WKUPTIME", unitLabel);
}

Detail dataRateLine(const QString& unitLabel) {
    return textInUnitOf("Data Rate:", 3, "DATARATE", unitLabel);
}

Block afcBlock() {
    return {"AFC_CMD",
            "AFCw",
            {},
            "AFC Command",
            {text("Automatic Operation Mode:", 1, "AFCauto"), text("Range Limit:", 3, "AFCres"),
             enabledBy("Strobe:", 4, "afcst"), enabledBy("Fine Mode:", 3, "afcfi"),
             enabledBy("Output:", 4, "afcoen"), enabledBy("AFC Operation:", 3, "afcen")}};
}

Block dataFilterBlock() {
    return {"DATAFILTER_CMD",
            "Datafiltw",
            {},
            "Data Filter Command",
            {text("Clock Recovery Mode:", 2, "ClkRecMode"), text("Filter Type:", 3, "FILTTYPE"),
             text("DQD Parameter:", 3, "StatefiltNr")}};
}

Block lowDutyCycleBlock() {
    return {"LOWDUTYCCL_CMD",
            "Dutyw",
            {},
            "Low Duty-Cycle Command",
            {textInUnitOf("Low Duty-Cycle:", 3, "DUTY_CALC", "Label11"),
             enabledBy("Low Duty Mode:", 3, "enlowdc")}};
}

Block lbdAndClockBlock() {
    return {"LBD_CMD",
            "LBDw",
            {},
            "Low Battery Detector and Microcontroller Clock Divider Command",
            {text("Threshold Voltage: ", 2, "LBDV", "V"),
             text("Clock Output Frequency:", 2, "CLKout", "MHz")}};
}

} // namespace krv::header
