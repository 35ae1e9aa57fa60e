#include "app/ismmain.h"
#include "panels/common/configcontrols.h"
#include "transceiverpanel.h"

#include <QRadioButton>

namespace krv {

void TransceiverPanel::applyConfig(const ConfigValues& values) {
    for (const ConfigItem& item : configFileType().items) {
        storeConfigValue(*this, mainWindow(), item, values);
        // The typed crystal is the crystal only while "Non standard" is selected.
        if (item.name == QStringLiteral("Crystalfreq") && NonStdCrystal->isChecked())
            Crystalfreq_LostFocus();
        // The loaded entries rebuild the PLL word, as choosing them would.
        else if (item.name == QStringLiteral("CB_RFT"))
            CB_RFT_Click();
        else if (item.name == QStringLiteral("CB_PLLBW"))
            CB_PLLBW_Click();
        // A one-digit pattern byte is padded at once, so that the word never has three digits.
        else if (item.name == QStringLiteral("TB_SP"))
            TB_SP_LostFocus();
    }
    FreqCenter_LostFocus();
    WKUPM_LostFocus();
    DUTY_LostFocus();
    LBD_LostFocus();
    DATARATEDIV_LostFocus();
}

void registerTransceiverForms() {
    ISMmain::registerForm(QStringLiteral("YambleV3"),
                          [](ISMmain& main) -> QWidget* { return new YambleV3(main); });
    ISMmain::registerForm(QStringLiteral("FRM_Zenth"),
                          [](ISMmain& main) -> QWidget* { return new FRM_Zenth(main); });
}

} // namespace krv
