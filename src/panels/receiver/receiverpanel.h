#pragma once

#include "frequencyblock.h"
#include "panels/common/radiopanel.h"
#include "receiverchip.h"
#include "receiverfile.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;

namespace krv {

// What the HR651 and HR658 panels share beyond the pages every receiver and transceiver has:
// the frequency block, the configuration and receiver setting words, the FIFO mode and the
// configuration files. The two panels add their revision and extended features.
class ReceiverPanel : public RadioPanel {
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
    void VDI_Click();
    void LNAgain_Click();
    void DRSSI_Click();
    int GetXtalFrequency() const { return receiver::xtalFrequencyHz(XtalFactor); }

    void CalcCtrlw();
    void CalcRecw();

    // ---- Public variables ----------------------------------------------------------------------
    long RecwData = 0, PowerMwData = 0, Test0wData = 0;
    long C = 10, B = 0, X = 0;
    long eb = 0, et = 0, ex = 0, BW = 0, dc = 0;
    long V = 0, l = 0, R = 0, er = 0;

    // ---- Controls ------------------------------------------------------------------------------
    QRadioButton *Band315, *Band433, *Band868, *Band915;
    QLineEdit *FreqCenter, *FreqStep;
    QComboBox *Cxtal, *CLKout, *BasebandBW;
    QCheckBox *enb, *ent, *enx, *disclk;
    QLabel *Label47, *Label48;
    QComboBox *VDI, *LNAgain, *DRSSI;
    QCheckBox *enrec, *fmodeen;
    QComboBox* Revision;
    QPushButton *ConfSave, *ConfLoad;
    QLineEdit *Recw, *SynchPatt = nullptr;

protected:
    QList<UpdateStep> updateSteps() override;
    bool dataLatchInUse() override;
    QList<long> calibrationWords() override;
    void showCalibrationWord(long word) override;
    QLineEdit* calibrationWordBox() override { return Recw; }
    QList<QCheckBox*> synchronLatchBoxes() override;
    double frequencyStepKHz() override;
    int fifoWordValue() override;
    // Under the older revision the latch works only while the fill starts with the pattern.
    bool synchronLatchAvailable() override;

    // Runs right after a configuration file's item went into its control.
    virtual void itemLoaded(const QString&) {}

    // Widgets and value helpers.
    static int value(const QCheckBox* box);
    QLineEdit* lineEdit(const QString& name, const QString& text = {});
    QCheckBox* checkBox(const QString& name, const QString& caption);
    void refill(QComboBox* box, const QStringList& entries, const QString& selected);
    const ConfigFileType& configFileType() const override { return receiver::fileType(chip_); }
    // Stores a configuration file's items in file order, then runs the leave handlers.
    void applyConfig(const ConfigValues& config) override;

    receiver::Chip chip_;
    receiver::Band band_;

private:
    void crystalChanged() override;
    void buildFrequencyBlock();
    void FillCLKoutList();
    void FillBasebandBWList();
    void UpdateFreqStep();
    int bandButton() const;
};

} // namespace krv
