#include "app/ismmain.h"
#include "panels/common/configcontrols.h"
#include "panels/common/filesupply.h"
#include "transceiverpanel.h"

#include <QRadioButton>

namespace krv {

void TransceiverPanel::ConfSave_Click() {
    const ConfigFileType& type = trx::fileType(chip_);
    const QString path = chooseConfigFile(type, true, this);
    if (!path.isEmpty())
        saveConfigFile(type, path, collectConfigValues(*this, mainWindow(), type.items),
                       QStringLiteral("\r\n"), this);
}

void TransceiverPanel::ConfLoad_Click() {
    const ConfigFileType& type = trx::fileType(chip_);
    const QString path = chooseConfigFile(type, false, this);
    if (path.isEmpty())
        return;
    const std::optional<ConfigValues> loaded =
        loadConfigFile(type, path, QStringLiteral("\r\n"), this);
    if (!loaded)
        return;
    // A running status read ticks AFC back on at its end and owns the line meanwhile: the file
    // takes effect after it.
    whenCommStateFree([this, values = *loaded] {
        applyConfig(values);
        FreqCenter_LostFocus();
        WKUPM_LostFocus();
        DUTY_LostFocus();
        LBD_LostFocus();
        DATARATEDIV_LostFocus();
        applyFileVoltage(mainWindow(), Statusline, this,
                         fileVoltage(values.text(QStringLiteral("Pref_Voltage"))));
    });
}

void TransceiverPanel::applyConfig(const ConfigValues& values) {
    for (const ConfigItem& item : trx::fileType(chip_).items) {
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
}

void registerTransceiverForms() {
    ISMmain::registerForm(QStringLiteral("YambleV3"),
                          [](ISMmain& main) -> QWidget* { return new YambleV3(main); });
    ISMmain::registerForm(QStringLiteral("FRM_Zenth"),
                          [](ISMmain& main) -> QWidget* { return new FRM_Zenth(main); });
}

} // namespace krv
