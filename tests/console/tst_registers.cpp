#include "console/consolewidgets.h"
#include "console/registerbits.h"
#include "console/worktablemodel.h"
#include "consolerig.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

using namespace krv;
using krv::console::BitBox;
using krv::test::ConsoleRig;

namespace {

QString states(const std::array<BitBox*, 8>& boxes) {
    QString text;
    for (int i = 7; i >= 0; --i) {
        const BitBox::State state = boxes[i]->state();
        text += state == BitBox::State::One ? u'1' : state == BitBox::State::Zero ? u'0' : u'.';
    }
    return text;
}

QStringList column(const SPI* spi, int column) {
    QStringList values;
    auto* model = spi->settingsModel();
    for (int row = 0; row < model->rowCount(); ++row)
        values.append(model->index(row, column).data().toString());
    return values;
}

void selectRow(SPI* spi, const QString& address) {
    const int row = spi->settingsModel()->find(address);
    spi->SettingsDataGrid->setCurrentIndex(spi->settingsModel()->index(row, 0));
}

} // namespace

class RegistersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hexToBinary_data() {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("bits");
        QTest::newRow("lower case") << "a5"
                                    << "10100101";
        QTest::newRow("bad first digit") << "G1"
                                         << "....0001";
        QTest::newRow("one digit") << "7"
                                   << "0111....";
        QTest::newRow("empty") << ""
                               << "........";
        QTest::newRow("third ignored") << "3F9"
                                       << "00111111";
    }
    void hexToBinary() {
        QFETCH(QString, hex);
        QFETCH(QString, bits);
        QCOMPARE(console::hexToBinary(hex), bits);
    }

    void registerWrite_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("bit 7 set") << "3A"
                                   << "0F"
                                   << "S2 BA0F\r";
        QTest::newRow("one digit padded") << "05"
                                          << "5"
                                          << "S2 8505\r";
        QTest::newRow("highest address") << "7F"
                                         << "55"
                                         << "S2 FF55\r";
        QTest::newRow("address above 7F") << "80"
                                          << "01"
                                          << "";
        QTest::newRow("address not hex") << "ZZ"
                                         << "01"
                                         << "";
        QTest::newRow("value not hex") << "01"
                                       << "G1"
                                       << "";
        QTest::newRow("value too long") << "01"
                                        << "123"
                                        << "";
        QTest::newRow("value empty") << "01"
                                     << ""
                                     << "";
    }
    void registerWrite() {
        QFETCH(QString, address);
        QFETCH(QString, value);
        QFETCH(QString, line);
        const console::RegisterWrite write = console::registerWrite(address, value);
        QCOMPARE(write.line, line);
        QCOMPARE(write.ok(), !line.isEmpty());
    }

    void supplyBox_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("half to even") << "2.25"
                                      << "2.2"
                                      << "V72"
                                      << "";
        QTest::newRow("maximum") << "5"
                                 << "4.0"
                                 << "VB2"
                                 << "Maximum supply voltage is 4.0 V!";
        QTest::newRow("no number") << "abc"
                                   << "1.8"
                                   << "V53"
                                   << "Minimum supply voltage is 1.8 V!";
    }
    void supplyBox() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, line);
        QFETCH(QString, message);
        ConsoleRig c;
        QVERIFY(c.open());
        test::enter(c.spi->Voltage, typed);
        QCOMPARE(c.spi->Voltage->text(), shown);
        QCOMPARE(c.rig.main().Pref_Voltage, shown);
        QCOMPARE(c.sent(), QStringList{line});
        QCOMPARE(c.rig.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void supplyWithThePortClosedKeepsTheVoltageAndSendsNothing() {
        ConsoleRig c;
        QVERIFY(c.open(QStringLiteral("DEMO-REG"), false));
        c.spi->Voltage->setText(QStringLiteral("3.33"));
        c.spi->PB_Voltage->click();
        QCOMPARE(c.rig.main().Pref_Voltage, QStringLiteral("3.3"));
        QCOMPARE(c.rig.messageTexts(),
                 QStringList{"Commport not available, please open commport. PSU setting was not "
                             "updated."});
        QVERIFY(c.sent().isEmpty());
    }

    void leavingTheSupplyBox_data() {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<bool>("runs");
        QTest::newRow("tabbed away") << int(Qt::TabFocusReason) << false << true;
        QTest::newRow("a message box took the focus")
            << int(Qt::ActiveWindowFocusReason) << false << false;
        QTest::newRow("a popup took the focus") << int(Qt::PopupFocusReason) << false << false;
        QTest::newRow("console closing") << int(Qt::TabFocusReason) << true << false;
    }
    void leavingTheSupplyBox() {
        QFETCH(int, reason);
        QFETCH(bool, closing);
        QFETCH(bool, runs);
        ConsoleRig c;
        QVERIFY(c.open());
        QPointer<SPI> spi(c.spi);
        spi->Voltage->setText(QStringLiteral("3"));
        if (closing)
            c.rig.main().unloadForm(QStringLiteral("SPI"));
        QVERIFY(spi);
        QFocusEvent out(QEvent::FocusOut, Qt::FocusReason(reason));
        QApplication::sendEvent(spi->Voltage, &out);
        QCOMPARE(c.sent(), runs ? QStringList{"V98"} : QStringList());
        QVERIFY(c.rig.dialogs().messages.isEmpty());
    }

    void chipSelectionFillsTheWorkTables() {
        ConsoleRig c;
        QVERIFY(c.open());
        QVERIFY(c.spi->StatusRegCombo->count() == 0);
        c.spi->StatusRead->click();
        c.choose(QStringLiteral("DEMO-REG"));
        QCOMPARE(c.spi->Text3->text(), QStringLiteral("DM-0001"));
        // Every 8-bit register but the status one, in address order.
        QCOMPARE(
            column(c.spi, console::WorkTableModel::Addr),
            QStringList({"00", "01", "02", "03", "04", "05", "06", "08", "09", "0A", "1F", "7F"}));
        const int scratch = c.spi->settingsModel()->find(QStringLiteral("09"));
        QCOMPARE(c.spi->settingsModel()->rows()[scratch].binaryValue, QStringLiteral("1010 0101"));
        QCOMPARE(c.spi->TXFIFO->title(), QStringLiteral("TX / 16B"));
        QCOMPARE(c.spi->fifoModel(console::Fifo::Rx)->rowCount(), 16);
        QCOMPARE(c.spi->TxFifoAddress, QStringLiteral("1F"));
        QVERIFY(!c.spi->nFFS_control);
        QVERIFY(c.spi->Notes->text().startsWith(QStringLiteral("DEMO-REG, ")));
        // The 8-bit and the 16-bit status register, none chosen yet.
        QCOMPARE(c.spi->StatusRegCombo->count(), 2);
        QCOMPARE(c.spi->StatusRegCombo->currentIndex(), -1);
        QVERIFY(c.sent().isEmpty());

        c.choose(QStringLiteral("DEMO-NFFS"));
        QCOMPARE(column(c.spi, console::WorkTableModel::Addr),
                 QStringList({"00", "01", "02", "03", "0C"}));
        QCOMPARE(c.spi->RXFIFO->title(), QStringLiteral("RX / 8B"));
        QVERIFY(c.spi->nFFS_control);
        QVERIFY(c.spi->TxFifoAddress.isEmpty());
    }

    void byNameOrdersTheWorkTable() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->ByName[1]->setChecked(true);
        QVERIFY(c.spi->ByName[0]->isChecked());
        c.choose(QStringLiteral("DEMO-NFFS"));
        QCOMPARE(column(c.spi, console::WorkTableModel::Name),
                 QStringList({"CHANNEL", "CHIP_ID", "CONTROL", "FIFO_LEVEL", "TEST"}));
    }

    void filtersNarrowTheViewOnBothPages() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-NFFS"));
        for (QCheckBox* box : {c.spi->ENRF[0], c.spi->ENDigital[1], c.spi->ENMisc[0]})
            box->setChecked(false);
        QVERIFY(!c.spi->ENDigital[0]->isChecked());
        // Test registers only, and the 8-bit status register is not among them.
        QCOMPARE(column(c.spi, console::WorkTableModel::Addr), QStringList{"0C"});
        c.spi->ENTest[1]->setChecked(false);
        QCOMPARE(c.spi->settingsModel()->rowCount(), 0);
        // A status register whose class is ticked is part of a filtered view.
        c.spi->ENDigital[0]->setChecked(true);
        QVERIFY(column(c.spi, console::WorkTableModel::Addr).contains(QStringLiteral("05")));
        c.spi->ViewAll[1]->click();
        QCOMPARE(column(c.spi, console::WorkTableModel::Addr),
                 QStringList({"00", "01", "02", "03", "0C"}));
        QVERIFY(c.spi->ENMisc[0]->isChecked() && c.spi->ENTest[1]->isChecked());
    }

    void readStoresTheValueAndItsBits() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.chip->registers[0x09].value = 0x3C;
        selectRow(c.spi, QStringLiteral("09"));
        QCOMPARE(c.spi->Address->text(), QStringLiteral("09"));
        QCOMPARE(c.spi->bit[7]->text(), QStringLiteral("S7"));
        c.spi->Read->click();
        QCOMPARE(c.sent(), QStringList{"S2 0900"});
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("3C"));
        QCOMPARE(states(c.spi->bit), QStringLiteral("00111100"));
        const int row = c.spi->settingsModel()->find(QStringLiteral("09"));
        QCOMPARE(c.spi->settingsModel()->rows()[row].binaryValue, QStringLiteral("0011 1100"));
        QCOMPARE(c.spi->database()->workRows("WHERE Address = '09'").first().hexValue,
                 QStringLiteral("3C"));
    }

    void readWithoutAnOkReplyStoresNothing_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("error ending") << int(sim::Fault::ErrorEnding);
        QTest::newRow("no reply") << int(sim::Fault::NoReply);
    }
    void readWithoutAnOkReplyStoresNothing() {
        QFETCH(int, fault);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        selectRow(c.spi, QStringLiteral("09"));
        c.rig.board().setFault(sim::Fault(fault));
        c.spi->Read->click();
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("A5"));
        QCOMPARE(states(c.spi->bit), QStringLiteral("........"));
        QCOMPARE(c.spi->database()->workRows("WHERE Address = '09'").first().hexValue,
                 QStringLiteral("A5"));
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("Register read"));
    }

    void aRegisterWithoutAReadCommandIsNamedAndNothingIsSent() {
        ConsoleRig c;
        test::makeDatabase(console::demoChipScript() +
                           "INSERT INTO Register (ChipID, Address, Name, Databits, TestReg, RFReg, "
                           "DigitalReg, MiscReg, StatusReg, R, W, DefaultValue) VALUES "
                           "(1, '80', 'HIGH', 8, 0,0,0,1,0,1,1,'00'), "
                           "(1, '1''', 'QUOTE', 8, 0,0,0,1,0,1,1,'00');");
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        const QString text = QStringLiteral("Register %1 has no read command: only the addresses "
                                            "00 to 7F can be read. Nothing was sent.");
        selectRow(c.spi, QStringLiteral("80"));
        c.spi->Read->click();
        selectRow(c.spi, QStringLiteral("1'"));
        c.spi->Read->click();
        test::enter(c.spi->M_Address[0], QStringLiteral("80"));
        c.spi->M_Read[0]->click();
        QCOMPARE(c.rig.messageTexts(),
                 QStringList({text.arg("80"), text.arg("1'"), text.arg("80")}));
        for (const auto& message : c.rig.dialogs().messages)
            QCOMPARE(message.title, QStringLiteral("Register read"));
        QVERIFY(c.sent().isEmpty());

        // The table read reads the others and names the two once.
        c.spi->RefreshTable->click();
        QCOMPARE(c.rig.messageTexts().size(), 4);
        QCOMPARE(c.rig.messageTexts().last(),
                 QStringLiteral("Registers 1', 80 have no read command: only the addresses 00 "
                                "to 7F can be read. Nothing was sent."));
        QVERIFY(c.sent().contains(QStringLiteral("S2 0900")));
        QVERIFY(!c.sent().contains(QStringLiteral("S2 8000")));
    }

    void writeSendsTheValueWithBitSevenOfTheAddressSet() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        selectRow(c.spi, QStringLiteral("04"));
        QTest::keyClicks(c.spi->HexValue, QStringLiteral("5"));
        c.spi->HexValue->setText(QStringLiteral("5"));
        QCOMPARE(console::background(c.spi->HexValue), console::colours::Blue);
        c.spi->Send->click();
        QCOMPARE(c.sent(), QStringList{"S2 8405"});
        QCOMPARE(c.chip->registers[0x04].value, quint16(0x05));
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("05"));
        QCOMPARE(console::background(c.spi->HexValue), console::colours::zero());

        c.spi->HexValue->setText(QStringLiteral("X"));
        c.spi->Send->click();
        QCOMPARE(c.sent().size(), 1);
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
    }

    // The fault -1 stands for a closed port.
    void writesThatDidNotReachTheChipStayUnsent_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("title");
        QTest::newRow("closed port") << -1 << "USB communication error";
        QTest::newRow("error ending") << int(sim::Fault::ErrorEnding) << "Register write";
        QTest::newRow("no reply") << int(sim::Fault::NoReply) << "Register write";
    }
    void writesThatDidNotReachTheChipStayUnsent() {
        QFETCH(int, fault);
        QFETCH(QString, title);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        selectRow(c.spi, QStringLiteral("09"));
        test::enter(c.spi->M_Address[0], QStringLiteral("09"));
        if (fault < 0)
            c.rig.main().link()->MSComm2->setPortOpen(false);
        else
            c.rig.board().setFault(sim::Fault(fault), -1);

        c.spi->HexValue->clear();
        QTest::keyClicks(c.spi->HexValue, QStringLiteral("5"));
        c.spi->Send->click();
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("5"));
        QCOMPARE(console::background(c.spi->HexValue), console::colours::Blue);

        c.spi->M_Hexvalue[0]->clear();
        QTest::keyClicks(c.spi->M_Hexvalue[0], QStringLiteral("6"));
        c.spi->M_Send[0]->click();
        QCOMPARE(console::background(c.spi->M_Hexvalue[0]), console::colours::Blue);

        auto* model = c.spi->settingsModel();
        const int row = model->find(QStringLiteral("09"));
        model->setData(model->index(row, console::WorkTableModel::Hex), "7", Qt::EditRole);
        QCOMPARE(model->rows()[row].hexValue, QStringLiteral("A5"));
        QCOMPARE(c.spi->database()->workRows("WHERE Address = '09'").first().hexValue,
                 QStringLiteral("A5"));
        // One message for each write: the link's for a closed port, else the console's.
        QCOMPARE(c.rig.dialogs().messages.size(), 3);
        for (const auto& message : c.rig.dialogs().messages)
            QCOMPARE(message.title, title);
        if (fault >= 0)
            QVERIFY(c.rig.messageTexts()[0].startsWith(
                QStringLiteral("The board gave no valid reply when register(s) 09 were written.")));
    }

    void aTableWriteNamesTheRegistersTheBoardDidNotConfirm() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.rig.board().setFault(sim::Fault::ErrorEnding, -1);
        c.spi->UpdateChip->click();
        // The write goes on to the end and reports once.
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("Register write"));
        QVERIFY(c.rig.messageTexts()[0].startsWith(
            QStringLiteral("The board gave no valid reply when register(s) 01, ")));
        QVERIFY(c.sent().size() > 1);
    }

    void bitClicksBuildTheValue() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        selectRow(c.spi, QStringLiteral("08"));
        Q_EMIT c.spi->bit[7]->clicked();
        Q_EMIT c.spi->bit[0]->clicked();
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("81"));
        Q_EMIT c.spi->bit[0]->clicked();
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("80"));
        QVERIFY(c.sent().isEmpty());
    }

    void gridEditStoresPaddedValueAndSendsOnlyWritable() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        auto* model = c.spi->settingsModel();
        const int mode = model->find(QStringLiteral("01"));
        model->setData(model->index(mode, console::WorkTableModel::Hex), "5", Qt::EditRole);
        QCOMPARE(c.sent(), QStringList{"S2 8105"});
        QCOMPARE(model->rows()[mode].hexValue, QStringLiteral("05"));
        const int id = model->find(QStringLiteral("00"));
        model->setData(model->index(id, console::WorkTableModel::Hex), "123", Qt::EditRole);
        QCOMPARE(model->rows()[id].hexValue, QStringLiteral("23"));
        QCOMPARE(c.sent().size(), 1);
    }

    void tableReadAndWriteGoInStoredOrder() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.spi->ByName[0]->setChecked(true);
        c.choose(QStringLiteral("DEMO-NFFS"));
        c.chip->registers[0x02].value = 0x42;
        c.spi->ENRF[0]->setChecked(false);
        c.spi->RefreshTable->click();
        // Name order, every readable register, the filters ticked again.
        QCOMPARE(c.sent(), QStringList({"S2 0200", "S2 0000", "S2 0100", "S2 0300", "S2 0C00"}));
        QVERIFY(c.spi->ENRF[1]->isChecked());
        QCOMPARE(c.spi->ProgressBar1->value(), 100);
        QCOMPARE(model(c)->rows()[model(c)->find("02")].hexValue, QStringLiteral("42"));

        c.rig.board().clearReceived();
        c.spi->Defaults->click();
        // Writable registers only, back at their defaults.
        QCOMPARE(c.sent(), QStringList({"S2 8210", "S2 8100", "S2 8308", "S2 8C00"}));
        QCOMPARE(c.chip->registers[0x02].value, quint16(0x10));
        QVERIFY(c.spi->Defaults->isEnabled());
    }

    void tableReadSkipsWriteOnlyRegistersAndReportsSilentOnes() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.rig.board().setFault(sim::Fault::NoReply);
        c.spi->RefreshTable->click();
        // 0A is write-only; the board's silence on 00 does not stop the read.
        QCOMPARE(c.sent(),
                 QStringList({"S2 0000", "S2 0100", "S2 0200", "S2 0300", "S2 0400", "S2 0500",
                              "S2 0600", "S2 0800", "S2 0900", "S2 1F00", "S2 7F00"}));
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY(c.rig.messageTexts()[0].contains(QStringLiteral("register(s) 00 were read")));
        QCOMPARE(model(c)->rows()[model(c)->find("00")].hexValue, QStringLiteral("5A"));
    }

    void tableOperationsStopWhenThePortCloses_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("vanishing");
        QTest::addColumn<int>("lines");
        for (const char* button : {"RefreshTable", "UpdateChip", "Defaults"}) {
            QTest::addRow("%s, port closed", button) << button << false << 0;
            QTest::addRow("%s, board vanishes", button) << button << true << 1;
        }
    }
    void tableOperationsStopWhenThePortCloses() {
        QFETCH(QString, button);
        QFETCH(bool, vanishing);
        QFETCH(int, lines);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        if (vanishing)
            c.rig.board().setFault(sim::Fault::Vanish);
        else
            c.rig.main().link()->MSComm2->setPortOpen(false);
        auto* start = c.spi->findChild<QPushButton*>(button);
        start->click();
        QCOMPARE(c.sent().size(), lines);
        // The link's one message, no report of the operation.
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY(c.rig.dialogs().messages[0].title != QStringLiteral("Register read"));
        QVERIFY(start->isEnabled());
    }

    void closingTheConsoleEndsATableOperation_data() {
        QTest::addColumn<QString>("button");
        for (const char* button : {"RefreshTable", "UpdateChip", "Defaults"})
            QTest::newRow(button) << button;
    }
    void closingTheConsoleEndsATableOperation() {
        QFETCH(QString, button);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.closeDuring(button);
    }

    void statusReadLightsTheBitsOfBothBytes() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.chip->registers[0x40].value = 0x1280;
        c.spi->StatusRegCombo->setCurrentIndex(1);
        QCOMPARE(c.spi->Databit[15]->text(), QStringLiteral("RDY"));
        c.spi->StatusRead->click();
        QCOMPARE(c.sent(), QStringList{"S2 4000"});
        QCOMPARE(c.spi->Hexadec->text(), QStringLiteral("12 80"));
        for (int k = 0; k < 16; ++k) {
            const bool one = k == 12 || k == 9 || k == 7;
            QCOMPARE(c.spi->Databit[k]->state(), one ? BitBox::State::One : BitBox::State::Zero);
        }
        // Until one is chosen, the chip's first status register is read.
        c.choose(QStringLiteral("DEMO-NFFS"));
        c.rig.board().clearReceived();
        c.spi->StatusRead->click();
        QCOMPARE(c.sent(), QStringList{"S2 0500"});
        QCOMPARE(c.spi->Hexadec->text(), QStringLiteral("00 23"));
    }

private:
    static console::WorkTableModel* model(ConsoleRig& c) { return c.spi->settingsModel(); }
};

QTEST_MAIN(RegistersTest)
#include "tst_registers.moc"
