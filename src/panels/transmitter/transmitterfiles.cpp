// The configuration files of the transmitter panels: dialogs, the whole-file check, the items in
// file order and the supply line after a load.

#include "app/ismmain.h"
#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/numbers.h"
#include "common/programfolder.h"
#include "common/savefile.h"
#include "panels/common/filesupply.h"
#include "panels/common/loadedcheckbox.h"
#include "transmitterpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>

namespace krv {

namespace {

// The transmitter panels break their message lines with CR alone.
const QString LineBreak = QStringLiteral("\r");
const QString OpenErrorTitle = QStringLiteral("File open error");
const QString SaveErrorTitle = QStringLiteral("File save error");
const QString VoltageItem = QStringLiteral("Pref_Voltage");
const QString CentreItem = QStringLiteral("FreqCenter");
constexpr int InvalidPropertyValue = 380;

[[noreturn]] void refuse() {
    throw Error(InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

int checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

} // namespace

QStringList TransmitterPanel::fileEntries(QComboBox* list, const ConfigValues&) const {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->itemText(i);
    return entries;
}

ConfigValues TransmitterPanel::currentConfig() const {
    ConfigValues values;
    for (const ConfigItem& item : traits_.file.items) {
        if (item.name == VoltageItem) {
            values.texts.insert(item.name, mainWindow().Pref_Voltage);
            continue;
        }
        QObject* control = findChild<QObject*>(item.name);
        if (auto* option = qobject_cast<QRadioButton*>(control))
            values.flags.insert(item.name, option->isChecked());
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            values.numbers.insert(item.name, checkValue(box));
        else if (auto* list = qobject_cast<QComboBox*>(control)) {
            if (item.kind == ConfigItem::Kind::Integer)
                values.numbers.insert(item.name, list->currentIndex());
            else
                values.texts.insert(item.name, list->currentText());
        } else if (auto* edit = qobject_cast<QLineEdit*>(control))
            values.texts.insert(item.name, edit->text());
    }
    return values;
}

void TransmitterPanel::checkFile(const ConfigValues& values) const {
    const QString volts = values.text(VoltageItem);
    if (!isWholeNumber(volts) || !(leadingNumber(volts) > 0))
        throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
    for (const ConfigItem& item : traits_.file.items) {
        QObject* control = findChild<QObject*>(item.name);
        const long long number = values.number(item.name);
        if (qobject_cast<QCheckBox*>(control)) {
            if (number < 0 || number > 2)
                refuse();
        } else if (auto* list = qobject_cast<QComboBox*>(control);
                   list && item.kind == ConfigItem::Kind::Integer) {
            if (number < 0 || number >= list->count())
                refuse();
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            // A box would cut a longer text short without a word.
            if (values.text(item.name).size() > edit->maxLength())
                refuse();
        }
    }
    checkConfig(values);
}

void TransmitterPanel::storeItem(const ConfigItem& item, const ConfigValues& values) {
    if (item.name == VoltageItem) {
        mainWindow().Pref_Voltage = fileVoltage(values.text(item.name)).text;
        return;
    }
    QObject* control = findChild<QObject*>(item.name);
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        // An exclusive group keeps one option selected: a file's #FALSE# only confirms that.
        if (values.flag(item.name))
            option->setChecked(true);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        setLoadedCheckValue(box, values.number(item.name));
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        if (item.kind == ConfigItem::Kind::Integer) {
            list->setCurrentIndex(int(values.number(item.name)));
        } else if (list->isEditable()) {
            list->setCurrentText(values.text(item.name));
        } else {
            // A text that is no entry of a choose-only list leaves its field as it was.
            const QString text = values.text(item.name);
            const int position = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (position >= 0 && fileEntries(list, values).contains(text))
                list->setCurrentIndex(position);
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(values.text(item.name));
    }
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
    applyFileVoltage(mainWindow(), Statusline, this, fileVoltage(values.text(VoltageItem)));
}

void TransmitterPanel::ConfLoad_Click() {
    const TransmitterFileType& type = traits_.file;
    const QString path = Dialogs::openFile(
        {type.openTitle, type.filter,
         ProgramFolder::dataFolder(QStringLiteral("Project_Configurations")), type.pattern()},
        this);
    if (path.isEmpty() || QFileInfo(path).fileName() == type.pattern())
        return;
    if (Dialogs::extensionDiffers(path, traits_.file.extension)) {
        Dialogs::unsupportedFileType(this);
        return;
    }
    ConfigValues values;
    try {
        values = readConfigItems(readFileBounded(path, fileBounds::Configuration), type.banner,
                                 type.items, type.versionDescription);
        checkFile(values);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!"), LineBreak),
                         OpenErrorTitle, Dialogs::Icon::None, Dialogs::Buttons::Ok, this);
        return;
    }
    // A running status read owns the line: the file and its supply line take effect after it.
    whenCommStateFree([this, values] { applyConfig(values); });
}

void TransmitterPanel::ConfSave_Click() {
    const TransmitterFileType& type = traits_.file;
    const QString ending = u'.' + type.extension;
    for (;;) {
        // The dialog adds the extension to a bare name and asks before replacing what it names.
        QString path = Dialogs::saveFileAskingToReplace(
            {type.saveTitle, type.filter,
             ProgramFolder::dataFolder(QStringLiteral("Project_Configurations")), type.pattern(),
             type.extension},
            this);
        if (path.isEmpty() || QFileInfo(path).fileName() == type.pattern())
            return;
        if (Dialogs::extensionDiffers(path, traits_.file.extension)) {
            Dialogs::unsupportedFileType(this);
            return;
        }
        const QString chosen = path;
        if (type.appendsExtension && !path.endsWith(ending))
            path += ending;
        else if (!type.appendsExtension && path.endsWith(ending + ending))
            path.chop(ending.size());
        if (path != chosen && QFileInfo::exists(path) &&
            Dialogs::message(QStringLiteral("File already exist:") + path + LineBreak +
                                 QStringLiteral("Do you want to replace it?"),
                             SaveErrorTitle, Dialogs::Icon::None, Dialogs::Buttons::YesNo,
                             this) != Dialogs::Answer::Yes)
            continue;
        try {
            saveFileWhole(path, writeConfigItems(type.banner, type.items, currentConfig()));
        } catch (const Error& e) {
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again"), LineBreak),
                             SaveErrorTitle, Dialogs::Icon::None, Dialogs::Buttons::Ok, this);
        }
        return;
    }
}

} // namespace krv
