#include "sniffer.h"

#include "app/ismmain.h"
#include "common/monitorbox.h"
#include "common/optionbutton.h"
#include "widgets.h"

#include <QFont>
#include <QGridLayout>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace krv::rflink {

frm_ZiborSniffer::frm_ZiborSniffer(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Zibor Packet Sniffer"));
    Incoming = named(new MonitorBox, "Incoming");
    // Fed a character at a time: shown a pass of the event loop at a time.
    Incoming->setBatched(true);
    Incoming->setFont(QFont(QStringLiteral("Courier New"), 12));
    FR_OPT = frame("FR_OPT", QStringLiteral("Zibor Versions"));
    OPT_Lite = option("OPT_Lite", QStringLiteral("Lite"));
    OPT_Norm = option("OPT_Norm", QStringLiteral("Normal"), true);
    FR_Hopt = frame("FR_Hopt", QStringLiteral("Header options"));
    OPT_FixPlen = option("OPT_FixPlen", QStringLiteral("Fixed Packet Lenght"));
    OPT_DPlen = option("OPT_DPlen", QStringLiteral("Dynamic Packet Lenght"), true);
    Label1 = label("Label1", QStringLiteral("PLEN:"));
    TXT_Plen = textBox("TXT_Plen", QStringLiteral("2"), Qt::AlignRight);
    fitWidth(TXT_Plen, QStringLiteral("0000"));
    CHK_CID = checkBox("CHK_CID", QStringLiteral("CID used"), true);
    FR_Addr_Setup = frame("FR_Addr_Setup", QStringLiteral("Address Setup"));
    chk_Rar = checkBox("chk_Rar", QStringLiteral("Reduced address range"));
    OPT_Nw = option("OPT_Nw", QStringLiteral("Network Addressing"));
    OPT_Nrm = option("OPT_Nrm", QStringLiteral("Normal Addressing"), true);

    auto* versions = dense(new QVBoxLayout(FR_OPT));
    versions->addWidget(OPT_Lite);
    versions->addWidget(OPT_Norm);
    auto* header = dense(new QGridLayout(FR_Hopt));
    header->addWidget(OPT_FixPlen, 0, 0);
    header->addWidget(Label1, 0, 1);
    header->addWidget(TXT_Plen, 0, 2);
    header->addWidget(OPT_DPlen, 1, 0);
    header->addWidget(CHK_CID, 2, 0);
    auto* address = dense(new QVBoxLayout(FR_Addr_Setup));
    address->addWidget(chk_Rar);
    address->addWidget(OPT_Nw);
    address->addWidget(OPT_Nrm);
    auto* layout = dense(new QGridLayout(this));
    layout->addWidget(FR_OPT, 0, 0);
    layout->addWidget(FR_Hopt, 0, 1);
    layout->addWidget(FR_Addr_Setup, 0, 2);
    layout->addWidget(Incoming, 1, 0, 1, 3);
    layout->setRowStretch(1, 1);

    onSelected(OPT_DPlen, [this] { OPT_DPlen_Click(); });
    onSelected(OPT_FixPlen, [this] { OPT_FixPlen_Click(); });
    onSelected(OPT_Lite, [this] { OPT_Lite_Click(); });
    onSelected(OPT_Norm, [this] { OPT_Norm_Click(); });
}

void frm_ZiborSniffer::Form_Load() {
    main_.sizeForm(this, 8640, 6855);
    main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
    main_.ZiborSnifferOn = true;
    OPT_DPlen_Click();
}

void frm_ZiborSniffer::Form_Unload() {
    main_.ZiborSnifferOn = false;
}

void frm_ZiborSniffer::receiveCharacter(char c) {
    if (c == '\n')
        return;
    Incoming->appendText(c == '\r' ? QStringLiteral("\r\n") : QString(QChar(uchar(c))));
}

void frm_ZiborSniffer::OPT_DPlen_Click() {
    Label1->setEnabled(false);
    TXT_Plen->setEnabled(false);
}

void frm_ZiborSniffer::OPT_FixPlen_Click() {
    Label1->setEnabled(true);
    TXT_Plen->setEnabled(true);
}

void frm_ZiborSniffer::OPT_Lite_Click() {
    CHK_CID->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{CHK_CID, OPT_Nw, chk_Rar, OPT_DPlen})
        w->setEnabled(false);
    OPT_FixPlen_Click();
}

void frm_ZiborSniffer::OPT_Norm_Click() {
    CHK_CID->setChecked(true);
    for (QWidget* w : std::initializer_list<QWidget*>{CHK_CID, OPT_Nw, chk_Rar, OPT_DPlen})
        w->setEnabled(true);
}

frm_TxSearch::frm_TxSearch(ISMmain&) {
    setWindowTitle(QStringLiteral("Transmitter Auto Search"));
    Frame1 = frame("Frame1", QStringLiteral("Frame1"));
    Search_AFC = option("Search_AFC", QStringLiteral("AFC value"), true);
    Search_DQD = option("Search_DQD", QStringLiteral("DQD"));
    Search_DQDCRL = option("Search_DQDCRL", QStringLiteral("DQD + CRL"));
    Search_DRSSI = option("Search_DRSSI", QStringLiteral("DRSSI"));
    Frame3 = frame("Frame3", QStringLiteral("Frame3"));
    FreqBand = label("FreqBand", QStringLiteral("FreqBand"));
    DataRate = label("DataRate", QStringLiteral("DataRate"));
    DRSSI = label("DRSSI", QStringLiteral("DRSSI"));
    Frame2 = frame("Frame2", QStringLiteral("Searching"));
    Freq_Value = textBox("Freq_Value", QStringLiteral("Text1"));
    AFC_Value = textBox("AFC_Value", QStringLiteral("Text1"));
    DQD = textBox("DQD", QStringLiteral("DQD"), Qt::AlignCenter);
    CRL = textBox("CRL", QStringLiteral("CRL"), Qt::AlignCenter);
    Text2 = textBox("Text2", QStringLiteral("DRSSI"), Qt::AlignCenter);
    PB_Get = button("PB_Get", QStringLiteral("Get Radio Settings"));
    PB_START = button("PB_START", QStringLiteral("Start"));

    auto* methods = new QVBoxLayout(Frame1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Search_AFC, Search_DQD, Search_DQDCRL, Search_DRSSI})
        methods->addWidget(w);
    auto* radio = new QGridLayout(Frame3);
    radio->addWidget(new QLabel(QStringLiteral("Frequency Band:")), 0, 0);
    radio->addWidget(FreqBand, 0, 1);
    radio->addWidget(new QLabel(QStringLiteral("Data Rate:")), 1, 0);
    radio->addWidget(DataRate, 1, 1);
    radio->addWidget(new QLabel(QStringLiteral("DRSSI limit:")), 2, 0);
    radio->addWidget(DRSSI, 2, 1);
    auto* search = new QGridLayout(Frame2);
    search->addWidget(new QLabel(QStringLiteral("Frequency:")), 0, 0);
    search->addWidget(Freq_Value, 0, 1);
    search->addWidget(new QLabel(QStringLiteral("AFC Value:")), 1, 0);
    search->addWidget(AFC_Value, 1, 1);
    search->addWidget(DQD, 2, 0);
    search->addWidget(CRL, 2, 1);
    search->addWidget(Text2, 2, 2);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Frame1, 0, 0);
    layout->addWidget(Frame3, 0, 1);
    layout->addWidget(Frame2, 1, 0, 1, 2);
    layout->addWidget(PB_Get, 2, 0);
    layout->addWidget(PB_START, 2, 1);
    connect(PB_Get, &QPushButton::clicked, this, &frm_TxSearch::PB_Get_Click);
}

} // namespace krv::rflink
