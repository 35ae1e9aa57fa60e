#pragma once

#include "chippanel.h"
#include "configitems.h"
#include "radiowords.h"

#include <QStringList>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QScrollBar;

namespace krv {

// What the receivers and the transceivers differ in on the pages they share: captions, ranges,
// list entries and the word builders of each family.
struct RadioTraits {
    // Wake-up timer: whether it has the divider box WKUPD and the extended word EWkupw.
    bool extendedWakeUp = false;
    QString wakeUpFormula;
    QString wakeUpTimeCaption;
    // Low duty-cycle: on the wake-up timer's page, or on a page of its own with this caption.
    bool dutyBesideWakeUp = false;
    QString dutyPageCaption;
    int dutyCycleBase = 0;
    // The command whose bits enable the wake-up timer and the low-battery detector, as the
    // pages' notes name it.
    QString enablingCommand;
    // Low-battery detector: the threshold field's caption and formula, where its volts start,
    // whether the 32 kHz clock output during sleep (CB32kHz) shares its word, and its word.
    QString thresholdCaption;
    QString thresholdFormula;
    int thresholdOffset = 22;
    bool sleepClockOutput = false;
    std::function<LowBattery(double typed, int clockDivider, int sleepClock)> lowBattery;
    // AFC.
    QStringList afcModes;
    QStringList afcRanges;
    std::function<int(const AfcFields&, int rev)> afcWord;
    // Data rate.
    QString rateFormula;
    std::function<DataRate(double typed, bool prescaler, int rev, float xtal)> dataRate;
    // Data filter: the filter types and their fields, bit 5's caption and whether it is shown,
    // whether the automatic wake-up on any interrupt (cb_ewi) shares the word, and the word.
    QStringList filterTypes;
    std::function<std::optional<int>(const QString&)> filterTypeField;
    QString bit5Caption;
    bool bit5Shown = false;
    bool wakeOnAnyInterrupt = false;
    std::function<int(const ClockRecovery&, int bit5, int filterType, int wakeOnIt, int dqd)>
        dataFilterWord;
    // FIFO: the page's caption, the interrupt level's top, the fill starts and their fields.
    QString fifoPageCaption;
    int itLevelMaximum = 15;
    QStringList fifoStarts;
    std::function<std::optional<int>(const QString&)> fifoStartField;
};

// What the receiver and transceiver panels share beyond the chip panel design: the wake-up
// timer, low duty-cycle, low-battery detector, AFC, data rate, data filter and FIFO pages with
// their handlers, and the variables of the words those pages and the start-up share. A family
// derives from it and, in its constructor, creates its word boxes (the shared ones into the
// members below, in its own order) and then calls addRadioPages().
class RadioPanel : public ChipPanel {
    Q_OBJECT
public:
    RadioPanel(ISMmain& main, ChipPanelDesign design, RadioTraits traits);

    // ---- Handlers ------------------------------------------------------------------------------
    void WKUPM_LostFocus();
    void WKUPR_LostFocus();
    void DUTY_LostFocus();
    void enlowdc_Click();
    void LBD_LostFocus();
    void LBDV_LostFocus();
    void CalcAFCw() override;
    void DATARATEDIV_LostFocus();
    void CalcDatafiltw();
    void STATEFILT_Change();
    void StatefiltNr_Change();
    void ITLEVEL_Change();
    virtual void ITlevelNr_Change();
    void FIFOstrt_Click();
    void CalcFIFOw() override;
    void ConfSave_Click();
    void ConfLoad_Click();

    // ---- Controls of the shared pages
    // ------------------------------------------------------------
    QLineEdit *WKUPM = nullptr, *WKUPR = nullptr, *WKUPD = nullptr, *WKUPTIME = nullptr;
    QLabel *Label8 = nullptr, *Label39 = nullptr;
    QLineEdit *DUTY = nullptr, *DUTY_USEM = nullptr, *DUTY_CALC = nullptr;
    QLabel* Label11 = nullptr;
    QCheckBox* enlowdc = nullptr;
    QLineEdit *LBD = nullptr, *LBDV = nullptr;
    QLabel* Label38 = nullptr;
    QCheckBox* CB32kHz = nullptr;
    QComboBox *AFCauto = nullptr, *AFCres = nullptr;
    QCheckBox *afcst = nullptr, *afcfi = nullptr, *afcoen = nullptr, *afcen = nullptr;
    QCheckBox* dataratepresc = nullptr;
    QLineEdit *DATARATEDIV = nullptr, *DATARATE = nullptr;
    QLabel* Label25 = nullptr;
    QComboBox *FILTTYPE = nullptr, *ClkRecMode = nullptr;
    QCheckBox* DFILTbit5 = nullptr;
    QCheckBox* cb_ewi = nullptr;
    QScrollBar* STATEFILT = nullptr;
    QLineEdit* StatefiltNr = nullptr;
    QScrollBar* ITLEVEL = nullptr;
    QLineEdit* ITlevelNr = nullptr;
    QComboBox* FIFOstrt = nullptr;
    QCheckBox* ffillen = nullptr;
    // Word boxes; the family creates them in its word column's order.
    QLineEdit *Ctrlw = nullptr, *Freqw = nullptr, *Wkupw = nullptr, *EWkupw = nullptr,
              *Dutyw = nullptr, *LBDw = nullptr, *AFCw = nullptr, *Dataratew = nullptr,
              *Datafiltw = nullptr, *FIFOw = nullptr;

    // ---- Public variables ----------------------------------------------------------------------
    float F = 0;
    long FreqwData = 0, CtrlwData = 0, C1 = 0, C2 = 0, D = 0;
    long WM = 0, WR = 0, WD = 0, DUTYC = 0, enldc = 0, LBDC = 0, LBDwData = 0;
    long DATARATED = 0;
    long AFCautod = 0, AFCresd = 0, AFCstd = 0, AFCfid = 0, AFCoend = 0, AFCend = 0;
    long filttyped = 0, fflogicd = 0, FFcmd_value = 0;
    long Rev = 0;

protected:
    // Builds the shared pages in their order; the word boxes above must exist.
    void addRadioPages();
    // The start-up's first words: configuration word 8000 and frequency word A7D0 at F = 2000
    // with the standard crystal's factor, before anything is built from the controls.
    void startFirstWords();
    // The start-up's scroll bar numbers shown and the newer revision assumed.
    void startPageNumbers();
    // The start-up's AFC: the mode and range chosen, AFC, fine mode and output on, no strobe.
    void startAfc(const QString& mode, const QString& range);
    // The controls of the wake-up timer and of the low-battery detector follow their enable
    // bit; while it is off the page's note says where to switch it on.
    void showWakeUpEnabled(bool on);
    void showLowBatteryEnabled(bool on);

    // The family's configuration file, and how a file's values come onto the panel (with the
    // leave handlers of the boxes whose words they change).
    virtual const ConfigFileType& configFileType() const = 0;
    virtual void applyConfig(const ConfigValues& values) = 0;
    // A typed level out of 1 to `top` is replaced by the nearer end, as the box is typed into.
    static void keepLevelInRange(QLineEdit* box, int top);
    int itLevelMaximum() const { return traits_.itLevelMaximum; }
    // The FIFO word of the family's fields.
    virtual int fifoWordValue() = 0;
    // Runs after each FIFO word.
    virtual void afterFifoWord() {}
    // Whether the fill start allows the synchron latch (ffillen and Reset synchron latch).
    virtual bool synchronLatchAvailable() { return true; }

    QCheckBox* afcEnableBox() override { return afcen; }
    QLineEdit* afcWordBox() override { return AFCw; }
    QLineEdit* fifoWordBox() override { return FIFOw; }
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The right-hand column of the FIFO page, for the family's further rows.
    QFormLayout* fifoColumn() const { return fifoRight_; }

private:
    void takeWakeUp();
    void addWakeUpPage();
    void addDutyRows(QFormLayout* column);
    void addLowBatteryPage();
    void addAfcPage();
    void addDataRatePage();
    void addDataFilterPage();
    void addFifoPage();
    void connectPages();

    RadioTraits traits_;
    QFormLayout* fifoRight_ = nullptr;
};

// A page of two columns of rows side by side, closed up at the top left.
std::pair<QFormLayout*, QFormLayout*> twoColumns(QWidget* page);

} // namespace krv
