#include "mivrav2.h"

#include "app/ismmain.h"
#include "panels/common/frequencysetting.h"
#include "panels/common/outputpower.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSignalBlocker>

namespace krv {

namespace {

const QString RevisionC = QStringLiteral("'C' or below");
const QString RevisionD = QStringLiteral("'D' or above");

TransmitterTraits traitsOf() {
    using I = ConfigItem;
    // The lists stored by index hold as many entries at every crystal.
    const int clockOutputCount = int(freq::clockOutputEntries(1.0f).size());
    const int deviationCount = int(PowerSettingPanel::deviationEntries(1.0f).size());
    TransmitterTraits s;
    s.caption = QStringLiteral("HT531 transmitter control panel");
    s.sendsWscc = true;
    s.compactHeight = 8930;
    s.tallHeight = 9700;
    s.statusCaptions = {"POR", "PB1", "PB2", "PB3", "PB4", "LBD", "WK-UP", "nIRQ"};
    s.hideProcedure = &ISMmain::MivraV2_hide;
    s.bands = {TransmitterBand{1, 31, 0, 2.5}, TransmitterBand{1, 43, 1, 2.5},
               TransmitterBand{2, 43, 2, 5}, TransmitterBand{3, 30, 3, 7.5}};
    s.frequencyClearsStatus = false;
    s.autoPowerControl = true;
    s.wordBoxes = {
        {"Ctrlw", "Configuration Setting Command:"}, {"Freqw", "Frequency Setting Command:"},
        {"OutPowerw", "Power Setting Command:"},     {"PowerMw", "Power Management Command:"},
        {"LBDw", "Low Battery Detector Command:"},   {"Wkupw", "Wake-Up Timer Command:"}};
    s.file.extension = QStringLiteral("tc");
    s.file.filter = QStringLiteral("Transmitter Configuration files (*.tc);;All files (*.*)");
    s.file.banner = QStringLiteral("# KRV HT531 configuration file. Version 2.0.0");
    s.file.versionDescription = QStringLiteral("Incorrect configuration file version");
    s.file.openTitle = QStringLiteral("Load Transmitter Configuration File");
    s.file.saveTitle = QStringLiteral("Save Transmitter Configuration File");
    s.file.appendsExtension = false;
    s.file.items = {I::option("StdCrystal"),
                    I::option("NonStdCrystal"),
                    I::text("Crystalfreq"),
                    I::text("WKUPM"),
                    I::text("WKUPR"),
                    I::text("FreqCenter"),
                    I::option("Band315"),
                    I::option("Band433"),
                    I::option("Band868"),
                    I::option("Band915"),
                    I::listIndex("CLKout", clockOutputCount),
                    I::text("Cxtal"),
                    I::text("ModPol"),
                    I::listIndex("ModFreq", deviationCount),
                    I::text("OutputPower"),
                    I::checkBox("pm7"),
                    I::checkBox("pm6"),
                    I::checkBox("pm5"),
                    I::checkBox("pm4"),
                    I::checkBox("pm3"),
                    I::checkBox("pm2"),
                    I::checkBox("pm1"),
                    I::checkBox("pm0"),
                    I::voltage(),
                    I::text("Modulation"),
                    I::text("Revision"),
                    I::text("LBD")};
    return s;
}

} // namespace

MivraV2::MivraV2(ISMmain& main) : PowerSettingPanel(main, traitsOf()) {
    connect(Revision, &QComboBox::currentTextChanged, this, [this] { Revision_Click(); });
}

void MivraV2::Form_Load() {
    beginLoad();
    C1 = 1;
    C2 = 31;
    F = 2000;
    {
        const QSignalBlocker quiet(Band315);
        Band315->setChecked(true);
    }
    Band315_Click();
    XtalFactor = 1.0f;
    FillCLKoutList();
    fillList(ModPol, {QStringLiteral("fo + df"), QStringLiteral("fo - df")}, 0);
    FillModFreqList();
    fillFixedLists();
    {
        const QSignalBlocker quiet(Revision);
        Revision->addItems({RevisionC, RevisionD});
        Revision->setCurrentIndex(1);
    }
    fillList(Modulation, {QStringLiteral("FSK"), QStringLiteral("OOK")}, 0);
    RevisionFlag = 1;
    StdCrystal_Click();
    Band315_Click();
    LabelCalibration->setVisible(false);
    Cxtal->setCurrentText(QStringLiteral("12.5 pF"));
    Cxtal_Click();
    CalcCtrlw();
    FreqCenter->setText(QStringLiteral("315"));
    FreqCenter_LostFocus();
    OutputPower->setCurrentIndex(0);
    OutputPower_Click();
    pm0_Click();
    pm0_Click();
    LBD->setText(QStringLiteral("0"));
    LBD_LostFocus();
    Revision->setCurrentText(mainWindow().Pref_MivraRevision);
    WKUPM->setText(QStringLiteral("0"));
    WKUPR->setText(QStringLiteral("0"));
    WKUPM_LostFocus();
    endLoad();
}

void MivraV2::SetFrameMode() {
    const bool bVariant = mainWindow().IsBijakuModeSet();
    setWindowTitle(bVariant ? QStringLiteral("HT531B transmitter control panel")
                            : QStringLiteral("HT531 transmitter control panel"));
    if (QWidget* frame = mainWindow().frameOf(this))
        frame->setWindowTitle(windowTitle());
    for (QRadioButton* band : {Band433, Band868, Band915})
        band->setVisible(!bVariant);
    Revision->setVisible(!bVariant);
    // A borderless frame around a hidden list shows nothing; styles that ignore a flat group box
    // would still draw its empty box.
    Frame1->setVisible(!bVariant);
    layoutChanged();
}

void MivraV2::Revision_Click() {
    const QString text = Revision->currentText();
    if (text == RevisionC || text == RevisionD) {
        const long flag = text == RevisionC ? 0 : 1;
        if (RevisionFlag != flag) {
            const QSignalBlocker quiet(OutputPower);
            OutputPower->clear();
            OutputPower->addItems(outputPowerEntries(flag == 0 ? 4 : 8));
            OutputPower->setCurrentIndex(0);
        }
        QPalette palette = Revision->lineEdit()->palette();
        palette.setColor(QPalette::Base,
                         (flag == 0 ? Yellow : Green)->palette().color(QPalette::Base));
        Revision->lineEdit()->setPalette(palette);
        RevisionFlag = flag;
    }
    OutputPower_Click();
}

QList<ChipPanel::UpdateStep> MivraV2::updateSteps() {
    return {UpdateStep::wordBox(Ctrlw),     UpdateStep::wordBox(Freqw),
            UpdateStep::byteBox(OutPowerw), UpdateStep::wordBox(PowerMw),
            UpdateStep::wordBox(LBDw),      UpdateStep::wordBox(Wkupw)};
}

QStringList MivraV2::fileEntries(QComboBox* list, const ConfigValues& values) const {
    // The power list follows the file's own revision, which is applied after the power item.
    if (list == OutputPower) {
        const QString revision = values.text(QStringLiteral("Revision"));
        if (revision == RevisionC)
            return outputPowerEntries(4);
        if (revision == RevisionD)
            return outputPowerEntries(8);
    }
    return PowerSettingPanel::fileEntries(list, values);
}

void MivraV2::itemStored(const QString& name, const ConfigValues& values) {
    if (name == QStringLiteral("WKUPR"))
        WKUPR_LostFocus();
    else if (name == QStringLiteral("Revision"))
        // A revision switch rebuilds the power list at "Pmax": the file's level goes in again.
        storeItem(ConfigItem::text(QStringLiteral("OutputPower")), values);
}

void MivraV2::afterConfigItems() {
    LBD_LostFocus();
}

} // namespace krv
