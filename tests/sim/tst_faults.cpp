// Injected faults shape the board's answers as a misbehaving board or line would.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QElapsedTimer>
#include <QTest>
#include <memory>

using krv::sim::BoardSimulator;
using krv::sim::Fault;
using krv::sim::test::BoardPort;
using krv::sim::test::okEnding;

namespace {

enum class Answer { Clean, None, Error, GarbageThenClean };

}

class TestFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void replyShape_data();
    void replyShape();
    void count_data();
    void count();

private:
    std::unique_ptr<BoardSimulator> simulator_;
    std::unique_ptr<BoardPort> port_;
};

void TestFaults::init() {
    simulator_ = std::make_unique<BoardSimulator>();
    QVERIFY(simulator_->start());
    port_ = std::make_unique<BoardPort>(simulator_->devicePath());
    QVERIFY(port_->open());
}

void TestFaults::cleanup() {
    port_.reset();
    simulator_.reset();
}

void TestFaults::replyShape_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("minMs");

    const QByteArray rs = "RS";
    QTest::newRow("none") << Fault::None << rs << Answer::Clean << 0;
    QTest::newRow("no reply") << Fault::NoReply << rs << Answer::None << 0;
    QTest::newRow("error ending") << Fault::ErrorEnding << rs << Answer::Error << 0;
    QTest::newRow("garbage first") << Fault::GarbageFirst << rs << Answer::GarbageThenClean << 0;
    // Pieces of one and two characters 3 ms apart: the reply's 15 characters leave in ten
    // pieces, nine gaps, where a reply in one piece takes a fraction of a millisecond.
    QTest::newRow("split") << Fault::SplitReply << rs << Answer::Clean << 27;
    // 100 characters at 19200 baud: the last leaves 99 character times (51.6 ms) after the
    // first, where an unpaced reply takes a few milliseconds.
    QTest::newRow("paced") << Fault::Paced << QByteArray("AD") << Answer::Clean << 51;
}

void TestFaults::replyShape() {
    QFETCH(Fault, fault);
    QFETCH(QByteArray, command);
    QFETCH(Answer, answer);
    QFETCH(int, minMs);
    simulator_->setStatusWord(0x5A5A);
    // Both status bytes alike: every "RS" answers the same.
    const QByteArray clean = port_->exchange(command);
    const qsizetype from = port_->received().size();

    simulator_->setFault(fault);
    QElapsedTimer clock;
    clock.start();
    port_->send(command);
    // A following command shows what the faulty answer was, or that none came, without a timeout.
    port_->send("Z3");
    QVERIFY(port_->waitForEndings(from, answer == Answer::None ? 1 : 2));
    const qint64 elapsedMs = clock.elapsed();

    const QByteArray expected = answer == Answer::Error  ? QByteArray("ERROR\n\r>")
                                : answer == Answer::None ? QByteArray()
                                                         : clean;
    const QByteArray got = port_->received().mid(from);
    if (answer == Answer::GarbageThenClean) {
        QVERIFY(got.size() > expected.size() + 7);
        QVERIFY(got.endsWith(expected + okEnding));
    } else {
        QCOMPARE(got, expected + okEnding);
    }
    // Only a lower bound: a busy machine delays a reply, it never hurries one.
    QVERIFY2(elapsedMs >= minMs, qPrintable(QString::number(elapsedMs)));
}

void TestFaults::count_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("endings");

    QTest::newRow("next line") << 1 << QByteArray("EO");
    QTest::newRow("next two lines") << 2 << QByteArray("EEO");
    QTest::newRow("until cleared") << -1 << QByteArray("EEEE");
    QTest::newRow("zero lines") << 0 << QByteArray("O");
}

void TestFaults::count() {
    QFETCH(int, count);
    QFETCH(QByteArray, endings);

    simulator_->setFault(Fault::ErrorEnding, count);
    QByteArray got;
    for (int i = 0; i < endings.size(); ++i) {
        got += port_->exchange("Z3").endsWith(okEnding) ? 'O' : 'E';
    }
    QCOMPARE(got, endings);

    simulator_->setFault(Fault::None);
    QVERIFY(port_->exchange("Z3").endsWith(okEnding));
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
