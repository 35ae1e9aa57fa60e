#include "txtesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

using namespace krv;
using test::enter;

// The panels against a board that answers, fails, falls silent or disappears.
class TransmitterBoardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void supplyBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("status");
        QTest::newRow("2.5") << "2.5"
                             << "2.5"
                             << "V83"
                             << "";
        QTest::newRow("3.3") << "3.3"
                             << "3.3"
                             << "VA1"
                             << "";
        QTest::newRow("3") << "3"
                           << "3"
                           << "V98"
                           << "";
        QTest::newRow("1.95 rounds to 2") << "1.95"
                                          << "2"
                                          << "V64"
                                          << "";
        QTest::newRow("2.45 to even") << "2.45"
                                      << "2.4"
                                      << "V7E"
                                      << "";
        QTest::newRow("minimum") << "1.9"
                                 << "2"
                                 << "V64"
                                 << "Minimum supply voltage is 2.0 V!";
        QTest::newRow("maximum") << "6"
                                 << "5.4"
                                 << "VC6"
                                 << "Maximum supply voltage is 5.4 V!";
        QTest::newRow("format") << "3.30"
                                << "3.3"
                                << "VA1"
                                << "Incorrect Power Supply voltage format!  (3.30 V)";
        QTest::newRow("no number") << "abc"
                                   << "2"
                                   << "V64"
                                   << "Minimum supply voltage is 2.0 V!";
    }
    void supplyBox() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, line);
        QFETCH(QString, status);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        panel->Statusline->setText("");
        rig.board().clearReceived();
        enter(panel->PowerSupply, typed);
        QCOMPARE(panel->PowerSupply->text(), shown);
        QCOMPARE(rig.board().receivedLines(), QStringList{line});
        QCOMPARE(panel->Statusline->text(), status);
        QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("2.5"));
    }

    void errorEndingKeepsTheMarks() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        rig.board().addCommand(
            "S1", [](const QString&) -> sim::Reply { return QByteArray("ERROR\n\r>"); });
        rig.board().clearReceived();
        panel->Update_Click();
        QCOMPARE(rig.board().receivedLines().size(), 6);
        QVERIFY(!panel->LabelUpdate->isHidden());
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));

        // An unanswered "RS" leaves the indicators as they were and frees the lock.
        sim::TransmitterChip& chip = test::transmitterChip(rig);
        chip.setStatusByte(0xFF);
        panel->ReadStatus_Click();
        QVERIFY(test::waitUntil([&] { return rig.main().CommState == 0; }));
        QVERIFY(panel->status[1]->isEnabled());
        panel->Statusline->setText(" ");
        chip.setStatusByte(0x00);
        rig.board().addCommand("RS", [](const QString&) -> sim::Reply { return std::nullopt; });
        panel->ReadStatus_Click();
        QVERIFY(test::waitUntil([&] { return rig.main().CommState == 0; }));
        QVERIFY(panel->status[1]->isEnabled());
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
    }

    void silentLineStillSendsTheRest() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        rig.board().addCommand("S1", [](const QString&) -> sim::Reply { return std::nullopt; });
        rig.board().clearReceived();
        panel->Update_Click();
        QCOMPARE(rig.board().receivedLines().size(), 8);
        QVERIFY(!panel->LabelUpdate->isHidden());
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
        QCOMPARE(rig.main().CommState, 0L);
    }

    void boardVanishingMidReadFreesTheLock() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        rig.board().addCommand("WS", [&rig](const QString&) -> sim::Reply {
            rig.board().vanish();
            return std::nullopt;
        });
        panel->ReadStatus_Click();
        QVERIFY(test::waitUntil(
            [&] { return rig.main().CommState == 0 && !panel->Timer3->isActive(); }));
        panel->Update_Click();
        QVERIFY(!panel->LabelUpdate->isHidden());
    }

    void closingDuringAReadFreesTheLock() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.main().form<PelkoV1>("PelkoV1")->ReadStatus_Click();
        QCOMPARE(rig.main().CommState, 1L);
        rig.board().clearReceived();
        rig.main().unloadForm("PelkoV1");
        QCOMPARE(rig.main().CommState, 0L);
        QTest::qWait(250);
        QVERIFY(rig.board().receivedLines().isEmpty());
    }
};

QTEST_MAIN(TransmitterBoardTest)
#include "tst_txboard.moc"
