// A board paced at the line's rate takes as long as a real one: the command's characters reach
// it one character time apart, and so do the characters of its reply.

#include "boardport.h"
#include "sim/boardsimulator.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using krv::sim::BoardSimulator;
using krv::sim::test::BoardPort;
using krv::sim::test::okEnding;

namespace {
// Slow enough that the line's own time dwarfs the pseudo-terminal's.
constexpr int baud = 2400;
constexpr double characterMs = 10.0 * 1000 / baud;
} // namespace

class TestPacing : public QObject {
    Q_OBJECT
    std::unique_ptr<BoardSimulator> board_;
    std::unique_ptr<BoardPort> port_;

private Q_SLOTS:
    void init() {
        board_ = std::make_unique<BoardSimulator>();
        QVERIFY(board_->start());
        board_->setBaudRate(baud);
        port_ = std::make_unique<BoardPort>(board_->devicePath());
        QVERIFY(port_->open());
    }
    void cleanup() {
        port_.reset();
        board_.reset();
    }

    void aLineAndItsReplyTakeTheLinesTime() {
        BoardSimulator& board = *board_;
        BoardPort& port = *port_;
        QElapsedTimer clock;
        qint64 heardMs = -1;
        connect(&board, &BoardSimulator::lineReceived, this,
                [&](const QString&) { heardMs = clock.elapsed(); });
        clock.start();
        port.send("Z3");
        QVERIFY(port.waitForEndings(0, 1));
        const qint64 answeredMs = clock.elapsed();
        QCOMPARE(port.received(), QByteArray(okEnding));
        // "Z3" CR reaches the board after 3 characters, its 7-character reply after 10.
        QVERIFY2(heardMs >= 3 * characterMs - 1, qPrintable(QString::number(heardMs)));
        QVERIFY2(answeredMs >= 10 * characterMs - 1, qPrintable(QString::number(answeredMs)));
    }

    void linesWrittenTogetherFollowEachOtherOnTheLine() {
        BoardPort& port = *port_;
        QSignalSpy heard(board_.get(), &BoardSimulator::lineReceived);
        QElapsedTimer clock;
        clock.start();
        port.send("H2\rL2");
        QVERIFY(port.waitForEndings(0, 2));
        QCOMPARE(heard.size(), 2);
        // Six characters in, and after the second line's CR its reply of seven.
        QVERIFY2(clock.elapsed() >= 13 * characterMs - 1,
                 qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(TestPacing)
#include "tst_pacing.moc"
