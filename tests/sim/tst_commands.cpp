// The command language as the board understands it: which lines it accepts, how it frames
// them, what state they leave behind, and how further commands are taught to it.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using krv::sim::BoardSimulator;
using krv::sim::Reply;
using krv::sim::test::BoardPort;
using krv::sim::test::errorEnding;
using krv::sim::test::okEnding;

class TestCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void ending_data();
    void ending();
    void framing_data();
    void framing();
    void boardState();
    void addedCommands();

private:
    std::unique_ptr<BoardSimulator> simulator_;
    std::unique_ptr<BoardPort> port_;
};

void TestCommands::init() {
    simulator_ = std::make_unique<BoardSimulator>();
    QVERIFY(simulator_->start());
    port_ = std::make_unique<BoardPort>(simulator_->devicePath());
    QVERIFY(port_->open());
}

void TestCommands::cleanup() {
    port_.reset();
    simulator_.reset();
}

void TestCommands::ending_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("ending");

    const QByteArray ok = okEnding;
    const QByteArray error = errorEnding;
    for (const char* line :
         {"i",  "V83", "VC1",    "V8",   "A1",   "A0",     "AD", "X1", "X0", "H2", "L0",
          "Z3", "Z9",  "S2A640", "S1C0", "WSCC", "WS0102", "RS", "RI", "",   "ri", "s2A640"}) {
        QTest::addRow("accepts \"%s\"", line) << QByteArray(line) << ok;
    }
    for (const char* line : {"Q", "iX", "V", "V123", "VG1", "A2", "ADX", "X3", "H", "H10", "HX",
                             "S2A64", "S2A6400", "S1C", "WS", "WSC", "RSX", "RI0"}) {
        QTest::addRow("rejects \"%s\"", line) << QByteArray(line) << error;
    }
}

void TestCommands::ending() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, ending);

    QVERIFY(port_->exchange(line).endsWith(ending));
}

void TestCommands::framing_data() {
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("LF ignored") << QByteArrayList{"\nV8\n3\r"} << QStringList{"V83"};
    QTest::newRow("CR LF") << QByteArrayList{"Z3\r\n"} << QStringList{"Z3"};
    QTest::newRow("two lines in one write")
        << QByteArrayList{"Z3\rH2\r"} << QStringList{"Z3", "H2"};
    QTest::newRow("line over two writes")
        << QByteArrayList{"S2A", "640\r"} << QStringList{"S2A640"};
    QTest::newRow("lone CR") << QByteArrayList{"\r"} << QStringList{""};
}

void TestCommands::framing() {
    QFETCH(QByteArrayList, writes);
    QFETCH(QStringList, lines);
    QSignalSpy spy(simulator_.get(), &BoardSimulator::lineReceived);

    for (const QByteArray& bytes : writes) {
        port_->port().write(bytes);
        QVERIFY(port_->port().waitForBytesWritten(1000));
    }

    QVERIFY(port_->waitForEndings(0, lines.size()));
    QCOMPARE(port_->received(), QByteArray(okEnding).repeated(lines.size()));
    QCOMPARE(simulator_->receivedLines(), lines);
    QCOMPARE(spy.size(), lines.size());
    QCOMPARE(spy.last().first().toString(), lines.last());
}

void TestCommands::boardState() {
    const QByteArrayList lines = {"V83",    "A1",   "X0",   "H2",     "L0",  "Z3", "L2",
                                  "S2A640", "S1C0", "WSCC", "WS0102", "V9A", "H0"};
    for (const QByteArray& line : lines) {
        QVERIFY(port_->exchange(line).endsWith(okEnding));
    }

    QCOMPARE(simulator_->supplyCode(), QString("9A"));
    QVERIFY(simulator_->currentRangeHigh());
    QCOMPARE(simulator_->dataSelect(), QString("X0"));
    QCOMPARE(simulator_->lineState(0), QString("H"));
    QCOMPARE(simulator_->lineState(2), QString("L"));
    QCOMPARE(simulator_->lineState(3), QString("Z"));
    QCOMPARE(simulator_->writtenWords(), QStringList({"S2 A640", "S1 C0", "WS CC", "WS 0102"}));
    QCOMPARE(simulator_->receivedLines().size(), lines.size());
    QCOMPARE(simulator_->receivedLines().first(), QString("V83"));

    simulator_->clearReceived();
    port_->exchange("A0");
    QVERIFY(!simulator_->currentRangeHigh());
    QCOMPARE(simulator_->receivedLines(), QStringList{"A0"});
}

void TestCommands::addedCommands() {
    QString argument;
    simulator_->addCommand("RF", [&](const QString& text) -> Reply {
        argument = text;
        return QByteArray("\r\nlink up") + okEnding;
    });
    simulator_->addCommand("S", [](const QString&) -> Reply { return QByteArray(okEnding); });
    simulator_->addCommand("Z", [](const QString&) -> Reply { return QByteArray("ERROR\n\r>"); });

    QCOMPARE(port_->exchange("RF12"), QByteArray("\r\nlink up") + okEnding);
    QCOMPARE(argument, QString("12"));
    QVERIFY(port_->exchange("S9").endsWith(okEnding));
    // The longer built-in prefix still wins over the added one.
    QVERIFY(port_->exchange("S2A6").endsWith(errorEnding));
    // An added command replaces a built-in one of the same prefix.
    QVERIFY(port_->exchange("Z3").endsWith(errorEnding));
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
