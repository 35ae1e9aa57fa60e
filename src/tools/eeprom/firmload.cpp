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

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace krv {

namespace {

// The window's size by design, in twips.
constexpr int designWidth = 3100;
constexpr int designHeight = 5060;

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
    setWindowTitle(QStringLiteral("Firmware Loader"));
    loadeefile = named(new QPushButton(QStringLiteral("Load HEX file")), "loadeefile");
    LoadedName = named(new QLineEdit, "LoadedName");
    LoadedName->setReadOnly(true);
    // Read, not worked in: the focus passes it by when the Load button is disabled.
    LoadedName->setFocusPolicy(Qt::ClickFocus);
    LoadedRecords = named(new QLabel, "LoadedRecords");
    Prog = named(new QPushButton(QStringLiteral("Download")), "Prog");
    state = named(new QLineEdit, "state");
    state->setReadOnly(true);
    StopButton = named(new QPushButton(QStringLiteral("Stop")), "StopButton");
    Ser_Speed = named(new QGroupBox(QStringLiteral("Select Baud Rate")), "Ser_Speed");
    SerSpd_192 = named(new QRadioButton(QStringLiteral("19200 bps")), "SerSpd_192");
    SerSpd_384 = named(new QRadioButton(QStringLiteral("38400 bps")), "SerSpd_384");
    SerSpd_576 = named(new QRadioButton(QStringLiteral("57600 bps")), "SerSpd_576");
    SerSpd_192->setChecked(true);
    speed_ = SerSpd_192;
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    showLoadedFile(QString());

    auto* speeds = new QVBoxLayout(Ser_Speed);
    for (QRadioButton* option : {SerSpd_192, SerSpd_384, SerSpd_576})
        speeds->addWidget(option);
    auto* column = new QVBoxLayout(this);
    for (QWidget* control : std::initializer_list<QWidget*>{loadeefile, LoadedName, LoadedRecords,
                                                            Prog, state, StopButton, Ser_Speed})
        column->addWidget(control);
    column->addStretch(1);

    connect(loadeefile, &QPushButton::clicked, this, &FirmLoad::loadeefile_Click);
    connect(Prog, &QPushButton::clicked, this, &FirmLoad::Prog_Click);
    connect(StopButton, &QPushButton::clicked, this, &FirmLoad::StopButton_Click);
    onSelected(SerSpd_192, [this] { SerSpd_192_Click(); });
    onSelected(SerSpd_384, [this] { SerSpd_384_Click(); });
    onSelected(SerSpd_576, [this] { SerSpd_576_Click(); });
    connect(Timer1, &QTimer::timeout, this, &FirmLoad::Timer1_Timer);
}

void FirmLoad::Form_Load() {
    main_.sizeForm(this, designWidth, designHeight);
    main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
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
         ProgramFolder::dataFolder(ProgramFolder::Data::EepromImages), QStringLiteral("*.hex"),
         QStringLiteral("hex")},
        this);
    if (path.isEmpty())
        return;
    if (Dialogs::extensionDiffers(path, QStringLiteral("hex"))) {
        Dialogs::unsupportedFileType();
        return;
    }
    // A file chosen and refused leaves nothing to send: Download never sends the file before it.
    LoadedFile.clear();
    showLoadedFile(QString());
    try {
        LoadedFile = firmware::loaderText(readFileBounded(path, fileBounds::Firmware));
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("File open error"));
        return;
    }
    showLoadedFile(path);
}

void FirmLoad::showLoadedFile(const QString& path) {
    LoadedName->setText(QFileInfo(path).fileName());
    LoadedName->setToolTip(QDir::toNativeSeparators(path));
    LoadedName->setCursorPosition(0);
    const qsizetype records = LoadedFile.count("\r\n");
    LoadedRecords->setText(path.isEmpty() ? QStringLiteral("No file loaded")
                           : records == 1 ? QStringLiteral("1 record")
                                          : QStringLiteral("%1 records").arg(records));
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
    hold_ = main_.CommState.take(step::Send);
    running_ = true;
    stopRequested_ = false;
    IdleLimit = idleLimitAtStart_;
    IdleTicks = 0;
    ReadPos = 0;
    takeRecord();
    RecordCount = 0;
    main_.Last100.clear();
    // The file and the loader's speed stay as they are until the download has ended.
    loadeefile->setEnabled(false);
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
    if ((hold_.step() == step::WaitBusy || hold_.step() == step::WaitReady) &&
        IdleTicks > IdleLimit) {
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
        switch (hold_.step()) {
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
            hold_.setStep(step::WaitBusy);
            break;
        case step::WaitBusy:
            if (await(Xoff))
                hold_.setStep(step::WaitReady);
            break;
        case step::WaitReady:
            if (await(Xon)) {
                hold_.setStep(step::Send);
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
    hold_.release();
    state->setText(outcome);
    loadeefile->setEnabled(true);
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
