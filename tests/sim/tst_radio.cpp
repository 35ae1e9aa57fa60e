// The board's radio: packet reception armed by the receive commands and reported to the PC,
// packets sent through a shared air, the data pin with its PN15 generator and the data-output
// monitor that shows another board's carrier.

#include "boardport.h"
#include "sim/air.h"
#include "sim/boardsimulator.h"
#include "sim/radio.h"

#include <QElapsedTimer>
#include <QTest>
#include <memory>

using krv::sim::Air;
using krv::sim::BoardSimulator;
using krv::sim::Personality;
using krv::sim::Pn15;
using krv::sim::test::BoardPort;
using krv::sim::test::errorEnding;
using krv::sim::test::okEnding;

namespace {

struct Board {
    std::unique_ptr<BoardSimulator> simulator;
    std::unique_ptr<BoardPort> port;
};

Board makeBoard(Personality personality, Air& air) {
    Board board;
    board.simulator = std::make_unique<BoardSimulator>(personality);
    board.simulator->radio().setAir(&air);
    if (!board.simulator->start())
        return board;
    board.port = std::make_unique<BoardPort>(board.simulator->devicePath());
    board.port->open();
    return board;
}

QByteArray report(const QByteArray& data) {
    return "\n\rReceived packet: " + QByteArray::number(data.size()).rightJustified(2, '0') +
           " bytes: " + data + okEnding;
}

} // namespace

class TestRadio : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandsAcceptedAndRefused_data();
    void commandsAcceptedAndRefused();
    void packetTravelsToArmedBoard();
    void framesAreCut_data();
    void framesAreCut();
    void board1SendsDataAloneAtLinePace();
    void stopDropsAPendingReport();
    void lossOnTheAir();
    void bitErrorsOnTheAir();
    void dataOutputShowsOtherCarrier();
    void pn15Sequence();
    void pn15SeenThroughAnotherBoard();
};

void TestRadio::commandsAcceptedAndRefused_data() {
    QTest::addColumn<int>("generation");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("accepted");
    const struct {
        int generation;
        const char* line;
        bool accepted;
    } cases[] = {
        {2, "F11,13,100,1", true},
        {2, "F12,0,255", true},
        {2, "F13,013,0", true},
        {1, "F1,13,100", true},
        {1, "F3,13,100,1", true},
        {2, "F1,13,100", false},
        {1, "F11,13,100", false},
        {2, "F11,13,256", false},
        {2, "F11,abc,100", false},
        {2, "F11,13", false},
        {2, "F11,13,100,2", false},
        {2, "F0", true},
        {2, "T14,AA,2D,0D", true},
        {2, "T14,A,", true},
        {2, "T14,ABC", false},
        {2, "T14,G1", false},
        {2, "T0", true},
        {2, "y01", true},
        {2, "y31", true},
        {2, "y4", false},
        {2, "y12", false},
        {2, "d2", true},
        {2, "d1", false},
        {2, "RO", true},
    };
    for (const auto& c : cases)
        QTest::addRow("%d %s", c.generation, c.line)
            << c.generation << QByteArray(c.line) << c.accepted;
    QTest::addRow("2 T14 with 255 bytes") << 2 << "T14," + QByteArray("00,").repeated(255) << true;
    QTest::addRow("2 T14 with 256 bytes") << 2 << "T14," + QByteArray("00,").repeated(256) << false;
}

void TestRadio::commandsAcceptedAndRefused() {
    QFETCH(int, generation);
    QFETCH(QByteArray, line);
    QFETCH(bool, accepted);
    Air air;
    Board board = makeBoard(generation == 1 ? Personality::Board1 : Personality::Board2, air);
    QVERIFY(board.port);
    const QByteArray reply = board.port->exchange(line);
    QVERIFY2(reply.endsWith(accepted ? okEnding : errorEnding), reply.constData());
}

void TestRadio::packetTravelsToArmedBoard() {
    Air air;
    Board sender = makeBoard(Personality::Board2, air);
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(sender.port && receiver.port);
    receiver.port->exchange("S2CA80");
    receiver.port->exchange("F11,13,100");
    receiver.port->exchange("S2CA82");
    const qsizetype from = receiver.port->received().size();
    QVERIFY(sender.port->exchange("T14,AA,2D,D4,48,65,6C,6C,6F,0D").endsWith(okEnding));
    QVERIFY(receiver.port->waitForEndings(from, 1));
    const QByteArray got = receiver.port->received().mid(from);
    QCOMPARE(got, report("Hello"));
    QCOMPARE(got.mid(19, 2), QByteArray("05"));
    QCOMPARE(got.mid(29, 5), QByteArray("Hello"));
    // A report disarms: the next frame is not received.
    QVERIFY(!receiver.simulator->radio().armed());
    sender.port->exchange("T14,AA,2D,D4,41,0D");
    QTest::qWait(100);
    QCOMPARE(receiver.port->received().mid(from), report("Hello"));
}

void TestRadio::framesAreCut_data() {
    QTest::addColumn<QByteArray>("fifoWord");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("data"); // "-": no report
    QTest::newRow("preamble skipped") << QByteArray("S2CE83") << QByteArray("F11,13,100")
                                      << QByteArray("\xAA\xAA"
                                                    "AB\rC")
                                      << QByteArray("AB");
    QTest::newRow("pattern awaited") << QByteArray("S2CE87") << QByteArray("F11,13,100")
                                     << QByteArray("\xAA"
                                                   "x\x2D\xD4"
                                                   "AB\r")
                                     << QByteArray("AB");
    QTest::newRow("pattern missing") << QByteArray("S2CE87") << QByteArray("F11,13,100")
                                     << QByteArray("\xAA"
                                                   "AB\r")
                                     << QByteArray("-");
    QTest::newRow("fill off") << QByteArray("S2CE85") << QByteArray("F11,13,100")
                              << QByteArray("AB\r") << QByteArray("-");
    QTest::newRow("length") << QByteArray("S2CA86") << QByteArray("F11,13,3")
                            << QByteArray("ABCDE\r") << QByteArray("ABC");
    QTest::newRow("end byte only") << QByteArray("S2CA86") << QByteArray("F12,13,3")
                                   << QByteArray("ABCDE\rF") << QByteArray("ABCDE");
    QTest::newRow("length only") << QByteArray("S2CA86") << QByteArray("F13,13,4")
                                 << QByteArray("A\rBCDE") << QByteArray("A\rBC");
    QTest::newRow("at most 99") << QByteArray("S2CA86") << QByteArray("F13,13,0")
                                << QByteArray(120, 'x') << QByteArray(99, 'x');
}

void TestRadio::framesAreCut() {
    QFETCH(QByteArray, fifoWord);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, data);
    Air air;
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(receiver.port);
    receiver.port->exchange(command);
    receiver.port->exchange(fifoWord);
    const qsizetype from = receiver.port->received().size();
    air.transmit(frame);
    if (data == "-") {
        QTest::qWait(100);
        QCOMPARE(receiver.port->received().mid(from), QByteArray());
    } else {
        QVERIFY(receiver.port->waitForEndings(from, 1));
        QCOMPARE(receiver.port->received().mid(from), report(data));
    }
}

void TestRadio::board1SendsDataAloneAtLinePace() {
    Air air;
    Board receiver = makeBoard(Personality::Board1, air);
    QVERIFY(receiver.port);
    receiver.port->exchange("F3,13,100");
    receiver.port->exchange("S2CE83");
    const qsizetype from = receiver.port->received().size();
    QElapsedTimer clock;
    clock.start();
    air.transmit(QByteArray(100, 'z'));
    QVERIFY(QTest::qWaitFor([&] { return receiver.port->received().size() - from >= 100; }));
    // 100 characters of 10 bits at 19200 baud take 52 ms.
    QVERIFY(clock.elapsed() >= 45);
    QCOMPARE(receiver.port->received().mid(from), QByteArray(100, 'z'));
}

void TestRadio::stopDropsAPendingReport() {
    Air air;
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(receiver.port);
    receiver.port->exchange("F11,13,100");
    receiver.port->exchange("S2CA86");
    const qsizetype from = receiver.port->received().size();
    // Sent while the reply to F0 is still due: the report waits and F0 drops it.
    receiver.port->send("F0");
    air.transmit("AB\r");
    QVERIFY(receiver.port->waitForEndings(from, 1));
    QTest::qWait(100);
    QCOMPARE(receiver.port->received().mid(from), QByteArray(okEnding));
}

void TestRadio::lossOnTheAir() {
    Air air(7);
    air.setLossPercent(100);
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(receiver.port);
    receiver.port->exchange("F11,13,100");
    receiver.port->exchange("S2CA86");
    air.transmit("AB\r");
    QTest::qWait(100);
    QVERIFY(receiver.simulator->radio().armed());
}

void TestRadio::bitErrorsOnTheAir() {
    Air air;
    air.setBitErrorRate(1.0);
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(receiver.port);
    receiver.port->exchange("F13,13,2");
    receiver.port->exchange("S2CA86");
    const qsizetype from = receiver.port->received().size();
    air.transmit("AB");
    QVERIFY(receiver.port->waitForEndings(from, 1));
    QCOMPARE(receiver.port->received().mid(from), report("\xBE\xBD"));
}

void TestRadio::dataOutputShowsOtherCarrier() {
    Air air;
    Board sender = makeBoard(Personality::Board2, air);
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(sender.port && receiver.port);
    const auto level = [&] {
        const QByteArray reply = receiver.port->exchange("RO");
        return reply.right(15).mid(4, 1);
    };
    sender.port->exchange("S2c039");
    sender.port->exchange("y11");
    QCOMPARE(level(), QByteArray("0")); // monitor off
    receiver.port->exchange("d2");
    QCOMPARE(receiver.port->exchange("RO"), QByteArray("\n\rDO1   ") + okEnding);
    sender.port->exchange("y01");
    QCOMPARE(level(), QByteArray("0"));
    sender.port->exchange("y11");
    sender.port->exchange("S2c000");
    QCOMPARE(level(), QByteArray("0")); // carrier off
    receiver.port->exchange("d0");
    sender.port->exchange("S2c039");
    QCOMPARE(level(), QByteArray("0"));
}

void TestRadio::pn15Sequence() {
    QString first32;
    for (int i = 0; i < 32; ++i)
        first32 += QString::number(Pn15::bit(i));
    QCOMPARE(first32, QStringLiteral("00000000000000100000000000001100"));
    // Maximal length: the register comes back to its seed after 2^15 - 1 steps only.
    QCOMPARE(Pn15::bit(Pn15::period + 14), Pn15::bit(14));
}

void TestRadio::pn15SeenThroughAnotherBoard() {
    Air air;
    Board sender = makeBoard(Personality::Board2, air);
    Board receiver = makeBoard(Personality::Board2, air);
    QVERIFY(sender.port && receiver.port);
    receiver.port->exchange("d2");
    sender.port->exchange("y21");
    QElapsedTimer clock;
    clock.start();
    // At 20 bit/s the first one (bit 14) shows from 700 to 750 ms, the next two from 1400 ms.
    QList<qint64> rises;
    QByteArray last = "0";
    while (clock.elapsed() < 1600) {
        const QByteArray level = receiver.port->exchange("RO").right(15).mid(4, 1);
        if (level == "1" && last == "0")
            rises.append(clock.elapsed());
        last = level;
    }
    QCOMPARE(rises.size(), 2);
    QVERIFY2(rises[0] >= 650 && rises[0] <= 760, qPrintable(QString::number(rises[0])));
    QVERIFY2(rises[1] >= 1350 && rises[1] <= 1460, qPrintable(QString::number(rises[1])));
}

QTEST_GUILESS_MAIN(TestRadio)
#include "tst_radio.moc"
