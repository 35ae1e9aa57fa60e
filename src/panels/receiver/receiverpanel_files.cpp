#include "app/ismmain.h"
#include "panels/common/configcontrols.h"
#include "receiverpanel.h"

#include <QLineEdit>
#include <QRadioButton>

namespace krv {

using namespace receiver;

void ReceiverPanel::applyConfig(const ConfigValues& config) {
    const long revisionBefore = Rev;
    const QList<ConfigItem>& items = configFileType().items;
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

} // namespace krv
