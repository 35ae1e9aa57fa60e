#include "app/ismmain.h"
#include "app/krvform.h"
#include "link/portmap.h"
#include "panels/common/chippanel.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace krv;
using krv::test::Rig;
using sim::Personality;

namespace {

// KRV started with the rig's board as COM 1 and `second` pinned as COM 2, both in the scan's
// range, and its scan ended.
bool startOnTwoBoards(Rig& rig, sim::BoardSimulator& second) {
    if (!second.start())
        return false;
    PortMap::pin(2, second.devicePath());
    rig.writeSettings("1", "2");
    ISMmain& main = rig.start();
    return krv::test::waitUntil([&] { return main.CommState == 0; });
}

} // namespace

class TestBoardSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void oneAnsweringBoardIsOpenedWithItsCommands_data() {
        QTest::addColumn<int>("personality");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("rev");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("board 1.x") << int(Personality::Board1) << "LoadBoard 1.x: Com1"
                                   << "1.x on Com1" << 1 << QStringList{"i", "V83", "Z3"};
        QTest::newRow("board 2.x") << int(Personality::Board2) << "LoadBoard 2.x: Com1"
                                   << "2.x on Com1" << 2 << QStringList{"i", "Z3", "V83", "X1"};
        QTest::newRow("loader") << int(Personality::Loader) << "LoadB. Loader: Com1"
                                << "LoadB. Loader: Com1" << 40 << QStringList{"i", "Z3"};
        QTest::newRow("monitor") << int(Personality::Monitor) << "Zibor Monitor: Com1"
                                 << "Zibor Monitor: Com1" << 50 << QStringList{"i", "Z3"};
    }
    void oneAnsweringBoardIsOpenedWithItsCommands() {
        QFETCH(int, personality);
        QFETCH(QString, entry);
        QFETCH(QString, board);
        QFETCH(int, rev);
        QFETCH(QStringList, lines);
        Rig rig{Personality(personality)};
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        QCOMPARE(main.loadboardListText(), entry);
        QCOMPARE(main.LoadBoard->text(), board);
        QCOMPARE(main.LoadBoardRev, rev);
        QCOMPARE(main.CommStatus->text(), QStringLiteral("Finished"));
        // The scan's identify goes out first, on the scan port.
        QCOMPARE(rig.board().receivedLines(), QStringList{"i"} + lines);
        QVERIFY(!main.ConnectButton->isEnabled());
        QVERIFY(main.DisconnectButton->isEnabled());
        QVERIFY(main.mnuView->isEnabled());
        QCOMPARE(main.Toolbar3->isHidden(), rev != 2);
        // Only a loader board offers the firmware loader.
        QCOMPARE(main.mnuload->isVisible(), rev == 40);
        QCOMPARE(main.mnuload->isEnabled(), rev == 40);
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void connectionToolbarsStandAtTheRightEdge() {
        Rig rig(Personality::Board2);
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        // Wider windows, then the chip toolbar hidden from the View menu.
        for (const int width : {1300, 1600, 1450, 1500}) {
            if (width == 1500)
                main.mnuViewToolbar->trigger();
            main.resize(width, 800);
            // The connection toolbar takes the width it needs at the right edge.
            QVERIFY(QTest::qWaitFor(
                [&] { return main.Toolbar2->x() == width - main.Toolbar2->sizeHint().width(); },
                1000));
            QCOMPARE(main.Toolbar2->geometry().right(), width - 1);
            QCOMPARE(main.Toolbar3->geometry().right() + 1 + twipsToPixels(100),
                     main.Toolbar2->x());
        }
        QVERIFY(main.Toolbar1->isHidden());
    }

    void twoBoardsWaitForTheUsersChoice() {
        Rig rig(Personality::Board1);
        sim::BoardSimulator second(Personality::Board2);
        QVERIFY(startOnTwoBoards(rig, second));
        ISMmain& main = rig.main();
        QCOMPARE(main.LoadboardList->count(), 2);
        QCOMPARE(main.loadboardListText(), QStringLiteral("Please select..."));
        QCOMPARE(main.LoadBoard->text(), QStringLiteral("2.x on Com2"));
        QVERIFY(!main.loadboardListConnected());
        QCOMPARE(second.receivedLines(), QStringList{"i"});

        main.LoadboardList->setCurrentIndex(1);
        main.LoadboardList_click();
        QCOMPARE(second.receivedLines(), (QStringList{"i", "i", "Z3", "V83", "X1"}));
        QCOMPARE(main.LoadBoardRev, 2);

        // Choosing the other board moves the board port over to it.
        rig.board().clearReceived();
        second.clearReceived();
        main.LoadboardList->setCurrentIndex(0);
        main.LoadboardList_click();
        QCOMPARE(rig.board().receivedLines(), (QStringList{"i", "V83", "Z3"}));
        QVERIFY(second.receivedLines().isEmpty());
        QCOMPARE(main.LoadBoardRev, 1);
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    // A status read waiting on the open board ends quietly when the user picks the other: the
    // port moves at once, and the reply timer does not finish the read on the new board.
    void pickingTheOtherBoardEndsAWaitingReadQuietly() {
        Rig rig(Personality::Board2);
        sim::BoardSimulator second(Personality::Board2);
        QVERIFY(startOnTwoBoards(rig, second));
        ISMmain& main = rig.main();
        main.LoadboardList->setCurrentIndex(0);
        main.LoadboardList_click();
        auto* panel = qobject_cast<ChipPanel*>(main.form(QStringLiteral("DruskV1")));
        main.showForm(panel);
        second.clearReceived();
        QElapsedTimer moving;
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, panel, [&](const QString& line) {
            if (line == QStringLiteral("L0"))
                rig.board().setFault(sim::Fault::NoReply, 1);
            if (line == QStringLiteral("RS"))
                QTimer::singleShot(20, panel, [&] {
                    moving.start();
                    main.LoadboardList->setCurrentIndex(1);
                    main.LoadboardList_click();
                });
        });
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(krv::test::waitUntil([&] { return moving.isValid() && main.CommState == 0; }));
        QVERIFY(moving.elapsed() < 1000);
        QCOMPARE(second.receivedLines(), (QStringList{"i", "Z3", "V83", "X1"}));
        QTest::qWait(1300);
        QCOMPARE(second.receivedLines().size(), 4);
        QVERIFY(panel->Statusline->text() != QStringLiteral("Communication fault."));
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void noBoardLeavesConnectEnabled() {
        Rig rig;
        rig.writeSettings("2", "4"); // nothing is mapped on COM 2 to 4
        ISMmain& main = rig.start();
        QVERIFY(krv::test::waitUntil([&] { return main.CommState == 0; }, 3000));
        QCOMPARE(main.loadboardListText(), QStringLiteral("Not found"));
        QCOMPARE(main.LoadBoard->text(), QStringLiteral("not found"));
        QCOMPARE(main.CommStatus->text(), QStringLiteral("Finished"));
        QVERIFY(main.ConnectButton->isEnabled());
        QVERIFY(!main.DisconnectButton->isEnabled());
        QVERIFY(main.mnuView->isEnabled());
        QVERIFY(rig.board().receivedLines().isEmpty());
    }

    void aSilentBoardIsGivenUpAfterTheScanTimeout() {
        Rig rig;
        rig.board().setFault(sim::Fault::NoReply);
        rig.writeSettings("1", "1");
        ISMmain& main = rig.start();
        QVERIFY(krv::test::waitUntil([&] { return main.CommState == 0; }, 4000));
        QCOMPARE(main.loadboardListText(), QStringLiteral("Not found"));
        QCOMPARE(rig.board().receivedLines(), QStringList{"i"});
    }

    void aBoardAnsweringGarbageIsIgnored() {
        Rig rig;
        rig.board().addCommand(
            "i", [](const QString&) { return sim::Reply(QByteArray(120, '?') + "\n\rOK\n\r>"); });
        rig.writeSettings("1", "1");
        ISMmain& main = rig.start();
        QVERIFY(krv::test::waitUntil([&] { return main.CommState == 0; }));
        QCOMPARE(main.loadboardListText(), QStringLiteral("Not found"));
        QCOMPARE(main.LoadboardList->count(), 0);
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void aNonNumericRangeReadsItsLeadingNumber() {
        Rig rig;
        rig.writeSettings("1x", "1 port");
        QVERIFY(rig.connectBoard());
        QCOMPARE(rig.main().loadboardListText(), QStringLiteral("LoadBoard 2.x: Com1"));
    }

    void disconnectClosesThePortAndEmptiesTheList() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.DisconnectButton->trigger();
        QVERIFY(!main.boardPortOpen());
        QCOMPARE(main.LoadboardList->count(), 0);
        QCOMPARE(main.loadboardListText(), QStringLiteral("Press connect"));
        QCOMPARE(main.CommStatus->text(), QStringLiteral("No comm."));
        QVERIFY(main.ConnectButton->isEnabled());
        QVERIFY(main.Toolbar3->isHidden());
        QCOMPARE(main.LoadBoardRev, 2);

        rig.board().clearReceived();
        main.ConnectButton->trigger();
        QVERIFY(krv::test::waitUntil([&] { return main.loadboardListConnected(); }));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"i", "i", "Z3", "V83", "X1"}));
    }

    void connectDoesNothingWhileABoardIsOpen() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        rig.board().clearReceived();
        rig.main().ConnectButton->setEnabled(true);
        rig.main().ConnectButton->trigger();
        QTest::qWait(300);
        QVERIFY(rig.board().receivedLines().isEmpty());
        QCOMPARE(rig.main().CommState, 0L);
    }

    void aVanishedBoardIsReportedOnce() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        rig.board().setFault(sim::Fault::Vanish);
        main.Send_To_LoadBoard("H2\r");
        QTRY_COMPARE(main.CommStatus->text(), QStringLiteral("No comm."));
        QCOMPARE(rig.messageTexts(),
                 QStringList{"Loadboard disconnected!\r\nPlease press connect again!"});
        QCOMPARE(rig.dialogs().messages[0].title, QStringLiteral("LoadBoard Communication Error!"));
        QCOMPARE(main.LoadboardList->count(), 0);
        QCOMPARE(main.loadboardListText(), QStringLiteral("Press connect"));
        QVERIFY(main.ConnectButton->isEnabled());
        QVERIFY(!main.loadboardListConnected());
    }

    void aVoltageThatIsNoNumberStopsTheSelection() {
        Rig rig(Personality::Board1);
        rig.writeSettings();
        ISMmain& main = rig.start();
        main.Pref_Voltage = QStringLiteral("2,5");
        QVERIFY(krv::test::waitUntil([&] { return main.CommState == 0; }));
        QCOMPARE(rig.messageTexts(),
                 QStringList{"Error occured:13,Type mismatch\r\nPlease try again!"});
        QCOMPARE(rig.dialogs().messages[0].title, QStringLiteral("Comm. port open error"));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"i", "i"}));
        QVERIFY(main.mnuView->isEnabled());
    }
};

QTEST_MAIN(TestBoardSelection)
#include "test_board_selection.moc"
