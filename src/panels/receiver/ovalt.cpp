#include "ovalt.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/panelwidgets.h"
#include "panels/common/sleepsetting.h"
#include "receiverdesign.h"
#include "receiverwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace krv {

using namespace receiver;

Ovalt::Ovalt(ISMmain& main)
    : ReceiverPanel(main, Chip::HR658, receiverDesign(&ISMmain::Ovalt_hide)) {
    setWindowTitle(QStringLiteral("HR658 receiver control panel"));
    Revision->setEditable(true);
    Revision->lineEdit()->setReadOnly(true);
    Revision->setEditText(QStringLiteral("'A' or above"));
    // A list without entries is as wide as the text it shows.
    Revision->setMinimumContentsLength(int(Revision->currentText().size()));

    EFw = addWordBox(QStringLiteral("EFw"), QStringLiteral("Extended Features Command:"));
    TB_SP = lineEdit(QStringLiteral("TB_SP"));
    TB_SP->setMaxLength(2);
    TB_SP->setMaximumWidth(110);
    TB_F5F4 = lineEdit(QStringLiteral("TB_F5F4"));
    TB_F5F4->setReadOnly(true);
    TB_F5F4->setVisible(false);
    fifoColumn()->addRow(QStringLiteral("Byte 0 of Synchron Pattern"), TB_SP);
    fifoColumn()->addRow(new QLabel(QStringLiteral("See also the the Extended features command")));
    ITLEVEL->setTracking(false);

    QWidget* page = addPage(QStringLiteral("Extended Features"));
    auto [ext, extRight] = twoColumns(page);
    CB_exlp =
        checkBox(QStringLiteral("CB_exlp"), QStringLiteral("Low power mode for the xtal osc."));
    CB_exr =
        checkBox(QStringLiteral("CB_exr"), QStringLiteral("External res. for wake-up timer osc."));
    CB_exr->setVisible(false);
    CB_dcal = checkBox(QStringLiteral("CB_dcal"),
                       QStringLiteral("Disable wake-up timer autocalibration"));
    auto* tail = new QGroupBox(QStringLiteral("Clock tail length"), page);
    auto* tailLayout = new QHBoxLayout(tail);
    OB_128bit = new QRadioButton(QStringLiteral("128 bit"), tail);
    OB_128bit->setObjectName(QStringLiteral("OB_128bit"));
    OB_512bit = new QRadioButton(QStringLiteral("512 bit"), tail);
    OB_512bit->setObjectName(QStringLiteral("OB_512bit"));
    tailLayout->addWidget(OB_128bit);
    tailLayout->addWidget(OB_512bit);
    CB_PLLBW = panel::chooseList(this, QStringLiteral("CB_PLLBW"), pllBandwidthEntries());
    ext->addRow(CB_exlp);
    ext->addRow(tail);
    ext->addRow(CB_exr);
    ext->addRow(CB_dcal);
    extRight->addRow(QStringLiteral("PLL bandwidth"), CB_PLLBW);
    extRight->addRow(QStringLiteral("Bit[1-0] are the upper bits of the FIFO IT level"), TB_F5F4);

    for (QCheckBox* box : {CB_exlp, CB_exr, CB_dcal})
        connect(box, &QCheckBox::stateChanged, this, [this] { CalcEFw(); });
    for (QRadioButton* button : {OB_128bit, OB_512bit})
        connect(button, &QRadioButton::toggled, this, [this] { CalcEFw(); });
    connect(CB_PLLBW, &QComboBox::currentIndexChanged, this, [this] { CalcEFw(); });
    connect(TB_F5F4, &QLineEdit::textChanged, this, [this] { CalcEFw(); });
    patternBox_.emplace(TB_SP, SynchPatt, QStringLiteral("C1"));
    connect(TB_SP, &QLineEdit::textChanged, this, [this] { TB_SP_Change(); });
    workOnLeaving(TB_SP, [this] { TB_SP_LostFocus(); });
    workOnLeaving(ITlevelNr, [this] { ITlevelNr_LostFocus(); });
    connect(ITLEVEL, &QScrollBar::sliderMoved, this,
            [this](int v) { ITlevelNr->setText(QString::number(v)); });
}

void Ovalt::ITlevelNr_Change() {
    keepLevelInRange(ITlevelNr, itLevelMaximum());
}

void Ovalt::ITlevelNr_LostFocus() {
    ITLEVEL->setValue(sleep::wholeField(leadingNumber(ITlevelNr->text()), 1, itLevelMaximum()));
}

void Ovalt::afterFifoWord() {
    // On this chip FFcmd_value only carries the interrupt level's high bits to TB_F5F4.
    FFcmd_value = fifoHighLevelBits(ITLEVEL->value());
    TB_F5F4->setText(QString::number(FFcmd_value));
}

void Ovalt::CalcEFw() {
    EFw->setText(extendedFeaturesWord(
        {value(CB_exlp), OB_512bit->isChecked() ? 1 : 0, value(CB_exr), value(CB_dcal),
         pllBandwidthField(CB_PLLBW->currentText()), int(leadingNumber(TB_F5F4->text()))}));
}

void Ovalt::TB_SP_Change() {
    patternBox_->change();
}

void Ovalt::TB_SP_LostFocus() {
    patternBox_->leave();
}

QList<ChipPanel::UpdateStep> Ovalt::updateSteps() {
    // A pattern byte still being typed is padded as leaving its box would: Update never sends
    // a three-digit word.
    TB_SP_LostFocus();
    return ReceiverPanel::updateSteps();
}

void Ovalt::itemLoaded(const QString& name) {
    // A one-digit pattern byte is padded at once, so that the word never has three digits.
    if (name == QStringLiteral("TB_SP"))
        TB_SP_LostFocus();
}

void Ovalt::Form_Load() {
    ChipPanel::Form_Load();
    ISMmain& main = mainWindow();
    C = 10;
    FreqwData = 0xAD57;
    Freqw->setText(hexText(FreqwData));
    F = 3415;
    XtalFactor = 1.0f;
    {
        const QSignalBlocker stdBlocker(StdCrystal);
        const QSignalBlocker bandBlocker(Band868);
        StdCrystal->setChecked(true);
        Band868->setChecked(true);
        band_ = bandFor(Chip::HR658, 2, band_);
        B = band_.b;
        const QSignalBlocker entBlocker(ent);
        const QSignalBlocker enxBlocker(enx);
        ent->setCheckState(Qt::Checked);
        enx->setCheckState(Qt::Checked);
    }
    CalcCtrlw();
    CB_PLLBW->setCurrentText(QStringLiteral("60 kHz"));
    CB_exlp->setCheckState(Qt::Checked);
    OB_512bit->setChecked(true);
    TB_F5F4->setText(QStringLiteral("2"));
    TB_SP->setText(QStringLiteral("D4"));
    startPageNumbers();
    StdCrystal_Click();
    bandClick(2);
    LabelCalibration->setVisible(false);
    enx_Click();
    Cxtal->setCurrentText(QStringLiteral("12.5 pF"));
    Cxtal_Click();
    FreqCenter_LostFocus();
    VDI->setCurrentText(QStringLiteral("Clock Recovery locked"));
    VDI_Click();
    LNAgain->setCurrentText(QStringLiteral("max."));
    LNAgain_Click();
    DRSSI->setCurrentText(QStringLiteral("-103 dBm"));
    DRSSI_Click();
    WKUPM->setText(QStringLiteral("150"));
    WKUPR->setText(QStringLiteral("1"));
    WKUPD->setText(QStringLiteral("0"));
    WKUPM_LostFocus();
    DUTY->setText(QStringLiteral("7"));
    DUTY_LostFocus();
    LBD->setText(QStringLiteral("3"));
    CB32kHz->setCheckState(Qt::Checked);
    LBD_LostFocus();
    DATARATEDIV->setText(QStringLiteral("19"));
    DATARATEDIV_LostFocus();
    ClkRecMode->setCurrentText(QStringLiteral("Fast"));
    FILTTYPE->setCurrentText(QStringLiteral("Digital LPF"));
    STATEFILT->setValue(2);
    STATEFILT_Change();
    ITLEVEL->setValue(40);
    ITLEVEL_Change();
    FIFOstrt->setCurrentText(QStringLiteral("Synchron pattern"));
    FIFOstrt_Click();
    fmodeen->setCheckState(Qt::Checked);
    ffillen->setCheckState(Qt::Checked);
    if (portOpen())
        sendLine(QStringLiteral("H3"));
    CalcFIFOw();
    SuppressUpdateMark = 0;
    startAfc(QStringLiteral("Auto, drop Foffset"), QStringLiteral("Unlimited"));
    Statusline->setText(
        QStringLiteral("Update chip control words, and power management settings!"));
    // The wake-up timer and the oscillator are switched on before a configuration file may be
    // loaded, so that the file's choice stands.
    ent->setCheckState(Qt::Checked);
    ent_Click();
    enx->setCheckState(Qt::Checked);
    enx_Click();
    CalcCtrlw();
    if (main.Pref_CCautoLoad == 1)
        ConfLoad_Click();
    StatusReadActive = false;
}

} // namespace krv
