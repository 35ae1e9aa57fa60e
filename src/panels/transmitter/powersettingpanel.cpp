#include "powersettingpanel.h"

#include "common/numbers.h"
#include "panels/common/frequencysetting.h"
#include "panels/common/outputpower.h"
#include "panels/common/panelwidgets.h"
#include "panels/common/sleepsetting.h"
#include "txwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace krv {

using namespace panel;

namespace {

// The threshold starts at 2.2 V.
constexpr int LowBatteryOffset = 22;

} // namespace

PowerSettingPanel::PowerSettingPanel(ISMmain& main, TransmitterTraits traits)
    : TransmitterPanel(main, std::move(traits)) {
    OutPowerw = wordBox(QStringLiteral("OutPowerw"));
    buildWordControls();
    connect(CLKout, &QComboBox::currentIndexChanged, this, [this] { CLKout_Click(); });
    connect(ModFreq, &QComboBox::currentIndexChanged, this, [this] { ModFreq_Click(); });
    connect(ModPol, &QComboBox::currentIndexChanged, this, [this] { ModPol_Click(); });
    connect(OutputPower, &QComboBox::currentIndexChanged, this, [this] { OutputPower_Click(); });
    connect(Modulation, &QComboBox::currentIndexChanged, this, [this] { OutputPower_Click(); });
    workOnLeaving(LBD, [this] { LBD_LostFocus(); });
    workOnLeaving(LBDV, [this] { LBDV_LostFocus(); });
    workOnLeaving(WKUPM, [this] { WKUPM_LostFocus(); });
    workOnLeaving(WKUPR, [this] { WKUPR_LostFocus(); });
    // The wake-up and low-battery boxes wait for their power-management box.
    for (QWidget* control : wakeUpGroup() + lowBatteryGroup())
        control->setEnabled(false);
}

void PowerSettingPanel::buildWordControls() {
    auto* modulation = OutputPower->parentWidget();
    auto* mg = static_cast<QGridLayout*>(modulation->layout());
    Label8 = new QLabel(QStringLiteral("Modulation:"), modulation);
    Label8->setObjectName(QStringLiteral("Label8"));
    Modulation = new QComboBox(modulation);
    Modulation->setObjectName(QStringLiteral("Modulation"));
    mg->addWidget(Label8, 3, 0);
    mg->addWidget(Modulation, 3, 1);

    QGroupBox* lbd = addGroup("FrameLBD", QStringLiteral("Low battery detector"), 3, 0);
    auto* lg = static_cast<QGridLayout*>(lbd->layout());
    LBD = numberBox(lbd, "LBD", txNumberWidth);
    LBDV = numberBox(lbd, "LBDV", txNumberWidth);
    lg->addWidget(new QLabel(QStringLiteral("T:"), lbd), 0, 0);
    lg->addWidget(LBD, 0, 1);
    lg->addWidget(new QLabel(QStringLiteral("V<sub>LBD</sub>:"), lbd), 0, 2);
    lg->addWidget(LBDV, 0, 3);
    lg->addWidget(new QLabel(QStringLiteral("V"), lbd), 0, 4);
    lg->addWidget(new QLabel(QStringLiteral("V<sub>lb</sub> = 2.2 + T * 0.1 [V]"), lbd), 1, 0, 1,
                  5);
    lg->addWidget(Label38, 2, 0, 1, 5);

    QGroupBox* wake = addGroup("FrameWakeUp", QStringLiteral("Wake-up timer"), 3, 1);
    auto* wg = static_cast<QGridLayout*>(wake->layout());
    WKUPM = numberBox(wake, "WKUPM", txNumberWidth);
    WKUPM->setToolTip(QStringLiteral("Multiplier of the Wake-up timer period"));
    WKUPR = numberBox(wake, "WKUPR", txNumberWidth);
    WKUPTIME = numberBox(wake, "WKUPTIME", txNumberWidth, true);
    Label7 = new QLabel(QStringLiteral("sec"), wake);
    Label7->setObjectName(QStringLiteral("Label7"));
    wg->addWidget(new QLabel(QStringLiteral("M:"), wake), 0, 0);
    wg->addWidget(WKUPM, 0, 1);
    wg->addWidget(new QLabel(QStringLiteral("R:"), wake), 0, 2);
    wg->addWidget(WKUPR, 0, 3);
    wg->addWidget(new QLabel(QStringLiteral("Time:"), wake), 1, 0);
    wg->addWidget(WKUPTIME, 1, 1);
    wg->addWidget(Label7, 1, 2);
    wg->addWidget(new QLabel(QStringLiteral("Time = M*2<sup>R</sup> [ms]"), wake), 2, 0, 1, 4);
    wg->addWidget(Label39, 3, 0, 1, 4);
    Label39->setWordWrap(true);
    Label38->setWordWrap(true);
}

void PowerSettingPanel::fillFixedLists() {
    // Filled quietly: a list starts with no selection, as the load step expects.
    const QSignalBlocker quietCxtal(Cxtal);
    Cxtal->addItems(freq::loadCapacitanceEntries());
    Cxtal->setCurrentIndex(-1);
    Cxtal->setEditText(QString());
    const QSignalBlocker quietPower(OutputPower);
    OutputPower->addItems(outputPowerEntries(8));
    OutputPower->setCurrentIndex(-1);
}

// ---- Configuration word
// ---------------------------------------------------------------------------

void PowerSettingPanel::rebuildConfigurationWord() {
    CtrlwData = tx::configurationWord(B, D, X, m3, M);
    showWord(Ctrlw, CtrlwData);
}

void PowerSettingPanel::CalcCtrlw() {
    rebuildConfigurationWord();
    redisplayCentreFrequency();
}

void PowerSettingPanel::FillCLKoutList() {
    fillList(CLKout, freq::clockOutputEntries(XtalFactor), 0);
}

QStringList PowerSettingPanel::deviationEntries(float xtal) {
    return freq::scaledEntries(xtal, {30, 60, 90, 120, 150, 180, 210, 240});
}

void PowerSettingPanel::FillModFreqList() {
    fillList(ModFreq, deviationEntries(XtalFactor), 0);
}

void PowerSettingPanel::CLKout_Click() {
    if (CLKout->currentIndex() < 0)
        return;
    D = CLKout->currentIndex();
    rebuildConfigurationWord();
}

void PowerSettingPanel::ModFreq_Click() {
    if (ModFreq->currentIndex() < 0)
        return;
    M = ModFreq->currentIndex();
    rebuildConfigurationWord();
}

void PowerSettingPanel::ModPol_Click() {
    m3 = ModPol->currentText() == QStringLiteral("fo + df") ? 0 : 1;
    rebuildConfigurationWord();
}

// ---- Power Setting word
// ---------------------------------------------------------------------------

void PowerSettingPanel::OutputPower_Click() {
    P = tx::powerField(OutputPower->currentText());
    OutputwData = tx::powerSettingWord(
        P, powerBits(), Modulation->currentText() == QStringLiteral("OOK"), ookBit());
    showWord(OutPowerw, OutputwData);
}

// ---- Low battery detector
// -------------------------------------------------------------------------

long PowerSettingPanel::lowBatteryWordFor(long threshold) const {
    return tx::lowBatteryWord(threshold, 0, 0);
}

void PowerSettingPanel::LBD_LostFocus() {
    const long threshold = long(takeWholeField(LBD, 0, 31));
    LBDV->setText(sleep::thresholdText(int(threshold), LowBatteryOffset));
    showWord(LBDw, lowBatteryWordFor(threshold));
}

void PowerSettingPanel::LBDV_LostFocus() {
    const QString volts = sleep::clampedThresholdText(LBDV->text());
    LBDV->setText(volts);
    LBD->setText(QString::number(sleep::thresholdField(volts, LowBatteryOffset, false)));
    LBD_LostFocus();
}

QList<QWidget*> PowerSettingPanel::lowBatteryGroup() const {
    return {LBD, LBDw, LBDV};
}

// ---- Wake-up timer
// --------------------------------------------------------------------------------

void PowerSettingPanel::WKUPM_LostFocus() {
    const sleep::WakeUp wakeUp = sleep::wakeUp(false, leadingNumber(WKUPM->text()),
                                               leadingNumber(WKUPR->text()), 0, XtalFactor, 23);
    WM = wakeUp.m;
    WR = wakeUp.r;
    WKUPM->setText(QString::number(WM));
    WKUPR->setText(QString::number(WR));
    WKUPTIME->setText(wakeUp.time);
    Label7->setText(wakeUp.unit);
    showWord(Wkupw, wakeUp.word);
}

QList<QWidget*> PowerSettingPanel::wakeUpGroup() const {
    return {WKUPM, WKUPR, Wkupw};
}

} // namespace krv
