#include "ht539.h"

#include "app/ismmain.h"
#include "app/updown.h"
#include "common/numbers.h"
#include "ht539words.h"
#include "panels/common/frequencysetting.h"
#include "panels/common/outputpower.h"
#include "panels/common/panelwidgets.h"
#include "panels/common/sleepboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <climits>

namespace krv {

using namespace panel;

namespace {

TransmitterTraits traitsOf() {
    using I = ConfigItem;
    // The lists stored by index hold as many entries at every crystal.
    const int clockOutputCount = int(freq::clockOutputEntries(1.0f).size());
    const int deviationCount = int(ht539::deviationEntries(1.0f).size());
    const int pllBandwidthCount = int(ht539::pllBandwidthEntries().size());
    TransmitterTraits s;
    s.caption = QStringLiteral("HT539 transmitter control panel");
    s.sendsWscc = false;
    s.compactHeight = 10100;
    s.tallHeight = 10800;
    s.statusCaptions = {"FFIT", "FFEM", "FFOV", "LBD", "WK-UP", "POR", "WK-UP", "nIRQ"};
    s.hideProcedure = &ISMmain::Harx_hide;
    // The 433 MHz band is the chip's, but the panel does not offer it.
    s.bands = {std::nullopt, TransmitterBand{1, 43, 1, 20}, TransmitterBand{8, 10, 2, 20},
               TransmitterBand{8, 11, 3, 20}};
    s.frequencyClearsStatus = true;
    s.autoPowerControl = false;
    s.wordBoxes = {{"Ctrlw", "Configuration Setting Command:"},
                   {"Freqw", "Frequency Setting Command:"},
                   {"PowerMw", "Power Management Command:"},
                   {"TB_FIFOcmd", "FIFO Setting Command"},
                   {"TB_DataRateCmd", "Data Rate Command"},
                   {"LBDw", "Low Battery and Clock Divider Command:"},
                   {"Wkupw", "Wake-Up Timer Command:"},
                   {"EWkupw", "Extended Wake-Up Timer Command:"},
                   {"EFCmd", "Extended Features Command"}};
    s.file.extension = QStringLiteral("tc2");
    s.file.filter = QStringLiteral("HT539 Configuration files (*.tc2);;All files (*.*)");
    s.file.banner = QStringLiteral("# KRV HT539 configuration file. Version 2.2.2");
    s.file.versionDescription = QStringLiteral("Incorrect configuration file version.");
    s.file.openTitle = QStringLiteral("Load HT539 Configuration File");
    s.file.saveTitle = QStringLiteral("Save HT539 Configuration File");
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
                    I::checkBox("pm5"),
                    I::checkBox("pm4"),
                    I::checkBox("pm3"),
                    I::checkBox("pm2"),
                    I::checkBox("pm1"),
                    I::checkBox("pm0"),
                    I::checkBox("CB_EnFIFO"),
                    I::text("TB_FIFOITLevel"),
                    I::checkBox("CB_Prescaler"),
                    I::text("TB_DataRate"),
                    I::voltage(),
                    I::text("Revision"),
                    I::text("LBD"),
                    I::text("WKUPD"),
                    I::text("WKUPM"),
                    I::text("WKUPR"),
                    I::checkBox("CB_ebs"),
                    I::checkBox("CB_EnLowPowerXtal"),
                    I::checkBox("CB_512ClockTail"),
                    I::checkBox("CB_DisWUTAutocal"),
                    I::checkBox("CB_DisFIFOAutoSleep"),
                    I::checkBox("CB_EnWUonIT"),
                    I::listIndex("C_PLLBW", pllBandwidthCount)};
    return s;
}

QCheckBox* check(QWidget* parent, const char* name, const char* caption) {
    return named(new QCheckBox(QString::fromLatin1(caption), parent), name);
}

QSlider* slider(QWidget* parent, const char* name, int maximum) {
    auto* s = named(new QSlider(Qt::Horizontal, parent), name);
    s->setRange(0, maximum);
    s->setSingleStep(1);
    s->setPageStep(5);
    return s;
}

// The arrows have no range of their own: the box's step keeps the value in its range. Together
// they are as high as their box, so that a row with arrows is no taller than one without.
UpDown* upDown(QLineEdit* buddy, QWidget* parent, const char* name) {
    auto* arrows = named(new UpDown(buddy, INT_MIN / 2, INT_MAX / 2, parent), name);
    const int half = buddy->sizeHint().height() / 2;
    for (QToolButton* arrow : {arrows->upArrow(), arrows->downArrow()})
        arrow->setFixedSize(2 * half, half);
    return arrows;
}

bool isOn(const QCheckBox* box) {
    return bitOf(box) != 0;
}

// Fills a list without running its handler; it starts with no selection.
void fillQuietly(QComboBox* list, const QStringList& entries) {
    const QSignalBlocker quiet(list);
    list->addItems(entries);
    list->setCurrentIndex(-1);
}

} // namespace

HT539::HT539(ISMmain& main) : TransmitterPanel(main, traitsOf()) {
    EWkupw = wordBox(QStringLiteral("EWkupw"));
    TB_FIFOcmd = wordBox(QStringLiteral("TB_FIFOcmd"));
    TB_DataRateCmd = wordBox(QStringLiteral("TB_DataRateCmd"));
    EFCmd = wordBox(QStringLiteral("EFCmd"));
    Band433->setVisible(false);
    Band433->setEnabled(false);
    Frame1->setVisible(false);
    pm1->setText(QStringLiteral("  Wake-up timer"));
    // Bits 1 and 0 of the status byte reach indicators 7 and 8, which nobody sees.
    status[7]->setVisible(false);
    status[8]->setVisible(false);
    buildLowBattery();
    buildWakeUp();
    buildExtendedFeatures();
    buildFifoAndDataRate();
    connectHandlers();
    // The wake-up and low-battery controls wait for their power-management box.
    for (QWidget* control : wakeUpGroup() + lowBatteryGroup())
        control->setEnabled(false);
}

void HT539::buildLowBattery() {
    QGroupBox* group = addGroup("FrameLBD", QStringLiteral("Low battery and clock divider"), 3, 0);
    auto* g = static_cast<QGridLayout*>(group->layout());
    LBD = numberBox(group, "LBD", txNumberWidth);
    UD_LBD = upDown(LBD, group, "UD_LBD");
    LBDV = numberBox(group, "LBDV", txNumberWidth);
    CB_ebs = check(group, "CB_ebs", "Enable 32 kHz clk out in sleep mode");
    g->addWidget(new QLabel(QStringLiteral("T:"), group), 0, 0);
    g->addWidget(LBD, 0, 1);
    g->addWidget(UD_LBD, 0, 2);
    g->addWidget(new QLabel(QStringLiteral("V<sub>LBD</sub>:"), group), 0, 3);
    g->addWidget(LBDV, 0, 4);
    g->addWidget(new QLabel(QStringLiteral("V"), group), 0, 5);
    g->addWidget(new QLabel(QStringLiteral("V<sub>LBD</sub> = 2.0 + T * 0.1 [V]"), group), 1, 0, 1,
                 6);
    g->addWidget(Label38, 2, 0, 1, 6);
    g->addWidget(CB_ebs, 3, 0, 1, 6);
    Label38->setWordWrap(true);
}

void HT539::buildWakeUp() {
    QGroupBox* group = addGroup("FrameWakeUp", QStringLiteral("Wake-up timer"), 3, 1);
    auto* g = static_cast<QGridLayout*>(group->layout());
    WKUPM = numberBox(group, "WKUPM", txNumberWidth);
    WKUPR = numberBox(group, "WKUPR", txNumberWidth);
    WKUPD = numberBox(group, "WKUPD", txNumberWidth);
    WKUPD->setToolTip(QStringLiteral("Multiplier of the Wake-up timer period"));
    UD_WakeUpM = upDown(WKUPM, group, "UD_WakeUpM");
    UD_WakeUpR = upDown(WKUPR, group, "UD_WakeUpR");
    UD_WakeUpD = upDown(WKUPD, group, "UD_WakeUpD");
    SL_WakeUpM = slider(group, "SL_WakeUpM", 16383);
    SL_WakeUpR = slider(group, "SL_WakeUpR", 15);
    WKUPTIME = numberBox(group, "WKUPTIME", txNumberWidth, true);
    Label8 = named(new QLabel(QStringLiteral("ms"), group), "Label8");
    LabelExponent = named(new QLabel(group), "LabelExponent");
    g->addWidget(new QLabel(QStringLiteral("M:"), group), 0, 0);
    g->addWidget(WKUPM, 0, 1);
    g->addWidget(UD_WakeUpM, 0, 2);
    g->addWidget(SL_WakeUpM, 0, 3, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("R:"), group), 1, 0);
    g->addWidget(WKUPR, 1, 1);
    g->addWidget(UD_WakeUpR, 1, 2);
    g->addWidget(SL_WakeUpR, 1, 3, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("D:"), group), 2, 0);
    g->addWidget(WKUPD, 2, 1);
    g->addWidget(UD_WakeUpD, 2, 2);
    g->addWidget(new QLabel(QStringLiteral("Time:"), group), 3, 0);
    g->addWidget(WKUPTIME, 3, 1);
    g->addWidget(Label8, 3, 2);
    g->addWidget(LabelExponent, 3, 3, 1, 3);
    g->addWidget(Label39, 4, 0, 1, 6);
    Label39->setWordWrap(true);
}

void HT539::buildFifoAndDataRate() {
    // The FIFO where the revision frame of the other panels stands; the data rate across the
    // bottom, where its formula has room.
    QGroupBox* fifo = addGroup("FrameFIFO", QStringLiteral("Transmit FIFO"), 1, 1);
    auto* f = static_cast<QGridLayout*>(fifo->layout());
    CB_EnFIFO = check(fifo, "CB_EnFIFO", "Enable Transmit FIFO");
    TB_FIFOITLevel = numberBox(fifo, "TB_FIFOITLevel", txNumberWidth);
    UD_FIFOITLevel = upDown(TB_FIFOITLevel, fifo, "UD_FIFOITLevel");
    SL_FIFOITLevel = slider(fifo, "SL_FIFOITLevel", ht539::MaxFifoLevel);
    f->addWidget(CB_EnFIFO, 0, 0, 1, 4);
    f->addWidget(new QLabel(QStringLiteral("FIFO IT Level"), fifo), 1, 0);
    f->addWidget(TB_FIFOITLevel, 1, 1);
    f->addWidget(UD_FIFOITLevel, 1, 2);
    f->addWidget(SL_FIFOITLevel, 2, 0, 1, 4);

    QGroupBox* rate = addGroup("FrameDataRate", QStringLiteral("Data rate"), 4, 0, 2);
    auto* r = static_cast<QGridLayout*>(rate->layout());
    CB_Prescaler = check(rate, "CB_Prescaler", "Enable Prescaler (cs)");
    TB_DataRate = numberBox(rate, "TB_DataRate", txNumberWidth);
    UD_DataRate = upDown(TB_DataRate, rate, "UD_DataRate");
    SL_DataRateLevel = slider(rate, "SL_DataRateLevel", ht539::MaxDataRate);
    TB_DataRateValue = numberBox(rate, "TB_DataRateValue", txNumberWidth, true);
    Label27 = named(new QLabel(QStringLiteral("kbps"), rate), "Label27");
    // Two rows across the panel: the divider with its slider and the prescaler, then the rate
    // with its formula.
    r->addWidget(new QLabel(QStringLiteral("R:"), rate), 0, 0);
    r->addWidget(TB_DataRate, 0, 1);
    r->addWidget(UD_DataRate, 0, 2);
    r->addWidget(SL_DataRateLevel, 0, 3);
    r->addWidget(CB_Prescaler, 0, 4);
    r->addWidget(new QLabel(QStringLiteral("Data Rate:"), rate), 1, 0);
    r->addWidget(TB_DataRateValue, 1, 1);
    r->addWidget(Label27, 1, 2);
    r->addWidget(
        new QLabel(QStringLiteral("Data Rate = 10<sup>4</sup> / 29 / (R+1) / (1+cs*7) [kbps]"),
                   rate),
        1, 3, 1, 2);
}

void HT539::buildExtendedFeatures() {
    // Beside the settings, under the word column, where the panel has room.
    QGroupBox* group = addSideGroup("FrameFeatures", QStringLiteral("Extended features"));
    auto* g = static_cast<QGridLayout*>(group->layout());
    CB_EnLowPowerXtal = check(group, "CB_EnLowPowerXtal", "Enable Low Power for Xtal");
    CB_512ClockTail = check(group, "CB_512ClockTail", "512/128 bit clock Tail");
    CB_DisWUTAutocal = check(group, "CB_DisWUTAutocal", "Disable WUT Autocalibration");
    CB_DisFIFOAutoSleep = check(group, "CB_DisFIFOAutoSleep", "Disable Autosleep on FIFO IT");
    CB_EnWUonIT = check(group, "CB_EnWUonIT", "Enable auto wake up on IT");
    C_PLLBW = named(new QComboBox(group), "C_PLLBW");
    g->addWidget(CB_EnLowPowerXtal, 0, 0, 1, 2);
    g->addWidget(CB_512ClockTail, 1, 0, 1, 2);
    g->addWidget(CB_DisWUTAutocal, 2, 0, 1, 2);
    g->addWidget(CB_DisFIFOAutoSleep, 3, 0, 1, 2);
    g->addWidget(CB_EnWUonIT, 4, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("PLL bandwidth"), group), 5, 0);
    g->addWidget(C_PLLBW, 5, 1);
}

void HT539::connectHandlers() {
    connect(OutputPower, &QComboBox::currentIndexChanged, this, [this] { OutputPower_Click(); });
    connect(ModPol, &QComboBox::currentIndexChanged, this, [this] { ModPol_Click(); });
    connect(ModFreq, &QComboBox::currentIndexChanged, this, [this] { ModFreq_Click(); });
    connect(CLKout, &QComboBox::currentIndexChanged, this, [this] { CLKout_Click(); });
    connect(C_PLLBW, &QComboBox::currentIndexChanged, this, [this] { CalcEFCmd(); });
    connect(CB_ebs, &QCheckBox::stateChanged, this, [this] { CB_ebs_Click(); });
    connect(CB_EnFIFO, &QCheckBox::stateChanged, this, [this] { CalcFIFOcmd(); });
    connect(CB_Prescaler, &QCheckBox::stateChanged, this, [this] { CalcDataRateCmd(); });
    for (QCheckBox* box :
         {CB_EnLowPowerXtal, CB_512ClockTail, CB_DisWUTAutocal, CB_DisFIFOAutoSleep, CB_EnWUonIT})
        connect(box, &QCheckBox::stateChanged, this, [this] { CalcEFCmd(); });
    connect(TB_FIFOITLevel, &QLineEdit::textChanged, this, [this] { TB_FIFOITLevel_Change(); });
    connect(TB_DataRate, &QLineEdit::textChanged, this, [this] { TB_DataRate_Change(); });

    workOnLeaving(LBD, [this] { LBD_LostFocus(); });
    workOnLeaving(LBDV, [this] { LBDV_LostFocus(); });
    workOnLeaving(WKUPM, [this] { WKUPM_LostFocus(); });
    workOnLeaving(WKUPR, [this] { WKUPR_LostFocus(); });
    workOnLeaving(WKUPD, [this] { WKUPD_LostFocus(); });

    // Box and slider mirror each other; writing either with the value it holds raises nothing,
    // so each cascade ends after one round.
    const std::pair<QSlider*, QLineEdit*> wakeUpSliders[] = {{SL_WakeUpM, WKUPM},
                                                             {SL_WakeUpR, WKUPR}};
    for (const auto& [s, box] : wakeUpSliders)
        connect(s, &QSlider::valueChanged, this, [this, box](int value) {
            box->setText(QString::number(value));
            WKUPM_LostFocus();
        });
    connect(SL_FIFOITLevel, &QSlider::valueChanged, this,
            [this](int value) { TB_FIFOITLevel->setText(QString::number(value)); });
    connect(SL_DataRateLevel, &QSlider::valueChanged, this,
            [this](int value) { TB_DataRate->setText(QString::number(value)); });
    for (UpDown* arrows : {UD_WakeUpM, UD_WakeUpR, UD_WakeUpD}) {
        connect(arrows, &UpDown::UpClick, this, [this] { WKUPM_LostFocus(); });
        connect(arrows, &UpDown::DownClick, this, [this] { WKUPM_LostFocus(); });
    }
    connect(UD_LBD, &UpDown::UpClick, this, [this] { LBD_LostFocus(); });
    connect(UD_LBD, &UpDown::DownClick, this, [this] { LBD_LostFocus(); });
}

// ---- Load step ----------------------------------------------------------------------------------

void HT539::Form_Load() {
    beginLoad();
    C1 = 8;
    C2 = 10;
    F = 3415;
    XtalFactor = 1.0f;
    FillCLKoutList();
    fillList(ModPol, {QStringLiteral("fo + df"), QStringLiteral("fo - df")}, 0);
    FillModFreqList();
    fillQuietly(Cxtal, freq::loadCapacitanceEntries());
    Cxtal->setEditText(QString());
    fillQuietly(OutputPower, outputPowerEntries());
    fillQuietly(Revision, {QStringLiteral("'A' or above")});
    F = 3415;
    FreqCenter->setText(QStringLiteral("868.3"));
    StdCrystal_Click();
    {
        const QSignalBlocker quiet(Band868);
        Band868->setChecked(true);
    }
    Band868_Click();
    LabelCalibration->setVisible(false);
    Cxtal->setCurrentText(QStringLiteral("12.5 pF"));
    ModFreq->setCurrentIndex(2);
    OutputPower->setCurrentIndex(0);
    pm1->setCheckState(Qt::Checked);
    pm2->setCheckState(Qt::Unchecked);
    a1 = 0;
    a0 = 0;
    TB_FIFOITLevel->setText(QStringLiteral("0"));
    TB_DataRate->setText(QString::number(0x13));
    CB_ebs->setCheckState(Qt::Checked);
    LBD->setText(QStringLiteral("3"));
    LBD_LostFocus();
    WKUPM->setText(QStringLiteral("150"));
    WKUPR->setText(QStringLiteral("1"));
    WKUPD->setText(QStringLiteral("0"));
    WKUPM_LostFocus();
    for (QCheckBox* box : {CB_EnLowPowerXtal, CB_512ClockTail, CB_DisFIFOAutoSleep})
        box->setCheckState(Qt::Checked);
    fillList(C_PLLBW, ht539::pllBandwidthEntries(), 2);
    Revision->setCurrentText(mainWindow().Pref_PelkoRevision);
    endLoad();
}

QList<ChipPanel::UpdateStep> HT539::updateSteps() {
    QList<UpdateStep> steps;
    for (QLineEdit* box :
         {Ctrlw, Freqw, PowerMw, TB_FIFOcmd, TB_DataRateCmd, LBDw, Wkupw, EWkupw, EFCmd})
        steps << UpdateStep::wordBox(box);
    return steps;
}

// ---- Configuration word and its lists ---------------------------------------------------------

void HT539::CalcCtrlw() {
    CtrlwData = ht539::configurationWord({int(B), int(P), int(X), int(m3), int(M)});
    showWord(Ctrlw, CtrlwData);
    redisplayCentreFrequency();
}

void HT539::OutputPower_Click() {
    if (OutputPower->currentIndex() < 0)
        return;
    P = OutputPower->currentIndex();
    CalcCtrlw();
}

void HT539::ModPol_Click() {
    m3 = ModPol->currentText() == QStringLiteral("fo + df") ? 0 : 1;
    CalcCtrlw();
}

void HT539::ModFreq_Click() {
    if (ModFreq->currentIndex() < 0)
        return;
    M = ModFreq->currentIndex();
    CalcCtrlw();
}

void HT539::FillModFreqList() {
    fillList(ModFreq, ht539::deviationEntries(XtalFactor), 0);
}

void HT539::FillCLKoutList() {
    fillList(CLKout, freq::clockOutputEntries(XtalFactor), 0);
}

void HT539::redisplayDataRate() {
    // The shown rate follows the crystal; the word does not depend on it.
    TB_DataRateValue->setText(ht539::dataRateText(XtalFactor, dataRateField(), isOn(CB_Prescaler)));
}

// ---- Low battery and clock divider --------------------------------------------------------------

void HT539::CLKout_Click() {
    if (CLKout->currentIndex() < 0)
        return;
    LBD_LostFocus();
}

void HT539::CB_ebs_Click() {
    ebs = isOn(CB_ebs) ? 1 : 0;
    LBD_LostFocus();
}

void HT539::LBD_LostFocus() {
    const int threshold = int(takeWholeField(LBD, 0, ht539::MaxThreshold));
    LBDV->setText(ht539::thresholdVolts(threshold));
    // A disabled clock list keeps the divider of its last selection.
    showWord(LBDw, ht539::lowBatteryWord(std::max(0, CLKout->currentIndex()), int(ebs), threshold));
}

void HT539::LBDV_LostFocus() {
    sleep::takeVoltsBox(LBDV, LBD, 20);
    LBD_LostFocus();
}

QList<QWidget*> HT539::lowBatteryGroup() const {
    return {LBD, LBDV, LBDw, UD_LBD};
}

// ---- Wake-up timer ------------------------------------------------------------------------------

void HT539::WKUPM_LostFocus() {
    const sleep::WakeUp w =
        ht539::wakeUp(leadingNumber(WKUPM->text()), leadingNumber(WKUPR->text()),
                      leadingNumber(WKUPD->text()), XtalFactor);
    WKUPM->setText(QString::number(w.m));
    WKUPR->setText(QString::number(w.r));
    WKUPD->setText(QString::number(w.d));
    WKUPTIME->setText(w.time);
    Label8->setText(w.unit);
    LabelExponent->setText(QStringLiteral("Time = M*2<sup>%1</sup> [ms]").arg(w.r - w.d));
    showWord(Wkupw, w.word);
    showWord(EWkupw, ht539::extendedWakeUpWord(w.m, w.d));
    SL_WakeUpM->setValue(w.m);
    SL_WakeUpR->setValue(w.r);
}

QList<QWidget*> HT539::wakeUpGroup() const {
    return {WKUPM,      WKUPR,      WKUPD,      Wkupw,      EWkupw,
            UD_WakeUpM, UD_WakeUpR, UD_WakeUpD, SL_WakeUpM, SL_WakeUpR};
}

// ---- FIFO, data rate, extended features ---------------------------------------------------------

void HT539::TB_FIFOITLevel_Change() {
    if (followLevelBox(TB_FIFOITLevel, SL_FIFOITLevel, ht539::MaxFifoLevel))
        CalcFIFOcmd();
}

void HT539::CalcFIFOcmd() {
    const int level = ht539::levelBox(TB_FIFOITLevel->text(), ht539::MaxFifoLevel).field;
    showWord(TB_FIFOcmd, ht539::fifoWord(isOn(CB_EnFIFO), level));
}

bool HT539::followLevelBox(QLineEdit* box, QSlider* level, int maximum) {
    const ht539::LevelBox limited = ht539::levelBox(box->text(), maximum);
    if (limited.rewrite && *limited.rewrite != box->text()) {
        // The change this raises finishes the step.
        box->setText(*limited.rewrite);
        return false;
    }
    level->setValue(limited.field);
    return true;
}

int HT539::dataRateField() const {
    return ht539::levelBox(TB_DataRate->text(), ht539::MaxDataRate).field;
}

void HT539::TB_DataRate_Change() {
    if (followLevelBox(TB_DataRate, SL_DataRateLevel, ht539::MaxDataRate))
        CalcDataRateCmd();
}

void HT539::CalcDataRateCmd() {
    const int rate = dataRateField();
    const bool prescaler = isOn(CB_Prescaler);
    showWord(TB_DataRateCmd, ht539::dataRateWord(prescaler, rate));
    TB_DataRateValue->setText(ht539::dataRateText(XtalFactor, rate, prescaler));
}

void HT539::CalcEFCmd() {
    showWord(EFCmd, ht539::extendedFeaturesWord({isOn(CB_EnLowPowerXtal), isOn(CB_512ClockTail),
                                                 isOn(CB_DisWUTAutocal),
                                                 std::max(0, C_PLLBW->currentIndex()),
                                                 isOn(CB_DisFIFOAutoSleep), isOn(CB_EnWUonIT)}));
}

// ---- Configuration file and calibration ---------------------------------------------------------

void HT539::afterConfigItems() {
    LBD_LostFocus();
    WKUPR_LostFocus();
}

QList<long> HT539::calibrationWords() {
    updateMarkBeforeCalibration_ = !LabelUpdate->isHidden();
    return TransmitterPanel::calibrationWords();
}

void HT539::showCalibrationWord(long word) {
    // The synthesizer box's own handler builds the word that goes out.
    pm4->setCheckState((word & 0x10) ? Qt::Checked : Qt::Unchecked);
}

void HT539::calibrationFinished() {
    LabelUpdate->setVisible(updateMarkBeforeCalibration_);
}

} // namespace krv
