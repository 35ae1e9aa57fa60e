#include "cwlink.h"

#include "app/ismmain.h"
#include "app/wholetitle.h"
#include "common/numbers.h"
#include "lamp.h"
#include "panels/transceiver/transceiverpanel.h"
#include "widgets.h"

#include <QGridLayout>
#include <QMdiSubWindow>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

namespace krv::rflink {

namespace {

long latchOf(ISMmain& main, const char* name) {
    auto* panel = main.loadedForm<TransceiverPanel>(QString::fromLatin1(name));
    return panel ? panel->TXlatchOn : 0;
}

// The window at the top, right of the open chip panel; beside its partner of the CW link pair
// when that is open, so that the two always stand together.
void placeWindow(ISMmain& main, QWidget* window, int widthTwips, int heightTwips, int leftTwips,
                 const QString& partner) {
    // A small fixed tool: its title bar keeps the room of minimise and maximise buttons for the
    // title, so that the design's narrow frame shows it whole.
    if (QMdiSubWindow* frame = main.frameOf(window))
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    main.sizeForm(window, widthTwips, heightTwips);
    if (QMdiSubWindow* frame = main.frameOf(window))
        showWholeTitle(frame);
    if (QWidget* other = main.loadedForm(partner))
        main.placeBeside(window, other);
    else
        main.placeForm(window, 0, leftTwips);
}

} // namespace

// ---- Transmitter window -------------------------------------------------------------------------

frm_Link::frm_Link(ISMmain& main) : main_(main), tool_(main, this) {
    setWindowTitle(QStringLiteral("CW Link Setup"));
    Frame1 = frame("Frame1", QStringLiteral("Modulation"));
    cb_manual = checkBox("cb_manual", QStringLiteral("Manual"));
    pb_L = button("pb_L", QStringLiteral("\"L\""));
    pb_H = button("pb_H", QStringLiteral("\"H\""));
    tx_LED_L = new Lamp("tx_LED_L");
    tx_LED_H = new Lamp("tx_LED_H");
    cb_astabil = checkBox("cb_astabil", QStringLiteral("astabil"));
    Slider = named(new QSlider(Qt::Horizontal), "Slider");
    Slider->setRange(1, 10);
    Slider->setSingleStep(1);
    Slider->setPageStep(5);
    Slider->setTickPosition(QSlider::NoTicks);
    cb_pn15 = checkBox("cb_pn15", QStringLiteral("PN 15 sequence"));
    Timer2 = named(new QTimer(this), "Timer2");

    fitted(pb_L);
    fitted(pb_H);
    auto* grid = dense(new QGridLayout(Frame1));
    grid->addWidget(cb_manual, 0, 0);
    grid->addWidget(pb_L, 0, 1);
    grid->addWidget(pb_H, 0, 2);
    grid->addWidget(tx_LED_L, 1, 1, Qt::AlignHCenter);
    grid->addWidget(tx_LED_H, 1, 2, Qt::AlignHCenter);
    grid->addWidget(cb_astabil, 2, 0);
    grid->addWidget(Slider, 2, 1, 1, 2);
    grid->addWidget(cb_pn15, 3, 0, 1, 3);
    auto* layout = dense(new QVBoxLayout(this));
    layout->addWidget(Frame1);

    connect(cb_manual, &QCheckBox::toggled, this, &frm_Link::cb_manual_Click);
    connect(cb_astabil, &QCheckBox::toggled, this, &frm_Link::cb_astabil_Click);
    connect(cb_pn15, &QCheckBox::toggled, this, &frm_Link::cb_pn15_Click);
    connect(pb_H, &QPushButton::clicked, this, &frm_Link::pb_H_Click);
    connect(pb_L, &QPushButton::clicked, this, &frm_Link::pb_L_Click);
    connect(Slider, &QSlider::valueChanged, this, &frm_Link::Slider_Scroll);
    connect(Timer2, &QTimer::timeout, this, &frm_Link::Timer2_Timer);
    tool_.onBoardLost([this] { boardLost(); });
}

void frm_Link::Form_Load() {
    main_.CWLinkTXOn = true;
    Timer2->stop();
    Timer2->setInterval(1000);
    AstableNextHigh = 0;
    pb_H->setEnabled(false);
    pb_L->setEnabled(false);
    Frame1->setEnabled(true);
    cb_manual->setEnabled(false);
    cb_pn15->setEnabled(false);
    cb_astabil->setEnabled(false);
    Slider->setEnabled(false);
    int left = 0;
    const std::pair<bool, const char*> panels[] = {{main_.TX0on, "MivraV2"},
                                                   {main_.TX1on, "PelkoV1"},
                                                   {main_.TRXon, "YambleV3"},
                                                   {main_.TRX1on, "FRM_Zenth"}};
    for (const auto& [on, name] : panels) {
        if (on)
            left = tool_.formWidth(QString::fromLatin1(name));
    }
    placeWindow(main_, this, 3100, 2700, left, QStringLiteral("frm_Link_RX"));
    main_.link()->DisableDataSelector(this);
    modeAvailability();
}

void frm_Link::Form_Activate() {
    modeAvailability();
}

void frm_Link::offerFor(int panelFlag) {
    const bool pn15 = panelFlag == 1;
    cb_pn15->setEnabled(pn15);
    cb_manual->setEnabled(!pn15);
    cb_astabil->setEnabled(!pn15);
    // Clearing a checked box switches its mode off with its commands.
    if (pn15) {
        cb_pn15->setChecked(false);
    } else {
        cb_manual->setChecked(false);
        cb_astabil->setChecked(false);
    }
}

void frm_Link::modeAvailability() {
    QPointer<frm_Link> self(this);
    if (main_.TRXon || main_.TRX1on) {
        ChipID = QStringLiteral("1");
        if (main_.TRXon)
            offerFor(int(latchOf(main_, "YambleV3")));
        if (self && main_.TRX1on)
            offerFor(int(latchOf(main_, "FRM_Zenth")));
    }
    if (!self)
        return;
    if (main_.TX0on || main_.TX1on) {
        ChipID = QStringLiteral("0");
        if (main_.TX0on)
            offerFor(0);
        if (QWidget* pelko = main_.loadedForm(QStringLiteral("PelkoV1")); self && main_.TX1on)
            offerFor(pelko ? pelko->property("TXBitSinchOn").toInt() : 0);
    }
}

void frm_Link::powerWord(bool on) {
    const bool transceiver = leadingNumber(ChipID) == 1;
    if (transceiver)
        tool_.send(on ? QStringLiteral("S28221") : QStringLiteral("S28200"));
    else
        tool_.send(on ? QStringLiteral("S2c039") : QStringLiteral("S2c000"));
}

void frm_Link::cb_manual_Click() {
    QPointer<frm_Link> self(this);
    if (cb_manual->isChecked() && cb_astabil->isChecked())
        cb_astabil->setChecked(false);
    if (!self)
        return;
    if (cb_manual->isChecked()) {
        powerWord(true);
        if (!self)
            return;
        pb_H->setEnabled(true);
        pb_L->setEnabled(true);
        if (!tool_.send(QStringLiteral("H3")))
            return;
        tx_LED_H->setLit(false);
        tx_LED_L->setLit(false);
    } else {
        pb_H->setEnabled(false);
        pb_L->setEnabled(false);
        tx_LED_H->setLit(false);
        tx_LED_L->setLit(false);
        if (tool_.send(QStringLiteral("Z3")))
            powerWord(false);
    }
}

void frm_Link::driveLevel(bool high) {
    const std::optional<SendResult> reply =
        tool_.exchange((high ? QStringLiteral("y1") : QStringLiteral("y0")) + ChipID);
    // The lamps show the level the board took, not one it refused.
    if (reply && reply->ok()) {
        tx_LED_H->setLit(high);
        tx_LED_L->setLit(!high);
    }
}

void frm_Link::pb_H_Click() {
    driveLevel(true);
}

void frm_Link::pb_L_Click() {
    driveLevel(false);
}

void frm_Link::cb_astabil_Click() {
    QPointer<frm_Link> self(this);
    if (cb_astabil->isChecked())
        Slider->setEnabled(true);
    if (cb_astabil->isChecked() && cb_manual->isChecked())
        cb_manual->setChecked(false);
    if (!self)
        return;
    if (cb_astabil->isChecked()) {
        tx_LED_H->setLit(false);
        tx_LED_L->setLit(false);
        Timer2->stop();
        if (!tool_.send(QStringLiteral("H3")))
            return;
        powerWord(true);
        if (!self)
            return;
        Slider_Scroll();
        Timer2->start();
    } else {
        Timer2->stop();
        Slider->setEnabled(false);
        powerWord(false);
    }
}

void frm_Link::Slider_Scroll() {
    Timer2->setInterval(int(roundHalfEven(1000.0 / Slider->value())));
}

void frm_Link::Timer2_Timer() {
    // A step due while the port is closed or the last step still waits is skipped.
    if (stepRunning_ || !tool_.readyForStep())
        return;
    QPointer<frm_Link> self(this);
    stepRunning_ = true;
    const bool high = AstableNextHigh != 0;
    AstableNextHigh = high ? 0 : 1;
    driveLevel(high);
    if (self)
        stepRunning_ = false;
}

void frm_Link::cb_pn15_Click() {
    if (cb_pn15->isChecked()) {
        if (!tool_.send(QStringLiteral("H3")))
            return;
        const std::optional<SendResult> reply = tool_.exchange(QStringLiteral("y2") + ChipID);
        if (!reply)
            return;
        Slider->setEnabled(false);
        if (reply->ok()) {
            tx_LED_H->setLit(true);
            tx_LED_L->setLit(true);
        }
    } else {
        std::optional<SendResult> reply = tool_.exchange(QStringLiteral("y3") + ChipID);
        if (!reply)
            return;
        // One retry when the board refused the first stop.
        if (tool_.comFlag() == 1) {
            reply = tool_.exchange(QStringLiteral("y3") + ChipID);
            if (!reply)
                return;
        }
        // Lit lamps stay lit while the board may still be sending the sequence.
        if (reply->ok()) {
            tx_LED_H->setLit(false);
            tx_LED_L->setLit(false);
        }
    }
}

void frm_Link::boardLost() {
    // The lost board took its mode with it: every box clear, with no command for the gone board.
    Timer2->stop();
    for (QCheckBox* box : {cb_manual, cb_astabil, cb_pn15}) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    pb_H->setEnabled(false);
    pb_L->setEnabled(false);
    Slider->setEnabled(false);
    tx_LED_H->setLit(false);
    tx_LED_L->setLit(false);
}

void frm_Link::clearModes() {
    QPointer<frm_Link> self(this);
    for (QCheckBox* box : {cb_manual, cb_astabil, cb_pn15}) {
        if (!self)
            return;
        box->setChecked(false);
    }
}

void frm_Link::lineForTransceivers() {
    QPointer<frm_Link> self(this);
    const std::pair<bool ISMmain::*, const char*> panels[] = {{&ISMmain::TRXon, "YambleV3"},
                                                              {&ISMmain::TRX1on, "FRM_Zenth"}};
    for (const auto& [flag, name] : panels) {
        if (!self)
            return;
        if (main_.*flag)
            tool_.send(latchOf(main_, name) == 1 ? QStringLiteral("H3") : QStringLiteral("Z3"));
    }
}

void frm_Link::Form_Deactivate() {
    QPointer<frm_Link> self(this);
    clearModes();
    if (self)
        lineForTransceivers();
}

void frm_Link::Form_Unload() {
    main_.CWLinkTXOn = false;
    Timer2->stop();
    QPointer<frm_Link> self(this);
    clearModes();
    if (self)
        lineForTransceivers();
    if (self && (main_.TX0on || main_.TX1on))
        tool_.send(QStringLiteral("Z3"));
    main_.link()->EnableDataSelector(this);
}

// ---- Receiver window ----------------------------------------------------------------------------

frm_Link_RX::frm_Link_RX(ISMmain& main) : main_(main), tool_(main, this) {
    setWindowTitle(QStringLiteral("CW Link Setup"));
    Label1 = label("Label1", QStringLiteral("Data output state"));
    Label2 = label("Label2", QStringLiteral("Low"));
    Label3 = label("Label3", QStringLiteral("High"));
    LED_L = new Lamp("LED_L");
    LED_H = new Lamp("LED_H");
    cb_MoniEn = checkBox("cb_MoniEn", QStringLiteral("Enable"));
    Timer1 = named(new QTimer(this), "Timer1");
    auto* grid = dense(new QGridLayout(this));
    grid->addWidget(Label1, 0, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(Label2, 1, 0, Qt::AlignHCenter);
    grid->addWidget(Label3, 1, 1, Qt::AlignHCenter);
    grid->addWidget(LED_L, 2, 0, Qt::AlignHCenter);
    grid->addWidget(LED_H, 2, 1, Qt::AlignHCenter);
    grid->addWidget(cb_MoniEn, 3, 0, 1, 2, Qt::AlignHCenter);
    connect(cb_MoniEn, &QCheckBox::toggled, this, &frm_Link_RX::cb_MoniEn_Click);
    connect(Timer1, &QTimer::timeout, this, &frm_Link_RX::Timer1_Timer);
    tool_.onBoardLost([this] {
        // Monitoring ended with the board; the lamps no longer show its output.
        Timer1->stop();
        const QSignalBlocker quiet(cb_MoniEn);
        cb_MoniEn->setChecked(false);
        LED_H->setLit(false);
        LED_L->setLit(false);
    });
}

void frm_Link_RX::Form_Load() {
    main_.CWLinkRXOn = true;
    Timer1->stop();
    Timer1->setInterval(50);
    LED_L->hide();
    LED_H->hide();
    cb_MoniEn->setEnabled(false);
    int left = 0;
    const std::pair<bool, const char*> panels[] = {{main_.RXon, "DruskV1"},
                                                   {main_.RX1on, "Ovalt"},
                                                   {main_.TRXon, "YambleV3"},
                                                   {main_.TRX1on, "FRM_Zenth"}};
    for (const auto& [on, name] : panels) {
        if (on)
            left = tool_.formWidth(QString::fromLatin1(name));
    }
    placeWindow(main_, this, 2220, 2700, left, QStringLiteral("frm_Link"));
    main_.link()->DisableDataSelector(this);
    if (!tool_.send(QStringLiteral("Z3")))
        return;
    if (main_.RXon || main_.RX1on || main_.TRXon || main_.TRX1on) {
        cb_MoniEn->setEnabled(true);
        LED_L->show();
        LED_H->show();
        cb_MoniEn->setChecked(false);
    }
}

void frm_Link_RX::cb_MoniEn_Click() {
    if (cb_MoniEn->isChecked()) {
        if (!tool_.send(QStringLiteral("Z3")))
            return;
        Timer1->start();
        tool_.send(QStringLiteral("d2"));
    } else {
        Timer1->stop();
        tool_.send(QStringLiteral("d0"));
    }
}

void frm_Link_RX::Timer1_Timer() {
    // A poll due while the port is closed or the last poll still waits is skipped.
    if (stepRunning_ || !tool_.readyForStep())
        return;
    QPointer<frm_Link_RX> self(this);
    stepRunning_ = true;
    main_.Last100.clear();
    const std::optional<SendResult> reply = tool_.exchange(QStringLiteral("RO"));
    if (!self)
        return;
    stepRunning_ = false;
    if (!reply || !reply->ok())
        return;
    const QString level = reply->Last100.right(15).mid(4, 1);
    LED_H->setLit(level == u"1");
    LED_L->setLit(level == u"0");
}

void frm_Link_RX::Form_Deactivate() {
    cb_MoniEn->setChecked(false);
}

void frm_Link_RX::Form_Unload() {
    main_.CWLinkRXOn = false;
    QPointer<frm_Link_RX> self(this);
    cb_MoniEn->setChecked(false);
    if (self)
        main_.link()->EnableDataSelector(this);
}

} // namespace krv::rflink
