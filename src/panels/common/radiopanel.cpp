#include "radiopanel.h"

#include "common/numbers.h"
#include "configcontrols.h"
#include "filesupply.h"
#include "panelwidgets.h"
#include "sleepboxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

namespace krv {

using namespace panel;

namespace {

constexpr int BoxWidth = 110;

QCheckBox* pageCheckBox(QWidget* page, const QString& name, const QString& caption) {
    return named(new QCheckBox(caption, page), name);
}

QLabel* note(QWidget* page, const QString& text, const QString& name) {
    auto* label = named(new QLabel(text, page), name);
    label->setWordWrap(true);
    return label;
}

QScrollBar* scrollBar(QWidget* page, const QString& name, int maximum, int value) {
    auto* bar = named(new QScrollBar(Qt::Horizontal, page), name);
    bar->setRange(0, maximum);
    bar->setValue(value);
    bar->setMinimumWidth(160);
    return bar;
}

// A box and its unit on one row.
QHBoxLayout* withUnit(QWidget* box, QLabel* unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(unit);
    return row;
}

} // namespace

std::pair<QFormLayout*, QFormLayout*> twoColumns(QWidget* page) {
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(6, frameMarginY, 6, frameMarginY);
    row->setSpacing(24);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    for (QFormLayout* column : {left, right}) {
        column->setVerticalSpacing(gridRowSpacing);
        row->addLayout(column);
    }
    row->addStretch();
    return {left, right};
}

ClockRecovery clockRecovery(const QString& text) {
    if (text == QStringLiteral("Fast"))
        return {0, 1};
    if (text == QStringLiteral("Auto"))
        return {1, 0};
    return {0, 0};
}

RadioPanel::RadioPanel(ISMmain& main, ChipPanelDesign design, RadioTraits traits)
    : ChipPanel(main, std::move(design)), traits_(std::move(traits)) {}

// ---- Pages ------------------------------------------------------------------------------------

void RadioPanel::addRadioPages() {
    addWakeUpPage();
    if (!traits_.dutyBesideWakeUp) {
        QWidget* page = addPage(traits_.dutyPageCaption);
        auto [inputs, notes] = twoColumns(page);
        DUTY = numberBox(page, QStringLiteral("DUTY"), BoxWidth);
        addDutyRows(inputs);
        notes->addRow(new QLabel(QStringLiteral("Duty cycle = (D * 2 + 1) / M * 100 [%]"), page));
        notes->addRow(enlowdc);
    }
    addLowBatteryPage();
    addAfcPage();
    addDataRatePage();
    addDataFilterPage();
    addFifoPage();
    showWakeUpEnabled(false);
    showLowBatteryEnabled(false);
    connectPages();
}

void RadioPanel::addWakeUpPage() {
    QWidget* page = addPage(QStringLiteral("Wake-Up Timer"));
    auto [inputs, notes] = twoColumns(page);
    WKUPM = numberBox(page, QStringLiteral("WKUPM"), BoxWidth);
    WKUPM->setToolTip(QStringLiteral("Multiplier of the Wake-up timer period"));
    WKUPR = numberBox(page, QStringLiteral("WKUPR"), BoxWidth);
    WKUPTIME = numberBox(page, QStringLiteral("WKUPTIME"), BoxWidth);
    Label8 = named(new QLabel(QStringLiteral("sec"), page), "Label8");
    Label39 = note(page,
                   QStringLiteral("The Wake-up timer can be enabled by the %1 command.")
                       .arg(traits_.enablingCommand),
                   QStringLiteral("Label39"));
    inputs->addRow(QStringLiteral("M:"), WKUPM);
    inputs->addRow(QStringLiteral("R:"), WKUPR);
    if (traits_.extendedWakeUp) {
        WKUPD = numberBox(page, QStringLiteral("WKUPD"), BoxWidth);
        WKUPD->setMaxLength(1);
        inputs->addRow(QStringLiteral("D:"), WKUPD);
    }
    QHBoxLayout* period = withUnit(WKUPTIME, Label8);
    inputs->addRow(traits_.wakeUpTimeCaption, period);
    if (!traits_.dutyBesideWakeUp) {
        notes->addRow(new QLabel(traits_.wakeUpFormula, page));
        notes->addRow(Label39);
        return;
    }
    // The low duty-cycle takes the right-hand column; the timer's formula follows its period,
    // so that the page, the tallest, is no taller than the timer's boxes and their note.
    period->addSpacing(12);
    period->addWidget(new QLabel(traits_.wakeUpFormula, page));
    inputs->addRow(Label39);
    DUTY = numberBox(page, QStringLiteral("DUTY"), BoxWidth);
    enlowdc = pageCheckBox(page, QStringLiteral("enlowdc"),
                           QStringLiteral(" Enable Low Duty-cycle operation"));
    notes->addRow(enlowdc);
    addDutyRows(notes);
}

void RadioPanel::addDutyRows(QFormLayout* column) {
    QWidget* page = DUTY->parentWidget();
    DUTY_USEM = numberBox(page, QStringLiteral("DUTY_USEM"), BoxWidth, true);
    DUTY_CALC = numberBox(page, QStringLiteral("DUTY_CALC"), BoxWidth, true);
    Label11 = named(new QLabel(QStringLiteral("%"), page), "Label11");
    if (!enlowdc)
        enlowdc = pageCheckBox(page, QStringLiteral("enlowdc"),
                               QStringLiteral(" Enable Low Duty-cycle operation"));
    column->addRow(QStringLiteral("D:"), DUTY);
    column->addRow(QStringLiteral("M:"), DUTY_USEM);
    column->addRow(traits_.dutyBesideWakeUp
                       ? QStringLiteral("Duty cycle = (D * 2 + 1) / M * 100 [%]")
                       : QStringLiteral("Duty cycle:"),
                   withUnit(DUTY_CALC, Label11));
}

void RadioPanel::addLowBatteryPage() {
    QWidget* page = addPage(QStringLiteral("Low Battery Detector"));
    auto [inputs, notes] = twoColumns(page);
    LBD = numberBox(page, QStringLiteral("LBD"), BoxWidth);
    LBDV = numberBox(page, QStringLiteral("LBDV"), BoxWidth);
    inputs->addRow(traits_.thresholdCaption, LBD);
    inputs->addRow(QStringLiteral("Threshold:"),
                   withUnit(LBDV, new QLabel(QStringLiteral("V"), page)));
    notes->addRow(new QLabel(traits_.thresholdFormula, page));
    if (traits_.sleepClockOutput) {
        CB32kHz = pageCheckBox(page, QStringLiteral("CB32kHz"),
                               QStringLiteral("Enable 32 kHz clock output during sleep mode"));
        notes->addRow(CB32kHz);
    }
    Label38 = note(page,
                   QStringLiteral("The Low Battery Detector can be enabled by the %1 command.")
                       .arg(traits_.enablingCommand),
                   QStringLiteral("Label38"));
    notes->addRow(Label38);
}

void RadioPanel::addAfcPage() {
    QWidget* page = addPage(QStringLiteral("AFC"));
    auto [inputs, checks] = twoColumns(page);
    AFCauto = chooseList(page, QStringLiteral("AFCauto"), traits_.afcModes);
    AFCres = chooseList(page, QStringLiteral("AFCres"), traits_.afcRanges);
    afcst = pageCheckBox(page, QStringLiteral("afcst"), QStringLiteral("Strobe"));
    afcfi = pageCheckBox(page, QStringLiteral("afcfi"), QStringLiteral("Enable fine mode"));
    afcoen = pageCheckBox(page, QStringLiteral("afcoen"), QStringLiteral("Output Enable"));
    afcen = pageCheckBox(page, QStringLiteral("afcen"), QStringLiteral("Enable AFC"));
    inputs->addRow(QStringLiteral("Mode :"), AFCauto);
    inputs->addRow(QStringLiteral("AFC range:"), AFCres);
    // Two rows of two, as high as the lists beside them.
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(gridRowSpacing);
    grid->addWidget(afcst, 0, 0);
    grid->addWidget(afcfi, 1, 0);
    grid->addWidget(afcoen, 0, 1);
    grid->addWidget(afcen, 1, 1);
    checks->addRow(grid);
}

void RadioPanel::addDataRatePage() {
    QWidget* page = addPage(QStringLiteral("Data Rate"));
    auto [inputs, notes] = twoColumns(page);
    dataratepresc = pageCheckBox(page, QStringLiteral("dataratepresc"),
                                 QStringLiteral(" Enable prescaller (1/8)"));
    DATARATEDIV = numberBox(page, QStringLiteral("DATARATEDIV"), BoxWidth);
    DATARATE = numberBox(page, QStringLiteral("DATARATE"), BoxWidth, true);
    Label25 = named(new QLabel(QStringLiteral("kbps"), page), "Label25");
    inputs->addRow(QStringLiteral("R:"), DATARATEDIV);
    inputs->addRow(QStringLiteral("Data Rate:"), withUnit(DATARATE, Label25));
    notes->addRow(new QLabel(traits_.rateFormula, page));
    notes->addRow(dataratepresc);
}

void RadioPanel::addDataFilterPage() {
    QWidget* page = addPage(QStringLiteral("Data Filter"));
    auto [inputs, right] = twoColumns(page);
    FILTTYPE = chooseList(page, QStringLiteral("FILTTYPE"), traits_.filterTypes);
    ClkRecMode =
        chooseList(page, QStringLiteral("ClkRecMode"),
                   {QStringLiteral("Fast"), QStringLiteral("Slow"), QStringLiteral("Auto")});
    DFILTbit5 = pageCheckBox(page, QStringLiteral("DFILTbit5"), traits_.bit5Caption);
    DFILTbit5->setChecked(true);
    DFILTbit5->setVisible(traits_.bit5Shown);
    STATEFILT = scrollBar(page, QStringLiteral("STATEFILT"), 7, 1);
    StatefiltNr = numberBox(page, QStringLiteral("StatefiltNr"), BoxWidth);
    inputs->addRow(QStringLiteral("Filter type:"), FILTTYPE);
    inputs->addRow(QStringLiteral("Clock Recovery mode:"), ClkRecMode);
    right->addRow(QStringLiteral("DQD parameter:"), StatefiltNr);
    right->addRow(STATEFILT);
    if (traits_.bit5Shown)
        right->addRow(DFILTbit5);
    if (traits_.wakeOnAnyInterrupt) {
        cb_ewi = pageCheckBox(page, QStringLiteral("cb_ewi"),
                              QStringLiteral("Automatic wake-up on any IT"));
        right->addRow(cb_ewi);
    }
}

void RadioPanel::addFifoPage() {
    QWidget* page = addPage(traits_.fifoPageCaption);
    QFormLayout* inputs = nullptr;
    std::tie(inputs, fifoRight_) = twoColumns(page);
    ITLEVEL = scrollBar(page, QStringLiteral("ITLEVEL"), traits_.itLevelMaximum, 8);
    ITlevelNr = numberBox(page, QStringLiteral("ITlevelNr"), BoxWidth);
    FIFOstrt = chooseList(page, QStringLiteral("FIFOstrt"), traits_.fifoStarts);
    ffillen =
        pageCheckBox(page, QStringLiteral("ffillen"), QStringLiteral("Enable synchron latch"));
    inputs->addRow(QStringLiteral("FIFO IT level:"), ITlevelNr);
    inputs->addRow(ITLEVEL);
    inputs->addRow(QStringLiteral("FIFO fill start:"), FIFOstrt);
    fifoRight_->addRow(ffillen);
}

void RadioPanel::connectPages() {
    workOnLeaving(WKUPM, [this] { WKUPM_LostFocus(); });
    workOnLeaving(WKUPR, [this] { WKUPR_LostFocus(); });
    // Enter in D does nothing: only leaving the box takes it.
    if (WKUPD)
        WKUPD->installEventFilter(this);
    workOnLeaving(DUTY, [this] { DUTY_LostFocus(); });
    workOnLeaving(LBD, [this] { LBD_LostFocus(); });
    workOnLeaving(LBDV, [this] { LBDV_LostFocus(); });
    workOnLeaving(DATARATEDIV, [this] { DATARATEDIV_LostFocus(); });

    auto onList = [this](QComboBox* box, void (RadioPanel::*handler)()) {
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, handler] { (this->*handler)(); });
    };
    auto onCheck = [this](QCheckBox* box, void (RadioPanel::*handler)()) {
        connect(box, &QCheckBox::stateChanged, this, [this, handler] { (this->*handler)(); });
    };
    onCheck(enlowdc, &RadioPanel::enlowdc_Click);
    if (CB32kHz)
        onCheck(CB32kHz, &RadioPanel::LBD_LostFocus);
    onList(AFCauto, &RadioPanel::CalcAFCw);
    onList(AFCres, &RadioPanel::CalcAFCw);
    for (QCheckBox* box : {afcst, afcfi, afcoen, afcen})
        onCheck(box, &RadioPanel::CalcAFCw);
    onCheck(dataratepresc, &RadioPanel::DATARATEDIV_LostFocus);
    onList(ClkRecMode, &RadioPanel::CalcDatafiltw);
    onList(FILTTYPE, &RadioPanel::CalcDatafiltw);
    onCheck(DFILTbit5, &RadioPanel::CalcDatafiltw);
    if (cb_ewi)
        onCheck(cb_ewi, &RadioPanel::CalcDatafiltw);
    connect(STATEFILT, &QScrollBar::valueChanged, this, [this] { STATEFILT_Change(); });
    connect(StatefiltNr, &QLineEdit::textChanged, this, [this] { StatefiltNr_Change(); });
    connect(ITLEVEL, &QScrollBar::valueChanged, this, [this] { ITLEVEL_Change(); });
    connect(ITlevelNr, &QLineEdit::textChanged, this, [this] { ITlevelNr_Change(); });
    onList(FIFOstrt, &RadioPanel::FIFOstrt_Click);
    onCheck(ffillen, &RadioPanel::CalcFIFOw);
}

bool RadioPanel::eventFilter(QObject* watched, QEvent* event) {
    if (WKUPD && watched == WKUPD && event->type() == QEvent::FocusOut)
        takeWakeUp();
    return ChipPanel::eventFilter(watched, event);
}

void RadioPanel::showWakeUpEnabled(bool on) {
    for (QWidget* control : {static_cast<QWidget*>(WKUPM), static_cast<QWidget*>(WKUPR),
                             static_cast<QWidget*>(WKUPTIME), static_cast<QWidget*>(Wkupw),
                             static_cast<QWidget*>(WKUPD), static_cast<QWidget*>(EWkupw)})
        if (control)
            control->setEnabled(on);
    Label39->setVisible(!on);
}

void RadioPanel::showLowBatteryEnabled(bool on) {
    for (QWidget* control :
         {static_cast<QWidget*>(LBD), static_cast<QWidget*>(LBDV), static_cast<QWidget*>(LBDw)})
        control->setEnabled(on);
    Label38->setVisible(!on);
}

// ---- Start-up ---------------------------------------------------------------------------------

void RadioPanel::startFirstWords() {
    C1 = 1;
    C2 = 31;
    CtrlwData = 0x8000;
    Ctrlw->setText(hexText(CtrlwData));
    FreqwData = 0xA7D0;
    Freqw->setText(hexText(FreqwData));
    F = 2000;
    XtalFactor = 1.0f;
}

void RadioPanel::startPageNumbers() {
    StatefiltNr->setText(QString::number(STATEFILT->value()));
    ITlevelNr->setText(QString::number(ITLEVEL->value()));
    Rev = 1;
}

void RadioPanel::startAfc(const QString& mode, const QString& range) {
    AFCauto->setCurrentText(mode);
    AFCres->setCurrentText(range);
    afcen->setChecked(true);
    afcst->setChecked(false);
    afcfi->setChecked(true);
    afcoen->setChecked(true);
    CalcAFCw();
}

// ---- Wake-up timer, low duty-cycle, low battery
// ---------------------------------------------------

void RadioPanel::WKUPM_LostFocus() {
    takeWakeUp();
}

void RadioPanel::WKUPR_LostFocus() {
    takeWakeUp();
}

void RadioPanel::takeWakeUp() {
    const sleep::WakeUp w =
        sleep::takeWakeUpBoxes({WKUPM, WKUPR, WKUPD, WKUPTIME, Label8, DUTY_USEM}, XtalFactor);
    WM = w.m;
    WR = w.r;
    WD = w.d;
    showWord(Wkupw, w.word);
    if (EWkupw)
        EWkupw->setText(w.extendedWord);
    DUTY_LostFocus();
}

void RadioPanel::DUTY_LostFocus() {
    const sleep::DutyCycle duty = sleep::takeDutyBoxes({DUTY, DUTY_USEM, DUTY_CALC, WKUPM},
                                                       traits_.dutyCycleBase, int(enldc));
    DUTYC = duty.field;
    showWord(Dutyw, duty.word);
}

void RadioPanel::enlowdc_Click() {
    enldc = bitOf(enlowdc);
    DUTY_LostFocus();
}

void RadioPanel::LBD_LostFocus() {
    const LowBattery lbd =
        traits_.lowBattery(leadingNumber(LBD->text()), int(D), CB32kHz ? bitOf(CB32kHz) : 0);
    LBDC = lbd.field;
    LBD->setText(QString::number(lbd.field));
    showWord(LBDw, lbd.word);
    LBDV->setText(lbd.volts);
}

void RadioPanel::LBDV_LostFocus() {
    sleep::takeVoltsBox(LBDV, LBD, traits_.thresholdOffset);
    LBD_LostFocus();
}

// ---- AFC, data rate, data filter ----------------------------------------------------------------

void RadioPanel::CalcAFCw() {
    AFCend = bitOf(afcen);
    AFCstd = bitOf(afcst);
    AFCfid = bitOf(afcfi);
    AFCoend = bitOf(afcoen);
    if (const qsizetype range = traits_.afcRanges.indexOf(AFCres->currentText()); range >= 0)
        AFCresd = range;
    if (const qsizetype mode = traits_.afcModes.indexOf(AFCauto->currentText()); mode >= 0) {
        AFCautod = mode;
        afcst->setEnabled(mode == 0);
    }
    const int word = traits_.afcWord(
        {int(AFCautod), int(AFCresd), int(AFCstd), int(AFCfid), int(AFCoend), int(AFCend)},
        int(Rev));
    // A status read switches AFC off and on again without a change for the chip.
    if (StatusReadActive)
        AFCw->setText(hexText(word));
    else
        showWord(AFCw, word);
}

void RadioPanel::DATARATEDIV_LostFocus() {
    // Under an older revision the prescaler bit is the divider's eighth bit.
    if (Rev != 1 && bitOf(dataratepresc) == 1) {
        const QSignalBlocker quiet(dataratepresc);
        dataratepresc->setCheckState(Qt::Unchecked);
    }
    const DataRate rate = traits_.dataRate(leadingNumber(DATARATEDIV->text()),
                                           bitOf(dataratepresc) == 1, int(Rev), XtalFactor);
    DATARATED = rate.divider;
    DATARATEDIV->setText(QString::number(rate.divider));
    DATARATE->setText(rate.kbps);
    showWord(Dataratew, rate.word);
}

void RadioPanel::CalcDatafiltw() {
    if (const auto type = traits_.filterTypeField(FILTTYPE->currentText()))
        filttyped = *type;
    showWord(Datafiltw, traits_.dataFilterWord(clockRecovery(ClkRecMode->currentText()),
                                               bitOf(DFILTbit5), int(filttyped),
                                               cb_ewi ? bitOf(cb_ewi) : 0, STATEFILT->value()));
}

void RadioPanel::STATEFILT_Change() {
    CalcDatafiltw();
    StatefiltNr->setText(QString::number(STATEFILT->value()));
    showUpdateMark();
}

void RadioPanel::keepLevelInRange(QLineEdit* box, int top) {
    const double typed = leadingNumber(box->text());
    if (typed > top)
        box->setText(QString::number(top));
    else if (typed < 1)
        box->setText(QStringLiteral("1"));
}

void RadioPanel::StatefiltNr_Change() {
    keepLevelInRange(StatefiltNr, 7);
    STATEFILT->setValue(sleep::wholeField(leadingNumber(StatefiltNr->text()), 1, 7));
}

// ---- FIFO
// ----------------------------------------------------------------------------------------

void RadioPanel::ITLEVEL_Change() {
    CalcFIFOw();
    ITlevelNr->setText(QString::number(ITLEVEL->value()));
    showUpdateMark();
}

void RadioPanel::ITlevelNr_Change() {
    const int top = traits_.itLevelMaximum;
    keepLevelInRange(ITlevelNr, top);
    ITLEVEL->setValue(sleep::wholeField(leadingNumber(ITlevelNr->text()), 1, top));
}

void RadioPanel::FIFOstrt_Click() {
    const auto field = traits_.fifoStartField(FIFOstrt->currentText());
    if (!field)
        return;
    fflogicd = *field;
    const bool latch = synchronLatchAvailable();
    ffillen->setEnabled(latch);
    FFreset->setEnabled(latch);
    CalcFIFOw();
}

void RadioPanel::CalcFIFOw() {
    FFcmd_value = fifoWordValue();
    FIFOw->setText(hexText(FFcmd_value));
    if (!takeSuppressUpdateMark())
        showUpdateMark();
    afterFifoWord();
}

void RadioPanel::ConfSave_Click() {
    const ConfigFileType& type = configFileType();
    const QString path = chooseConfigFile(type, true, this);
    if (!path.isEmpty())
        saveConfigFile(type, path, collectConfigValues(*this, mainWindow(), type.items),
                       QStringLiteral("\r\n"), this);
}

void RadioPanel::ConfLoad_Click() {
    const ConfigFileType& type = configFileType();
    const QString path = chooseConfigFile(type, false, this);
    if (path.isEmpty())
        return;
    const std::optional<ConfigValues> loaded =
        loadConfigFile(type, path, QStringLiteral("\r\n"), this);
    if (!loaded)
        return;
    // A running status read ticks AFC back on at its end and owns the line meanwhile: the file
    // takes effect after it.
    whenCommStateFree([this, values = *loaded] {
        applyConfig(values);
        applyFileVoltage(mainWindow(), Statusline, this,
                         fileVoltage(values.text(QStringLiteral("Pref_Voltage"))));
    });
}

} // namespace krv
