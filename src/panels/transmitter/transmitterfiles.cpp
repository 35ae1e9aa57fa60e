// The configuration files of the transmitter panels: the save name's extension, the item hooks
// and the supply line after a load.

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "panels/common/configcontrols.h"
#include "panels/common/filesupply.h"
#include "transmitterpanel.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

namespace krv {

namespace {

// The transmitter panels break their message lines with CR alone.
const QString LineBreak = QStringLiteral("\r");
const QString CentreItem = QStringLiteral("FreqCenter");

} // namespace

QStringList TransmitterPanel::fileEntries(QComboBox* list, const ConfigValues&) const {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

void TransmitterPanel::storeItem(const ConfigItem& item, const ConfigValues& values) {
    // A text that is no entry of a choose-only list leaves its field as it was.
    auto* list = findChild<QComboBox*>(item.name);
    if (list && !list->isEditable() && item.kind == ConfigItem::Kind::Text &&
        !fileEntries(list, values).contains(values.text(item.name)))
        return;
    storeConfigValue(*this, mainWindow(), item, values);
}

void TransmitterPanel::applyConfig(const ConfigValues& values) {
    // The centre frequency waits until crystal, band and every list are in place; the band and
    // list handlers would otherwise rewrite it from the old frequency field.
    QString centre = FreqCenter->text();
    for (const ConfigItem& item : traits_.file.items) {
        if (item.name == CentreItem) {
            centre = values.text(item.name);
            continue;
        }
        storeItem(item, values);
        // The typed crystal is the crystal only while "Non standard" is selected.
        if (item.name == QStringLiteral("Crystalfreq") && NonStdCrystal->isChecked())
            Crystalfreq_LostFocus();
        itemStored(item.name, values);
    }
    FreqCenter->setText(centre);
    FreqCenter_LostFocus();
    afterConfigItems();
    Statusline->setText(QStringLiteral(" "));
    applyFileVoltage(mainWindow(), Statusline, this,
                     fileVoltage(values.text(QStringLiteral("Pref_Voltage"))));
}

void TransmitterPanel::ConfLoad_Click() {
    const QString path = chooseConfigFile(traits_.file, false, this);
    if (path.isEmpty())
        return;
    const std::optional<ConfigValues> loaded = loadConfigFile(traits_.file, path, LineBreak, this);
    // A running status read owns the line: the file and its supply line take effect after it.
    if (loaded)
        whenCommStateFree([this, values = *loaded] { applyConfig(values); });
}

void TransmitterPanel::ConfSave_Click() {
    const TransmitterFileType& type = traits_.file;
    const QString ending = u'.' + type.extension;
    for (;;) {
        // The dialog adds the extension to a bare name and asks before replacing what it names.
        QString path = chooseConfigFile(type, true, this);
        if (path.isEmpty())
            return;
        const QString chosen = path;
        if (type.appendsExtension && !path.endsWith(ending))
            path += ending;
        else if (!type.appendsExtension && path.endsWith(ending + ending))
            path.chop(ending.size());
        if (path != chosen && QFileInfo::exists(path) &&
            Dialogs::message(QStringLiteral("File already exist:") + path + LineBreak +
                                 QStringLiteral("Do you want to replace it?"),
                             QStringLiteral("File save error"), Dialogs::Icon::None,
                             Dialogs::Buttons::YesNo, this) != Dialogs::Answer::Yes)
            continue;
        saveConfigFile(type, path, collectConfigValues(*this, mainWindow(), type.items), LineBreak,
                       this);
        return;
    }
}

} // namespace krv
