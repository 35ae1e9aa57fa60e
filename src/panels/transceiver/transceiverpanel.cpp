#include "transceiverpanel.h"

#include "app/ismmain.h"
#include "panels/common/outputpower.h"
#include "panels/common/panelwidgets.h"
#include "panels/common/sleepsetting.h"
#include "trxfrequency.h"
#include "trxwords.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QVBoxLayout>

namespace krv {

using namespace panel;

namespace {

ChipPanelDesign designOf(trx::Chip chip) {
    ChipPanelDesign d;
    d.family = ChipPanelDesign::Family::Transceiver;
    d.updateClosedText = QStringLiteral(
        "Commport not available, please open commport. Control commands were not updated.");
    d.latchClosedText =
        QStringLiteral("Commport not available, please open commport. FIFO was not reset.");
    d.handlesSupply = true;
    d.afcOffWords = 2;
    d.offsetBits = 5;
    d.compactHeight = chip == trx::Chip::HC913 ? 8800 : 9800;
    d.tallHeight = chip == trx::Chip::HC913 ? 9700 : 10600;
    d.statusCaptions = {"FF IT", "POR", "FF OV", "WK-UP", "EXT", "LBD", "FF EM", "DRSSI",
                        "DQD",   "CRL", "ATGL",  "SGN",   "OF3", "OF2", "OF1",   "OF0"};
    d.hideProcedure = chip == trx::Chip::HC913 ? &ISMmain::YambleV3_hide : &ISMmain::Zenth_hide;
    d.linkTestWindows = {QStringLiteral("Frm_YambleRfLinkTest")};
    return d;
}

RadioTraits transceiverTraits(trx::Chip chip) {
    RadioTraits t;
    t.wakeUpFormula = QStringLiteral("Twake-up = M * 2^R [ms]");
    t.wakeUpTimeCaption = QStringLiteral("Twake-up:");
    t.dutyPageCaption = QStringLiteral("Low Duty-Cycle");
    t.dutyCycleBase = trx::DutyCycleBase;
    t.enablingCommand = QStringLiteral("Power Management");
    t.thresholdCaption = QStringLiteral("LBD:");
    t.thresholdFormula = QStringLiteral("Vlb = 2.2 V + LBD * 0.1 V");
    t.thresholdOffset = trx::ThresholdOffset;
    t.lowBattery = [](double typed, int divider, int) {
        LowBattery lbd;
        lbd.field = sleep::wholeField(typed, 0, 31);
        lbd.volts = sleep::thresholdText(lbd.field, trx::ThresholdOffset);
        lbd.word = trx::lowBatteryWord(divider, lbd.field);
        return lbd;
    };
    t.afcModes = trx::lists::afcMode();
    t.afcRanges = trx::lists::afcRange();
    t.afcWord = [](const AfcFields& f, int) {
        return trx::afcWord(f.mode, f.range, f.strobe, f.fine, f.outputEnable, f.enable);
    };
    t.rateFormula = QStringLiteral("Fosc  ->  1/29  ->  1/8 Presc.  ->  1/(R+1)");
    t.dataRate = [](double typed, bool prescaler, int, float xtal) {
        DataRate rate;
        rate.divider = sleep::wholeField(typed, 0, 127);
        rate.kbps = trx::dataRateText(rate.divider, prescaler, xtal);
        rate.word = trx::dataRateWord(prescaler ? 1 : 0, rate.divider);
        return rate;
    };
    t.filterTypes = trx::lists::filterType();
    t.filterTypeField = [](const QString& text) -> std::optional<int> {
        const int field = trx::filterTypeField(text);
        if (field < 0)
            return std::nullopt;
        return field;
    };
    t.bit5Caption = QStringLiteral("Not used (bit5)");
    t.dataFilterWord = [](const ClockRecovery& cr, int bit5, int type, int, int dqd) {
        return trx::dataFilterWord(cr.autoBit, cr.fastBit, bit5, type, dqd);
    };
    t.fifoPageCaption =
        chip == trx::Chip::HC913 ? QStringLiteral("FIFO Buffer") : QStringLiteral("FIFO and Reset");
    t.itLevelMaximum = 15;
    t.fifoStarts = trx::lists::fifoStart();
    t.fifoStartField = [](const QString& text) -> std::optional<int> {
        const int field = trx::entryIndex(trx::lists::fifoStart(), text);
        if (field < 0)
            return std::nullopt;
        return field;
    };
    return t;
}

QLabel* label(QWidget* parent, const QString& text, const QString& name = {}) {
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

} // namespace

TransceiverPanel::TransceiverPanel(ISMmain& main, trx::Chip chip)
    : RadioPanel(main, designOf(chip), transceiverTraits(chip)), chip_(chip) {
    setWindowTitle(chip == trx::Chip::HC913 ? QStringLiteral("HC913 Transceiver control panel")
                                            : QStringLiteral("HC916 Transceiver control panel"));
    buildSettings();
    buildWordBoxes();
    addRadioPages();
    buildPages();
    connectHandlers();
    compactCommonControls(FreqCenter, FreqStep);
}

void TransceiverPanel::buildSettings() {
    // The frames stand beside the word column: crystal and band, the power bits across both,
    // then the transmitter beside the receiver.
    auto* settings = new QWidget(this);
    settings->setObjectName(QStringLiteral("Settings"));
    auto* grid = new QGridLayout(settings);
    grid->setContentsMargins(0, 0, 0, 0);
    placeFramesBesideWords(settings);

    auto* crystal = named(new QGroupBox(QStringLiteral("Crystal"), settings), "FrameCrystal");
    auto* cg = denseGrid(crystal);
    addCrystalRows(crystal, cg, 2);
    cg->addWidget(label(crystal, QStringLiteral("Crystal load capacitance:")), 2, 0);
    Cxtal = chooseList(crystal, QStringLiteral("Cxtal"));
    cg->addWidget(Cxtal, 2, 1, 1, 2);
    auto* clockLabel = label(crystal, QStringLiteral("Clock output:"));
    cg->addWidget(clockLabel, 3, 0);
    CLKout = chooseList(crystal, QStringLiteral("CLKout"));
    cg->addWidget(CLKout, 3, 1);
    cg->addWidget(label(crystal, QStringLiteral("MHz")), 3, 2);
    // The revision is one row with its caption, not a frame of its own around one list.
    Frame1_11 = named(new QWidget(crystal), "Frame1_11");
    auto* rg = new QHBoxLayout(Frame1_11);
    rg->setContentsMargins(0, 0, 0, 0);
    rg->addWidget(
        label(Frame1_11, QStringLiteral("Select revision:"), QStringLiteral("Label1_11")));
    Revision = chooseList(Frame1_11, QStringLiteral("Revision"));
    Revision->setPlaceholderText(QStringLiteral("'A' or above"));
    rg->addWidget(Revision);
    rg->addStretch();
    cg->addWidget(Frame1_11, 4, 0, 1, 3);
    grid->addWidget(crystal, 0, 0);

    auto* bandFrame = named(new QGroupBox(QStringLiteral("Frequency band"), settings), "FrameBand");
    auto* bg = denseGrid(bandFrame);
    Band315 = named(new QRadioButton(QStringLiteral("315 MHz"), bandFrame), "Band315");
    Band433 = named(new QRadioButton(QStringLiteral("433 MHz"), bandFrame), "Band433");
    Band868 = named(new QRadioButton(QStringLiteral("868 MHz"), bandFrame), "Band868");
    Band915 = named(new QRadioButton(QStringLiteral("915 MHz"), bandFrame), "Band915");
    bandGroup_ = new QButtonGroup(this);
    for (QRadioButton* b : {Band315, Band433, Band868, Band915})
        bandGroup_->addButton(b);
    (chip_ == trx::Chip::HC913 ? Band315 : Band433)->setChecked(true);
    Band315->setVisible(chip_ == trx::Chip::HC913);
    // The HC913's four bands in two rows, the HC916's three in one.
    auto* bands = new QGridLayout;
    bands->setHorizontalSpacing(12);
    const QList<QRadioButton*> shownBands = chip_ == trx::Chip::HC913
                                                ? QList{Band315, Band433, Band868, Band915}
                                                : QList{Band433, Band868, Band915};
    const int perRow = chip_ == trx::Chip::HC913 ? 2 : 3;
    for (int i = 0; i < shownBands.size(); ++i)
        bands->addWidget(shownBands[i], i / perRow, i % perRow);
    bands->setColumnStretch(perRow, 1);
    bg->addLayout(bands, 0, 0, 1, 3);
    bg->addWidget(label(bandFrame, QStringLiteral("Center frequency (fo):")), 1, 0);
    FreqCenter = numberBox(bandFrame, QStringLiteral("FreqCenter"), 110);
    bg->addWidget(FreqCenter, 1, 1);
    bg->addWidget(label(bandFrame, QStringLiteral("MHz")), 1, 2);
    bg->addWidget(label(bandFrame, QStringLiteral("PLL frequency step (Fs):")), 2, 0);
    FreqStep = numberBox(bandFrame, QStringLiteral("FreqStep"), 110, true);
    bg->addWidget(FreqStep, 2, 1);
    bg->addWidget(label(bandFrame, QStringLiteral("kHz")), 2, 2);
    EnTXLatch = named(new QCheckBox(QStringLiteral("Enable TX Register"), bandFrame), "EnTXLatch");
    EnRxFIFO = named(new QCheckBox(QStringLiteral("Enable RX FIFO"), bandFrame), "EnRxFIFO");
    auto* latches = new QHBoxLayout;
    latches->setSpacing(6);
    latches->addWidget(EnTXLatch);
    latches->addWidget(EnRxFIFO);
    latches->addStretch();
    bg->addLayout(latches, 3, 0, 1, 3);
    auto* files = new QHBoxLayout;
    files->setSpacing(6);
    ConfLoad = named(new QPushButton(QStringLiteral("Load configuration"), bandFrame), "ConfLoad");
    ConfSave = named(new QPushButton(QStringLiteral("Save configuration"), bandFrame), "ConfSave");
    files->addWidget(ConfLoad);
    files->addWidget(ConfSave);
    files->addStretch();
    bg->addLayout(files, 4, 0, 1, 3);
    bg->setRowStretch(5, 1);
    grid->addWidget(bandFrame, 0, 1);

    auto* power = named(new QGroupBox(QStringLiteral("Power management"), settings), "FramePower");
    auto* pg = denseGrid(power);
    const std::pair<QCheckBox**, const char*> powerBoxes[] = {
        {&chb_er, "Enable the receiver"},      {&chb_ebb, "Enable receiver baseband"},
        {&chb_et, "Enable the transmitter"},   {&chb_es, "Enable the synthesizer"},
        {&chb_ex, "Enable the oscillator"},    {&chb_eb, "Enable the low battery detector"},
        {&chb_ew, "Enable the wake-up timer"}, {&chb_dc, "Disable the clock output"}};
    const char* powerNames[] = {"chb_er", "chb_ebb", "chb_et", "chb_es",
                                "chb_ex", "chb_eb",  "chb_ew", "chb_dc"};
    for (int i = 0; i < 8; ++i) {
        *powerBoxes[i].first =
            named(new QCheckBox(QString::fromLatin1(powerBoxes[i].second), power),
                  QString::fromLatin1(powerNames[i]));
        // Three columns: a row less than two, in the width the frames below take anyway.
        pg->addWidget(*powerBoxes[i].first, i % 3, i / 3);
    }
    grid->addWidget(power, 1, 0, 1, 2);

    auto* tx = named(new QGroupBox(QStringLiteral("Transmitter"), settings), "FrameTX");
    auto* tg = denseGrid(tx);
    tg->addWidget(label(tx, QStringLiteral("Deviation (df):")), 0, 0);
    ModFreq = chooseList(tx, QStringLiteral("ModFreq"));
    tg->addWidget(ModFreq, 0, 1);
    // Label60 is the HC916's "PLL Bandwidth" caption, which other windows read by that name.
    tg->addWidget(label(tx, QStringLiteral("kHz"), QStringLiteral("Label61")), 0, 2);
    tg->addWidget(label(tx, QStringLiteral("Polarity of modulation:")), 1, 0);
    ModPol = chooseList(tx, QStringLiteral("ModPol"));
    tg->addWidget(ModPol, 1, 1, 1, 2);
    tg->addWidget(label(tx, QStringLiteral("Pout:")), 2, 0);
    OutputPower = chooseList(tx, QStringLiteral("OutputPower"));
    tg->addWidget(OutputPower, 2, 1, 1, 2);
    if (chip_ == trx::Chip::HC916) {
        CB_LPX =
            named(new QCheckBox(QStringLiteral("Crystal Oscillator Low Power Mode"), tx), "CB_LPX");
        CB_DDY = named(new QCheckBox(QStringLiteral("Phase Detector Delay"), tx), "CB_DDY");
        CB_DDIT = named(new QCheckBox(QStringLiteral("Disable PLL Dithering"), tx), "CB_DDIT");
        CB_RFT = chooseList(tx, QStringLiteral("CB_RFT"));
        CB_PLLBW = chooseList(tx, QStringLiteral("CB_PLLBW"));
        Label60 = label(tx, QStringLiteral("PLL Bandwidth"), QStringLiteral("Label60"));
        tg->addWidget(Label60, 3, 0);
        tg->addWidget(CB_PLLBW, 3, 1, 1, 2);
        // The frame is the tallest beside the receiver's: the long rise and fall caption takes
        // two lines beside its list, and two boxes share a row.
        auto* riseFall = label(tx, QStringLiteral("uP Clock rise and fall time control"));
        riseFall->setWordWrap(true);
        tg->addWidget(riseFall, 4, 0);
        tg->addWidget(CB_RFT, 4, 1, 1, 2);
        tg->addWidget(CB_DDIT, 5, 0);
        tg->addWidget(CB_DDY, 5, 1, 1, 2);
        tg->addWidget(CB_LPX, 6, 0, 1, 3);
    }
    tg->setRowStretch(tg->rowCount(), 1);
    grid->addWidget(tx, 2, 0);

    auto* rx = named(new QGroupBox(QStringLiteral("Receiver"), settings), "FrameRX");
    auto* xg = denseGrid(rx);
    // The pin's function stands beside its caption as the lists do, its two choices one over
    // the other, rather than in a frame of its own.
    auto* pin = named(new QWidget(rx), "FramePin16");
    auto* ping = new QVBoxLayout(pin);
    ping->setContentsMargins(0, 0, 0, 0);
    ping->setSpacing(gridRowSpacing);
    Pin8IsInt = named(new QRadioButton(QStringLiteral("Interrupt input"), pin), "Pin8IsInt");
    Pin8IsVDI = named(new QRadioButton(QStringLiteral("VDI output"), pin), "Pin8IsVDI");
    pinGroup_ = new QButtonGroup(this);
    pinGroup_->addButton(Pin8IsInt);
    pinGroup_->addButton(Pin8IsVDI);
    ping->addWidget(Pin8IsInt);
    ping->addWidget(Pin8IsVDI);
    xg->addWidget(label(rx, QStringLiteral("Pin16 function:"), QStringLiteral("LabelPin16")), 0, 0,
                  Qt::AlignTop);
    xg->addWidget(pin, 0, 1, 1, 2);
    VDI = chooseList(rx, QStringLiteral("VDI"));
    LNAgain = chooseList(rx, QStringLiteral("LNAgain"));
    DRSSI = chooseList(rx, QStringLiteral("DRSSI"));
    BasebandBW = chooseList(rx, QStringLiteral("BasebandBW"));
    xg->addWidget(label(rx, QStringLiteral("Valid Data Indicator:")), 1, 0);
    xg->addWidget(VDI, 1, 1);
    xg->addWidget(label(rx, QStringLiteral("LNA gain:")), 2, 0);
    xg->addWidget(LNAgain, 2, 1);
    xg->addWidget(label(rx, QStringLiteral("DRSSI:")), 3, 0);
    xg->addWidget(DRSSI, 3, 1);
    xg->addWidget(label(rx, QStringLiteral("Baseband bandwith:")), 4, 0);
    xg->addWidget(BasebandBW, 4, 1);
    xg->addWidget(label(rx, QStringLiteral("kHz")), 4, 2);
    xg->setRowStretch(5, 1);
    grid->addWidget(rx, 2, 1);
    grid->setRowStretch(3, 1);
}

void TransceiverPanel::buildPages() {
    SensResEn =
        named(new QCheckBox(QStringLiteral("Disable Sensitive reset"), FIFOstrt->parentWidget()),
              "SensResEn");
    fifoColumn()->addRow(SensResEn);
    if (chip_ != trx::Chip::HC916)
        return;
    QWidget* page = addPage(QStringLiteral("Syncron Pattern"));
    auto [inputs, notes] = twoColumns(page);
    SynchPattern = chooseList(page, QStringLiteral("SynchPattern"));
    TB_SP = numberBox(page, QStringLiteral("TB_SP"), 110);
    TB_SP->setMaxLength(2);
    inputs->addRow(QStringLiteral("Synchron pattern:"), SynchPattern);
    inputs->addRow(QStringLiteral("Byte 0 of Synchron Pattern"), TB_SP);
}

void TransceiverPanel::buildWordBoxes() {
    const bool hc913 = chip_ == trx::Chip::HC913;
    Ctrlw = addWordBox(QStringLiteral("Ctrlw"),
                       hc913 ? QStringLiteral("Configuration setting command:")
                             : QStringLiteral("Configuration Setting Command:"));
    Freqw = addWordBox(QStringLiteral("Freqw"), QStringLiteral("Frequency setting command:"));
    PowerW = addWordBox(QStringLiteral("PowerW"), QStringLiteral("Power Management Command:"));
    Recw = addWordBox(QStringLiteral("Recw"), hc913 ? QStringLiteral("Receiver setting command:")
                                                    : QStringLiteral("Receiver Control Command:"));
    TXCtrlw = addWordBox(QStringLiteral("TXCtrlw"), QStringLiteral("TX Configuration Command:"));
    Wkupw = addWordBox(QStringLiteral("Wkupw"), QStringLiteral("Wake-Up Timer Command:"));
    Dutyw = addWordBox(QStringLiteral("Dutyw"), QStringLiteral("Low Duty-Cycle Command:"));
    LBDw = addWordBox(QStringLiteral("LBDw"), QStringLiteral("Low Battery and Clock Command:"));
    AFCw = addWordBox(QStringLiteral("AFCw"), QStringLiteral("AFC Command:"));
    Dataratew = addWordBox(QStringLiteral("Dataratew"), QStringLiteral("Data Rate Command:"));
    Datafiltw = addWordBox(QStringLiteral("Datafiltw"), QStringLiteral("Data filter Command:"));
    FIFOw = addWordBox(QStringLiteral("FIFOw"), QStringLiteral("FIFO and Reset Mode Command:"));
    if (!hc913) {
        PLLCmd = addWordBox(QStringLiteral("PLLCmd"), QStringLiteral("PLL Setting Command:"));
        // The PLL word may be typed, but only as hexadecimal digits, at most four.
        PLLCmd->setReadOnly(false);
        PLLCmd->setMaxLength(4);
        PLLCmd->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,4}")), PLLCmd));
        SynchPatt =
            addWordBox(QStringLiteral("SynchPatt"), QStringLiteral("Synchron Pattern Command:"));
    }
}

void TransceiverPanel::fillLists() {
    auto fill = [](QComboBox* box, const QStringList& entries) {
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(entries);
        box->setCurrentIndex(-1);
    };
    fill(Revision, {chip_ == trx::Chip::HC913 ? QStringLiteral("'D' or above")
                                              : QStringLiteral("'A' or above")});
    fill(Cxtal, trx::loadCapacitanceEntries());
    fill(VDI, trx::lists::vdi());
    fill(LNAgain, trx::lists::lnaGain());
    fill(DRSSI, trx::lists::rssi(chip_ == trx::Chip::HC913 ? 8 : 6));
    // Shown as their first entries, which stand for the fields' start values 0.
    fill(ModPol, trx::lists::polarity());
    fill(OutputPower, outputPowerEntries());
    for (QComboBox* box : {ModPol, OutputPower}) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(0);
    }
    if (chip_ == trx::Chip::HC916) {
        fill(SynchPattern, trx::lists::synchPattern());
        fill(CB_RFT, trx::lists::pllRiseFall());
        fill(CB_PLLBW, trx::lists::pllBandwidth());
    }
}

} // namespace krv
