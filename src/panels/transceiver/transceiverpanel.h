#pragma once

#include "panels/common/chippanel.h"
#include "panels/common/patternbox.h"
#include "trxconfigfile.h"

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace krv {

// The control panel of a transceiver chip: every setting, its word and the configuration file.
// YambleV3 (HC913, HC913B) and FRM_Zenth (HC916) differ only where `chip` says so.
class TransceiverPanel : public ChipPanel {
    Q_OBJECT
public:
    TransceiverPanel(ISMmain& main, trx::Chip chip);

    void Form_Load() override;

    // ---- Crystal, band, centre frequency, clock output ---------------------------------------
    void FreqCenter_LostFocus();
    void Band315_Click();
    void Band433_Click();
    void Band868_Click();
    void Band915_Click();
    void Cxtal_Click();
    void CLKout_Click();
    // ---- Configuration word, power, transmitter, PLL -------------------------------------------
    void EnTXLatch_Click();
    void EnRxFIFO_Click();
    void chb_eb_Click();
    void chb_ew_Click();
    void chb_dc_Click();
    void ModFreq_Click();
    void ModPol_Click();
    void OutputPower_Click();
    void CB_RFT_Click();
    void CB_PLLBW_Click();
    // ---- Wake-up timer, duty cycle, low battery ------------------------------------------------
    void WKUPM_LostFocus();
    void WKUPR_LostFocus();
    void DUTY_LostFocus();
    void enlowdc_Click();
    void LBD_LostFocus();
    void LBDV_LostFocus();
    // ---- Receiver, AFC, data filter, data rate -------------------------------------------------
    void Pin8IsInt_Click();
    void Pin8IsVDI_Click();
    void VDI_Click();
    void LNAgain_Click();
    void DRSSI_Click();
    void BasebandBW_Click();
    void STATEFILT_Change();
    void StatefiltNr_Change();
    void DATARATEDIV_LostFocus();
    // ---- FIFO and synchron pattern ------------------------------------------------------------
    void ITLEVEL_Change();
    void ITlevelNr_Change();
    void FIFOstrt_Click();
    void SynchPattern_Click();
    void TB_SP_Change();
    void TB_SP_LostFocus();
    // ---- Configuration files ------------------------------------------------------------------
    void ConfSave_Click();
    void ConfLoad_Click();

    trx::Chip chip() const { return chip_; }

    // ---- Controls read by name --------------------------------------------------------------
    QRadioButton* Band315;
    QRadioButton* Band433;
    QRadioButton* Band868;
    QRadioButton* Band915;
    QLineEdit* FreqCenter;
    QLineEdit* FreqStep;
    QComboBox* Cxtal;
    QComboBox* CLKout;
    QCheckBox* EnTXLatch;
    QCheckBox* EnRxFIFO;
    QCheckBox* chb_er;
    QCheckBox* chb_ebb;
    QCheckBox* chb_et;
    QCheckBox* chb_es;
    QCheckBox* chb_ex;
    QCheckBox* chb_eb;
    QCheckBox* chb_ew;
    QCheckBox* chb_dc;
    QComboBox* ModFreq;
    QComboBox* ModPol;
    QComboBox* OutputPower;
    QLabel* Label60 = nullptr; // HC916: "PLL Bandwidth"
    QCheckBox* CB_LPX = nullptr;
    QCheckBox* CB_DDY = nullptr;
    QCheckBox* CB_DDIT = nullptr;
    QComboBox* CB_RFT = nullptr;
    QComboBox* CB_PLLBW = nullptr;
    QLineEdit* WKUPM;
    QLineEdit* WKUPR;
    QLineEdit* WKUPTIME;
    QLabel* Label8;
    QLabel* Label39;
    QLineEdit* DUTY;
    QLineEdit* DUTY_USEM;
    QLineEdit* DUTY_CALC;
    QLabel* Label11;
    QCheckBox* enlowdc;
    QLineEdit* LBD;
    QLineEdit* LBDV;
    QLabel* Label38;
    QRadioButton* Pin8IsInt;
    QRadioButton* Pin8IsVDI;
    QComboBox* VDI;
    QComboBox* LNAgain;
    QComboBox* DRSSI;
    QComboBox* BasebandBW;
    QComboBox* AFCauto;
    QComboBox* AFCres;
    QCheckBox* afcst;
    QCheckBox* afcfi;
    QCheckBox* afcoen;
    QCheckBox* afcen;
    QComboBox* FILTTYPE;
    QComboBox* ClkRecMode;
    QCheckBox* DFILTbit5;
    QScrollBar* STATEFILT;
    QLineEdit* StatefiltNr;
    QCheckBox* dataratepresc;
    QLineEdit* DATARATEDIV;
    QLineEdit* DATARATE;
    QLabel* Label25;
    QScrollBar* ITLEVEL;
    QLineEdit* ITlevelNr;
    QComboBox* FIFOstrt;
    QCheckBox* ffillen;
    QCheckBox* SensResEn;
    QComboBox* SynchPattern = nullptr;
    QLineEdit* TB_SP = nullptr;
    QComboBox* Revision;
    QGroupBox* Frame1_11; // "Select revision:"
    QPushButton* ConfSave;
    QPushButton* ConfLoad;
    // Word boxes.
    QLineEdit* Ctrlw;
    QLineEdit* Freqw;
    QLineEdit* PowerW;
    QLineEdit* Recw;
    QLineEdit* TXCtrlw;
    QLineEdit* Wkupw;
    QLineEdit* Dutyw;
    QLineEdit* LBDw;
    QLineEdit* AFCw;
    QLineEdit* Dataratew;
    QLineEdit* Datafiltw;
    QLineEdit* FIFOw;
    QLineEdit* PLLCmd = nullptr;
    QLineEdit* SynchPatt = nullptr;

    // ---- Public variables --------------------------------------------------------------------
    float F = 0;
    long FreqwData = 0, C1 = 0, C2 = 0, B = 0, X = 0, D = 0;
    long CtrlwData = 0, el = 0, ef = 0;
    long er = 0, ebb = 0, et = 0, es = 0, ex = 0, eb = 0, ew = 0, dc = 0, PowerMwData = 0;
    long M = 0, Mp = 0, P = 0, TXCtrlwData = 0;
    long WM = 0, WR = 0, DUTYC = 0, enldc = 0, LBDC = 0, LBDwData = 0;
    long p8 = 0, V = 0, G = 0, R = 0, BW = 0, RecwData = 0;
    long DATARATED = 0, drpresc = 0;
    long AFCautod = 0, AFCresd = 0, AFCstd = 0, AFCfid = 0, AFCoend = 0, AFCend = 0;
    long filttyped = 0, fflogicd = 0, ffcmdsp = 0, FFcmd_value = 0;
    long Rev = 0, TXlatchOn = 0, CState = 0;

protected:
    QList<UpdateStep> updateSteps() override;
    bool dataLatchInUse() override;
    void beforeDataLatchStep() override;
    QList<long> calibrationWords() override;
    void showCalibrationWord(long word) override;
    QLineEdit* calibrationWordBox() override { return PowerW; }
    QList<QCheckBox*> synchronLatchBoxes() override;
    void CalcFIFOw() override;
    QLineEdit* fifoWordBox() override { return FIFOw; }
    QCheckBox* afcEnableBox() override { return afcen; }
    void CalcAFCw() override;
    QLineEdit* afcWordBox() override { return AFCw; }
    double frequencyStepKHz() override;

private:
    void buildSettings();
    void buildPages();
    void buildWordBoxes();
    void connectHandlers();
    void fillLists();

    void crystalChanged() override;
    void selectBand(int index);
    void UpdateFreqStep();
    void FillCLKoutList();
    void FillBasebandBWList();
    void FillModFreqList();
    void CalcCtrlw();
    void CalcPowerW();
    void CalcTXCtrlw();
    void CalcPLLCmd();
    void CalcRecw();
    void CalcDatafiltw();
    void WKUPM_KeyPress();
    void DUTY_KeyPress();
    void LBD_KeyPress();
    void SynchPatternPage();

    // Stores a configuration file's items in file order, with the steps some of them need.
    void applyConfig(const ConfigValues& values);

    trx::Chip chip_;
    int rft = 0;
    int pllbw = 0;
    std::optional<PatternByteBox> patternBox_;
    QButtonGroup* bandGroup_ = nullptr;
    QButtonGroup* pinGroup_ = nullptr;
};

// HC913 and HC913B.
class YambleV3 : public TransceiverPanel {
    Q_OBJECT
public:
    explicit YambleV3(ISMmain& main) : TransceiverPanel(main, trx::Chip::HC913) {}
    void SetFrameMode() override;
};

// HC916.
class FRM_Zenth : public TransceiverPanel {
    Q_OBJECT
public:
    explicit FRM_Zenth(ISMmain& main) : TransceiverPanel(main, trx::Chip::HC916) {}
};

// Makes the transceiver panels known to the main window.
void registerTransceiverForms();

} // namespace krv
