// The CW link windows on simulated boards: the transmitter window's modes and their commands,
// the receiver window's poll of another board's carrier, and what leaving a window stops.

#include "app/ismmain.h"
#include "app/wholetitle.h"
#include "boardport.h"
#include "panels/transceiver/transceiverpanel.h"
#include "rflinktest.h"
#include "tools/rflink/cwlink.h"
#include "tools/rflink/lamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHash>
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
        // Both stops refused: the sequence may still run, and the lamps say so.
        link->cb_pn15->setChecked(true);
        rig.board().setFault(sim::Fault::ErrorEnding, 2);
        rig.mark();
        link->cb_pn15->setChecked(false);
        QCOMPARE(rig.linesSinceMark(), (QStringList{"y31", "y31"}));
        QVERIFY(link->tx_LED_H->lit() && link->tx_LED_L->lit());
    }

    void squareWaveStepsSkipWhileTheyCannotSend() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        frm_Link* link = openTransmitter(rig);
        link->cb_astabil->setChecked(true);
        link->Timer2->stop();
        rig.mark();
        rig.main().link()->MSComm2->setPortOpen(false);
        link->Timer2_Timer();
        rig.main().link()->MSComm2->setPortOpen(true);
        // A step due while the last one waits for its slow reply.
        rig.board().setFault(sim::Fault::Paced, 1);
        QTimer::singleShot(0, link, [link] { link->Timer2_Timer(); });
        link->Timer2_Timer();
        link->Timer2_Timer();
        // Skipped steps do not break the alternation.
        QCOMPARE(rig.linesSinceMark(), (QStringList{"y01", "y11"}));
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void modesAreOfferedAgainOnReturn() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.main().YambleV3_show();
        auto* panel = rig.main().loadedForm<TransceiverPanel>("YambleV3");
        frm_Link* link = openTransmitter(rig);
        QVERIFY(link->cb_manual->isEnabled() && !link->cb_pn15->isEnabled());
        activatePanel(rig, "YambleV3");
        panel->TXlatchOn = 1;
        rig.main().showForm(link);
        QVERIFY(!link->cb_manual->isEnabled() && link->cb_pn15->isEnabled());
    }

    void windowsOpenBesideThePanel_data() {
        QTest::addColumn<QString>("panel");
        QTest::newRow("HT531") << "MivraV2";
        QTest::newRow("HT537") << "PelkoV1";
        QTest::newRow("HC913") << "YambleV3";
        QTest::newRow("HC916") << "FRM_Zenth";
    }
    void windowsOpenBesideThePanel() {
        QFETCH(QString, panel);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        using Procedure = void (ISMmain::*)();
        const QHash<QString, Procedure> show{{"MivraV2", &ISMmain::MivraV2_show},
                                             {"PelkoV1", &ISMmain::PelkoV1_show},
                                             {"YambleV3", &ISMmain::YambleV3_show},
                                             {"FRM_Zenth", &ISMmain::Zenth_show}};
        (rig.main().*show.value(panel))();
        const int panelWidth = rig.main().frameOf(rig.main().loadedForm(panel))->width();
        QVERIFY(panelWidth > 0);
        frm_Link* link = openTransmitter(rig);
        QCOMPARE(rig.main().frameOf(link)->x(), panelWidth);
        rig.main().showToolWindow(QStringLiteral("frm_Link_RX"));
        auto* rx = rig.window<frm_Link_RX>(QStringLiteral("frm_Link_RX"));
        // Beside the transmitter window, clear of the panel, whatever the panel's kind.
        QCOMPARE(rig.main().frameOf(rx)->x(), rig.main().frameOf(link)->geometry().right() + 1);
        // Both titles whole in their title bars.
        for (QWidget* window : {static_cast<QWidget*>(link), static_cast<QWidget*>(rx)}) {
            const TitleRoom room = titleRoom(rig.main().frameOf(window));
            QVERIFY2(
                room.given >= room.needed,
                qPrintable(QStringLiteral("%1 px for %2 px").arg(room.given).arg(room.needed)));
        }
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
