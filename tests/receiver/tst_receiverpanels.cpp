#include "common/dialogs.h"
#include "panels/receiver/druskv1.h"
#include "panels/receiver/ovalt.h"
#include "receiverpaneltest.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

using namespace krv;

using krv::test::everyWord;
using krv::test::focusOut;
using krv::test::leave;

class ReceiverPanelsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startWords_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("HR651 F") << "DruskV1"
                                 << "'F' or above"
                                 << QStringList{"893A", "A7D0", "C0C1", "E196", "CC0E",
                                                "C200", "C6F7", "C823", "C42C", "CE85"};
        QTest::newRow("HR651 E") << "DruskV1"
                                 << "'E' or below"
                                 << QStringList{"893A", "A7D0", "C081", "E196", "CC0E",
                                                "C200", "C667", "C823", "C42C", "CE85"};
        QTest::newRow("HR658") << "Ovalt"
                               << "'F' or above"
                               << QStringList{"938A", "AD57", "C080", "E196", "CC0E",
                                              "C213", "C687", "C813", "C462", "CE87",
                                              "C300", "C1D4", "B0CA"};
    }
    void startWords() {
        QFETCH(QString, form);
        QFETCH(QString, revision);
        QFETCH(QStringList, expected);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.main().Pref_DruskRevision = revision;
        rig.board().clearReceived();
        auto* panel = qobject_cast<ReceiverPanel*>(rig.main().form(form));
        QVERIFY(panel);
        QCOMPARE(everyWord(panel), expected);
        QCOMPARE(rig.board().receivedLines(), QStringList{"H3"});
        QCOMPARE(panel->Statusline->text(),
                 QStringLiteral("Update chip control words, and power management settings!"));
        QVERIFY(!panel->LabelCalibration->isVisible());
        QCOMPARE(panel->Rev, revision == "'E' or below" ? 0L : 1L);
        // The HR658 panel's FFcmd_value only carries the interrupt level's high bits.
        QCOMPARE(panel->FFcmd_value, form == "Ovalt" ? 2L : 0xCE85L);
        if (revision == "'E' or below") {
            QCOMPARE(panel->VDI->currentText(), QStringLiteral("Clock Recovery locked"));
            QVERIFY(!panel->dataratepresc->isEnabled());
            QCOMPARE(panel->status[9]->text(), QStringLiteral("SYNC"));
        }
        if (form == "DruskV1")
            QVERIFY(!rig.main().CB_Mode->isEnabled());
        else
            QVERIFY(rig.main().CB_Mode->isEnabled());
    }

    void updateSendsEveryWordThenTheLatch_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("HR651") << "DruskV1" << QStringList{"S2893A", "S2A7D0", "S2C0C1", "S2E196",
                                                           "S2CC0E", "S2C200", "S2C6F7", "S2C823",
                                                           "S2C42C", "S2CE85", "H3"};
        QTest::newRow("HR658") << "Ovalt"
                               << QStringList{"S2938A", "S2AD57", "S2C080", "S2E196", "S2C300",
                                              "S2CC0E", "S2C213", "S2C687", "S2C813", "S2C462",
                                              "S2CE87", "S2C1D4", "H3"};
    }
    void updateSendsEveryWordThenTheLatch() {
        QFETCH(QString, form);
        QFETCH(QStringList, lines);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ReceiverPanel*>(rig.main().form(form));
        rig.board().clearReceived();
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QVERIFY(
            test::waitUntil([&] { return rig.board().receivedLines().size() >= lines.size(); }));
        QCOMPARE(rig.board().receivedLines(), lines);
        QVERIFY(panel->LabelUpdate->isHidden());

        panel->fmodeen->setCheckState(Qt::Unchecked);
        rig.board().clearReceived();
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QVERIFY(
            test::waitUntil([&] { return rig.board().receivedLines().size() >= lines.size(); }));
        QCOMPARE(rig.board().receivedLines().constLast(), QStringLiteral("Z3"));
    }

    void calibrationAndSynchronLatch() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        panel->VDI->setCurrentText("DRSSI");
        panel->enrec->setCheckState(Qt::Unchecked);
        rig.board().clearReceived();
        QTest::mouseClick(panel->CalibratePLL, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().size() >= 3; }));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"S2C000", "S2C001", "S2C000"}));
        QCOMPARE(panel->Recw->text(), QStringLiteral("C000"));
        QCOMPARE(panel->er, 0L);

        panel->Update_Click();
        panel->ffillen->setCheckState(Qt::Unchecked);
        panel->fmodeen->setCheckState(Qt::Unchecked);
        panel->LabelUpdate->setVisible(false);
        rig.board().clearReceived();
        QTest::mouseClick(panel->FFreset, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().size() >= 2; }));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"S2CE84", "S2CE87"}));
        QVERIFY(panel->ffillen->isChecked() && panel->fmodeen->isChecked());
        QVERIFY(panel->LabelUpdate->isHidden());
    }

    void statusReadAndIndicators_data() {
        QTest::addColumn<QString>("revision");
        QTest::addColumn<int>("word");
        QTest::addColumn<QList<int>>("lit");
        QTest::addColumn<QString>("offset");
        QTest::newRow("F: top and bottom bits")
            << "'F' or above" << 0x8001 << QList<int>{1, 16} << " 2.5";
        QTest::newRow("F: offset -32 steps") << "'F' or above" << 0x0020 << QList<int>{11} << "-80";
        QTest::newRow("E: shifted by one")
            << "'E' or below" << 0x0101 << QList<int>{7, 15} << " 2.5";
    }
    void statusReadAndIndicators() {
        QFETCH(QString, revision);
        QFETCH(int, word);
        QFETCH(QList<int>, lit);
        QFETCH(QString, offset);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.main().Pref_DruskRevision = revision;
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        panel->status[16]->setEnabled(false);
        rig.board().setStatusWord(quint16(word));
        rig.board().clearReceived();
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(test::waitUntil(
            [&] { return rig.main().CommState == 0 && rig.board().receivedLines().size() >= 8; }));
        const QString afcOff = revision == "'E' or below" ? "S2C665" : "S2C6F6";
        const QString afcOn = revision == "'E' or below" ? "S2C667" : "S2C6F7";
        QCOMPARE(rig.board().receivedLines(),
                 (QStringList{afcOff, "H2", "L2", "L0", "RS", "RS", "H2", afcOn}));
        for (int i = 1; i <= 15; ++i)
            QCOMPARE(panel->status[i]->isEnabled(), lit.contains(i));
        QCOMPARE(panel->status[16]->isEnabled(), lit.contains(16));
        QCOMPARE(panel->Foffset->text(), offset);
        QVERIFY(panel->afcen->isChecked());
    }

    void revisionSwitch() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        panel->dataratepresc->setCheckState(Qt::Checked);
        panel->Revision->setCurrentText("'E' or below");
        QCOMPARE(panel->Rev, 0L);
        QVERIFY(panel->status[10]->isHidden());
        QVERIFY(panel->Foffset->isHidden());
        QVERIFY(panel->findChild<QLabel*>("Labe35")->isHidden());
        QVERIFY(panel->findChild<QLabel*>("Labe36")->isHidden());
        QVERIFY(!panel->dataratepresc->isChecked());
        QCOMPARE(panel->AFCauto->currentText(), QStringLiteral("Manual"));
        QVERIFY(panel->Revision->styleSheet().contains("#ffffc0"));
        leave(panel->DATARATEDIV, "200");
        QCOMPARE(panel->Dataratew->text(), QStringLiteral("C8C8"));
        panel->Revision->setCurrentText("'F' or above");
        QCOMPARE(panel->status[9]->text(), QStringLiteral("ATGL"));
        QVERIFY(panel->Revision->styleSheet().contains("#c0ffc0"));
        QCOMPARE(panel->DATARATEDIV->text(), QStringLiteral("127"));
        QCOMPARE(panel->Dataratew->text(), QStringLiteral("C87F"));
        QVERIFY(panel->dataratepresc->isEnabled());
        QCOMPARE(panel->AFCauto->currentText(), QStringLiteral("Manual"));

        // Choosing the shown revision again, after a change made from code, runs the switch.
        QCoreApplication::processEvents();
        panel->FILTTYPE->setCurrentText("Analog LPF");
        panel->VDI->setCurrentText("DRSSI");
        Q_EMIT panel->Revision->activated(panel->Revision->currentIndex());
        QCOMPARE(panel->FILTTYPE->currentText(), QStringLiteral("Digital LPF"));
        QCOMPARE(panel->VDI->currentText(), QStringLiteral("Clock Recovery locked"));
    }

    void fillStartEnablesTheLatch_data() {
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("fifo");
        QTest::newRow("F VDI") << "'F' or above"
                               << "VDI" << true << "CE81";
        QTest::newRow("F Always") << "'F' or above"
                                  << "Always" << true << "CE8D";
        QTest::newRow("E VDI") << "'E' or below"
                               << "VDI" << false << "CE81";
        QTest::newRow("E Always") << "'E' or below"
                                  << "Always" << false << "CE8D";
        QTest::newRow("E both") << "'E' or below"
                                << "VDI & Synchron pattern" << true << "CE89";
        QTest::newRow("E pattern") << "'E' or below"
                                   << "Synchron pattern" << true << "CE85";
    }
    void fillStartEnablesTheLatch() {
        QFETCH(QString, revision);
        QFETCH(QString, start);
        QFETCH(bool, enabled);
        QFETCH(QString, fifo);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        panel->Revision->setCurrentText(revision);
        panel->FIFOstrt->setCurrentText(start);
        QCOMPARE(panel->ffillen->isEnabled(), enabled);
        QCOMPARE(panel->FFreset->isEnabled(), enabled);
        QCOMPARE(panel->FIFOw->text(), fifo);
        // A revision switch re-applies the enabling for the chosen start: "VDI" and "Always"
        // lock the latch only under the older revision.
        panel->Revision->setCurrentText(revision == "'E' or below" ? "'F' or above"
                                                                   : "'E' or below");
        QCOMPARE(panel->ffillen->isEnabled(), revision == "'E' or below");
    }

    void powerBoxesEnableTheirControls() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        auto* lbdHint = panel->findChild<QLabel*>("Label38");
        QVERIFY(!panel->LBD->isEnabled() && !lbdHint->isHidden());
        panel->enb->setCheckState(Qt::Checked);
        QVERIFY(panel->LBD->isEnabled() && panel->LBDV->isEnabled() && panel->LBDw->isEnabled());
        QVERIFY(lbdHint->isHidden());
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("8D3A"));
        // The caption labels of the clock-output box act as its caption.
        QTest::mouseClick(panel->findChild<QLabel*>("Label47"), Qt::LeftButton);
        QVERIFY(panel->disclk->isChecked());
        QVERIFY(!panel->CLKout->isEnabled());
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("8D3B"));
        QTest::mouseClick(panel->findChild<QLabel*>("Label48"), Qt::LeftButton);
        QVERIFY(!panel->disclk->isChecked());
        QVERIFY(panel->CLKout->isEnabled());
        panel->ent->setCheckState(Qt::Checked);
        QVERIFY(panel->WKUPM->isEnabled() && panel->Wkupw->isEnabled());
        QCOMPARE(panel->Wkupw->text(), QStringLiteral("E196"));
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("8F3A"));
    }

    void extendedFeaturesLeaveTheUpdateMark() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        panel->LabelUpdate->setVisible(false);
        panel->CB_PLLBW->setCurrentText("120 kHz");
        QCOMPARE(panel->EFw->text(), QStringLiteral("B0CE"));
        panel->OB_128bit->setChecked(true);
        QCOMPARE(panel->EFw->text(), QStringLiteral("B08E"));
        panel->CB_dcal->setCheckState(Qt::Checked);
        QCOMPARE(panel->EFw->text(), QStringLiteral("B09E"));
        QVERIFY(panel->LabelUpdate->isHidden());
    }

    void closingReleasesLineAndSelector() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.main().form<DruskV1>("DruskV1");
        QVERIFY(!rig.main().CB_Mode->isEnabled());
        rig.board().clearReceived();
        rig.main().unloadForm("DruskV1");
        QCOMPARE(rig.board().receivedLines(), QStringList{"Z3"});
        QVERIFY(rig.main().CB_Mode->isEnabled());
    }

    void reopenedPanelStartsAfresh() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        const QStringList start = everyWord(panel);
        panel->ITLEVEL->setValue(3);
        panel->ent->setCheckState(Qt::Unchecked);
        rig.main().unloadForm("Ovalt");
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* again = rig.main().form<Ovalt>("Ovalt");
        QCOMPARE(everyWord(again), start);
    }

    void extendedWakeUpAndFifoLevel() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        panel->WKUPD->setText("2");
        leave(panel->WKUPR, "5");
        leave(panel->WKUPM, "1000");
        QCOMPARE(panel->WKUPTIME->text(), QStringLiteral("8"));
        QCOMPARE(panel->Label8->text(), QStringLiteral("sec"));
        QCOMPARE(panel->Wkupw->text(), QStringLiteral("E5E8"));
        QCOMPARE(panel->EWkupw->text(), QStringLiteral("C383"));
        panel->ITlevelNr->setText("70");
        QCOMPARE(panel->ITlevelNr->text(), QStringLiteral("63"));
        QCOMPARE(panel->FIFOw->text(), QStringLiteral("CE87"));
        QTest::keyClick(panel->ITlevelNr, Qt::Key_Return);
        QCOMPARE(panel->FIFOw->text(), QStringLiteral("CEF7"));
        QCOMPARE(panel->EFw->text(), QStringLiteral("B0CB"));
        leave(panel->TB_SP, "a5");
        QCOMPARE(panel->SynchPatt->text(), QStringLiteral("C1A5"));
        leave(panel->TB_SP, "");
        QCOMPARE(panel->SynchPatt->text(), QStringLiteral("C100"));
    }

    void closedPortRefuses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString notUpdated = QStringLiteral(
            "Commport not available, please open commport. Control words were not updated.");
        QTest::newRow("Update") << "Update" << notUpdated;
        QTest::newRow("Calibrate") << "CalibratePLL"
                                   << "Commport not available, please open commport. Synthesizer "
                                      "was not calibrated!";
        QTest::newRow("Reset synchron latch") << "FFreset" << notUpdated;
    }
    void closedPortRefuses() {
        QFETCH(QString, button);
        QFETCH(QString, message);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        const QStringList before = everyWord(panel);
        QTest::mouseClick(panel->findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !rig.messageTexts().isEmpty(); }));
        QCOMPARE(rig.messageTexts(), QStringList{message});
        QCOMPARE(rig.dialogs().messages.constLast().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
        QCOMPARE(everyWord(panel), before);
        QVERIFY(!panel->LabelUpdate->isHidden());
    }

    void interruptPoll_data() {
        QTest::addColumn<bool>("pending");
        QTest::newRow("pending") << true;
        QTest::newRow("none") << false;
    }
    void interruptPoll() {
        QFETCH(bool, pending);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        panel->IRQ->setEnabled(!pending);
        rig.board().setInterruptPending(pending);
        rig.board().clearReceived();
        QTest::mouseClick(panel->IRQpoll, Qt::LeftButton);
        QVERIFY(test::waitUntil(
            [&] { return rig.main().CommState == 0 && !panel->Timer1->isActive(); }));
        QCOMPARE(rig.board().receivedLines(), QStringList{"RI"});
        QCOMPARE(panel->IRQ->isEnabled(), pending);
    }

    void crystalChangeRederivesTheWords_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("freqw");
        // FreqCenter, FreqStep, WKUPTIME, DATARATE, first baseband and clock output entries.
        QTest::addColumn<QStringList>("derived");
        // 868.3 MHz lies outside the 868 MHz band of both crystals: the field is clamped.
        QTest::newRow("11 MHz") << "11"
                                << "11"
                                << "Minimum frequency reached!"
                                << "A060" << QStringList{"882.112", "22",    "272.727",
                                                         "18.966",  "147.4", "1.1"};
        QTest::newRow("below 8 MHz")
            << "7"
            << "8"
            << "Maximum frequency reached!"
            << "AF3F" << QStringList{"702.448", "16", "375", "13.793", "107.2", "0.8"};
    }
    void crystalChangeRederivesTheWords() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        QFETCH(QString, freqw);
        QFETCH(QStringList, derived);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        QStringList words = everyWord(panel);
        panel->NonStdCrystal->setChecked(true);
        leave(panel->Crystalfreq, typed);
        QCOMPARE(panel->Crystalfreq->text(), shown);
        QCOMPARE(panel->Statusline->text(), message);
        QCOMPARE((QStringList{panel->FreqCenter->text(), panel->FreqStep->text(),
                              panel->WKUPTIME->text(), panel->DATARATE->text(),
                              panel->BasebandBW->itemText(0), panel->CLKout->itemText(0)}),
                 derived);
        // Only the frequency field follows the shown centre frequency; the other fields stay.
        words[1] = freqw;
        QCOMPARE(everyWord(panel), words);
        QCOMPARE(panel->GetXtalFrequency(), shown.toInt() * 1000000);
        panel->StdCrystal->setChecked(true);
        QCOMPARE(panel->FreqStep->text(), QStringLiteral("20"));
        QCOMPARE(panel->WKUPTIME->text(), QStringLiteral("300"));
    }

    void enterInTheDividerWaitsForLeaving() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        panel->ent->setCheckState(Qt::Checked);
        leave(panel->WKUPD, "7");
        QCOMPARE(panel->WKUPD->text(), QStringLiteral("7"));
        QCOMPARE(panel->EWkupw->text(), QStringLiteral("C300"));
        focusOut(panel->WKUPD);
        QCOMPARE(panel->WKUPD->text(), QStringLiteral("3"));
        QCOMPARE(panel->EWkupw->text(), QStringLiteral("C3C0"));
        QCOMPARE(panel->WKUPTIME->text(), QStringLiteral("37.5"));
    }
};

QTEST_MAIN(ReceiverPanelsTest)
#include "tst_receiverpanels.moc"
