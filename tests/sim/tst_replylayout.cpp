// The program reads reply fields at fixed positions of its right-aligned reply tails; these
// tests read them the same way from what a real serial port received.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QTest>

using krv::sim::BoardSimulator;
using krv::sim::Personality;
using krv::sim::test::BoardPort;
using krv::sim::test::field;

class TestReplyLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void banner_data();
    void banner();
    void statusBytes_data();
    void statusBytes();
    void interruptLine_data();
    void interruptLine();
    void currentReading_data();
    void currentReading();
};

void TestReplyLayout::banner_data() {
    QTest::addColumn<Personality>("personality");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("text");

    const QByteArray name = "Korvanethilmorasquendaplix";
    QTest::newRow("board 1.x name") << Personality::Board1 << 3 << name;
    QTest::newRow("board 1.x version") << Personality::Board1 << 34 << QByteArray("1.");
    QTest::newRow("board 2.x name") << Personality::Board2 << 3 << name;
    QTest::newRow("board 2.x version") << Personality::Board2 << 34 << QByteArray("2.");
    QTest::newRow("monitor name") << Personality::Monitor << 5 << QByteArray("Zibor Demo Monitor");
    QTest::newRow("monitor version") << Personality::Monitor << 27 << QByteArray("1.");
    QTest::newRow("loader name") << Personality::Loader << 5 << QByteArray("LoadBoard Loader");
}

void TestReplyLayout::banner() {
    QFETCH(Personality, personality);
    QFETCH(int, position);
    QFETCH(QByteArray, text);
    BoardSimulator simulator(personality);
    QVERIFY(simulator.start());
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());

    // Earlier traffic fills the tail in front of the banner.
    port.exchange("AD");
    const QByteArray reply = port.exchange("i");

    QVERIFY(reply.endsWith(krv::sim::test::okEnding));
    const QByteArray compared = port.tail(100).right(94);
    QCOMPARE(field(compared, position, text.size()), text);
}

void TestReplyLayout::statusBytes_data() {
    QTest::addColumn<quint16>("word");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArrayList>("bytes");

    const QByteArrayList statusRead = {"H2", "L2", "L0", "RS", "RS", "H2"};
    QTest::newRow("status read") << quint16(0xA5C3) << statusRead << QByteArrayList{"A5", "C3"};
    QTest::newRow("leading zeros") << quint16(0x0F00) << statusRead << QByteArrayList{"0F", "00"};
    QTest::newRow("bytes in turn, selection restarts")
        << quint16(0x1234) << QByteArrayList{"RS", "RS", "RS", "L0", "RS"}
        << QByteArrayList{"12", "34", "12", "12"};
}

void TestReplyLayout::statusBytes() {
    QFETCH(quint16, word);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArrayList, bytes);
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    simulator.setStatusWord(word);
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());

    QByteArrayList read;
    for (const QByteArray& line : lines) {
        QVERIFY(port.exchange(line).endsWith(krv::sim::test::okEnding));
        if (line == "RS") {
            read.append(field(port.tail(15), 6, 2));
        }
    }
    QCOMPARE(read, bytes);
}

void TestReplyLayout::interruptLine_data() {
    QTest::addColumn<bool>("pending");
    QTest::addColumn<QByteArray>("level");

    QTest::newRow("pending") << true << QByteArray("0");
    QTest::newRow("idle") << false << QByteArray("1");
}

void TestReplyLayout::interruptLine() {
    QFETCH(bool, pending);
    QFETCH(QByteArray, level);
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    simulator.setInterruptPending(pending);
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());

    QVERIFY(port.exchange("RI").endsWith(krv::sim::test::okEnding));
    // Receiver and transceiver panels read character 3, transmitter panels character 7.
    QCOMPARE(field(port.tail(15), 3, 1), level);
    QCOMPARE(field(port.tail(15), 7, 1), level);
}

void TestReplyLayout::currentReading_data() {
    QTest::addColumn<int>("converterValue");
    QTest::addColumn<QByteArray>("high");
    QTest::addColumn<QByteArray>("low");

    QTest::newRow("300") << 300 << QByteArray("02") << QByteArray("D3");
    QTest::newRow("zero") << 0 << QByteArray("03") << QByteArray("FF");
    QTest::newRow("full scale") << 1023 << QByteArray("00") << QByteArray("00");
    QTest::newRow("low byte only") << 768 << QByteArray("00") << QByteArray("FF");
}

void TestReplyLayout::currentReading() {
    QFETCH(int, converterValue);
    QFETCH(QByteArray, high);
    QFETCH(QByteArray, low);
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    simulator.setCurrentReading(converterValue);
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());

    const QByteArray reply = port.exchange("AD");

    QVERIFY(reply.size() >= 100);
    QVERIFY(reply.endsWith(krv::sim::test::okEnding));
    QCOMPARE(field(port.tail(100), 68, 2), high);
    QCOMPARE(field(port.tail(100), 84, 2), low);
}

QTEST_GUILESS_MAIN(TestReplyLayout)
#include "tst_replylayout.moc"
