// The packet-receive exchange without windows: number boxes, the receive command, the FIFO
// words and the cutting of received bytes into packets.

#include "tools/rflink/packetlink.h"

#include <QTest>

using namespace krv::rflink;

class PacketLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberBoxes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<QString>("kept");
        QTest::newRow("plain") << "100" << 1 << "100";
        QTest::newRow("leading zero kept") << "013" << 0 << "013";
        QTest::newRow("below") << "0" << 1 << "1";
        QTest::newRow("above") << "300" << 1 << "255";
        QTest::newRow("negative") << "-5" << 0 << "0";
        QTest::newRow("no number") << "abc" << 0 << "0";
        QTest::newRow("trailing text") << "12x" << 0 << "12";
        QTest::newRow("fraction") << "12.5" << 0 << "12";
        QTest::newRow("empty") << "" << 1 << "1";
    }
    void numberBoxes() {
        QFETCH(QString, text);
        QFETCH(int, minimum);
        QFETCH(QString, kept);
        QCOMPARE(clampedNumberText(text, minimum, 255), kept);
    }

    void receiveCommands_data() {
        QTest::addColumn<int>("board");
        QTest::addColumn<int>("condition");
        QTest::addColumn<long>("rev");
        QTest::addColumn<QString>("command");
        QTest::newRow("2.x") << 2 << 0 << 1L << "F11,13,100,1";
        QTest::newRow("2.x end byte") << 2 << 1 << 0L << "F12,13,100,1";
        QTest::newRow("1.x F") << 1 << 0 << 1L << "F1,13,100";
        QTest::newRow("1.x E") << 1 << 2 << 0L << "F3,13,100,1";
        QTest::newRow("no board") << 0 << 0 << 0L << "13,100";
    }
    void receiveCommands() {
        QFETCH(int, board);
        QFETCH(int, condition);
        QFETCH(long, rev);
        QFETCH(QString, command);
        QCOMPARE(
            receiveCommand(board, EndCondition(condition), "13", "100", receiverSuffix(board, rev)),
            command);
    }

    void fifoWords() {
        QCOMPARE(hexWord(receiverFifoWords(0xCE87, 0).off), QStringLiteral("CE84"));
        QCOMPARE(hexWord(receiverFifoWords(0xCE87, 1).off), QStringLiteral("CE85"));
        QCOMPARE(hexWord(receiverFifoWords(0xCE84, 1).on), QStringLiteral("CE87"));
    }

    void reports_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("data");
        const QByteArray ok = okEnding();
        QTest::newRow("report") << "\n\rReceived packet: 05 bytes: HELLO" + ok << 2
                                << QByteArray("HELLO");
        QTest::newRow("after an acknowledgement")
            << ok + "\n\rReceived packet: 02 bytes: AB" + ok << 2 << QByteArray("AB");
        QTest::newRow("CR and LF in the data")
            << "\n\rReceived packet: 05 bytes: A\rB\nC" + ok << 2 << QByteArray("A\rB\nC");
        QTest::newRow("acknowledgement") << ok << 1 << QByteArray();
        QTest::newRow("length not a number")
            << "\n\rReceived packet: x5 bytes: HELLO" + ok << 1 << QByteArray();
        QTest::newRow("data longer than its length")
            << "\n\rReceived packet: 03 bytes: HELLO" + ok << 1 << QByteArray();
        QTest::newRow("ending inside the data")
            << "\n\rReceived packet: 09 bytes: A" + ok << 0 << QByteArray();
        QTest::newRow("no ending yet")
            << QByteArray("\n\rReceived packet: 05 bytes: HE") << 0 << QByteArray();
    }
    void reports() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        QFETCH(QByteArray, data);
        ReportReader reader;
        QByteArray buffer = bytes;
        QCOMPARE(int(reader.take(buffer)), result);
        if (result != 0)
            QVERIFY(buffer.isEmpty());
        if (result == 2)
            QCOMPARE(reader.data(), data);
    }

    void acknowledgementsRemoveThemselves() {
        QByteArray buffer = "\r\nRS 12" + okEnding() + "xx" + okEnding() + "packet";
        QVERIFY(dropAcknowledgements(buffer));
        QCOMPARE(buffer, QByteArray("packet"));
        QVERIFY(!dropAcknowledgements(buffer));
    }
};

QTEST_GUILESS_MAIN(PacketLinkTest)
#include "tst_packetlink.moc"
