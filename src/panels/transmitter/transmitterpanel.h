#pragma once

// TransmitterPanel: what the three transmitter panels share on top of the chip panel base.
//
// A panel derives from krv::TransmitterPanel, passes a TransmitterTraits and then declares:
//   - in its traits: its caption, heights, band options, word boxes (in Update's column order),
//     indicator captions, configuration file type and items;
//   - updateSteps() (from ChipPanel): Update's lines; wordBox(name) finds a declared box;
//   - CalcCtrlw(), FillCLKoutList(), FillModFreqList(), WKUPM_LostFocus(): the chip's words;
//     redisplayDataRate() runs last in the crystal-change chain;
//   - wakeUpGroup() / lowBatteryGroup(): what pm1 and pm2 enable;
//   - the file hooks itemStored(), fileEntries() and afterConfigItems().
// The layer owns the crystal, band and centre-frequency block, the load-capacitance list, the
// revision frame, the power-management boxes pm0..pm5 (pm6, pm7 with automatic power control) and
// their word, calibration through the synthesizer bit, TXBitSinchOn from CB_ebs at Update, and
// the transmitters' side of the configuration file (the save name's extension, the held centre
// frequency, the supply line); every chip panel reads, writes and stores its items through
// panels/common/configcontrols.h.

#include "panels/common/chippanel.h"
#include "panels/common/configitems.h"

#include <QHash>
#include <array>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace krv {

// The width of a transmitter panel's number box: room for eight digits, no more, so that the
// frames stay narrow.
inline constexpr int txNumberWidth = 72;

// A band option: the coefficients of fo = (F / 4000 + C2) · C1 · 10 · crystal ratio MHz, the
// band field of the configuration word and the synthesizer step at the standard crystal.
struct TransmitterBand {
    int C1 = 1;
    int C2 = 31;
    int B = 0;
    double stepKHz = 2.5;
};

struct TransmitterFileType : ConfigFileType {
    // True: a name that does not end with "." + extension gets it appended; false: a doubled
    // extension is cut back to one.
    bool appendsExtension = true;
};

struct TransmitterTraits {
    QString caption;
    bool sendsWscc = true;
    int compactHeight = 8930;
    int tallHeight = 9700;
    QStringList statusCaptions; // eight
    void (ISMmain::*hideProcedure)() = nullptr;
    // 315, 433, 868, 915 MHz; an option without a band is neither shown nor usable.
    std::array<std::optional<TransmitterBand>, 4> bands;
    // Whether leaving the centre frequency first clears the status line (else only a clamp
    // writes to it).
    bool frequencyClearsStatus = true;
    // pm7 and pm6, the automatic power control.
    bool autoPowerControl = true;
    // Word boxes in the order of the word column: name and caption.
    QList<std::pair<QString, QString>> wordBoxes;
    TransmitterFileType file;
};

class TransmitterPanel : public ChipPanel {
    Q_OBJECT
    Q_PROPERTY(int TXBitSinchOn MEMBER TXBitSinchOn)
    Q_PROPERTY(int Width READ Width)
public:
    TransmitterPanel(ISMmain& main, TransmitterTraits traits);

    // ---- Crystal, band and centre frequency --------------------------------------------------
    Q_INVOKABLE int GetXtalFrequency() const;
    void FreqCenter_LostFocus();
    void Band315_Click() { bandClick(0); }
    void Band433_Click() { bandClick(1); }
    void Band868_Click() { bandClick(2); }
    void Band915_Click() { bandClick(3); }
    void Cxtal_Click();
    // ---- Power management --------------------------------------------------------------------
    void pm0_Click();
    void pm1_Click();
    void pm2_Click();
    void pm3_Click();
    void pm4_Click();
    void pm5_Click();
    void pm6_Click();
    void pm7_Click();
    void Label47_Click();
    // ---- The chip's own words ----------------------------------------------------------------
    virtual void WKUPM_LostFocus() = 0;
    virtual void LBD_LostFocus() = 0;
    // ---- Configuration files -----------------------------------------------------------------
    void ConfLoad_Click();
    void ConfSave_Click();

    // The window's width in twips; tool windows open to the right of it.
    int Width() const;
    const TransmitterTraits& traits() const { return traits_; }
    QLineEdit* wordBox(const QString& name) const { return wordBoxes_.value(name); }

    // ---- Controls read by name ---------------------------------------------------------------
    QGroupBox* Frame3; // "Crystal frequency:"
    QComboBox* Cxtal;
    QGroupBox* Band; // "Frequency band"
    QRadioButton* Band315;
    QRadioButton* Band433;
    QRadioButton* Band868;
    QRadioButton* Band915;
    QLineEdit* FreqCenter;
    QLineEdit* FreqStep;
    QGroupBox* Frame1; // "Select revision:"
    QComboBox* Revision;
    QLineEdit* Yellow;
    QLineEdit* Green;
    QComboBox* CLKout;
    QComboBox* ModPol;
    QComboBox* ModFreq;
    QComboBox* OutputPower;
    QGroupBox* FramePower;
    QCheckBox* pm7 = nullptr;
    QCheckBox* pm6 = nullptr;
    QCheckBox* pm5;
    QCheckBox* pm4;
    QCheckBox* pm3;
    QCheckBox* pm2;
    QCheckBox* pm1;
    QCheckBox* pm0;
    QLabel* Label47;
    QLabel* Label48;
    QLabel* Label38;
    QLabel* Label39;
    QPushButton* ConfLoad;
    QPushButton* ConfSave;
    // The bit-synchron check box that Update copies into TXBitSinchOn; none on the HT531.
    QCheckBox* CB_ebs = nullptr;
    // Word boxes every transmitter has.
    QLineEdit* Ctrlw;
    QLineEdit* Freqw;
    QLineEdit* PowerMw;
    QLineEdit* LBDw;
    QLineEdit* Wkupw;

    // ---- Public variables --------------------------------------------------------------------
    long CtrlwData = 0, FreqwData = 0, PowerMwData = 0;
    long B = 0, C1 = 0, C2 = 0, X = 0;
    float F = 0;
    long D = 0, M = 0, m3 = 0, P = 0;
    long a1 = 0, a0 = 0, ex = 0, es = 0, ea = 0, eb = 0, et = 0, dc = 0;
    long ebs = 0;
    // The bit-synchron mode Update last sent (CB_ebs); the RF tools read it.
    int TXBitSinchOn = 0;

protected:
    // ---- What a panel declares -----------------------------------------------------------------
    virtual void CalcCtrlw() = 0;
    virtual void FillCLKoutList() = 0;
    virtual void FillModFreqList() = 0;
    // Runs last in the crystal-change chain: a shown data rate follows the crystal.
    virtual void redisplayDataRate() {}
    // Rebuilds the configuration word after the load capacitance changed (default CalcCtrlw).
    virtual void capacitanceChanged() { CalcCtrlw(); }
    virtual QList<QWidget*> wakeUpGroup() const = 0;
    virtual QList<QWidget*> lowBatteryGroup() const = 0;

    // Runs right after a file's item went into its control.
    virtual void itemStored(const QString&, const ConfigValues&) {}
    // Runs after the held centre frequency was applied: the leave handlers of the boxes.
    virtual void afterConfigItems() {}
    // Puts a file's item into its control, which runs the control's handler.
    void storeItem(const ConfigItem& item, const ConfigValues& values);
    // The entries a list must hold for a file's text to go into it; default: its entries.
    virtual QStringList fileEntries(QComboBox* list, const ConfigValues& values) const;

    // ---- Helpers for panels --------------------------------------------------------------------
    // The settings area (a grid) left of the word column.
    QGridLayout* settingsGrid() const { return settings_; }
    // The grid layout of a frame, with the margins of every frame of the panel.
    static QGridLayout* frameGrid(QGroupBox* frame);
    // A titled frame with a grid layout, at (row, column) of the settings area and as many
    // columns wide as given.
    QGroupBox* addGroup(const char* name, const QString& title, int row, int column,
                        int columns = 1);
    // A titled frame with a grid layout in the word column, below the frames added there before.
    QGroupBox* addSideGroup(const char* name, const QString& title);
    // The load step's shared beginning: current folder, place, marks.
    void beginLoad();
    // The load step's shared end: the optional configuration load and the greeting.
    void endLoad();
    // Rewrites FreqCenter from F for the current band and crystal.
    void redisplayCentreFrequency();
    void UpdateFreqStep();
    void CalcPowerMw();
    // Refills a choose-only list with its entries and selects a position (its handler runs).
    static void fillList(QComboBox* list, const QStringList& entries, int position);
    // A check box's value counts only when it is 1.
    static long valueOf(const QCheckBox* box, long weight);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void beforeUpdateLines() override;
    QList<long> calibrationWords() override;
    void showCalibrationWord(long word) override;
    QLineEdit* calibrationWordBox() override { return PowerMw; }

private:
    void buildSettings();
    void connectHandlers();
    void bandClick(int index);
    void crystalChanged() override;
    void applyConfig(const ConfigValues& values);

    TransmitterTraits traits_;
    QGridLayout* settings_ = nullptr;
    QHash<QString, QLineEdit*> wordBoxes_;
    std::array<QRadioButton*, 4> bandOptions_{};
    QButtonGroup* bandGroup_ = nullptr;
};

} // namespace krv
