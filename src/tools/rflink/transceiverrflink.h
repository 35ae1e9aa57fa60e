#pragma once

#include "app/krvform.h"
#include "app/linkbuffer.h"
#include "linktool.h"
#include "packetlink.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTimer;

namespace krv {
class MonitorBox;
class UpDown;
} // namespace krv

namespace krv::rflink {

// The transceiver RF link test: on its Transmit tab the transceiver sends a composed packet
// once or every few seconds; on its Receive tab it is armed for packets, which are counted and
// shown. It works only while it is the active window.
class Frm_YambleRfLinkTest : public QWidget, public KrvForm, public LinkBuffer {
    Q_OBJECT
public:
    explicit Frm_YambleRfLinkTest(ISMmain& main);

    // The design width; the height follows the shown tab.
    static constexpr int widthTwips = 7000;

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Deactivate() override;
    void receiveCharacter(char c) override;

    // ---- Transmit side ----
    void PB_Send_Click();
    void SendPacket();
    void StopTransmit();
    void Timer_CntMode_Timer();
    bool sending() const;
    // The payload's bytes as they would be sent.
    QByteArray payload() const;
    // Replaces the payload as the program does (not limited by the length rule).
    void setPayloadText(const QString& text);

    // ---- Receive side ----
    void PB_Enable_Click();
    void StartReceive();
    void StopReceive();
    bool receiving() const;
    void TabStrip1_Click();
    qint64 packetCount() const { return packets_; }

    QTabBar* TabStrip1;
    QGroupBox* Frm_LinkControl_0;
    QGroupBox* Frm_LinkControl_1;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label12, *Lbl_Sent;
    QPlainTextEdit* TB_Payload;
    QGroupBox *Frm_ViewMode, *Frm_TxOptions;
    QRadioButton *OB_HexView, *OB_AsciiView;
    QPushButton *PB_Preable, *PB_SynchPatt, *PB_Clear_Payload, *PB_Send;
    QLineEdit *TB_SynchPatt, *TB_EOP_0, *TB_RepetitionTime;
    QCheckBox *CB_EOP, *CB_Continous;
    UpDown* UD_RepetitionTime;
    QTimer *Timer_CntMode, *Timer_Blink;

    QGroupBox *Frame2, *Frame1, *frm_ReadTimeout, *Frm_RxViewMode;
    QRadioButton *OB_EOPorPL, *OB_EOP, *OB_PL, *OB_RxAsciiView, *OB_RxHexView;
    QLineEdit *TB_EOP_1, *TB_EOP_2, *TB_PL, *TB_PacketCount;
    UpDown* UD_PL;
    QCheckBox *CB_AddCR, *CB_AutoClear, *CB_ContReceive;
    MonitorBox* TB_MonitoredData;
    QPushButton *PB_Enable, *PB_Clear, *PB_Reset;
    QLabel *Label5, *Label6, *Label7, *Label8, *Label9, *Label10, *Label11;

    bool TxActive = false;
    int RepeatTicks = 0;
    int ShownTab = 1;
    QByteArray TB_ReceiveData;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTransmitFrame();
    QWidget* buildReceiveFrame();
    void TB_Payload_Change();
    void OB_HexView_Click();
    void PB_Preable_Click();
    void PB_SynchPatt_Click();
    void PB_Clear_Payload_Click();
    void TB_EOP_Change(int index);
    void TB_RepetitionTime_Change();
    void UD_RepetitionTime_Change();
    void TB_PL_Change();
    void Timer_Blink_Timer();
    void OB_RxHexView_Click();
    void PB_Clear_Click();
    void PB_Reset_Click();
    void insertHex(const QString& digits);
    void showHeading();
    void CB_EOP_Click();
    void CB_Continous_Click();
    void TB_RepetitionTime_LostFocus();
    void TB_PL_LostFocus();
    void setContinuousControls(bool running);
    void setReceiveControls(bool locked);
    // Receive and sending shown idle, without a word to the board.
    void goIdle();
    void fifoWords(int fill);
    void packetReceived(const QByteArray& data);
    void placeBesidePanel();
    void fitToTab();

    ISMmain& main_;
    LinkTool tool_;
    ReportReader reports_;
    // The payload as the model holds it: the hexadecimal digits or the shown characters.
    QString payloadText_;
    int limit_ = 64;
    bool settingPayload_ = false;
    int repetition_ = 0;
    bool tickRunning_ = false;
    qint64 packets_ = 0;
    int sequence_ = 0;
};

} // namespace krv::rflink
