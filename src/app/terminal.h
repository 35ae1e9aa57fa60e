#pragma once

#include "krvform.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace krv {

class ISMmain;
class MonitorBox;
class PiecedPane;

// The terminal: what is typed into the receive box is collected into the main window's Buf1
// and sent on Enter; the board's output is echoed into the same box. A script pane below holds
// command lines that can be loaded, saved and sent.
class Terminal : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit Terminal(ISMmain& main);

    void Form_Load() override;
    void Form_Unload() override;

    MonitorBox* Text1;
    QPlainTextEdit* Script;
    QLabel* Label1;
    QCheckBox* En_ScriptWindow;
    QPushButton* Clear;
    QPushButton* LoadScript;
    QPushButton* SaveScript;
    QPushButton* SendScript;
    QTimer* CommandSendTimer;

    static constexpr int WidthTwips = 4110;
    static constexpr int HeightTwips = 7500;
    // Showing the script pane makes the window this much taller.
    static constexpr int ScriptPaneTwips = 2200;
    static constexpr int ScriptBoxTwips = 1500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showScriptPane(bool shown);
    void Text1_KeyPress(QChar key);
    void CommandSendTimer_Timer();
    void En_ScriptWindow_Click();
    void LoadScript_Click();
    void SaveScript_Click();
    void SendScript_Click();
    // The chosen script file, or an empty text when the dialog was cancelled; throws 1225 for
    // a file that is not a text file.
    QString askScriptFile(bool forSaving);

    ISMmain& main_;
    // How much of Buf1 is on its way to the board; those characters can no longer be erased.
    qsizetype sending_ = 0;
    // The script pane's text as it is sent and saved.
    PiecedPane* scriptPane_;
};

} // namespace krv
