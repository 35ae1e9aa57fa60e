#pragma once

#include "transmitterpanel.h"

class QSlider;

namespace krv {

class UpDown;

// The HT539 transmitter panel: the configuration word with the output power, a 4-bit
// low-battery threshold beside the clock divider, the 14-bit wake-up timer with its divider,
// the transmit FIFO, the data rate and the extended features, each box mirrored by its slider
// and up-down arrows.
class HT539 : public TransmitterPanel {
    Q_OBJECT
public:
    explicit HT539(ISMmain& main);

    void Form_Load() override;

    void OutputPower_Click();
    void ModPol_Click();
    void ModFreq_Click();
    void CLKout_Click();
    void CB_ebs_Click();
    void LBD_LostFocus() override;
    void LBDV_LostFocus();
    void WKUPM_LostFocus() override;
    void WKUPR_LostFocus() { WKUPM_LostFocus(); }
    void WKUPD_LostFocus() { WKUPM_LostFocus(); }
    void TB_FIFOITLevel_Change();
    void TB_DataRate_Change();
    void CalcFIFOcmd();
    void CalcDataRateCmd();
    void CalcEFCmd();

    // ---- Controls read by name ---------------------------------------------------------------
    QLineEdit* EWkupw;
    QLineEdit* TB_FIFOcmd;
    QLineEdit* TB_DataRateCmd;
    QLineEdit* EFCmd;
    QLineEdit* LBD;
    QLineEdit* LBDV;
    UpDown* UD_LBD;
    QLineEdit* WKUPM;
    QLineEdit* WKUPR;
    QLineEdit* WKUPD;
    QLineEdit* WKUPTIME;
    QLabel* Label8; // the wake-up time unit
    QLabel* LabelExponent;
    UpDown* UD_WakeUpM;
    UpDown* UD_WakeUpR;
    UpDown* UD_WakeUpD;
    QSlider* SL_WakeUpM;
    QSlider* SL_WakeUpR;
    QCheckBox* CB_EnFIFO;
    QLineEdit* TB_FIFOITLevel;
    QSlider* SL_FIFOITLevel;
    UpDown* UD_FIFOITLevel;
    QCheckBox* CB_Prescaler;
    QLineEdit* TB_DataRate;
    QSlider* SL_DataRateLevel;
    UpDown* UD_DataRate;
    QLineEdit* TB_DataRateValue;
    QLabel* Label27; // "kbps"
    QCheckBox* CB_EnLowPowerXtal;
    QCheckBox* CB_512ClockTail;
    QCheckBox* CB_DisWUTAutocal;
    QCheckBox* CB_DisFIFOAutoSleep;
    QCheckBox* CB_EnWUonIT;
    QComboBox* C_PLLBW;

protected:
    QList<UpdateStep> updateSteps() override;
    void CalcCtrlw() override;
    void FillCLKoutList() override;
    void FillModFreqList() override;
    void redisplayDataRate() override;
    QList<QWidget*> wakeUpGroup() const override;
    QList<QWidget*> lowBatteryGroup() const override;
    void afterConfigItems() override;
    QList<long> calibrationWords() override;
    void showCalibrationWord(long word) override;
    void calibrationFinished() override;

private:
    void buildLowBattery();
    void buildWakeUp();
    void buildFifoAndDataRate();
    void buildExtendedFeatures();
    void connectHandlers();
    int dataRateField() const;
    // Keeps a box within 0..maximum with its slider beside it; false when the box had to be
    // rewritten, whose own change then finishes the step.
    bool followLevelBox(QLineEdit* box, QSlider* level, int maximum);

    // The update mark as it stood before a calibration, which shows it through pm4.
    bool updateMarkBeforeCalibration_ = false;
};

} // namespace krv
