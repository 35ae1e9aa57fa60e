#include "txtesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

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

        // The level sits at character 7 of the reply (and at 3, which the panel ignores).
        chip.setInterruptPending(true);
        rig.board().clearReceived();
        QTest::mouseClick(panel->IRQpoll, Qt::LeftButton);
        QVERIFY(test::waitForLines(rig, 1));
        QVERIFY(test::waitUntil([&] { return panel->IRQ->isEnabled(); }));
        chip.setInterruptPending(false);
        QTest::mouseClick(panel->IRQpoll, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !panel->IRQ->isEnabled(); }));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"RI", "RI"}));
    }
};

QTEST_MAIN(TransmitterPanelsTest)
#include "tst_txpanels.moc"
