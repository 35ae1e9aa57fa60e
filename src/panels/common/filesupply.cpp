#include "filesupply.h"

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "common/supply.h"

#include <QLineEdit>

namespace krv {

FileVoltage fileVoltage(const QString& text) {
    FileVoltage voltage{leadingNumber(text), text, {}};
    if (voltage.volts < 2.0) {
        voltage = {2.0, QStringLiteral("2"), QStringLiteral("Minimum supply voltage is 2.0 V!")};
    } else if (voltage.volts > 5.4) {
        voltage = {5.4, QStringLiteral("5.4"), QStringLiteral("Maximum supply voltage is 5.4 V!")};
    }
    return voltage;
}

void applyFileVoltage(ISMmain& main, QLineEdit* statusline, QWidget* parent,
                      const FileVoltage& voltage) {
    if (!voltage.message.isEmpty())
        statusline->setText(voltage.message);
    if (main.PowerSupplyOn) {
        if (QWidget* supply = main.loadedForm(QStringLiteral("frm_PowerSupply")))
            if (auto* box = supply->findChild<QLineEdit*>(QStringLiteral("Voltage")))
                box->setText(voltage.text);
    }
    if (!main.boardPortOpen()) {
        statusline->setText(QStringLiteral("Communication fault."));
        Dialogs::message(QStringLiteral("Commport not available, please open commport. Power "
                                        "control settings were not updated."),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation, Dialogs::Buttons::Ok,
                         parent);
        return;
    }
    if (main.LoadBoardRev != 1 && main.LoadBoardRev != 2)
        return;
    main.Send_To_LoadBoard(supplyLine(voltage.volts, supplyKForBoard(main.LoadBoardRev)));
}

} // namespace krv
