#pragma once

#include "transmitterpanel.h"

namespace krv {

// What the HT531 and HT537 panels share: the 8-bit Power Setting word with its modulation list,
// the clock output and deviation lists, the 5-bit low-battery threshold and the 8-bit wake-up
// timer with its time display.
class PowerSettingPanel : public TransmitterPanel {
    Q_OBJECT
public:
    PowerSettingPanel(ISMmain& main, TransmitterTraits traits);

    // The deviation list's entries at a crystal ratio.
    static QStringList deviationEntries(float xtal);

    void CLKout_Click();
    void ModFreq_Click();
    void ModPol_Click();
    void OutputPower_Click();
    void LBD_LostFocus() override;
    void LBDV_LostFocus();
    void WKUPM_LostFocus() override;
    void WKUPR_LostFocus() { WKUPM_LostFocus(); }

    QComboBox* Modulation;
    QLabel* Label8; // "Modulation:"
    QLineEdit* OutPowerw;
    QLineEdit* LBD;
    QLineEdit* LBDV;
    QLineEdit* WKUPM;
    QLineEdit* WKUPR;
    QLineEdit* WKUPTIME;
    QLabel* Label7; // the wake-up time unit

    long OutputwData = 0;
    long WM = 0, WR = 0;

protected:
    void CalcCtrlw() override;
    // The capacitance leaves the shown centre frequency alone.
    void capacitanceChanged() override { rebuildConfigurationWord(); }
    void FillCLKoutList() override;
    void FillModFreqList() override;
    QList<QWidget*> wakeUpGroup() const override;
    QList<QWidget*> lowBatteryGroup() const override;

    // The power field's width and the modulation bit of the Power Setting word.
    virtual int powerBits() const { return 3; }
    virtual long ookBit() const { return 8; }
    virtual long lowBatteryWordFor(long threshold) const;
    // The load steps the two panels share, from the capacitance list on.
    void fillFixedLists();
    // The configuration word without the centre-frequency rewrite.
    void rebuildConfigurationWord();

private:
    void buildWordControls();
};

} // namespace krv
