// The transceiver RF link test on simulated boards sharing one air: the payload editor and the
// packet command, single and continuous sending, arming and packets received, and what leaving
// the window stops.

#include "app/updown.h"
#include "boardport.h"
#include "common/dialogs.h"
#include "common/monitorbox.h"
#include "panels/transceiver/transceiverpanel.h"
#include "readable.h"
#include "rflinktest.h"
#include "tools/rflink/transceiverrflink.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace krv;
using krv::rflink::Frm_YambleRfLinkTest;
using krv::test::LinkRig;

namespace {

Frm_YambleRfLinkTest* openLink(LinkRig& rig) {
    rig.main().mnuToolsYambleRFlink->setEnabled(true);
    rig.main().mnuToolsYambleRFlink->trigger();
    return rig.window<Frm_YambleRfLinkTest>(QStringLiteral("Frm_YambleRfLinkTest"));
}

// The HC913 panel's link window set to send "Hi" every 2 s, its repetition box confirmed by the
// up-down as the user would.
Frm_YambleRfLinkTest* openRepeatingLink(LinkRig& rig) {
    rig.main().YambleV3_show();
    Frm_YambleRfLinkTest* link = openLink(rig);
    link->setPayloadText("Hi");
    link->TB_RepetitionTime->setText("2");
    link->UD_RepetitionTime->upArrow()->click();
    link->UD_RepetitionTime->downArrow()->click();
    return link;
}

// A second board on the rig's air, driven through its own port.
struct OtherBoard {
    explicit OtherBoard(sim::Air& air) {
        simulator.radio().setAir(&air);
        simulator.start();
        port = std::make_unique<sim::test::BoardPort>(simulator.devicePath());
        port->open();
    }
    sim::BoardSimulator simulator{sim::Personality::Board2};
    std::unique_ptr<sim::test::BoardPort> port;
};

const QString lostMessage =
    QStringLiteral("Loadboard disconnected!\r\nPlease press connect again!");

void typeInto(QPlainTextEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClicks(box, text);
}

} // namespace

class TransceiverLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void payloadEditorAndPacketCommand() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.main().YambleV3_show();
        Frm_YambleRfLinkTest* link = openLink(rig);
        QVERIFY(link);
        QCOMPARE(link->Label1->text(), QStringLiteral("Payload (64 bytes)"));
        QVERIFY(!link->PB_Send->isEnabled());
        QCOMPARE(link->PB_Send->text(), QStringLiteral("&Start Sending"));
        link->CB_Continous->setChecked(false);
        QCOMPARE(link->PB_Send->text(), QStringLiteral("&Send Packet"));

        link->OB_HexView->setChecked(true);
        typeInto(link->TB_Payload, "aa2dG");
        QCOMPARE(link->TB_Payload->toPlainText(), QStringLiteral("AA2D"));
        typeInto(link->TB_Payload, "d448656c6c6f");
        rig.mark();
        link->PB_Send->click();
        QCOMPARE(rig.linesSinceMark(), QStringList{"T14,AA,2D,D4,48,65,6C,6C,6F,0D"});

        link->setPayloadText("AA2DD44");
        QCOMPARE(link->Label1->text(), QStringLiteral("Payload ( 61 byte(s) )"));
        link->setPayloadText("ABC");
        link->TB_EOP_0->clear();
        rig.mark();
        link->PB_Send->click();
        // A lone last digit is a byte of its own; an empty end box sends 00.
        QCOMPARE(rig.linesSinceMark(), QStringList{"T14,AB,0C,00"});

        link->OB_AsciiView->setChecked(true);
        QCOMPARE(link->payload(), QByteArray("\xAB\x0C"));
        link->setPayloadText("Hello");
        link->CB_EOP->setChecked(false);
        QVERIFY(!link->TB_EOP_0->isEnabled());
        rig.mark();
        link->PB_Send->click();
        QCOMPARE(rig.linesSinceMark(), QStringList{"T14,48,65,6C,6C,6F,"});

        // Inserted bytes in the text view; a CR stays a CR through both views.
        link->setPayloadText("AB");
        link->PB_Preable->click();
        QCOMPARE(link->payload(), QByteArray("AB\xAA"));
        QCOMPARE(link->Label1->text(), QStringLiteral("Payload ( 61 byte(s) )"));
        link->PB_Clear_Payload->click();
        link->OB_HexView->setChecked(true);
        typeInto(link->TB_Payload, "410D42");
        link->OB_AsciiView->setChecked(true);
        QCOMPARE(link->payload(), QByteArray("A\rB"));
        link->OB_HexView->setChecked(true);
        QCOMPARE(link->TB_Payload->toPlainText(), QStringLiteral("410D42"));
    }

    // The text view leaves the caret where the user types; a paste over the length limit keeps
    // what fits, where it was pasted.
    void payloadTypingAndPasting() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->CB_Continous->setChecked(false);
        link->CB_EOP->setChecked(false);
        typeInto(link->TB_Payload, "Hello");
        QTextCursor caret = link->TB_Payload->textCursor();
        caret.setPosition(2);
        link->TB_Payload->setTextCursor(caret);
        QTest::keyClicks(link->TB_Payload, "XY");
        QCOMPARE(link->TB_Payload->toPlainText(), QStringLiteral("HeXYllo"));
        rig.mark();
        link->PB_Send->click();
        QCOMPARE(rig.linesSinceMark(), QStringList{"T14,48,65,58,59,6C,6C,6F,"});

        // 62 characters pasted after "He" in "Hello": 59 fit the 64-character limit.
        link->setPayloadText("Hello");
        caret.setPosition(2);
        link->TB_Payload->setTextCursor(caret);
        link->TB_Payload->insertPlainText(QString(62, u'Z'));
        QCOMPARE(link->TB_Payload->toPlainText(), "He" + QString(59, u'Z') + "llo");
        QCOMPARE(link->TB_Payload->textCursor().position(), 61);
        QCOMPARE(link->Label1->text(), QStringLiteral("Payload ( 0 byte(s) )"));

        // 130 digits pasted into an empty hexadecimal payload: 128 of them.
        link->PB_Clear_Payload->click();
        link->OB_HexView->setChecked(true);
        QString digits;
        for (int i = 0; i < 130; ++i)
            digits += QStringLiteral("0123456789ABCDEF").at(i % 16);
        link->TB_Payload->insertPlainText(digits);
        QCOMPARE(link->TB_Payload->toPlainText(), digits.left(128));
        QCOMPARE(link->payload().size(), 64);
        QCOMPARE(link->Label1->text(), QStringLiteral("Payload ( 0 byte(s) )"));
    }

    // After an insert the caret stands behind the inserted bytes, in the payload, and the user
    // types on there, in either view.
    void typingGoesOnBehindAnInsert_data() {
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("preamble, text view") << false << "PB_Preable"
                                             << "X"
                                             << QByteArray("ABC\xAA"
                                                           "X");
        QTest::newRow("preamble, hexadecimal view") << true << "PB_Preable"
                                                    << "E" << QByteArray("\xAB\xCA\xAE");
        QTest::newRow("pattern, text view") << false << "PB_SynchPatt"
                                            << "X"
                                            << QByteArray("ABC\x2D\xD4"
                                                          "X");
        QTest::newRow("pattern, hexadecimal view") << true << "PB_SynchPatt"
                                                   << "E" << QByteArray("\xAB\xC2\xDD\x4E");
    }
    void typingGoesOnBehindAnInsert() {
        QFETCH(bool, hex);
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QByteArray, payload);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        QVERIFY(QTest::qWaitForWindowActive(&rig.main()));
        rig.main().YambleV3_show();
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->OB_HexView->setChecked(hex);
        typeInto(link->TB_Payload, "ABC");
        QTest::mouseClick(link->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), link->TB_Payload);
        QCOMPARE(link->TB_Payload->textCursor().position(),
                 int(link->TB_Payload->toPlainText().size()));
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QCOMPARE(link->payload(), payload);
    }

    // The board goes between two packets: its loss is the one message, and sending stops.
    void aBoardLostWhileSendingGivesOneMessage() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        Frm_YambleRfLinkTest* link = openRepeatingLink(rig);
        link->PB_Send->click();
        link->Timer_CntMode->stop();
        rig.board().vanish();
        QTRY_COMPARE(rig.main().CommStatus->text(), QStringLiteral("No comm."));
        for (int tick = 0; tick < 6; ++tick)
            link->Timer_CntMode_Timer();
        QCOMPARE(rig.messageTexts(), QStringList{lostMessage});
        QVERIFY(!link->sending());
    }

    // The window is as high as its designed height for the tab shown, its content fitting each tab.
    void heightFollowsTheTab() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().resize(1920, 1080);
        rig.main().show();
        rig.main().YambleV3_show();
        Frm_YambleRfLinkTest* link = openLink(rig);
        QMdiSubWindow* frame = rig.main().frameOf(link);
        for (const auto& [tab, twips] :
             {std::pair{0, 4640}, std::pair{1, 6800}, std::pair{0, 4640}}) {
            link->TabStrip1->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            QCOMPARE(frame->height(), twipsToPixels(twips));
            QVERIFY2(frame->minimumSizeHint().height() <= frame->height(),
                     qPrintable(QString::number(frame->minimumSizeHint().height())));
            test::checkReadable(link, QStringLiteral("Frm_YambleRfLinkTest_%1").arg(tab));
        }
    }

    void continuousSendingTicksAndStops() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        Frm_YambleRfLinkTest* link = openRepeatingLink(rig);
        rig.mark();
        link->PB_Send->click();
        QCOMPARE(link->PB_Send->text(), QStringLiteral("&Stop Sending"));
        QVERIFY(!link->TabStrip1->isEnabled());
        QVERIFY(!link->TB_Payload->isEnabled());
        for (int tick = 0; tick < 6; ++tick)
            link->Timer_CntMode_Timer();
        QCOMPARE(rig.linesSinceMark(), (QStringList{"T14,48,69,0D", "T14,48,69,0D"}));
        QVERIFY(link->Lbl_Sent->isVisibleTo(link));
        rig.mark();
        link->PB_Send->click();
        QCOMPARE(rig.linesSinceMark(), QStringList{"T0"});
        QCOMPARE(link->PB_Send->text(), QStringLiteral("&Start Sending"));
        QVERIFY(link->TabStrip1->isEnabled());

        // A packet due while the port is closed stops sending with one message.
        link->PB_Send->click();
        rig.main().link()->MSComm2->setPortOpen(false);
        const qsizetype before = rig.dialogs().messages.size();
        for (int tick = 0; tick < 6; ++tick)
            link->Timer_CntMode_Timer();
        QCOMPARE(rig.dialogs().messages.size(), before + 1);
        QCOMPARE(rig.dialogs().messages.constLast().text,
                 QStringLiteral("Commport not available, please open commport!"));
        QVERIFY(!link->sending());
    }

    void aTickNeverEntersTheOneThatWaits() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        Frm_YambleRfLinkTest* link = openRepeatingLink(rig);
        link->PB_Send->click();
        link->Timer_CntMode->stop();
        link->Timer_CntMode_Timer();
        link->Timer_CntMode_Timer();
        rig.mark();
        // Ticks due while the packet waits for its slow reply; enough of them to send another.
        rig.board().setFault(sim::Fault::Paced, 1);
        QTimer::singleShot(0, link, [link] {
            for (int tick = 0; tick < 3; ++tick)
                link->Timer_CntMode_Timer();
        });
        link->Timer_CntMode_Timer();
        QCOMPARE(rig.linesSinceMark(), QStringList{"T14,48,69,0D"});
    }

    void enterInThePayloadOnlyEditsIt() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        Frm_YambleRfLinkTest* link = openLink(rig);
        rig.mark();
        typeInto(link->TB_Payload, "A");
        QTest::keyClick(link->TB_Payload, Qt::Key_Return);
        QVERIFY(!link->receiving());
        QCOMPARE(rig.linesSinceMark(), QStringList());
        QCOMPARE(link->payload(), QByteArray("A\n"));
    }

    void armingFollowsTheOpenPanels_data() {
        QTest::addColumn<bool>("sensitiveReset");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QStringList>("arming");
        QTest::newRow("HC913") << false << "OB_EOPorPL"
                               << test::armingLines("CA80", "F11,13,100", "CA82");
        QTest::newRow("sensitive reset off")
            << true << "OB_EOP" << test::armingLines("CA81", "F12,13,100", "CA83");
        QTest::newRow("length only")
            << false << "OB_PL" << test::armingLines("CA80", "F13,13,100", "CA82");
    }
    void armingFollowsTheOpenPanels() {
        QFETCH(bool, sensitiveReset);
        QFETCH(QString, condition);
        QFETCH(QStringList, arming);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        rig.main().loadedForm<TransceiverPanel>("YambleV3")->SensResEn->setChecked(sensitiveReset);
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->TabStrip1->setCurrentIndex(1);
        link->findChild<QRadioButton*>(condition)->setChecked(true);
        rig.mark();
        link->PB_Enable->click();
        QCOMPARE(rig.linesSinceMark(), arming);
        QVERIFY(rig.main().TRxLinkOn);
        QCOMPARE(link->PB_Enable->text(), QStringLiteral("&Disable Receive"));
        QVERIFY(!link->TabStrip1->isEnabled());
        rig.mark();
        link->PB_Enable->click();
        QCOMPARE(rig.linesSinceMark(), (QStringList{"F0", arming.first()}));
        QVERIFY(!rig.main().TRxLinkOn);
    }

    void lengthBoxIsClampedWhenArming() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->TabStrip1->setCurrentIndex(1);
        link->TB_PL->setText("200");
        // Enter arms at once, without the box's leave rule.
        rig.mark();
        QTest::keyClick(link->TB_PL, Qt::Key_Return);
        QCOMPARE(link->TB_PL->text(), QStringLiteral("128"));
        QVERIFY(rig.linesSinceMark().contains("F11,13,128"));
    }

    void packetsFromAnotherBoard() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        OtherBoard sender(rig.air);
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->TabStrip1->setCurrentIndex(1);
        link->PB_Enable->click();
        sender.port->exchange("T14,AA,2D,D4,48,65,6C,6C,6F,0D");
        QVERIFY(test::waitUntil([&] { return link->packetCount() == 1; }));
        QCOMPARE(link->TB_MonitoredData->bytes(), QByteArray("Hello\r"));
        link->OB_RxHexView->setChecked(true);
        QCOMPARE(link->TB_MonitoredData->toPlainText(), QStringLiteral("48656C6C6F0D"));

        // A frame every 150 ms: each is counted while clicks are answered throughout.
        link->CB_AutoClear->setChecked(true);
        int frames = 0;
        QTimer sending;
        QObject::connect(&sending, &QTimer::timeout, [&] {
            ++frames;
            sender.port->send("T14,AA,2D,D4,41,0D");
        });
        sending.start(150);
        QVERIFY(test::waitUntil([&] { return frames >= 10; }));
        link->PB_Reset->click();
        QCOMPARE(link->TB_PacketCount->text(), QStringLiteral("0"));
        QVERIFY(test::waitUntil([&] { return frames >= 20; }));
        sending.stop();
        QVERIFY(test::waitUntil([&] { return link->packetCount() >= 9; }));
        QCOMPARE(link->TB_MonitoredData->bytes(), QByteArray("A"));
        rig.mark();
        link->PB_Enable->click();
        QCOMPARE(rig.linesSinceMark().value(0), QStringLiteral("F0"));
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void lossOnTheAirIsNoError() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        rig.air.setLossPercent(10);
        rig.air.setSeed(3);
        OtherBoard receiver(rig.air);
        Frm_YambleRfLinkTest* link = openLink(rig);
        receiver.port->exchange("F11,13,100");
        receiver.port->exchange("S2CA86");
        link->setPayloadText("Hi");
        link->CB_Continous->setChecked(false);
        int reports = 0;
        for (int packet = 0; packet < 20; ++packet) {
            const qsizetype from = receiver.port->received().size();
            link->PB_Send->click();
            if (receiver.port->waitForEndings(from, 1)) {
                ++reports;
                receiver.port->exchange("F11,13,100");
            }
        }
        QVERIFY2(reports > 10 && reports < 20, qPrintable(QString::number(reports)));
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void receivingWindowCountsWhatTheLossyAirDelivers() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().YambleV3_show();
        rig.air.setLossPercent(10);
        rig.air.setSeed(5);
        OtherBoard sender(rig.air);
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->TabStrip1->setCurrentIndex(1);
        link->PB_Enable->click();
        const sim::BoardRadio& radio = rig.board().radio();
        qint64 delivered = 0;
        for (int frame = 0; frame < 20; ++frame) {
            // Each frame waits for the re-arming, so only the air can lose it.
            QVERIFY(test::waitUntil([&] { return radio.armed() && radio.fifoWord() == 0xCA82; }));
            sender.port->exchange("T14,AA,2D,D4,41,0D");
            if (radio.armed())
                continue;
            ++delivered;
            QVERIFY(test::waitUntil([&] { return link->packetCount() == delivered; }));
        }
        QVERIFY2(delivered > 10 && delivered < 20, qPrintable(QString::number(delivered)));
        QCOMPARE(link->TB_PacketCount->text(), QString::number(delivered));
        QVERIFY(link->receiving());
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    void leavingTheWindowStopsReceptionAndSending() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.main().YambleV3_show();
        Frm_YambleRfLinkTest* link = openLink(rig);
        link->setPayloadText("Hi");
        link->PB_Send->click();
        QVERIFY(link->sending());
        rig.mark();
        rig.main().mdiArea()->setActiveSubWindow(
            rig.main().frameOf(rig.main().loadedForm(QStringLiteral("YambleV3"))));
        QCOMPARE(rig.linesSinceMark(), QStringList{"T0"});
        QVERIFY(!link->sending());

        rig.main().showForm(link);
        link->TabStrip1->setCurrentIndex(1);
        link->PB_Enable->click();
        rig.mark();
        rig.main().unloadForm(QStringLiteral("Frm_YambleRfLinkTest"));
        QCOMPARE(rig.linesSinceMark(), (QStringList{"F0", "S2CA80"}));
        QVERIFY(!rig.main().TRxLinkOn);
    }
};

QTEST_MAIN(TransceiverLinkTest)
#include "tst_transceiverlink.moc"
