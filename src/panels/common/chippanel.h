#pragma once

// ChipPanel: what every chip control panel shares.
//
// A panel derives from krv::ChipPanel, passes a ChipPanelDesign to the constructor and then only
// declares its own words and lines:
//   - in its constructor: addPage(caption) for each settings page (returns Frame(n) to fill),
//     addWordBox(name, caption) for each word box, setStatusCaption(i, text) where the captions
//     change later (the design's statusCaptions set them at construction);
//   - Form_Load(): call ChipPanel::Form_Load() first (compact height, first page, marks), then
//     build every word;
//   - updateSteps(): the order of Update, word boxes ("S2", or "S1" for byteBox) and the
//     data-latch step; beforeUpdateLines() runs right before the first line;
//   - dataLatchInUse() / beforeDataLatchStep(): the data-latch step's decision and its preamble;
//   - calibrationWords() / showCalibrationWord() / calibrationWordBox(): Calibrate Synthesizer
//     (calibrationFinished() runs after its last line);
//   - synchronLatchBoxes() / CalcFIFOw() / fifoWordBox(): Reset synchron latch (the FIFO word's
//     builder calls takeSuppressUpdateMark() to decide whether to show the update mark);
//   - afcEnableBox() / CalcAFCw() / afcWordBox() / frequencyStepKHz(): the AFC part of the status
//     read (CalcAFCw leaves LabelUpdate alone while StatusReadActive);
//   - indicatorForBit(): which `status` box shows a status-word bit (default: the top bit on
//     status(1) ... bit 0 on the last indicator; 0 = not shown).
// ChipPanelDesign::transmitter() gives the status read, poll and supply of the transmitters.
// Builders write a word with showWord(box, value), which sets the hexadecimal text and shows the
// update mark. Numeric boxes use workOnLeaving(box, handler) (leaving and Enter run the handler)
// and takeWholeField for the leading-number, round and clamp rule of whole fields.
// The base owns Update, Calibrate Synthesizer, Reset synchron latch, the supply box, the pages,
// Read Status and the status area and the panel's unload step; the status read and interrupt
// poll with the repetition run in its StatusReader. Update, Calibrate Synthesizer, Reset synchron
// latch, the supply send and a panel's loading of a configuration file (whenCommStateFree) start
// once no transaction holds CommState (at once when none does), one at a time. `status` and `Frame`
// are indexed from 1 as the panels name them (index 0 is unused and null).

#include "app/krvform.h"
#include "link/sendresult.h"

#include <QHash>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QTimer;
class QVBoxLayout;

namespace krv {

class CommStateWait;
class ISMmain;
class StatusReader;

// The values in which the chip panels differ.
struct ChipPanelDesign {
    enum class Family { Transmitter, Receiver, Transceiver };
    Family family = Family::Transceiver;
    // Message box text of Update with the board port closed.
    QString updateClosedText;
    // Message box text of Reset synchron latch with the port closed; empty = the panel has no
    // "Reset synchron latch" button.
    QString latchClosedText;
    // Whether the supply box is handled (it is present in every panel).
    bool handlesSupply = false;
    // Whether the panel has "Calibrate Synthesizer".
    bool hasCalibration = true;
    // Status read step interval in ms: 50 for receivers and transceivers, 100 for transmitters.
    int statusStepInterval = 50;
    // How often the AFC word with AFC switched off is sent before a status read (0 = no AFC).
    int afcOffWords = 0;
    // Width of the AFC offset field in the second status byte (two's complement); 0 = none.
    int offsetBits = 0;
    // Window height without and with the status area, in twips: at least this much, more when
    // the contents need it.
    int compactHeight = 8800;
    int tallHeight = 9700;
    // The sixteen indicator texts, status(1) first.
    QStringList statusCaptions;
    // The main window's hide procedure of this panel, called by the unload step.
    void (ISMmain::*hideProcedure)() = nullptr;
    // Link-test windows unloaded with the panel.
    QStringList linkTestWindows;
    // The status read: the lines that select the chip before the "RS" lines, how many status
    // bytes it reads (one "RS" each) and how many indicators show them.
    QStringList statusPreamble{QStringLiteral("H2"), QStringLiteral("L2"), QStringLiteral("L0")};
    int statusBytes = 2;
    int indicatorCount = 16;
    // The character of the "RI" reply's 15-character tail that carries the interrupt level.
    int interruptCharacter = 3;
    // The caption box before the indicators (`Text3`); none when empty.
    QString statusTitle;
    // Whether the "?" help button is shown.
    bool hasHelpButton = true;
    // Whether "reading..." goes to the main window's status box before calibration and after the
    // supply line (Update always writes it).
    bool calibrationShowsReading = false;
    bool supplyShowsReading = false;
    // Whether the update and calibration marks are magenta and bold.
    bool emphasisedMarks = false;

    // The values every transmitter panel shares: one status byte read after "H2", "L2",
    // ("WSCC",) "L0" on 100 ms steps into eight indicators, the level at character 7 of "RI",
    // magenta bold marks.
    static ChipPanelDesign transmitter(bool sendsWscc);
};

// The "Read Status" button: a click and a double click are told apart the way the panels have
// always seen them: the first press of a double click is a click, the second only a double click.
class StatusReadButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;
Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class ChipPanel : public QWidget, public ChipPanelForm {
    Q_OBJECT
public:
    ChipPanel(ISMmain& main, ChipPanelDesign design, QWidget* parent = nullptr);
    ~ChipPanel() override;

    // ---- One step of Update ------------------------------------------------------------------
    struct UpdateStep {
        QLineEdit* word = nullptr; // sent as command + its text; nullptr marks the data-latch step
        QString command = QStringLiteral("S2");
        static UpdateStep wordBox(QLineEdit* box) { return {box}; }
        // An 8-bit word, sent with "S1".
        static UpdateStep byteBox(QLineEdit* box) { return {box, QStringLiteral("S1")}; }
        static UpdateStep dataLatch() { return {nullptr}; }
    };

    // ---- KrvForm / ChipPanelForm ---------------------------------------------------------------
    void Form_Load() override;
    void Form_Unload() override;
    QWidget* updateButton() override;
    QList<QWidget*> keptInSight() const override;

    // ---- Handlers (public so that other windows and tests can run them) ------------------------
    void Update_Click();
    void CalibratePLL_Click();
    void FFreset_Click();
    void PowerSupply_LostFocus();
    void PB_PowerSupply_Click();
    void H_R1_Click();
    void TabStrip1_Click();
    void ReadStatus_Click();
    void ReadStatus_DblClick();
    void ReadStatus_LostFocus();
    void IRQpoll_Click();
    void ShowStatus_Click();
    void StdCrystal_Click();
    void NonStdCrystal_Click();
    void Crystalfreq_LostFocus();

    // Whether the status read repeats.
    bool repeating() const;

    // ---- Controls and state other windows read by name -----------------------------------------
    QLineEdit* Statusline;
    QLabel* LabelUpdate;
    QLabel* LabelCalibration;
    QPushButton* Update;
    QPushButton* CalibratePLL;
    QPushButton* FFreset;
    QLineEdit* PowerSupply;
    QPushButton* PB_PowerSupply;
    QPushButton* H_R1;
    QTabBar* TabStrip1;
    QList<QWidget*> Frame; // Frame[1] .. Frame[n]
    long CurrentTab = 0;

    StatusReadButton* ReadStatus;
    QPushButton* ShowStatus;
    QPushButton* IRQpoll;
    std::array<QLineEdit*, 17> status{}; // status[1] .. status[indicatorCount]
    QLineEdit* Text3 = nullptr;
    QLineEdit* Foffset;
    QLineEdit* IRQ;
    QLineEdit* OnColor;
    QLineEdit* OffColor;
    QTimer* Timer3;
    QTimer* Timer1;
    QTimer* RepStatusReadTimer;
    QTimer* SRVisualTimer;

    bool StatusReadActive = false;

    QRadioButton* StdCrystal = nullptr;
    QRadioButton* NonStdCrystal = nullptr;
    QLineEdit* Crystalfreq = nullptr;
    // Crystal MHz / 10: every frequency, step, list value and time the panel shows scales with it.
    float XtalFactor = 1.0f;

    const ChipPanelDesign& design() const { return design_; }
    ISMmain& mainWindow() const { return main_; }

protected:
    // ---- What a panel declares -----------------------------------------------------------------
    virtual QList<UpdateStep> updateSteps() = 0;
    // Runs with the port open, right before Update's first line.
    virtual void beforeUpdateLines() {}
    virtual bool dataLatchInUse() { return false; }
    virtual void beforeDataLatchStep() {}

    virtual QList<long> calibrationWords() { return {}; }
    virtual void showCalibrationWord(long) {}
    virtual QLineEdit* calibrationWordBox() { return nullptr; }
    // Runs after the last calibration line, before the calibration mark is decided.
    virtual void calibrationFinished() {}

    virtual QList<QCheckBox*> synchronLatchBoxes() { return {}; }
    virtual void CalcFIFOw() {}
    virtual QLineEdit* fifoWordBox() { return nullptr; }

    virtual QCheckBox* afcEnableBox() { return nullptr; }
    virtual void CalcAFCw() {}
    virtual QLineEdit* afcWordBox() { return nullptr; }
    virtual double frequencyStepKHz() { return 0.0; }

    virtual int indicatorForBit(int bit) { return design_.indicatorCount - bit; }

    // Everything that scales with the crystal, rebuilt in the panel's order after it changed.
    virtual void crystalChanged() {}

    // ---- Helpers for panels ------------------------------------------------------------------
    // The crystal choice in the first two rows of the frame's grid: "Standard 10MHz" (spanning
    // `columns`), then "Non standard" with its MHz box; the standard crystal is selected.
    void addCrystalRows(QWidget* frame, QGridLayout* grid, int columns);
    // A new page: a tab with the caption and its frame, Frame[n]; fill the returned widget.
    QWidget* addPage(const QString& caption);
    // A read-only word box in the word column.
    QLineEdit* addWordBox(const QString& name, const QString& caption);
    // The column beside the pages, below the word boxes, for further controls of a panel.
    QVBoxLayout* sideColumn() const { return side_; }
    // Puts the frames beside the word column and the tab strip with its pages below both, across
    // the whole width: for a panel whose tab strip needs more room than is left beside the words.
    void placeFramesBesideWords(QWidget* frames);
    // Narrows the shared controls (indicators, offset, supply box, help button) to their values
    // and lets the calibration mark wrap, so that the word column and the status row stay narrow;
    // each tab as wide as its caption, never scrolled. The crystal and the panel's two frequency
    // boxes take the width of their longest value.
    void compactCommonControls(QLineEdit* freqCenter, QLineEdit* freqStep);
    // After the panel showed or hid controls for another layout (the B variants): the window is
    // fitted to that layout as if it opened with it, whatever size the other layout had given it.
    void layoutChanged();
    void setStatusCaption(int index, const QString& text);

    // Writes the word as upper-case hexadecimal into the box and shows the update mark.
    void showWord(QLineEdit* box, long long word);
    void showUpdateMark();
    // True (and resets it) when the next FIFO word build must not show the update mark.
    bool takeSuppressUpdateMark();
    int SuppressUpdateMark = 0;

    // Runs the handler when the box is left and when Enter is pressed in it.
    void workOnLeaving(QLineEdit* box, std::function<void()> handler);
    // The leading number of the box, rounded half to even and clamped; the clamped value is
    // written back, and a clamp writes its message to Statusline (empty message = silent).
    long long takeWholeField(QLineEdit* box, long long minimum, long long maximum,
                             const QString& belowMessage = {}, const QString& aboveMessage = {});

    bool portOpen() const;
    // Runs the operation once no transaction holds CommState and the operations queued before it
    // have run (at once when nothing waits); with the port closed and nothing queued, at once.
    void whenCommStateFree(std::function<void()> operation);
    // Sends one command line (CR added); nullopt when the panel was unloaded during the wait.
    std::optional<SendResult> sendLine(const QString& line);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class StatusReader;

    void buildControls();
    void runUpdate();
    void runCalibration();
    void runSynchronLatchReset();
    void sendSupply(int code);
    void showStatusArea(bool shown);
    // Gives the window its designed height for the status area's state, or what its contents
    // need when that is more.
    void fitWindow();
    // The panel's frame in the workspace, or the panel itself outside one.
    QWidget* outerWindow();
    QWidget* statusArea_ = nullptr;
    // Whether the window was fitted when first shown.
    bool fitted_ = false;
    // The window's width when Show Status last opened the status area.
    int compactWidth_ = 0;

    ISMmain& main_;
    ChipPanelDesign design_;
    QHBoxLayout* upper_ = nullptr;
    QVBoxLayout* pageColumn_ = nullptr;
    QVBoxLayout* side_ = nullptr;
    QGridLayout* words_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QHash<QObject*, std::function<void()>> leaveHandlers_;
    CommStateWait* wait_ = nullptr;
    StatusReader* reader_ = nullptr;
};

} // namespace krv
