#include "txtesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using namespace krv;
using test::enter;

namespace {

template <typename T> T* openPanel(test::Rig& rig, const char* form) {
    rig.start();
    return rig.main().form<T>(QString::fromLatin1(form));
}

} // namespace

class TransmitterConversionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void centreFrequencyRoundsAndClamps_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("status");
        QTest::newRow("2000.5 to even") << "435.00125"
                                        << "A7D0"
                                        << "435"
                                        << "earlier";
        QTest::newRow("2001.5 to even") << "435.00375"
                                        << "A7D2"
                                        << "435.005"
                                        << "earlier";
        QTest::newRow("above the band") << "500"
                                        << "AF3F"
                                        << "439.7575"
                                        << "Maximum frequency reached!";
        QTest::newRow("no number") << "abc"
                                   << "A060"
                                   << "430.24"
                                   << "Minimum frequency reached!";
    }
    void centreFrequencyRoundsAndClamps() {
        QFETCH(QString, typed);
        QFETCH(QString, word);
        QFETCH(QString, shown);
        QFETCH(QString, status);
        test::Rig rig;
        auto* panel = openPanel<MivraV2>(rig, "MivraV2");
        panel->Band433->setChecked(true);
        // The HT531 panel leaves an earlier message standing when the frequency is in range.
        panel->Statusline->setText("earlier");
        enter(panel->FreqCenter, typed);
        QCOMPARE(panel->Freqw->text(), word);
        QCOMPARE(panel->FreqCenter->text(), shown);
        QCOMPARE(panel->Statusline->text(), status);
    }

    void htx537ClearsTheStatusLineOnEveryFrequency() {
        test::Rig rig;
        auto* panel = openPanel<PelkoV1>(rig, "PelkoV1");
        panel->Statusline->setText("earlier");
        enter(panel->FreqCenter, "435.00375");
        QCOMPARE(panel->Statusline->text(), QStringLiteral(" "));
        QCOMPARE(panel->Freqw->text(), QStringLiteral("A7D2"));
    }

    void bandChangeKeepsTheFieldAndMovesTheFrequency() {
        test::Rig rig;
        auto* panel = openPanel<MivraV2>(rig, "MivraV2");
        const QStringList shown{"315", "435", "870", "915"};
        const QStringList steps{"2.5", "2.5", "5", "7.5"};
        const QList<QRadioButton*> bands{panel->Band315, panel->Band433, panel->Band868,
                                         panel->Band915};
        for (int i = 3; i >= 0; --i) {
            bands[i]->setChecked(true);
            QCOMPARE(panel->Freqw->text(), QStringLiteral("A7D0"));
            QCOMPARE(panel->FreqCenter->text(), shown[i]);
            QCOMPARE(panel->FreqStep->text(), steps[i]);
            QCOMPARE(panel->Ctrlw->text(), QString::number(0x8080 + 0x800 * i, 16).toUpper());
            QVERIFY(!panel->LabelCalibration->isHidden());
        }
        enter(panel->FreqCenter, panel->FreqCenter->text());
        QCOMPARE(panel->Freqw->text(), QStringLiteral("A7D0"));
    }

    void crystalChangeRederivesEverything() {
        test::Rig rig;
        auto* panel = openPanel<MivraV2>(rig, "MivraV2");
        panel->CLKout->setCurrentIndex(3);
        panel->WKUPM->setText("150");
        panel->WKUPR->setText("1");
        panel->WKUPM_LostFocus();
        panel->NonStdCrystal->setChecked(true);
        enter(panel->Crystalfreq, "11.0592");
        // Other windows ask by name.
        int hz = 0;
        QVERIFY(QMetaObject::invokeMethod(panel, "GetXtalFrequency", Q_RETURN_ARG(int, hz)));
        QCOMPARE(hz, 11059200);
        // 315 MHz lies below the band of this crystal.
        QCOMPARE(panel->Freqw->text(), QStringLiteral("A060"));
        QCOMPARE(panel->FreqCenter->text(), QStringLiteral("343.1006"));
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Minimum frequency reached!"));
        QCOMPARE(panel->FreqStep->text(), QStringLiteral("2.7648"));
        QCOMPARE(panel->CLKout->currentIndex(), 0);
        QCOMPARE(panel->CLKout->itemText(1), QStringLiteral("1.3824"));
        QCOMPARE(panel->ModFreq->itemText(0), QStringLiteral("33.1776"));
        QCOMPARE(panel->WKUPTIME->text(), QStringLiteral("0.271"));
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("8080"));

        // Centre frequencies inside the band of each crystal, so that only the crystal reports.
        panel->FreqCenter->setText("250");
        enter(panel->Crystalfreq, "7");
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("8"));
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Minimum crystal frequency reached!"));
        QCOMPARE(panel->GetXtalFrequency(), 8000000);
        panel->FreqCenter->setText("375");
        enter(panel->Crystalfreq, "12.0000004");
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("12"));
        QCOMPARE(panel->Statusline->text(), QStringLiteral(" "));
        QCOMPARE(panel->Freqw->text(), QStringLiteral("A3E8"));
        panel->FreqCenter->setText("250");
        enter(panel->Crystalfreq, "x");
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("8"));
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Minimum crystal frequency reached!"));

        // The standard crystal keeps the typed text, greyed.
        panel->StdCrystal->setChecked(true);
        QCOMPARE(panel->GetXtalFrequency(), 10000000);
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("8"));
        QVERIFY(!panel->Crystalfreq->isEnabled());
    }

    void crystalChangeRedisplaysTheDataRate() {
        test::Rig rig;
        auto* panel = openPanel<PelkoV1>(rig, "PelkoV1");
        panel->NonStdCrystal->setChecked(true);
        enter(panel->Crystalfreq, "12");
        QCOMPARE(panel->DATARATE->text(), QStringLiteral("413.793"));
        QCOMPARE(panel->Dataratew->text(), QStringLiteral("C800"));
    }

    void loadCapacitanceTakesOnlyAnEntry() {
        test::Rig rig;
        auto* panel = openPanel<MivraV2>(rig, "MivraV2");
        panel->Cxtal->setCurrentText("12");
        QCOMPARE(panel->X, 8L);
        panel->FreqCenter->setText("316.1");
        panel->Cxtal->setCurrentText("16.0 pF");
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("80F0"));
        QCOMPARE(panel->FreqCenter->text(), QStringLiteral("316.1"));
        panel->Cxtal->setCurrentText("8.5 pF");
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("8000"));
    }

    void powerManagementInterlocks() {
        test::Rig rig;
        auto* panel = openPanel<MivraV2>(rig, "MivraV2");
        panel->pm4->setChecked(true);
        panel->pm5->setChecked(true);
        panel->pm2->setChecked(true);
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C034"));
        panel->pm7->setChecked(true);
        QVERIFY(!panel->pm4->isChecked() && !panel->pm5->isChecked());
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C084"));
        panel->pm4->setChecked(true);
        QVERIFY(!panel->pm7->isChecked());
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C014"));
        panel->pm3->setChecked(true);
        panel->pm6->setChecked(true);
        QVERIFY(!panel->pm3->isChecked());
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C054"));
        panel->pm3->setChecked(true);
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C01C"));
        QVERIFY(panel->LBD->isEnabled() && panel->Label38->isHidden());

        // The caption of pm0 toggles it; the clock list keeps its choice while greyed.
        QTest::mouseClick(panel->Label48, Qt::LeftButton);
        QVERIFY(panel->pm0->isChecked());
        QVERIFY(!panel->CLKout->isEnabled());
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C01D"));
        QTest::mouseClick(panel->Label47, Qt::LeftButton);
        QVERIFY(!panel->pm0->isChecked());

        // A greyed box counts as unchecked.
        panel->pm1->setTristate(true);
        panel->pm1->setCheckState(Qt::PartiallyChecked);
        QCOMPARE(panel->PowerMw->text(), QStringLiteral("C01C"));
        QVERIFY(!panel->WKUPM->isEnabled());
    }

    void revisionSwitchesThePowerWord() {
        test::Rig rig;
        auto* panel = openPanel<MivraV2>(rig, "MivraV2");
        panel->Modulation->setCurrentText("OOK");
        panel->OutputPower->setCurrentText("-9 dB");
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("BB"));
        panel->Revision->setCurrentText("'C' or below");
        QCOMPARE(panel->OutputPower->count(), 4);
        QCOMPARE(panel->OutputPower->currentText(), QStringLiteral("Pmax"));
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("B4"));
        panel->OutputPower->setCurrentText("-9 dB");
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("B7"));
        // A partial text switches nothing.
        panel->Revision->setCurrentText("'D'");
        QCOMPARE(panel->OutputPower->count(), 4);
        panel->Revision->setCurrentText("'D' or above");
        QCOMPARE(panel->OutputPower->count(), 8);
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("B8"));
    }

    void unknownRevisionPreferenceIsShownUnchanged() {
        test::Rig rig;
        rig.start();
        rig.main().Pref_MivraRevision = "'X'";
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        QCOMPARE(panel->Revision->currentText(), QStringLiteral("'X'"));
        QCOMPARE(panel->OutputPower->count(), 8);
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("B0"));
    }

    void lowBatteryFields_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<QString>("volts");
        QTest::addColumn<QString>("word");
        QTest::newRow("T above 31") << "MivraV2"
                                    << "LBD"
                                    << "40"
                                    << "31"
                                    << "5.3"
                                    << "C21F";
        QTest::newRow("T below 0") << "MivraV2"
                                   << "LBD"
                                   << "-3"
                                   << "0"
                                   << "2.2"
                                   << "C200";
        QTest::newRow("volts above 5.3") << "MivraV2"
                                         << "LBDV"
                                         << "9"
                                         << "31"
                                         << "5.3"
                                         << "C21F";
        QTest::newRow("volts below 2.2") << "PelkoV1"
                                         << "LBDV"
                                         << "1"
                                         << "0"
                                         << "2.2"
                                         << "C200";
        QTest::newRow("volts to tenths") << "PelkoV1"
                                         << "LBDV"
                                         << "2.74"
                                         << "5"
                                         << "2.7"
                                         << "C205";
    }
    void lowBatteryFields() {
        QFETCH(QString, form);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, threshold);
        QFETCH(QString, volts);
        QFETCH(QString, word);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<PowerSettingPanel>(form);
        panel->pm2->setChecked(true);
        enter(panel->findChild<QLineEdit*>(box), typed);
        QCOMPARE(panel->LBD->text(), threshold);
        QCOMPARE(panel->LBDV->text(), volts);
        QCOMPARE(panel->LBDw->text(), word);
    }

    void wakeUpUnits_data() {
        QTest::addColumn<QString>("m");
        QTest::addColumn<QString>("r");
        QTest::addColumn<QStringList>("shown"); // WKUPM, WKUPR, WKUPTIME, Label7
        QTest::addColumn<QString>("word");
        QTest::newRow("M clamped") << "300"
                                   << "1" << QStringList{"255", "1", "0.51", "sec"} << "E1FF";
        QTest::newRow("minutes") << "75"
                                 << "13" << QStringList{"75", "13", "10.24", "min"} << "ED4B";
        QTest::newRow("hours") << "255"
                               << "18" << QStringList{"255", "18", "18.569", "hrs"} << "F2FF";
        QTest::newRow("R clamped, days")
            << "255"
            << "30" << QStringList{"255", "23", "24.758", "days"} << "F7FF";
        QTest::newRow("below 0") << "-2"
                                 << "-1" << QStringList{"0", "0", "0", "sec"} << "E000";
    }
    void wakeUpUnits() {
        QFETCH(QString, m);
        QFETCH(QString, r);
        QFETCH(QStringList, shown);
        QFETCH(QString, word);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<PowerSettingPanel>("PelkoV1");
        panel->pm1->setChecked(true);
        panel->WKUPM->setText(m);
        enter(panel->WKUPR, r);
        QCOMPARE((QStringList{panel->WKUPM->text(), panel->WKUPR->text(), panel->WKUPTIME->text(),
                              panel->findChild<QLabel*>("Label7")->text()}),
                 shown);
        QCOMPARE(panel->Wkupw->text(), word);
    }

    void htx537Words() {
        test::Rig rig;
        auto* panel = openPanel<PelkoV1>(rig, "PelkoV1");
        enter(panel->LBD, "5");
        panel->CB_ebs->setChecked(true);
        QCOMPARE(panel->LBDw->text(), QStringLiteral("C225"));
        QVERIFY(!panel->CB_dwc->isEnabled());
        panel->pm1->setChecked(true);
        panel->CB_dwc->setChecked(true);
        QCOMPARE(panel->LBDw->text(), QStringLiteral("C2A5"));
        panel->pm1->setChecked(false);
        QVERIFY(!panel->CB_dwc->isEnabled());
        QCOMPARE(panel->LBDw->text(), QStringLiteral("C2A5"));

        enter(panel->DATARATEDIV, "300");
        QCOMPARE(panel->DATARATEDIV->text(), QStringLiteral("255"));
        QCOMPARE(panel->Dataratew->text(), QStringLiteral("C8FF"));
        QCOMPARE(panel->DATARATE->text(), QStringLiteral("1.347"));
        enter(panel->DATARATEDIV, "-4");
        QCOMPARE(panel->Dataratew->text(), QStringLiteral("C800"));

        panel->Modulation->setCurrentText("OOK");
        panel->OutputPower->setCurrentText("-21 dB");
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("BF"));

        panel->LabelUpdate->setVisible(false);
        panel->CB_MaxDataRate->setCurrentText("115.2");
        QCOMPARE(panel->TB_PLLCmd->text(), QStringLiteral("D280"));
        QCOMPARE(panel->TB_PHNoise->text(), QStringLiteral("-102"));
        QVERIFY(panel->LabelUpdate->isHidden());
        QCOMPARE(panel->TXBitSinchOn, 0);
    }

    void htx531BLayout() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        panel->Band868->setChecked(true);
        rig.main().SetBijakuMode(true);
        panel->SetFrameMode();
        QCOMPARE(panel->windowTitle(), QStringLiteral("HT531B transmitter control panel"));
        QVERIFY(panel->Band433->isHidden() && panel->Band868->isHidden() &&
                panel->Band915->isHidden() && panel->Revision->isHidden());
        // No empty revision box is left behind.
        QVERIFY(panel->Frame1->isHidden());
        QVERIFY(!panel->Band315->isHidden());
        QVERIFY(panel->Band868->isChecked());
        QCOMPARE(panel->B, 2L);
        const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
        if (!out.isEmpty())
            panel->grab().save(out + QStringLiteral("/MivraV2B.png"));
        rig.main().SetBijakuMode(false);
        panel->SetFrameMode();
        QCOMPARE(panel->windowTitle(), QStringLiteral("HT531 transmitter control panel"));
        QVERIFY(!panel->Band868->isHidden() && !panel->Revision->isHidden());
        QVERIFY(!panel->Frame1->isHidden());
        QVERIFY(panel->Band868->isChecked());
    }
};

QTEST_MAIN(TransmitterConversionsTest)
#include "tst_txconversions.moc"
