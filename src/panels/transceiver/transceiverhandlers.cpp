#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/frequencyboxes.h"
#include "panels/common/panelwidgets.h"
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
    onCheck(SensResEn, &TransceiverPanel::CalcFIFOw);

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
    startFirstWords();
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
    startPageNumbers();
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
    startAfc(QStringLiteral("Auto, keep Foffset"), QStringLiteral("+3/-4 Fres"));
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
    showLowBatteryEnabled(bitOf(chb_eb) == 1);
}

void TransceiverPanel::chb_ew_Click() {
    CalcPowerW();
    showWakeUpEnabled(bitOf(chb_ew) == 1);
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

// ---- Receiver ---------------------------------------------------------------------------------

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

// ---- FIFO and synchron pattern -----------------------------------------------------------------

int TransceiverPanel::fifoWordValue() {
    return trx::fifoWord(ITLEVEL->value(), chip_ == trx::Chip::HC916 ? int(ffcmdsp) : 0,
                         int(fflogicd), bitOf(ffillen), bitOf(SensResEn));
}

QList<QCheckBox*> TransceiverPanel::synchronLatchBoxes() {
    return {ffillen};
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
    Frame1_11->setVisible(!bVariant);
    layoutChanged();
}

} // namespace krv
