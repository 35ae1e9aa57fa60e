#pragma once

#include "app/krvform.h"
#include "linktool.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace krv::rflink {

class Lamp;

// The CW link transmitter window: drives the data input of the chip on the board by hand, as a
// square wave or as the board's PN15 sequence. It works only while it is the active window.
class frm_Link : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit frm_Link(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate() override;
    void Form_Deactivate() override;

    void cb_manual_Click();
    void cb_astabil_Click();
    void cb_pn15_Click();
    void pb_H_Click();
    void pb_L_Click();
    void Slider_Scroll();
    void Timer2_Timer();

    QString ChipID;

    QGroupBox* Frame1;
    QCheckBox *cb_manual, *cb_astabil, *cb_pn15;
    QPushButton *pb_L, *pb_H;
    Lamp *tx_LED_L, *tx_LED_H;
    QSlider* Slider;
    QTimer* Timer2;

private:
    void modeAvailability();
    void offerFor(int panelFlag);
    void powerWord(bool on);
    void driveLevel(bool high);
    void lineForTransceivers();
    void clearModes();
    void boardLost();

    ISMmain& main_;
    LinkTool tool_;
    int AstableNextHigh = 0;
    bool stepRunning_ = false;
};

// The CW link receiver window: polls the receiving chip's data output and shows its level.
class frm_Link_RX : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit frm_Link_RX(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Deactivate() override;

    void cb_MoniEn_Click();
    void Timer1_Timer();

    QLabel *Label1, *Label2, *Label3;
    Lamp *LED_L, *LED_H;
    QCheckBox* cb_MoniEn;
    QTimer* Timer1;

private:
    ISMmain& main_;
    LinkTool tool_;
    bool stepRunning_ = false;
};

} // namespace krv::rflink
