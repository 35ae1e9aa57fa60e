#include "app/powersupply.h"
#include "app/terminal.h"
#include "link/linkwindow.h"
#include "panels/transceiver/transceiverpanel.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

using namespace krv;
using krv::test::Rig;

namespace {

const QString lostMessage =
    QStringLiteral("Loadboard disconnected!\r\nPlease press connect again!");

// The board disappears when it receives the `nth` line starting with `prefix`.
void vanishOn(sim::BoardSimulator& board, const QString& prefix, int nth = 1) {
    auto seen = std::make_shared<int>(0);
    board.addCommand(prefix, [&board, seen, nth](const QString&) -> sim::Reply {
        if (++*seen == nth)
            board.vanish();
        return QByteArray("\n\rOK\n\r>");
    });
}

// The state the lost-board path leaves, whatever was running.
void verifyLostState(ISMmain& main) {
    QCOMPARE(main.CommStatus->text(), QStringLiteral("No comm."));
    QVERIFY(main.ConnectButton->isEnabled());
    QVERIFY(!main.DisconnectButton->isEnabled());
    QCOMPARE(main.LoadboardList->count(), 0);
    QCOMPARE(main.loadboardListText(), QStringLiteral("Press connect"));
}

} // namespace

// A board that vanishes in the middle of an operation of several lines is reported once: the
// operation's remaining lines end quietly and the operation stops.
class TestBoardLoss : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duringTheBoardSelection() {
        Rig rig;
        vanishOn(rig.board(), QStringLiteral("Z"));
        rig.writeSettings();
        ISMmain& main = rig.start();
        QVERIFY(
            krv::test::waitUntil([&] { return main.CommState == 0 && !main.link()->isBusy(); }));
        QTest::qWait(100);
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        verifyLostState(main);
    }

    void duringATerminalScript() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.mnutoolsTerminal->trigger();
        auto* terminal = main.loadedForm<Terminal>(QStringLiteral("Terminal"));
        QVERIFY(terminal);
        vanishOn(rig.board(), QStringLiteral("L"));
        rig.board().clearReceived();
        terminal->Script->setPlainText(QStringLiteral("H2\nL2\nZ3\n"));
        terminal->SendScript->click();
        QCOMPARE(rig.board().receivedLines(), (QStringList{"H2", "L2"}));
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        verifyLostState(main);
    }

    // A panel operation stops at the loss; the words it steps through on the way come back to
    // the panel's own values all the same.
    void duringAPanelOperation_data() {
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("vanishPrefix");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("wordBox");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("mark");
        QTest::newRow("Update") << QStringList() << "Update"
                                << "Z" << QStringList{"S28008", "Z3"} << QString() << QString()
                                << "LabelUpdate";
        QTest::newRow("Calibrate Synthesizer, receiver on")
            << QStringList{"chb_er"} << "CalibratePLL"
            << "S2" << QStringList{"S28208"} << "PowerW"
            << "8288"
            << "LabelCalibration";
        QTest::newRow("Reset synchron latch") << QStringList() << "FFreset"
                                              << "S2" << QStringList{"S2CA80"} << "FIFOw"
                                              << "CA82" << QString();
    }
    void duringAPanelOperation() {
        QFETCH(QStringList, checked);
        QFETCH(QString, button);
        QFETCH(QString, vanishPrefix);
        QFETCH(QString, wordBox);
        QFETCH(QString, word);
        QFETCH(QString, mark);
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* panel = main.form<YambleV3>(QStringLiteral("YambleV3"));
        QVERIFY(panel);
        for (const QString& name : std::as_const(checked))
            panel->findChild<QCheckBox*>(name)->setChecked(true);
        // A calibration is due; a calibration cut short leaves it due.
        panel->LabelCalibration->setVisible(true);
        vanishOn(rig.board(), vanishPrefix);
        rig.board().clearReceived();
        QTest::mouseClick(panel->findChild<QPushButton*>(button), Qt::LeftButton);
        QTRY_VERIFY(!main.link()->isBusy());
        QTest::qWait(100);
        QTEST(rig.board().receivedLines(), "lines");
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
        if (!wordBox.isEmpty())
            QCOMPARE(panel->findChild<QLineEdit*>(wordBox)->text(), word);
        if (!mark.isEmpty())
            QVERIFY(panel->findChild<QWidget*>(mark)->isVisibleTo(panel));
        verifyLostState(main);
    }

    void duringContinuousCurrentReadings() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* supply = main.form<frm_PowerSupply>(QStringLiteral("frm_PowerSupply"));
        QVERIFY(supply);
        vanishOn(rig.board(), QStringLiteral("AD"), 3);
        supply->ContRead->click();
        QTRY_COMPARE(main.CommStatus->text(), QStringLiteral("No comm."));
        QTRY_COMPARE(supply->ContRead->text(), QStringLiteral("Cont"));
        QTest::qWait(500);
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        verifyLostState(main);
    }

    // The data selector's entry saved by a lock outlives a lost board: the release after the
    // reconnect brings it back.
    void theSavedDataSelectorEntryComesBackAfterAReconnect() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.mnuViewTRx->trigger();
        main.CB_Mode->setCurrentIndex(1);
        main.mnutoolsRFSetup_TX->trigger();
        QVERIFY(main.loadedForm(QStringLiteral("frm_Link")));
        QCOMPARE(main.CB_Mode->currentIndex(), 0);
        QVERIFY(!main.CB_Mode->isEnabled());

        rig.board().vanish();
        QTRY_COMPARE(main.CommStatus->text(), QStringLiteral("No comm."));
        QTest::mouseClick(main.LoadboardList, Qt::LeftButton);
        QVERIFY(rig.reconnectBoard());
        rig.board().clearReceived();

        main.unloadForm(QStringLiteral("frm_Link"));
        QVERIFY(main.CB_Mode->isEnabled());
        QCOMPARE(main.CB_Mode->currentIndex(), 1);
        QCOMPARE(rig.board().receivedLines().last(), QStringLiteral("X0"));
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
    }

    // Once the user acts again, a send that meets the closed port says so as before.
    void aFreshSendAfterTheLossIsReported() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        rig.board().setFault(sim::Fault::Vanish);
        main.Send_To_LoadBoard(QStringLiteral("H2\r"));
        QTRY_COMPARE(main.CommStatus->text(), QStringLiteral("No comm."));
        QCOMPARE(main.Send_To_LoadBoard(QStringLiteral("L2\r")).outcome,
                 SendResult::Outcome::PortClosed);
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        QTest::mouseClick(main.LoadboardList, Qt::LeftButton);
        QCOMPARE(main.Send_To_LoadBoard(QStringLiteral("L2\r")).outcome,
                 SendResult::Outcome::PortClosed);
        QCOMPARE(rig.messageTexts(),
                 (QStringList{lostMessage, "Error occured:8018,Operation valid only when the port "
                                           "is open\r\nPlease try again!"}));
    }
};

QTEST_MAIN(TestBoardLoss)
#include "tst_boardloss.moc"
