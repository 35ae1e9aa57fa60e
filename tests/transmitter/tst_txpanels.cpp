#include "txtesthelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QToolButton>

using namespace krv;
using test::enter;
using test::everyWord;

class TransmitterPanelsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startWords_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("centre");
        QTest::addColumn<int>("powerEntries");
        QTest::newRow("HT531 D") << "MivraV2"
                                 << "'D' or above"
                                 << QStringList{"8080", "A7D0", "B0", "C000", "C200", "E000"}
                                 << "315" << 8;
        QTest::newRow("HT531 C") << "MivraV2"
                                 << "'C' or below"
                                 << QStringList{"8080", "A7D0", "B0", "C000", "C200", "E000"}
                                 << "315" << 4;
        QTest::newRow("HT537") << "PelkoV1"
                               << "'A' or above" << QStringList{"8880", "A7D0", "B0",   "C000",
                                                                "C200", "E000", "C800", "D200"}
                               << "435" << 8;
    }
    void startWords() {
        QFETCH(QString, form);
        QFETCH(QString, revision);
        QFETCH(QStringList, words);
        QFETCH(QString, centre);
        QFETCH(int, powerEntries);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.main().Pref_MivraRevision = revision;
        rig.board().clearReceived();
        auto* panel = rig.main().form<PowerSettingPanel>(form);
        QVERIFY(panel);
        QCOMPARE(everyWord(panel), words);
        QCOMPARE(panel->FreqCenter->text(), centre);
        QCOMPARE(panel->FreqStep->text(), QStringLiteral("2.5"));
        QCOMPARE(panel->Cxtal->currentText(), QStringLiteral("12.5 pF"));
        QCOMPARE(panel->CLKout->currentText(), QStringLiteral("1"));
        QCOMPARE(panel->ModFreq->currentText(), QStringLiteral("30"));
        QCOMPARE(panel->ModPol->currentText(), QStringLiteral("fo + df"));
        QCOMPARE(panel->Modulation->currentText(), QStringLiteral("FSK"));
        QCOMPARE(panel->OutputPower->count(), powerEntries);
        QCOMPARE(panel->Revision->currentText(), revision);
        QCOMPARE(panel->LBD->text(), QStringLiteral("0"));
        QCOMPARE(panel->LBDV->text(), QStringLiteral("2.2"));
        QCOMPARE(panel->WKUPTIME->text(), QStringLiteral("0"));
        QCOMPARE(panel->findChild<QLabel*>("Label7")->text(), QStringLiteral("sec"));
        QCOMPARE(panel->Statusline->text(),
                 QStringLiteral("Update chip control words, and power management settings!"));
        QVERIFY(!panel->LabelUpdate->isHidden());
        QVERIFY(panel->LabelCalibration->isHidden());
        QVERIFY(!panel->Crystalfreq->isEnabled());
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("10"));
        QVERIFY(!panel->WKUPM->isEnabled() && !panel->LBD->isEnabled());
        QVERIFY(!panel->Label38->isHidden() && !panel->Label39->isHidden());
        QCOMPARE(panel->GetXtalFrequency(), 10000000);
        QVERIFY(rig.board().receivedLines().isEmpty());
        if (auto* pelko = qobject_cast<PelkoV1*>(panel)) {
            QCOMPARE(pelko->DATARATE->text(), QStringLiteral("344.828"));
            QCOMPARE(pelko->CB_MaxDataRate->currentText(), QStringLiteral("68.9"));
            QCOMPARE(pelko->TB_PHNoise->text(), QStringLiteral("-107"));
            QVERIFY(!pelko->CB_dwc->isEnabled());
        }
    }

    void updateSendsTheWordsInOrder_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("HT531") << "MivraV2" << QStringList{"S28080", "S2A7D0", "S1B0",
                                                           "S2C000", "S2C200", "S2E000"};
        QTest::newRow("HT537") << "PelkoV1" << QStringList{"S28880", "S2A7D0", "S1B0",   "S2C000",
                                                           "S2C220", "S2E000", "S2C800", "S2D200"};
    }
    void updateSendsTheWordsInOrder() {
        QFETCH(QString, form);
        QFETCH(QStringList, lines);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<TransmitterPanel>(form);
        if (panel->CB_ebs)
            panel->CB_ebs->setCheckState(Qt::Checked);
        QCOMPARE(panel->TXBitSinchOn, 0);
        rig.board().clearReceived();
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QVERIFY(test::waitForLines(rig, int(lines.size())));
        QCOMPARE(rig.board().receivedLines(), lines);
        QVERIFY(panel->LabelUpdate->isHidden());
        QCOMPARE(panel->TXBitSinchOn, panel->CB_ebs ? 1 : 0);
        QCOMPARE(panel->property("TXBitSinchOn").toInt(), panel->CB_ebs ? 1 : 0);
    }

    void statusReadLightsTheByteAndPollReadsCharacterSeven() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        sim::TransmitterChip& chip = test::transmitterChip(rig);
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        chip.setStatusByte(0xA5);
        rig.board().clearReceived();
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(test::waitForLines(rig, 6));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"H2", "L2", "WSCC", "L0", "RS", "H2"}));
        const QStringList captions{"POR", "PB1", "PB2", "PB3", "PB4", "LBD", "WK-UP", "nIRQ"};
        for (int i = 1; i <= 8; ++i) {
            QCOMPARE(panel->status[i]->text(), captions[i - 1]);
            QCOMPARE(panel->status[i]->isEnabled(), QList<int>({1, 3, 6, 8}).contains(i));
        }
        QVERIFY(!panel->status[9]);
        QCOMPARE(panel->Text3->text(), QStringLiteral("Chip Status:"));

        // The level ("0" when pending) is read at character 7; character 3 says the opposite.
        bool pending = true;
        rig.board().addCommand("RI", [&](const QString&) -> sim::Reply {
            return pending ? test::interruptReply('1', '0') : test::interruptReply('0', '1');
        });
        rig.board().clearReceived();
        for (bool level : {true, false}) {
            pending = level;
            QTest::mouseClick(panel->IRQpoll, Qt::LeftButton);
            QVERIFY(test::waitUntil(
                [&] { return panel->IRQ->isEnabled() == level && rig.main().CommState == 0; }));
        }
        QCOMPARE(rig.board().receivedLines(), (QStringList{"RI", "RI"}));
    }

    void calibration_data() {
        QTest::addColumn<bool>("synthesizerOn");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("word");
        QTest::newRow("pm4 on") << true << QStringList{"S2C004", "S2C014"} << "C014";
        QTest::newRow("pm4 off") << false << QStringList{"S2C004", "S2C014", "S2C004"} << "C004";
    }
    void calibration() {
        QFETCH(bool, synthesizerOn);
        QFETCH(QStringList, lines);
        QFETCH(QString, word);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        panel->pm2->setChecked(true);
        panel->pm4->setChecked(synthesizerOn);
        panel->Band868->setChecked(true);
        // With an update pending the calibration mark stays.
        rig.board().clearReceived();
        QTest::mouseClick(panel->CalibratePLL, Qt::LeftButton);
        QCOMPARE(rig.board().receivedLines(), lines);
        QVERIFY(!panel->LabelCalibration->isHidden());
        QCOMPARE(panel->PowerMw->text(), word);
        QCOMPARE(panel->es, synthesizerOn ? 16L : 0L);
        panel->Update_Click();
        rig.board().clearReceived();
        QTest::mouseClick(panel->CalibratePLL, Qt::LeftButton);
        QCOMPARE(rig.board().receivedLines(), lines);
        QVERIFY(panel->LabelCalibration->isHidden());
        QVERIFY(panel->LabelUpdate->isHidden());
    }

    void theMainStatusReadsReading() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        QLineEdit* status = rig.main().CommStatus;
        QStringList whileSending;
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, &rig.board(),
                [&] { whileSending << status->text(); });
        // Update and calibration write it before their first line.
        for (QPushButton* button : {panel->Update, panel->CalibratePLL}) {
            rig.main().setCommStatus(QStringLiteral("Comm. OK"));
            whileSending.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(test::waitUntil([&] { return rig.main().CommState == 0; }));
            QVERIFY(!whileSending.isEmpty());
            QCOMPARE(whileSending.first(), QStringLiteral("reading..."));
        }
        // The supply line writes it once its reply is in, and it stays.
        rig.main().setCommStatus(QStringLiteral("Comm. OK"));
        rig.board().clearReceived();
        enter(panel->PowerSupply, "3");
        QVERIFY(test::waitForLines(rig, 1));
        QCOMPARE(rig.board().receivedLines(), QStringList{"V98"});
        QCOMPARE(status->text(), QStringLiteral("reading..."));
    }

    void closedPortRefusesWithOneMessageEach() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        panel->Update_Click();
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
        QVERIFY(!panel->LabelUpdate->isHidden());
        panel->CalibratePLL_Click();
        // Enter and then leaving the box: one message.
        panel->Statusline->setText(" ");
        enter(panel->PowerSupply, "3");
        QFocusEvent leaving(QEvent::FocusOut);
        QCoreApplication::sendEvent(panel->PowerSupply, &leaving);
        panel->ReadStatus_Click();
        panel->IRQpoll_Click();
        QCOMPARE(rig.messageTexts(),
                 (QStringList{"Commport not available, please open commport. Control words were "
                              "not updated.",
                              "Commport not available, please open commport. Synthesizer was not "
                              "calibrated!",
                              "Commport not available, please open commport. PSU setting was not "
                              "updated.",
                              "Commport not available, Loadboard not connected!",
                              "Commport not available, Loadboard not connected!"}));
        QVERIFY(!panel->Timer3->isActive() && !panel->Timer1->isActive());
    }

    void busyTransactionIsRefused() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        panel->IRQpoll_Click();
        panel->ReadStatus_Click();
        QCOMPARE(rig.messageTexts(), QStringList{"Commport is busy. Please retry later!"});
        QVERIFY(test::waitUntil([&] { return rig.main().CommState == 0; }));
    }

    void menusOpenThePanels() {
        test::Rig rig;
        rig.start();
        ISMmain& main = rig.main();
        main.mnuViewTx0->trigger();
        auto* mivra = main.loadedForm<MivraV2>("MivraV2");
        QVERIFY(mivra && !main.frameOf(mivra)->isHidden() && main.TX0on);
        QCOMPARE(mivra->windowTitle(), QStringLiteral("HT531 transmitter control panel"));
        main.mnuViewTx1->trigger();
        auto* pelko = main.loadedForm<PelkoV1>("PelkoV1");
        QVERIFY(pelko && !main.frameOf(pelko)->isHidden() && main.TX1on);
        QVERIFY(main.frameOf(mivra)->isHidden() && !main.TX0on);
        main.mnuViewTx0Bijaku->trigger();
        QCOMPARE(mivra->windowTitle(), QStringLiteral("HT531B transmitter control panel"));
        QVERIFY(!main.frameOf(mivra)->isHidden() && mivra->Band433->isHidden());
        // The chip toolbar's TX button hides the shown panel and shows it again with its settings.
        main.mnuViewTx1->trigger();
        pelko->Band915->setChecked(true);
        main.Toolbar1_ButtonClick(QStringLiteral("TX"));
        QVERIFY(main.frameOf(pelko)->isHidden() && !main.TX1on);
        main.Toolbar1_ButtonClick(QStringLiteral("TX"));
        QVERIFY(!main.frameOf(pelko)->isHidden() && main.TX1on);
        QVERIFY(pelko->Band915->isChecked());
        // Unloading runs the hide procedure.
        main.unloadForm("MivraV2");
        QVERIFY(!main.TX0on && !main.loadedForm("MivraV2"));
    }

    void workspaceRestoresThePanel_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("viewItem");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("HT531") << "MivraV2"
                               << "mnuViewTx0"
                               << "HT531"
                               << QStringList{"8080", "A7D0", "B0", "C000", "C200", "E000"};
        QTest::newRow("HT537") << "PelkoV1"
                               << "mnuViewTx1"
                               << "HT537" << QStringList{"8880", "A7D0", "B0",   "C000",
                                                         "C200", "E000", "C800", "D200"};
    }
    void workspaceRestoresThePanel() {
        QFETCH(QString, form);
        QFETCH(QString, viewItem);
        QFETCH(QString, caption);
        QFETCH(QStringList, words);
        test::Rig rig;
        rig.writeSettings();
        rig.start();
        rig.main().show();
        rig.main().findChild<QAction*>(viewItem)->trigger();
        auto* panel = rig.main().loadedForm<PowerSettingPanel>(form);
        QVERIFY(panel);
        panel->Band868->setChecked(true);
        rig.main().frameOf(panel)->move(30, 20);
        rig.main().mnuSaveWorkspace->trigger();

        rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
        ISMmain& restarted = rig.start();
        auto* restored = restarted.loadedForm<PowerSettingPanel>(form);
        QVERIFY(restored);
        QVERIFY(restarted.frameOf(restored)->isVisibleTo(&restarted));
        QCOMPARE(restarted.frameOf(restored)->pos(), QPoint(30, 20));
        QCOMPARE(restarted.TX0on, form == QStringLiteral("MivraV2"));
        QCOMPARE(restarted.TX1on, form == QStringLiteral("PelkoV1"));
        QCOMPARE(restarted.TXButton->text(), caption);
        QVERIFY(restarted.findChild<QAction*>(viewItem)->isChecked());
        // The workspace keeps places, not settings: the panel starts afresh.
        QCOMPARE(everyWord(restored), words);
        QVERIFY(!restored->LabelUpdate->isHidden());
        QVERIFY(restored->LabelCalibration->isHidden());
    }

    void panelsFitTheScreen() {
        test::Rig rig;
        rig.start();
        rig.main().resize(1800, 1060);
        rig.main().show();
        for (const QString& name : {QStringLiteral("MivraV2"), QStringLiteral("PelkoV1")}) {
            QWidget* panel = rig.main().form(name);
            QMdiSubWindow* frame = rig.main().frameOf(panel);
            rig.main().showForm(panel);
            frame->resize(frame->sizeHint());
            const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
            if (!out.isEmpty())
                panel->grab().save(out + u'/' + name + QStringLiteral(".png"));
            QVERIFY2(
                frame->width() <= 1600 && frame->height() <= 1050,
                qPrintable(QStringLiteral("%1 x %2").arg(frame->width()).arg(frame->height())));
            rig.main().hideForm(panel);
        }
    }
};

QTEST_MAIN(TransmitterPanelsTest)
#include "tst_txpanels.moc"
