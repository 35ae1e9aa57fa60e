#include "app/ismmain.h"
#include "panels/common/configcontrols.h"
#include "panels/common/filesupply.h"
#include "receiverpanel.h"

#include <QLineEdit>
#include <QRadioButton>

namespace krv {

using namespace receiver;

void ReceiverPanel::applyConfig(const ConfigValues& config) {
    const long revisionBefore = Rev;
    const QList<ConfigItem>& items = fileType(chip_).items;
    for (const ConfigItem& item : items) {
        storeConfigValue(*this, mainWindow(), item, config);
        itemLoaded(item.name);
        if (item.name != QStringLiteral("Crystalfreq"))
            continue;
        // The crystal text counts only when the file chose the non-standard crystal.
        if (NonStdCrystal->isChecked())
            Crystalfreq_LostFocus();
        else
            StdCrystal_Click();
    }
    if (chip_ == Chip::HR651 && Rev != revisionBefore) {
        // The revision switch reset these lists and the data rate took the other revision's
        // range meanwhile; the file's own choices win.
        const QStringList reset{"VDI", "FILTTYPE", "AFCauto", "DATARATEDIV", "dataratepresc"};
        for (const ConfigItem& item : items)
            if (reset.contains(item.name))
                storeConfigValue(*this, mainWindow(), item, config);
        VDI_Click();
        CalcDatafiltw();
        CalcAFCw();
        DATARATEDIV_LostFocus();
    }
    FreqCenter_LostFocus();
    WKUPM_LostFocus();
    DUTY_LostFocus();
    LBD_LostFocus();
    DATARATEDIV_LostFocus();
    Statusline->setText(QString());
}

void ReceiverPanel::ConfLoad_Click() {
    const ConfigFileType& type = fileType(chip_);
    const QString path = chooseConfigFile(type, false, this);
    if (path.isEmpty())
        return;
    const std::optional<ConfigValues> loaded =
        loadConfigFile(type, path, QStringLiteral("\r\n"), this);
    if (!loaded)
        return;
    // A running status read ticks AFC back on at its end and owns the line meanwhile: the file
    // takes effect after it.
    whenCommStateFree([this, config = *loaded] {
        applyConfig(config);
        applyFileVoltage(mainWindow(), Statusline, this,
                         fileVoltage(config.text(QStringLiteral("Pref_Voltage"))));
    });
}

void ReceiverPanel::ConfSave_Click() {
    const ConfigFileType& type = fileType(chip_);
    const QString path = chooseConfigFile(type, true, this);
    if (!path.isEmpty())
        saveConfigFile(type, path, collectConfigValues(*this, mainWindow(), type.items),
                       QStringLiteral("\r\n"), this);
}

} // namespace krv
