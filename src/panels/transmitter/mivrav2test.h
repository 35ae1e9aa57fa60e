#pragma once

#include "app/krvform.h"
#include "common/dialogs.h"
#include "link/sendresult.h"
#include "link/transactionlock.h"
#include "tuningread.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace krv {

class CommStateWait;
class ISMmain;

// The HT531 test mode: builds the chip's test word, sends it, and reads the state of the
// automatic antenna tuning back bit by bit through the interrupt line. Its messages go to the
// status line of the HT531 panel. Sending and reading wait for a free CommState, and a read
// holds it until it ends, so no status read or poll drives the lines in between.
class MivraV2test : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit MivraV2test(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    void DSen_Click();
    void Auto_Click();
    void Manual_Click();
    // The state box acts on Enter and when it is left.
    void GearBoxData_KeyPress();
    void GearBoxData_LostFocus();
    void GearBoxScroll_Change();
    void ReadGearbox_Click();
    void SRtimeout_Timer();
    void Update_Click();

    bool reading() const { return read_.running(); }

    QGroupBox* Frame2;
    QCheckBox* DSen;
    QGroupBox* Frame1;
    QRadioButton* Auto;
    QRadioButton* Manual;
    QLabel* Label3;
    QLineEdit* GearBoxData;
    QScrollBar* GearBoxScroll;
    QPushButton* ReadGearbox;
    QLineEdit* GearboxValue;
    QLabel* Label4;
    QLineEdit* Test0w;
    QLabel* LabelUpdate;
    QPushButton* Update;
    QTimer* SRtimeout;

    long GBdata = 0;
    long dsoff = 0;
    long d5 = 0;
    long d4 = 0;
    Dialogs::Answer back = Dialogs::Answer::Ok;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void sendTestWord();
    void startRead();
    void refuse();
    // Sends one line of the read (CR LF added); a line that fails ends the read. nullopt when
    // the line failed or the window went away meanwhile.
    std::optional<SendResult> sendReadLine(const QString& line);
    void failRead(const SendResult& result);
    void writeMivraStatus(const QString& text);

    ISMmain& main_;
    CommStateWait* wait_;
    testmode::TuningRead read_;
    QString lastLevel_;
    bool sending_ = false;
    TransactionHold hold_;
    bool unloaded_ = false;
};

} // namespace krv
