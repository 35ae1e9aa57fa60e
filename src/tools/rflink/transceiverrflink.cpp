#include "transceiverrflink.h"

#include "app/ismmain.h"
#include "app/updown.h"
#include "common/dialogs.h"
#include "common/monitorbox.h"
#include "leavewatch.h"
#include "packetsend.h"
#include "panels/transceiver/transceiverpanel.h"
#include "widgets.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace krv::rflink {

namespace {

constexpr qsizetype bufferLimit = 4096;
constexpr int transmitHeightTwips = 4640;
constexpr int receiveHeightTwips = 6800;
const QString enableCaption = QStringLiteral("&Enable Receive");
const QString stopCaption = QStringLiteral("&Stop Sending");

QLineEdit* digitBox(const char* name, const QString& text, int maxLength) {
    auto* box = textBox(name, text, Qt::AlignRight);
    box->setMaxLength(maxLength);
    fitWidth(box, QString(maxLength + 1, u'0'));
    return box;
}

// A digit box's change: what is not a digit goes and a value above `maximum` becomes the
// maximum (no limit when maximum < 0).
void keepDigits(QLineEdit* box, int maximum) {
    const QString text = box->text();
    const QString kept = digitBoxText(text, box->cursorPosition(), maximum);
    if (kept != text) {
        box->setText(kept);
        box->setCursorPosition(int(kept.size()));
    }
}

// An up-down as high as its number box, one half for each arrow.
UpDown* besideBox(UpDown* arrows, const QLineEdit* box) {
    const int half = box->sizeHint().height() / 2;
    arrows->upArrow()->setFixedHeight(half);
    arrows->downArrow()->setFixedHeight(half);
    return arrows;
}

// Clamps a number box as the arming reads it and writes the result back.
QString clampBox(QLineEdit* box, int minimum, int maximum) {
    const QString text = clampedNumberText(box->text(), minimum, maximum);
    if (text != box->text())
        box->setText(text);
    return text;
}

} // namespace

Frm_YambleRfLinkTest::Frm_YambleRfLinkTest(ISMmain& main) : main_(main), tool_(main, this) {
    setWindowTitle(QStringLiteral("HC913 and HC916 (Transceiver) RF link test"));
    TabStrip1 = named(new QTabBar, "TabStrip1");
    TabStrip1->addTab(QStringLiteral("&Transmit"));
    TabStrip1->addTab(QStringLiteral("&Receive"));
    Timer_CntMode = named(new QTimer(this), "Timer_CntMode");
    Timer_CntMode->setInterval(1000);
    Timer_Blink = named(new QTimer(this), "Timer_Blink");
    Timer_Blink->setInterval(400);

    auto* layout = dense(new QVBoxLayout(this));
    layout->addWidget(TabStrip1);
    layout->addWidget(buildTransmitFrame());
    layout->addWidget(buildReceiveFrame(), 1);

    connect(TabStrip1, &QTabBar::currentChanged, this, &Frm_YambleRfLinkTest::TabStrip1_Click);
    connect(Timer_CntMode, &QTimer::timeout, this, &Frm_YambleRfLinkTest::Timer_CntMode_Timer);
    connect(Timer_Blink, &QTimer::timeout, this, &Frm_YambleRfLinkTest::Timer_Blink_Timer);
    const QLineEdit* endBoxes[] = {TB_EOP_0, TB_EOP_1, TB_EOP_2};
    for (int index = 0; index < 3; ++index) {
        connect(endBoxes[index], &QLineEdit::textChanged, this,
                [this, index] { TB_EOP_Change(index); });
    }
    connect(TB_RepetitionTime, &QLineEdit::textChanged, this,
            &Frm_YambleRfLinkTest::TB_RepetitionTime_Change);
    connect(TB_PL, &QLineEdit::textChanged, this, &Frm_YambleRfLinkTest::TB_PL_Change);
    tool_.onBoardLost([this] {
        TB_ReceiveData.clear();
        goIdle();
    });
}

void Frm_YambleRfLinkTest::Timer_Blink_Timer() {
    Lbl_Sent->hide();
    Timer_Blink->stop();
}

void Frm_YambleRfLinkTest::TB_EOP_Change(int index) {
    keepDigits(std::array{TB_EOP_0, TB_EOP_1, TB_EOP_2}[std::size_t(index)], 255);
}

void Frm_YambleRfLinkTest::TB_RepetitionTime_Change() {
    keepDigits(TB_RepetitionTime, -1);
}

void Frm_YambleRfLinkTest::TB_PL_Change() {
    keepDigits(TB_PL, -1);
}

QWidget* Frm_YambleRfLinkTest::buildTransmitFrame() {
    Frm_LinkControl_0 = frame("Frm_LinkControl_0", QStringLiteral("Transmit Control"));
    Label1 = label("Label1", QStringLiteral("Payload (64 bytes)"));
    TB_Payload = named(new QPlainTextEdit, "TB_Payload");
    TB_Payload->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    TB_Payload->installEventFilter(this);
    Frm_ViewMode = frame("Frm_ViewMode", QStringLiteral("View Mode"));
    OB_HexView = option("OB_HexView", QStringLiteral("&HEX view"));
    OB_AsciiView = option("OB_AsciiView", QStringLiteral("&ASCII view"), true);
    PB_Preable = button("PB_Preable", QStringLiteral("Insert Preamble"));
    TB_SynchPatt = textBox("TB_SynchPatt", QStringLiteral("2DD4"));
    TB_SynchPatt->setMaxLength(4);
    fitWidth(TB_SynchPatt, QStringLiteral("DDDDD"));
    TB_SynchPatt->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,4}")), TB_SynchPatt));
    Label12 = label("Label12", QStringLiteral("hex"));
    PB_SynchPatt = button("PB_SynchPatt", QStringLiteral("Insert Synchron Pattern"));
    PB_Clear_Payload = button("PB_Clear_Payload", QStringLiteral("Clear Payload"));
    PB_Send = button("PB_Send", QStringLiteral("&Start Sending"));
    PB_Send->setEnabled(false);
    Lbl_Sent = label("Lbl_Sent", QStringLiteral("Packet sent."));
    Lbl_Sent->setStyleSheet(QStringLiteral("color: red;"));
    // Its blink never moves the controls around it.
    keepPlaceWhenHidden(Lbl_Sent);
    Lbl_Sent->hide();
    Frm_TxOptions = frame("Frm_TxOptions", QStringLiteral("Transmit Options"));
    CB_EOP = checkBox("CB_EOP", QStringLiteral("Append EO&P character"), true);
    Label3 = label("Label3", QStringLiteral("EOP character"));
    TB_EOP_0 = digitBox("TB_EOP_0", QStringLiteral("13"), 3);
    Label4 = label("Label4", QStringLiteral("( ASCII Code )"));
    CB_Continous = checkBox("CB_Continous", QStringLiteral("&Continuous Mode"), true);
    Label2 = label("Label2", QStringLiteral("Repetition time in seconds"));
    TB_RepetitionTime = digitBox("TB_RepetitionTime", QStringLiteral("0"), 2);
    UD_RepetitionTime =
        named(new UpDown(TB_RepetitionTime, 0, 99, Frm_TxOptions), "UD_RepetitionTime");

    // The payload with its heading beside the view options; the insert buttons, the clear and
    // send buttons and the transmit options below across the frame: it keeps its design size.
    auto* view = dense(new QVBoxLayout(Frm_ViewMode));
    view->addWidget(OB_HexView);
    view->addWidget(OB_AsciiView);
    // Each option's box with its labels in a row of its own: the long labels of the two rows
    // never widen each other's.
    const auto boxRow = [](std::initializer_list<QWidget*> widgets) {
        auto* row = new QHBoxLayout;
        for (QWidget* w : widgets)
            row->addWidget(w);
        row->addStretch();
        return row;
    };
    auto* options = dense(new QGridLayout(Frm_TxOptions));
    options->addWidget(CB_EOP, 0, 0);
    options->addLayout(boxRow({Label3, TB_EOP_0, Label4}), 0, 1);
    options->addWidget(CB_Continous, 1, 0);
    options->addLayout(
        boxRow({Label2, TB_RepetitionTime, besideBox(UD_RepetitionTime, TB_RepetitionTime)}), 1, 1);
    auto* inserts = new QHBoxLayout;
    inserts->addWidget(PB_Preable);
    inserts->addWidget(TB_SynchPatt);
    inserts->addWidget(Label12);
    inserts->addWidget(PB_SynchPatt);
    inserts->addStretch();
    auto* actions = new QHBoxLayout;
    actions->addWidget(PB_Clear_Payload);
    actions->addStretch();
    actions->addWidget(PB_Send);
    auto* heading = new QHBoxLayout;
    heading->addWidget(Label1);
    heading->addStretch();
    heading->addWidget(Lbl_Sent);
    auto* grid = dense(new QGridLayout(Frm_LinkControl_0));
    grid->addLayout(heading, 0, 0);
    grid->addWidget(TB_Payload, 1, 0);
    grid->addWidget(Frm_ViewMode, 0, 1, 2, 1, Qt::AlignTop);
    grid->addLayout(inserts, 2, 0, 1, 2);
    grid->addLayout(actions, 3, 0, 1, 2);
    grid->addWidget(Frm_TxOptions, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);

    connect(TB_Payload, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingPayload_)
            TB_Payload_Change();
    });
    connect(OB_HexView, &QRadioButton::toggled, this, &Frm_YambleRfLinkTest::OB_HexView_Click);
    connect(PB_Preable, &QPushButton::clicked, this, &Frm_YambleRfLinkTest::PB_Preable_Click);
    connect(PB_SynchPatt, &QPushButton::clicked, this, &Frm_YambleRfLinkTest::PB_SynchPatt_Click);
    connect(PB_Clear_Payload, &QPushButton::clicked, this,
            &Frm_YambleRfLinkTest::PB_Clear_Payload_Click);
    connect(PB_Send, &QPushButton::clicked, this, &Frm_YambleRfLinkTest::PB_Send_Click);
    connect(CB_EOP, &QCheckBox::toggled, this, &Frm_YambleRfLinkTest::CB_EOP_Click);
    connect(CB_Continous, &QCheckBox::toggled, this, &Frm_YambleRfLinkTest::CB_Continous_Click);
    onLeaving(TB_RepetitionTime, [this] { TB_RepetitionTime_LostFocus(); });
    for (auto signal : {&UpDown::UpClick, &UpDown::DownClick})
        connect(UD_RepetitionTime, signal, this, &Frm_YambleRfLinkTest::UD_RepetitionTime_Change);
    CB_Continous_Click();
    return Frm_LinkControl_0;
}

void Frm_YambleRfLinkTest::PB_Preable_Click() {
    insertHex(QStringLiteral("AA"));
}

void Frm_YambleRfLinkTest::PB_SynchPatt_Click() {
    insertHex(TB_SynchPatt->text().toUpper());
}

void Frm_YambleRfLinkTest::PB_Clear_Payload_Click() {
    setPayloadText({});
}

void Frm_YambleRfLinkTest::UD_RepetitionTime_Change() {
    repetition_ = UD_RepetitionTime->value();
}

QWidget* Frm_YambleRfLinkTest::buildReceiveFrame() {
    Frm_LinkControl_1 = frame("Frm_LinkControl_1", QStringLiteral("Receive Control"));
    Frame2 = frame("Frame2", QStringLiteral("End of Packet Condition"));
    OB_EOPorPL = option("OB_EOPorPL", QStringLiteral("EOP &or Packet Length"), true);
    OB_EOP = option("OB_EOP", QStringLiteral("EO&P character only"));
    OB_PL = option("OB_PL", QStringLiteral("Packet &Length only"));
    Label5 = label("Label5", QStringLiteral("EOP:"));
    TB_EOP_1 = digitBox("TB_EOP_1", QStringLiteral("13"), 3);
    Label6 = label("Label6", QStringLiteral("( ASCII Code )"));
    Label7 = label("Label7", QStringLiteral("PL:"));
    TB_PL = digitBox("TB_PL", QStringLiteral("100"), 3);
    UD_PL = named(new UpDown(TB_PL, 0, 128, Frame2), "UD_PL");
    Label8 = label("Label8", QStringLiteral("byte(s)"));
    Frame1 = frame("Frame1", QStringLiteral("Receive Options"));
    CB_AddCR = checkBox("CB_AddCR", QStringLiteral("&Add CR after each packet"));
    CB_AutoClear =
        checkBox("CB_AutoClear", QStringLiteral("&Show only the last packet (Auto clear)"));
    CB_ContReceive = checkBox("CB_ContReceive", QStringLiteral("Continuous  &Receive"), true);
    frm_ReadTimeout = frame("frm_ReadTimeout", QString());
    Label10 = label("Label10", QStringLiteral("Read Timeout:"));
    TB_EOP_2 = digitBox("TB_EOP_2", QStringLiteral("100"), 3);
    Label9 = label("Label9", QStringLiteral("ms"));
    Frm_RxViewMode = frame("Frm_RxViewMode", QStringLiteral("View Mode"));
    OB_RxAsciiView = option("OB_RxAsciiView", QStringLiteral("ASCII View"), true);
    OB_RxHexView = option("OB_RxHexView", QStringLiteral("HEX View"));
    TB_MonitoredData = named(new MonitorBox, "TB_MonitoredData");
    TB_MonitoredData->setPreferredSize(24, 4);
    PB_Enable = button("PB_Enable", enableCaption);
    PB_Clear = button("PB_Clear", QStringLiteral("&Clear Monitor"));
    Label11 = label("Label11", QStringLiteral("Packet Count"));
    TB_PacketCount = readOnlyBox("TB_PacketCount", QStringLiteral("0"), Qt::AlignRight);
    fitWidth(TB_PacketCount, QStringLiteral("0000000"));
    PB_Reset = button("PB_Reset", QStringLiteral("Reset"));

    auto* eop = dense(new QGridLayout(Frame2));
    eop->addWidget(OB_EOPorPL, 0, 0);
    eop->addWidget(OB_EOP, 1, 0);
    eop->addWidget(OB_PL, 2, 0);
    eop->addWidget(Label5, 0, 1);
    eop->addWidget(TB_EOP_1, 0, 2);
    eop->addWidget(Label6, 0, 3);
    eop->addWidget(Label7, 1, 1);
    eop->addWidget(TB_PL, 1, 2);
    auto* length = new QHBoxLayout;
    length->addWidget(besideBox(UD_PL, TB_PL));
    length->addWidget(Label8);
    length->addStretch();
    eop->addLayout(length, 1, 3);
    auto* options = dense(new QVBoxLayout(Frame1));
    options->addWidget(CB_AddCR);
    options->addWidget(CB_AutoClear);
    options->addWidget(CB_ContReceive);
    // The timeout and the view options stacked beside the receive options: the frame keeps its
    // design width.
    auto* timeout = dense(new QGridLayout(frm_ReadTimeout));
    timeout->addWidget(Label10, 0, 0, 1, 3);
    timeout->addWidget(TB_EOP_2, 1, 0);
    timeout->addWidget(Label9, 1, 1);
    timeout->setColumnStretch(2, 1);
    auto* view = dense(new QVBoxLayout(Frm_RxViewMode));
    view->addWidget(OB_RxAsciiView);
    view->addWidget(OB_RxHexView);
    auto* right = new QVBoxLayout;
    right->addWidget(frm_ReadTimeout);
    right->addWidget(Frm_RxViewMode);
    auto* row = new QHBoxLayout;
    row->addWidget(Frame1);
    row->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(PB_Enable);
    buttons->addWidget(PB_Clear);
    buttons->addStretch();
    buttons->addWidget(Label11);
    buttons->addWidget(TB_PacketCount);
    buttons->addWidget(PB_Reset);
    auto* grid = dense(new QVBoxLayout(Frm_LinkControl_1));
    grid->addWidget(Frame2);
    grid->addLayout(row);
    grid->addWidget(TB_MonitoredData, 1);
    grid->addLayout(buttons);

    connect(PB_Enable, &QPushButton::clicked, this, &Frm_YambleRfLinkTest::PB_Enable_Click);
    connect(PB_Clear, &QPushButton::clicked, this, &Frm_YambleRfLinkTest::PB_Clear_Click);
    connect(PB_Reset, &QPushButton::clicked, this, &Frm_YambleRfLinkTest::PB_Reset_Click);
    connect(OB_RxHexView, &QRadioButton::toggled, this, &Frm_YambleRfLinkTest::OB_RxHexView_Click);
    onLeaving(TB_PL, [this] { TB_PL_LostFocus(); });
    // Enter on the Receive tab presses Enable, as the tab's default button.
    for (QLineEdit* box : {TB_EOP_1, TB_PL, TB_EOP_2}) {
        connect(box, &QLineEdit::returnPressed, this, [this] {
            if (ShownTab == 2)
                PB_Enable->click();
        });
    }
    return Frm_LinkControl_1;
}

void Frm_YambleRfLinkTest::PB_Clear_Click() {
    TB_MonitoredData->clearText();
}

void Frm_YambleRfLinkTest::PB_Reset_Click() {
    packets_ = 0;
    TB_PacketCount->setText(QStringLiteral("0"));
}

// Both view options toggle together; the hex option's state names the view.
void Frm_YambleRfLinkTest::OB_RxHexView_Click() {
    TB_MonitoredData->setHexView(OB_RxHexView->isChecked());
}

// ---- Window -------------------------------------------------------------------------------------

void Frm_YambleRfLinkTest::Form_Load() {
    placeBesidePanel();
    UD_RepetitionTime->setValue(0);
    repetition_ = 0;
    ShownTab = 1;
    TabStrip1->setCurrentIndex(0);
    Frm_LinkControl_1->hide();
    Frm_LinkControl_0->show();
    fitToTab();
}

void Frm_YambleRfLinkTest::placeBesidePanel() {
    double left = -1;
    for (const auto& [flag, name] :
         {std::pair{main_.TRX1on, "FRM_Zenth"}, std::pair{main_.TRXon, "YambleV3"}}) {
        if (!flag)
            continue;
        if (QMdiSubWindow* panel = main_.frameOf(main_.loadedForm(QString::fromLatin1(name))))
            left = pixelsToTwips(panel->width());
    }
    if (left >= 0)
        main_.placeForm(this, 0, left);
}

void Frm_YambleRfLinkTest::fitToTab() {
    QMdiSubWindow* frame = main_.frameOf(this);
    if (!frame)
        return;
    // The design's size, or more where this desktop's fonts need it. The frame's own hint may
    // still count the tab just hidden: the need is the window's, with the frame's edges added.
    // Both tabs have the wider tab's width.
    layout()->activate();
    const QMargins margins = layout()->contentsMargins();
    const int width = std::max(Frm_LinkControl_0->minimumSizeHint().width(),
                               Frm_LinkControl_1->minimumSizeHint().width()) +
                      margins.left() + margins.right();
    const QSize need = minimumSizeHint().expandedTo({width, 0}).grownBy(frame->contentsMargins());
    const QSize design(twipsToPixels(widthTwips),
                       twipsToPixels(ShownTab == 1 ? transmitHeightTwips : receiveHeightTwips));
    frame->resize(design.expandedTo(need));
}

void Frm_YambleRfLinkTest::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Laid out for real only now: the frame takes the shown tab's size.
    fitToTab();
}

void Frm_YambleRfLinkTest::TabStrip1_Click() {
    const int chosen = TabStrip1->currentIndex() + 1;
    if (chosen == ShownTab)
        return;
    (chosen == 1 ? Frm_LinkControl_0 : Frm_LinkControl_1)->show();
    (ShownTab == 1 ? Frm_LinkControl_0 : Frm_LinkControl_1)->hide();
    ShownTab = chosen;
    fitToTab();
}

void Frm_YambleRfLinkTest::Form_Deactivate() {
    if (!tool_.portOpen()) {
        // Nothing can reach the board: the window alone goes back to idle, so that no tick of
        // a sending it can no longer stop runs on behind it.
        goIdle();
        return;
    }
    QPointer<Frm_YambleRfLinkTest> self(this);
    if (receiving())
        PB_Enable_Click();
    if (!self)
        return;
    if (sending())
        PB_Send_Click();
    else if (ShownTab == 1 && TxActive)
        StopTransmit();
}

void Frm_YambleRfLinkTest::goIdle() {
    ++sequence_;
    main_.TRxLinkOn = false;
    if (receiving())
        setReceiveControls(false);
    if (sending())
        setContinuousControls(false);
    TxActive = false;
}

void Frm_YambleRfLinkTest::Form_Unload() {
    main_.TRxLinkOn = false;
    Timer_CntMode->stop();
    Form_Deactivate();
}

bool Frm_YambleRfLinkTest::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the payload presses Enable only where Enable is, on the Receive tab.
    if (watched == TB_Payload && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ShownTab == 2) {
            PB_Enable->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Payload ------------------------------------------------------------------------------------

void Frm_YambleRfLinkTest::setPayloadText(const QString& text) {
    payloadText_ = text;
    settingPayload_ = true;
    TB_Payload->setPlainText(text);
    settingPayload_ = false;
    showHeading();
}

void Frm_YambleRfLinkTest::TB_Payload_Change() {
    const bool hex = OB_HexView->isChecked();
    const QString shown = TB_Payload->toPlainText();
    const PayloadEdit edit =
        limitedEdit(payloadText_, hex ? hexDigitsOnly(shown) : shownText(textBytes(shown)), limit_);
    payloadText_ = edit.text;
    if (edit.text != shown) {
        settingPayload_ = true;
        TB_Payload->setPlainText(edit.text);
        settingPayload_ = false;
    }
    // The hexadecimal view moves the caret to the end after every edit; the text view leaves it
    // where the user types, unless the text had to be mended.
    if (hex || edit.text != shown) {
        QTextCursor caret = TB_Payload->textCursor();
        caret.setPosition(hex ? int(edit.text.size()) : edit.caret);
        TB_Payload->setTextCursor(caret);
    }
    showHeading();
}

void Frm_YambleRfLinkTest::showHeading() {
    PB_Send->setEnabled(payloadText_.size() > 1);
    const int free = freeBytes(limit_, int(payloadText_.size()), OB_HexView->isChecked());
    Label1->setText(QStringLiteral("Payload ( %1 byte(s) )").arg(free));
}

QByteArray Frm_YambleRfLinkTest::payload() const {
    return OB_HexView->isChecked() ? payloadBytes(payloadText_) : textBytes(payloadText_);
}

void Frm_YambleRfLinkTest::OB_HexView_Click() {
    if (OB_HexView->isChecked()) {
        limit_ = 128;
        setPayloadText(QString::fromLatin1(textBytes(payloadText_).toHex().toUpper()));
    } else {
        limit_ = 64;
        setPayloadText(shownText(payloadBytes(payloadText_)));
    }
}

void Frm_YambleRfLinkTest::insertHex(const QString& digits) {
    if (OB_HexView->isChecked())
        setPayloadText(payloadText_ + hexDigitsOnly(digits));
    else
        setPayloadText(payloadText_ + shownText(payloadBytes(hexDigitsOnly(digits))));
    // The bytes go at the end, and the user types on after them, in the payload.
    QTextCursor caret = TB_Payload->textCursor();
    caret.movePosition(QTextCursor::End);
    TB_Payload->setTextCursor(caret);
    TB_Payload->setFocus();
}

// ---- Transmit options ---------------------------------------------------------------------------

void Frm_YambleRfLinkTest::CB_EOP_Click() {
    TB_EOP_0->setEnabled(CB_EOP->isChecked());
    Label3->setEnabled(CB_EOP->isChecked());
}

void Frm_YambleRfLinkTest::CB_Continous_Click() {
    const bool on = CB_Continous->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Label2, TB_RepetitionTime, UD_RepetitionTime})
        w->setEnabled(on);
    PB_Send->setText(on ? QStringLiteral("&Start Sending") : QStringLiteral("&Send Packet"));
}

void Frm_YambleRfLinkTest::TB_RepetitionTime_LostFocus() {
    if (TB_RepetitionTime->text().isEmpty())
        TB_RepetitionTime->setText(QStringLiteral("0"));
    if (TB_RepetitionTime->text().toInt() > 99)
        TB_RepetitionTime->setText(QStringLiteral("99"));
    repetition_ = TB_RepetitionTime->text().toInt();
    UD_RepetitionTime->setValue(repetition_);
}

void Frm_YambleRfLinkTest::TB_PL_LostFocus() {
    if (TB_PL->text().isEmpty())
        TB_PL->setText(QStringLiteral("0"));
    if (TB_PL->text().toLongLong() > 128 || TB_PL->text().size() > 3)
        TB_PL->setText(QStringLiteral("128"));
    UD_PL->setValue(TB_PL->text().toInt());
}

// ---- Sending ------------------------------------------------------------------------------------

bool Frm_YambleRfLinkTest::sending() const {
    return PB_Send->text() == stopCaption;
}

void Frm_YambleRfLinkTest::setContinuousControls(bool running) {
    TabStrip1->setEnabled(!running && !receiving());
    CB_Continous->setEnabled(!running);
    Label2->setEnabled(!running);
    PB_Send->setText(running ? stopCaption : QStringLiteral("&Start Sending"));
    CB_EOP->setEnabled(!running);
    TB_EOP_0->setEnabled(!running && CB_EOP->isChecked());
    Label3->setEnabled(!running && CB_EOP->isChecked());
    TB_Payload->setEnabled(!running);
    if (running)
        Timer_CntMode->start();
    else
        Timer_CntMode->stop();
}

void Frm_YambleRfLinkTest::PB_Send_Click() {
    if (!tool_.portOpen()) {
        tool_.refuseClosedPort();
        return;
    }
    TxActive = true;
    if (sending()) {
        setContinuousControls(false);
        StopTransmit();
    } else if (CB_Continous->isChecked()) {
        RepeatTicks = 0;
        setContinuousControls(true);
    } else {
        SendPacket();
    }
}

void Frm_YambleRfLinkTest::SendPacket() {
    if (!tool_.portOpen()) {
        PB_Send_Click();
        return;
    }
    tool_.send(packetSendCommand(payload(), CB_EOP->isChecked(), TB_EOP_0->text()));
}

void Frm_YambleRfLinkTest::Timer_CntMode_Timer() {
    // A tick that comes while the last packet still waits for its reply is skipped.
    if (tickRunning_ || !sending())
        return;
    if (RepeatTicks < repetition_) {
        ++RepeatTicks;
        return;
    }
    RepeatTicks = 0;
    if (!tool_.portOpen()) {
        // Stopped at once: one message, or none after the lost board's own.
        setContinuousControls(false);
        TxActive = false;
        tool_.refuseClosedPort();
        return;
    }
    QPointer<Frm_YambleRfLinkTest> self(this);
    tickRunning_ = true;
    SendPacket();
    if (!self)
        return;
    tickRunning_ = false;
    Lbl_Sent->show();
    Timer_Blink->start();
}

void Frm_YambleRfLinkTest::StopTransmit() {
    TxActive = false;
    if (!tool_.portOpen()) {
        tool_.refuseClosedPort();
        return;
    }
    tool_.send(QStringLiteral("T0"));
}

// ---- Receiving ----------------------------------------------------------------------------------

bool Frm_YambleRfLinkTest::receiving() const {
    return PB_Enable->text() != enableCaption;
}

void Frm_YambleRfLinkTest::setReceiveControls(bool locked) {
    TabStrip1->setEnabled(!locked && !sending());
    PB_Enable->setText(locked ? QStringLiteral("&Disable Receive") : enableCaption);
    for (QWidget* w : std::initializer_list<QWidget*>{
             OB_EOP, OB_EOPorPL, OB_PL, TB_EOP_1, TB_EOP_2, TB_PL, UD_PL, CB_AddCR, CB_AutoClear,
             CB_ContReceive, Label5, Label6, Label7, Label8, Label9, Label10})
        w->setEnabled(!locked);
}

void Frm_YambleRfLinkTest::PB_Enable_Click() {
    if (!tool_.portOpen()) {
        tool_.refuseClosedPort();
        return;
    }
    main_.TRxLinkOn = false;
    if (!receiving()) {
        setReceiveControls(true);
        main_.Last7.clear();
        StartReceive();
    } else {
        setReceiveControls(false);
        StopReceive();
    }
}

void Frm_YambleRfLinkTest::fifoWords(int fill) {
    const int mine = sequence_;
    const std::pair<bool ISMmain::*, const char*> panels[] = {{&ISMmain::TRXon, "YambleV3"},
                                                              {&ISMmain::TRX1on, "FRM_Zenth"}};
    QPointer<Frm_YambleRfLinkTest> self(this);
    for (const auto& [flag, name] : panels) {
        if (!self || sequence_ != mine || !(main_.*flag))
            continue;
        auto* panel = main_.loadedForm<TransceiverPanel>(QString::fromLatin1(name));
        const int reset = panel && panel->SensResEn->checkState() == Qt::Checked ? 1 : 0;
        tool_.send(QStringLiteral("S2CA") + hexWord(fill | reset));
    }
}

void Frm_YambleRfLinkTest::StartReceive() {
    if (!tool_.portOpen()) {
        tool_.refuseClosedPort();
        return;
    }
    const int mine = ++sequence_;
    TB_ReceiveData.clear();
    const QString eop = clampBox(TB_EOP_1, 0, 255);
    const QString pl = clampBox(TB_PL, 0, 128);
    UD_PL->setValue(pl.toInt());
    static const EndCondition conditions[] = {EndCondition::EopOrLength, EndCondition::EopOnly,
                                              EndCondition::LengthOnly};
    const EndCondition condition = OB_EOPorPL->isChecked() ? conditions[0]
                                   : OB_EOP->isChecked()   ? conditions[1]
                                                           : conditions[2];
    QPointer<Frm_YambleRfLinkTest> self(this);
    fifoWords(0x80);
    if (!self || sequence_ != mine || !tool_.sendAll(statusReadSequence()) || sequence_ != mine)
        return;
    if (!tool_.send(receiveCommand(2, condition, eop, pl, false)) || sequence_ != mine)
        return;
    fifoWords(0x82);
    if (self && sequence_ == mine)
        main_.TRxLinkOn = true;
}

void Frm_YambleRfLinkTest::StopReceive() {
    if (!tool_.portOpen()) {
        tool_.refuseClosedPort();
        return;
    }
    ++sequence_;
    if (tool_.send(QStringLiteral("F0")))
        fifoWords(0x80);
}

void Frm_YambleRfLinkTest::receiveCharacter(char c) {
    TB_ReceiveData.append(c);
    if (TB_ReceiveData.size() > bufferLimit)
        TB_ReceiveData.remove(0, TB_ReceiveData.size() - bufferLimit);
    if (reports_.take(TB_ReceiveData) != ReportReader::Result::Packet)
        return;
    // The replies to what follows must not reach the buffer.
    main_.TRxLinkOn = false;
    if (receiving())
        packetReceived(reports_.data());
}

void Frm_YambleRfLinkTest::packetReceived(const QByteArray& data) {
    if (CB_AutoClear->isChecked())
        TB_MonitoredData->setBytes(data);
    else
        TB_MonitoredData->appendBytes(data + '\r');
    ++packets_;
    TB_PacketCount->setText(QString::number(packets_));
    if (CB_AddCR->isChecked())
        TB_MonitoredData->appendBytes("\r\n");
    const bool again = CB_ContReceive->isChecked();
    if (!again)
        setReceiveControls(false);
    // From the event loop, not from inside the receive handler: the replies to these commands
    // must be able to arrive. A Disable in between wins.
    QTimer::singleShot(0, this, [this, again] {
        if (again && receiving())
            StartReceive();
        else if (!again)
            StopReceive();
    });
}

} // namespace krv::rflink
