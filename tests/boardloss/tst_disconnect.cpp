#include "app/powersupply.h"
#include "link/linkwindow.h"
#include "panels/common/chippanel.h"
#include "testsupport.h"
#include "tools/eeprom/eeprom.h"
#include "tools/rflink/transceiverrflink.h"

#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace krv;
using krv::test::linesStartingWith;
using krv::test::pressDisconnect;
using krv::test::Rig;
using krv::test::waitUntil;

namespace {

// Nothing more reaches the board for a while: whatever ran has ended for good.
bool boardStaysSilent(sim::BoardSimulator& board, int ms) {
    const qsizetype sent = board.receivedLines().size();
    QTest::qWait(ms);
    return board.receivedLines().size() == sent;
}

} // namespace

// The user's Disconnect ends what runs as a lost board does, but without a message: the user
// knows why the board is gone. The next action meets the closed port as usual.
class TestDisconnect : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duringAnEepromRead() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* prog = main.form<eeprom>(QStringLiteral("eeprom"));
        main.showForm(prog);
        rig.board().clearReceived();
        prog->Read->click();
        QVERIFY(
            waitUntil([&] { return linesStartingWith(rig.board().receivedLines(), "RS16") >= 3; }));
        pressDisconnect(main);
        QVERIFY(waitUntil([&] { return !prog->transactionRunning(); }));
        QVERIFY(boardStaysSilent(rig.board(), 500));
        QCOMPARE(rig.messageTexts(), QStringList());
        QCOMPARE(main.CommState, 0);
        QVERIFY(prog->StopButton->isHidden() && prog->ProgressBar1->isHidden());
        QVERIFY(prog->Read->isEnabled());
        prog->Read->click();
        QCOMPARE(rig.messageTexts(),
                 QStringList{QStringLiteral("Commport not available, Loadboard not connected!")});
    }

    // Repeated status reads, continuous current readings and a receiving link test at once (the
    // link test is armed last: it stops receiving when the user turns to another window).
    void withEverythingArmed() {
        Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.show();
        main.YambleV3_show();
        auto* panel = qobject_cast<ChipPanel*>(main.form(QStringLiteral("YambleV3")));
        panel->RepStatusReadTimer->setInterval(300);
        panel->ReadStatus_Click();
        panel->ReadStatus_DblClick();
        auto* supply = main.form<frm_PowerSupply>(QStringLiteral("frm_PowerSupply"));
        main.showForm(supply);
        supply->ContRead->click();
        main.mnuToolsYambleRFlink->trigger();
        auto* link = main.loadedForm<rflink::Frm_YambleRfLinkTest>("Frm_YambleRfLinkTest");
        QVERIFY(link);
        link->TabStrip1->setCurrentIndex(1);
        link->PB_Enable->click();
        QVERIFY(waitUntil([&] {
            return panel->repeating() && link->receiving() && main.TRxLinkOn &&
                   linesStartingWith(rig.board().receivedLines(), "AD") >= 2;
        }));

        pressDisconnect(main);
        QVERIFY(waitUntil([&] { return !main.boardPortOpen() && main.CommState == 0; }));
        QVERIFY(boardStaysSilent(rig.board(), 1500));
        QCOMPARE(rig.messageTexts(), QStringList());
        QVERIFY(!panel->repeating());
        QVERIFY(!main.TRxLinkOn);
        QCOMPARE(supply->ContRead->text(), QStringLiteral("Cont"));
    }
};

QTEST_MAIN(TestDisconnect)
#include "tst_disconnect.moc"
