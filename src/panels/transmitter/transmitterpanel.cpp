#include "transmitterpanel.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/frequencyboxes.h"
#include "panels/common/panelwidgets.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>

namespace krv {

using namespace panel;

namespace {

ChipPanelDesign designOf(const TransmitterTraits& traits) {
    ChipPanelDesign d = ChipPanelDesign::transmitter(traits.sendsWscc);
    d.compactHeight = traits.compactHeight;
    d.tallHeight = traits.tallHeight;
    d.statusCaptions = traits.statusCaptions;
    d.hideProcedure = traits.hideProcedure;
    return d;
}

QLabel* label(QWidget* parent, const QString& text) {
    return new QLabel(text, parent);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
}

} // namespace

TransmitterPanel::TransmitterPanel(ISMmain& main, TransmitterTraits traits)
    : ChipPanel(main, designOf(traits)), traits_(std::move(traits)) {
    // A transmitter panel's load step sets the crystal ratio; the band chosen before it shows 0.
    XtalFactor = 0.0f;
    setWindowTitle(traits_.caption);
    for (const auto& [name, caption] : traits_.wordBoxes)
        wordBoxes_.insert(name, addWordBox(name, caption));
    Ctrlw = wordBox(QStringLiteral("Ctrlw"));
    Freqw = wordBox(QStringLiteral("Freqw"));
    PowerMw = wordBox(QStringLiteral("PowerMw"));
    LBDw = wordBox(QStringLiteral("LBDw"));
    Wkupw = wordBox(QStringLiteral("Wkupw"));
    buildSettings();
    connectHandlers();
    // The word column takes the width its captions and boxes need, the settings whatever is
    // left. Four hexadecimal digits and a supply voltage need no wide box, and no caption is
    // wider than the configuration word's: a longer one takes two lines.
    static_cast<QBoxLayout*>(sideColumn()->parent())->setStretchFactor(sideColumn(), 0);
    auto caption = [this](const QString& name) {
        return findChild<QLabel*>(QStringLiteral("Label_") + name);
    };
    const int captionWidth = caption(traits_.wordBoxes.first().first)->sizeHint().width();
    for (const auto& [name, text] : traits_.wordBoxes) {
        wordBoxes_.value(name)->setMaximumWidth(64);
        QLabel* label = caption(name);
        if (label->sizeHint().width() > captionWidth) {
            label->setWordWrap(true);
            label->setFixedWidth(captionWidth);
        }
    }
    PowerSupply->setMaximumWidth(64);
    for (int i = 1; i <= design().indicatorCount; ++i)
        status[i]->setMaximumWidth(70);
    IRQ->setMaximumWidth(70);
}

void TransmitterPanel::buildSettings() {
    // One page, so no tabs: the settings stand left of the word column.
    QWidget* page = addPage(QStringLiteral("Settings"));
    TabStrip1->setVisible(false);
    settings_ = new QGridLayout(page);
    settings_->setContentsMargins(0, 0, 0, 0);

    Frame3 = named(new QGroupBox(QStringLiteral("Crystal frequency:"), page), "Frame3");
    QGridLayout* cg = frameGrid(Frame3);
    addCrystalRows(Frame3, cg, 3);
    cg->addWidget(label(Frame3, QStringLiteral("Crystal load capacitance:")), 2, 0);
    // The capacitance stays typeable; only an exact entry sets its field.
    Cxtal = named(new QComboBox(Frame3), "Cxtal");
    Cxtal->setEditable(true);
    Cxtal->setMaximumWidth(100);
    Crystalfreq->setMaximumWidth(txNumberWidth);
    cg->addWidget(Cxtal, 2, 1, 1, 2);
    cg->addWidget(label(Frame3, QStringLiteral("CLK output:")), 3, 0);
    CLKout = named(new QComboBox(Frame3), "CLKout");
    cg->addWidget(CLKout, 3, 1);
    cg->addWidget(label(Frame3, QStringLiteral("MHz")), 3, 2);
    settings_->addWidget(Frame3, 0, 0);

    Band = named(new QGroupBox(QStringLiteral("Frequency band"), page), "Band");
    QGridLayout* bg = frameGrid(Band);
    Band315 = named(new QRadioButton(QStringLiteral("315 MHz"), Band), "Band315");
    Band433 = named(new QRadioButton(QStringLiteral("433 MHz"), Band), "Band433");
    Band868 = named(new QRadioButton(QStringLiteral("868 MHz"), Band), "Band868");
    Band915 = named(new QRadioButton(QStringLiteral("915 MHz"), Band), "Band915");
    bandOptions_ = {Band315, Band433, Band868, Band915};
    bandGroup_ = new QButtonGroup(this);
    // Two options a row, the second over the boxes: the frame is no wider than its frequency rows.
    for (int i = 0; i < 4; ++i) {
        bandGroup_->addButton(bandOptions_[i]);
        bg->addWidget(bandOptions_[i], i / 2, 2 * (i % 2), 1, 2);
        bandOptions_[i]->setVisible(traits_.bands[i].has_value());
        bandOptions_[i]->setEnabled(traits_.bands[i].has_value());
    }
    bg->addWidget(label(Band, QStringLiteral("Center frequency (fo):")), 2, 0, 1, 2);
    FreqCenter = numberBox(Band, QStringLiteral("FreqCenter"), txNumberWidth);
    bg->addWidget(FreqCenter, 2, 2);
    bg->addWidget(label(Band, QStringLiteral("MHz")), 2, 3);
    bg->addWidget(label(Band, QStringLiteral("Frequency step:")), 3, 0, 1, 2);
    FreqStep = numberBox(Band, QStringLiteral("FreqStep"), txNumberWidth, true);
    bg->addWidget(FreqStep, 3, 2);
    bg->addWidget(label(Band, QStringLiteral("kHz")), 3, 3);
    settings_->addWidget(Band, 0, 1);

    Frame1 = named(new QGroupBox(QStringLiteral("Select revision:"), page), "Frame1");
    QGridLayout* rg = frameGrid(Frame1);
    // The revision stays typeable; only an exact entry switches it.
    Revision = named(new QComboBox(Frame1), "Revision");
    Revision->setEditable(true);
    rg->addWidget(Revision, 0, 0);
    Yellow = named(new QLineEdit(Frame1), "Yellow");
    Green = named(new QLineEdit(Frame1), "Green");
    setBackground(Yellow, QColor(255, 255, 192));
    setBackground(Green, QColor(192, 255, 192));
    Yellow->setVisible(false);
    Green->setVisible(false);
    // The colour goes on the box's text field: a coloured combo box is drawn into the pixmap
    // cache under its own palette, and those pixmaps outlive the panel.
    setBackground(Revision->lineEdit(), Green->palette().color(QPalette::Base));

    auto* modulation = named(new QGroupBox(QStringLiteral("Modulation"), page), "FrameModulation");
    QGridLayout* mg = frameGrid(modulation);
    mg->addWidget(label(modulation, QStringLiteral("Polarity of modulation:")), 0, 0);
    ModPol = named(new QComboBox(modulation), "ModPol");
    mg->addWidget(ModPol, 0, 1);
    mg->addWidget(label(modulation, QStringLiteral("Frequency deviation (df):")), 1, 0);
    ModFreq = named(new QComboBox(modulation), "ModFreq");
    mg->addWidget(ModFreq, 1, 1);
    mg->addWidget(label(modulation, QStringLiteral("kHz")), 1, 2);
    mg->addWidget(label(modulation, QStringLiteral("Relative output power:")), 2, 0);
    OutputPower = named(new QComboBox(modulation), "OutputPower");
    mg->addWidget(OutputPower, 2, 1);
    settings_->addWidget(modulation, 1, 0);
    // As tall as its one list, whatever height the Modulation frame beside it takes.
    settings_->addWidget(Frame1, 1, 1, Qt::AlignTop);

    FramePower = named(new QGroupBox(QStringLiteral("Power management"), page), "FramePower");
    QGridLayout* pg = frameGrid(FramePower);
    auto check = [this](const char* name, const char* caption) {
        return named(new QCheckBox(QString::fromLatin1(caption), FramePower),
                     QString::fromLatin1(name));
    };
    int column = 0;
    if (traits_.autoPowerControl) {
        pg->addWidget(label(FramePower, QStringLiteral("Auto power control")), 0, 0);
        pm7 = check("pm7", "Xtal osc.+ synthesizer");
        pm6 = check("pm6", "Power amplifier:");
        pg->addWidget(pm7, 1, 0);
        pg->addWidget(pm6, 2, 0);
        column = 1;
    }
    pg->addWidget(label(FramePower, QStringLiteral("Manual power control")), 0, column);
    pm5 = check("pm5", "Xtal osc.");
    pm4 = check("pm4", "Synthesizer");
    pm3 = check("pm3", "Power amp.");
    pg->addWidget(pm5, 1, column);
    pg->addWidget(pm4, 2, column);
    pg->addWidget(pm3, 3, column);
    pm2 = check("pm2", "Low battery detector");
    pm1 = check("pm1", "Wake-up timer");
    pm0 = check("pm0", "");
    pg->addWidget(pm2, 1, column + 1);
    pg->addWidget(pm1, 2, column + 1);
    auto* clockRow = new QHBoxLayout;
    clockRow->setSpacing(0);
    Label47 = named(label(FramePower, QStringLiteral("Disable ")), "Label47");
    Label48 = named(label(FramePower, QStringLiteral("\u00B5")), "Label48");
    auto* rest = label(FramePower, QStringLiteral("C clock output"));
    clockRow->addWidget(pm0);
    // The box has no caption of its own: the labels after it stand as far off as one would.
    clockRow->addSpacing(style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, pm0));
    clockRow->addWidget(Label47);
    clockRow->addWidget(Label48);
    clockRow->addWidget(rest);
    clockRow->addStretch();
    pg->addLayout(clockRow, 3, column + 1);
    for (QLabel* l : {Label47, Label48, rest})
        l->installEventFilter(this);
    Label38 =
        named(label(page, QStringLiteral("Enable LBD by the Power Management Command")), "Label38");
    Label39 = named(
        label(page, QStringLiteral("Enable the Wake-up timer by the Power Management command.")),
        "Label39");
    settings_->addWidget(FramePower, 2, 0, 1, 2);

    ConfLoad =
        named(new QPushButton(QStringLiteral("Load a previous configuration"), this), "ConfLoad");
    ConfSave =
        named(new QPushButton(QStringLiteral("Save current configuration"), this), "ConfSave");
    sideColumn()->insertWidget(sideColumn()->count() - 1, ConfLoad);
    sideColumn()->insertWidget(sideColumn()->count() - 1, ConfSave);
}

void TransmitterPanel::connectHandlers() {
    for (int i = 0; i < 4; ++i)
        onSelected(bandOptions_[i], [this, i] { bandClick(i); });
    workOnLeaving(FreqCenter, [this] { FreqCenter_LostFocus(); });
    connect(Cxtal, &QComboBox::currentTextChanged, this, [this] { Cxtal_Click(); });
    const std::pair<QCheckBox*, void (TransmitterPanel::*)()> boxes[] = {
        {pm7, &TransmitterPanel::pm7_Click}, {pm6, &TransmitterPanel::pm6_Click},
        {pm5, &TransmitterPanel::pm5_Click}, {pm4, &TransmitterPanel::pm4_Click},
        {pm3, &TransmitterPanel::pm3_Click}, {pm2, &TransmitterPanel::pm2_Click},
        {pm1, &TransmitterPanel::pm1_Click}, {pm0, &TransmitterPanel::pm0_Click}};
    for (const auto& [box, handler] : boxes)
        if (box)
            connect(box, &QCheckBox::stateChanged, this, [this, h = handler] { (this->*h)(); });
    connect(ConfLoad, &QPushButton::clicked, this, &TransmitterPanel::ConfLoad_Click);
    connect(ConfSave, &QPushButton::clicked, this, &TransmitterPanel::ConfSave_Click);
}

bool TransmitterPanel::eventFilter(QObject* watched, QEvent* event) {
    // The caption of pm0 is a row of labels; clicking any of them toggles the box.
    if (event->type() == QEvent::MouseButtonPress && watched->parent() == FramePower &&
        qobject_cast<QLabel*>(watched)) {
        Label47_Click();
        return true;
    }
    return ChipPanel::eventFilter(watched, event);
}

QGridLayout* TransmitterPanel::frameGrid(QGroupBox* frame) {
    // The panels' dense rows: the panel shows many frames side by side.
    return panel::denseGrid(frame);
}

QGroupBox* TransmitterPanel::addGroup(const char* name, const QString& title, int row, int column,
                                      int columns) {
    auto* group = named(new QGroupBox(title, Frame[1]), name);
    frameGrid(group);
    settings_->addWidget(group, row, column, 1, columns);
    return group;
}

QGroupBox* TransmitterPanel::addSideGroup(const char* name, const QString& title) {
    auto* group = named(new QGroupBox(title, this), name);
    frameGrid(group);
    // Above the stretch that ends the column.
    sideColumn()->insertWidget(sideColumn()->count() - 1, group);
    return group;
}

// ---- Load step ----------------------------------------------------------------------------------

void TransmitterPanel::beginLoad() {
    ChipPanel::Form_Load();
    LabelCalibration->setVisible(false);
}

void TransmitterPanel::endLoad() {
    if (mainWindow().Pref_CCautoLoad == 1)
        ConfLoad_Click();
    Statusline->setText(
        QStringLiteral("Update chip control words, and power management settings!"));
}

int TransmitterPanel::Width() const {
    const QWidget* window = mainWindow().frameOf(const_cast<TransmitterPanel*>(this));
    return pixelsToTwips(window ? window->width() : width());
}

// ---- Crystal, band and centre frequency ---------------------------------------------------------

int TransmitterPanel::GetXtalFrequency() const {
    return freq::xtalFrequencyHz(XtalFactor);
}

void TransmitterPanel::FreqCenter_LostFocus() {
    if (traits_.frequencyClearsStatus)
        Statusline->setText(QStringLiteral(" "));
    F = float(freq::takeCentreFrequencyBox(FreqCenter, Statusline, {int(C1), int(C2)}, XtalFactor));
    FreqwData = freq::frequencyWord(int(F));
    showWord(Freqw, FreqwData);
}

void TransmitterPanel::redisplayCentreFrequency() {
    FreqCenter->setText(plainNumberText(freq::centreFrequency(F, {int(C1), int(C2)}, XtalFactor)));
}

void TransmitterPanel::UpdateFreqStep() {
    double step = 0;
    for (int i = 0; i < 4; ++i)
        if (traits_.bands[i] && bandOptions_[i]->isChecked())
            step = traits_.bands[i]->stepKHz;
    FreqStep->setText(plainNumberText(float(freq::frequencyStep(step, XtalFactor))));
}

void TransmitterPanel::bandClick(int index) {
    if (!traits_.bands[index])
        return;
    const TransmitterBand& band = *traits_.bands[index];
    C1 = band.C1;
    C2 = band.C2;
    B = band.B;
    CalcCtrlw();
    UpdateFreqStep();
    LabelCalibration->setVisible(true);
}

void TransmitterPanel::crystalChanged() {
    FreqCenter_LostFocus();
    UpdateFreqStep();
    FillCLKoutList();
    FillModFreqList();
    WKUPM_LostFocus();
    redisplayDataRate();
}

void TransmitterPanel::Cxtal_Click() {
    const int position = freq::loadCapacitanceEntries().indexOf(Cxtal->currentText());
    if (position >= 0)
        X = position;
    capacitanceChanged();
}

// ---- Power management ---------------------------------------------------------------------------

long TransmitterPanel::valueOf(const QCheckBox* box, long weight) {
    return box && bitOf(box) ? weight : 0;
}

void TransmitterPanel::CalcPowerMw() {
    PowerMwData = 0xC000 + ((a1 + a0 + ex + es + ea + eb + et + dc) & 0xFF);
    showWord(PowerMw, PowerMwData);
}

void TransmitterPanel::pm7_Click() {
    a1 = valueOf(pm7, 128);
    if (a1) {
        ex = 0;
        es = 0;
        pm5->setCheckState(Qt::Unchecked);
        pm4->setCheckState(Qt::Unchecked);
    }
    CalcPowerMw();
}

void TransmitterPanel::pm6_Click() {
    a0 = valueOf(pm6, 64);
    if (a0) {
        ea = 0;
        pm3->setCheckState(Qt::Unchecked);
    }
    CalcPowerMw();
}

void TransmitterPanel::pm5_Click() {
    if (valueOf(pm5, 1) && pm7)
        pm7->setCheckState(Qt::Unchecked);
    ex = valueOf(pm5, 32);
    CalcPowerMw();
}

void TransmitterPanel::pm4_Click() {
    if (valueOf(pm4, 1) && pm7)
        pm7->setCheckState(Qt::Unchecked);
    es = valueOf(pm4, 16);
    CalcPowerMw();
}

void TransmitterPanel::pm3_Click() {
    if (valueOf(pm3, 1) && pm6)
        pm6->setCheckState(Qt::Unchecked);
    ea = valueOf(pm3, 8);
    CalcPowerMw();
}

void TransmitterPanel::pm2_Click() {
    eb = valueOf(pm2, 4);
    for (QWidget* control : lowBatteryGroup())
        control->setEnabled(eb != 0);
    Label38->setVisible(eb == 0);
    CalcPowerMw();
}

void TransmitterPanel::pm1_Click() {
    et = valueOf(pm1, 2);
    for (QWidget* control : wakeUpGroup())
        control->setEnabled(et != 0);
    Label39->setVisible(et == 0);
    CalcPowerMw();
}

void TransmitterPanel::pm0_Click() {
    dc = valueOf(pm0, 1);
    CLKout->setEnabled(dc == 0);
    CalcPowerMw();
}

void TransmitterPanel::Label47_Click() {
    pm0->setCheckState(pm0->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    pm0_Click();
}

// ---- Update and calibration ---------------------------------------------------------------------

void TransmitterPanel::beforeUpdateLines() {
    if (CB_ebs)
        TXBitSinchOn = bitOf(CB_ebs);
}

QList<long> TransmitterPanel::calibrationWords() {
    const long off = 0xC000 + ((a1 + a0 + ex + ea + eb + et + dc) & 0xEF);
    if (pm4->checkState() == Qt::Checked)
        return {off, off + 16};
    return {off, off + 16, off};
}

void TransmitterPanel::showCalibrationWord(long word) {
    es = word & 0x10;
    PowerMwData = word;
    PowerMw->setText(hexText(word));
}

// ---- Helpers ------------------------------------------------------------------------------------

void TransmitterPanel::fillList(QComboBox* list, const QStringList& entries, int position) {
    freq::refillList(list, entries, position);
}

} // namespace krv
