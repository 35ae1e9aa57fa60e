#include "receiverrflink.h"

#include "app/ismmain.h"
#include "common/monitorbox.h"
#include "common/numbers.h"
#include "common/optionbutton.h"
#include "leavewatch.h"
#include "panels/receiver/receiverpanel.h"
#include "widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QTimer>
#include <QVBoxLayout>

namespace krv::rflink {

namespace {

// A buffer that never sees an ending keeps only its last characters: a packet is far shorter.
constexpr qsizetype bufferLimit = 65536;
constexpr int widthTwips = 6050;
constexpr int heightTwips = 6800;

const QString cyan = QStringLiteral("background-color: rgb(0, 255, 255);");

} // namespace

ReceiverRfLink::ReceiverRfLink(ISMmain& main, Generation generation)
    : main_(main), generation_(generation), tool_(main, this) {
    setWindowTitle(QStringLiteral("RF link test application"));

    Monitor = named(new MonitorBox, "Monitor");
    Monitor->setPreferredSize(24, 4);
    Monitor->setLineWrapMode(QPlainTextEdit::NoWrap);
    Frm_ViewMode = frame("Frm_ViewMode", QStringLiteral("View Mode"));
    OB_AsciiView = option("OB_AsciiView", QStringLiteral("ASCII view"), true);
    OB_HexView = option("OB_HexView", QStringLiteral("HEX view"));
    Options = frame("Options", QStringLiteral("Receive Options"));
    ContRx = checkBox("ContRx", QStringLiteral("Continuous receive"), true);
    AutoClear = checkBox("AutoClear", QStringLiteral("Show only the last packet (auto clear)"));
    AddCR = checkBox("AddCR", QStringLiteral("Add CR after each packet"));
    SelectEOP = frame("SelectEOP", QStringLiteral("End Of Packet Condition"));
    ENeoppl = option("ENeoppl", QStringLiteral("EOP or Packet Length"), true);
    ENeop = option("ENeop", QStringLiteral("EOP character only"));
    ENpl = option("ENpl", QStringLiteral("Packet Length only"));
    EOP = textBox("EOP", QStringLiteral("13"), Qt::AlignRight);
    PL = textBox("PL", QStringLiteral("100"), Qt::AlignRight);
    RXActive = readOnlyBox("RXActive", QStringLiteral("Receive"), Qt::AlignCenter);
    RXActive->setEnabled(false);
    EnRx = button("EnRx", QStringLiteral("Enable"));
    Label5 = label("Label5", QStringLiteral("Packet counter:"));
    PCnt = readOnlyBox("PCnt", QStringLiteral("0"), Qt::AlignRight);
    ResetPC = button("ResetPC", QStringLiteral("Reset"));
    Clear = button("Clear", QStringLiteral("Clear monitor"));
    BF = textBox("BF", QString());
    CY = textBox("CY", QString());
    CY->setStyleSheet(cyan);
    BF->hide();
    CY->hide();
    RxTimer = named(new QTimer(this), "RxTimer");
    RxTimer->setSingleShot(true);
    RxTimer->setInterval(50);

    fitWidth(EOP, QStringLiteral("0000"));
    fitWidth(PL, QStringLiteral("0000"));
    fitWidth(RXActive, RXActive->text());
    fitWidth(PCnt, QStringLiteral("000000"));
    fitted(EnRx, QStringLiteral("Disable"));
    fitted(ResetPC);
    fitted(Clear);

    auto* eopGrid = dense(new QGridLayout(SelectEOP));
    eopGrid->addWidget(ENeoppl, 0, 0);
    eopGrid->addWidget(ENeop, 1, 0);
    eopGrid->addWidget(ENpl, 2, 0);
    eopGrid->addWidget(new QLabel(QStringLiteral("EOP:")), 0, 1);
    eopGrid->addWidget(EOP, 0, 2);
    eopGrid->addWidget(new QLabel(QStringLiteral("(ASCII code)")), 0, 3);
    eopGrid->addWidget(new QLabel(QStringLiteral("PL:")), 1, 1);
    eopGrid->addWidget(PL, 1, 2);
    eopGrid->addWidget(new QLabel(QStringLiteral("(1-255)")), 1, 3);
    eopGrid->setColumnStretch(3, 1);

    // The read timeout beside the first option, its notes under the options across the frame.
    auto* optionGrid = dense(new QGridLayout(Options));
    optionGrid->addWidget(ContRx, 0, 0);
    optionGrid->addWidget(AutoClear, 1, 0, 1, 2);
    optionGrid->addWidget(AddCR, 2, 0, 1, 2);
    if (generation_ == Generation::Board1) {
        RxLinkTimeout = textBox("RxLinkTimeout", QStringLiteral("50"), Qt::AlignRight);
        fitWidth(RxLinkTimeout, QStringLiteral("00000"));
        auto* timeout = new QHBoxLayout;
        timeout->addWidget(new QLabel(QStringLiteral("Read timeout:")));
        timeout->addWidget(RxLinkTimeout);
        timeout->addWidget(new QLabel(QStringLiteral("ms")));
        timeout->addStretch();
        optionGrid->addLayout(timeout, 0, 1);
        auto* notes = new QLabel(
            QStringLiteral("Notes:\n- For PCs slower than 1GHz, set it to 100ms or more\n- This "
                           "parameter is automatically saved with the Receiver configuration"));
        notes->setWordWrap(true);
        optionGrid->addWidget(notes, 3, 0, 1, 2);
        connect(RxLinkTimeout, &QLineEdit::textChanged, this,
                &ReceiverRfLink::RxLinkTimeout_Change);
    }

    auto* viewRow = dense(new QHBoxLayout(Frm_ViewMode));
    viewRow->addWidget(OB_AsciiView);
    viewRow->addWidget(OB_HexView);
    viewRow->addStretch();

    auto* bottom = dense(new QGridLayout);
    bottom->addWidget(Label5, 0, 2);
    bottom->addWidget(RXActive, 1, 0);
    bottom->addWidget(EnRx, 1, 1);
    bottom->addWidget(PCnt, 1, 2);
    bottom->addWidget(ResetPC, 1, 3);
    bottom->setColumnStretch(4, 1);
    bottom->addWidget(Clear, 1, 5);

    auto* layout = dense(new QVBoxLayout(this));
    layout->addWidget(SelectEOP);
    layout->addWidget(Options);
    layout->addWidget(Frm_ViewMode);
    layout->addWidget(Monitor, 1);
    layout->addLayout(bottom);
    layout->addWidget(BF);
    layout->addWidget(CY);

    connect(EnRx, &QPushButton::clicked, this, &ReceiverRfLink::EnRx_Click);
    onSelected(ENeoppl, [this] { ENeoppl_Click(); });
    onSelected(ENeop, [this] { ENeop_Click(); });
    onSelected(ENpl, [this] { ENpl_Click(); });
    onLeaving(EOP, [this] { EOP_LostFocus(); });
    onLeaving(PL, [this] { PL_LostFocus(); });
    connect(Clear, &QPushButton::clicked, this, &ReceiverRfLink::Clear_Click);
    connect(ResetPC, &QPushButton::clicked, this, &ReceiverRfLink::ResetPC_Click);
    connect(OB_HexView, &QRadioButton::toggled, this, &ReceiverRfLink::OB_HexView_Click);
    connect(RxTimer, &QTimer::timeout, this, &ReceiverRfLink::RxTimer_Timer);
    tool_.onBoardLost([this] { boardLost(); });
}

void ReceiverRfLink::ENeoppl_Click() {
    rebuildLinkCommand();
}

void ReceiverRfLink::ENeop_Click() {
    rebuildLinkCommand();
}

void ReceiverRfLink::ENpl_Click() {
    rebuildLinkCommand();
}

void ReceiverRfLink::EOP_LostFocus() {
    rebuildLinkCommand();
}

void ReceiverRfLink::PL_LostFocus() {
    rebuildLinkCommand();
}

void ReceiverRfLink::Clear_Click() {
    Monitor->clearText();
}

void ReceiverRfLink::ResetPC_Click() {
    packets_ = 0;
    showCount();
}

// Both view options toggle together; the hex option's state names the view.
void ReceiverRfLink::OB_HexView_Click() {
    Monitor->setHexView(OB_HexView->isChecked());
}

void ReceiverRfLink::Form_Load() {
    main_.sizeForm(this, widthTwips, heightTwips);
    // The controls are laid out for at least this size; the frame keeps the user from going
    // below it.
    if (QMdiSubWindow* frame = main_.frameOf(this))
        frame->setMinimumSize(QSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips))
                                  .expandedTo(frame->minimumSizeHint()));
    if (generation_ == Generation::Board1) {
        main_.RxLinkOn = true;
        RxLinkTimeout->setText(QString::number(main_.Pref_RxLinkTimeout));
        RxTimer->setInterval(int(std::clamp(main_.Pref_RxLinkTimeout, 1L, 65535L)));
    } else {
        main_.RxLinkOn_LB2 = true;
    }
    LinkCommand = BuildLinkCommand();
}

void ReceiverRfLink::Form_Unload() {
    if (generation_ == Generation::Board1) {
        main_.RxLinkOn = false;
        RxTimer->stop();
        // Stopped whether armed or not: the board may still be armed from an earlier run.
        if (tool_.portOpen()) {
            if (!tool_.send(QStringLiteral("F0")))
                return;
            main_.setCommStatus(QStringLiteral("reading..."));
        }
        setArmed(false);
    } else {
        main_.RxLinkOn_LB2 = false;
        if (armed())
            EnRx_Click();
    }
}

void ReceiverRfLink::Form_Deactivate() {
    if (generation_ == Generation::Board2 && armed())
        EnRx_Click();
}

bool ReceiverRfLink::armed() const {
    return RXActive->isEnabled();
}

void ReceiverRfLink::setArmed(bool on) {
    RXActive->setStyleSheet(on ? cyan : QString());
    RXActive->setEnabled(on);
    EnRx->setText(on ? QStringLiteral("Disable") : QStringLiteral("Enable"));
}

EndCondition ReceiverRfLink::condition() const {
    if (ENeoppl->isChecked())
        return EndCondition::EopOrLength;
    if (ENeop->isChecked())
        return EndCondition::EopOnly;
    return EndCondition::LengthOnly;
}

long ReceiverRfLink::shownRevision() const {
    if (main_.RX1on) {
        if (auto* panel = main_.loadedForm<ReceiverPanel>(QStringLiteral("Ovalt")))
            return panel->Rev;
    }
    if (auto* panel = main_.loadedForm<ReceiverPanel>(QStringLiteral("DruskV1")))
        return panel->Rev;
    return 0;
}

QString ReceiverRfLink::BuildLinkCommand() {
    const QString pl = clampedNumberText(PL->text(), 1, 255);
    if (pl != PL->text())
        PL->setText(pl);
    const QString eop = clampedNumberText(EOP->text(), 0, 255);
    if (eop != EOP->text())
        EOP->setText(eop);
    return receiveCommand(main_.LoadBoardRev, condition(), eop, pl,
                          receiverSuffix(main_.LoadBoardRev, shownRevision()));
}

void ReceiverRfLink::rebuildLinkCommand() {
    LinkCommand = BuildLinkCommand();
}

void ReceiverRfLink::EnRx_Click() {
    LinkCommand = BuildLinkCommand();
    if (!armed()) {
        if (!tool_.portOpen()) {
            setArmed(false);
            tool_.refuseClosedPort();
            return;
        }
        // The words come from the receiver panel on show; with none, from the HR651 panel.
        QPointer<ReceiverRfLink> self(this);
        auto* panel = main_.form<ReceiverPanel>(main_.RX1on ? QStringLiteral("Ovalt")
                                                            : QStringLiteral("DruskV1"));
        if (!self || !panel)
            return;
        fifoPanel_ = panel;
        const FifoWords words =
            receiverFifoWords(panel->FIFOw->text().toLong(nullptr, 16), panel->Rev);
        FifoOffWord = words.off;
        FifoOnWord = words.on;
        LinkCommand = BuildLinkCommand();
        setArmed(true);
        arm(true);
    } else {
        if (!tool_.portOpen()) {
            tool_.refuseClosedPort();
            return;
        }
        stop();
    }
}

void ReceiverRfLink::arm(bool fromButton) {
    const int mine = ++sequence_;
    if (fromButton)
        main_.setCommStatus(QStringLiteral("reading..."));
    QStringList lines{QStringLiteral("S2") + hexWord(FifoOffWord)};
    lines << statusReadSequence() << LinkCommand << QStringLiteral("S2") + hexWord(FifoOnWord);
    QPointer<ReceiverRfLink> self(this);
    for (const QString& line : std::as_const(lines)) {
        if (!tool_.send(line) || sequence_ != mine)
            return;
    }
    if (!fromButton)
        main_.setCommStatus(QStringLiteral("reading..."));
}

void ReceiverRfLink::stop() {
    ++sequence_;
    setArmed(false);
    RxTimer->stop();
    main_.setCommStatus(QStringLiteral("reading..."));
    if (!tool_.send(QStringLiteral("F0")))
        return;
    // The panel's own FIFO word goes back to the chip, unless that panel was closed meanwhile.
    if (fifoPanel_)
        tool_.send(QStringLiteral("S2") + fifoPanel_->FIFOw->text());
}

void ReceiverRfLink::receiveCharacter(char c) {
    Text1.append(c);
    if (Text1.size() > bufferLimit)
        Text1.remove(0, Text1.size() - bufferLimit);
    Text1_Change();
}

void ReceiverRfLink::Text1_Change() {
    if (generation_ == Generation::Board1) {
        // The timeout counts from the last character.
        RxTimer->start();
        if (dropAcknowledgements(Text1))
            RxTimer->stop();
        return;
    }
    if (reports_.take(Text1) == ReportReader::Result::Packet && armed())
        packetReceived(reports_.data() + '\r', false);
}

void ReceiverRfLink::RxTimer_Timer() {
    RxTimer->stop();
    const QByteArray packet = Text1;
    Text1.clear();
    if (armed() && !packet.isEmpty())
        packetReceived(packet, true);
}

void ReceiverRfLink::packetReceived(const QByteArray& data, bool wholeBuffer) {
    // Board 2.x: the data and the CR after it when appended, the data alone when it replaces.
    if (AutoClear->isChecked())
        Monitor->setBytes(wholeBuffer ? data : data.chopped(1));
    else
        Monitor->appendBytes(data);
    ++packets_;
    showCount();
    if (AddCR->isChecked())
        Monitor->appendBytes("\r\n");
    if (!ContRx->isChecked()) {
        setArmed(false);
        return;
    }
    // Armed again from the event loop, not from inside the receive handler that took the
    // packet: the replies to the arming must be able to arrive. A Disable in between wins.
    QTimer::singleShot(0, this, [this] {
        if (armed())
            arm(false);
    });
}

void ReceiverRfLink::boardLost() {
    // A board that comes back, or another, starts unarmed: so does the window.
    ++sequence_;
    RxTimer->stop();
    Text1.clear();
    setArmed(false);
}

void ReceiverRfLink::showCount() {
    PCnt->setText(QString::number(packets_));
}

void ReceiverRfLink::RxLinkTimeout_Change() {
    const double value = leadingNumber(RxLinkTimeout->text());
    main_.Pref_RxLinkTimeout =
        long(std::clamp(double(roundHalfEven(std::clamp(value, -1e12, 1e12))), 0.0, 2147483647.0));
}

} // namespace krv::rflink
