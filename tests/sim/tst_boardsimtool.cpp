// The krv-board-sim executable: what it announces, the options that set up its board, and its
// clean end on a termination signal.

#include "boardport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using krv::sim::test::BoardPort;
using krv::sim::test::field;
using krv::sim::test::okEnding;

namespace {

// The simulator process and the device it announced.
class Tool {
public:
    explicit Tool(const QStringList& arguments) { process_.start(KRV_BOARD_SIM, arguments); }
    ~Tool() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // The announced lines (two per board), once all have arrived; none when they do not come.
    QStringList announcement(int boards = 1) {
        const bool announced = QTest::qWaitFor([this, boards] {
            output_ += process_.readAllStandardOutput();
            return output_.count('\n') >= 2 * boards;
        });
        if (!announced) {
            return {};
        }
        return QString::fromLocal8Bit(output_).split('\n', Qt::SkipEmptyParts);
    }

    QProcess& process() { return process_; }

private:
    QProcess process_;
    QByteArray output_;
};

// What the second of two boards on the air options reports of each two-byte frame "AB" the
// first sends: the data, or "-" for a frame that never came.
QByteArrayList framesThroughTheAir(const QStringList& options, int frames) {
    Tool tool(QStringList{"--personality", "2,2"} + options);
    const QStringList lines = tool.announcement(2);
    if (lines.size() != 4)
        return {};
    BoardPort sender(lines[1].section('=', 1));
    BoardPort receiver(lines[3].section('=', 1));
    if (!sender.open() || !receiver.open())
        return {};
    receiver.exchange("S2CA86");
    QByteArrayList got;
    for (int frame = 0; frame < frames; ++frame) {
        receiver.exchange("F13,13,2");
        const qsizetype from = receiver.received().size();
        sender.exchange("T14,41,42");
        const bool reported =
            QTest::qWaitFor([&] { return receiver.received().mid(from).endsWith(okEnding); }, 300);
        // "Received packet: 02 bytes: " and the two bytes.
        got.append(reported ? receiver.received().mid(from).mid(29, 2) : QByteArray("-"));
    }
    return got;
}

} // namespace

class TestBoardSimTool : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void announces_data();
    void announces();
    void boardOptions();
    void boardsShareOneAir();
    void airOptionsTakeEffect_data();
    void airOptionsTakeEffect();
    void seedRepeatsTheLosses();
    void loaderOptions_data();
    void loaderOptions();
    void eepromOptions_data();
    void eepromOptions();
    void chipOption_data();
    void chipOption();
    void endsOnSignal_data();
    void endsOnSignal();
    void rejectsBadOptions_data();
    void rejectsBadOptions();
};

void TestBoardSimTool::announces_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("com");
    QTest::addColumn<int>("bannerPosition");
    QTest::addColumn<QByteArray>("bannerText");

    QTest::newRow("defaults") << QStringList{} << "board 2.x" << 1 << 34 << QByteArray("2.");
    QTest::newRow("board 1.x on COM 3") << QStringList{"--personality", "1", "--com", "3"}
                                        << "board 1.x" << 3 << 34 << QByteArray("1.");
    QTest::newRow("loader") << QStringList{"--personality", "loader"} << "firmware loader" << 1 << 5
                            << QByteArray("LoadBoard Loader");
    QTest::newRow("monitor") << QStringList{"--personality", "monitor", "--com", "12"}
                             << "packet monitor" << 12 << 5 << QByteArray("Zibor Demo Monitor");
    QTest::newRow("paced at 19200 baud")
        << QStringList{"--baud", "19200"} << "board 2.x" << 1 << 34 << QByteArray("2.");
}

void TestBoardSimTool::announces() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, kind);
    QFETCH(int, com);
    QFETCH(int, bannerPosition);
    QFETCH(QByteArray, bannerText);
    Tool tool(arguments);

    const QStringList lines = tool.announcement();

    QCOMPARE(lines.size(), 2);
    const QRegularExpressionMatch first =
        QRegularExpression("^krv-board-sim: (.+) on (/dev/\\S+)$").match(lines[0]);
    QVERIFY2(first.hasMatch(), qPrintable(lines[0]));
    QCOMPARE(first.captured(1), kind);
    const QString path = first.captured(2);
    QCOMPARE(lines[1], QString("--port %1=%2").arg(com).arg(path));
    BoardPort port(path);
    QVERIFY(port.open());
    QVERIFY(port.exchange("i").endsWith(okEnding));
    QCOMPARE(field(port.tail(94), bannerPosition, bannerText.size()), bannerText);
}

void TestBoardSimTool::boardOptions() {
    QTemporaryDir folder;
    const QString log = folder.filePath("board.log");
    Tool tool({"--status", "A5C3", "--current", "768", "--log", log});
    const QStringList lines = tool.announcement();
    QCOMPARE(lines.size(), 2);
    BoardPort port(lines[1].section('=', 1));
    QVERIFY(port.open());

    port.exchange("L0");
    port.exchange("RS");
    QCOMPARE(field(port.tail(15), 6, 2), QByteArray("A5"));
    port.exchange("AD");
    QCOMPARE(field(port.tail(100), 68, 2) + field(port.tail(100), 84, 2), QByteArray("00FF"));
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count('\n'), 3);
}

void TestBoardSimTool::boardsShareOneAir() {
    Tool tool({"--personality", "2,1", "--com", "3"});
    const QStringList lines = tool.announcement(2);
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[1].startsWith("--port 3="));
    QVERIFY(lines[3].startsWith("--port 4="));
    QVERIFY(lines[2].contains("board 1.x"));
    BoardPort sender(lines[1].section('=', 1));
    BoardPort receiver(lines[3].section('=', 1));
    QVERIFY(sender.open() && receiver.open());
    receiver.exchange("F1,13,100");
    receiver.exchange("S2CE83");
    const qsizetype from = receiver.received().size();
    sender.exchange("T14,48,69,0D");
    QVERIFY(QTest::qWaitFor([&] { return receiver.received().mid(from) == "Hi"; }));
}

void TestBoardSimTool::airOptionsTakeEffect_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("clear air") << QStringList{} << QByteArray("AB");
    QTest::newRow("every frame lost") << QStringList{"--loss", "100"} << QByteArray("-");
    QTest::newRow("every bit inverted") << QStringList{"--ber", "1"} << QByteArray("\xBE\xBD");
}

void TestBoardSimTool::airOptionsTakeEffect() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, data);
    QCOMPARE(framesThroughTheAir(options, 2), (QByteArrayList{data, data}));
}

void TestBoardSimTool::seedRepeatsTheLosses() {
    const QStringList halfLost{"--loss", "50", "--seed"};
    const QByteArrayList first = framesThroughTheAir(halfLost + QStringList{"4"}, 12);
    QCOMPARE(first.size(), 12);
    QVERIFY(first.contains("AB") && first.contains("-"));
    QCOMPARE(framesThroughTheAir(halfLost + QStringList{"4"}, 12), first);
    QVERIFY(framesThroughTheAir(halfLost + QStringList{"5"}, 12) != first);
}

void TestBoardSimTool::loaderOptions_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("answers"); // to "C" and three records

    QTest::newRow("XOFF then XON") << QStringList{} << QByteArray("\x13\x11\x13\x11\x13\x11");
    QTest::newRow("stop after 2") << QStringList{"--loader-stop-after", "2"}
                                  << QByteArray("\x13\x11\x13\x11");
    QTest::newRow("XON only") << QStringList{"--loader-xon-only"} << QByteArray("\x11\x11\x11");
    QTest::newRow("one write") << QStringList{"--loader-one-write"}
                               << QByteArray("\x13\x11\x13\x11\x13\x11");
}

void TestBoardSimTool::loaderOptions() {
    QFETCH(QStringList, options);
    QFETCH(QByteArray, answers);
    Tool tool(QStringList{"--personality", "loader"} + options);
    const QStringList lines = tool.announcement();
    QCOMPARE(lines.size(), 2);
    BoardPort port(lines[1].section('=', 1));
    QVERIFY(port.open());
    // Speed and start commands get no answer.
    port.send("C576");
    port.send("C");
    for (const char* record : {"L:10000000", ":10001000", ":00000001FF"})
        port.port().write(QByteArray(record) + "\r\n");
    QTest::qWait(300);
    QCOMPARE(port.received(), answers);
    // After the end record the loader takes commands again.
    QVERIFY(port.exchange("i").endsWith(okEnding));
}

void TestBoardSimTool::eepromOptions_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArrayList>("statuses"); // with the latch set, then after a page write
    QTest::addColumn<QByteArray>("read");

    QTest::newRow("defaults") << QStringList{} << QByteArrayList{"02", "00", "00", "00"}
                              << QByteArray("5a ff");
    QTest::newRow("absent") << QStringList{"--eeprom-absent"}
                            << QByteArrayList{"00", "00", "00", "00"} << QByteArray("00 00");
    QTest::newRow("busy for 2 polls")
        << QStringList{"--eeprom-busy", "2"} << QByteArrayList{"02", "01", "01", "00"}
        << QByteArray("5a ff");
}

void TestBoardSimTool::eepromOptions() {
    QFETCH(QStringList, options);
    QFETCH(QByteArrayList, statuses);
    QFETCH(QByteArray, read);
    Tool tool(options);
    const QStringList lines = tool.announcement();
    QCOMPARE(lines.size(), 2);
    BoardPort port(lines[1].section('=', 1));
    QVERIFY(port.open());

    QByteArrayList seen;
    port.exchange("S106");
    port.exchange("S20500");
    seen.append(field(port.tail(15), 6, 2));
    port.exchange("SX02,00,00,5A");
    for (int poll = 0; poll < 3; ++poll) {
        port.exchange("S20500");
        seen.append(field(port.tail(15), 6, 2));
    }
    QCOMPARE(seen, statuses);
    port.exchange("L2");
    port.exchange("WS03,00,00");
    QVERIFY(port.exchange("RS16").endsWith(okEnding));
    QCOMPARE(port.tail(57).mid(2, 5), read);
}

void TestBoardSimTool::chipOption_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("chipId"); // register 00

    QTest::newRow("default") << QStringList{} << QByteArray("5A");
    QTest::newRow("DEMO-NFFS") << QStringList{"--chip", "DEMO-NFFS"} << QByteArray("3C");
}

void TestBoardSimTool::chipOption() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, chipId);
    Tool tool(arguments);
    const QStringList lines = tool.announcement();
    QCOMPARE(lines.size(), 2);
    BoardPort port(lines[1].section('=', 1));
    QVERIFY(port.open());
    QVERIFY(port.exchange("S2 0000").endsWith(okEnding));
    QCOMPARE(field(port.tail(15), 6, 2), chipId);
}

void TestBoardSimTool::endsOnSignal_data() {
    QTest::addColumn<int>("signal");

    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestBoardSimTool::endsOnSignal() {
    QFETCH(int, signal);
    Tool tool({});
    QCOMPARE(tool.announcement().size(), 2);

    ::kill(pid_t(tool.process().processId()), signal);

    // Whether the device node is gone cannot be told here: tests running beside this one
    // may be handed the same pseudo-terminal number at once.
    QVERIFY(tool.process().waitForFinished(2000));
    QCOMPARE(tool.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.process().exitCode(), 0);
}

void TestBoardSimTool::rejectsBadOptions_data() {
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("personality") << QStringList{"--personality", "3"};
    QTest::newRow("COM number") << QStringList{"--com", "0"};
    QTest::newRow("status word") << QStringList{"--status", "XYZ"};
    QTest::newRow("current") << QStringList{"--current", "many"};
    QTest::newRow("baud rate") << QStringList{"--baud", "0"};
    QTest::newRow("one of the boards") << QStringList{"--personality", "2,x"};
    QTest::newRow("loss") << QStringList{"--loss", "101"};
    QTest::newRow("bit error rate") << QStringList{"--ber", "2"};
    QTest::newRow("seed") << QStringList{"--seed", "x"};
    QTest::newRow("loader records") << QStringList{"--loader-stop-after", "0"};
    QTest::newRow("register chip") << QStringList{"--chip", "DEMO-NONE"};
    QTest::newRow("EEPROM busy polls") << QStringList{"--eeprom-busy", "-1"};
}

void TestBoardSimTool::rejectsBadOptions() {
    QFETCH(QStringList, arguments);
    Tool tool(arguments);

    QVERIFY(tool.process().waitForFinished(2000));
    QCOMPARE(tool.process().exitCode(), 2);
    QVERIFY(tool.process().readAllStandardOutput().isEmpty());
    QVERIFY(!tool.process().readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestBoardSimTool)
#include "tst_boardsimtool.moc"
