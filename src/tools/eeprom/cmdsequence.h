#pragma once

#include "app/krvform.h"
#include "commandselection.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace krv {

class ECET;
class ISMmain;

// The command editor: which words of the open transmitter panel go into each event routine,
// the push-button byte and the HT531 data-rate command. It belongs to the content editor, in
// editor mode for one event or in insert mode for a one-off selection.
class Frm_CmdSequence : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit Frm_CmdSequence(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    void ShowInsertCommandWindow();
    void ShowCommandEditor();
    short GetCmdSequenceData(int event, int command) const;
    void ClearSequenceData(int event);
    void SelectDefaultEvents();
    bool CheckControlWindow();
    void TB_DataRate_LostFocus();

    bool bChanged = false;
    // One byte for every routine and one for the insert selection; both live as long as the
    // program, across closing and reopening this window.
    static inline int PBCmd = 0;
    static inline int PBCmd2 = 0;

    QLabel* L_ControlName;
    std::array<QCheckBox*, cmdsel::Numbers> CB_AddCmd{}; // index 8 has none
    QPushButton* PB_SelectAll;
    QPushButton* PB_ClearAll;
    QPushButton* PB_Save;
    QPushButton* PB_SetDefaults;
    QPushButton* PB_Insert;
    QLineEdit* TB_DataRate;
    QLabel* Label1;
    QLineEdit* TB_DataRateCmd;
    QLabel* Label3;
    QLineEdit* TB_PBCmdValue;
    QLabel* Label2;
    QCheckBox* CB_Pullup;
    QGroupBox* Frm_ContExec;
    std::array<QCheckBox*, 4> CB_ContinousExecution{};
    QCheckBox* CB_FourthButton;
    QGroupBox* Frm_DebouncingTime;
    QRadioButton* OB_160;
    QRadioButton* OB_40;
    QRadioButton* OB_10;
    QRadioButton* OB_Bypass;
    QLabel* Label4;
    QTimer* Tmr_Datachanged;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ECET* editor() const;
    void CB_AddCmd_Click(int index);
    void pushButtonSetting_Click(int bit, bool on);
    void debounce_Click(int code, bool on);
    void UpdatePBCmd();
    void TB_DataRate_Change();
    void PB_SelectAll_Click();
    void PB_ClearAll_Click();
    void PB_Save_Click();
    void PB_SetDefaults_Click();
    void PB_Insert_Click();
    void Tmr_Datachanged_Timer();
    void setBoxes(const std::array<bool, cmdsel::Numbers>& ticks);
    void setPushButtonControlsEnabled(bool enabled);

    ISMmain& main_;
    cmdsel::Selection CmdSel{};
    bool bHT531Layout = true;
    // While the window sets its push-button controls from the stored byte, their handlers do
    // not count as the user's changes of the insert selection's byte.
    bool applyingStored_ = false;
};

} // namespace krv
