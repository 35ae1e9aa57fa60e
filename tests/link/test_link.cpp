#include "common/dialogs.h"
#include "link/linkhost.h"
#include "link/linkwindow.h"
#include "link/portmap.h"
#include "link/replytails.h"
#include "linkhostdouble.h"
#include "sim/boardsimulator.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace krv;
using sim::Fault;

using Host = krv::test::LinkHostDouble;

class TestLink : public QObject {
    Q_OBJECT
    std::unique_ptr<sim::BoardSimulator> board;
    std::unique_ptr<Host> host;
    std::unique_ptr<LinkWindow> link;
    RecordingDialogs* dialogs = nullptr;

private Q_SLOTS:
    void init() {
        dialogs = &RecordingDialogs::install();
        board = std::make_unique<sim::BoardSimulator>();
        QVERIFY(board->start());
        PortMap::clear();
        PortMap::pin(1, board->devicePath());
        host = std::make_unique<Host>();
        link = std::make_unique<LinkWindow>(*host);
        link->MSComm2->setCommPort(1);
        link->MSComm2->setPortOpen(true);
    }
    void cleanup() {
        link.reset();
        host.reset();
        board.reset();
    }

    void anAnswerEndsTheWait() {
        const SendResult result = link->Send_To_LoadBoard("Z3\r");
        QVERIFY(result.ok());
        QCOMPARE(link->ComFlag, 0);
        QCOMPARE(host->tails.Last7, okEnding());
        QCOMPARE(host->status, QStringLiteral("Comm. OK"));
        QCOMPARE(board->receivedLines(), QStringList{"Z3"});
    }

    void repliesThatArriveOddlyStillEndTheWait_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("split over several writes") << int(Fault::SplitReply);
        QTest::newRow("garbage before the reply") << int(Fault::GarbageFirst);
        QTest::newRow("paced at 19200 baud") << int(Fault::Paced);
    }
    void repliesThatArriveOddlyStillEndTheWait() {
        QFETCH(int, fault);
        board->setFault(Fault(fault));
        const SendResult result = link->Send_To_LoadBoard("RS\r");
        QVERIFY(result.ok());
        QCOMPARE(result.Last7, okEnding());
    }

    void theErrorEndingSetsComFlag() {
        board->setFault(Fault::ErrorEnding);
        const SendResult result = link->Send_To_LoadBoard("S2A000\r");
        QCOMPARE(result.outcome, SendResult::Outcome::ErrorEnding);
        QCOMPARE(link->ComFlag, 1);
        QCOMPARE(host->status, QStringLiteral("reading..."));
        QVERIFY(link->MSComm2->portOpen());
    }

    void silenceClosesAndReopensThePortAfterTwelveTicks() {
        board->setFault(Fault::NoReply);
        QElapsedTimer clock;
        clock.start();
        const SendResult result = link->Send_To_LoadBoard("H2\r");
        const qint64 waited = clock.elapsed();
        QCOMPARE(result.outcome, SendResult::Outcome::Timeout);
        QCOMPARE(link->ComFlag, 0);
        QVERIFY2(waited >= 1100 && waited < 2500, qPrintable(QString::number(waited)));
        QVERIFY(link->MSComm2->portOpen());
        QVERIFY(link->Send_To_LoadBoard("H2\r").ok());
        QCOMPARE(host->lost, 0);
    }

    void aSendDuringAWaitIsHeldUntilTheFirstHasEnded() {
        board->setFault(Fault::Paced);
        SendResult inner;
        QObject scope;
        QTimer::singleShot(1, &scope, [&] { inner = link->Send_To_LoadBoard("RI\r"); });
        board->setStatusWord(0xA55A);
        const SendResult outer = link->Send_To_LoadBoard("RS\r");
        QVERIFY(outer.ok());
        QVERIFY(inner.ok());
        QCOMPARE(board->receivedLines(), (QStringList{"RS", "RI"}));
        // Each caller reads its own reply: the status byte, and the interrupt level.
        QCOMPARE(ReplyTails::field(outer.Last15, 6, 7), QStringLiteral("A5"));
        QCOMPARE(ReplyTails::field(inner.Last15, 3, 3), ReplyTails::field(inner.Last15, 7, 7));
    }

    void aLineWithSeveralCommandsWaitsForEachReply() {
        const SendResult result = link->Send_To_LoadBoard("H2\rL2\rL0\r");
        QVERIFY(result.ok());
        QCOMPARE(board->receivedLines(), (QStringList{"H2", "L2", "L0"}));
        QVERIFY(!link->isBusy());
    }

    void aLineEndedByCrLfIsOneCommand_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("CR LF") << "S2D027\r\n" << QStringList{"S2D027"};
        QTest::newRow("two lines ended by CR LF") << "H2\r\nL2\r\n" << QStringList{"H2", "L2"};
        QTest::newRow("several CRs") << "H2\r\rL2\r" << QStringList{"H2", "", "L2"};
    }
    void aLineEndedByCrLfIsOneCommand() {
        QFETCH(QString, line);
        QFETCH(QStringList, commands);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(link->Send_To_LoadBoard(line).ok());
        // A stray LF sent as a command of its own would wait 1.2 s for a reply.
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(board->receivedLines(), commands);
    }

    // A monitor window re-arms the board from its change handler when a report ends.
    void aSendFromACharacterHandlerGetsItsReply() {
        QList<SendResult> results;
        host->onEcho = [&] {
            if (!host->tails.Last7.endsWith(QStringLiteral("END\r")))
                return;
            for (int i = 0; i < 9; ++i)
                results.append(
                    link->Send_To_LoadBoard(QStringLiteral("S2%1\r").arg(0xA000 + i, 0, 16)));
        };
        QElapsedTimer clock;
        clock.start();
        board->sendUnsolicited("packet 01 02 END\r");
        QTRY_COMPARE(results.size(), 9);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        for (const SendResult& result : std::as_const(results))
            QVERIFY(result.ok());
        QCOMPARE(board->receivedLines().size(), 9);
    }

    // What arrived behind the character whose handler now waits is handed out inside that
    // wait, in order, even when nothing more comes.
    void charactersBehindAWaitingHandlerArriveInsideTheWait() {
        board->setFault(Fault::NoReply);
        QString echoedDuringTheWait;
        host->onEcho = [&] {
            if (!host->tails.Last7.endsWith(QStringLiteral("END\r")) ||
                !echoedDuringTheWait.isEmpty())
                return;
            QTimer::singleShot(300, [&] { echoedDuringTheWait = host->echoed; });
            link->Send_To_LoadBoard(QStringLiteral("Z3\r"));
        };
        board->sendUnsolicited("packet END\rnext 03");
        QTRY_VERIFY(!echoedDuringTheWait.isEmpty());
        QCOMPARE(echoedDuringTheWait, QStringLiteral("packet END\r\nnext 03"));
    }

    void aReportArrivingDuringAWaitDoesNotHangIt() {
        // The board sends a report just before its slow reply; the report's handler sends.
        board->addCommand("RS", [this](const QString&) -> sim::Reply {
            board->sendUnsolicited("packet END\r");
            return QByteArray("status A5\n\rOK\n\r>");
        });
        board->setFault(Fault::Paced);
        SendResult inner;
        host->onEcho = [&] {
            if (host->tails.Last7.endsWith(QStringLiteral("END\r")))
                inner = link->Send_To_LoadBoard(QStringLiteral("Z3\r"));
        };
        QElapsedTimer clock;
        clock.start();
        const SendResult outer = link->Send_To_LoadBoard(QStringLiteral("RS\r"));
        QVERIFY(outer.ok());
        QVERIFY(outer.Last15.endsWith(QStringLiteral("A5\n\rOK\n\r>")));
        QTRY_VERIFY(inner.ok());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(board->receivedLines(), (QStringList{"RS", "Z3"}));
    }

    void echoesCarriageReturnsAsLineBreaksAndDropsLineFeeds() {
        link->Send_To_LoadBoard("Z3\r");
        QVERIFY(!host->echoed.contains(QStringLiteral("\n\r")));
        QVERIFY(host->echoed.endsWith(QStringLiteral("\r\nOK\r\n>")));
        QCOMPARE(host->tails.Last15.right(7), okEnding());
    }

    void aClosedPortIsReportedOnce() {
        link->MSComm2->setPortOpen(false);
        const SendResult result = link->Send_To_LoadBoard("Z3\r");
        QCOMPARE(result.outcome, SendResult::Outcome::PortClosed);
        QCOMPARE(dialogs->messages.size(), 1);
        QCOMPARE(dialogs->messages[0].text,
                 QStringLiteral("Error occured:8018,Operation valid only when the port is "
                                "open\r\nPlease try again!"));
        QCOMPARE(dialogs->messages[0].title, QStringLiteral("USB communication error"));
    }

    void aVanishingBoardTakesTheLostPathOnce() {
        board->setFault(Fault::Vanish);
        SendResult queued;
        QObject scope;
        QTimer::singleShot(1, &scope, [&] { queued = link->Send_To_LoadBoard("Z3\r"); });
        const SendResult result = link->Send_To_LoadBoard("H2\r");
        QTRY_COMPARE(host->lost, 1);
        QCOMPARE(result.outcome, SendResult::Outcome::PortClosed);
        QCOMPARE(queued.outcome, SendResult::Outcome::PortClosed);
        QVERIFY(!link->MSComm2->portOpen());
        QVERIFY(dialogs->messages.isEmpty());
    }

    void discardingTheLinkEndsAWaitingSend() {
        board->setFault(Fault::NoReply);
        LinkWindow* doomed = link.get();
        QTimer::singleShot(50, doomed, [doomed] { doomed->shutdown(); });
        const SendResult result = doomed->Send_To_LoadBoard("H2\r");
        QCOMPARE(result.outcome, SendResult::Outcome::PortClosed);
        QVERIFY(!doomed->isBusy());
    }
};

QTEST_MAIN(TestLink)
#include "test_link.moc"
