#pragma once

#include "app/krvform.h"
#include "eventimage.h"

#include <QColor>
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTextEdit;
class QTimer;

namespace krv {

class Frm_CmdSequence;
class ISMmain;
class eeprom;

// The EEPROM content editor: seven event routines of a stand-alone transmitter, built from the
// open transmitter panel's words and typed data, turned into an EEPROM image and handed to the
// programmer window, which also loads and saves image files for it.
//
// Routines, payloads and the image live here as byte strings; the boxes only show them.
class ECET : public QWidget, public KrvForm {
    Q_OBJECT
public:
    using LogColour = eventimage::LogColour;
    static constexpr int EventCount = eventimage::EventCount;

    explicit ECET(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    // ---- Public procedures ----------------------------------------------------------------
    static std::optional<QByteArray> Hex2Ascii2Hex(const QByteArray& text, bool toHex);
    bool IsTXPanelOn();
    QString GetDataFromControlPanel(int event);
    static QByteArray FormatEEPROMText(const QByteArray& text, int perLine);
    void AppendErrorLog(const QString& message, LogColour colour);
    void SetbFrmCmdSequenceOpened(int index);
    void ClearbFrmCmdSequenceOpened(int index);

    int CurrentTab = 1;
    bool FrmCmdSequenceLoaded = false;
    QColor TB_EditableColor;
    QColor TB_LockedColor;

    // ---- The model, for the command editor and tests ----------------------------------------
    QByteArray routine(int event) const { return routines_[event]; }
    void setRoutine(int event, const QByteArray& routine);
    void appendToRoutine(int event, const QByteArray& text);
    QByteArray payload(int event) const { return tabs_[event].payload; }
    QByteArray content() const { return content_; }
    bool routineLocked(int event) const { return tabs_[event].locked; }
    int payloadLimit(int event) const { return tabs_[event].limit; }
    QString frameCaption(int event) const;
    // The selected tab, 1 to 7.
    int selectedTab() const;
    struct LogEntry {
        QString text;
        LogColour colour;
    };
    QList<LogEntry> logLines() const { return log_; }

    // ---- Controls -------------------------------------------------------------------------
    struct EventTab {
        QGroupBox* Frm_ECETEvents;
        QLabel* Label4;
        QPlainTextEdit* TB_EventContent;
        QPushButton* PB_CmdSequence;
        QPushButton* PB_InsertCommand;
        QPushButton* PB_GetData;
        QPushButton* PB_InsertSleep;
        QPushButton* PB_Fill;
        QLineEdit* TB_FillData;
        QLabel* Label2;
        QPushButton* PB_ClearEventRoutine;
        QCheckBox* CB_FillEmptieswithC4;
        QLabel* Label3;
        QPlainTextEdit* TB_Payload;
        QRadioButton* OB_HexView;
        QRadioButton* OB_Ascii_View;
        QPushButton* PB_Preamble;
        QPushButton* PB_SynchPattern;
        QLineEdit* TB_Pattern;
        QLabel* Label6;
        QPushButton* PB_PN9;
        QPushButton* PB_InsertTx;
        // State of the tab.
        bool locked = true;
        bool hexView = false;
        int limit = -1;     // typing limit of the payload, in its view's units; -1: none
        QByteArray payload; // as the selected view holds it
    };
    std::array<EventTab, EventCount> tabs_{};

    QTabBar* TabStrip1;
    QLabel* Label1;
    QPlainTextEdit* TB_EEPROMContent;
    QLabel* Label5;
    QTextEdit* TB_ErrorLog;
    QPushButton* PB_GenerateRom;
    QPushButton* PB_Call;
    QPushButton* PB_Load;
    QPushButton* PB_Save;
    QPushButton* PB_ClearLog;
    QTimer* PN9_Timer;

    // Handlers other windows and tests press.
    void PB_GenerateRom_Click();
    void PB_Call_Click();
    void PB_Load_Click();
    void PB_Save_Click();
    void PB_ClearLog_Click();
    void PB_GetData_Click(int event);
    void PB_InsertSleep_Click(int event);
    void PB_Fill_Click(int event);
    void PB_ClearEventRoutine_Click(int event);
    void TB_FillData_LostFocus(int event);
    void AskEditEventData(int event);
    void PB_Preamble_Click(int event);
    void PB_PN9_Click(int event);
    void PB_SynchPattern_Click(int event);
    void TB_Pattern_LostFocus(int event);
    void PB_InsertTx_Click(int event);
    void Frm_ECETEvents_DblClick();
    // Run by the main window only on activation from another window: the editor's own message
    // boxes hand the activation back to it without a check.
    void Form_Activate() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTab(int event);
    void wireTab(int event);
    void TabStrip1_Click(int index);
    void TB_EventContent_Change(int event);
    void TB_FillData_Change(int event);
    void TB_Pattern_Change(int event);
    void TB_Payload_Change(int event);
    void viewChanged(int event, bool hex);
    void selectView(int event, bool hex);
    void PN9_Timer_Timer();
    void setContent(const QByteArray& content);
    void showRoutine(int event);
    void showPayload(int event);
    void setLocked(int event, bool locked);
    void moveLogCaretToEnd();
    void clearImageAndLog();
    void fetchedLimits(int event);
    void appendToPayload(int event, const QByteArray& digits);
    Frm_CmdSequence* commandEditor();
    // The programmer window, loaded and invisible; nullptr while it runs a board transaction
    // (the user has been told).
    eeprom* quietProgrammer();

    ISMmain& main_;
    std::array<QByteArray, EventCount> routines_;
    std::array<bool, 8> cmdSequenceOpened_{};
    std::array<bool, EventCount> noFunction_{};
    QByteArray content_;
    QList<LogEntry> log_;
    bool pn9Armed_ = false;
    QString rememberedCaption_;
    // Programmatic changes of a box's text are not the user's typing.
    bool showing_ = false;
};

} // namespace krv
