#include "../sim/boardport.h"
#include "sim/boardsimulator.h"
#include "sim/registerchip.h"

#include <QTest>

using namespace krv::sim;
using krv::sim::test::BoardPort;
using krv::sim::test::field;

class RegisterChipTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        board_ = std::make_unique<BoardSimulator>();
        chip_ = std::make_shared<RegisterChip>(*RegisterChip::demo("DEMO-REG"));
        installRegisterChip(*board_, chip_);
        QVERIFY(board_->start());
        port_ = std::make_unique<BoardPort>(board_->devicePath());
        QVERIFY(port_->open());
    }
    void cleanup() {
        port_.reset();
        board_.reset();
    }

    void readsAndWritesRegisters() {
        QCOMPARE(field(port_->exchange("S2 0900").right(15), 6, 2), QByteArray("A5"));
        port_->exchange("S28933");
        QCOMPARE(chip_->registers[0x09].value, quint16(0x33));
        // The blank after the letters is optional; a 16-bit register's high byte comes too.
        const QByteArray status = port_->exchange("S24000").right(15);
        QCOMPARE(field(status, 4, 4), QByteArray("8040"));
        QCOMPARE(field(port_->exchange("S2 0100").right(15), 4, 2), QByteArray("00"));
    }

    void malformedCommandsAnswerError_data() {
        QTest::addColumn<QByteArray>("line");
        for (const char* line : {"S2 12", "S2 12345", "S2 ZZ00", "WS 1", "RS 1"})
            QTest::newRow(line) << QByteArray(line);
    }
    void malformedCommandsAnswerError() {
        QFETCH(QByteArray, line);
        QVERIFY(port_->exchange(line).endsWith(krv::sim::test::errorEnding));
    }

    void registerFifoLoopsBackWithInjectedFlips() {
        chip_->flipBits({0x00, 0x81});
        for (const char* line : {"S2 9F11", "S2 9F22", "S2 9F33"})
            port_->exchange(line);
        QByteArrayList bytes;
        for (int i = 0; i < 4; ++i)
            bytes.append(field(port_->exchange("S2 1F00").right(15), 6, 2));
        QCOMPARE(bytes, QByteArrayList({"11", "A3", "33", "00"}));
    }

    void nffsLowTurnsStreamCommandsIntoTheFifo() {
        port_->exchange("WS 01");
        QCOMPARE(chip_->fifo().size(), 0);
        port_->exchange("L3");
        port_->exchange("WS 5A");
        port_->exchange("WSC3");
        QCOMPARE(field(port_->exchange("RS ").right(15), 6, 2), QByteArray("5A"));
        QCOMPARE(field(port_->exchange("RS").right(15), 6, 2), QByteArray("C3"));
        port_->exchange("H3");
        board_->setStatusWord(0x4000);
        port_->exchange("L0");
        QCOMPARE(field(port_->exchange("RS").right(15), 6, 2), QByteArray("40"));
    }

private:
    std::unique_ptr<BoardSimulator> board_;
    std::shared_ptr<RegisterChip> chip_;
    std::unique_ptr<BoardPort> port_;
};

QTEST_MAIN(RegisterChipTest)
#include "tst_sim.moc"
