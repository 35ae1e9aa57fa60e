#pragma once

#include "app/krvform.h"
#include "app/linkbuffer.h"
#include "linktool.h"
#include "packetlink.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace krv {
class MonitorBox;
class ReceiverPanel;
} // namespace krv

namespace krv::rflink {

// The receiver RF link test, one design for both board generations: it arms the receiver
// board for packets, shows them in a monitor and counts them, once or continuously. A packet
// ends by the read timeout on board 1.x and by the board's report on board 2.x.
class ReceiverRfLink : public QWidget, public KrvForm, public LinkBuffer {
    Q_OBJECT
public:
    enum class Generation { Board1, Board2 };
    ReceiverRfLink(ISMmain& main, Generation generation);

    void Form_Load() override;
    void Form_Unload() override;
    void Form_Deactivate() override;
    void receiveCharacter(char c) override;

    void EnRx_Click();
    QString BuildLinkCommand();
    void Text1_Change();
    void RxTimer_Timer();
    void RxLinkTimeout_Change();
    void ENeoppl_Click();
    void ENeop_Click();
    void ENpl_Click();
    void EOP_LostFocus();
    void PL_LostFocus();
    void Clear_Click();
    void ResetPC_Click();
    void OB_HexView_Click();
    bool armed() const;
    qint64 packetCount() const { return packets_; }

    MonitorBox* Monitor;
    QGroupBox *Frm_ViewMode, *Options, *SelectEOP;
    QRadioButton *OB_AsciiView, *OB_HexView, *ENeoppl, *ENeop, *ENpl;
    QCheckBox *ContRx, *AutoClear, *AddCR;
    QLineEdit *EOP, *PL, *RXActive, *PCnt, *BF, *CY;
    QLineEdit* RxLinkTimeout = nullptr;
    QPushButton *EnRx, *ResetPC, *Clear;
    QLabel* Label5;
    QTimer* RxTimer;

    QString LinkCommand;
    long FifoOffWord = 0;
    long FifoOnWord = 0;
    // The raw bytes received since the last acknowledgement or report.
    QByteArray Text1;

private:
    void rebuildLinkCommand();
    EndCondition condition() const;
    // The revision of the receiver panel the words come from, read without loading it.
    long shownRevision() const;
    void arm(bool fromButton);
    void stop();
    void boardLost();
    void setArmed(bool on);
    void packetReceived(const QByteArray& data, bool wholeBuffer);
    void showCount();

    ISMmain& main_;
    Generation generation_;
    LinkTool tool_;
    ReportReader reports_;
    QPointer<ReceiverPanel> fifoPanel_;
    qint64 packets_ = 0;
    // Each arming or stopping takes a new number; a sequence that finds itself overtaken (the
    // user pressed Disable while it was being sent) stops sending.
    int sequence_ = 0;
};

class DruskV1rflink : public ReceiverRfLink {
    Q_OBJECT
public:
    explicit DruskV1rflink(ISMmain& main) : ReceiverRfLink(main, Generation::Board1) {}
};

class DruskV1rflink_LB2 : public ReceiverRfLink {
    Q_OBJECT
public:
    explicit DruskV1rflink_LB2(ISMmain& main) : ReceiverRfLink(main, Generation::Board2) {}
};

} // namespace krv::rflink
