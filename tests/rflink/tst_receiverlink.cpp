// The receiver RF link test windows on a simulated board: arming and stopping, packets from
// the air counted and shown, the board armed again at once, a packet arriving while another
// window waits for its reply, the board 1.x read timeout, and the closed port.

#include "app/krvform.h"
#include "app/linkbuffer.h"
#include "common/dialogs.h"
#include "common/monitorbox.h"
#include "panels/receiver/receiverpanel.h"
#include "rflinktest.h"
#include "tools/rflink/receiverrflink.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace krv;
using krv::rflink::ReceiverRfLink;
using krv::test::armingLines;
using krv::test::LinkRig;

namespace {

ReceiverRfLink* openLink(LinkRig& rig) {
    rig.main().mnuToolsRFlink_Click();
    return rig.window<ReceiverRfLink>(rig.main().LoadBoardRev == 2
                                          ? QStringLiteral("DruskV1rflink_LB2")
                                          : QStringLiteral("DruskV1rflink"));
}

// A link window's buffer that logs which window was served, under a real window's name.
class RecordingBuffer : public QWidget, public LinkBuffer {
public:
    RecordingBuffer(QStringList& log, std::function<void()> onCharacter)
        : log_(log), onCharacter_(std::move(onCharacter)) {}
    void receiveCharacter(char c) override {
        log_.append(objectName() + u':' + QLatin1Char(c));
        if (onCharacter_)
            onCharacter_();
    }

private:
    QStringList& log_;
    std::function<void()> onCharacter_;
};

} // namespace

class ReceiverLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void armAndStop_data() {
        QTest::addColumn<int>("board");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<QStringList>("arming");
        QTest::addColumn<QStringList>("stopping");
        QTest::newRow("HR651 F, 2.x")
            << 2 << "DruskV1"
            << "'F' or above" << armingLines("CE85", "F11,13,100,1", "CE87")
            << QStringList{"F0", "S2CE85"};
        QTest::newRow("HR651 E, 1.x")
            << 1 << "DruskV1"
            << "'E' or below" << armingLines("CE84", "F1,13,100,1", "CE87")
            << QStringList{"F0", "S2CE85"};
        QTest::newRow("HR658, 2.x") << 2 << "Ovalt"
                                    << "'F' or above" << armingLines("CE85", "F11,13,100,1", "CE87")
                                    << QStringList{"F0", "S2CE87"};
        QTest::newRow("HR658, 1.x") << 1 << "Ovalt"
                                    << "'F' or above" << armingLines("CE85", "F1,13,100", "CE87")
                                    << QStringList{"F0", "S2CE87"};
    }
    void armAndStop() {
        QFETCH(int, board);
        QFETCH(QString, panel);
        QFETCH(QString, revision);
        QFETCH(QStringList, arming);
        QFETCH(QStringList, stopping);
        LinkRig rig(board == 1 ? sim::Personality::Board1 : sim::Personality::Board2);
        QVERIFY(rig.connectBoard());
        rig.main().Pref_DruskRevision = revision;
        panel == "Ovalt" ? rig.main().Ovalt_show() : rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        QVERIFY(link);
        rig.mark();
        link->EnRx->click();
        QCOMPARE(rig.linesSinceMark(), arming);
        QVERIFY(link->armed());
        QCOMPARE(link->EnRx->text(), QStringLiteral("Disable"));
        rig.mark();
        link->EnRx->click();
        QCOMPARE(rig.linesSinceMark(), stopping);
        QVERIFY(!link->armed());
        QCOMPARE(link->EnRx->text(), QStringLiteral("Enable"));
        // The HR651 panel's settings are never taken for the HR658.
        if (panel == "Ovalt")
            QVERIFY(!rig.main().loadedForm(QStringLiteral("DruskV1")));
    }

    void packetsAreCountedAndShownInEitherView() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        link->PL->setText("5");
        link->ENpl->setChecked(true);
        link->EnRx->click();
        link->OB_HexView->setChecked(true);
        rig.mark();
        rig.air.transmit("\x2D\xD4"
                         "A\rB\nC\r");
        QVERIFY(test::waitUntil([&] { return link->PCnt->text() == "1"; }));
        // Continuous reception arms the board again.
        QVERIFY(test::waitUntil(
            [&] { return rig.linesSinceMark() == armingLines("CE85", "F13,13,5,1", "CE87"); }));
        // Appended: the data and the CR after it.
        QCOMPARE(link->Monitor->toPlainText(), QStringLiteral("410D420A430D"));
        link->OB_AsciiView->setChecked(true);
        QCOMPARE(link->Monitor->bytes(), QByteArray("A\rB\nC\r"));
        link->OB_HexView->setChecked(true);
        link->AutoClear->setChecked(true);
        rig.air.transmit("\x2D\xD4"
                         "A\rB\nC\r");
        QVERIFY(test::waitUntil([&] { return link->PCnt->text() == "2"; }));
        QCOMPARE(link->Monitor->toPlainText(), QStringLiteral("410D420A43"));
        // Armed again (the last word of the arming written) before the next frame.
        QVERIFY(test::waitUntil([&] {
            return rig.board().radio().armed() && rig.board().radio().fifoWord() == 0xCE87;
        }));

        // One packet only: the window goes idle without a command to the board.
        link->AddCR->setChecked(true);
        link->ContRx->setChecked(false);
        rig.mark();
        rig.air.transmit("\x2D\xD4"
                         "xyz");
        QVERIFY(test::waitUntil([&] { return link->PCnt->text() == "3"; }));
        QCOMPARE(link->Monitor->bytes(), QByteArray("xyz\r\n"));
        QVERIFY(!link->armed());
        QTest::qWait(50);
        QCOMPARE(rig.linesSinceMark(), QStringList());
        // Idle: a packet reaching the board is not counted, and the board is not re-armed.
        rig.air.transmit("\x2D\xD4"
                         "late\r");
        QTest::qWait(100);
        QCOMPARE(link->PCnt->text(), QStringLiteral("3"));
        link->ResetPC->click();
        QCOMPARE(link->PCnt->text(), QStringLiteral("0"));
        QCOMPARE(link->Monitor->bytes(), QByteArray("xyz\r\n"));
    }

    void aFrameASecondForTenSeconds() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        link->AutoClear->setChecked(true);
        link->EnRx->click();
        int frames = 0;
        QTimer transmitter;
        QObject::connect(&transmitter, &QTimer::timeout, [&] {
            ++frames;
            rig.air.transmit("\x2D\xD4"
                             "tick\r");
        });
        // A click every 100 ms switches the view; the longest wait between two shows whether
        // the window kept answering.
        QElapsedTimer sinceClick;
        qint64 longestWait = 0;
        QTimer clicker;
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            longestWait = std::max(longestWait, sinceClick.restart());
            (link->OB_HexView->isChecked() ? link->OB_AsciiView : link->OB_HexView)->click();
        });
        transmitter.start(1000);
        clicker.start(100);
        sinceClick.start();
        QVERIFY(test::waitUntil([&] { return frames == 10; }, 12000));
        transmitter.stop();
        clicker.stop();
        QVERIFY(test::waitUntil([&] { return link->packetCount() >= 9; }));
        QVERIFY2(longestWait < 500, qPrintable(QString::number(longestWait)));
        QCOMPARE(link->Monitor->bytes(), QByteArray("tick"));
        rig.mark();
        link->EnRx->click();
        QCOMPARE(rig.linesSinceMark().value(0), QStringLiteral("F0"));
        QVERIFY(rig.dialogs().messages.isEmpty());
    }

    // The nine lines that arm the board again after a report each get their reply at once: a
    // reply the window missed would cost the 1.2 s reply limit.
    void continuousReceptionArmsAgainAtOnce() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        link->EnRx->click();
        const QStringList arming = armingLines("CE85", "F11,13,100,1", "CE87");
        for (int packet = 1; packet <= 3; ++packet) {
            rig.mark();
            QElapsedTimer clock;
            clock.start();
            rig.air.transmit("\x2D\xD4"
                             "data\r");
            QVERIFY(test::waitUntil(
                [&] { return rig.linesSinceMark() == arming && !rig.main().link()->isBusy(); }));
            QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
            QCOMPARE(link->PCnt->text(), QString::number(packet));
            QVERIFY(rig.board().radio().armed());
        }
        QCOMPARE(rig.messageTexts(), QStringList());
    }

    // Board 1.x: a packet reaches the board while the HR651 panel's status read waits for a
    // slow reply. The read gets its own reply, the packet is taken at the read timeout, and the
    // board is armed again behind the read's line.
    void aPacketArrivingWhileAStatusReadWaits() {
        LinkRig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        rig.main().Pref_DruskRevision = QStringLiteral("'E' or below");
        auto* panel = rig.main().form<ReceiverPanel>(QStringLiteral("DruskV1"));
        QVERIFY(panel);
        ReceiverRfLink* link = openLink(rig);
        link->EnRx->click();
        QVERIFY(test::waitUntil([&] { return !rig.main().link()->isBusy(); }));
        rig.board().setStatusWord(0x0101);
        // The first "RS" of the read: the packet reaches the board, the reply comes 200 ms later.
        sim::BoardSimulator* board = &rig.board();
        sim::Air* air = &rig.air;
        auto slowDone = std::make_shared<bool>(false);
        board->addCommand(QStringLiteral("RS"),
                          [statusRead = board->command(QStringLiteral("RS")), slowDone, board,
                           air](const QString& argument) -> sim::Reply {
                              const sim::Reply reply = statusRead(argument);
                              if (*slowDone)
                                  return reply;
                              *slowDone = true;
                              air->transmit("\x2D\xD4"
                                            "xyz");
                              QTimer::singleShot(
                                  200, board, [board, reply] { board->sendUnsolicited(*reply); });
                              return std::nullopt;
                          });
        panel->status[16]->setEnabled(false);
        rig.mark();
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] {
            return rig.main().CommState == 0 && !rig.main().link()->isBusy() &&
                   link->PCnt->text() == "1";
        }));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(link->Monitor->bytes(), QByteArray("xyz"));
        const QStringList rearm = armingLines("CE84", "F1,13,100,1", "CE87");
        QCOMPARE(rig.linesSinceMark(), QStringList({"S2C665", "H2", "L2", "L0", "RS"}) + rearm +
                                           QStringList({"RS", "H2", "S2C667"}));
        for (int i = 1; i <= 16; ++i)
            QCOMPARE(panel->status[i]->isEnabled(), i == 7 || i == 15);
        QVERIFY(rig.board().radio().armed());
        QCOMPARE(rig.messageTexts(), QStringList());
    }

    void board1PacketEndsAtTheReadTimeout() {
        LinkRig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        QCOMPARE(link->RxLinkTimeout->text(), QStringLiteral("50"));
        link->ContRx->setChecked(false);
        link->EnRx->click();
        // 100 bytes at the line's pace take twice the read timeout: still one packet.
        rig.air.transmit("\x2D\xD4" + QByteArray(100, 'p'));
        QVERIFY(test::waitUntil([&] { return link->PCnt->text() == "1"; }));
        QCOMPARE(link->Monitor->bytes(), QByteArray(100, 'p'));
    }

    void readTimeoutIsStoredRounded_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<long>("stored");
        QTest::newRow("half down to even") << "120.5" << 120L;
        QTest::newRow("half up to even") << "121.5" << 122L;
        QTest::newRow("no number") << "x" << 0L;
        QTest::newRow("huge") << "1e30" << 2147483647L;
    }
    void readTimeoutIsStoredRounded() {
        QFETCH(QString, typed);
        QFETCH(long, stored);
        LinkRig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        ReceiverRfLink* link = openLink(rig);
        link->RxLinkTimeout->setText(typed);
        QCOMPARE(rig.main().Pref_RxLinkTimeout, stored);
    }

    void badNumbersAreWrittenBackClamped() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        link->EOP->setText("abc");
        link->PL->setText("300");
        link->ENpl->setChecked(true);
        QCOMPARE(link->EOP->text(), QStringLiteral("0"));
        QCOMPARE(link->PL->text(), QStringLiteral("255"));
        QCOMPARE(link->LinkCommand, QStringLiteral("F13,0,255,1"));
    }

    void windowKeepsItsLeastSize() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        QMdiSubWindow* frame = rig.main().frameOf(openLink(rig));
        frame->resize(100, 100);
        QVERIFY(frame->width() >= twipsToPixels(6050));
        QVERIFY(frame->height() >= twipsToPixels(6800));
    }

    void closedPortIsRefused() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        link->EnRx->click();
        rig.main().link()->MSComm2->setPortOpen(false);
        link->EnRx->click();
        QVERIFY(link->armed());
        QCOMPARE(link->EnRx->text(), QStringLiteral("Disable"));
        const auto& message = rig.dialogs().messages.constLast();
        QCOMPARE(message.text, QStringLiteral("Commport not available, please open commport!"));
        QCOMPARE(message.icon, Dialogs::Icon::Exclamation);
    }

    void withNoPanelShownTheHR651PanelGivesTheWords() {
        LinkRig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        rig.main().Pref_DruskRevision = QStringLiteral("'F' or above");
        ReceiverRfLink* link = openLink(rig);
        // Unloaded, the panel's revision reads as 0, and reading it does not load the panel.
        QCOMPARE(link->LinkCommand, QStringLiteral("F1,13,100,1"));
        QVERIFY(!rig.main().loadedForm(QStringLiteral("DruskV1")));
        rig.mark();
        link->EnRx->click();
        QVERIFY(rig.main().loadedForm(QStringLiteral("DruskV1")));
        // After what the panel's own loading sends, the arming with its words.
        const QStringList lines = rig.linesSinceMark();
        QCOMPARE(lines.mid(lines.indexOf("S2CE85")), armingLines("CE85", "F1,13,100", "CE87"));
        rig.mark();
        link->EnRx->click();
        QCOMPARE(rig.linesSinceMark(), (QStringList{"F0", "S2CE85"}));
    }

    void leavingTheBoard2WindowStopsReception() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().show();
        rig.main().DruskV1_show();
        ReceiverRfLink* link = openLink(rig);
        link->EnRx->click();
        // A message box, a dialog or another application taking the focus is no leaving.
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        // The client area reports no active child when its last one loses activation.
        Q_EMIT rig.main().mdiArea()->subWindowActivated(nullptr);
        QVERIFY(link->armed());
        rig.main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&rig.main()));
        QVERIFY(link->armed());
        rig.mark();
        rig.main().mdiArea()->setActiveSubWindow(
            rig.main().frameOf(rig.main().loadedForm(QStringLiteral("DruskV1"))));
        QCOMPARE(rig.linesSinceMark(), (QStringList{"F0", "S2CE85"}));
        QVERIFY(!link->armed());
    }

    void linkBuffersAreServedInTurn() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        QStringList log;
        const QStringList names{"Frm_YambleRfLinkTest", "DruskV1rflink", "DruskV1rflink_LB2",
                                "frm_ZiborSniffer"};
        for (const QString& name : names) {
            ISMmain::registerForm(name, [&log, &main, name](ISMmain&) -> QWidget* {
                // The first window's handling closes the third's buffer: its flag is read when
                // its turn comes.
                return new RecordingBuffer(
                    log, name == "Frm_YambleRfLinkTest"
                             ? std::function<void()>([&main] { main.RxLinkOn_LB2 = false; })
                             : std::function<void()>());
            });
            main.form(name);
        }
        main.TRxLinkOn = main.RxLinkOn = main.RxLinkOn_LB2 = main.ZiborSnifferOn = true;
        main.characterToLinkBuffers('\n');
        QCOMPARE(log, (QStringList{"Frm_YambleRfLinkTest:\n", "DruskV1rflink:\n",
                                   "frm_ZiborSniffer:\n"}));
    }

    void closingTheBoard1WindowStopsTheBoard() {
        LinkRig rig(sim::Personality::Board1);
        QVERIFY(rig.connectBoard());
        openLink(rig);
        rig.mark();
        rig.main().unloadForm(QStringLiteral("DruskV1rflink"));
        QCOMPARE(rig.linesSinceMark(), QStringList{"F0"});
        QVERIFY(!rig.main().RxLinkOn);
    }
};

QTEST_MAIN(ReceiverLinkTest)
#include "tst_receiverlink.moc"
