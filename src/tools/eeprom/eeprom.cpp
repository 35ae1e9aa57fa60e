#include "eeprom.h"

#include "app/ismmain.h"
#include "app/wholetitle.h"
#include "ascfile.h"
#include "common/boundedfile.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/programfolder.h"
#include "common/savefile.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

namespace krv {

namespace {

constexpr int narrowWidth = 3250;
constexpr int windowHeight = 7250;
constexpr int sheetLeft = 3300;

// The window without its worksheet: the design's narrow width, widened where the title bar
// would cut the title short.
void showNarrow(QMdiSubWindow* frame, int height) {
    frame->resize(twipsToPixels(narrowWidth), height);
    showWholeTitle(frame);
}

Dialogs::FileRequest fileRequest(const QString& title) {
    return {title, QStringLiteral("ASCII files (*.asc);;All files (*.*)"),
            ProgramFolder::dataFolder(QStringLiteral("EEPROM_Images")), QStringLiteral("*.asc"),
            QStringLiteral("asc")};
}

bool isAscName(const QString& path) {
    return !Dialogs::extensionDiffers(path, QStringLiteral("asc"));
}

} // namespace

eeprom::eeprom(ISMmain& main) : main_(main) {
    setWindowTitle(QStringLiteral("EEPROM Programmer"));
    loadeefile = named(new QPushButton(QStringLiteral("Load EEPROM content from file"), this),
                       "loadeefile", twipsRect(120, 120, 2950, 400));
    Prog = named(new QPushButton(QStringLiteral("Program to EEPROM"), this), "Prog",
                 twipsRect(120, 600, 2950, 400));
    Verify = named(new QPushButton(QStringLiteral("Verify"), this), "Verify",
                   twipsRect(120, 1080, 2950, 400));
    Read = named(new QPushButton(QStringLiteral("Read From EEPROM"), this), "Read",
                 twipsRect(120, 1560, 2950, 400));
    SaveEEFile = named(new QPushButton(QStringLiteral("Save EEPROM content To File"), this),
                       "SaveEEFile", twipsRect(120, 2040, 2950, 400));
    Command1 = named(new QPushButton(QStringLiteral("Update"), this), "Command1",
                     twipsRect(120, 2520, 2950, 400));
    StopButton = named(new QPushButton(QStringLiteral("Stop"), this), "StopButton",
                       twipsRect(120, 3000, 2950, 400));
    EditorWindow = named(new QCheckBox(QStringLiteral("Show editor window"), this), "EditorWindow",
                         twipsRect(120, 3500, 2950, 285));
    Label1 = named(new QLabel(QStringLiteral("EEPROM status:"), this), "Label1",
                   twipsRect(120, 3900, 2950, 255));
    StatusMsg = named(new QLineEdit(this), "StatusMsg", twipsRect(120, 4160, 2950, 315));
    StatusMsg->setReadOnly(true);
    Label5 = named(new QLabel(QStringLiteral("File name:"), this), "Label5",
                   twipsRect(120, 4600, 2950, 255));
    Label7 = named(new QLabel(this), "Label7", twipsRect(120, 4860, 2950, 255));
    Label2 = named(new QLabel(QStringLiteral("Data size:"), this), "Label2",
                   twipsRect(120, 5220, 2950, 255));
    Label3 = named(new QLabel(this), "Label3", twipsRect(120, 5480, 2950, 255));
    ProgressBar1 = named(new QProgressBar(this), "ProgressBar1", twipsRect(120, 5900, 2950, 300));
    WorkSheet =
        named(new QPlainTextEdit(this), "WorkSheet", twipsRect(sheetLeft, 120, 11750, 6400));
    WorkSheet->setToolTip(QStringLiteral("EEPROM content editor window"));
    WorkSheet->setFont(QFont(QStringLiteral("Courier New"), 10));
    WorkSheet->setLineWrapMode(QPlainTextEdit::NoWrap);
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
    if (QMdiSubWindow* frame = main_.frameOf(this)) {
        frame->move(0, 0);
        showNarrow(frame, twipsToPixels(windowHeight));
    }
    WorkSheet->hide();
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
    const long state = main_.CommState;
    running_ = false;
    stopRequested_ = false;
    if (main_.boardPortOpen()) {
        main_.Send_To_LoadBoard(QStringLiteral("H2\r"));
        if (state == 1 || state == 2)
            main_.Send_To_LoadBoard(QStringLiteral("S104\r"));
    }
    main_.CommState = 0;
}

void eeprom::setWorkSheet(const QByteArray& text) {
    workSheet_ = text;
    showing_ = true;
    QString shown = QString::fromLatin1(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    WorkSheet->setPlainText(shown);
    showing_ = false;
}

void eeprom::WorkSheet_Change() {
    if (showing_)
        return;
    QString typed = WorkSheet->toPlainText();
    typed.replace(u'\n', QStringLiteral("\r\n"));
    workSheet_ = typed.toLatin1();
}

void eeprom::EditorWindow_Click() {
    QMdiSubWindow* frame = main_.frameOf(this);
    if (WorkSheet->isVisible()) {
        WorkSheet->hide();
        if (frame)
            showNarrow(frame, frame->height());
    } else {
        WorkSheet->show();
        if (frame)
            frame->resize(WorkSheet->width() + twipsToPixels(3350), frame->height());
    }
}

void eeprom::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    setMinimumHeight(twipsToPixels(windowHeight) - 40);
    if (WorkSheet->isVisibleTo(this)) {
        setMinimumWidth(twipsToPixels(4000));
        WorkSheet->setGeometry(twipsToPixels(sheetLeft), twipsToPixels(120),
                               qMax(40, width() - twipsToPixels(3350)),
                               qMax(40, height() - twipsToPixels(850)));
    } else {
        setMinimumWidth(twipsToPixels(narrowWidth) - 20);
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
            saveFileWhole(path, asc::write(Filepreamble, workSheet_));
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
