#include "firmload.h"

#include "app/ismmain.h"
#include "boardlock.h"
#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/optionbutton.h"
#include "common/programfolder.h"
#include "firmwaretext.h"
#include "link/commport.h"
#include "link/linkwindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace krv {

namespace {

// Steps of the transaction lock while a download runs.
namespace step {
constexpr long Send = 1;
constexpr long WaitBusy = 2;
constexpr long WaitReady = 3;
constexpr long End = 100;
} // namespace step

constexpr char Xoff = 0x13;
constexpr char Xon = 0x11;
const QString loaderSpeed = QStringLiteral("57600,N,8,1");
const QString idleSpeed = QStringLiteral("19200,N,8,1");
const QString errorTitle = QStringLiteral("Firmware Loading error");

void exclaim(const QString& text) {
    Dialogs::message(text, Dialogs::defaultTitle(), Dialogs::Icon::Exclamation);
}

} // namespace

FirmLoad::FirmLoad(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("Form1"));
    resize(twipsToPixels(2980), twipsToPixels(4560));
    loadeefile = named(new QPushButton(QStringLiteral("Load HEX file"), this), "loadeefile",
                       twipsRect(120, 120, 2740, 400));
    Prog = named(new QPushButton(QStringLiteral("Download"), this), "Prog",
                 twipsRect(120, 640, 2740, 400));
    state = named(new QLineEdit(this), "state", twipsRect(120, 1160, 2740, 315));
    state->setReadOnly(true);
    StopButton = named(new QPushButton(QStringLiteral("Stop"), this), "StopButton",
                       twipsRect(120, 1600, 2740, 400));
    // Beyond the window's first width: the speeds are for those who widen it.
    Ser_Speed = named(new QGroupBox(QStringLiteral("Select Baud Rate"), this), "Ser_Speed",
                      twipsRect(5400, 120, 2200, 1300));
    SerSpd_192 = named(new QRadioButton(QStringLiteral("19200 bps"), Ser_Speed), "SerSpd_192",
                       twipsRect(120, 300, 1900, 285));
    SerSpd_384 = named(new QRadioButton(QStringLiteral("38400 bps"), Ser_Speed), "SerSpd_384",
                       twipsRect(120, 620, 1900, 285));
    SerSpd_576 = named(new QRadioButton(QStringLiteral("57600 bps"), Ser_Speed), "SerSpd_576",
                       twipsRect(120, 940, 1900, 285));
    SerSpd_192->setChecked(true);
    speed_ = SerSpd_192;
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));

    connect(loadeefile, &QPushButton::clicked, this, &FirmLoad::loadeefile_Click);
    connect(Prog, &QPushButton::clicked, this, &FirmLoad::Prog_Click);
    connect(StopButton, &QPushButton::clicked, this, &FirmLoad::StopButton_Click);
    onSelected(SerSpd_192, [this] { SerSpd_192_Click(); });
    onSelected(SerSpd_384, [this] { SerSpd_384_Click(); });
    onSelected(SerSpd_576, [this] { SerSpd_576_Click(); });
    connect(Timer1, &QTimer::timeout, this, &FirmLoad::Timer1_Timer);
}

void FirmLoad::Form_Load() {
    main_.placeForm(this, 0, 0);
    Timer1->stop();
}

void FirmLoad::Form_Unload() {
    main_.FirmLoadOn = false;
    // A download closed half way leaves neither the lock held nor the port at the loader's speed.
    if (running_)
        finish(QStringLiteral("Load stopped"));
}

// ---- File ---------------------------------------------------------------------------------------

void FirmLoad::loadeefile_Click() {
    const QString path = Dialogs::openFile(
        {QStringLiteral("Load EEPROM File"), QStringLiteral("HEX files (*.hex);;All files (*.*)"),
         ProgramFolder::dataFolder(QStringLiteral("EEPROM_Images")), QStringLiteral("*.hex"),
         QStringLiteral("hex")},
        this);
    if (path.isEmpty())
        return;
    if (Dialogs::extensionDiffers(path, QStringLiteral("hex"))) {
        Dialogs::unsupportedFileType();
        return;
    }
    try {
        LoadedFile = firmware::loaderText(readFileBounded(path, fileBounds::Firmware));
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("File open error"));
    }
}

// ---- Speed --------------------------------------------------------------------------------------

void FirmLoad::SerSpd_192_Click() {
    chooseSpeed(SerSpd_192, "C192\r", idleSpeed);
}

void FirmLoad::SerSpd_384_Click() {
    chooseSpeed(SerSpd_384, "C384\r", QStringLiteral("38400,N,8,1"));
}

void FirmLoad::SerSpd_576_Click() {
    chooseSpeed(SerSpd_576, "C576\r", loaderSpeed);
}

void FirmLoad::chooseSpeed(QRadioButton* option, const char* command, const QString& settings) {
    if (option == speed_)
        return;
    CommPort* port = main_.link()->MSComm2;
    try {
        if (!port->portOpen())
            throw Error(errors::PortNotOpen,
                        QStringLiteral("Commport not available, Loadboard not connected!"));
        port->output(command);
        port->setSettings(settings);
        speed_ = option;
    } catch (const Error& e) {
        exclaim(e.description);
        // The loader keeps the speed it had: so does the choice shown.
        const QSignalBlocker blocker(speed_);
        speed_->setChecked(true);
    }
}

// ---- Download -----------------------------------------------------------------------------------

void FirmLoad::Prog_Click() {
    if (!boardTransactionStartable(main_))
        return;
    if (LoadedFile.isEmpty()) {
        exclaim(QStringLiteral("Please load a HEX file first."));
        return;
    }
    main_.CommState = step::Send;
    running_ = true;
    stopRequested_ = false;
    IdleLimit = idleLimitAtStart_;
    IdleTicks = 0;
    ReadPos = 0;
    takeRecord();
    RecordCount = 0;
    main_.Last100.clear();
    Ser_Speed->setEnabled(false);
    Timer1->stop();
    Timer1->setInterval(10);
    Timer1->start();
    try {
        main_.link()->MSComm2->output("C\r");
        restartPort(loaderSpeed);
    } catch (const Error& e) {
        finish(QStringLiteral("Load failed at record 1"));
        // A board that went away has been reported by the main window already.
        if (!main_.link()->lostQuietly())
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")), errorTitle);
        return;
    }
    // The first record's busy wait tolerates one idle tick less than the later ones.
    IdleTicks = 1;
}

void FirmLoad::StopButton_Click() {
    // Only a download of this window's own is stopped, at its next tick.
    if (running_)
        stopRequested_ = true;
}

void FirmLoad::takeRecord() {
    RecordLine = firmware::takeRecord(LoadedFile, ReadPos);
}

char FirmLoad::PopReceivedChar() {
    const char c = char(main_.Last100.at(0).unicode());
    main_.Last100.remove(0, 1);
    return c;
}

void FirmLoad::Timer1_Timer() {
    if (!running_)
        return;
    if (stopRequested_) {
        finish(QStringLiteral("Load stopped"));
        return;
    }
    // The board went away or was disconnected: the main window has told the user.
    if (!main_.boardPortOpen()) {
        finish(QStringLiteral("Load failed at record %1").arg(RecordCount));
        return;
    }
    long& commState = main_.CommState;
    if ((commState == step::WaitBusy || commState == step::WaitReady) && IdleTicks > IdleLimit) {
        failAtRecord();
        return;
    }
    // Awaits one character a tick; any other character counts as a tick without progress.
    const auto await = [this](char expected) {
        if (main_.Last100.isEmpty() || PopReceivedChar() != expected) {
            ++IdleTicks;
            return false;
        }
        IdleTicks = 0;
        return true;
    };
    try {
        switch (commState) {
        case step::Send:
            // Every line was taken: the loader has the whole file.
            if (RecordLine.isEmpty()) {
                finish(QStringLiteral("Load end"));
                return;
            }
            ++RecordCount;
            state->setText(QString::number(RecordCount));
            main_.link()->MSComm2->output(RecordLine);
            main_.Last100.clear();
            commState = step::WaitBusy;
            break;
        case step::WaitBusy:
            if (await(Xoff))
                commState = step::WaitReady;
            break;
        case step::WaitReady:
            if (await(Xon)) {
                commState = step::Send;
                takeRecord();
            }
            break;
        default:
            break;
        }
    } catch (const Error& e) {
        finish(QStringLiteral("Load failed at record %1").arg(RecordCount));
        if (!main_.link()->lostQuietly())
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")), errorTitle);
    }
}

void FirmLoad::failAtRecord() {
    const QString record = QString::number(RecordCount);
    finish(QStringLiteral("Load failed at record ") + record);
    Dialogs::message(QStringLiteral("Firmware download failed at record ") + record + u'.',
                     errorTitle);
}

void FirmLoad::restartPort(const QString& settings) {
    CommPort* port = main_.link()->MSComm2;
    port->setPortOpen(false);
    port->setSettings(settings);
    port->setPortOpen(true);
}

void FirmLoad::finish(const QString& outcome) {
    Timer1->stop();
    running_ = false;
    stopRequested_ = false;
    main_.CommState = 0;
    state->setText(outcome);
    Ser_Speed->setEnabled(true);
    // The loader starts at 19200 bit/s again after a download.
    const QSignalBlocker blocker(SerSpd_192);
    SerSpd_192->setChecked(true);
    speed_ = SerSpd_192;
    CommPort* port = main_.link()->MSComm2;
    // A port closed meanwhile (disconnected, board gone) stays closed.
    if (!port->portOpen()) {
        port->setSettings(idleSpeed);
        return;
    }
    try {
        restartPort(idleSpeed);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")), errorTitle);
    }
}

} // namespace krv
