#pragma once

#include "app/krvform.h"
#include "app/linkbuffer.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace krv {
class MonitorBox;
class ISMmain;
} // namespace krv

namespace krv::rflink {

// The packet sniffer options: protocol options that only enable and disable each other, and a
// box that shows what the board sends while the window is open.
class frm_ZiborSniffer : public QWidget, public KrvForm, public LinkBuffer {
    Q_OBJECT
public:
    explicit frm_ZiborSniffer(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;
    void receiveCharacter(char c) override;

    void OPT_DPlen_Click();
    void OPT_FixPlen_Click();
    void OPT_Lite_Click();
    void OPT_Norm_Click();

    MonitorBox* Incoming;
    QGroupBox *FR_OPT, *FR_Hopt, *FR_Addr_Setup;
    QRadioButton *OPT_Lite, *OPT_Norm, *OPT_FixPlen, *OPT_DPlen, *OPT_Nw, *OPT_Nrm;
    QLabel* Label1;
    QLineEdit* TXT_Plen;
    QCheckBox *CHK_CID, *chk_Rar;

private:
    ISMmain& main_;
};

// The transmitter search window: the layout of a search whose buttons do nothing yet.
class frm_TxSearch : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit frm_TxSearch(ISMmain& main);

    void PB_Get_Click() {}

    QGroupBox *Frame1, *Frame2, *Frame3;
    QRadioButton *Search_AFC, *Search_DQD, *Search_DQDCRL, *Search_DRSSI;
    QLabel *FreqBand, *DataRate, *DRSSI;
    QLineEdit *Freq_Value, *AFC_Value, *DQD, *CRL, *Text2;
    QPushButton *PB_Get, *PB_START;
};

} // namespace krv::rflink
