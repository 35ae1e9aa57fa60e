// The programmer's board transactions: one step per tick of EEprog_timer, each step judging
// the replies of its own sends, never starting while a send of an earlier tick still waits.

#include "app/ismmain.h"
#include "boardlock.h"
#include "common/dialogs.h"
#include "eeprom.h"
#include "link/linkwindow.h"
#include "programmertext.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace krv {

namespace {

namespace state {
constexpr long Program = 1;
constexpr long ProgramStatus = 2;
constexpr long Presence = 10;
constexpr long PresenceStatus = 11;
constexpr long Verify = 20;
constexpr long VerifyTake = 21;
constexpr long Read = 30;
constexpr long ReadTake = 31;
constexpr long ProgramEnd = 100;
constexpr long VerifyEnd = 200;
constexpr long ReadEnd = 300;
constexpr long CommError = 1000;
constexpr long Stopped = 2000;
constexpr long StoppedEnd = 2001;
constexpr long PresenceEnd = 3000;
} // namespace state

} // namespace

SendResult eeprom::SendEEPROMCmd(const QString& text) {
    const SendResult result = main_.Send_To_LoadBoard(text + u'\r');
    if (!result.ok())
        failed_ = true;
    return result;
}

void eeprom::setButtonsEnabled(bool enabled) {
    for (QPushButton* button : {loadeefile, Prog, Read, SaveEEFile, Verify, Command1})
        button->setEnabled(enabled);
}

void eeprom::Command1_Click() {
    if (!boardTransactionStartable(main_))
        return;
    hold_ = main_.CommState.take(state::Presence);
    running_ = true;
    failed_ = false;
    stopRequested_ = false;
    EEprog_timer->stop();
    EEprog_timer->setInterval(50);
    EEprog_timer->start();
    QPointer<eeprom> self(this);
    SendEEPROMCmd(QStringLiteral("S106"));
    if (self)
        StatusMsg->setText(QStringLiteral("Reading"));
}

void eeprom::Prog_Click() {
    if (!boardTransactionStartable(main_))
        return;
    const QByteArray digits = programmer::imageDigits(workSheet_);
    if (const std::optional<QString> problem = programmer::imageProblem(digits)) {
        Dialogs::message(*problem, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        return;
    }
    hold_ = main_.CommState.take(state::Program);
    running_ = true;
    failed_ = false;
    stopRequested_ = false;
    StatusMsg->setText(QStringLiteral("Status read "));
    PageIndex = 1;
    EEprogData = digits;
    PageCount = int(digits.size() / 32);
    TailDigits = int(digits.size() % 32);
    ProgressBar1->setRange(PageCount > 0 ? 1 : 0, qMax(1, PageCount));
    ProgressBar1->setValue(ProgressBar1->minimum());
    ProgressBar1->show();
    setButtonsEnabled(false);
    StopButton->show();
    presenceKnown_ = false;
    QPointer<eeprom> self(this);
    // The write enable makes a present EEPROM show a status other than 0 at the first poll, as
    // the presence check does: no page goes to a board without one.
    for (const char* command : {"H2", "S106"}) {
        SendEEPROMCmd(QString::fromLatin1(command));
        if (!self || !running_)
            return;
    }
    EEprog_timer->stop();
    EEprog_timer->setInterval(40);
    EEprog_timer->start();
}

void eeprom::Verify_Click() {
    StartEEPROMRead(state::Verify);
}

void eeprom::Read_Click() {
    StartEEPROMRead(state::Read);
}

void eeprom::StartEEPROMRead(int mode) {
    if (!boardTransactionStartable(main_))
        return;
    hold_ = main_.CommState.take(mode);
    running_ = true;
    failed_ = false;
    stopRequested_ = false;
    ReadBuffer.clear();
    BytesRead = 0;
    ProgressBar1->hide();
    ProgressBar1->setRange(0, programmer::EepromBytes);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    setButtonsEnabled(false);
    StopButton->show();
    QPointer<eeprom> self(this);
    for (const char* command : {"H2", "L2", "WS03,00,00"}) {
        SendEEPROMCmd(QString::fromLatin1(command));
        if (!self || !running_)
            return;
    }
    EEprog_timer->stop();
    EEprog_timer->setInterval(50);
    EEprog_timer->start();
}

void eeprom::StopButton_Click() {
    if (!running_)
        return;
    StatusMsg->setText(QStringLiteral("Stopped"));
    // Taken up by the next tick, so a step never loses its own next state to it.
    stopRequested_ = true;
}

void eeprom::EEprog_timer_Timer() {
    if (inStep_)
        return;
    inStep_ = true;
    QPointer<eeprom> self(this);
    const bool alive = step();
    if (alive && self)
        inStep_ = false;
}

void eeprom::finish() {
    setButtonsEnabled(true);
    EEprog_timer->stop();
    hold_.release();
    running_ = false;
    stopRequested_ = false;
    ProgressBar1->hide();
    StopButton->hide();
}

void eeprom::fail() {
    finish();
    // A board that went away has been reported by the main window already.
    if (main_.link()->lostQuietly())
        return;
    Dialogs::message(QStringLiteral("Operation not completed! Please try again!"),
                     QStringLiteral("Communication Error"), Dialogs::Icon::Information);
}

void eeprom::WriteEEPROMPage() {
    SendEEPROMCmd(QStringLiteral("S106"));
    SendEEPROMCmd(programmer::pageCommand(EEprogData, WriteAddress, WriteCount));
}

void eeprom::takeSixteen(const SendResult& reply) {
    main_.Last100 = main_.Last100.right(55);
    ReadBuffer += programmer::sixteenBytes(reply.Last100);
    BytesRead += programmer::PageBytes;
}

void eeprom::compare() {
    EEprogData = programmer::imageDigits(workSheet_).toLower();
    const QString report = programmer::compareReport(EEprogData, ReadBuffer);
    if (report.isEmpty())
        Dialogs::message(QStringLiteral("Buffer and EEPROM contents are identical."),
                         QStringLiteral("Verify Successful"), Dialogs::Icon::Information);
    else
        Dialogs::message(report, QStringLiteral("Verify failed"), Dialogs::Icon::Information);
}

bool eeprom::step() {
    if (!running_) {
        EEprog_timer->stop();
        return true;
    }
    QPointer<eeprom> self(this);
    // After every send the window may be gone, or closed and its transaction ended.
    const auto gone = [&] { return !self || !running_; };
    if (hold_.step() == state::CommError) {
        fail();
        return true;
    }
    if (failed_) {
        failed_ = false;
        StatusMsg->setText(QStringLiteral("LB comm. error"));
        hold_.setStep(state::CommError);
        return true;
    }
    if (stopRequested_ && hold_.step() != state::Stopped && hold_.step() != state::StoppedEnd) {
        stopRequested_ = false;
        StoppedState = hold_.step();
        hold_.setStep(state::Stopped);
    }
    switch (hold_.step()) {
    case state::Program:
    case state::Presence: {
        const long next = hold_.step() + 1;
        const SendResult reply = SendEEPROMCmd(QStringLiteral("S20500"));
        if (gone())
            return bool(self);
        status_ = programmer::statusByte(reply.Last15);
        hold_.setStep(next);
        break;
    }
    case state::ProgramStatus: {
        const QString text = programmer::statusText(status_);
        if (!presenceKnown_ && status_ == 0) {
            StatusMsg->setText(QStringLiteral("Not present ") + text);
            finish();
            Dialogs::message(QStringLiteral("No EEPROM answers on the load board (status ") + text +
                                 QStringLiteral(").\r\nNothing was programmed."),
                             QStringLiteral("End of Programming"), Dialogs::Icon::Exclamation);
            break;
        }
        presenceKnown_ = true;
        if (status_ & 1) {
            StatusMsg->setText(QStringLiteral("Busy ") + text);
            hold_.setStep(state::Program);
            break;
        }
        StatusMsg->setText(QStringLiteral("Programming "));
        if (PageIndex <= PageCount) {
            hold_.setStep(state::Program);
            ProgressBar1->setValue(PageIndex);
            WriteAddress = (PageIndex - 1) * programmer::PageBytes;
            WriteCount = programmer::PageBytes;
            ++PageIndex;
            WriteEEPROMPage();
            return bool(self);
        }
        StatusMsg->setText(QStringLiteral("Program end") + text);
        hold_.setStep(state::ProgramEnd);
        if (TailDigits != 0) {
            WriteAddress = (PageIndex - 1) * programmer::PageBytes;
            WriteCount = TailDigits / 2;
            WriteEEPROMPage();
            if (gone())
                return bool(self);
        }
        SendEEPROMCmd(QStringLiteral("S104"));
        return bool(self);
    }
    case state::PresenceStatus: {
        const QString text = programmer::statusText(status_);
        if (status_ == 0)
            StatusMsg->setText(QStringLiteral("Not present ") + text);
        else
            StatusMsg->setText(
                ((status_ & 1) ? QStringLiteral("busy ") : QStringLiteral("ready ")) + text);
        hold_.setStep(state::PresenceEnd);
        break;
    }
    case state::Verify:
    case state::Read: {
        const bool verify = hold_.step() == state::Verify;
        if (BytesRead < programmer::EepromBytes) {
            ProgressBar1->setValue(BytesRead);
            StatusMsg->setText(verify ? QStringLiteral("Verifying") : QStringLiteral("Reading"));
            const long next = hold_.step() + 1;
            const SendResult reply = SendEEPROMCmd(QStringLiteral("RS16"));
            if (gone())
                return bool(self);
            if (reply.ok())
                takeSixteen(reply);
            hold_.setStep(next);
        } else {
            StatusMsg->setText(verify ? QStringLiteral("Verify end") : QStringLiteral("Read end"));
            hold_.setStep(verify ? state::VerifyEnd : state::ReadEnd);
            SendEEPROMCmd(QStringLiteral("H2"));
            return bool(self);
        }
        break;
    }
    case state::VerifyTake:
    case state::ReadTake:
        hold_.setStep(hold_.step() - 1);
        break;
    case state::ProgramEnd:
        finish();
        Dialogs::message(QStringLiteral("Buffer content successfully programmed into the EEPROM."),
                         QStringLiteral("End of Programming"), Dialogs::Icon::Information);
        break;
    case state::VerifyEnd:
        finish();
        compare();
        break;
    case state::ReadEnd:
        finish();
        setWorkSheet(programmer::formatReadBack(ReadBuffer));
        Dialogs::message(QStringLiteral("EEPROM content readed into buffer."),
                         QStringLiteral("Read end"), Dialogs::Icon::Information);
        break;
    case state::Stopped: {
        hold_.setStep(state::StoppedEnd);
        ProgressBar1->hide();
        StopButton->hide();
        setButtonsEnabled(true);
        if (StoppedState == state::Read || StoppedState == state::ReadTake)
            setWorkSheet(programmer::formatReadBack(ReadBuffer));
        SendEEPROMCmd(QStringLiteral("H2"));
        return bool(self);
    }
    case state::StoppedEnd:
        finish();
        Dialogs::message(QStringLiteral("Warning!\r\nProgress is not finished!\r\nEEPROM and "
                                        "buffer data inconsistent!"),
                         Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
        break;
    case state::PresenceEnd:
        // The presence check leaves the buttons as they were.
        EEprog_timer->stop();
        hold_.release();
        running_ = false;
        break;
    default:
        break;
    }
    return true;
}

} // namespace krv
