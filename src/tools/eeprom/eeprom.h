#pragma once

#include "app/krvform.h"
#include "link/transactionlock.h"

#include <QByteArray>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace krv {

class ISMmain;
struct SendResult;

// The EEPROM programmer: holds an image as byte text in its worksheet, loads and saves it as an
// image file, and programs, verifies or reads back the board's 1024-byte SPI EEPROM one step per
// tick of its timer, holding the main window's transaction lock meanwhile.
class eeprom : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit eeprom(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    // The worksheet's text, lines ended by CR LF; the box only shows it. It is kept as typed,
    // so that a character a file cannot hold is refused when saved, not lost before.
    const QString& workSheet() const { return workSheet_; }
    void setWorkSheet(const QByteArray& text);
    // Whether this window holds the transaction lock for a transaction of its own.
    bool transactionRunning() const { return running_; }

    // File buttons; the load reports whether a file was read.
    bool loadeefile_Click();
    void SaveEEFile_Click();
    void Prog_Click();
    void Verify_Click();
    void Read_Click();
    void Command1_Click();
    void StopButton_Click();

    QByteArray Filepreamble;
    QByteArray LoadedFile;
    QByteArray EEprogData;

    QPushButton* loadeefile;
    QPushButton* Prog;
    QPushButton* Verify;
    QPushButton* Read;
    QPushButton* SaveEEFile;
    QPushButton* Command1;
    QPushButton* StopButton;
    QCheckBox* EditorWindow;
    QLabel* Label1;
    QLineEdit* StatusMsg;
    QLabel* Label5;
    QLabel* Label7;
    QLabel* Label2;
    QLabel* Label3;
    QProgressBar* ProgressBar1;
    QPlainTextEdit* WorkSheet;
    QTimer* EEprog_timer;

private:
    void StartEEPROMRead(int mode);
    void EEprog_timer_Timer();
    bool step();
    void WriteEEPROMPage();
    SendResult SendEEPROMCmd(const QString& text);
    void setButtonsEnabled(bool enabled);
    void finish();
    void fail();
    void takeSixteen(const SendResult& reply);
    void compare();
    void EditorWindow_Click();
    void WorkSheet_Change();
    void showSizeLabels(qsizetype digits, const QString& fileName);

    ISMmain& main_;
    QString workSheet_;
    bool showing_ = false;
    bool running_ = false;
    TransactionHold hold_;
    bool inStep_ = false;
    bool stopRequested_ = false;
    bool failed_ = false;
    bool presenceKnown_ = false; // a status poll of this program run has shown an EEPROM
    int PageIndex = 1;
    int PageCount = 0;
    int TailDigits = 0;
    int WriteAddress = 0;
    int WriteCount = 0;
    QByteArray ReadBuffer;
    int BytesRead = 0;
    long StoppedState = 0;
    int status_ = 0;
};

} // namespace krv
