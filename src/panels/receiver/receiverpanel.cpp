#include "receiverpanel.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/frequencyboxes.h"
#include "panels/common/panelwidgets.h"
#include "panels/common/sleepboxes.h"
#include "receiverwords.h"
#include "sleepwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace krv {

using namespace panel;

using namespace receiver;

namespace {

// A label that acts like the caption of a check box: clicking it toggles the box.
class CaptionLabel : public QLabel {
public:
    CaptionLabel(const QString& text, std::function<void()> onClick)
        : QLabel(text), onClick_(std::move(onClick)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            onClick_();
    }

private:
    std::function<void()> onClick_;
};

} // namespace

std::pair<QFormLayout*, QFormLayout*> ReceiverPanel::twoColumns(QWidget* page) {
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(6, 3, 6, 4);
    row->setSpacing(24);
    auto* left = new QFormLayout;
    auto* right = new QFormLayout;
    for (QFormLayout* column : {left, right}) {
        column->setVerticalSpacing(3);
        row->addLayout(column);
    }
    row->addStretch();
    return {left, right};
}

ReceiverPanel::ReceiverPanel(ISMmain& main, Chip chip, ChipPanelDesign design)
    : ChipPanel(main, std::move(design)), chip_(chip) {
    Ctrlw = addWordBox(QStringLiteral("Ctrlw"), QStringLiteral("Configuration setting command:"));
    Freqw = addWordBox(QStringLiteral("Freqw"), QStringLiteral("Frequency setting command:"));
    Recw = addWordBox(QStringLiteral("Recw"), QStringLiteral("Receiver setting command:"));
    Wkupw = addWordBox(QStringLiteral("Wkupw"), QStringLiteral("Wake-Up Timer Command:"));
    if (chip == Chip::HR658)
        EWkupw = addWordBox(QStringLiteral("EWkupw"), QStringLiteral("Extended Wake-Up Command:"));
    Dutyw = addWordBox(QStringLiteral("Dutyw"), QStringLiteral("Low Duty-Cycle Command:"));
    LBDw = addWordBox(QStringLiteral("LBDw"), QStringLiteral("Low Battery Detector Command:"));
    AFCw = addWordBox(QStringLiteral("AFCw"), QStringLiteral("AFC Command:"));
    Dataratew = addWordBox(QStringLiteral("Dataratew"), QStringLiteral("Data Rate Command:"));
    Datafiltw = addWordBox(QStringLiteral("Datafiltw"), QStringLiteral("Data filter Command:"));
    FIFOw = addWordBox(QStringLiteral("FIFOw"), QStringLiteral("FIFO Command:"));
    if (chip == Chip::HR658)
        SynchPatt =
            addWordBox(QStringLiteral("SynchPatt"), QStringLiteral("Synchron Pattern Command:"));
    buildFrequencyBlock();
    buildPages();
    compactCommonControls(FreqCenter, FreqStep);
}

bool ReceiverPanel::eventFilter(QObject* watched, QEvent* event) {
    if (WKUPD && watched == WKUPD && event->type() == QEvent::FocusOut)
        wakeUpEnter();
    return ChipPanel::eventFilter(watched, event);
}

// ---- Widget helpers ------------------------------------------------------------------------

int ReceiverPanel::value(const QCheckBox* box) {
    return bitOf(box);
}

QLineEdit* ReceiverPanel::lineEdit(const QString& name, const QString& text) {
    auto* box = new QLineEdit(text, this);
    box->setObjectName(name);
    return box;
}

QCheckBox* ReceiverPanel::checkBox(const QString& name, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    return box;
}

QComboBox* ReceiverPanel::list(const QString& name, const QStringList& entries) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    // Refilled lists (revision, crystal) stay as wide as their longest entry.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const QSignalBlocker blocker(box);
    box->addItems(entries);
    box->setCurrentIndex(-1);
    return box;
}

void ReceiverPanel::refill(QComboBox* box, const QStringList& entries, const QString& selected) {
    {
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(-1);
    }
    box->setCurrentText(selected);
}

void ReceiverPanel::setPowerControls(QCheckBox* box, const QList<QWidget*>& controls,
                                     QLabel* hint) {
    const bool on = value(box) == 1;
    for (QWidget* control : controls)
        control->setEnabled(on);
    hint->setVisible(!on);
}

QList<QWidget*> ReceiverPanel::wakeUpControls() const {
    QList<QWidget*> controls{WKUPM, WKUPR, WKUPTIME, Wkupw};
    if (WKUPD)
        controls << WKUPD << EWkupw;
    return controls;
}

// ---- Layout ----------------------------------------------------------------------------------

void ReceiverPanel::buildFrequencyBlock() {
    auto* settings = new QWidget(this);
    settings->setObjectName(QStringLiteral("Settings"));
    // Two rows of frames, each as wide as the wider row: crystal and band, then the receiver and
    // the configuration.
    auto* rows = new QVBoxLayout(settings);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* upperRow = new QHBoxLayout;
    auto* lowerRow = new QHBoxLayout;
    rows->addLayout(upperRow);
    rows->addLayout(lowerRow);
    rows->addStretch();
    placeFramesBesideWords(settings);

    auto* crystal = new QGroupBox(QStringLiteral("Crystal"), settings);
    crystal->setObjectName(QStringLiteral("FrameCrystal"));
    auto* crystalLayout = denseGrid(crystal);
    Cxtal = list(QStringLiteral("Cxtal"), loadCapacitanceEntries());
    CLKout = list(QStringLiteral("CLKout"));
    addCrystalRows(crystal, crystalLayout, 3);
    crystalLayout->addWidget(new QLabel(QStringLiteral("Crystal load capacitance:"), crystal), 2,
                             0);
    crystalLayout->addWidget(Cxtal, 2, 1, 1, 2);
    crystalLayout->addWidget(new QLabel(QStringLiteral("Clock output:"), crystal), 3, 0);
    crystalLayout->addWidget(CLKout, 3, 1);
    crystalLayout->addWidget(new QLabel(QStringLiteral("MHz"), crystal), 3, 2);
    crystalLayout->setRowStretch(4, 1);
    upperRow->addWidget(crystal);

    auto* bands = new QGroupBox(QStringLiteral("Frequency band"), settings);
    bands->setObjectName(QStringLiteral("FrameBand"));
    auto* bandLayout = denseGrid(bands);
    QRadioButton** buttons[] = {&Band315, &Band433, &Band868, &Band915};
    const char* names[] = {"Band315", "Band433", "Band868", "Band915"};
    const char* captions[] = {"315 MHz", "433 MHz", "868 MHz", "915 MHz"};
    // The HR651's four bands in two rows, the HR658's two in one.
    auto* bandRow = new QGridLayout;
    bandRow->setHorizontalSpacing(12);
    const int firstShown = chip_ == Chip::HR658 ? 2 : 0;
    for (int i = 0; i < 4; ++i) {
        *buttons[i] = new QRadioButton(QString::fromLatin1(captions[i]), bands);
        (*buttons[i])->setObjectName(QString::fromLatin1(names[i]));
        if (i >= firstShown)
            bandRow->addWidget(*buttons[i], (i - firstShown) / 2, (i - firstShown) % 2);
        onSelected(*buttons[i], [this, i] { bandClick(i); });
    }
    bandRow->setColumnStretch(2, 1);
    if (chip_ == Chip::HR658) {
        for (QRadioButton* hidden : {Band315, Band433}) {
            hidden->setVisible(false);
            hidden->setEnabled(false);
        }
    }
    FreqCenter = lineEdit(QStringLiteral("FreqCenter"));
    FreqStep = lineEdit(QStringLiteral("FreqStep"));
    FreqStep->setReadOnly(true);
    ConfLoad = new QPushButton(QStringLiteral("Load Configuration"), bands);
    ConfLoad->setObjectName(QStringLiteral("ConfLoad"));
    ConfSave = new QPushButton(QStringLiteral("Save Configuration"), bands);
    ConfSave->setObjectName(QStringLiteral("ConfSave"));
    auto* fileRow = new QHBoxLayout;
    fileRow->setSpacing(6);
    fileRow->addWidget(ConfLoad);
    fileRow->addWidget(ConfSave);
    fileRow->addStretch();
    bandLayout->addLayout(bandRow, 0, 0, 1, 3);
    bandLayout->addWidget(new QLabel(QStringLiteral("Center frequency (fo):"), bands), 1, 0);
    bandLayout->addWidget(FreqCenter, 1, 1);
    bandLayout->addWidget(new QLabel(QStringLiteral("MHz"), bands), 1, 2);
    bandLayout->addWidget(new QLabel(QStringLiteral("PLL frequency step (Fs):"), bands), 2, 0);
    bandLayout->addWidget(FreqStep, 2, 1);
    bandLayout->addWidget(new QLabel(QStringLiteral("kHz"), bands), 2, 2);
    bandLayout->addLayout(fileRow, 3, 0, 1, 3);
    bandLayout->setRowStretch(4, 1);
    upperRow->addWidget(bands);

    auto* receive = new QGroupBox(QStringLiteral("Receiver"), settings);
    receive->setObjectName(QStringLiteral("FrameRX"));
    auto* receiveLayout = denseGrid(receive);
    VDI = list(QStringLiteral("VDI"), vdiEntries(1));
    LNAgain = list(QStringLiteral("LNAgain"), lnaEntries(chip_));
    DRSSI = list(QStringLiteral("DRSSI"), rssiEntries());
    enrec = checkBox(QStringLiteral("enrec"), QStringLiteral("Enable receiver chain"));
    // The indicator's caption above its list, whose entries are long.
    receiveLayout->addWidget(new QLabel(QStringLiteral("Valid Data Indicator:"), receive), 0, 0, 1,
                             2);
    receiveLayout->addWidget(VDI, 1, 0, 1, 2);
    receiveLayout->addWidget(new QLabel(QStringLiteral("LNA gain:"), receive), 2, 0);
    receiveLayout->addWidget(LNAgain, 2, 1);
    receiveLayout->addWidget(new QLabel(QStringLiteral("DRSSI:"), receive), 3, 0);
    receiveLayout->addWidget(DRSSI, 3, 1);
    receiveLayout->addWidget(enrec, 4, 0, 1, 2);
    receiveLayout->setRowStretch(5, 1);
    lowerRow->addWidget(receive);

    auto* configuration = new QGroupBox(QStringLiteral("Configuration"), settings);
    configuration->setObjectName(QStringLiteral("FrameConfiguration"));
    auto* configLayout = denseGrid(configuration);
    enb = checkBox(QStringLiteral("enb"), QStringLiteral("Low battery"));
    ent = checkBox(QStringLiteral("ent"), QStringLiteral("Wake-up timer"));
    enx = checkBox(QStringLiteral("enx"), QStringLiteral("Xtal osc."));
    disclk = checkBox(QStringLiteral("disclk"), QString());
    auto toggleClock = [this] {
        disclk->setCheckState(value(disclk) == 1 ? Qt::Unchecked : Qt::Checked);
    };
    Label47 = new CaptionLabel(QStringLiteral("Disable   C clock output"), toggleClock);
    Label47->setObjectName(QStringLiteral("Label47"));
    // The mu sits in the gap of the caption, right before its "C".
    Label48 = new CaptionLabel(QStringLiteral("\u00B5"), toggleClock);
    Label48->setObjectName(QStringLiteral("Label48"));
    Label48->setParent(Label47);
    Label47->setFixedHeight(Label47->sizeHint().height());
    Label48->adjustSize();
    Label48->move(Label47->fontMetrics().horizontalAdvance(QStringLiteral("Disable   ")) -
                      Label48->fontMetrics().horizontalAdvance(Label48->text()),
                  0);
    BasebandBW = list(QStringLiteral("BasebandBW"));
    Revision = list(QStringLiteral("Revision"));
    auto* clockRow = new QHBoxLayout;
    clockRow->setSpacing(4);
    clockRow->addWidget(disclk);
    clockRow->addWidget(Label47);
    clockRow->addStretch();
    configLayout->addWidget(new QLabel(QStringLiteral("Power control bits:"), configuration), 0, 0,
                            1, 3);
    configLayout->addWidget(enb, 1, 0);
    configLayout->addWidget(ent, 1, 1, 1, 2);
    configLayout->addWidget(enx, 2, 0);
    configLayout->addLayout(clockRow, 2, 1, 1, 2);
    configLayout->addWidget(new QLabel(QStringLiteral("Baseband bandwith:"), configuration), 3, 0);
    configLayout->addWidget(BasebandBW, 3, 1);
    configLayout->addWidget(new QLabel(QStringLiteral("kHz"), configuration), 3, 2);
    configLayout->addWidget(new QLabel(QStringLiteral("Chip revision:"), configuration), 4, 0);
    configLayout->addWidget(Revision, 4, 1, 1, 2);
    configLayout->setRowStretch(5, 1);
    lowerRow->addWidget(configuration);

    workOnLeaving(FreqCenter, [this] { FreqCenter_LostFocus(); });
    connect(Cxtal, &QComboBox::currentIndexChanged, this, [this] { Cxtal_Click(); });
    connect(CLKout, &QComboBox::currentIndexChanged, this, [this] { CLKout_Click(); });
    connect(BasebandBW, &QComboBox::currentIndexChanged, this, [this] { BasebandBW_Click(); });
    connect(enb, &QCheckBox::stateChanged, this, [this] { enb_Click(); });
    connect(ent, &QCheckBox::stateChanged, this, [this] { ent_Click(); });
    connect(enx, &QCheckBox::stateChanged, this, [this] { enx_Click(); });
    connect(disclk, &QCheckBox::stateChanged, this, [this] { disclk_Click(); });
    connect(ConfLoad, &QPushButton::clicked, this, [this] { ConfLoad_Click(); });
    connect(ConfSave, &QPushButton::clicked, this, [this] { ConfSave_Click(); });
}

void ReceiverPanel::buildPages() {
    const bool hr658 = chip_ == Chip::HR658;
    wakePage_ = addPage(QStringLiteral("Wake-Up Timer"));
    dutyPage_ = hr658 ? wakePage_ : addPage(QStringLiteral("Low Duty Cycle "));
    lbdPage_ = addPage(QStringLiteral("Low Battery Detector"));
    afcPage_ = addPage(QStringLiteral("AFC"));
    ratePage_ = addPage(QStringLiteral("Data Rate"));
    filterPage_ = addPage(QStringLiteral("Data Filter"));
    fifoPage_ = addPage(QStringLiteral("FIFO Buffer"));

    // Wake-up timer.
    auto [wake, wakeRight] = twoColumns(wakePage_);
    WKUPM = lineEdit(QStringLiteral("WKUPM"));
    WKUPM->setToolTip(QStringLiteral("Multiplier of the Wake-up timer period"));
    WKUPR = lineEdit(QStringLiteral("WKUPR"));
    WKUPTIME = lineEdit(QStringLiteral("WKUPTIME"));
    Label8 = new QLabel(QStringLiteral("sec"), this);
    Label8->setObjectName(QStringLiteral("Label8"));
    wake->addRow(QStringLiteral("M:"), WKUPM);
    wake->addRow(QStringLiteral("R:"), WKUPR);
    if (hr658) {
        WKUPD = lineEdit(QStringLiteral("WKUPD"));
        WKUPD->setMaxLength(1);
        wake->addRow(QStringLiteral("D:"), WKUPD);
        wake->addRow(new QLabel(QStringLiteral("T = M * 2^(R-D) [ms]")));
    } else {
        wakeRight->addRow(new QLabel(QStringLiteral("T = M * 2^R [ms]")));
    }
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(WKUPTIME);
    timeRow->addWidget(Label8);
    wake->addRow(QStringLiteral("Wake-up period:"), timeRow);
    Label39 = new QLabel(
        QStringLiteral("The Wake-up timer can be enabled by the Configuration setting command."),
        this);
    Label39->setObjectName(QStringLiteral("Label39"));
    Label39->setWordWrap(true);
    (hr658 ? wake : wakeRight)->addRow(Label39);

    // Low duty cycle: on the HR658 beside the wake-up timer.
    QFormLayout* duty = hr658 ? wakeRight : twoColumns(dutyPage_).first;
    DUTY = lineEdit(QStringLiteral("DUTY"));
    DUTY_USEM = lineEdit(QStringLiteral("DUTY_USEM"));
    DUTY_CALC = lineEdit(QStringLiteral("DUTY_CALC"));
    Label11 = new QLabel(QStringLiteral("%"), this);
    Label11->setObjectName(QStringLiteral("Label11"));
    enlowdc =
        checkBox(QStringLiteral("enlowdc"), QStringLiteral(" Enable Low Duty-cycle operation"));
    duty->addRow(enlowdc);
    duty->addRow(QStringLiteral("D:"), DUTY);
    duty->addRow(QStringLiteral("M:"), DUTY_USEM);
    auto* dutyRow = new QHBoxLayout;
    dutyRow->addWidget(DUTY_CALC);
    dutyRow->addWidget(Label11);
    duty->addRow(QStringLiteral("Duty cycle = (D * 2 + 1) / M * 100 [%]"), dutyRow);

    // Low battery detector.
    auto [lbd, lbdRight] = twoColumns(lbdPage_);
    LBD = lineEdit(QStringLiteral("LBD"));
    LBDV = lineEdit(QStringLiteral("LBDV"));
    lbd->addRow(QStringLiteral("Threshold field:"), LBD);
    lbd->addRow(hr658 ? QStringLiteral("Vlb = 2.0 V + LBD * 0.1 V")
                      : QStringLiteral("Vlb = 2.2 V + LBD * 0.1 V"),
                LBDV);
    if (hr658) {
        CB32kHz = checkBox(QStringLiteral("CB32kHz"),
                           QStringLiteral("Enable 32 kHz clock output during sleep mode"));
        lbdRight->addRow(CB32kHz);
    }
    Label38 = new QLabel(QStringLiteral("The Low Battery Detector can be enabled by the "
                                        "Configuration setting command."),
                         this);
    Label38->setObjectName(QStringLiteral("Label38"));
    Label38->setWordWrap(true);
    lbdRight->addRow(Label38);

    // AFC.
    auto [afc, afcRight] = twoColumns(afcPage_);
    AFCauto = list(QStringLiteral("AFCauto"), afcModeEntries());
    AFCres = list(QStringLiteral("AFCres"), afcRangeEntries(chip_));
    afcst = checkBox(QStringLiteral("afcst"), QStringLiteral("Strobe"));
    afcfi = checkBox(QStringLiteral("afcfi"), QStringLiteral("Enable fine mode"));
    afcoen = checkBox(QStringLiteral("afcoen"), QStringLiteral("Output Enable"));
    afcen = checkBox(QStringLiteral("afcen"), QStringLiteral("Enable AFC"));
    afc->addRow(QStringLiteral("Mode :"), AFCauto);
    afc->addRow(QStringLiteral("AFC range:"), AFCres);
    for (QCheckBox* box : {afcst, afcfi, afcoen, afcen})
        afcRight->addRow(box);

    // Data rate.
    auto [rate, rateRight] = twoColumns(ratePage_);
    dataratepresc =
        checkBox(QStringLiteral("dataratepresc"), QStringLiteral(" Enable prescaller (1/8)"));
    DATARATEDIV = lineEdit(QStringLiteral("DATARATEDIV"));
    DATARATE = lineEdit(QStringLiteral("DATARATE"));
    DATARATE->setReadOnly(true);
    Label25 = new QLabel(QStringLiteral("kbps"), this);
    Label25->setObjectName(QStringLiteral("Label25"));
    rateRight->addRow(new QLabel(QStringLiteral("Fosc -> 1/29 -> 1/8 Presc. -> 1/(R+1)")));
    rateRight->addRow(dataratepresc);
    rate->addRow(QStringLiteral("R:"), DATARATEDIV);
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(DATARATE);
    rateRow->addWidget(Label25);
    rate->addRow(QStringLiteral("Data Rate:"), rateRow);

    // Data filter.
    auto [filter, filterRight] = twoColumns(filterPage_);
    ClkRecMode = list(QStringLiteral("ClkRecMode"), clockRecoveryEntries());
    FILTTYPE = list(QStringLiteral("FILTTYPE"), filterTypeEntries(chip_, 1));
    DFILTbit5 =
        checkBox(QStringLiteral("DFILTbit5"), hr658 ? QStringLiteral("Disable autosleep on FIFO IT")
                                                    : QStringLiteral("Not used (bit5)"));
    DFILTbit5->setCheckState(Qt::Checked);
    DFILTbit5->setVisible(hr658);
    STATEFILT = new QScrollBar(Qt::Horizontal, this);
    STATEFILT->setObjectName(QStringLiteral("STATEFILT"));
    STATEFILT->setRange(0, 7);
    STATEFILT->setValue(1);
    StatefiltNr = lineEdit(QStringLiteral("StatefiltNr"));
    filter->addRow(QStringLiteral("Clock Recovery mode:"), ClkRecMode);
    filter->addRow(QStringLiteral("Filter type:"), FILTTYPE);
    filter->addRow(QStringLiteral("DQD parameter:"), StatefiltNr);
    filter->addRow(STATEFILT);
    filterRight->addRow(DFILTbit5);
    if (hr658) {
        cb_ewi = checkBox(QStringLiteral("cb_ewi"), QStringLiteral("Automatic wake-up on any IT"));
        filterRight->addRow(cb_ewi);
        connect(cb_ewi, &QCheckBox::stateChanged, this, [this] { CalcDatafiltw(); });
    }

    // FIFO.
    QFormLayout* fifo = nullptr;
    std::tie(fifo, fifoRight_) = twoColumns(fifoPage_);
    ITLEVEL = new QScrollBar(Qt::Horizontal, this);
    ITLEVEL->setObjectName(QStringLiteral("ITLEVEL"));
    ITLEVEL->setRange(0, hr658 ? 63 : 15);
    ITLEVEL->setValue(8);
    ITlevelNr = lineEdit(QStringLiteral("ITlevelNr"));
    FIFOstrt = list(QStringLiteral("FIFOstrt"), fifoStartEntries(chip_));
    ffillen = checkBox(QStringLiteral("ffillen"), QStringLiteral("Enable synchron latch"));
    fmodeen = checkBox(QStringLiteral("fmodeen"), QStringLiteral("Enable FIFO mode"));
    fifo->addRow(QStringLiteral("FIFO IT level:"), ITlevelNr);
    fifo->addRow(ITLEVEL);
    fifo->addRow(QStringLiteral("FIFO fill start:"), FIFOstrt);
    fifoRight_->addRow(ffillen);
    fifoRight_->addRow(fmodeen);

    for (QLineEdit* box : {WKUPM, WKUPR, WKUPTIME, DUTY, DUTY_USEM, DUTY_CALC, LBD, LBDV,
                           DATARATEDIV, DATARATE, StatefiltNr, ITlevelNr})
        box->setMaximumWidth(110);
    if (WKUPD)
        WKUPD->setMaximumWidth(110);

    for (QWidget* control : wakeUpControls())
        control->setEnabled(false);
    for (QWidget* control :
         {static_cast<QWidget*>(LBD), static_cast<QWidget*>(LBDV), static_cast<QWidget*>(LBDw)})
        control->setEnabled(false);

    auto enter = [this] { wakeUpEnter(); };
    workOnLeaving(WKUPM, enter);
    workOnLeaving(WKUPR, enter);
    // Enter in D does nothing: only leaving the box takes it.
    if (WKUPD)
        WKUPD->installEventFilter(this);
    workOnLeaving(DUTY, [this] { DUTY_LostFocus(); });
    workOnLeaving(LBD, [this] { LBD_LostFocus(); });
    workOnLeaving(LBDV, [this] { LBDV_LostFocus(); });
    workOnLeaving(DATARATEDIV, [this] { DATARATEDIV_LostFocus(); });
    connect(enlowdc, &QCheckBox::stateChanged, this, [this] {
        enldc = value(enlowdc);
        DUTY_LostFocus();
    });
    if (CB32kHz)
        connect(CB32kHz, &QCheckBox::stateChanged, this, [this] { LBD_LostFocus(); });
    connect(VDI, &QComboBox::currentIndexChanged, this, [this] { VDI_Click(); });
    connect(LNAgain, &QComboBox::currentIndexChanged, this, [this] { LNAgain_Click(); });
    connect(DRSSI, &QComboBox::currentIndexChanged, this, [this] { DRSSI_Click(); });
    connect(enrec, &QCheckBox::stateChanged, this, [this] { CalcRecw(); });
    connect(AFCauto, &QComboBox::currentIndexChanged, this, [this] { CalcAFCw(); });
    connect(AFCres, &QComboBox::currentIndexChanged, this, [this] { CalcAFCw(); });
    for (QCheckBox* box : {afcst, afcfi, afcoen, afcen})
        connect(box, &QCheckBox::stateChanged, this, [this] { CalcAFCw(); });
    connect(dataratepresc, &QCheckBox::stateChanged, this, [this] { DATARATEDIV_LostFocus(); });
    connect(ClkRecMode, &QComboBox::currentIndexChanged, this, [this] { CalcDatafiltw(); });
    connect(FILTTYPE, &QComboBox::currentIndexChanged, this, [this] { CalcDatafiltw(); });
    connect(DFILTbit5, &QCheckBox::stateChanged, this, [this] { CalcDatafiltw(); });
    connect(STATEFILT, &QScrollBar::valueChanged, this, [this] { STATEFILT_Change(); });
    connect(StatefiltNr, &QLineEdit::textChanged, this, [this] { StatefiltNr_Change(); });
    connect(ITLEVEL, &QScrollBar::valueChanged, this, [this] { ITLEVEL_Change(); });
    connect(FIFOstrt, &QComboBox::currentIndexChanged, this, [this] { FIFOstrt_Click(); });
    connect(ffillen, &QCheckBox::stateChanged, this, [this] { CalcFIFOw(); });
    connect(fmodeen, &QCheckBox::stateChanged, this, [this] { CalcFIFOw(); });
}

// ---- Crystal, band, centre frequency -------------------------------------------------------

int ReceiverPanel::bandButton() const {
    if (Band315->isChecked())
        return 0;
    if (Band433->isChecked())
        return 1;
    if (Band868->isChecked())
        return 2;
    return 3;
}

void ReceiverPanel::crystalChanged() {
    FreqCenter_LostFocus();
    UpdateFreqStep();
    FillCLKoutList();
    FillBasebandBWList();
    WKUPM_LostFocus();
    DATARATEDIV_LostFocus();
}

void ReceiverPanel::FreqCenter_LostFocus() {
    const int field =
        freq::takeCentreFrequencyBox(FreqCenter, Statusline, formulaOf(chip_, band_), XtalFactor);
    F = float(field);
    FreqwData = frequencyWord(field);
    showWord(Freqw, FreqwData);
}

void ReceiverPanel::bandClick(int button) {
    band_ = bandFor(chip_, button, band_);
    B = band_.b;
    C1 = band_.c1;
    C2 = band_.c2;
    C = band_.c;
    CalcCtrlw();
    UpdateFreqStep();
    LabelCalibration->setVisible(true);
}

void ReceiverPanel::UpdateFreqStep() {
    FreqStep->setText(plainNumberText(frequencyStep(chip_, bandButton(), XtalFactor)));
}

double ReceiverPanel::frequencyStepKHz() {
    return leadingNumber(FreqStep->text());
}

void ReceiverPanel::Cxtal_Click() {
    const int position = int(loadCapacitanceEntries().indexOf(Cxtal->currentText()));
    if (position >= 0)
        X = position;
    CalcCtrlw();
}

void ReceiverPanel::FillCLKoutList() {
    freq::refillList(CLKout, clockOutputEntries(XtalFactor), 0);
}

void ReceiverPanel::CLKout_Click() {
    D = std::max(0, CLKout->currentIndex());
    LBD_LostFocus();
}

// ---- Configuration word ----------------------------------------------------------------------

void ReceiverPanel::CalcCtrlw() {
    CtrlwData = configWord({int(B), int(eb), int(et), int(ex), int(X), int(BW), int(dc)});
    showWord(Ctrlw, CtrlwData);
    FreqCenter->setText(plainNumberText(centreFrequency(chip_, band_, F, XtalFactor)));
}

void ReceiverPanel::enb_Click() {
    setPowerControls(enb, {LBD, LBDV, LBDw}, Label38);
    eb = value(enb);
    CalcCtrlw();
}

void ReceiverPanel::ent_Click() {
    setPowerControls(ent, wakeUpControls(), Label39);
    et = value(ent);
    CalcCtrlw();
}

void ReceiverPanel::enx_Click() {
    ex = value(enx);
    CalcCtrlw();
}

void ReceiverPanel::disclk_Click() {
    dc = value(disclk);
    CLKout->setEnabled(dc == 0);
    CalcCtrlw();
}

void ReceiverPanel::FillBasebandBWList() {
    freq::refillList(BasebandBW, basebandEntries(chip_, XtalFactor), basebandDefault(chip_));
}

void ReceiverPanel::BasebandBW_Click() {
    if (BasebandBW->currentIndex() < 0)
        return;
    BW = basebandField(chip_, BasebandBW->currentIndex());
    CalcCtrlw();
}

// ---- Wake-up, duty cycle, low battery ------------------------------------------------------

void ReceiverPanel::WKUPM_LostFocus() {
    wakeUpEnter();
}

void ReceiverPanel::wakeUpEnter() {
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

void ReceiverPanel::DUTY_LostFocus() {
    const sleep::DutyCycle duty =
        sleep::takeDutyBoxes({DUTY, DUTY_USEM, DUTY_CALC, WKUPM}, DutyCycleBase, int(enldc));
    DUTYC = duty.field;
    showWord(Dutyw, duty.word);
}

void ReceiverPanel::LBD_LostFocus() {
    const LowBattery lbd =
        lowBattery(chip_, leadingNumber(LBD->text()), int(D), CB32kHz ? value(CB32kHz) : 0);
    LBDC = lbd.field;
    LBD->setText(QString::number(lbd.field));
    showWord(LBDw, lbd.word);
    LBDV->setText(lbd.volts);
}

void ReceiverPanel::LBDV_LostFocus() {
    sleep::takeVoltsBox(LBDV, LBD, thresholdOffset(chip_));
    LBD_LostFocus();
}

// ---- Receiver setting, AFC, data rate, data filter -----------------------------------------

void ReceiverPanel::VDI_Click() {
    if (const auto field = vdiField(VDI->currentText()))
        V = *field;
    CalcRecw();
}

void ReceiverPanel::LNAgain_Click() {
    if (const auto field = lnaField(chip_, LNAgain->currentText()))
        l = *field;
    CalcRecw();
}

void ReceiverPanel::DRSSI_Click() {
    if (const auto field = rssiField(DRSSI->currentText()))
        R = *field;
    CalcRecw();
}

void ReceiverPanel::CalcRecw() {
    er = value(enrec);
    RecwData = receiverWord(int(V), int(l), int(R), int(er));
    showWord(Recw, RecwData);
}

void ReceiverPanel::CalcAFCw() {
    AFCend = value(afcen);
    AFCstd = value(afcst);
    AFCfid = value(afcfi);
    AFCoend = value(afcoen);
    if (const auto range = afcRangeField(chip_, AFCres->currentText()))
        AFCresd = *range;
    if (const auto mode = afcModeField(AFCauto->currentText())) {
        AFCautod = *mode;
        afcst->setEnabled(AFCautod == 0);
    }
    const int word =
        afcWord({int(AFCautod), int(AFCresd), int(AFCstd), int(AFCfid), int(AFCoend), int(AFCend)},
                int(Rev));
    if (StatusReadActive)
        AFCw->setText(hexText(word));
    else
        showWord(AFCw, word);
}

void ReceiverPanel::DATARATEDIV_LostFocus() {
    // Under the older revision the prescaler bit is the divider's eighth bit.
    if (Rev != 1 && value(dataratepresc) == 1) {
        const QSignalBlocker blocker(dataratepresc);
        dataratepresc->setCheckState(Qt::Unchecked);
    }
    const DataRate rate = dataRate(leadingNumber(DATARATEDIV->text()), value(dataratepresc) == 1,
                                   int(Rev), XtalFactor);
    DATARATED = rate.divider;
    DATARATEDIV->setText(QString::number(rate.divider));
    DATARATE->setText(rate.kbps);
    showWord(Dataratew, rate.word);
}

void ReceiverPanel::CalcDatafiltw() {
    if (const auto type = filterTypeField(chip_, FILTTYPE->currentText()))
        filttyped = *type;
    showWord(Datafiltw,
             dataFilterWord(chip_, clockRecovery(ClkRecMode->currentText()), value(DFILTbit5),
                            int(filttyped), cb_ewi ? value(cb_ewi) : 0, STATEFILT->value()));
}

void ReceiverPanel::STATEFILT_Change() {
    CalcDatafiltw();
    StatefiltNr->setText(QString::number(STATEFILT->value()));
    showUpdateMark();
}

void ReceiverPanel::StatefiltNr_Change() {
    const double typed = leadingNumber(StatefiltNr->text());
    if (typed > 7)
        StatefiltNr->setText(QStringLiteral("7"));
    else if (typed < 1)
        StatefiltNr->setText(QStringLiteral("1"));
    STATEFILT->setValue(sleep::wholeField(leadingNumber(StatefiltNr->text()), 1, 7));
}

// ---- FIFO --------------------------------------------------------------------------------------

void ReceiverPanel::ITLEVEL_Change() {
    CalcFIFOw();
    ITlevelNr->setText(QString::number(ITLEVEL->value()));
    showUpdateMark();
}

void ReceiverPanel::FIFOstrt_Click() {
    const auto field = fifoStartField(chip_, FIFOstrt->currentText());
    if (!field)
        return;
    fflogicd = *field;
    const bool enabled = Rev == 1 || fflogicd == 1 || fflogicd == 2;
    ffillen->setEnabled(enabled);
    FFreset->setEnabled(enabled);
    CalcFIFOw();
}

void ReceiverPanel::CalcFIFOw() {
    const int word = fifoWord(ITLEVEL->value(), int(fflogicd), value(ffillen), value(fmodeen));
    FFcmd_value = word;
    FIFOw->setText(hexText(word));
    if (!takeSuppressUpdateMark())
        showUpdateMark();
    afterFifoWord();
}

// ---- Operations --------------------------------------------------------------------------------

QList<ChipPanel::UpdateStep> ReceiverPanel::updateSteps() {
    QList<UpdateStep> steps;
    for (QLineEdit* box : {Ctrlw, Freqw, Recw, Wkupw, EWkupw, Dutyw, LBDw, AFCw, Dataratew,
                           Datafiltw, FIFOw, SynchPatt})
        if (box)
            steps << UpdateStep::wordBox(box);
    steps << UpdateStep::dataLatch();
    return steps;
}

bool ReceiverPanel::dataLatchInUse() {
    return value(fmodeen) == 1;
}

QList<long> ReceiverPanel::calibrationWords() {
    return {long(receiverWord(int(V), int(l), int(R), 0)),
            long(receiverWord(int(V), int(l), int(R), 1)),
            long(receiverWord(int(V), int(l), int(R), value(enrec)))};
}

void ReceiverPanel::showCalibrationWord(long word) {
    er = word & 1;
    RecwData = word;
    Recw->setText(hexText(word));
}

QList<QCheckBox*> ReceiverPanel::synchronLatchBoxes() {
    return {ffillen, fmodeen};
}

} // namespace krv
