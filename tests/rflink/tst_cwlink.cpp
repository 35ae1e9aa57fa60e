// The CW link windows on simulated boards: the transmitter window's modes and their commands,
// the receiver window's poll of another board's carrier, and what leaving a window stops.

#include "boardport.h"
#include "panels/transceiver/transceiverpanel.h"
#include "rflinktest.h"
#include "tools/rflink/cwlink.h"
#include "tools/rflink/lamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

using namespace krv;
using krv::rflink::frm_Link;
using krv::rflink::frm_Link_RX;
using krv::test::LinkRig;

namespace {

frm_Link* openTransmitter(LinkRig& rig) {
    rig.main().showToolWindow(QStringLiteral("frm_Link"));
    return rig.window<frm_Link>(QStringLiteral("frm_Link"));
}

void activatePanel(LinkRig& rig, const QString& name) {
    rig.main().mdiArea()->setActiveSubWindow(rig.main().frameOf(rig.main().loadedForm(name)));
}

} // namespace

class CwLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void squareWaveOnHC916() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.main().Zenth_show();
        QVERIFY(rig.main().CB_Mode->isEnabled());
        rig.main().CB_Mode->setCurrentIndex(1);
        rig.mark();
        frm_Link* link = openTransmitter(rig);
        QVERIFY(link);
        // The data selector is held on its first entry while the window is open.
        QCOMPARE(rig.linesSinceMark().value(0), QStringLiteral("X1"));
        rig.mark();
        QCOMPARE(link->ChipID, QStringLiteral("1"));
        QVERIFY(link->cb_astabil->isEnabled());
        QVERIFY(!link->cb_pn15->isEnabled());
        QVERIFY(!rig.main().CB_Mode->isEnabled());
        link->cb_astabil->setChecked(true);
        QCOMPARE(link->Timer2->interval(), 1000);
        QVERIFY(link->Timer2->isActive());
        link->Timer2_Timer();
        QVERIFY(link->tx_LED_L->lit() && !link->tx_LED_H->lit());
        link->Timer2_Timer();
        QVERIFY(link->tx_LED_H->lit() && !link->tx_LED_L->lit());
        QCOMPARE(rig.linesSinceMark(), (QStringList{"H3", "S28221", "y01", "y11"}));
        for (const auto& [position, interval] : {std::pair{3, 333}, {6, 167}, {10, 100}}) {
            link->Slider->setValue(position);
            QCOMPARE(link->Timer2->interval(), interval);
        }
        // Leaving the window stops the square wave and lets the line go.
        rig.mark();
        activatePanel(rig, "FRM_Zenth");
        QVERIFY(!link->Timer2->isActive());
        QCOMPARE(rig.linesSinceMark(), (QStringList{"S28200", "Z3"}));
        rig.mark();
        rig.main().unloadForm(QStringLiteral("frm_Link"));
        QCOMPARE(rig.linesSinceMark(), (QStringList{"Z3", "X0"}));
        QVERIFY(rig.main().CB_Mode->isEnabled());
        QVERIFY(!rig.main().CWLinkTXOn);
    }

    void pn15StopIsRepeatedOnceAfterAnError() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        rig.main().loadedForm<TransceiverPanel>("YambleV3")->TXlatchOn = 1;
        frm_Link* link = openTransmitter(rig);
        QVERIFY(link->cb_pn15->isEnabled());
        QVERIFY(!link->cb_manual->isEnabled() && !link->cb_astabil->isEnabled());
        rig.mark();
        link->cb_pn15->setChecked(true);
        QCOMPARE(rig.linesSinceMark(), (QStringList{"H3", "y21"}));
        QVERIFY(link->tx_LED_H->lit() && link->tx_LED_L->lit());
        rig.board().setFault(sim::Fault::ErrorEnding, 1);
        rig.mark();
        link->cb_pn15->setChecked(false);
        QCOMPARE(rig.linesSinceMark(), (QStringList{"y31", "y31"}));
        QVERIFY(!link->tx_LED_H->lit() && !link->tx_LED_L->lit());
        link->cb_pn15->setChecked(true);
        rig.mark();
        link->cb_pn15->setChecked(false);
        QCOMPARE(rig.linesSinceMark(), QStringList{"y31"});
    }

    void manualModeOnHT531() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().MivraV2_show();
        frm_Link* link = openTransmitter(rig);
        QCOMPARE(link->ChipID, QStringLiteral("0"));
        QVERIFY(!link->cb_pn15->isEnabled());
        rig.mark();
        link->cb_manual->setChecked(true);
        link->pb_H->click();
        QVERIFY(link->tx_LED_H->lit());
        // A level the board refuses leaves the lamps as they were.
        rig.board().setFault(sim::Fault::ErrorEnding, 1);
        link->pb_L->click();
        QVERIFY(link->tx_LED_H->lit() && !link->tx_LED_L->lit());
        link->cb_astabil->setChecked(true);
        QVERIFY(!link->cb_manual->isChecked());
        QCOMPARE(rig.linesSinceMark(),
                 (QStringList{"S2c039", "H3", "y10", "y00", "Z3", "S2c000", "H3", "S2c039"}));
        link->cb_manual->setChecked(true);
        rig.mark();
        rig.main().unloadForm(QStringLiteral("frm_Link"));
        QCOMPARE(rig.linesSinceMark(), (QStringList{"Z3", "S2c000", "Z3"}));
    }

    void ht537OffersPn15AfterABitSynchronousUpdate() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().PelkoV1_show();
        QWidget* panel = rig.main().loadedForm(QStringLiteral("PelkoV1"));
        panel->setProperty("TXBitSinchOn", 1);
        frm_Link* link = openTransmitter(rig);
        QCOMPARE(link->ChipID, QStringLiteral("0"));
        QVERIFY(link->cb_pn15->isEnabled());
        QVERIFY(!link->cb_manual->isEnabled());
        rig.mark();
        link->cb_pn15->setChecked(true);
        QCOMPARE(rig.linesSinceMark(), (QStringList{"H3", "y20"}));
    }

    void receiverWindowFollowsTheOtherBoard() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.main().DruskV1_show();
        sim::BoardSimulator sender;
        sender.radio().setAir(&rig.air);
        QVERIFY(sender.start());
        sim::test::BoardPort senderPort(sender.devicePath());
        QVERIFY(senderPort.open());
        senderPort.exchange("S2c039");
        senderPort.exchange("y11");

        rig.mark();
        rig.main().showToolWindow(QStringLiteral("frm_Link_RX"));
        auto* rx = rig.window<frm_Link_RX>(QStringLiteral("frm_Link_RX"));
        QVERIFY(rx->cb_MoniEn->isEnabled());
        QVERIFY(!rx->LED_H->lit() && !rx->LED_L->lit());
        QCOMPARE(rig.linesSinceMark(), (QStringList{"Z3"}));
        rig.mark();
        QElapsedTimer clock;
        clock.start();
        rx->cb_MoniEn->setChecked(true);
        QVERIFY(test::waitUntil([&] { return rx->LED_H->lit(); }));
        QTest::qWait(1000);
        const qsizetype polls = rig.linesSinceMark().count("RO");
        QVERIFY2(polls >= 15 * clock.elapsed() / 1000, qPrintable(QString::number(polls)));
        QCOMPARE(rig.linesSinceMark().mid(0, 2), (QStringList{"Z3", "d2"}));
        senderPort.exchange("y01");
        QVERIFY(test::waitUntil([&] { return rx->LED_L->lit() && !rx->LED_H->lit(); }));

        // A poll while the port is closed is skipped quietly, and so is the next.
        rig.main().link()->MSComm2->setPortOpen(false);
        QTest::qWait(200);
        QVERIFY(rig.dialogs().messages.isEmpty());
        rig.main().link()->MSComm2->setPortOpen(true);

        rig.mark();
        activatePanel(rig, "DruskV1");
        QVERIFY(!rx->cb_MoniEn->isChecked());
        QVERIFY(test::waitUntil([&] { return rig.linesSinceMark().contains("d0"); }));
    }
};

QTEST_MAIN(CwLinkTest)
#include "tst_cwlink.moc"
