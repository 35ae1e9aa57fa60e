#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/frequencyboxes.h"
#include "panels/common/panelwidgets.h"
#include "panels/common/sleepboxes.h"
#include "transceiverpanel.h"
#include "trxfrequency.h"
#include "trxwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>

namespace krv {

using namespace panel;

void TransceiverPanel::connectHandlers() {
    onSelected(Band315, [this] { Band315_Click(); });
    onSelected(Band433, [this] { Band433_Click(); });
    onSelected(Band868, [this] { Band868_Click(); });
    onSelected(Band915, [this] { Band915_Click(); });
    onSelected(Pin8IsInt, [this] { Pin8IsInt_Click(); });
    onSelected(Pin8IsVDI, [this] { Pin8IsVDI_Click(); });
    workOnLeaving(FreqCenter, [this] { FreqCenter_LostFocus(); });
    workOnLeaving(WKUPM, [this] { WKUPM_LostFocus(); });
    workOnLeaving(WKUPR, [this] { WKUPR_LostFocus(); });
    workOnLeaving(DUTY, [this] { DUTY_LostFocus(); });
    workOnLeaving(LBD, [this] { LBD_LostFocus(); });
    workOnLeaving(LBDV, [this] { LBDV_LostFocus(); });
    workOnLeaving(DATARATEDIV, [this] { DATARATEDIV_LostFocus(); });

    auto onList = [this](QComboBox* box, void (TransceiverPanel::*handler)()) {
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, handler] { (this->*handler)(); });
    };
    onList(Cxtal, &TransceiverPanel::Cxtal_Click);
    onList(CLKout, &TransceiverPanel::CLKout_Click);
    onList(ModFreq, &TransceiverPanel::ModFreq_Click);
    onList(ModPol, &TransceiverPanel::ModPol_Click);
    onList(OutputPower, &TransceiverPanel::OutputPower_Click);
    onList(VDI, &TransceiverPanel::VDI_Click);
    onList(LNAgain, &TransceiverPanel::LNAgain_Click);
    onList(DRSSI, &TransceiverPanel::DRSSI_Click);
    onList(BasebandBW, &TransceiverPanel::BasebandBW_Click);
    onList(AFCauto, &TransceiverPanel::CalcAFCw);
    onList(AFCres, &TransceiverPanel::CalcAFCw);
    onList(FILTTYPE, &TransceiverPanel::CalcDatafiltw);
    onList(ClkRecMode, &TransceiverPanel::CalcDatafiltw);
    onList(FIFOstrt, &TransceiverPanel::FIFOstrt_Click);

    auto onCheck = [this](QCheckBox* box, void (TransceiverPanel::*handler)()) {
        connect(box, &QCheckBox::stateChanged, this, [this, handler] { (this->*handler)(); });
    };
    onCheck(EnTXLatch, &TransceiverPanel::EnTXLatch_Click);
    onCheck(EnRxFIFO, &TransceiverPanel::EnRxFIFO_Click);
    for (QCheckBox* box : {chb_er, chb_ebb, chb_et, chb_es, chb_ex})
        onCheck(box, &TransceiverPanel::CalcPowerW);
    onCheck(chb_eb, &TransceiverPanel::chb_eb_Click);
    onCheck(chb_ew, &TransceiverPanel::chb_ew_Click);
    onCheck(chb_dc, &TransceiverPanel::chb_dc_Click);
    onCheck(enlowdc, &TransceiverPanel::enlowdc_Click);
    for (QCheckBox* box : {afcst, afcfi, afcoen, afcen})
        onCheck(box, &TransceiverPanel::CalcAFCw);
    onCheck(DFILTbit5, &TransceiverPanel::CalcDatafiltw);
    onCheck(dataratepresc, &TransceiverPanel::DATARATEDIV_LostFocus);
    onCheck(ffillen, &TransceiverPanel::CalcFIFOw);
    onCheck(SensResEn, &TransceiverPanel::CalcFIFOw);

    connect(STATEFILT, &QScrollBar::valueChanged, this, &TransceiverPanel::STATEFILT_Change);
    connect(StatefiltNr, &QLineEdit::textChanged, this, &TransceiverPanel::StatefiltNr_Change);
    connect(ITLEVEL, &QScrollBar::valueChanged, this, &TransceiverPanel::ITLEVEL_Change);
    connect(ITlevelNr, &QLineEdit::textChanged, this, &TransceiverPanel::ITlevelNr_Change);
    connect(ConfSave, &QPushButton::clicked, this, &TransceiverPanel::ConfSave_Click);
    connect(ConfLoad, &QPushButton::clicked, this, &TransceiverPanel::ConfLoad_Click);

    if (chip_ == trx::Chip::HC916) {
        for (QCheckBox* box : {CB_DDIT, CB_DDY, CB_LPX})
            onCheck(box, &TransceiverPanel::CalcPLLCmd);
        onList(CB_RFT, &TransceiverPanel::CB_RFT_Click);
        onList(CB_PLLBW, &TransceiverPanel::CB_PLLBW_Click);
        onList(SynchPattern, &TransceiverPanel::SynchPattern_Click);
        patternBox_.emplace(TB_SP, SynchPatt, QStringLiteral("CE"));
        connect(TB_SP, &QLineEdit::textChanged, this, &TransceiverPanel::TB_SP_Change);
        workOnLeaving(TB_SP, [this] { TB_SP_LostFocus(); });
        // Runs after the page switch of the base, which was connected first.
        connect(TabStrip1, &QTabBar::currentChanged, this, [this] {
            if (CurrentTab == 7)
                SynchPatternPage();
        });
    }
}

void TransceiverPanel::Form_Load() {
    ChipPanel::Form_Load();
    ISMmain& main = mainWindow();
    C1 = 1;
    C2 = 31;
    CtrlwData = 0x8000;
    Ctrlw->setText(hexText(CtrlwData));
    FreqwData = 0xA7D0;
    Freqw->setText(hexText(FreqwData));
    F = 2000;
    XtalFactor = 1.0f;
    fillLists();
    FillCLKoutList();
    FillBasebandBWList();
    if (chip_ == trx::Chip::HC916) {
        SynchPattern->setCurrentIndex(0);
        SynchPattern_Click();
        TB_SP->setText(QStringLiteral("D4"));
        CB_RFT->setCurrentText(QStringLiteral("2.5 MHz or below"));
        CB_PLLBW->setCurrentText(QStringLiteral("Max. 256 kbps"));
        CB_DDIT->setChecked(true);
    }
    FillModFreqList();
    StatefiltNr->setText(QString::number(STATEFILT->value()));
    ITlevelNr->setText(QString::number(ITLEVEL->value()));
    Rev = 1;
    StdCrystal_Click();
    if (chip_ == trx::Chip::HC913)
        Band315_Click();
    else
        Band433_Click();
    LabelCalibration->setVisible(false);
    Cxtal->setCurrentText(QStringLiteral("12.5 pF"));
    Cxtal_Click();
    CalcCtrlw();
    CalcPowerW();
    chb_ex->setChecked(true);
    FreqCenter->setText(chip_ == trx::Chip::HC913 ? QStringLiteral("315") : QStringLiteral("435"));
    FreqCenter_LostFocus();
    DATARATEDIV->setText(QStringLiteral("35"));
    DATARATEDIV_LostFocus();
    Pin8IsInt->setChecked(true);
    VDI->setCurrentText(QStringLiteral("Fast"));
    VDI_Click();
    LNAgain->setCurrentText(QStringLiteral("max."));
    LNAgain_Click();
    DRSSI->setCurrentText(QStringLiteral("-103 dBm"));
    DRSSI_Click();
    FILTTYPE->setCurrentText(QStringLiteral("Digital LPF"));
    STATEFILT->setValue(4);
    ClkRecMode->setCurrentText(QStringLiteral("Slow"));
    ITLEVEL->setValue(8);
    FIFOstrt->setCurrentText(QStringLiteral("Synchron pattern"));
    FIFOstrt_Click();
    SensResEn->setChecked(false);
    CalcFIFOw();
    SuppressUpdateMark = 0;
    AFCauto->setCurrentText(QStringLiteral("Auto, keep Foffset"));
    AFCres->setCurrentText(QStringLiteral("+3/-4 Fres"));
    afcen->setChecked(true);
    afcst->setChecked(false);
    afcfi->setChecked(true);
    afcoen->setChecked(true);
    CalcAFCw();
    CalcTXCtrlw();
    WKUPM->setText(QStringLiteral("150"));
    WKUPR->setText(QStringLiteral("1"));
    WKUPM_LostFocus();
    WKUPR_LostFocus();
    DUTY->setText(QStringLiteral("7"));
    DUTY_LostFocus();
    CLKout->setCurrentText(QStringLiteral("1"));
    CLKout_Click();
    LBD->setText(QStringLiteral("0"));
    LBD_LostFocus();
    Statusline->setText(
        QStringLiteral("Update chip control commands, and power management settings!"));
    if (chip_ == trx::Chip::HC913 && portOpen())
        sendLine(QStringLiteral("Z3"));
    if (main.Pref_CCautoLoad == 1)
        ConfLoad_Click();
}

// ---- Crystal, band, centre frequency, clock output ---------------------------------------------

void TransceiverPanel::crystalChanged() {
    FreqCenter_LostFocus();
    UpdateFreqStep();
    FillCLKoutList();
    FillBasebandBWList();
    FillModFreqList();
    WKUPM_LostFocus();
    DATARATEDIV_LostFocus();
}

void TransceiverPanel::FreqCenter_LostFocus() {
    const int field = freq::takeCentreFrequencyBox(FreqCenter, Statusline,
                                                   trx::band(int(B)).formula(), XtalFactor);
    F = float(field);
    FreqwData = freq::frequencyWord(field);
    showWord(Freqw, FreqwData);
}

void TransceiverPanel::selectBand(int index) {
    const trx::Band band = trx::band(index);
    C1 = band.C1;
    C2 = band.C2;
    B = band.B;
    CalcCtrlw();
    UpdateFreqStep();
    LabelCalibration->setVisible(true);
}

void TransceiverPanel::Band315_Click() {
    selectBand(0);
}
void TransceiverPanel::Band433_Click() {
    selectBand(1);
}
void TransceiverPanel::Band868_Click() {
    selectBand(2);
}
void TransceiverPanel::Band915_Click() {
    selectBand(3);
}

void TransceiverPanel::UpdateFreqStep() {
    FreqStep->setText(trx::frequencyStepText(int(B), XtalFactor));
}

double TransceiverPanel::frequencyStepKHz() {
    return leadingNumber(FreqStep->text());
}

void TransceiverPanel::Cxtal_Click() {
    const int index = trx::entryIndex(trx::loadCapacitanceEntries(), Cxtal->currentText());
    if (index >= 0)
        X = index;
    CalcCtrlw();
}

void TransceiverPanel::FillCLKoutList() {
    freq::refillList(CLKout, trx::clockOutputEntries(XtalFactor), 0);
}

void TransceiverPanel::CLKout_Click() {
    if (CLKout->currentIndex() >= 0)
        D = CLKout->currentIndex();
    showWord(LBDw, trx::lowBatteryWord(int(D), int(LBDC)));
}

// ---- Configuration word, power, transmitter, PLL ------------------------------------------------

void TransceiverPanel::CalcCtrlw() {
    el = bitOf(EnTXLatch);
    ef = bitOf(EnRxFIFO);
    CtrlwData = trx::configurationWord(int(el), int(ef), int(B), int(X));
    showWord(Ctrlw, CtrlwData);
    FreqCenter->setText(trx::centreFrequencyText(int(F), trx::band(int(B)), XtalFactor));
}

void TransceiverPanel::EnTXLatch_Click() {
    CalcCtrlw();
}
void TransceiverPanel::EnRxFIFO_Click() {
    CalcCtrlw();
}

void TransceiverPanel::CalcPowerW() {
    er = bitOf(chb_er);
    const bool receiver = er == 1;
    setStatusCaption(1, receiver ? QStringLiteral("FFIT") : QStringLiteral("RGIT"));
    setStatusCaption(3, receiver ? QStringLiteral("FFOV") : QStringLiteral("RGUR"));
    setStatusCaption(8, receiver ? QStringLiteral("RSSI") : QStringLiteral("ATS"));
    ebb = bitOf(chb_ebb);
    et = bitOf(chb_et);
    es = bitOf(chb_es);
    ex = bitOf(chb_ex);
    ew = bitOf(chb_ew);
    eb = bitOf(chb_eb);
    dc = bitOf(chb_dc);
    PowerMwData =
        trx::powerWord({int(er), int(ebb), int(et), int(es), int(ex), int(eb), int(ew), int(dc)});
    showWord(PowerW, PowerMwData);
}

void TransceiverPanel::chb_eb_Click() {
    CalcPowerW();
    const bool on = bitOf(chb_eb) == 1;
    for (QWidget* w :
         {static_cast<QWidget*>(LBD), static_cast<QWidget*>(LBDV), static_cast<QWidget*>(LBDw)})
        w->setEnabled(on);
    Label38->setVisible(!on);
}

void TransceiverPanel::chb_ew_Click() {
    CalcPowerW();
    const bool on = bitOf(chb_ew) == 1;
    for (QWidget* w : {static_cast<QWidget*>(WKUPM), static_cast<QWidget*>(WKUPR),
                       static_cast<QWidget*>(WKUPTIME), static_cast<QWidget*>(Wkupw)})
        w->setEnabled(on);
    Label39->setVisible(!on);
}

void TransceiverPanel::chb_dc_Click() {
    CalcPowerW();
    CLKout->setEnabled(bitOf(chb_dc) != 1);
}

QList<long> TransceiverPanel::calibrationWords() {
    trx::PowerBits bits{int(er), int(ebb), int(et), int(es), int(ex), int(eb), int(ew), int(dc)};
    trx::PowerBits off = bits;
    off.er = off.et = off.es = 0;
    QList<long> words{trx::powerWord(off)};
    if (er == 0 && et == 0) {
        trx::PowerBits synthesizer = off;
        synthesizer.es = 1;
        words << trx::powerWord(synthesizer);
    }
    words << trx::powerWord(bits);
    return words;
}

void TransceiverPanel::showCalibrationWord(long word) {
    PowerMwData = word;
    PowerW->setText(hexText(word));
}

void TransceiverPanel::FillModFreqList() {
    freq::refillList(ModFreq, trx::deviationEntries(XtalFactor), 0);
}

void TransceiverPanel::ModFreq_Click() {
    if (ModFreq->currentIndex() >= 0)
        M = ModFreq->currentIndex();
    CalcTXCtrlw();
}

void TransceiverPanel::ModPol_Click() {
    Mp = ModPol->currentText() == QStringLiteral("fo + df") ? 0 : 1;
    CalcTXCtrlw();
}

void TransceiverPanel::OutputPower_Click() {
    P = trx::outputPowerField(OutputPower->currentText());
    CalcTXCtrlw();
}

void TransceiverPanel::CalcTXCtrlw() {
    TXCtrlwData = trx::transmitterWord(int(Mp), int(M), int(P));
    showWord(TXCtrlw, TXCtrlwData);
}

void TransceiverPanel::CB_RFT_Click() {
    const int field = trx::riseFallField(CB_RFT->currentText());
    if (field >= 0)
        rft = field;
    CalcPLLCmd();
}

void TransceiverPanel::CB_PLLBW_Click() {
    pllbw = CB_PLLBW->currentText() == QStringLiteral("Max. 256 kbps") ? 1 : 0;
    CalcPLLCmd();
}

void TransceiverPanel::CalcPLLCmd() {
    if (!PLLCmd)
        return;
    PLLCmd->setText(trx::pllCommand(rft, bitOf(CB_LPX), bitOf(CB_DDY), bitOf(CB_DDIT), pllbw));
}

// ---- Wake-up timer, duty cycle, low battery -----------------------------------------------------

void TransceiverPanel::WKUPM_KeyPress() {
    const sleep::WakeUp w =
        sleep::takeWakeUpBoxes({WKUPM, WKUPR, nullptr, WKUPTIME, Label8, DUTY_USEM}, XtalFactor);
    WM = w.m;
    WR = w.r;
    showWord(Wkupw, w.word);
    DUTY_KeyPress();
}

void TransceiverPanel::WKUPM_LostFocus() {
    WKUPM_KeyPress();
}
void TransceiverPanel::WKUPR_LostFocus() {
    WKUPM_KeyPress();
}

void TransceiverPanel::DUTY_KeyPress() {
    const sleep::DutyCycle duty =
        sleep::takeDutyBoxes({DUTY, DUTY_USEM, DUTY_CALC, WKUPM}, trx::DutyCycleBase, int(enldc));
    DUTYC = duty.field;
    showWord(Dutyw, duty.word);
}

void TransceiverPanel::DUTY_LostFocus() {
    DUTY_KeyPress();
}

void TransceiverPanel::enlowdc_Click() {
    enldc = bitOf(enlowdc);
    DUTY_KeyPress();
}

void TransceiverPanel::LBD_KeyPress() {
    LBDC = sleep::wholeField(leadingNumber(LBD->text()), 0, 31);
    LBD->setText(QString::number(LBDC));
    LBDw->setText(hexText(trx::lowBatteryWord(int(D), int(LBDC))));
    LBDV->setText(sleep::thresholdText(int(LBDC), trx::ThresholdOffset));
    showUpdateMark();
}

void TransceiverPanel::LBD_LostFocus() {
    LBD_KeyPress();
}

void TransceiverPanel::LBDV_LostFocus() {
    sleep::takeVoltsBox(LBDV, LBD, trx::ThresholdOffset);
    LBD_LostFocus();
    showUpdateMark();
}

// ---- Receiver, AFC, data filter, data rate
// -------------------------------------------------------

void TransceiverPanel::Pin8IsInt_Click() {
    p8 = 0;
    CalcRecw();
}
void TransceiverPanel::Pin8IsVDI_Click() {
    p8 = 1;
    CalcRecw();
}

void TransceiverPanel::VDI_Click() {
    const int index = trx::entryIndex(trx::lists::vdi(), VDI->currentText());
    if (index >= 0)
        V = index;
    CalcRecw();
}

void TransceiverPanel::LNAgain_Click() {
    const int index = trx::entryIndex(trx::lists::lnaGain(), LNAgain->currentText());
    if (index >= 0)
        G = index;
    CalcRecw();
}

void TransceiverPanel::DRSSI_Click() {
    const int index = trx::entryIndex(trx::lists::rssi(8), DRSSI->currentText());
    if (index >= 0)
        R = index;
    CalcRecw();
}

void TransceiverPanel::FillBasebandBWList() {
    freq::refillList(BasebandBW, trx::basebandBandwidthEntries(XtalFactor), 2);
}

void TransceiverPanel::BasebandBW_Click() {
    BW = 6 - BasebandBW->currentIndex();
    CalcRecw();
}

void TransceiverPanel::CalcRecw() {
    RecwData = trx::receiverWord(int(p8), int(V), int(BW), int(G), int(R));
    showWord(Recw, RecwData);
}

void TransceiverPanel::CalcAFCw() {
    AFCend = bitOf(afcen);
    AFCstd = bitOf(afcst);
    AFCfid = bitOf(afcfi);
    AFCoend = bitOf(afcoen);
    const int range = trx::entryIndex(trx::lists::afcRange(), AFCres->currentText());
    if (range >= 0)
        AFCresd = range;
    const int mode = trx::entryIndex(trx::lists::afcMode(), AFCauto->currentText());
    if (mode >= 0) {
        AFCautod = mode;
        afcst->setEnabled(mode == 0);
    }
    AFCw->setText(hexText(trx::afcWord(int(AFCautod), int(AFCresd), int(AFCstd), int(AFCfid),
                                       int(AFCoend), int(AFCend))));
    if (!StatusReadActive)
        showUpdateMark();
}

void TransceiverPanel::CalcDatafiltw() {
    const int type = trx::filterTypeField(FILTTYPE->currentText());
    if (type >= 0)
        filttyped = type;
    const QString mode = ClkRecMode->currentText();
    const int autoBit = mode == QStringLiteral("Auto") ? 1 : 0;
    const int fastBit = mode == QStringLiteral("Fast") ? 1 : 0;
    showWord(Datafiltw, trx::dataFilterWord(autoBit, fastBit, bitOf(DFILTbit5), int(filttyped),
                                            STATEFILT->value()));
}

void TransceiverPanel::STATEFILT_Change() {
    CalcDatafiltw();
    StatefiltNr->setText(QString::number(STATEFILT->value()));
    showUpdateMark();
}

void TransceiverPanel::StatefiltNr_Change() {
    const double value = leadingNumber(StatefiltNr->text());
    if (value > 7)
        StatefiltNr->setText(QStringLiteral("7"));
    else if (value < 1)
        StatefiltNr->setText(QStringLiteral("1"));
    STATEFILT->setValue(
        int(roundHalfEven(std::clamp(leadingNumber(StatefiltNr->text()), 0.0, 7.0))));
}

void TransceiverPanel::DATARATEDIV_LostFocus() {
    DATARATED = sleep::wholeField(leadingNumber(DATARATEDIV->text()), 0, 127);
    DATARATEDIV->setText(QString::number(DATARATED));
    const int prescaler = bitOf(dataratepresc);
    DATARATE->setText(trx::dataRateText(int(DATARATED), prescaler == 1, XtalFactor));
    showWord(Dataratew, trx::dataRateWord(prescaler, int(DATARATED)));
}

// ---- FIFO and synchron pattern
// -------------------------------------------------------------------

void TransceiverPanel::CalcFIFOw() {
    FFcmd_value = trx::fifoWord(ITLEVEL->value(), chip_ == trx::Chip::HC916 ? int(ffcmdsp) : 0,
                                int(fflogicd), bitOf(ffillen), bitOf(SensResEn));
    FIFOw->setText(hexText(FFcmd_value));
    if (!takeSuppressUpdateMark())
        showUpdateMark();
}

QList<QCheckBox*> TransceiverPanel::synchronLatchBoxes() {
    return {ffillen};
}

void TransceiverPanel::ITLEVEL_Change() {
    CalcFIFOw();
    ITlevelNr->setText(QString::number(ITLEVEL->value()));
    showUpdateMark();
}

void TransceiverPanel::ITlevelNr_Change() {
    const double value = leadingNumber(ITlevelNr->text());
    if (value > 15)
        ITlevelNr->setText(QStringLiteral("15"));
    else if (value < 1)
        ITlevelNr->setText(QStringLiteral("1"));
    ITLEVEL->setValue(int(roundHalfEven(std::clamp(leadingNumber(ITlevelNr->text()), 0.0, 15.0))));
}

void TransceiverPanel::FIFOstrt_Click() {
    const int index = trx::entryIndex(trx::lists::fifoStart(), FIFOstrt->currentText());
    if (index >= 0)
        fflogicd = index;
    CalcFIFOw();
}

void TransceiverPanel::SynchPattern_Click() {
    // No selection counts as the two-byte pattern: the field has one bit.
    ffcmdsp = SynchPattern->currentIndex() == 1 ? 1 : 0;
    CalcFIFOw();
}

void TransceiverPanel::SynchPatternPage() {
    {
        const QSignalBlocker quiet(SynchPattern);
        SynchPattern->clear();
        SynchPattern->addItem(QStringLiteral("2D") + TB_SP->text());
        SynchPattern->addItem(TB_SP->text());
        SynchPattern->setCurrentIndex(-1);
    }
    SynchPattern->setCurrentIndex(0);
}

void TransceiverPanel::TB_SP_Change() {
    patternBox_->change();
}

void TransceiverPanel::TB_SP_LostFocus() {
    patternBox_->leave();
}

// ---- Update
// --------------------------------------------------------------------------------------

QList<ChipPanel::UpdateStep> TransceiverPanel::updateSteps() {
    // A typed PLL word that is not a whole word is rebuilt from its controls before it is sent.
    if (PLLCmd && !trx::isPllWordText(PLLCmd->text()))
        CalcPLLCmd();
    // A pattern byte still being typed is padded as leaving its box would: Update never sends
    // a three-digit word.
    if (patternBox_)
        TB_SP_LostFocus();
    QList<UpdateStep> steps{UpdateStep::wordBox(Ctrlw), UpdateStep::dataLatch()};
    for (QLineEdit* box :
         {Freqw, PowerW, Recw, TXCtrlw, Wkupw, Dutyw, LBDw, AFCw, Dataratew, Datafiltw, FIFOw})
        steps << UpdateStep::wordBox(box);
    if (chip_ == trx::Chip::HC916)
        steps << UpdateStep::wordBox(PLLCmd) << UpdateStep::wordBox(SynchPatt);
    return steps;
}

bool TransceiverPanel::dataLatchInUse() {
    return bitOf(EnTXLatch) == 1 || bitOf(EnRxFIFO) == 1;
}

void TransceiverPanel::beforeDataLatchStep() {
    TXlatchOn = bitOf(EnTXLatch);
}

void YambleV3::SetFrameMode() {
    const bool bVariant = mainWindow().IsBijakuModeSet();
    setWindowTitle(bVariant ? QStringLiteral("HC913B Transceiver control panel")
                            : QStringLiteral("HC913 Transceiver control panel"));
    for (QRadioButton* band : {Band433, Band868, Band915})
        band->setVisible(!bVariant);
    Frame1_11->setFlat(bVariant);
    Frame1_11->setTitle(bVariant ? QString() : QStringLiteral("Select revision:"));
    Revision->setVisible(!bVariant);
    layoutChanged();
}

} // namespace krv
