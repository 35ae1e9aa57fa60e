#include "app/updown.h"
#include "ht539test.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
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

    void theViewItemShowsAndClosingHidesIt() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.board().clearReceived();
        rig.main().mnuViewTx2->trigger();
        auto* p = rig.main().loadedForm<HT539>("HT539");
        QVERIFY(p && p->isVisible());
        QVERIFY(rig.main().TX2on && rig.main().mnuViewTx2->isChecked());
        p->PB_PowerSupply_Click();
        QVERIFY(rig.main().PowerSupplyOn);
        rig.main().unloadForm("HT539");
        QVERIFY(!rig.main().TX2on && !rig.main().mnuViewTx2->isChecked());
        QVERIFY(!rig.main().PowerSupplyOn);
        QVERIFY(rig.board().receivedLines().isEmpty());
    }

    void looksLikeATool() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        rig.main().resize(1800, 1060);
        rig.main().show();
        rig.main().showForm(p);
        p->ShowStatus_Click();
        QMdiSubWindow* frame = rig.main().frameOf(p);
        frame->resize(frame->sizeHint());
        const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
        if (!out.isEmpty())
            p->grab().save(out + QStringLiteral("/HT539.png"));
        QVERIFY2(frame->width() <= 1600 && frame->height() <= 1050,
                 qPrintable(QStringLiteral("%1 x %2").arg(frame->width()).arg(frame->height())));
    }

    // A typed entry: the box as written back, the word it gives and what the panel shows for it.
    void typedEntries_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("wordBox");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("displayed");
        QTest::newRow("threshold above 15") << "LBD"
                                            << "16"
                                            << "15"
                                            << "LBDw"
                                            << "C21F"
                                            << "LBDV"
                                            << "3.5";
        QTest::newRow("threshold below 0") << "LBD"
                                           << "-1"
                                           << "0"
                                           << "LBDw"
                                           << "C210"
                                           << "LBDV"
                                           << "2";
        QTest::newRow("threshold half to even") << "LBD"
                                                << "2.5"
                                                << "2"
                                                << "LBDw"
                                                << "C212"
                                                << "LBDV"
                                                << "2.2";
        QTest::newRow("volts 3.0") << "LBDV"
                                   << "3.0"
                                   << "3"
                                   << "LBDw"
                                   << "C21A"
                                   << "LBD"
                                   << "10";
        QTest::newRow("volts 1") << "LBDV"
                                 << "1"
                                 << "2"
                                 << "LBDw"
                                 << "C210"
                                 << "LBD"
                                 << "0";
        QTest::newRow("volts 4.2") << "LBDV"
                                   << "4.2"
                                   << "3.5"
                                   << "LBDw"
                                   << "C21F"
                                   << "LBD"
                                   << "15";
        QTest::newRow("volts -3") << "LBDV"
                                  << "-3"
                                  << "2"
                                  << "LBDw"
                                  << "C210"
                                  << "LBD"
                                  << "0";
        QTest::newRow("wake-up M clamped, days") << "WKUPM"
                                                 << "20000"
                                                 << "16383"
                                                 << "Wkupw"
                                                 << "E1FF"
                                                 << "WKUPTIME"
                                                 << "32.766";
        QTest::newRow("wake-up R 15") << "WKUPR"
                                      << "15"
                                      << "15"
                                      << "Wkupw"
                                      << "EF96"
                                      << "WKUPTIME"
                                      << "1.365";
        QTest::newRow("wake-up D 3") << "WKUPD"
                                     << "3"
                                     << "3"
                                     << "EWkupw"
                                     << "C3C0"
                                     << "WKUPTIME"
                                     << "37.5";
        QTest::newRow("wake-up D above 3") << "WKUPD"
                                           << "7"
                                           << "3"
                                           << "EWkupw"
                                           << "C3C0"
                                           << "Label8"
                                           << "ms";
        QTest::newRow("FIFO level above 63") << "TB_FIFOITLevel"
                                             << "70"
                                             << "63"
                                             << "TB_FIFOcmd"
                                             << "CE3F"
                                             << "TB_FIFOITLevel"
                                             << "63";
        QTest::newRow("FIFO level below 0") << "TB_FIFOITLevel"
                                            << "-5"
                                            << "0"
                                            << "TB_FIFOcmd"
                                            << "CE00"
                                            << "TB_FIFOITLevel"
                                            << "0";
        QTest::newRow("data rate 0") << "TB_DataRate"
                                     << "0"
                                     << "0"
                                     << "TB_DataRateCmd"
                                     << "C800"
                                     << "TB_DataRateValue"
                                     << "344.828";
        QTest::newRow("data rate above 127") << "TB_DataRate"
                                             << "200"
                                             << "127"
                                             << "TB_DataRateCmd"
                                             << "C87F"
                                             << "TB_DataRateValue"
                                             << "2.694";
    }
    void typedEntries() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, wordBox);
        QFETCH(QString, word);
        QFETCH(QString, display);
        QFETCH(QString, displayed);
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        p->pm2->setCheckState(Qt::Checked);
        enter(p->findChild<QLineEdit*>(box), typed);
        QCOMPARE(p->findChild<QLineEdit*>(box)->text(), shown);
        QCOMPARE(p->findChild<QLineEdit*>(wordBox)->text(), word);
        QWidget* shownBy = p->findChild<QWidget*>(display);
        if (auto* label = qobject_cast<QLabel*>(shownBy))
            QCOMPARE(label->text(), displayed);
        else
            QCOMPARE(qobject_cast<QLineEdit*>(shownBy)->text(), displayed);
    }

    void wakeUpUnits_data() {
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("r");
        QTest::addColumn<QString>("d");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("unit");
        QTest::newRow("999 ms") << "999"
                                << "0"
                                << "0"
                                << "999"
                                << "ms";
        QTest::newRow("1000 ms") << "1000"
                                 << "0"
                                 << "0"
                                 << "1"
                                 << "sec";
        QTest::newRow("60 s") << "7500"
                              << "3"
                              << "0"
                              << "1"
                              << "min";
        QTest::newRow("largest") << "20000"
                                 << "15"
                                 << "0"
                                 << "6.213"
                                 << "days";
    }
    void wakeUpUnits() {
        QFETCH(QString, m);
        QFETCH(QString, r);
        QFETCH(QString, d);
        QFETCH(QString, time);
        QFETCH(QString, unit);
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        p->WKUPR->setText(r);
        p->WKUPD->setText(d);
        // Typing alone rebuilds nothing; Enter does.
        p->WKUPM->setText(m);
        QCOMPARE(p->Wkupw->text(), QStringLiteral("E196"));
        QTest::keyClick(p->WKUPM, Qt::Key_Return);
        QCOMPARE(p->WKUPTIME->text(), time);
        QCOMPARE(p->Label8->text(), unit);
        QCOMPARE(p->SL_WakeUpM->value(), p->WKUPM->text().toInt());
        QCOMPARE(p->SL_WakeUpR->value(), p->WKUPR->text().toInt());
    }

    void listsAndBoxesBuildTheirWords() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        p->Band433->setChecked(true);
        p->OutputPower->setCurrentIndex(7);
        p->Cxtal->setCurrentText("10.0 pF");
        p->ModPol->setCurrentIndex(1);
        p->ModFreq->setCurrentIndex(7);
        QCOMPARE(p->Ctrlw->text(), QStringLiteral("8F3F"));
        // A partial capacitance is no entry: the field stays.
        p->Cxtal->setCurrentText("12");
        QCOMPARE(p->Ctrlw->text(), QStringLiteral("8F3F"));

        for (QCheckBox* box : {p->pm0, p->pm1, p->pm2, p->pm3, p->pm4, p->pm5})
            box->setCheckState(Qt::Checked);
        QCOMPARE(p->PowerMw->text(), QStringLiteral("C03F"));
        for (QCheckBox* box : {p->pm0, p->pm1, p->pm2, p->pm3, p->pm4, p->pm5})
            box->setCheckState(Qt::Unchecked);
        QCOMPARE(p->PowerMw->text(), QStringLiteral("C000"));
        QVERIFY(!p->WKUPM->isEnabled() && !p->Label39->isHidden());

        p->CLKout->setCurrentIndex(7);
        p->CB_ebs->setCheckState(Qt::Unchecked);
        p->pm2->setCheckState(Qt::Checked);
        enter(p->LBD, "15");
        QCOMPARE(p->LBDw->text(), QStringLiteral("C2EF"));
        // The clock box greys the list out; the divider stays in the word.
        QTest::mouseClick(p->Label48, Qt::LeftButton);
        QVERIFY(p->pm0->isChecked());
        QVERIFY(!p->CLKout->isEnabled());
        QCOMPARE(p->PowerMw->text(), QStringLiteral("C005"));
        QCOMPARE(p->LBDw->text(), QStringLiteral("C2EF"));
        QTest::mouseClick(p->Label47, Qt::LeftButton);
        QVERIFY(!p->pm0->isChecked());

        p->CB_EnFIFO->setCheckState(Qt::Checked);
        p->TB_FIFOITLevel->setText("70");
        QCOMPARE(p->TB_FIFOcmd->text(), QStringLiteral("CEBF"));
        p->CB_Prescaler->setCheckState(Qt::Checked);
        p->TB_DataRate->setText("127");
        QCOMPARE(p->TB_DataRateCmd->text(), QStringLiteral("C8FF"));
        QCOMPARE(p->TB_DataRateValue->text(), QStringLiteral("0.337"));
        for (QCheckBox* box : {p->CB_EnLowPowerXtal, p->CB_512ClockTail, p->CB_DisWUTAutocal,
                               p->CB_DisFIFOAutoSleep, p->CB_EnWUonIT})
            box->setCheckState(Qt::Checked);
        p->C_PLLBW->setCurrentIndex(3);
        QCOMPARE(p->EFCmd->text(), QStringLiteral("B0DF"));
        for (QCheckBox* box : {p->CB_EnLowPowerXtal, p->CB_512ClockTail, p->CB_DisWUTAutocal,
                               p->CB_DisFIFOAutoSleep, p->CB_EnWUonIT})
            box->setCheckState(Qt::Unchecked);
        p->C_PLLBW->setCurrentIndex(0);
        QCOMPARE(p->EFCmd->text(), QStringLiteral("B000"));
        QVERIFY(!p->OutputPower->isEditable() && !p->ModFreq->isEditable() &&
                !p->CLKout->isEditable() && !p->C_PLLBW->isEditable() && !p->ModPol->isEditable());
    }

    void slidersAndArrowsMirrorTheirBoxes() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        p->SL_DataRateLevel->setValue(50);
        QCOMPARE(p->TB_DataRate->text(), QStringLiteral("50"));
        QCOMPARE(p->TB_DataRateCmd->text(), QStringLiteral("C832"));
        QTest::mouseClick(p->UD_DataRate->upArrow(), Qt::LeftButton);
        QCOMPARE(p->TB_DataRate->text(), QStringLiteral("51"));
        QCOMPARE(p->SL_DataRateLevel->value(), 51);
        p->SL_FIFOITLevel->setValue(63);
        QCOMPARE(p->TB_FIFOcmd->text(), QStringLiteral("CE3F"));
        QTest::mouseClick(p->UD_FIFOITLevel->upArrow(), Qt::LeftButton);
        QCOMPARE(p->TB_FIFOITLevel->text(), QStringLiteral("63"));
        p->SL_WakeUpM->setValue(300);
        QCOMPARE(p->WKUPM->text(), QStringLiteral("300"));
        QCOMPARE(p->Wkupw->text(), QStringLiteral("E12C"));
        QCOMPARE(p->WKUPTIME->text(), QStringLiteral("600"));
        p->SL_WakeUpR->setValue(0);
        QCOMPARE(p->WKUPR->text(), QStringLiteral("0"));
        QCOMPARE(p->Wkupw->text(), QStringLiteral("E02C"));
        QTest::mouseClick(p->UD_WakeUpM->downArrow(), Qt::LeftButton);
        QCOMPARE(p->WKUPM->text(), QStringLiteral("299"));
        QCOMPARE(p->SL_WakeUpM->value(), 299);
        // An empty divider counts as 0: the step down writes -1, which the step limits to 0.
        p->WKUPD->clear();
        QTest::mouseClick(p->UD_WakeUpD->downArrow(), Qt::LeftButton);
        QCOMPARE(p->WKUPD->text(), QStringLiteral("0"));
        p->pm2->setCheckState(Qt::Checked);
        QTest::mouseClick(p->UD_LBD->upArrow(), Qt::LeftButton);
        QCOMPARE(p->LBD->text(), QStringLiteral("4"));
        QCOMPARE(p->LBDw->text(), QStringLiteral("C214"));
    }

    void aCrystalChangeRescalesTheLists() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        p->NonStdCrystal->setChecked(true);
        enter(p->Crystalfreq, "12");
        QCOMPARE(p->GetXtalFrequency(), 12000000);
        QStringList clock;
        for (int i = 0; i < p->CLKout->count(); ++i)
            clock << p->CLKout->itemText(i);
        QCOMPARE(clock, (QStringList{"1.2", "1.5", "1.992", "2.4", "3", "3.996", "6", "12"}));
        QCOMPARE(p->ModFreq->itemText(0), QStringLiteral("24"));
        QCOMPARE(p->ModFreq->itemText(7), QStringLiteral("192"));
        QCOMPARE(p->Ctrlw->text(), QStringLiteral("9080"));
        QCOMPARE(p->WKUPTIME->text(), QStringLiteral("250"));
        QCOMPARE(p->FreqStep->text(), QStringLiteral("24"));
        // The rate shown follows the crystal; its word does not change.
        QCOMPARE(p->TB_DataRateValue->text(), QStringLiteral("20.69"));
        QCOMPARE(p->TB_DataRateCmd->text(), QStringLiteral("C813"));
    }
};

QTEST_MAIN(HT539PanelTest)
#include "tst_ht539panel.moc"
