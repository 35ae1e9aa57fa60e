#include "statusreader.h"

#include "app/ismmain.h"
#include "chippanel.h"
#include "common/dialogs.h"
#include "common/numbers.h"
#include "link/linkwindow.h"
#include "statusword.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace krv {

namespace {

const QString CommunicationFault = QStringLiteral("Communication fault.");
const QString NotConnected = QStringLiteral("Commport not available, Loadboard not connected!");
const QString Busy = QStringLiteral("Commport is busy. Please retry later!");

QTimer* namedTimer(QObject* parent, const QString& name) {
    auto* t = new QTimer(parent);
    t->setObjectName(name);
    return t;
}

} // namespace

QColor litColour() {
    return QColor(255, 255, 0);
}

QColor buttonFace() {
    return QPalette().color(QPalette::Button);
}

void paintIndicator(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

void setIndicatorLit(QLineEdit* box, bool lit) {
    paintIndicator(box, lit ? litColour() : buttonFace());
    box->setEnabled(lit);
}

StatusReader::StatusReader(ChipPanel& panel, ISMmain& main)
    : QObject(&panel), panel_(panel), main_(main),
      statusTimer_(namedTimer(this, QStringLiteral("Timer3"))),
      pollTimer_(namedTimer(this, QStringLiteral("Timer1"))),
      repeatTimer_(namedTimer(this, QStringLiteral("RepStatusReadTimer"))),
      markTimer_(namedTimer(this, QStringLiteral("SRVisualTimer"))) {
    repeatTimer_->setInterval(ISMmain::GetRepetitiveStatusReadInterval());
    markTimer_->setInterval(ISMmain::GetRepetitiveStatusReadMarkInterval());
    connect(statusTimer_, &QTimer::timeout, this, &StatusReader::Timer3_Timer);
    connect(pollTimer_, &QTimer::timeout, this, &StatusReader::Timer1_Timer);
    connect(repeatTimer_, &QTimer::timeout, this, &StatusReader::RepStatusReadTimer_Timer);
    connect(markTimer_, &QTimer::timeout, this, &StatusReader::SRVisualTimer_Timer);
}

void StatusReader::end() {
    for (QTimer* t : {statusTimer_, pollTimer_, repeatTimer_, markTimer_})
        t->stop();
    hold_.release();
    panel_.StatusReadActive = false;
}

// ---- Starting ---------------------------------------------------------------------------------

bool StatusReader::refuse() {
    if (!main_.boardPortOpen()) {
        // After a lost board or the user's Disconnect this stays quiet: the user knows.
        if (main_.link()->closedPortMessageDue())
            Dialogs::message(NotConnected, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation,
                             Dialogs::Buttons::Ok, &panel_);
        return true;
    }
    if (main_.CommState != 0) {
        Dialogs::message(Busy, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation,
                         Dialogs::Buttons::Ok, &panel_);
        return true;
    }
    return false;
}

void StatusReader::StartStatusRead() {
    if (refuse())
        return;
    hold_ = main_.CommState.take();
    faultShown_ = false;
    statusTimer_->stop();
    statusTimer_->setInterval(panel_.design().statusStepInterval);
    panel_.StatusReadActive = true;
    statusTimer_->start();
}

void StatusReader::startInterruptPoll() {
    if (refuse())
        return;
    hold_ = main_.CommState.take();
    faultShown_ = false;
    pollTimer_->stop();
    pollTimer_->setInterval(100);
    pollTimer_->start();
}

std::optional<SendResult> StatusReader::line(const QString& text) {
    std::optional<SendResult> result = panel_.sendLine(text);
    // Unloading the panel during the wait released CommState: the transaction ends here, and
    // must not take the lock again by moving on to its next step.
    if (!result || !hold_.held())
        return std::nullopt;
    if (result->portClosed()) {
        endAtClosedPort(*result);
        return std::nullopt;
    }
    return result;
}

void StatusReader::endAtClosedPort(const SendResult& result) {
    statusTimer_->stop();
    pollTimer_->stop();
    repeatTimer_->stop();
    if (panel_.StatusReadActive) {
        // The AFC word comes back to the panel's own, unsent, as the update mark does.
        if (SavedAfcEnable) {
            panel_.afcEnableBox()->setChecked(true);
            panel_.CalcAFCw();
        }
        if (!SavedUpdateMark)
            panel_.LabelUpdate->setVisible(false);
        panel_.StatusReadActive = false;
    }
    if (!result.endedByUser())
        showFault();
    hold_.release();
}

void StatusReader::showFault() {
    faultShown_ = true;
    panel_.Statusline->setText(CommunicationFault);
}

void StatusReader::finish(QTimer* timer) {
    if (!faultShown_ && panel_.Statusline->text() == CommunicationFault)
        panel_.Statusline->setText(QStringLiteral(" "));
    timer->stop();
    hold_.release();
}

// ---- Status read ------------------------------------------------------------------------------

void StatusReader::Timer3_Timer() {
    if (statusStepRunning_ || !hold_.held())
        return;
    statusStepRunning_ = true;
    QPointer<StatusReader> self(this);
    switch (hold_.step()) {
    case 1:
        statusStep1();
        break;
    case 2:
        statusStep2();
        break;
    case 3:
        statusStep3();
        break;
    case 100:
        statusStep100();
        break;
    default:
        break;
    }
    if (self)
        statusStepRunning_ = false;
}

void StatusReader::statusStep1() {
    const ChipPanelDesign& design = panel_.design();
    QCheckBox* afc = panel_.afcEnableBox();
    SavedAfcEnable = design.afcOffWords > 0 && afc && afc->isChecked();
    SavedUpdateMark = !panel_.LabelUpdate->isHidden();
    if (SavedAfcEnable) {
        afc->setChecked(false);
        panel_.CalcAFCw();
        for (int i = 0; i < design.afcOffWords; ++i)
            if (!line(QStringLiteral("S2") + panel_.afcWordBox()->text()))
                return;
    }
    for (const QString& preamble : design.statusPreamble)
        if (!line(preamble))
            return;
    // Kept only once the line has returned with the panel still there.
    const std::optional<SendResult> reply = line(QStringLiteral("RS"));
    if (!reply)
        return;
    firstStatusReply_ = reply;
    hold_.setStep(2);
}

void StatusReader::statusStep2() {
    const ChipPanelDesign& design = panel_.design();
    const int firstBit = 8 * (design.statusBytes - 1);
    if (firstStatusReply_ && firstStatusReply_->ok())
        showStatusByte(statusByte(firstStatusReply_->Last15), firstBit);
    else
        showFault();
    if (design.statusBytes == 1) {
        if (!line(QStringLiteral("H2")))
            return;
        hold_.setStep(100);
        return;
    }
    const std::optional<SendResult> reply = line(QStringLiteral("RS"));
    if (!reply)
        return;
    secondStatusReply_ = reply;
    hold_.setStep(3);
}

void StatusReader::statusStep3() {
    const ChipPanelDesign& design = panel_.design();
    if (secondStatusReply_ && secondStatusReply_->ok()) {
        const int value = statusByte(secondStatusReply_->Last15);
        showStatusByte(value, 0);
        if (design.offsetBits > 0) {
            const float offset =
                float(afcOffsetSteps(value, design.offsetBits)) * float(panel_.frequencyStepKHz());
            panel_.Foffset->setText(signedNumberText(offset));
        }
    } else {
        showFault();
    }
    if (!line(QStringLiteral("H2")))
        return;
    if (SavedAfcEnable) {
        panel_.afcEnableBox()->setChecked(true);
        panel_.CalcAFCw();
        if (!line(QStringLiteral("S2") + panel_.afcWordBox()->text()))
            return;
    }
    hold_.setStep(100);
}

void StatusReader::statusStep100() {
    if (!SavedUpdateMark)
        panel_.LabelUpdate->setVisible(false);
    finish(statusTimer_);
    panel_.StatusReadActive = false;
}

void StatusReader::showStatusByte(int value, int firstBit) {
    const int indicators = panel_.design().indicatorCount;
    for (int bit = 0; bit < 8; ++bit) {
        const int index = panel_.indicatorForBit(firstBit + bit);
        if (index >= 1 && index <= indicators)
            setIndicatorLit(panel_.status[index], (value >> bit) & 1);
    }
}

// ---- Interrupt poll -----------------------------------------------------------------------------

void StatusReader::Timer1_Timer() {
    if (pollStepRunning_ || !hold_.held())
        return;
    switch (hold_.step()) {
    case 1: {
        pollStepRunning_ = true;
        QPointer<StatusReader> self(this);
        const std::optional<SendResult> reply = line(QStringLiteral("RI"));
        if (!self)
            return;
        pollStepRunning_ = false;
        if (reply) {
            irqReply_ = reply;
            hold_.setStep(2);
        }
        break;
    }
    case 2:
        if (irqReply_ && irqReply_->ok())
            setIndicatorLit(panel_.IRQ,
                            irqReply_->Last15.mid(panel_.design().interruptCharacter - 1, 1) ==
                                QStringLiteral("0"));
        else
            showFault();
        hold_.setStep(100);
        break;
    case 100:
        finish(pollTimer_);
        break;
    default:
        break;
    }
}

// ---- Repetition ---------------------------------------------------------------------------------

void StatusReader::startRepeating() {
    repeatTimer_->start();
}

void StatusReader::stopRepeating() {
    repeatTimer_->stop();
}

bool StatusReader::repeating() const {
    return repeatTimer_->isActive();
}

void StatusReader::RepStatusReadTimer_Timer() {
    // A refused tick ends the repetition: the next tick would only repeat the same refusal.
    if (!main_.boardPortOpen() || main_.CommState != 0) {
        repeatTimer_->stop();
        refuse();
        return;
    }
    setReadMark(true);
    StartStatusRead();
    markTimer_->start();
}

void StatusReader::SRVisualTimer_Timer() {
    markTimer_->stop();
    setReadMark(false);
}

void StatusReader::setReadMark(bool on) {
    QPalette palette = panel_.ReadStatus->palette();
    palette.setColor(QPalette::Button, on ? litColour() : buttonFace());
    panel_.ReadStatus->setPalette(palette);
}

} // namespace krv
