#include "configcontrols.h"

#include "app/ismmain.h"
#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/programfolder.h"
#include "common/savefile.h"
#include "filesupply.h"
#include "loadedcheckbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace krv {

namespace {

const QString VoltageItem = QStringLiteral("Pref_Voltage");
const QString TimeoutItem = QStringLiteral("Pref_RxLinkTimeout");

// A check box's value as the file holds it: 0, 1, or 2 when greyed.
int checkBoxValue(const QCheckBox* box) {
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

ConfigValues collectConfigValues(const QWidget& panel, const ISMmain& main,
                                 const QList<ConfigItem>& items) {
    ConfigValues values;
    for (const ConfigItem& item : items) {
        if (item.name == VoltageItem) {
            values.texts.insert(item.name, main.Pref_Voltage);
            continue;
        }
        if (item.name == TimeoutItem) {
            values.numbers.insert(item.name, main.Pref_RxLinkTimeout);
            continue;
        }
        QObject* control = panel.findChild<QObject*>(item.name);
        if (auto* option = qobject_cast<QRadioButton*>(control))
            values.flags.insert(item.name, option->isChecked());
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            values.numbers.insert(item.name, checkBoxValue(box));
        else if (auto* scroll = qobject_cast<QScrollBar*>(control))
            values.numbers.insert(item.name, scroll->value());
        else if (auto* list = qobject_cast<QComboBox*>(control);
                 list && item.kind == ConfigItem::Kind::Integer)
            values.numbers.insert(item.name, list->currentIndex());
        else if (list)
            values.texts.insert(item.name, list->currentText());
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            values.texts.insert(item.name, edit->text());
    }
    return values;
}

void storeConfigValue(QWidget& panel, ISMmain& main, const ConfigItem& item,
                      const ConfigValues& values) {
    if (item.name == VoltageItem) {
        main.Pref_Voltage = fileVoltage(values.text(item.name)).text;
        return;
    }
    if (item.name == TimeoutItem) {
        main.Pref_RxLinkTimeout = long(values.number(item.name));
        return;
    }
    QObject* control = panel.findChild<QObject*>(item.name);
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        // An exclusive group keeps one option selected: a file's #FALSE# only confirms that.
        if (values.flag(item.name))
            option->setChecked(true);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        setLoadedCheckValue(box, values.number(item.name));
    } else if (auto* scroll = qobject_cast<QScrollBar*>(control)) {
        scroll->setValue(int(values.number(item.name)));
    } else if (auto* list = qobject_cast<QComboBox*>(control);
               list && item.kind == ConfigItem::Kind::Integer) {
        list->setCurrentIndex(int(values.number(item.name)));
    } else if (list) {
        list->setCurrentText(values.text(item.name));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(values.text(item.name));
    }
}

QString chooseConfigFile(const ConfigFileType& type, bool save, QWidget* parent) {
    const Dialogs::FileRequest request{
        save ? type.saveTitle : type.openTitle, type.filter,
        ProgramFolder::dataFolder(ProgramFolder::Data::ProjectConfigurations), type.pattern(),
        type.extension};
    const QString path = save ? Dialogs::saveFileAskingToReplace(request, parent)
                              : Dialogs::openFile(request, parent);
    if (path.isEmpty() || QFileInfo(path).fileName() == type.pattern())
        return {};
    if (Dialogs::extensionDiffers(path, type.extension)) {
        Dialogs::unsupportedFileType(parent);
        return {};
    }
    return path;
}

std::optional<ConfigValues> loadConfigFile(const ConfigFileType& type, const QString& path,
                                           const QString& lineBreak, QWidget* parent) {
    try {
        return readConfigFile(type, readFileBounded(path, fileBounds::Configuration));
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!"), lineBreak),
                         QStringLiteral("File open error"), Dialogs::Icon::None,
                         Dialogs::Buttons::Ok, parent);
        return std::nullopt;
    }
}

void saveConfigFile(const ConfigFileType& type, const QString& path, const ConfigValues& values,
                    const QString& lineBreak, QWidget* parent) {
    try {
        saveFileWhole(path, writeConfigItems(type, values));
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again"), lineBreak),
                         QStringLiteral("File save error"), Dialogs::Icon::None,
                         Dialogs::Buttons::Ok, parent);
    }
}

} // namespace krv
