#include "app/ismmain.h"
#include "common/dialogs.h"
#include "common/error.h"
#include "common/programfolder.h"
#include "panels/common/filesupply.h"
#include "panels/common/loadedcheckbox.h"
#include "transceiverpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace krv {

namespace {

int valueOf(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void selectOption(QRadioButton* option, bool value) {
    // An exclusive group keeps one option selected: a file's #FALSE# items only confirm that.
    if (value)
        option->setChecked(true);
}

} // namespace

trx::TrxConfig TransceiverPanel::currentConfig() const {
    trx::TrxConfig c;
    c.StdCrystal = StdCrystal->isChecked();
    c.NonStdCrystal = NonStdCrystal->isChecked();
    c.Crystalfreq = Crystalfreq->text();
    c.Band315 = Band315->isChecked();
    c.Band433 = Band433->isChecked();
    c.Band868 = Band868->isChecked();
    c.Band915 = Band915->isChecked();
    c.EnTXLatch = valueOf(EnTXLatch);
    c.EnRxFIFO = valueOf(EnRxFIFO);
    c.Cxtal = Cxtal->currentText();
    c.chb_er = valueOf(chb_er);
    c.chb_ebb = valueOf(chb_ebb);
    c.chb_et = valueOf(chb_et);
    c.chb_es = valueOf(chb_es);
    c.chb_ex = valueOf(chb_ex);
    c.chb_ew = valueOf(chb_ew);
    c.chb_eb = valueOf(chb_eb);
    c.chb_dc = valueOf(chb_dc);
    c.FreqCenter = FreqCenter->text();
    c.Pin8IsInt = Pin8IsInt->isChecked();
    c.Pin8IsVDI = Pin8IsVDI->isChecked();
    c.VDI = VDI->currentText();
    c.LNAgain = LNAgain->currentText();
    c.DRSSI = DRSSI->currentText();
    c.BasebandBW = BasebandBW->currentIndex();
    c.ModPol = ModPol->currentText();
    c.ModFreq = ModFreq->currentIndex();
    c.OutputPower = OutputPower->currentText();
    if (chip_ == trx::Chip::HC916) {
        c.CB_LPX = valueOf(CB_LPX);
        c.CB_DDY = valueOf(CB_DDY);
        c.CB_DDIT = valueOf(CB_DDIT);
        c.CB_RFT = CB_RFT->currentText();
        c.CB_PLLBW = CB_PLLBW->currentText();
        c.TB_SP = TB_SP->text();
    }
    c.WKUPM = WKUPM->text();
    c.WKUPR = WKUPR->text();
    c.enlowdc = valueOf(enlowdc);
    c.DUTY = DUTY->text();
    c.CLKout = CLKout->currentIndex();
    c.LBD = LBD->text();
    c.afcen = valueOf(afcen);
    c.afcfi = valueOf(afcfi);
    c.AFCauto = AFCauto->currentText();
    c.AFCres = AFCres->currentText();
    c.afcst = valueOf(afcst);
    c.afcoen = valueOf(afcoen);
    c.DATARATEDIV = DATARATEDIV->text();
    c.dataratepresc = valueOf(dataratepresc);
    c.ClkRecMode = ClkRecMode->currentText();
    c.FILTTYPE = FILTTYPE->currentText();
    c.DFILTbit5 = valueOf(DFILTbit5);
    c.STATEFILT = STATEFILT->value();
    c.ffillen = valueOf(ffillen);
    c.SensResEn = valueOf(SensResEn);
    c.FIFOstrt = FIFOstrt->currentText();
    c.ITLEVEL = ITLEVEL->value();
    c.Pref_Voltage = mainWindow().Pref_Voltage;
    return c;
}

bool TransceiverPanel::chooseFile(bool save, QString& path) {
    const trx::FileType type = trx::fileType(chip_);
    Dialogs::FileRequest request;
    request.title = save ? QStringLiteral("Save Transceiver Configuration File")
                         : QStringLiteral("Load Transceiver Configuration File");
    request.filter = type.filter;
    request.directory = ProgramFolder::dataFolder(QStringLiteral("Project_Configurations"));
    request.fileName = type.pattern;
    request.defaultSuffix = type.extension;
    path =
        save ? Dialogs::saveFileAskingToReplace(request, this) : Dialogs::openFile(request, this);
    if (path.isEmpty() || QFileInfo(path).fileName() == type.pattern)
        return false;
    if (Dialogs::extensionDiffers(path, type.extension)) {
        Dialogs::unsupportedFileType(this);
        return false;
    }
    return true;
}

void TransceiverPanel::ConfSave_Click() {
    QString path;
    if (!chooseFile(true, path))
        return;
    try {
        trx::saveConfig(path, currentConfig(), chip_);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again")),
                         QStringLiteral("File save error"), Dialogs::Icon::None,
                         Dialogs::Buttons::Ok, this);
    }
}

void TransceiverPanel::ConfLoad_Click() {
    QString path;
    if (!chooseFile(false, path))
        return;
    trx::TrxConfig config;
    try {
        config = trx::readConfigFile(path, chip_);
    } catch (const Error& e) {
        Dialogs::message(errorMessage(e, QStringLiteral("Please try again!")),
                         QStringLiteral("File open error"), Dialogs::Icon::None,
                         Dialogs::Buttons::Ok, this);
        return;
    }
    // A running status read ticks AFC back on at its end and owns the line meanwhile: the file
    // takes effect after it.
    whenCommStateFree([this, config] {
        applyConfig(config);
        FreqCenter_LostFocus();
        WKUPM_LostFocus();
        DUTY_LostFocus();
        LBD_LostFocus();
        DATARATEDIV_LostFocus();
        applySupplyVoltage(config.Pref_Voltage);
    });
}

void TransceiverPanel::applyConfig(const trx::TrxConfig& c) {
    selectOption(StdCrystal, c.StdCrystal);
    selectOption(NonStdCrystal, c.NonStdCrystal);
    Crystalfreq->setText(c.Crystalfreq);
    // The typed crystal is the crystal only while "Non standard" is selected.
    if (NonStdCrystal->isChecked())
        Crystalfreq_LostFocus();
    selectOption(Band315, c.Band315);
    selectOption(Band433, c.Band433);
    selectOption(Band868, c.Band868);
    selectOption(Band915, c.Band915);
    setLoadedCheckValue(EnTXLatch, c.EnTXLatch);
    setLoadedCheckValue(EnRxFIFO, c.EnRxFIFO);
    Cxtal->setCurrentText(c.Cxtal);
    setLoadedCheckValue(chb_er, c.chb_er);
    setLoadedCheckValue(chb_ebb, c.chb_ebb);
    setLoadedCheckValue(chb_et, c.chb_et);
    setLoadedCheckValue(chb_es, c.chb_es);
    setLoadedCheckValue(chb_ex, c.chb_ex);
    setLoadedCheckValue(chb_ew, c.chb_ew);
    setLoadedCheckValue(chb_eb, c.chb_eb);
    setLoadedCheckValue(chb_dc, c.chb_dc);
    FreqCenter->setText(c.FreqCenter);
    selectOption(Pin8IsInt, c.Pin8IsInt);
    selectOption(Pin8IsVDI, c.Pin8IsVDI);
    VDI->setCurrentText(c.VDI);
    LNAgain->setCurrentText(c.LNAgain);
    DRSSI->setCurrentText(c.DRSSI);
    BasebandBW->setCurrentIndex(c.BasebandBW);
    ModPol->setCurrentText(c.ModPol);
    ModFreq->setCurrentIndex(c.ModFreq);
    OutputPower->setCurrentText(c.OutputPower);
    if (chip_ == trx::Chip::HC916) {
        setLoadedCheckValue(CB_LPX, c.CB_LPX);
        setLoadedCheckValue(CB_DDY, c.CB_DDY);
        setLoadedCheckValue(CB_DDIT, c.CB_DDIT);
        // The loaded entries rebuild the PLL word, as choosing them would.
        CB_RFT->setCurrentText(c.CB_RFT);
        CB_RFT_Click();
        CB_PLLBW->setCurrentText(c.CB_PLLBW);
        CB_PLLBW_Click();
    }
    WKUPM->setText(c.WKUPM);
    WKUPR->setText(c.WKUPR);
    setLoadedCheckValue(enlowdc, c.enlowdc);
    DUTY->setText(c.DUTY);
    CLKout->setCurrentIndex(c.CLKout);
    LBD->setText(c.LBD);
    setLoadedCheckValue(afcen, c.afcen);
    setLoadedCheckValue(afcfi, c.afcfi);
    AFCauto->setCurrentText(c.AFCauto);
    AFCres->setCurrentText(c.AFCres);
    setLoadedCheckValue(afcst, c.afcst);
    setLoadedCheckValue(afcoen, c.afcoen);
    DATARATEDIV->setText(c.DATARATEDIV);
    setLoadedCheckValue(dataratepresc, c.dataratepresc);
    ClkRecMode->setCurrentText(c.ClkRecMode);
    FILTTYPE->setCurrentText(c.FILTTYPE);
    setLoadedCheckValue(DFILTbit5, c.DFILTbit5);
    STATEFILT->setValue(c.STATEFILT);
    setLoadedCheckValue(ffillen, c.ffillen);
    setLoadedCheckValue(SensResEn, c.SensResEn);
    FIFOstrt->setCurrentText(c.FIFOstrt);
    ITLEVEL->setValue(c.ITLEVEL);
    if (chip_ == trx::Chip::HC916) {
        TB_SP->setText(c.TB_SP);
        // A one-digit pattern byte is padded at once, so that the word never has three digits.
        TB_SP_LostFocus();
    }
}

void TransceiverPanel::applySupplyVoltage(const QString& volts) {
    const FileVoltage voltage = fileVoltage(volts);
    mainWindow().Pref_Voltage = voltage.text;
    applyFileVoltage(mainWindow(), Statusline, this, voltage);
}

void registerTransceiverForms() {
    ISMmain::registerForm(QStringLiteral("YambleV3"),
                          [](ISMmain& main) -> QWidget* { return new YambleV3(main); });
    ISMmain::registerForm(QStringLiteral("FRM_Zenth"),
                          [](ISMmain& main) -> QWidget* { return new FRM_Zenth(main); });
}

} // namespace krv
