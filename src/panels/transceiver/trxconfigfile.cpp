#include "trxconfigfile.h"

#include "trxfrequency.h"

namespace krv::trx {

namespace {

// The pattern byte box holds two characters.
constexpr int PatternByteLength = 2;

ConfigFileType makeType(Chip chip) {
    using I = ConfigItem;
    // The lists stored by index hold as many entries at every crystal.
    const int basebandEntries = int(basebandBandwidthEntries(1.0f).size());
    const int deviationEntries = int(trx::deviationEntries(1.0f).size());
    const int clockOutputEntries = int(trx::clockOutputEntries(1.0f).size());
    const bool hc916 = chip == Chip::HC916;
    ConfigFileType type;
    type.extension = hc916 ? QStringLiteral("lrc") : QStringLiteral("trc");
    type.filter = hc916 ? QStringLiteral("'C916 Transceiver Configuration files (*.lrc)")
                        : QStringLiteral("Transceiver Configuration files (*.trc)");
    type.filter += QStringLiteral(";;All files (*.*)");
    type.banner = hc916
                      ? QStringLiteral("# KRV HC916 Transceiver configuration file. Version 2.0.0")
                      : QStringLiteral("# KRV Transceiver configuration file. Version 2.0.0");
    type.openTitle = QStringLiteral("Load Transceiver Configuration File");
    type.saveTitle = QStringLiteral("Save Transceiver Configuration File");
    type.items = {
        I::option("StdCrystal"),
        I::option("NonStdCrystal"),
        I::text("Crystalfreq"),
        I::option("Band315"),
        I::option("Band433"),
        I::option("Band868"),
        I::option("Band915"),
        I::checkBox("EnTXLatch"),
        I::checkBox("EnRxFIFO"),
        I::text("Cxtal"),
        I::checkBox("chb_er"),
        I::checkBox("chb_ebb"),
        I::checkBox("chb_et"),
        I::checkBox("chb_es"),
        I::checkBox("chb_ex"),
        I::checkBox("chb_ew"),
        I::checkBox("chb_eb"),
        I::checkBox("chb_dc"),
        I::text("FreqCenter"),
        I::option("Pin8IsInt"),
        I::option("Pin8IsVDI"),
        I::text("VDI"),
        I::text("LNAgain"),
        I::text("DRSSI"),
        I::listIndex("BasebandBW", basebandEntries),
        I::text("ModPol"),
        I::listIndex("ModFreq", deviationEntries),
        I::text("OutputPower"),
    };
    if (hc916)
        type.items += {
            I::checkBox("CB_LPX"), I::checkBox("CB_DDY"), I::checkBox("CB_DDIT"),
            I::text("CB_RFT"),     I::text("CB_PLLBW"),
        };
    type.items += {
        I::text("WKUPM"),
        I::text("WKUPR"),
        I::checkBox("enlowdc"),
        I::text("DUTY"),
        I::listIndex("CLKout", clockOutputEntries),
        I::text("LBD"),
        I::checkBox("afcen"),
        I::checkBox("afcfi"),
        I::text("AFCauto"),
        I::text("AFCres"),
        I::checkBox("afcst"),
        I::checkBox("afcoen"),
        I::text("DATARATEDIV"),
        I::checkBox("dataratepresc"),
        I::text("ClkRecMode"),
        I::text("FILTTYPE"),
        I::checkBox("DFILTbit5"),
        I::scrollBar("STATEFILT", 7),
        I::checkBox("ffillen"),
        I::checkBox("SensResEn"),
        I::text("FIFOstrt"),
        I::scrollBar("ITLEVEL", 15),
    };
    if (hc916)
        type.items << I::text("TB_SP", PatternByteLength);
    type.items << I::voltage();
    return type;
}

} // namespace

const ConfigFileType& fileType(Chip chip) {
    static const ConfigFileType hc913 = makeType(Chip::HC913);
    static const ConfigFileType hc916 = makeType(Chip::HC916);
    return chip == Chip::HC916 ? hc916 : hc913;
}

} // namespace krv::trx
