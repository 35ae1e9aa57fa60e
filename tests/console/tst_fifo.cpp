#include "console/consolewidgets.h"
#include "console/fifocheck.h"
#include "console/worktablemodel.h"
#include "consolerig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace krv;
using krv::test::ConsoleRig;

namespace {

QByteArray fifoFile(const QStringList& bytes) {
    return ("#FIFO\r\n" + bytes.join("\r\n") + "\r\n").toLatin1();
}

QStringList repeated(const QString& line, int times) {
    QStringList lines;
    for (int i = 0; i < times; ++i)
        lines.append(line);
    return lines;
}

QStringList counting(int count) {
    QStringList bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(QString::number(0x10 + i, 16).toUpper());
    return bytes;
}

QStringList errorColumn(SPI* spi) {
    QStringList errors;
    for (const console::FifoRow& row : spi->fifoModel(console::Fifo::Rx)->rows())
        errors.append(row.error);
    return errors;
}

// Loads the same bytes as TX content and as expected RX content.
void loadBoth(ConsoleRig& c, const QStringList& bytes) {
    c.write("bytes.txt", fifoFile(bytes));
    c.answerFile(c.file("bytes.txt"));
    c.spi->OpenTXff->click();
    c.answerFile(c.file("bytes.txt"));
    c.spi->OpenRXff->click();
}

} // namespace

class FifoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bitErrors_data() {
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("errors");
        QTest::newRow("same") << "A5"
                              << "a5" << 0;
        QTest::newRow("two bits") << "A5"
                                  << "A6" << 2;
        QTest::newRow("no expected byte") << "A5"
                                          << "" << 8;
        QTest::newRow("no reply") << ""
                                  << "A5" << 8;
        QTest::newRow("digit not hex") << "G5"
                                       << "05" << 4;
    }
    void bitErrors() {
        QFETCH(QString, received);
        QFETCH(QString, expected);
        QFETCH(int, errors);
        QCOMPARE(console::bitErrors(received, expected), errors);
    }

    void rates() {
        QCOMPARE(console::rateText(1.0 / 64), QStringLiteral("1.56E-02"));
        QCOMPARE(console::rateText(0), QStringLiteral("0.00E+00"));
    }

    void registerPathLoopsBackAndCounts() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        loadBoth(c, counting(16));
        QVERIFY(c.rig.dialogs().messages.isEmpty());
        c.spi->WriteTXff->click();
        QCOMPARE(c.sent().size(), 16);
        QCOMPARE(c.sent().first(), QStringLiteral("S2 9F10"));
        c.rig.board().clearReceived();
        c.spi->ReadRXff->click();
        QCOMPARE(c.sent(), repeated("S2 1F00", 16) + QStringList{"H3"});
        QCOMPARE(errorColumn(c.spi), repeated("", 16));
        QCOMPARE(c.spi->Packets->text(), QStringLiteral("1"));
        QCOMPARE(c.spi->PER->text(), QStringLiteral("0.00E+00"));
        QCOMPARE(c.spi->Databits->text(), QStringLiteral("128"));

        c.chip->flipBits({0x00, 0x03});
        c.spi->WriteTXff->click();
        c.spi->ReadRXff->click();
        QCOMPARE(errorColumn(c.spi)[1], QStringLiteral("2"));
        QCOMPARE(c.spi->PacketLost->text(), QStringLiteral("1"));
        QCOMPARE(c.spi->PER->text(), QStringLiteral("5.00E-01"));
        QCOMPARE(c.spi->Errors->text(), QStringLiteral("2"));
        QCOMPARE(c.spi->BER->text(), QStringLiteral("7.81E-03"));
        c.spi->ResetBER->click();
        QCOMPARE(c.spi->Packets->text(), QStringLiteral("0"));
    }

    void nffsPathUsesStreamCommands() {
        ConsoleRig c;
        QVERIFY(c.open(QStringLiteral("DEMO-NFFS")));
        c.choose(QStringLiteral("DEMO-NFFS"));
        loadBoth(c, counting(8));
        c.spi->WriteTXff->click();
        QCOMPARE(c.sent().first(), QStringLiteral("L3"));
        QCOMPARE(c.sent()[1], QStringLiteral("WS 10"));
        QCOMPARE(c.sent().last(), QStringLiteral("H3"));
        QCOMPARE(c.sent().size(), 10);
        c.rig.board().clearReceived();
        c.spi->ReadRXff->click();
        QCOMPARE(c.sent(), QStringList{"L3"} + repeated("RS ", 8) + QStringList{"H3"});
        QCOMPARE(errorColumn(c.spi), repeated("", 8));
    }

    void aByteWithoutAnOkReplyCountsEightErrors_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("error ending") << int(sim::Fault::ErrorEnding);
        QTest::newRow("no reply") << int(sim::Fault::NoReply);
    }
    void aByteWithoutAnOkReplyCountsEightErrors() {
        QFETCH(int, fault);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        loadBoth(c, repeated("00", 16));
        c.rig.board().setFault(sim::Fault(fault));
        c.spi->ReadRXff->click();
        QCOMPARE(errorColumn(c.spi), QStringList{"8"} + repeated("", 15));
        QCOMPARE(c.spi->fifoModel(console::Fifo::Rx)->rows()[0].hex, QString());
        QCOMPARE(c.spi->Errors->text(), QStringLiteral("8"));
        QCOMPARE(c.spi->Packets->text(), QStringLiteral("1"));
    }

    void aClosedPortStopsTheFifoTest_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("write") << "WriteTXff";
        QTest::newRow("read") << "ReadRXff";
    }
    void aClosedPortStopsTheFifoTest() {
        QFETCH(QString, button);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        loadBoth(c, counting(16));
        c.rig.main().link()->MSComm2->setPortOpen(false);
        auto* start = c.spi->findChild<QPushButton*>(button);
        start->click();
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("USB communication error"));
        QVERIFY(c.sent().isEmpty());
        QVERIFY(c.spi->Packets->text().isEmpty());
        QVERIFY(start->isEnabled());
    }

    void closingTheConsoleEndsAFifoOperation_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("write") << "WriteTXff";
        QTest::newRow("read") << "ReadRXff";
    }
    void closingTheConsoleEndsAFifoOperation() {
        QFETCH(QString, button);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        loadBoth(c, counting(16));
        c.closeDuring(button);
    }

    void aChipWithoutFifosOffersNoFifoTest() {
        ConsoleRig c;
        test::makeDatabase(
            console::demoChipScript() +
            "INSERT INTO Chip VALUES (3, 'DEMO-BARE', 'DM-0003', 0, 0, NULL, NULL, 0);"
            "INSERT INTO Register (ChipID, Address, Name, Databits, TestReg, RFReg, DigitalReg, "
            "MiscReg, StatusReg, R, W, DefaultValue) VALUES (3, '00', 'ID', 8, "
            "0,0,0,1,0,1,1,'00');");
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-BARE"));
        QCOMPARE(c.spi->TXFIFO->title(), QStringLiteral("No TX FIFO"));
        QCOMPARE(c.spi->RXFIFO->title(), QStringLiteral("No RX FIFO"));
        QVERIFY(!c.spi->TXFIFO->isEnabled() && !c.spi->RXFIFO->isEnabled());
        QCOMPARE(c.spi->fifoModel(console::Fifo::Tx)->rowCount(), 0);
        QCOMPARE(c.spi->fifoModel(console::Fifo::Rx)->rowCount(), 0);
        // A file picked for a FIFO the chip lacks is read and dropped without a word.
        loadBoth(c, counting(4));
        QVERIFY(c.rig.dialogs().files.isEmpty());
        c.spi->WriteTXff->click();
        c.spi->ReadRXff->click();
        QVERIFY(c.sent().isEmpty());
        QVERIFY(c.rig.dialogs().messages.isEmpty());
        QVERIFY(c.spi->Packets->text().isEmpty());
    }

    void aFifoRegisterAddressThatCannotBeUsedIsNamed_data() {
        QTest::addColumn<QString>("update");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("RX address above 7F")
            << "RxFifoAddress = '9F'"
            << "ReadRXff"
            << "FIFO read"
            << "The chip's RX FIFO address \"9F\" has no read command: only the addresses 00 to "
               "7F can be read. Nothing was read.";
        QTest::newRow("no RX address")
            << "RxFifoAddress = NULL"
            << "ReadRXff"
            << "FIFO read"
            << "The chip DEMO-REG has no RX FIFO address in the register database (column "
               "RxFifoAddress): its RX FIFO cannot be read. Nothing was read.";
        QTest::newRow("TX address above 7F")
            << "TxFifoAddress = '9F'"
            << "WriteTXff"
            << "FIFO write"
            << "The chip's TX FIFO address \"9F\" has no write command: only the addresses 00 "
               "to 7F can be written. Nothing was written.";
        QTest::newRow("no TX address")
            << "TxFifoAddress = ''"
            << "WriteTXff"
            << "FIFO write"
            << "The chip DEMO-REG has no TX FIFO address in the register database (column "
               "TxFifoAddress): its TX FIFO cannot be written. Nothing was written.";
    }
    void aFifoRegisterAddressThatCannotBeUsedIsNamed() {
        QFETCH(QString, update);
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(QString, message);
        ConsoleRig c;
        test::makeDatabase(console::demoChipScript() + "UPDATE Chip SET " + update +
                           " WHERE Name = 'DEMO-REG';");
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        loadBoth(c, counting(16));
        auto* start = c.spi->findChild<QPushButton*>(button);
        start->click();
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(c.rig.messageTexts(), QStringList{message});
        QCOMPARE(c.rig.dialogs().messages[0].title, title);
        QVERIFY(c.spi->Packets->text().isEmpty());
        QVERIFY(start->isEnabled());
    }

    // From the fifth FIFO byte on the board answers with the error ending (it stays in step and
    // every byte is tried), or with nothing or noise without an ending (the write stops there).
    void aFifoWriteNamesTheBytesTheBoardDidNotTake_data() {
        QTest::addColumn<QString>("chip");
        QTest::addColumn<int>("fault"); // -1: noise without a reply ending
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("message");
        const QString silent =
            "The board gave no valid reply when TX FIFO byte(s) 5 were written. The FIFO may not "
            "hold them.\r\nThe board stopped answering, so TX FIFO byte(s) %1 were not sent.";
        QTest::newRow("error ending")
            << "DEMO-REG" << int(sim::Fault::ErrorEnding) << counting(16)
            << "The board gave no valid reply when TX FIFO byte(s) 5, 6, 7, 8, 9, 10, 11, 12, 13, "
               "14 and 2 more were written. The FIFO may not hold them.";
        QTest::newRow("no reply") << "DEMO-REG" << int(sim::Fault::NoReply) << counting(5)
                                  << silent.arg("6, 7, 8, 9, 10, 11, 12, 13, 14, 15 and 1 more");
        QTest::newRow("noise") << "DEMO-REG" << -1 << counting(5)
                               << silent.arg("6, 7, 8, 9, 10, 11, 12, 13, 14, 15 and 1 more");
        // nFFS is raised again all the same.
        QTest::newRow("stream path, no reply")
            << "DEMO-NFFS" << int(sim::Fault::NoReply)
            << QStringList{"L3"} + counting(5) + QStringList{"H3"} << silent.arg("6, 7, 8");
    }
    void aFifoWriteNamesTheBytesTheBoardDidNotTake() {
        QFETCH(QString, chip);
        QFETCH(int, fault);
        QFETCH(QStringList, sent);
        QFETCH(QString, message);
        ConsoleRig c;
        QVERIFY(c.open(chip));
        c.choose(chip);
        loadBoth(c, counting(16));
        c.rig.dialogs().messages.clear();
        int bytes = 0;
        const sim::CommandHandler s2 = c.rig.board().command(QStringLiteral("S2"));
        const auto watch = QObject::connect(
            &c.rig.board(), &sim::BoardSimulator::lineReceived, &c.rig.board(),
            [&](const QString& line) {
                if (!line.startsWith(QStringLiteral("S2 9F")) &&
                    !line.startsWith(QStringLiteral("WS ")))
                    return;
                if (++bytes != 4)
                    return;
                if (fault >= 0)
                    c.rig.board().setFault(sim::Fault(fault), -1);
                else
                    c.rig.board().addCommand(QStringLiteral("S2"), [](const QString&) {
                        return sim::Reply(QByteArray("\x13#?zq"));
                    });
            });
        c.spi->WriteTXff->click();
        QObject::disconnect(watch);
        c.rig.board().addCommand(QStringLiteral("S2"), s2);
        QStringList lines;
        for (const QString& line : sent) {
            bool byte = false;
            line.toInt(&byte, 16);
            lines.append(byte ? (chip == "DEMO-REG" ? "S2 9F" : "WS ") + line : line);
        }
        QCOMPARE(c.sent(), lines);
        QCOMPARE(c.rig.messageTexts(), QStringList{message});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("FIFO write"));
        QVERIFY(c.spi->WriteTXff->isEnabled());
    }

    void rowsWithoutAValidByteAreNotSent() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.write("short.txt", fifoFile({"A5", "ZZ", "Null", "5"}));
        c.answerFile(c.file("short.txt"));
        c.spi->OpenTXff->click();
        QCOMPARE(c.rig.messageTexts(), QStringList{"Not enough data in the file!"});
        c.spi->WriteTXff->click();
        QCOMPARE(c.sent(), QStringList({"S2 9FA5", "S2 9F05"}));
        QCOMPARE(c.rig.dialogs().messages.size(), 2);
        QVERIFY(c.rig.messageTexts()[1].contains("2, 3, 5, "));

        c.answerFile(c.file("out.txt"));
        c.spi->SaveTXff->click();
        QCOMPARE(c.bytes("out.txt"), fifoFile(QStringList{"A5", "ZZ", "", "5"} + repeated("", 12)));
    }

    void expectedFileMessages() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.write("ten.txt", fifoFile(repeated("A5 and more", 10)));
        c.answerFile(c.file("ten.txt"));
        c.spi->OpenRXff->click();
        QCOMPARE(c.rig.messageTexts(),
                 QStringList{"Not enough data in the file!\r\n   10 databyte(s) loaded."});
        QCOMPARE(c.spi->fifoModel(console::Fifo::Rx)->rows()[9].expected, QStringLiteral("A5"));
        c.answerFile(c.file("expected"));
        c.spi->SaveRXff->click();
        QCOMPARE(c.bytes("expected.txt"), fifoFile(repeated("A5", 10) + repeated("", 6)));
        QCOMPARE(c.rig.dialogs().fileRequests.last().title,
                 QStringLiteral("Save Expected FIFO Content to File"));
        c.write("many.txt", fifoFile(repeated("01", 17)));
        c.answerFile(c.file("many.txt"));
        c.spi->OpenRXff->click();
        QCOMPARE(c.rig.messageTexts().last(),
                 QStringLiteral("There is too much data in the file!"));
    }
};

QTEST_MAIN(FifoTest)
#include "tst_fifo.moc"
