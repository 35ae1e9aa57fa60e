// The pseudo-terminal as the program sees it: a serial device that survives the program's
// closing and reopening, costs nothing while idle, disappears when the board vanishes, and
// whose traffic can be logged.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

using krv::sim::BoardSimulator;
using krv::sim::Fault;
using krv::sim::test::BoardPort;
using krv::sim::test::okEnding;

namespace {

qint64 processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) { return time.tv_sec * 1000 + time.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

class TestDevice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reopenedAndIdle();
    void vanishes_data();
    void vanishes();
    void log();
};

void TestDevice::reopenedAndIdle() {
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());
    QVERIFY(port.exchange("Z3").endsWith(okEnding));

    port.close();
    // With the port closed nobody holds the device but the board itself; a board that saw a
    // hang-up here would spin on its master.
    const qint64 cpuBefore = processCpuMs();
    QTest::qWait(200);
    QVERIFY2(processCpuMs() - cpuBefore < 50, "the idle board uses the processor");

    QVERIFY(port.open());
    QVERIFY(port.exchange("Z3").endsWith(okEnding));
}

void TestDevice::vanishes_data() {
    QTest::addColumn<bool>("byFault");

    QTest::newRow("vanish()") << false;
    QTest::newRow("Vanish fault") << true;
}

void TestDevice::vanishes() {
    QFETCH(bool, byFault);
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    const QString path = simulator.devicePath();
    BoardPort port(path);
    QVERIFY(port.open());

    if (byFault) {
        simulator.setFault(Fault::Vanish);
        port.send("Z3");
        QVERIFY(QTest::qWaitFor([&] { return !simulator.isRunning(); }));
    } else {
        simulator.vanish();
        QVERIFY(!simulator.isRunning());
    }

    QVERIFY(!QFile::exists(path));
    // Qt reports the pseudo-terminal's end as a read error ("Input/output error").
    QVERIFY(QTest::qWaitFor([&] { return port.port().error() != QSerialPort::NoError; }));
    QVERIFY(port.received().isEmpty());

    // Started again, the board is a new device.
    QVERIFY(simulator.start());
    BoardPort again(simulator.devicePath());
    QVERIFY(again.open());
    QVERIFY(again.exchange("Z3").endsWith(okEnding));
}

void TestDevice::log() {
    QTemporaryDir folder;
    const QString path = folder.filePath("board.log");
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    QVERIFY(simulator.setLogFile(path));
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());

    port.exchange("V83");
    port.exchange("");
    port.exchange("Q");

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList entries = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    const QRegularExpression entry(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} (.*)$)");
    QStringList lines;
    for (const QString& text : entries) {
        const QRegularExpressionMatch match = entry.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        lines.append(match.captured(1));
    }
    QCOMPARE(lines, QStringList({"V83", "", "Q"}));

    QVERIFY(!simulator.setLogFile(folder.filePath("missing/board.log")));
}

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
