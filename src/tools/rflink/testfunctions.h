#pragma once

#include "app/krvform.h"
#include "linktool.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace krv::rflink {

// The factory test modes of the HR651 receiver and the HC913 transceiver: the chip's two test
// control bytes built from lists and boxes, each sent on its own Send. Element 1 of the arrays
// is test control byte #1, element 0 byte #2.
class TestFunctions : public QWidget, public KrvForm {
    Q_OBJECT
public:
    TestFunctions(ISMmain& main, bool transceiver);

    void Form_Load() override;

    void PB_Send_Click(int index);
    void CB_GBData_Click();
    void CB_GBDataPAMode_Click();
    void CB_DisableSensitivePOR_Click();
    void TB_GBData_Change();
    void TB_GBData_LostFocus();
    void CB_ASLC_Click();
    void TB_ASLC_Change();
    void CB_DSLC_Click();
    void TB_DSLC_Change();
    void CB_DS_Click();
    void OB_GainswitchHigh_Click();
    void OB_GainswitchLow_Click();
    void TB_TestByte_Change(int index);

    std::array<QPushButton*, 2> PB_Send;
    std::array<QLineEdit*, 2> TB_TestByte;
    std::array<QLabel*, 2> LabelUpdate;
    QGroupBox *Frm_TestByte1, *Frm_TestByte2, *FRM_DS, *Frm_BBGainSwitch, *Frm_GBData,
        *Frm_DigitalTest, *Frm_AnalogTestBits, *Frm_POR;
    QCheckBox *CB_DS, *CB_DisableSensitivePOR;
    QRadioButton *OB_GainswitchHigh, *OB_GainswitchLow;
    QComboBox *CB_GBData, *CB_DSLC, *CB_ASLC;
    QComboBox* CB_GBDataPAMode = nullptr;
    QLineEdit *TB_GBData, *TB_DSLC, *TB_ASLC;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QLabel* Label8 = nullptr;

private:
    quint8 byte(int index) const;
    void setByte(int index, quint8 value);
    void setTuning(int value);
    void applyTuning();
    QComboBox* list(const char* name, const QStringList& entries, const QString& placeholder);

    ISMmain& main_;
    LinkTool tool_;
    bool transceiver_;
    bool writingData_ = false;
    int tuning_ = 0;
    int SavedGBDataIndex = 0;
    int SavedGBDataNibble = 0;
};

class Frm_DruskTestFunctions : public TestFunctions {
    Q_OBJECT
public:
    explicit Frm_DruskTestFunctions(ISMmain& main) : TestFunctions(main, false) {}
};

class Frm_YambleTestFunctions : public TestFunctions {
    Q_OBJECT
public:
    explicit Frm_YambleTestFunctions(ISMmain& main) : TestFunctions(main, true) {}
};

} // namespace krv::rflink
