#include "receiverpanel.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/frequencyboxes.h"
#include "panels/common/panelwidgets.h"
#include "receiverdesign.h"
#include "receiverwords.h"

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

ReceiverPanel::ReceiverPanel(ISMmain& main, Chip chip, ChipPanelDesign design)
    : RadioPanel(main, std::move(design), receiverTraits(chip)), chip_(chip) {
    C1 = 1;
    C2 = 31;
    Rev = 1;
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
    addRadioPages();
    fmodeen = checkBox(QStringLiteral("fmodeen"), QStringLiteral("Enable FIFO mode"));
    fifoColumn()->addRow(fmodeen);
    connect(fmodeen, &QCheckBox::stateChanged, this, [this] { CalcFIFOw(); });
    connect(VDI, &QComboBox::currentIndexChanged, this, [this] { VDI_Click(); });
    connect(LNAgain, &QComboBox::currentIndexChanged, this, [this] { LNAgain_Click(); });
    connect(DRSSI, &QComboBox::currentIndexChanged, this, [this] { DRSSI_Click(); });
    connect(enrec, &QCheckBox::stateChanged, this, [this] { CalcRecw(); });
    compactCommonControls(FreqCenter, FreqStep);
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

void ReceiverPanel::refill(QComboBox* box, const QStringList& entries, const QString& selected) {
    {
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(-1);
    }
    box->setCurrentText(selected);
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
    Cxtal = chooseList(this, QStringLiteral("Cxtal"), loadCapacitanceEntries());
    CLKout = chooseList(this, QStringLiteral("CLKout"));
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
    VDI = chooseList(this, QStringLiteral("VDI"), vdiEntries(1));
    LNAgain = chooseList(this, QStringLiteral("LNAgain"), lnaEntries(chip_));
    DRSSI = chooseList(this, QStringLiteral("DRSSI"), rssiEntries());
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
    BasebandBW = chooseList(this, QStringLiteral("BasebandBW"));
    Revision = chooseList(this, QStringLiteral("Revision"));
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
    showLowBatteryEnabled(value(enb) == 1);
    eb = value(enb);
    CalcCtrlw();
}

void ReceiverPanel::ent_Click() {
    showWakeUpEnabled(value(ent) == 1);
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

// ---- Receiver setting ------------------------------------------------------------------------

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

// ---- FIFO --------------------------------------------------------------------------------------

int ReceiverPanel::fifoWordValue() {
    return fifoWord(ITLEVEL->value(), int(fflogicd), value(ffillen), value(fmodeen));
}

bool ReceiverPanel::synchronLatchAvailable() {
    return Rev == 1 || fflogicd == 1 || fflogicd == 2;
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
