#pragma once

#include "krvform.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace krv {

class ISMmain;

// The supply window: sets the chip's supply voltage and reads its supply current, once or
// every 200 ms (board 2.x only).
class frm_PowerSupply : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit frm_PowerSupply(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    QLabel* Label1;
    QLineEdit* Voltage;
    QLabel* Label3;
    QPushButton* PB_Voltage;
    QLabel* Label2;
    QLineEdit* Current;
    QLabel* CurUnit;
    QPushButton* PB_Current;
    QPushButton* ContRead;
    QLineEdit* Statusline;
    QTimer* Timer1;

    bool continuousReading() const { return continuous_; }

private:
    void PB_Voltage_Click();
    void PB_Current_Click();
    void ContRead_Click();
    void Timer1_Timer();
    void stopContinuousReading();
    // One reading of the converter in the current range; nothing when the board did not give one.
    std::optional<int> readConverter(const QString& rangeCommand);

    ISMmain& main_;
    bool continuous_ = false;
    bool reading_ = false;
};

} // namespace krv
