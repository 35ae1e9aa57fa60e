#include "druskv1.h"

#include "app/ismmain.h"
#include "common/numbers.h"
#include "panels/common/sleepsetting.h"
#include "receiverdesign.h"
#include "receiverwords.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <tuple>

namespace krv {

using namespace receiver;

DruskV1::DruskV1(ISMmain& main)
    : ReceiverPanel(main, Chip::HR651, receiverDesign(&ISMmain::DruskV1_hide)) {
    setWindowTitle(QStringLiteral("HR651 receiver control panel"));
    for (auto [box, name, colour] : {std::tuple{&Green, "Green", QColor(192, 255, 192)},
                                     std::tuple{&Yellow, "Yellow", QColor(255, 255, 192)}}) {
        *box = lineEdit(QString::fromLatin1(name));
        QPalette palette = (*box)->palette();
        palette.setColor(QPalette::Base, colour);
        (*box)->setPalette(palette);
        (*box)->setVisible(false);
    }
    {
        const QSignalBlocker blocker(Revision);
        Revision->addItems({revisionE(), revisionF()});
        Revision->setCurrentText(revisionF());
    }
    // A choice by the user raises the change and then the activation; the activation alone means
    // the shown entry was chosen again, which runs the switch too. A change from code has no
    // activation, so its mark is dropped once control returns to the event loop.
    connect(Revision, &QComboBox::currentIndexChanged, this, [this] {
        revisionRan_ = true;
        QMetaObject::invokeMethod(
            this, [this] { revisionRan_ = false; }, Qt::QueuedConnection);
        Revision_Click();
    });
    connect(Revision, &QComboBox::activated, this, [this] {
        if (!revisionRan_)
            Revision_Click();
        revisionRan_ = false;
    });
    // The offset's caption and unit go with the offset when the revision switch hides it.
    for (auto [base, name] : {std::pair{"LabelFoffset", "Labe35"}, {"LabelFoffsetUnit", "Labe36"}})
        if (auto* label = findChild<QLabel*>(QString::fromLatin1(base)))
            label->setObjectName(QString::fromLatin1(name));
}

int DruskV1::indicatorForBit(int bit) {
    if (Rev == 1)
        return 16 - bit;
    return bit == 15 ? 0 : 15 - bit;
}

void DruskV1::Revision_Click() {
    const auto rev = revisionFlag(Revision->currentText());
    if (!rev)
        return;
    Rev = *rev;
    const bool newer = Rev == 1;
    status[9]->setText(newer ? QStringLiteral("ATGL") : QStringLiteral("SYNC"));
    for (int i = 10; i <= 16; ++i)
        status[i]->setVisible(newer);
    Foffset->setVisible(newer);
    for (const char* name : {"Labe35", "Labe36"})
        if (auto* label = findChild<QLabel*>(QString::fromLatin1(name)))
            label->setVisible(newer);
    Revision->setStyleSheet(
        QStringLiteral("background-color: %1;")
            .arg((newer ? Green : Yellow)->palette().color(QPalette::Base).name()));
    dataratepresc->setEnabled(newer);
    if (!newer)
        dataratepresc->setCheckState(Qt::Unchecked);
    DATARATEDIV_LostFocus();
    refill(VDI, vdiEntries(int(Rev)), QStringLiteral("Clock Recovery locked"));
    VDI_Click();
    refill(FILTTYPE, filterTypeEntries(Chip::HR651, int(Rev)), QStringLiteral("Digital LPF"));
    CalcDatafiltw();
    AFCauto->setEnabled(newer);
    if (!newer)
        AFCauto->setCurrentText(QStringLiteral("Manual"));
    CalcAFCw();
    FIFOstrt_Click();
}

void DruskV1::Form_Load() {
    ChipPanel::Form_Load();
    ISMmain& main = mainWindow();
    startFirstWords();
    startPageNumbers();
    StdCrystal->setChecked(true);
    StdCrystal_Click();
    if (Band433->isChecked())
        bandClick(1);
    else
        Band433->setChecked(true);
    LabelCalibration->setVisible(false);
    enx->setCheckState(Qt::Checked);
    Cxtal->setCurrentText(QStringLiteral("10.0 pF"));
    Cxtal_Click();
    FreqCenter->setText(QStringLiteral("435"));
    FreqCenter_LostFocus();
    VDI->setCurrentText(QStringLiteral("Always"));
    VDI_Click();
    LNAgain->setCurrentText(QStringLiteral("max."));
    LNAgain_Click();
    DRSSI->setCurrentText(QStringLiteral("-103 dBm"));
    DRSSI_Click();
    enrec->setCheckState(Qt::Checked);
    WKUPM->setText(QStringLiteral("150"));
    WKUPR->setText(QStringLiteral("1"));
    WKUPM_LostFocus();
    DUTY->setText(QStringLiteral("7"));
    DUTY_LostFocus();
    LBD->setText(QStringLiteral("0"));
    LBD_LostFocus();
    DATARATEDIV->setText(QStringLiteral("35"));
    DATARATEDIV_LostFocus();
    ClkRecMode->setCurrentText(QStringLiteral("Slow"));
    FILTTYPE->setCurrentText(QStringLiteral("Digital LPF"));
    STATEFILT->setValue(4);
    STATEFILT_Change();
    ITLEVEL->setValue(8);
    ITLEVEL_Change();
    FIFOstrt->setCurrentText(QStringLiteral("Synchron pattern"));
    FIFOstrt_Click();
    fmodeen->setCheckState(Qt::Checked);
    main.link()->DisableDataSelector(this);
    if (portOpen())
        sendLine(QStringLiteral("H3"));
    CalcFIFOw();
    SuppressUpdateMark = 0;
    startAfc(QStringLiteral("Auto, keep Foffset"), QStringLiteral("+3/-4 Fs"));
    if (revisionFlag(main.Pref_DruskRevision))
        Revision->setCurrentText(main.Pref_DruskRevision);
    Statusline->setText(
        QStringLiteral("Update chip control words, and power management settings!"));
    if (main.Pref_CCautoLoad == 1)
        ConfLoad_Click();
    StatusReadActive = false;
}

} // namespace krv
