#pragma once

#include "app/krvform.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace krv {

class ISMmain;

namespace header {
struct ChipBlocks;
struct Source;
} // namespace header

// What the header generator keeps for the whole run, also while its window is closed.
class HeaderState : public QObject {
    Q_OBJECT
public:
    // The state of this main window's run, made empty on first use.
    static HeaderState& of(ISMmain& main);

    QString DeviceName;
    QString DefineLiteral;
    qint32 UpClkFrequency = 0;
    QString HeaderFileName;
};

// "ANSI C Header Generator": a C header with a define per control word of the open chip panel
// and the settings behind each word, shown and saved as a file.
class Frm_GenHeader : public QWidget, public KrvForm {
    Q_OBJECT
public:
    explicit Frm_GenHeader(ISMmain& main);

    void Form_Load() override;

    // Chooses the open chip panel as the source; false, after telling the user, when none is.
    bool SetSource();
    // Rebuilds the header from the source panel as it stands.
    void GenerateHeader();
    void Do_HT531();
    void Do_HT537();
    void Do_HT539();
    void Do_HR651();
    void Do_HR658();
    void Do_HC913();
    void Do_HC916();

    void PB_Generate_Click();
    void PB_Clear_Click();
    void PB_Save_Click();

    // The header as Save writes it: 8-bit text with CR LF line ends, which the preview shows.
    const QString& headerText() const { return header_; }

    QLabel* L_Source;
    QGroupBox* Frame1;
    QRadioButton* CB_DeviceName;
    QRadioButton* CB_DefineLiteral;
    QLineEdit* TB_Literal;
    QPushButton* PB_Generate;
    QPushButton* PB_Clear;
    QPushButton* PB_Save;
    QPlainTextEdit* TB_Header;

    // The window state, kept by the main window for the run.
    QString& DeviceName;
    QString& DefineLiteral;
    qint32& UpClkFrequency;
    QString& HeaderFileName;

private:
    void CB_DeviceName_Click();
    void AppendHeaderLine(const QString& line);
    void appendBlocks(const header::ChipBlocks& chip);
    void showHeader();

    ISMmain& main_;
    QString header_;
    const header::Source* source_ = nullptr;
    QPointer<QWidget> sourcePanel_;
    bool bVariant_ = false;
};

// Makes the header generator known to the main window.
void registerHeaderForms();

} // namespace krv
