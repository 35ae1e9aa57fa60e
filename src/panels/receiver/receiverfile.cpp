#include "receiverfile.h"

#include "frequencyblock.h"

namespace krv::receiver {

namespace {

// The boxes that hold fewer characters than a box's default.
constexpr int WakeUpDigitLength = 1;
constexpr int PatternByteLength = 2;

ConfigFileType makeType(Chip chip) {
    using I = ConfigItem;
    const bool hr658 = chip == Chip::HR658;
    // The lists stored by index hold as many entries at every crystal.
    const int basebandCount = int(basebandEntries(chip, 1.0f).size());
    const int clockOutputCount = int(clockOutputEntries(1.0f).size());
    ConfigFileType type;
    type.extension = hr658 ? QStringLiteral("rc2") : QStringLiteral("rc");
    type.filter = hr658 ? QStringLiteral("HR658 Receiver Configuration files (*.rc2)")
                        : QStringLiteral("Receiver Configuration files (*.rc)");
    type.filter += QStringLiteral(";;All files (*.*)");
    type.banner = hr658 ? QStringLiteral("# KRV HR658 configuration file. Version 2.2.2")
                        : QStringLiteral("# KRV Receiver configuration file. Version 2.0.0");
    type.openTitle = QStringLiteral("Load Receiver Configuration File");
    type.saveTitle = hr658 ? QStringLiteral("Save HR658 Configuration File")
                           : QStringLiteral("Save HR651 Configuration File");
    QList<ConfigItem>& items = type.items;
    items += {
        I::number("Pref_RxLinkTimeout", std::numeric_limits<int>::min(),
                  std::numeric_limits<int>::max()),
        I::option("StdCrystal"),
        I::option("NonStdCrystal"),
        I::text("Crystalfreq"),
        I::option("Band315"),
        I::option("Band433"),
        I::option("Band868"),
        I::option("Band915"),
        I::checkBox("ent"),
        I::checkBox("enb"),
        I::checkBox("enx"),
        I::text("Cxtal"),
        I::listIndex("BasebandBW", basebandCount),
        I::checkBox("disclk"),
        I::text("FreqCenter"),
        I::checkBox("enrec"),
        I::text("VDI"),
        I::text("LNAgain"),
        I::text("DRSSI"),
        I::text("WKUPM"),
        I::text("WKUPR"),
    };
    if (hr658)
        items << I::text("WKUPD", WakeUpDigitLength);
    items += {
        I::text("DUTY_USEM"),
        I::text("DUTY"),
    };
    if (hr658)
        items += {
            I::checkBox("enlowdc"),
            I::checkBox("CB32kHz"),
        };
    items += {
        I::listIndex("CLKout", clockOutputCount),
        I::text("LBD"),
        I::text("AFCauto"),
        I::text("AFCres"),
        I::checkBox("afcst"),
        I::checkBox("afcfi"),
        I::checkBox("afcoen"),
        I::checkBox("afcen"),
        I::text("DATARATEDIV"),
        I::checkBox("dataratepresc"),
        I::text("ClkRecMode"),
        I::text("FILTTYPE"),
    };
    if (hr658)
        items += {
            I::text("StatefiltNr"),
            I::checkBox("cb_ewi"),
        };
    items += {
        I::checkBox("DFILTbit5"), I::scrollBar("ITLEVEL", hr658 ? 63 : 15),
        I::text("FIFOstrt"),      I::checkBox("ffillen"),
        I::checkBox("fmodeen"),   I::voltage(),
    };
    if (hr658)
        items += {
            I::checkBox("CB_exlp"),
            I::checkBox("CB_exr"),
            I::checkBox("CB_dcal"),
            I::option("OB_512bit"),
            I::option("OB_128bit"),
            I::text("CB_PLLBW"),
            I::text("TB_SP", PatternByteLength),
        };
    items << I::text("Revision");
    return type;
}

} // namespace

const ConfigFileType& fileType(Chip chip) {
    static const ConfigFileType hr651 = makeType(Chip::HR651);
    static const ConfigFileType hr658 = makeType(Chip::HR658);
    return chip == Chip::HR658 ? hr658 : hr651;
}

} // namespace krv::receiver
