// The link tools after the board is lost: what a tool had armed goes with the board, so the tool
// shows idle at once and arms the board that comes back on its next click; leaving a tool's
// window and quitting the program only stop what ran; neither shows a message, and quitting ends
// at once, also when the board is there but silent.

#include "app/ismmain.h"
#include "common/dialogs.h"
#include "rflinktest.h"
#include "tools/rflink/cwlink.h"
#include "tools/rflink/receiverrflink.h"
#include "tools/rflink/transceiverrflink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace krv;
using krv::test::LinkRig;

namespace {

const QString lostMessage =
    QStringLiteral("Loadboard disconnected!\r\nPlease press connect again!");

// Opens a tool over its panel and starts what it runs; the tool's name.
using Start = std::function<QString(ISMmain&)>;

QString transceiverReceiving(ISMmain& main) {
    main.YambleV3_show();
    main.mnuToolsYambleRFlink->trigger();
    auto* link = main.loadedForm<rflink::Frm_YambleRfLinkTest>("Frm_YambleRfLinkTest");
    link->TabStrip1->setCurrentIndex(1);
    link->PB_Enable->click();
    return link->objectName();
}

QString transceiverSending(ISMmain& main) {
    main.YambleV3_show();
    main.mnuToolsYambleRFlink->trigger();
    auto* link = main.loadedForm<rflink::Frm_YambleRfLinkTest>("Frm_YambleRfLinkTest");
    link->setPayloadText(QStringLiteral("Hi"));
    link->PB_Send->click();
    return link->objectName();
}

QString cwTransmitterManual(ISMmain& main) {
    main.YambleV3_show();
    main.showToolWindow(QStringLiteral("frm_Link"));
    auto* link = main.loadedForm<rflink::frm_Link>("frm_Link");
    link->cb_manual->setChecked(true);
    return link->objectName();
}

QString cwReceiverMonitoring(ISMmain& main) {
    main.YambleV3_show();
    main.showToolWindow(QStringLiteral("frm_Link_RX"));
    auto* link = main.loadedForm<rflink::frm_Link_RX>("frm_Link_RX");
    link->cb_MoniEn->setChecked(true);
    return link->objectName();
}

QString cwTransmitterSquareWave(ISMmain& main) {
    main.YambleV3_show();
    main.showToolWindow(QStringLiteral("frm_Link"));
    auto* link = main.loadedForm<rflink::frm_Link>("frm_Link");
    link->cb_astabil->setChecked(true);
    return link->objectName();
}

QString receiverArmed(ISMmain& main) {
    main.DruskV1_show();
    main.mnuToolsRFlink_Click();
    auto* link = main.loadedForm<rflink::ReceiverRfLink>("DruskV1rflink_LB2");
    link->EnRx->click();
    return link->objectName();
}

void addTools() {
    QTest::addColumn<Start>("start");
    QTest::newRow("transceiver link test receiving") << Start(transceiverReceiving);
    QTest::newRow("transceiver link test sending") << Start(transceiverSending);
    QTest::newRow("CW transmitter in manual mode") << Start(cwTransmitterManual);
    QTest::newRow("CW receiver monitoring") << Start(cwReceiverMonitoring);
    QTest::newRow("receiver link test armed") << Start(receiverArmed);
}

// Whether the tool shows nothing running.
bool shownIdle(ISMmain& main, const QString& tool) {
    if (auto* link = main.loadedForm<rflink::Frm_YambleRfLinkTest>(tool))
        return !link->receiving() && !link->sending() && !main.TRxLinkOn &&
               link->PB_Enable->text() == QStringLiteral("&Enable Receive") &&
               link->TabStrip1->isEnabled() && link->TB_EOP_1->isEnabled() &&
               !link->Timer_CntMode->isActive();
    if (auto* link = main.loadedForm<rflink::frm_Link>(tool))
        return !link->cb_manual->isChecked() && !link->cb_astabil->isChecked() &&
               !link->cb_pn15->isChecked() && !link->pb_H->isEnabled() && !link->Timer2->isActive();
    if (auto* link = main.loadedForm<rflink::frm_Link_RX>(tool))
        return !link->cb_MoniEn->isChecked() && !link->Timer1->isActive();
    if (auto* link = main.loadedForm<rflink::ReceiverRfLink>(tool))
        return !link->armed() && link->EnRx->text() == QStringLiteral("Enable");
    return false;
}

// Starts the tool, loses the board, and has the user act again (the closed-port message would
// be due again).
QString startAndLose(LinkRig& rig, const Start& start) {
    rig.main().show();
    const QString tool = start(rig.main());
    rig.board().vanish();
    [&] { QTRY_COMPARE(rig.main().CommStatus->text(), QStringLiteral("No comm.")); }();
    QTest::mouseClick(rig.main().LoadboardList, Qt::LeftButton);
    return tool;
}

} // namespace

Q_DECLARE_METATYPE(Start)

class LinkClosingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aLossLeavesTheToolIdle_data() {
        addTools();
        QTest::newRow("CW transmitter in square wave") << Start(cwTransmitterSquareWave);
    }
    void aLossLeavesTheToolIdle() {
        QFETCH(Start, start);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        const QString tool = start(rig.main());
        QVERIFY(!shownIdle(rig.main(), tool));
        rig.board().vanish();
        QTRY_COMPARE(rig.main().CommStatus->text(), QStringLiteral("No comm."));
        QVERIFY(shownIdle(rig.main(), tool));
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
    }

    // The board 1.x window too, whose reception the read timer ends.
    void aLossLeavesTheBoard1ReceiverIdle() {
        LinkRig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        rig.main().mnuToolsRFlink_Click();
        auto* link = rig.window<rflink::ReceiverRfLink>(QStringLiteral("DruskV1rflink"));
        link->EnRx->click();
        QVERIFY(link->armed());
        rig.board().vanish();
        QTRY_COMPARE(rig.main().CommStatus->text(), QStringLiteral("No comm."));
        QVERIFY(shownIdle(rig.main(), link->objectName()));
        QVERIFY(!link->RxTimer->isActive());
    }

    // After the loss and a new connection, the next click arms the board that is there: it
    // never sends the stop of a reception that went with the old one.
    void theNextClickArmsTheBoardThatCameBack() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        const QString receiver = receiverArmed(rig.main());
        rig.board().vanish();
        QVERIFY(rig.reconnectBoard());
        auto* link = rig.window<rflink::ReceiverRfLink>(receiver);
        rig.mark();
        link->EnRx->click();
        QCOMPARE(rig.linesSinceMark(), test::armingLines("CE85", "F11,13,100,1", "CE87"));
        QVERIFY(link->armed());
        // The new connection goes on telling the window of a loss.
        rig.board().vanish();
        QVERIFY(rig.reconnectBoard());
        QVERIFY(!link->armed());

        rig.main().unloadForm(receiver);
        const QString transceiver = transceiverReceiving(rig.main());
        rig.board().vanish();
        QVERIFY(rig.reconnectBoard());
        auto* trx = rig.window<rflink::Frm_YambleRfLinkTest>(transceiver);
        rig.mark();
        trx->PB_Enable->click();
        QCOMPARE(rig.linesSinceMark(), test::armingLines("CA80", "F11,13,100", "CA82"));
        QVERIFY(trx->receiving());
        QCOMPARE(rig.messageTexts(), QStringList(3, lostMessage));
    }

    void leavingAToolAfterTheLoss_data() { addTools(); }
    void leavingAToolAfterTheLoss() {
        QFETCH(Start, start);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        const QString tool = startAndLose(rig, start);
        QWidget* panel = rig.main().loadedForm(rig.main().TRXon ? QStringLiteral("YambleV3")
                                                                : QStringLiteral("DruskV1"));
        rig.main().mdiArea()->setActiveSubWindow(rig.main().frameOf(panel));
        QTest::qWait(1500);
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        if (auto* link = rig.window<rflink::Frm_YambleRfLinkTest>(tool)) {
            QVERIFY(!link->receiving());
            QVERIFY(!link->sending());
            QVERIFY(!rig.main().TRxLinkOn);
        }
    }

    void quittingAfterTheLoss_data() { addTools(); }
    void quittingAfterTheLoss() {
        QFETCH(Start, start);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        startAndLose(rig, start);
        QElapsedTimer quitting;
        quitting.start();
        rig.main().mnuFileExit->trigger();
        QVERIFY2(quitting.elapsed() < 1000, qPrintable(QString::number(quitting.elapsed())));
        QVERIFY(!rig.main().isVisible());
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
    }

    // A board still there that no longer answers holds quitting up no more than a lost one.
    void quittingWithASilentBoard_data() { addTools(); }
    void quittingWithASilentBoard() {
        QFETCH(Start, start);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        start(rig.main());
        rig.board().setFault(sim::Fault::NoReply, -1);
        QElapsedTimer quitting;
        quitting.start();
        rig.main().mnuFileExit->trigger();
        QVERIFY2(quitting.elapsed() < 1000, qPrintable(QString::number(quitting.elapsed())));
        QCOMPARE(rig.messageTexts(), QStringList());
    }
};

QTEST_MAIN(LinkClosingTest)
#include "tst_linkclosing.moc"
