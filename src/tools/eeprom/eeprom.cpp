#include "eeprom.h"

#include "app/ismmain.h"
#include "ascfile.h"
#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/latin1.h"
#include "common/programfolder.h"
#include "common/savefile.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace krv {

namespace {

// The design's sizes, in twips: the window without and with its worksheet.
constexpr int narrowWidth = 3100;
constexpr int windowHeight = 7250;
constexpr int sheetWidth = 11750;

Dialogs::FileRequest fileRequest(const QString& title) {
    return {title, QStringLiteral("ASCII files (*.asc);;All files (*.*)"),
            ProgramFolder::dataFolder(ProgramFolder::Data::EepromImages), QStringLiteral("*.asc"),
            QStringLiteral("asc")};
}

bool isAscName(const QString& path) {
    return !Dialogs::extensionDiffers(path, QStringLiteral("asc"));
}

} // namespace

eeprom::eeprom(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("EEPROM Programmer"));
    loadeefile =
        named(new QPushButton(QStringLiteral("Load EEPROM content from file")), "loadeefile");
    Prog = named(new QPushButton(QStringLiteral("Program to EEPROM")), "Prog");
    Verify = named(new QPushButton(QStringLiteral("Verify")), "Verify");
    Read = named(new QPushButton(QStringLiteral("Read From EEPROM")), "Read");
    SaveEEFile =
        named(new QPushButton(QStringLiteral("Save EEPROM content To File")), "SaveEEFile");
    Command1 = named(new QPushButton(QStringLiteral("Update")), "Command1");
    StopButton = named(new QPushButton(QStringLiteral("Stop")), "StopButton");
    EditorWindow = named(new QCheckBox(QStringLiteral("Show editor window")), "EditorWindow");
    Label1 = named(new QLabel(QStringLiteral("EEPROM status:")), "Label1");
    StatusMsg = named(new QLineEdit, "StatusMsg");
    StatusMsg->setReadOnly(true);
    Label5 = named(new QLabel(QStringLiteral("File name:")), "Label5");
    Label7 = named(new QLabel, "Label7");
    // A long file name is clipped in its label rather than widening the narrow window.
    Label7->setSizePolicy(QSizePolicy::Ignored, Label7->sizePolicy().verticalPolicy());
    Label2 = named(new QLabel(QStringLiteral("Data size:")), "Label2");
    Label3 = named(new QLabel, "Label3");
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    WorkSheet = named(new QPlainTextEdit, "WorkSheet");
    WorkSheet->setToolTip(QStringLiteral("EEPROM content editor window"));
    WorkSheet->setFont(QFont(QStringLiteral("Courier New"), 10));
    WorkSheet->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* column = new QVBoxLayout;
    for (QWidget* control : std::initializer_list<QWidget*>{
             loadeefile, Prog, Verify, Read, SaveEEFile, Command1, StopButton, EditorWindow, Label1,
             StatusMsg, Label5, Label7, Label2, Label3, ProgressBar1}) {
        column->addWidget(control);
        // What shows only at times keeps its place, so that nothing moves when it appears.
        keepPlaceWhenHidden(control);
    }
    column->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column);
    layout->addWidget(WorkSheet, 1);
    EEprog_timer = new QTimer(this);
    EEprog_timer->setObjectName(QStringLiteral("EEprog_timer"));

    connect(loadeefile, &QPushButton::clicked, this, [this] { loadeefile_Click(); });
    connect(SaveEEFile, &QPushButton::clicked, this, &eeprom::SaveEEFile_Click);
    connect(Prog, &QPushButton::clicked, this, &eeprom::Prog_Click);
    connect(Verify, &QPushButton::clicked, this, &eeprom::Verify_Click);
    connect(Read, &QPushButton::clicked, this, &eeprom::Read_Click);
    connect(Command1, &QPushButton::clicked, this, &eeprom::Command1_Click);
    connect(StopButton, &QPushButton::clicked, this, &eeprom::StopButton_Click);
    connect(EditorWindow, &QCheckBox::toggled, this, &eeprom::EditorWindow_Click);
    connect(WorkSheet, &QPlainTextEdit::textChanged, this, &eeprom::WorkSheet_Change);
    connect(EEprog_timer, &QTimer::timeout, this, &eeprom::EEprog_timer_Timer);
}

void eeprom::Form_Load() {
    WorkSheet->hide();
    main_.sizeForm(this, narrowWidth, windowHeight);
    main_.placeForm(this, 0, 0, ISMmain::PlaceRule::InView);
    main_.EEPROMon = true;
    StatusMsg->setText(QStringLiteral("Unknown"));
    for (QWidget* hidden : {static_cast<QWidget*>(ProgressBar1), static_cast<QWidget*>(Label2),
                            static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label5),
                            static_cast<QWidget*>(Label7), static_cast<QWidget*>(StopButton)})
        hidden->hide();
    loadeefile->setEnabled(true);
    Read->setEnabled(true);
    Prog->setEnabled(false);
    SaveEEFile->setEnabled(false);
    Verify->setEnabled(false);
    Filepreamble = asc::defaultPreamble();
}

void eeprom::Form_Unload() {
    EEprog_timer->stop();
    main_.EEPROMon = false;
    if (!running_)
        return;
    // The lock is ours: leave the EEPROM deselected and write-protected, then free the lock.
    const long state = hold_.step();
    running_ = false;
    stopRequested_ = false;
    if (main_.boardPortOpen()) {
        main_.Send_To_LoadBoard(QStringLiteral("H2\r"));
        if (state == 1 || state == 2)
            main_.Send_To_LoadBoard(QStringLiteral("S104\r"));
    }
    hold_.release();
}

void eeprom::setWorkSheet(const QByteArray& text) {
    workSheet_ = QString::fromLatin1(text);
    showing_ = true;
    QString shown = workSheet_;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    WorkSheet->setPlainText(shown);
    showing_ = false;
}

void eeprom::WorkSheet_Change() {
    if (showing_)
        return;
    workSheet_ = WorkSheet->toPlainText();
    workSheet_.replace(u'\n', QStringLiteral("\r\n"));
}

void eeprom::EditorWindow_Click() {
    const QMdiSubWindow* frame = main_.frameOf(this);
    const int height = frame ? pixelsToTwips(frame->height()) : windowHeight;
    if (WorkSheet->isVisibleTo(this)) {
        WorkSheet->hide();
        main_.sizeForm(this, narrowWidth, height);
    } else {
        WorkSheet->show();
        const int width = frame ? pixelsToTwips(frame->width()) : narrowWidth;
        main_.sizeForm(this, width + sheetWidth, height);
    }
}

void eeprom::showSizeLabels(qsizetype digits, const QString& fileName) {
    Label3->setText(asc::sizeText(digits));
    Label7->setText(u' ' + fileName);
    for (QLabel* label : {Label2, Label3, Label5, Label7})
        label->show();
}

// ---- Image files ---------------------------------------------------------------------------

bool eeprom::loadeefile_Click() {
    const QString path = Dialogs::openFile(fileRequest(QStringLiteral("Load EEPROM File")), this);
    if (path.isEmpty())
        return false;
    if (!isAscName(path)) {
        Dialogs::unsupportedFileType();
        return false;
    }
    asc::Image image;
    try {
        image = asc::read(readFileBounded(path, fileBounds::EepromImage));
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("File open error"));
        return false;
    }
    LoadedFile = image.loaded;
    EEprogData.clear();
    Filepreamble = image.preamble;
    setWorkSheet(image.worksheet);
    showSizeLabels(asc::hexDigitCount(workSheet_), QFileInfo(path).fileName());
    Prog->setEnabled(true);
    Verify->setEnabled(true);
    SaveEEFile->setEnabled(true);
    return true;
}

void eeprom::SaveEEFile_Click() {
    const QString path =
        Dialogs::saveFileAskingToReplace(fileRequest(QStringLiteral("Save EEPROM File")), this);
    if (!path.isEmpty() && !isAscName(path)) {
        Dialogs::unsupportedFileType();
        return;
    }
    if (!path.isEmpty()) {
        try {
            saveFileWhole(
                path,
                asc::write(Filepreamble, checkedLatin1(workSheet_, QStringLiteral("The worksheet"),
                                                       TextFor::File)));
        } catch (const Error& e) {
            Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                             QStringLiteral("File save error"));
            return;
        }
    }
    showSizeLabels(asc::hexDigitCount(workSheet_),
                   path.isEmpty() ? Label7->text().trimmed() : QFileInfo(path).fileName());
    Verify->setEnabled(true);
}

} // namespace krv
