#include "app/ismmain.h"
#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/itemfile.h"
#include "common/numbers.h"
#include "common/programfolder.h"
#include "common/savefile.h"
#include "panels/common/filesupply.h"
#include "panels/common/loadedcheckbox.h"
#include "receiverpanel.h"
#include "receiverwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace krv {

using namespace receiver;

namespace {

const QString openErrorTitle = QStringLiteral("File open error");
constexpr int InvalidPropertyValue = 380;

[[noreturn]] void refuse() {
    throw Error(InvalidPropertyValue, QStringLiteral("Invalid property value"));
}

// Lists whose file item is the selection index rather than the text.
bool storedByIndex(const QString& name) {
    return name == QStringLiteral("BasebandBW") || name == QStringLiteral("CLKout");
}

// The supply voltage of a file must be a positive number.
void checkVoltageText(const QString& text) {
    if (!isWholeNumber(text) || !(leadingNumber(text) > 0))
        throw Error(errors::TypeMismatch, QStringLiteral("Type mismatch"));
}

} // namespace

ReceiverConfig ReceiverPanel::collectConfig() const {
    ReceiverConfig config;
    for (const ItemSpec& item : fileType(chip_).items) {
        if (item.name == QStringLiteral("Pref_RxLinkTimeout")) {
            config.numbers.insert(item.name, mainWindow().Pref_RxLinkTimeout);
            continue;
        }
        if (item.name == QStringLiteral("Pref_Voltage")) {
            config.texts.insert(item.name, mainWindow().Pref_Voltage);
            continue;
        }
        QObject* control = findChild<QObject*>(item.name);
        if (auto* radio = qobject_cast<QRadioButton*>(control))
            config.flags.insert(item.name, radio->isChecked());
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            config.numbers.insert(item.name, box->checkState() == Qt::Checked            ? 1
                                             : box->checkState() == Qt::PartiallyChecked ? 2
                                                                                         : 0);
        else if (auto* scroll = qobject_cast<QScrollBar*>(control))
            config.numbers.insert(item.name, scroll->value());
        else if (auto* combo = qobject_cast<QComboBox*>(control); combo && storedByIndex(item.name))
            config.numbers.insert(item.name, combo->currentIndex());
        else if (combo)
            config.texts.insert(item.name, combo->currentText());
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            config.texts.insert(item.name, edit->text());
    }
    return config;
}

// A list text that is no entry of its list passes: storing it leaves that list as it was.
void ReceiverPanel::checkConfig(const ReceiverConfig& config) const {
    checkVoltageText(config.text(QStringLiteral("Pref_Voltage")));
    const long long timeout = config.number(QStringLiteral("Pref_RxLinkTimeout"));
    if (timeout < std::numeric_limits<int>::min() || timeout > std::numeric_limits<int>::max())
        refuse();
    for (const ItemSpec& item : fileType(chip_).items) {
        QObject* control = findChild<QObject*>(item.name);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            // A box would cut a longer text short without a word.
            if (config.text(item.name).size() > edit->maxLength())
                refuse();
        } else if (qobject_cast<QCheckBox*>(control)) {
            const long long v = config.number(item.name);
            if (v < 0 || v > 2)
                refuse();
        } else if (auto* scroll = qobject_cast<QScrollBar*>(control)) {
            const long long v = config.number(item.name);
            if (v < scroll->minimum() || v > scroll->maximum())
                refuse();
        } else if (auto* combo = qobject_cast<QComboBox*>(control);
                   combo && storedByIndex(item.name)) {
            const long long v = config.number(item.name);
            if (v < 0 || v >= combo->count())
                refuse();
        }
    }
}

void ReceiverPanel::storeItem(const ItemSpec& item, const ReceiverConfig& config) {
    if (item.name == QStringLiteral("Pref_RxLinkTimeout")) {
        mainWindow().Pref_RxLinkTimeout = long(config.number(item.name));
        return;
    }
    if (item.name == QStringLiteral("Pref_Voltage")) {
        mainWindow().Pref_Voltage = fileVoltage(config.text(item.name)).text;
        return;
    }
    QObject* control = findChild<QObject*>(item.name);
    if (auto* radio = qobject_cast<QRadioButton*>(control)) {
        if (config.flag(item.name))
            radio->setChecked(true);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        setLoadedCheckValue(box, config.number(item.name));
    } else if (auto* scroll = qobject_cast<QScrollBar*>(control)) {
        scroll->setValue(int(config.number(item.name)));
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && storedByIndex(item.name)) {
        combo->setCurrentIndex(int(config.number(item.name)));
    } else if (combo) {
        combo->setCurrentText(config.text(item.name));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(config.text(item.name));
    }
}

void ReceiverPanel::applyConfig(const ReceiverConfig& config) {
    const long revisionBefore = Rev;
    for (const ItemSpec& item : fileType(chip_).items) {
        storeItem(item, config);
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
        for (const char* name : {"VDI", "FILTTYPE", "AFCauto", "DATARATEDIV", "dataratepresc"})
            storeItem({QString::fromLatin1(name), ItemKind::Text}, config);
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
    const FileType& type = fileType(chip_);
    const QString path = Dialogs::openFile(
        {QStringLiteral("Load Receiver Configuration File"), type.filter,
         ProgramFolder::dataFolder(QStringLiteral("Project_Configurations")), type.pattern},
        this);
    if (path.isEmpty() || QFileInfo(path).fileName() == type.pattern)
        return;
    if (Dialogs::extensionDiffers(path, type.extension)) {
        Dialogs::unsupportedFileType();
        return;
    }
    ReceiverConfig config;
    try {
        config = parse(chip_, readFileBounded(path, fileBounds::Configuration));
        checkConfig(config);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")), openErrorTitle);
        return;
    }
    // A running status read ticks AFC back on at its end and owns the line meanwhile: the file
    // takes effect after it.
    whenCommStateFree([this, config] {
        applyConfig(config);
        applyFileVoltage(mainWindow(), Statusline, this,
                         fileVoltage(config.text(QStringLiteral("Pref_Voltage"))));
    });
}

void ReceiverPanel::ConfSave_Click() {
    const FileType& type = fileType(chip_);
    const QString path = Dialogs::saveFileAskingToReplace(
        {type.saveTitle, type.filter,
         ProgramFolder::dataFolder(QStringLiteral("Project_Configurations")), type.pattern,
         type.extension},
        this);
    if (path.isEmpty() || QFileInfo(path).fileName() == type.pattern)
        return;
    if (Dialogs::extensionDiffers(path, type.extension)) {
        Dialogs::unsupportedFileType();
        return;
    }
    try {
        saveFileWhole(path, serialize(chip_, collectConfig()));
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                         QStringLiteral("File save error"));
    }
}

} // namespace krv
