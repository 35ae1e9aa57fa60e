#include "pelkov1.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/frequencysetting.h"
#include "panels/common/panelwidgets.h"
#include "txwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace krv {

using namespace panel;

namespace {

QStringList maxDataRateEntries() {
    return {QStringLiteral("19.2"), QStringLiteral("38.4"), QStringLiteral("68.9"),
            QStringLiteral("115.2")};
}

TransmitterTraits traitsOf() {
    using I = ConfigItem;
    // The lists stored by index hold as many entries at every crystal.
    const int clockOutputCount = int(freq::clockOutputEntries(1.0f).size());
    const int deviationCount = int(PowerSettingPanel::deviationEntries(1.0f).size());
    const int maxDataRateCount = int(maxDataRateEntries().size());
    TransmitterTraits s;
    s.caption = QStringLiteral("HT537 transmitter control panel");
    s.sendsWscc = true;
    s.compactHeight = 10380;
    s.tallHeight = 11000;
    s.statusCaptions = {"POR", "PB1", "PB2", "PB3", "PB4", "LBD", "WK-UP", "nIRQ"};
    s.hideProcedure = &ISMmain::PelkoV1_hide;
    s.bands = {std::nullopt, TransmitterBand{1, 43, 1, 2.5}, TransmitterBand{2, 43, 2, 5},
               TransmitterBand{3, 30, 3, 7.5}};
    s.frequencyClearsStatus = true;
    s.autoPowerControl = true;
    s.wordBoxes = {
        {"Ctrlw", "Configuration Setting Command:"}, {"Freqw", "Frequency Setting Command:"},
        {"OutPowerw", "Power Setting Command:"},     {"PowerMw", "Power Management Command:"},
        {"LBDw", "Low Battery Detector Command:"},   {"Wkupw", "Wake-Up Timer Command:"},
        {"Dataratew", "Data Rate Command:"},         {"TB_PLLCmd", "PLL Setting Command:"}};
    s.file.extension = QStringLiteral("tc1");
    s.file.filter = QStringLiteral("HT537 Configuration files (*.tc1);;All files (*.*)");
    s.file.banner = QStringLiteral("# KRV HT537 configuration file. Version 2.0.0");
    s.file.versionDescription = QStringLiteral("Incorrect configuration file version");
    s.file.openTitle = QStringLiteral("Load HT537 Configuration File");
    s.file.saveTitle = QStringLiteral("Save HT537 Configuration File");
    s.file.appendsExtension = true;
    s.file.items = {I::option("StdCrystal"),
                    I::option("NonStdCrystal"),
                    I::text("Crystalfreq"),
                    I::text("FreqCenter"),
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
                    I::text("LBD"),
                    I::text("WKUPM"),
                    I::text("WKUPR"),
                    I::checkBox("CB_dwc"),
                    I::checkBox("CB_ebs"),
                    I::text("DATARATEDIV"),
                    I::listIndex("CB_MaxDataRate", maxDataRateCount)};
    return s;
}

} // namespace

PelkoV1::PelkoV1(ISMmain& main) : PowerSettingPanel(main, traitsOf()) {
    Dataratew = wordBox(QStringLiteral("Dataratew"));
    TB_PLLCmd = wordBox(QStringLiteral("TB_PLLCmd"));
    buildDataRate();
    CB_dwc->setEnabled(false);
    connect(CB_dwc, &QCheckBox::stateChanged, this, [this] { CB_dwc_Click(); });
    connect(CB_ebs, &QCheckBox::stateChanged, this, [this] { CB_ebs_Click(); });
    connect(CB_MaxDataRate, &QComboBox::currentIndexChanged, this,
            [this] { CB_MaxDataRate_Click(); });
    workOnLeaving(DATARATEDIV, [this] { DATARATEDIV_LostFocus(); });
}

void PelkoV1::buildDataRate() {
    auto* lbd = static_cast<QGridLayout*>(LBD->parentWidget()->layout());
    CB_dwc =
        new QCheckBox(QStringLiteral("Disable Wake-up Timer Calibration"), LBD->parentWidget());
    CB_dwc->setObjectName(QStringLiteral("CB_dwc"));
    CB_ebs = new QCheckBox(QStringLiteral("Enable TX bit Synchronisation"), LBD->parentWidget());
    CB_ebs->setObjectName(QStringLiteral("CB_ebs"));
    lbd->addWidget(CB_dwc, 3, 0, 1, 5);
    lbd->addWidget(CB_ebs, 4, 0, 1, 5);

    // Under the word column, which has room for them.
    QGroupBox* rate = addSideGroup("FrameDataRate", QStringLiteral("Data rate"));
    auto* g = static_cast<QGridLayout*>(rate->layout());
    DATARATEDIV = numberBox(rate, "DATARATEDIV", txNumberWidth, false);
    DATARATE = numberBox(rate, "DATARATE", txNumberWidth, true);
    g->addWidget(new QLabel(QStringLiteral("R:"), rate), 0, 0);
    g->addWidget(DATARATEDIV, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Data Rate:"), rate), 1, 0);
    g->addWidget(DATARATE, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("kbps"), rate), 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Data Rate = 10<sup>4</sup> / 29 / (R+1) [kbps]"), rate),
                 2, 0, 1, 3);

    QGroupBox* pll = addSideGroup("FramePLL", QStringLiteral("PLL setting"));
    auto* p = static_cast<QGridLayout*>(pll->layout());
    CB_MaxDataRate = new QComboBox(pll);
    CB_MaxDataRate->setObjectName(QStringLiteral("CB_MaxDataRate"));
    TB_PHNoise = numberBox(pll, "TB_PHNoise", txNumberWidth, true);
    p->addWidget(new QLabel(QStringLiteral("Max Datarate:"), pll), 0, 0);
    p->addWidget(CB_MaxDataRate, 0, 1);
    p->addWidget(new QLabel(QStringLiteral("kbps"), pll), 0, 2);
    p->addWidget(new QLabel(QStringLiteral("Phase Noise:"), pll), 1, 0);
    p->addWidget(TB_PHNoise, 1, 1);
    p->addWidget(new QLabel(QStringLiteral("[dBc/Hz]"), pll), 1, 2);
}

void PelkoV1::Form_Load() {
    beginLoad();
    C1 = 1;
    C2 = 31;
    F = 2000;
    XtalFactor = 1.0f;
    FillCLKoutList();
    fillList(ModPol, {QStringLiteral("fo + df"), QStringLiteral("fo - df")}, 0);
    FillModFreqList();
    fillFixedLists();
    {
        const QSignalBlocker quiet(Revision);
        Revision->addItem(QStringLiteral("'A' or above"));
        Revision->setCurrentIndex(0);
    }
    fillList(Modulation, {QStringLiteral("FSK"), QStringLiteral("OOK")}, 0);
    {
        const QSignalBlocker quiet(CB_MaxDataRate);
        CB_MaxDataRate->addItems(maxDataRateEntries());
        CB_MaxDataRate->setCurrentIndex(-1);
    }
    F = 2000;
    StdCrystal_Click();
    {
        const QSignalBlocker quiet(Band433);
        Band433->setChecked(true);
    }
    Band433_Click();
    LabelCalibration->setVisible(false);
    Cxtal->setCurrentText(QStringLiteral("12.5 pF"));
    FreqCenter->setText(QStringLiteral("435"));
    FreqCenter_LostFocus();
    OutputPower->setCurrentIndex(0);
    pm7_Click();
    WKUPM->setText(QStringLiteral("0"));
    WKUPR->setText(QStringLiteral("0"));
    WKUPM_LostFocus();
    LBD->setText(QStringLiteral("0"));
    LBD_LostFocus();
    Revision->setCurrentText(mainWindow().Pref_PelkoRevision);
    DATARATEDIV->setText(QStringLiteral("0"));
    DATARATEDIV_LostFocus();
    CB_MaxDataRate->setCurrentIndex(2);
    endLoad();
}

QList<ChipPanel::UpdateStep> PelkoV1::updateSteps() {
    return {UpdateStep::wordBox(Ctrlw),     UpdateStep::wordBox(Freqw),
            UpdateStep::byteBox(OutPowerw), UpdateStep::wordBox(PowerMw),
            UpdateStep::wordBox(LBDw),      UpdateStep::wordBox(Wkupw),
            UpdateStep::wordBox(Dataratew), UpdateStep::wordBox(TB_PLLCmd)};
}

long PelkoV1::lowBatteryWordFor(long threshold) const {
    return tx::lowBatteryWord(threshold, dwc, ebs);
}

QList<QWidget*> PelkoV1::wakeUpGroup() const {
    return PowerSettingPanel::wakeUpGroup() << CB_dwc;
}

void PelkoV1::CB_dwc_Click() {
    dwc = bitOf(CB_dwc);
    LBD_LostFocus();
}

void PelkoV1::CB_ebs_Click() {
    ebs = bitOf(CB_ebs);
    LBD_LostFocus();
}

void PelkoV1::DATARATEDIV_LostFocus() {
    DATARATED = long(takeWholeField(DATARATEDIV, 0, 255));
    DATARATE->setText(tx::dataRateText(DATARATED, XtalFactor));
    showWord(Dataratew, tx::dataRateWord(DATARATED));
}

void PelkoV1::CB_MaxDataRate_Click() {
    const int position = CB_MaxDataRate->currentIndex();
    if (position < 0)
        return;
    const tx::PllSetting setting = tx::pllSetting(position);
    TB_PHNoise->setText(setting.phaseNoise);
    TB_PLLCmd->setText(setting.word);
}

void PelkoV1::redisplayDataRate() {
    // The shown rate follows the crystal; the word does not depend on it.
    DATARATE->setText(tx::dataRateText(DATARATED, XtalFactor));
}

void PelkoV1::afterConfigItems() {
    LBD_LostFocus();
    WKUPR_LostFocus();
    DATARATEDIV_LostFocus();
}

} // namespace krv
