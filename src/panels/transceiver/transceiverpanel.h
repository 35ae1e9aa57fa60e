#pragma once

#include "panels/common/patternbox.h"
#include "panels/common/radiopanel.h"
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

// The control panel of a transceiver chip: every setting, its word and the configuration file;
// the pages it shares with the receivers are the RadioPanel's. YambleV3 (HC913, HC913B) and
// FRM_Zenth (HC916) differ only where `chip` says so.
class TransceiverPanel : public RadioPanel {
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
    // ---- Receiver -------------------------------------------------------------------------------
    void Pin8IsInt_Click();
    void Pin8IsVDI_Click();
    void VDI_Click();
    void LNAgain_Click();
    void DRSSI_Click();
    void BasebandBW_Click();
    // ---- Synchron pattern ---------------------------------------------------------------------
    void SynchPattern_Click();
    void TB_SP_Change();
    void TB_SP_LostFocus();

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
    QRadioButton* Pin8IsInt;
    QRadioButton* Pin8IsVDI;
    QComboBox* VDI;
    QComboBox* LNAgain;
    QComboBox* DRSSI;
    QComboBox* BasebandBW;
    QCheckBox* SensResEn;
    QComboBox* SynchPattern = nullptr;
    QLineEdit* TB_SP = nullptr;
    QComboBox* Revision;
    QWidget* Frame1_11; // the "Select revision:" row
    QPushButton* ConfSave;
    QPushButton* ConfLoad;
    // Word boxes of the transceivers alone.
    QLineEdit* PowerW;
    QLineEdit* Recw;
    QLineEdit* TXCtrlw;
    QLineEdit* PLLCmd = nullptr;
    QLineEdit* SynchPatt = nullptr;

    // ---- Public variables --------------------------------------------------------------------
    long B = 0, X = 0;
    long el = 0, ef = 0;
    long er = 0, ebb = 0, et = 0, es = 0, ex = 0, eb = 0, ew = 0, dc = 0, PowerMwData = 0;
    long M = 0, Mp = 0, P = 0, TXCtrlwData = 0;
    long p8 = 0, V = 0, G = 0, R = 0, BW = 0, RecwData = 0;
    long drpresc = 0;
    long ffcmdsp = 0;
    long TXlatchOn = 0, CState = 0;

protected:
    QList<UpdateStep> updateSteps() override;
    bool dataLatchInUse() override;
    void beforeDataLatchStep() override;
    QList<long> calibrationWords() override;
    void showCalibrationWord(long word) override;
    QLineEdit* calibrationWordBox() override { return PowerW; }
    QList<QCheckBox*> synchronLatchBoxes() override;
    int fifoWordValue() override;
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
    void SynchPatternPage();

    const ConfigFileType& configFileType() const override { return trx::fileType(chip_); }
    // Stores a configuration file's items in file order, with the steps some of them need, then
    // runs the leave handlers.
    void applyConfig(const ConfigValues& values) override;

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
