// Two boards on one air and a KRV on each, used as README tells a newcomer to: one window arms
// its board on the Receive tab, the other sends "HELLO KRV" from its Transmit tab, and the first
// shows the packet. Both windows run here in turn on one program; the other board stands for the
// other program's board and takes exactly the lines that program would send it.

#include "boardport.h"
#include "common/monitorbox.h"
#include "rflinktest.h"
#include "tools/rflink/transceiverrflink.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace krv;
using krv::rflink::Frm_YambleRfLinkTest;
using krv::test::LinkRig;

class TwoBoardsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aTypedPacketReachesTheOtherWindow();
};

void TwoBoardsTest::aTypedPacketReachesTheOtherWindow() {
    LinkRig rig;
    QVERIFY(rig.connectBoard());
    // View > HC913, then Tools > RF link test.
    rig.main().mnuViewTRx->trigger();
    rig.main().mnuToolsYambleRFlink->trigger();
    auto* link = rig.window<Frm_YambleRfLinkTest>(QStringLiteral("Frm_YambleRfLinkTest"));
    QVERIFY(link);

    // The receiving window: Receive tab, Enable Receive. Its lines arm the other board too.
    link->TabStrip1->setCurrentIndex(1);
    rig.mark();
    link->PB_Enable->click();
    QCOMPARE(link->PB_Enable->text().remove(u'&'), QStringLiteral("Disable Receive"));
    const QStringList arming = rig.linesSinceMark();
    link->PB_Enable->click();
    QVERIFY(!link->receiving());
    sim::BoardSimulator otherBoard{sim::Personality::Board2};
    otherBoard.radio().setAir(&rig.air);
    QVERIFY(otherBoard.start());
    sim::test::BoardPort other(otherBoard.devicePath());
    QVERIFY(other.open());
    for (const QString& line : arming)
        other.exchange(line.toLatin1());

    // The sending window: Transmit tab, Continuous Mode off, Insert Preamble, Insert Synchron
    // Pattern, the text typed after them, Send Packet.
    link->TabStrip1->setCurrentIndex(0);
    link->CB_Continous->setChecked(false);
    QCOMPARE(link->PB_Send->text().remove(u'&'), QStringLiteral("Send Packet"));
    link->PB_Preable->click();
    link->PB_SynchPatt->click();
    link->TB_Payload->setFocus();
    QTest::keyClicks(link->TB_Payload, QStringLiteral("HELLO KRV"));
    const qsizetype from = other.received().size();
    rig.mark();
    link->PB_Send->click();
    QVERIFY(other.waitForEndings(from, 1));
    QVERIFY2(other.received().mid(from).contains("Received packet: 09 bytes: HELLO KRV"),
             other.received().mid(from).constData());
    QStringList sent = rig.linesSinceMark().filter(QStringLiteral("T"));
    QCOMPARE(sent.size(), 1);

    // The same packet from the other board reaches this window armed as the first was: Packet
    // Count 1 and the text in the received data.
    link->TabStrip1->setCurrentIndex(1);
    link->PB_Enable->click();
    QVERIFY(test::waitUntil([&] { return rig.board().radio().armed(); }));
    other.exchange(sent.first().toLatin1());
    QVERIFY(test::waitUntil([&] { return link->packetCount() == 1; }));
    QCOMPARE(link->TB_PacketCount->text(), QStringLiteral("1"));
    QVERIFY(link->TB_MonitoredData->bytes().startsWith("HELLO KRV"));
    QVERIFY(link->receiving());
    QVERIFY(rig.dialogs().messages.isEmpty());
}

QTEST_MAIN(TwoBoardsTest)
#include "tst_twoboards.moc"
