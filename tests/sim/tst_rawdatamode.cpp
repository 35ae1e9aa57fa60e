// Raw data mode: after "X2" the board carries the chip's data and answers nothing until a lone
// CR brings it back.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QTest>

using krv::sim::BoardSimulator;
using krv::sim::test::BoardPort;
using krv::sim::test::okEnding;

class TestRawDataMode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void silentUntilLoneCr();
};

void TestRawDataMode::silentUntilLoneCr() {
    BoardSimulator simulator;
    QVERIFY(simulator.start());
    BoardPort port(simulator.devicePath());
    QVERIFY(port.open());
    port.exchange("X1");
    const qsizetype from = port.received().size();

    port.send("X2");
    QVERIFY(QTest::qWaitFor([&] { return simulator.rawDataMode(); }));
    QCOMPARE(simulator.dataSelect(), QString("X2"));
    // Commands and data in raw data mode are ignored; a CR that ends a line is not a lone CR.
    for (const QByteArray& line : QByteArrayList{"X0", "H3", "\x55\xAA\x0F"}) {
        port.send(line);
    }
    port.send("");

    // The lone CR's OK is the only answer since "X2": no reply to anything in between.
    QVERIFY(port.waitForEndings(from, 1));
    QCOMPARE(port.received().mid(from), QByteArray(okEnding));
    QVERIFY(!simulator.rawDataMode());
    QCOMPARE(simulator.dataSelect(), QString("X2"));
    QCOMPARE(simulator.lineState(3), QString("Z"));
    QCOMPARE(simulator.receivedLines().mid(1),
             QStringList({"X2", "X0", "H3", QString::fromLatin1("\x55\xAA\x0F"), ""}));

    QVERIFY(port.exchange("X0").endsWith(okEnding));
    QCOMPARE(simulator.dataSelect(), QString("X0"));
}

QTEST_GUILESS_MAIN(TestRawDataMode)
#include "tst_rawdatamode.moc"
