#pragma once

#include "powersettingpanel.h"

namespace krv {

// The HT537 transmitter panel: the HT531's words with the wake-up calibration and bit-synchron
// bits in the low-battery word, a data rate and a PLL setting.
class PelkoV1 : public PowerSettingPanel {
    Q_OBJECT
public:
    explicit PelkoV1(ISMmain& main);

    void Form_Load() override;
    void CB_dwc_Click();
    void CB_ebs_Click();
    void DATARATEDIV_LostFocus();
    void CB_MaxDataRate_Click();

    QCheckBox* CB_dwc;
    QLineEdit* DATARATEDIV;
    QLineEdit* DATARATE;
    QLineEdit* Dataratew;
    QComboBox* CB_MaxDataRate;
    QLineEdit* TB_PHNoise;
    QLineEdit* TB_PLLCmd;

    long dwc = 0;
    long DATARATED = 0;

protected:
    QList<UpdateStep> updateSteps() override;
    long lowBatteryWordFor(long threshold) const override;
    QList<QWidget*> wakeUpGroup() const override;
    void redisplayDataRate() override;
    void afterConfigItems() override;

private:
    void buildDataRate();
};

} // namespace krv
