#pragma once

#include "frequencyblock.h"
#include "panels/common/chippanel.h"
#include "receiverchip.h"
#include "receiverfile.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace krv {

// What the HR651 and HR658 panels share: the frequency block, the configuration word, the
// sleep-time words, the receive path, the FIFO and the configuration files. The two panels add
// their revision and extended features.
class ReceiverPanel : public ChipPanel {
    Q_OBJECT
public:
    ReceiverPanel(ISMmain& main, receiver::Chip chip, ChipPanelDesign design);

    // ---- Handlers ------------------------------------------------------------------------------
    void FreqCenter_LostFocus();
    void bandClick(int button);
    void Cxtal_Click();
    void CLKout_Click();
    void enb_Click();
    void ent_Click();
    void enx_Click();
    void disclk_Click();
    void BasebandBW_Click();
    void WKUPM_LostFocus();
    void DUTY_LostFocus();
    void LBD_LostFocus();
    void LBDV_LostFocus();
    void VDI_Click();
    void LNAgain_Click();
    void DRSSI_Click();
    void DATARATEDIV_LostFocus();
    void STATEFILT_Change();
    void StatefiltNr_Change();
    void ITLEVEL_Change();
    void FIFOstrt_Click();
    void ConfSave_Click();
    void ConfLoad_Click();
    int GetXtalFrequency() const { return receiver::xtalFrequencyHz(XtalFactor); }

    void CalcCtrlw();
    void CalcRecw();
    void CalcAFCw() override;
    void CalcDatafiltw();
    void CalcFIFOw() override;

    // ---- Public variables ----------------------------------------------------------------------
    float F = 0;
    long FreqwData = 0, CtrlwData = 0, RecwData = 0, LBDwData = 0, PowerMwData = 0, Test0wData = 0,
         FFcmd_value = 0;
    long C1 = 1, C2 = 31, C = 10, B = 0, X = 0, D = 0;
    long eb = 0, et = 0, ex = 0, BW = 0, dc = 0;
    long V = 0, l = 0, R = 0, er = 0;
    long WM = 0, WR = 0, WD = 0, DUTYC = 0, enldc = 0, LBDC = 0;
    long DATARATED = 0, AFCautod = 0, AFCresd = 0, AFCstd = 0, AFCfid = 0, AFCoend = 0, AFCend = 0,
         filttyped = 0, fflogicd = 0;
    long Rev = 1;

    // ---- Controls ------------------------------------------------------------------------------
    QRadioButton *Band315, *Band433, *Band868, *Band915;
    QLineEdit *FreqCenter, *FreqStep;
    QComboBox *Cxtal, *CLKout, *BasebandBW;
    QCheckBox *enb, *ent, *enx, *disclk;
    QLabel *Label38, *Label39, *Label47, *Label48;
    QLineEdit *WKUPM, *WKUPR, *WKUPD = nullptr, *WKUPTIME;
    QLabel* Label8;
    QLineEdit *DUTY, *DUTY_USEM, *DUTY_CALC;
    QLabel* Label11;
    QCheckBox* enlowdc;
    QLineEdit *LBD, *LBDV;
    QCheckBox* CB32kHz = nullptr;
    QComboBox *VDI, *LNAgain, *DRSSI, *AFCauto, *AFCres, *ClkRecMode, *FILTTYPE, *FIFOstrt;
    QCheckBox *enrec, *afcst, *afcfi, *afcoen, *afcen, *dataratepresc, *DFILTbit5,
        *cb_ewi = nullptr, *ffillen, *fmodeen;
    QLineEdit *DATARATEDIV, *DATARATE, *StatefiltNr, *ITlevelNr;
    QLabel* Label25;
    QScrollBar *STATEFILT, *ITLEVEL;
    QComboBox* Revision;
    QPushButton *ConfSave, *ConfLoad;
    QLineEdit *Ctrlw, *Freqw, *Recw, *Wkupw, *EWkupw = nullptr, *Dutyw, *LBDw, *AFCw, *Dataratew,
                                             *Datafiltw, *FIFOw, *SynchPatt = nullptr;

protected:
    QList<UpdateStep> updateSteps() override;
    bool dataLatchInUse() override;
    QList<long> calibrationWords() override;
    void showCalibrationWord(long word) override;
    QLineEdit* calibrationWordBox() override { return Recw; }
    QList<QCheckBox*> synchronLatchBoxes() override;
    QLineEdit* fifoWordBox() override { return FIFOw; }
    QCheckBox* afcEnableBox() override { return afcen; }
    QLineEdit* afcWordBox() override { return AFCw; }
    double frequencyStepKHz() override;

    // Panel-specific parts of shared steps.
    virtual void wakeUpEnter();
    virtual void afterFifoWord() {}
    virtual void extendedFeaturesChanged() {}
    // Runs right after a configuration file's item went into its control.
    virtual void itemLoaded(const QString&) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Widgets and value helpers.
    static int value(const QCheckBox* box);
    QLineEdit* lineEdit(const QString& name, const QString& text = {});
    QCheckBox* checkBox(const QString& name, const QString& caption);
    QComboBox* list(const QString& name, const QStringList& entries = {});
    void refill(QComboBox* box, const QStringList& entries, const QString& selected);
    void setPowerControls(QCheckBox* box, const QList<QWidget*>& controls, QLabel* hint);
    QList<QWidget*> wakeUpControls() const;
    // Stores a configuration file's items in file order, then runs the leave handlers.
    void applyConfig(const ConfigValues& config);
    // A page of two columns of rows side by side, closed up at the top left.
    static std::pair<QFormLayout*, QFormLayout*> twoColumns(QWidget* page);

    receiver::Chip chip_;
    receiver::Band band_;
    QWidget* wakePage_ = nullptr;
    QWidget* dutyPage_ = nullptr;
    QWidget* lbdPage_ = nullptr;
    QWidget* afcPage_ = nullptr;
    QWidget* ratePage_ = nullptr;
    QWidget* filterPage_ = nullptr;
    QWidget* fifoPage_ = nullptr;
    // The right-hand column of rows of the FIFO page.
    QFormLayout* fifoRight_ = nullptr;

private:
    void crystalChanged() override;
    void buildFrequencyBlock();
    void buildPages();
    void FillCLKoutList();
    void FillBasebandBWList();
    void UpdateFreqStep();
    int bandButton() const;
};

} // namespace krv
