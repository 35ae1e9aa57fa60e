#include "panels/transceiver/transceiverpanel.h"
#include "testsupport.h"
#include "trxtesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace krv;
using krv::test::leave;
using krv::test::words;

class TrxPanel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startWordsAndLines();
    void updateSendsEveryWord_data();
    void updateSendsEveryWord();
    void updateWithClosedPort();
    void closingReleasesLineSelectorAndSupply();
    void latchAndCwWindowEachHoldTheSelector();
    void typedPllWord();
    void calibration_data();
    void calibration();
    void resetSynchronLatch();
    void statusReadSwitchesAfcOff();
    void synchronPatternPage();
    void bVariantLayout();
    void inputsRebuildWords();
};

void TrxPanel::startWordsAndLines() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    rig.board().clearReceived();
    auto* hc913 = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    QVERIFY(hc913);
    QCOMPARE(rig.board().receivedLines(), QStringList{"Z3"});
    QCOMPARE(words(*hc913), QStringList({"8008", "A7D0", "8208", "9080", "9800", "E196", "C80E",
                                         "C000", "C4F7", "C623", "C22C", "CA80"}));
    QCOMPARE(hc913->FreqCenter->text(), "315");
    QCOMPARE(hc913->FreqStep->text(), "2.5");
    QCOMPARE(hc913->WKUPTIME->text(), "0.3");
    QCOMPARE(hc913->LBDV->text(), "2.2");
    QCOMPARE(hc913->status[1]->text(), "RGIT");
    QVERIFY(!hc913->LabelCalibration->isVisibleTo(hc913));
    QVERIFY(hc913->LabelUpdate->isVisibleTo(hc913));
    QCOMPARE(hc913->Statusline->text(),
             "Update chip control commands, and power management settings!");

    rig.board().clearReceived();
    auto* hc916 = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    QVERIFY(hc916);
    QVERIFY(rig.board().receivedLines().isEmpty());
    QCOMPARE(words(*hc916), QStringList({"8018", "A7D0", "8208", "9080", "9800", "E196", "C80E",
                                         "C000", "C4F7", "C623", "C22C", "CA80", "CC67", "CED4"}));
    QCOMPARE(hc916->FreqCenter->text(), "435");
    QVERIFY(!hc916->Band315->isVisibleTo(hc916));
    QCOMPARE(hc916->DRSSI->count(), 6);
    // A panel opens at the top left of the main window even where another window lies.
    rig.main().resize(1800, 1060);
    rig.main().show();
    rig.main().showForm(hc916);
    rig.main().unloadForm(QStringLiteral("YambleV3"));
    QWidget* again = rig.main().form(QStringLiteral("YambleV3"));
    rig.main().showForm(again);
    QCOMPARE(rig.main().frameOf(again)->pos(), QPoint(0, 0));
}

void TrxPanel::updateSendsEveryWord_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("HC913") << "YambleV3"
                           << QStringList{"S28008", "Z3",     "S2A7D0", "S28208", "S29080",
                                          "S29800", "S2E196", "S2C80E", "S2C000", "S2C4F7",
                                          "S2C623", "S2C22C", "S2CA80"};
    QTest::newRow("HC916") << "FRM_Zenth"
                           << QStringList{"S28058", "H3",     "S2A7D0", "S28208", "S29080",
                                          "S29800", "S2E196", "S2C80E", "S2C000", "S2C4F7",
                                          "S2C623", "S2C22C", "S2CA80", "S2CC67", "S2CED4"};
}

void TrxPanel::updateSendsEveryWord() {
    QFETCH(QString, form);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* panel = qobject_cast<TransceiverPanel*>(rig.main().form(form));
    if (panel->chip() == trx::Chip::HC916) {
        panel->EnRxFIFO->setChecked(true);
        // A typed PLL word that is not four digits is rebuilt before it is sent.
        panel->PLLCmd->setText(QStringLiteral("C"));
    }
    rig.board().clearReceived();
    QTest::mouseClick(panel->Update, Qt::LeftButton);
    QTEST(rig.board().receivedLines(), "lines");
    QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
    QCOMPARE(rig.main().CommStatus->text().isEmpty(), false);
    QCOMPARE(panel->TXlatchOn, 0L);
}

void TrxPanel::updateWithClosedPort() {
    test::Rig rig;
    rig.start();
    auto* panel = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    panel->Update_Click();
    QCOMPARE(rig.messageTexts(),
             QStringList{"Commport not available, please open commport. Control commands were "
                         "not updated."});
    QCOMPARE(panel->Statusline->text(), "Communication fault.");
    QVERIFY(panel->LabelUpdate->isVisibleTo(panel));
    // The synchron latch and the calibration refuse with their own texts and change nothing.
    panel->FFreset_Click();
    panel->CalibratePLL_Click();
    QCOMPARE(rig.messageTexts().mid(1),
             QStringList({"Commport not available, please open commport. FIFO was not reset.",
                          "Commport not available, please open commport. Synthesizer was not "
                          "calibrated!"}));
    QVERIFY(!panel->ffillen->isChecked());
    QCOMPARE(panel->FIFOw->text(), "CA80");
    QCOMPARE(panel->PowerW->text(), "8208");
    for (const auto& message : rig.dialogs().messages)
        QCOMPARE(message.icon, Dialogs::Icon::Exclamation);
}

void TrxPanel::closingReleasesLineSelectorAndSupply() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    p->EnTXLatch->setChecked(true);
    p->Update_Click();
    QCOMPARE(p->TXlatchOn, 1L);
    QVERIFY(!rig.main().CB_Mode->isEnabled());
    p->PB_PowerSupply_Click();
    QVERIFY(rig.main().PowerSupplyOn);
    rig.board().clearReceived();
    rig.main().unloadForm(QStringLiteral("FRM_Zenth"));
    QCOMPARE(rig.board().receivedLines(), QStringList{"Z3"});
    QVERIFY(rig.main().CB_Mode->isEnabled());
    QVERIFY(!rig.main().PowerSupplyOn);
    QVERIFY(!rig.main().loadedForm(QStringLiteral("frm_PowerSupply")));
}

void TrxPanel::latchAndCwWindowEachHoldTheSelector() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.Zenth_show();
    auto* p = main.loadedForm<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    main.CB_Mode->setCurrentIndex(1);
    p->EnTXLatch->setChecked(true);
    p->Update_Click();
    QVERIFY(!main.CB_Mode->isEnabled());

    // The CW window comes and goes while the latch is in use: the latch still holds the lock.
    main.showToolWindow(QStringLiteral("frm_Link_RX"));
    QVERIFY(main.loadedForm(QStringLiteral("frm_Link_RX")));
    main.unloadForm(QStringLiteral("frm_Link_RX"));
    QVERIFY(!main.CB_Mode->isEnabled());
    QCOMPARE(main.CB_Mode->currentIndex(), 0);

    // The latch goes off while the CW window is open: the window still holds it.
    main.showToolWindow(QStringLiteral("frm_Link_RX"));
    p->EnTXLatch->setChecked(false);
    p->Update_Click();
    QVERIFY(!main.CB_Mode->isEnabled());
    rig.board().clearReceived();
    main.unloadForm(QStringLiteral("frm_Link_RX"));
    QVERIFY(main.CB_Mode->isEnabled());
    QCOMPARE(main.CB_Mode->currentIndex(), 1);
    QCOMPARE(rig.board().receivedLines().value(rig.board().receivedLines().size() - 1), "X0");
}

void TrxPanel::typedPllWord() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    p->Update_Click();
    p->PLLCmd->selectAll();
    QTest::keyClicks(p->PLLCmd, QStringLiteral("cz-c6f9"));
    // Only hexadecimal digits are taken, four at most, and typing is no setting change.
    QCOMPARE(p->PLLCmd->text(), "cc6f");
    QVERIFY(!p->LabelUpdate->isVisibleTo(p));
    rig.board().clearReceived();
    p->Update_Click();
    QCOMPARE(rig.board().receivedLines().value(13), "S2cc6f");
    // A PLL control rebuilds the word from the settings.
    p->CB_DDY->setChecked(true);
    QCOMPARE(p->PLLCmd->text(), "CC6F");
    p->PLLCmd->selectAll();
    QTest::keyClicks(p->PLLCmd, QStringLiteral("AB"));
    rig.board().clearReceived();
    p->Update_Click();
    QCOMPARE(rig.board().receivedLines().value(13), "S2CC6F");
    QCOMPARE(p->PLLCmd->text(), "CC6F");
}

void TrxPanel::calibration_data() {
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("oscillator only") << QStringList{} << QStringList{"S28208", "S28218", "S28208"};
    QTest::newRow("receiver on") << QStringList{"chb_er"} << QStringList{"S28208", "S28288"};
    QTest::newRow("transmitter and synthesizer on")
        << QStringList{"chb_et", "chb_es"} << QStringList{"S28208", "S28238"};
}

void TrxPanel::calibration() {
    QFETCH(QStringList, checked);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* panel = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    for (const QString& name : checked)
        panel->findChild<QCheckBox*>(name)->setChecked(true);
    panel->Band433->setChecked(true);
    QVERIFY(panel->LabelCalibration->isVisibleTo(panel));
    panel->Update_Click();
    rig.board().clearReceived();
    const QString before = panel->PowerW->text();
    QTest::mouseClick(panel->CalibratePLL, Qt::LeftButton);
    QTEST(rig.board().receivedLines(), "lines");
    QCOMPARE(panel->PowerW->text(), before);
    QCOMPARE(panel->PowerMwData, before.toLong(nullptr, 16));
    QVERIFY(!panel->LabelCalibration->isVisibleTo(panel));
}

void TrxPanel::resetSynchronLatch() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* panel = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    panel->Update_Click();
    rig.board().clearReceived();
    QTest::mouseClick(panel->FFreset, Qt::LeftButton);
    QCOMPARE(rig.board().receivedLines(), QStringList({"S2CA80", "S2CA82"}));
    QVERIFY(panel->ffillen->isChecked());
    QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
    panel->ITLEVEL->setValue(9);
    QVERIFY(panel->LabelUpdate->isVisibleTo(panel));
    QCOMPARE(panel->FIFOw->text(), "CA92");
}

void TrxPanel::statusReadSwitchesAfcOff() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    p->Update_Click();
    rig.board().setStatusWord(0x801F);
    rig.board().clearReceived();
    p->ReadStatus_Click();
    QVERIFY(test::waitUntil([&] { return rig.main().CommState == 0 && !p->StatusReadActive; }));
    QCOMPARE(rig.board().receivedLines(),
             QStringList({"S2C4F6", "S2C4F6", "H2", "L2", "L0", "RS", "RS", "H2", "S2C4F7"}));
    QVERIFY(p->afcen->isChecked());
    QCOMPARE(p->AFCw->text(), "C4F7");
    QVERIFY(!p->LabelUpdate->isVisibleTo(p));
    QCOMPARE(p->Foffset->text(), "-2.5");
}

void TrxPanel::synchronPatternPage() {
    test::Rig rig;
    rig.start();
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    p->SynchPattern->setCurrentIndex(1);
    QCOMPARE(p->FIFOw->text(), "CA88");
    leave(p->TB_SP, QStringLiteral("A5"));
    p->LabelUpdate->setVisible(false);
    p->TabStrip1->setCurrentIndex(6);
    QCOMPARE(p->CurrentTab, 7L);
    QCOMPARE(p->SynchPattern->itemText(0), "2DA5");
    QCOMPARE(p->SynchPattern->currentIndex(), 0);
    QCOMPARE(p->FIFOw->text(), "CA80");
    QVERIFY(p->LabelUpdate->isVisibleTo(p));
}

void TrxPanel::bVariantLayout() {
    test::Rig rig;
    rig.start();
    auto* panel = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    panel->Band868->setChecked(true);
    const QStringList before = words(*panel);
    rig.main().SetBijakuMode(true);
    panel->SetFrameMode();
    QCOMPARE(panel->windowTitle(), "HC913B Transceiver control panel");
    QVERIFY(panel->Band315->isVisibleTo(panel));
    for (QRadioButton* band : {panel->Band433, panel->Band868, panel->Band915})
        QVERIFY(!band->isVisibleTo(panel));
    QVERIFY(!panel->Revision->isVisibleTo(panel));
    QVERIFY(panel->Band868->isChecked());
    QCOMPARE(words(*panel), before);
    rig.main().SetBijakuMode(false);
    panel->SetFrameMode();
    QCOMPARE(panel->windowTitle(), "HC913 Transceiver control panel");
    QVERIFY(panel->Band915->isVisibleTo(panel) && panel->Revision->isVisibleTo(panel));

    auto* hc916 = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    const QStringList hc916Words = words(*hc916);
    hc916->SetFrameMode();
    QCOMPARE(words(*hc916), hc916Words);
}

void TrxPanel::inputsRebuildWords() {
    test::Rig rig;
    rig.start();
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    leave(p->FreqCenter, QStringLiteral("434"));
    QCOMPARE(p->Freqw->text(), "A640");
    p->Band868->setChecked(true);
    QCOMPARE(p->FreqCenter->text(), "868");
    QCOMPARE(p->Freqw->text(), "A640");
    QCOMPARE(p->Ctrlw->text(), "8028");
    p->NonStdCrystal->setChecked(true);
    leave(p->Crystalfreq, QStringLiteral("12.5"));
    QCOMPARE(p->Crystalfreq->text(), "12");
    // 868 MHz lies below the band of a 12 MHz crystal: the centre frequency clamp speaks last.
    QCOMPARE(p->Statusline->text(), "Minimum frequency reached!");
    QCOMPARE(p->ModFreq->currentText(), "18");
    QCOMPARE(p->FreqStep->text(), "6");
    QCOMPARE(p->WKUPTIME->text(), "0.25");
    QCOMPARE(p->Wkupw->text(), "E196");
    p->chb_ew->setChecked(true);
    QVERIFY(p->WKUPM->isEnabled());
    leave(p->WKUPR, QStringLiteral("40"));
    QCOMPARE(p->WKUPR->text(), "29");
    leave(p->DATARATEDIV, QStringLiteral("13.5"));
    QCOMPARE(p->Dataratew->text(), "C60E");
    p->StatefiltNr->setText(QStringLiteral("0"));
    QCOMPARE(p->StatefiltNr->text(), "1");
    QCOMPARE(p->STATEFILT->value(), 1);
    p->ITlevelNr->setText(QStringLiteral("20"));
    QCOMPARE(p->ITLEVEL->value(), 15);
    leave(p->LBDV, QStringLiteral("3.14"));
    QCOMPARE(p->LBD->text(), "9");
    QCOMPARE(p->LBDV->text(), "3.1");
    // The pattern byte: a5 -> A5, a leading zero stays, an empty box becomes 00.
    leave(p->TB_SP, QStringLiteral("a5"));
    QCOMPARE(p->SynchPatt->text(), "CEA5");
    leave(p->TB_SP, QStringLiteral("0A"));
    QCOMPARE(p->SynchPatt->text(), "CE0A");
    leave(p->TB_SP, QString());
    QCOMPARE(p->SynchPatt->text(), "CE00");
    p->CB_RFT->setCurrentText(QStringLiteral("3.3 MHz"));
    QCOMPARE(p->PLLCmd->text(), "CC27");
    QVERIFY(!p->ModPol->isEditable());
}

QTEST_MAIN(TrxPanel)
#include "tst_trxpanel.moc"
