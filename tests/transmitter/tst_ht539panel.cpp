#include "app/updown.h"
#include "ht539test.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

using namespace krv;
using test::enter;
using test::ht539Words;

class HT539PanelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startValues() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        QVERIFY(p);
        QCOMPARE(ht539Words(p), (QStringList{"9082", "AD57", "C002", "CE00", "C813", "C213", "E196",
                                             "C300", "B0CA"}));
        QCOMPARE(p->FreqCenter->text(), QStringLiteral("868.3"));
        QCOMPARE(p->FreqStep->text(), QStringLiteral("20"));
        QCOMPARE(p->Cxtal->currentText(), QStringLiteral("12.5 pF"));
        QCOMPARE(p->CLKout->currentText(), QStringLiteral("1"));
        QCOMPARE(p->ModFreq->currentText(), QStringLiteral("60"));
        QCOMPARE(p->ModPol->currentText(), QStringLiteral("fo + df"));
        QCOMPARE(p->OutputPower->currentText(), QStringLiteral("Pmax"));
        QCOMPARE(p->C_PLLBW->currentText(), QStringLiteral("60 kHz"));
        QCOMPARE(p->Revision->currentText(), QStringLiteral("'A' or above"));
        QCOMPARE(p->LBD->text(), QStringLiteral("3"));
        QCOMPARE(p->LBDV->text(), QStringLiteral("2.3"));
        QCOMPARE(p->WKUPTIME->text(), QStringLiteral("300"));
        QCOMPARE(p->Label8->text(), QStringLiteral("ms"));
        QCOMPARE(p->TB_DataRateValue->text(), QStringLiteral("17.241"));
        QCOMPARE(p->Label27->text(), QStringLiteral("kbps"));
        QCOMPARE(p->SL_WakeUpM->value(), 150);
        QCOMPARE(p->SL_WakeUpR->value(), 1);
        QCOMPARE(p->SL_FIFOITLevel->value(), 0);
        QCOMPARE(p->SL_DataRateLevel->value(), 19);
        QVERIFY(p->WKUPM->isEnabled() && p->SL_WakeUpR->isEnabled() && p->EWkupw->isEnabled());
        QVERIFY(p->Label39->isHidden());
        QVERIFY(!p->LBD->isEnabled() && !p->UD_LBD->isEnabled() && !p->LBDw->isEnabled());
        QVERIFY(!p->Label38->isHidden());
        QVERIFY(p->CLKout->isEnabled());
        QVERIFY(!p->LabelUpdate->isHidden());
        QVERIFY(p->LabelCalibration->isHidden());
        QVERIFY(p->Band433->isHidden() && !p->Band433->isEnabled());
        QVERIFY(p->Band868->isChecked());
        QVERIFY(p->Frame1->isHidden());
        QVERIFY(p->StdCrystal->isChecked() && !p->Crystalfreq->isEnabled());
        QCOMPARE(p->windowTitle(), QStringLiteral("HT539 transmitter control panel"));
        QCOMPARE(p->Statusline->text(),
                 QStringLiteral("Update chip control words, and power management settings!"));
        QCOMPARE(p->status[1]->text(), QStringLiteral("FFIT"));
        QCOMPARE(p->status[6]->text(), QStringLiteral("POR"));
        QVERIFY(p->status[7]->isHidden() && p->status[8]->isHidden());
        QCOMPARE(p->GetXtalFrequency(), 10000000);
    }
};

QTEST_MAIN(HT539PanelTest)
#include "tst_ht539panel.moc"
