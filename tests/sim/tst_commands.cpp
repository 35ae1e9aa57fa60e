// The command language as the board understands it: which lines it accepts, how it frames
// them, what state they leave behind, how further commands are taught to it, and the commands
// of the EEPROM on its SPI bus.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

using krv::sim::BoardSimulator;
using krv::sim::Reply;
using krv::sim::test::BoardPort;
using krv::sim::test::errorEnding;
using krv::sim::test::field;
using krv::sim::test::okEnding;

namespace {

// EEPROM contents that tell every address from its neighbours and from those 1024 away.
QByteArray eepromPattern() {
    QByteArray bytes;
    for (int address = 0; address < krv::sim::SpiEeprom::Size; ++address)
        bytes.append(char(address % 251));
    return bytes;
}

// What a line got, as the table below writes it: OK, ERROR, a status byte or the bytes read.
QByteArray answerOf(const QByteArray& line, const QByteArray& reply) {
    if (reply.endsWith(errorEnding))
        return "ERROR";
    if (!reply.endsWith(okEnding))
        return "no ending";
    if (line == "S20500" || line == "RS")
        return reply.size() == 15 ? field(reply, 6, 2) : "bad length";
    if (line == "RS16")
        return reply.chopped(qsizetype(sizeof okEnding) - 1).mid(2).trimmed();
    return "OK";
}

} // namespace

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
    void eeprom_data();
    void eeprom();
    void eepromLeavesTheChipItsCommands();

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

void TestCommands::eeprom_data() {
    QTest::addColumn<bool>("present");
    QTest::addColumn<int>("busyPolls");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArrayList>("answers");
    QTest::addColumn<QByteArray>("page"); // the 16 bytes at 0x10 afterwards; empty: untouched

    const QByteArrayList ok2 = {"OK", "OK"};
    QTest::newRow("write with the latch set")
        << true << 0 << QByteArrayList{"S106", "SX02,00,12,01,02"} << ok2
        << QByteArray::fromHex("10 11 01 02 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f");
    QTest::newRow("no write without the latch")
        << true << 0 << QByteArrayList{"SX02,00,12,01,02"} << QByteArrayList{"OK"} << QByteArray();
    QTest::newRow("S104 clears the latch")
        << true << 0 << QByteArrayList{"S106", "S20500", "S104", "S20500", "SX02,00,12,01"}
        << QByteArrayList{"OK", "02", "OK", "00", "OK"} << QByteArray();
    QTest::newRow("a write clears the latch")
        << true << 0 << QByteArrayList{"S106", "SX02,00,12,01", "S20500", "SX02,00,13,02"}
        << QByteArrayList{"OK", "OK", "00", "OK"}
        << QByteArray::fromHex("10 11 01 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f");
    QTest::newRow("write wraps inside its page")
        << true << 0 << QByteArrayList{"S106", "SX02,00,1E,01,02,03"} << ok2
        << QByteArray::fromHex("03 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 01 02");
    QByteArray sixteen = "SX02,00,10";
    for (int i = 0; i < 16; ++i)
        sixteen += ",A" + QByteArray::number(i, 16).toUpper();
    QTest::newRow("16 bytes") << true << 0 << QByteArrayList{"S106", sixteen} << ok2
                              << QByteArray::fromHex("a0a1a2a3a4a5a6a7a8a9aaabacadaeaf");
    QTest::newRow("17 bytes refused") << true << 0 << QByteArrayList{"S106", sixteen + ",B0"}
                                      << QByteArrayList{"OK", "ERROR"} << QByteArray();
    for (const char* line : {"SX02,00,10", "SX02,0,10,01", "SX02,00,10,0G", "SX02,00,10,01,",
                             "SX0200,10,01", "SX02,00,10,011"}) {
        QTest::addRow("\"%s\" refused", line) << true << 0 << QByteArrayList{"S106", line}
                                              << QByteArrayList{"OK", "ERROR"} << QByteArray();
    }
    QTest::newRow("busy polls after a write")
        << true << 2 << QByteArrayList{"S106", "SX02,00,10,01", "S20500", "S20500", "S20500"}
        << QByteArrayList{"OK", "OK", "01", "01", "00"}
        << QByteArray::fromHex("01 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f");
    QTest::newRow("read on from an address")
        << true << 0 << QByteArrayList{"L2", "WS03,00,10", "RS16", "RS16"}
        << QByteArrayList{"OK", "OK", "10 11 12 13 14 15 16 17 18 19 1a 1b 1c 1d 1e 1f",
                          "20 21 22 23 24 25 26 27 28 29 2a 2b 2c 2d 2e 2f"}
        << QByteArray();
    QTest::newRow("read wraps at 1024")
        << true << 0 << QByteArrayList{"L2", "WS03,03,F8", "RS16"}
        << QByteArrayList{"OK", "OK", "0c 0d 0e 0f 10 11 12 13 00 01 02 03 04 05 06 07"}
        << QByteArray();
    QTest::newRow("reads need line 2 low")
        << true << 0 << QByteArrayList{"WS03,00,10", "RS16", "L2", "H2", "RS16", "WS03,00,10"}
        << QByteArrayList{"ERROR", "ERROR", "OK", "OK", "ERROR", "ERROR"} << QByteArray();
    QTest::newRow("malformed read address")
        << true << 0 << QByteArrayList{"L2", "WS03,0010", "WS03,00", "WS03,00,10,00", "RS16X"}
        << QByteArrayList{"OK", "ERROR", "ERROR", "ERROR", "ERROR"} << QByteArray();
    QTest::newRow("no EEPROM")
        << false << 0
        << QByteArrayList{"S106", "S20500", "SX02,00,10,01", "L2", "WS03,00,10", "RS16"}
        << QByteArrayList{"OK", "00", "OK",
                          "OK", "OK", "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}
        << QByteArray();
}

void TestCommands::eeprom() {
    QFETCH(bool, present);
    QFETCH(int, busyPolls);
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArrayList, answers);
    QFETCH(QByteArray, page);
    krv::sim::SpiEeprom& memory = simulator_->eeprom();
    memory.setBytes(0, eepromPattern());
    memory.setPresent(present);
    memory.setBusyPolls(busyPolls);

    QByteArrayList got;
    for (const QByteArray& line : lines)
        got.append(answerOf(line, port_->exchange(line)));

    QCOMPARE(got, answers);
    QCOMPARE(memory.bytes(0x10, 16), page.isEmpty() ? eepromPattern().mid(0x10, 16) : page);
}

void TestCommands::eepromLeavesTheChipItsCommands() {
    simulator_->setStatusWord(0xA5C3);
    const QByteArrayList lines = {"WS0312", "WS03", "S106", "S20500", "S104",
                                  "H2",     "L2",   "L0",   "RS"};
    QByteArrayList got;
    for (const QByteArray& line : lines)
        got.append(answerOf(line, port_->exchange(line)));

    QCOMPARE(got.last(), "A5");
    // The EEPROM's latch and status commands are also words the chip takes.
    QCOMPARE(simulator_->writtenWords(),
             QStringList({"WS 0312", "WS 03", "S1 06", "S2 0500", "S1 04"}));
}

QTEST_GUILESS_MAIN(TestCommands)
#include "tst_commands.moc"
