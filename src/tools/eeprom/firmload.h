#pragma once

#include "app/krvform.h"
#include "link/transactionlock.h"

#include <QByteArray>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace krv {

class ISMmain;

// The firmware loader: sends a firmware file line by line to a board running its loader, each
// line once the loader has taken the one before (XOFF, then XON), on one step of its timer per
// tick while it holds the main window's transaction lock.
class FirmLoad : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit FirmLoad(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    void loadeefile_Click();
    void Prog_Click();
    void StopButton_Click();
    void SerSpd_192_Click();
    void SerSpd_384_Click();
    void SerSpd_576_Click();

    bool downloading() const { return running_; }
    // The idle ticks a wait of the next downloads allows (10, the loader's pace on a real board).
    // Tests whose simulated loader shares the processor with the window allow more, so that a
    // loaded machine cannot end their downloads.
    void setIdleLimit(long ticks) { idleLimitAtStart_ = ticks; }

    // "L" and the file's first line, then every further line, each ended by CR LF.
    QByteArray LoadedFile;

    QPushButton* loadeefile;
    QLineEdit* LoadedName; // the name of the file Download sends
    QLabel* LoadedRecords; // how many records it holds, or that none is loaded
    QPushButton* Prog;
    QLineEdit* state;
    QPushButton* StopButton;
    QGroupBox* Ser_Speed;
    QRadioButton* SerSpd_192;
    QRadioButton* SerSpd_384;
    QRadioButton* SerSpd_576;
    QTimer* Timer1;

private:
    void Timer1_Timer();
    void takeRecord();
    // Shows the file now loaded, or that none is when `path` is empty.
    void showLoadedFile(const QString& path);
    char PopReceivedChar();
    void chooseSpeed(QRadioButton* option, const char* command, const QString& settings);
    void restartPort(const QString& settings);
    // Ends the download: the timer stops, the port goes back to 19200 bit/s, the lock is freed.
    void finish(const QString& outcome);
    void failAtRecord();

    ISMmain& main_;
    QByteArray RecordLine;
    qsizetype ReadPos = 0;
    long IdleTicks = 0;
    long IdleLimit = 10;
    long idleLimitAtStart_ = 10;
    long RecordCount = 0;
    bool running_ = false;
    TransactionHold hold_;
    bool stopRequested_ = false;
    QRadioButton* speed_ = nullptr; // the speed option the loader was last set to
};

} // namespace krv
