#include "app/ismmain.h"
#include "link/linkwindow.h"
#include "panels/common/chippanel.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace krv;
using krv::test::Rig;
using krv::test::waitUntil;

class TestDataSelector : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rawDataModeClosesThePortAndALaterChoiceBringsTheBoardBack() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        rig.board().clearReceived();

        main.CB_Mode->setCurrentIndex(2);
        QVERIFY(!main.boardPortOpen());
        QCOMPARE(main.CommStatus->text(), QStringLiteral("Data mode"));
        QCOMPARE(main.LoadboardList->currentIndex(), -1);
        QVERIFY(!main.ConnectButton->isEnabled());
        QVERIFY(!main.DisconnectButton->isEnabled());
        QTRY_VERIFY(rig.board().rawDataMode());

        main.CB_Mode->setCurrentIndex(1);
        QVERIFY(main.boardPortOpen());
        QCOMPARE(rig.board().receivedLines(), (QStringList{"X2", "", "X0"}));
        QVERIFY(!rig.board().rawDataMode());
        QCOMPARE(main.loadboardListText(), QStringLiteral("LoadBoard 2.x: Com1"));
        QVERIFY(main.DisconnectButton->isEnabled());
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    // The switch takes the link's own close: the read waiting for its reply ends quietly, and
    // the reply timer does not close and reopen the port behind the user.
    void rawDataModeWhileAStatusReadWaits() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* panel = qobject_cast<ChipPanel*>(main.form(QStringLiteral("DruskV1")));
        main.showForm(panel);
        rig.board().clearReceived();
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, panel, [&](const QString& line) {
            if (line == QStringLiteral("L0"))
                rig.board().setFault(sim::Fault::NoReply, 1);
            if (line == QStringLiteral("RS"))
                QTimer::singleShot(20, panel, [&] { main.CB_Mode->setCurrentIndex(2); });
        });
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(waitUntil([&] { return !main.boardPortOpen(); }));
        QVERIFY(waitUntil([&] { return main.CommState == 0 && !panel->StatusReadActive; }));
        QTest::qWait(1500);

        QVERIFY(!main.boardPortOpen());
        QVERIFY(!main.link()->isBusy());
        QCOMPARE(rig.board().receivedLines().mid(rig.board().receivedLines().size() - 2),
                 (QStringList{"RS", "X2"}));
        QVERIFY(rig.board().rawDataMode());
        QCOMPARE(main.CommStatus->text(), QStringLiteral("Data mode"));
        QVERIFY(panel->Statusline->text() != QStringLiteral("Communication fault."));
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void rawDataModeWithThePortClosedDoesNothing() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.DisconnectButton->trigger();
        rig.board().clearReceived();
        main.CB_Mode->setCurrentIndex(2);
        QVERIFY(rig.board().receivedLines().isEmpty());
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void aFailedBreakKeepsRawDataMode() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.CB_Mode->setCurrentIndex(2);
        main.UsbLocation.clear();
        main.CB_Mode->setCurrentIndex(0);
        QCOMPARE(rig.messageTexts(),
                 QStringList{"Error occured:1225,Commport is not available\r\nPlease try again!"});
        QCOMPARE(rig.dialogs().messages[0].title, QStringLiteral("Comm. port openerror"));
        QCOMPARE(main.CB_Mode->currentIndex(), 2);
        QVERIFY(!main.boardPortOpen());
    }

    void theLockForcesTheFirstEntryAndTheReleaseRestoresTheSaved() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.CB_Mode->setCurrentIndex(1);
        rig.board().clearReceived();
        QObject panel;

        main.link()->DisableDataSelector(&panel);
        QCOMPARE(rig.board().receivedLines(), QStringList{"X1"});
        QVERIFY(!main.CB_Mode->isEnabled());
        QCOMPARE(main.CB_Mode->toolTip(),
                 QStringLiteral("Please disable the FIFO mode or the CW Link Setup!"));
        QCOMPARE(main.Text1->toolTip(), main.CB_Mode->toolTip());

        // One holder counts once, however often it takes its hold.
        main.link()->DisableDataSelector(&panel);
        main.link()->EnableDataSelector(&panel);
        QCOMPARE(rig.board().receivedLines(), (QStringList{"X1", "X0"}));
        QVERIFY(main.CB_Mode->isEnabled());
        QCOMPARE(main.CB_Mode->toolTip(), QStringLiteral("Please Select the FSK raw data mode!"));
        main.link()->EnableDataSelector(&panel);
        QCOMPARE(rig.board().receivedLines().size(), 2);
    }

    void theSelectorStaysLockedUntilTheLastHolderLetsGo() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.CB_Mode->setCurrentIndex(1);
        rig.board().clearReceived();
        QObject panel;
        auto* window = new QObject;

        main.link()->DisableDataSelector(&panel);
        main.link()->DisableDataSelector(window);
        main.link()->EnableDataSelector(&panel);
        QVERIFY(!main.CB_Mode->isEnabled());
        QCOMPARE(main.CB_Mode->currentIndex(), 0);
        // A holder that is gone holds nothing.
        delete window;
        main.link()->EnableDataSelector(&panel);
        QVERIFY(main.CB_Mode->isEnabled());
        QCOMPARE(rig.board().receivedLines(), (QStringList{"X1", "X0"}));
    }

    void theLastReleaseWithThePortClosedFreesTheSelectorQuietly() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        QObject panel;
        main.link()->DisableDataSelector(&panel);
        main.DisconnectButton->trigger();
        rig.board().clearReceived();
        main.link()->EnableDataSelector(&panel);
        QVERIFY(main.CB_Mode->isEnabled());
        QCOMPARE(main.CB_Mode->toolTip(), QStringLiteral("Please Select the FSK raw data mode!"));
        QVERIFY(rig.board().receivedLines().isEmpty());
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void theLockIsIgnoredOnABoard1() {
        Rig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        rig.board().clearReceived();
        QObject panel;
        main.link()->DisableDataSelector(&panel);
        QVERIFY(main.CB_Mode->isEnabled());
        QVERIFY(rig.board().receivedLines().isEmpty());
    }
};

QTEST_MAIN(TestDataSelector)
#include "test_data_selector.moc"
