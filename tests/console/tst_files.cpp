#include "console/consolefiles.h"
#include "console/consolewidgets.h"
#include "console/worktablemodel.h"
#include "consolerig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>

using namespace krv;
using krv::test::ConsoleRig;

namespace {

QString hexOf(SPI* spi, const QString& address) {
    return spi->database()->workRows("WHERE Address = '" + address + "'").value(0).hexValue;
}

} // namespace

class FilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void registerSetRoundTrip() {
        ConsoleRig c;
        QVERIFY(c.open(QStringLiteral("DEMO-NFFS")));
        c.choose(QStringLiteral("DEMO-NFFS"));
        c.spi->Notes->setText("bench 3");
        c.answerFile(c.file("set"));
        c.spi->SaveSettings->click();
        QCOMPARE(c.bytes("set.txt"), QByteArray("#CHIP DEMO-NFFS\r\nbench 3\r\n00,3C\r\n01,00\r\n"
                                                "02,10\r\n03,08\r\n0C,00\r\n"));
        c.write("load.txt", "#CHIP other\rnew notes\n 01 , 3 F \r\n02,7\r\n7F,11\r\n05,01\r\n");
        c.spi->ENRF[0]->setChecked(false);
        c.answerFile(c.file("load.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.spi->Notes->text(), QStringLiteral("new notes"));
        QCOMPARE(hexOf(c.spi, "01"), QStringLiteral("3F"));
        // A single digit is the value the chip is written with.
        QCOMPARE(hexOf(c.spi, "02"), QStringLiteral("07"));
        QCOMPARE(c.spi->database()->workRows("WHERE Address = '02'").value(0).binaryValue,
                 QStringLiteral("0000 0111"));
        QVERIFY(c.spi->ENRF[1]->isChecked());
        // One message for the two unknown addresses; the table write goes through.
        QCOMPARE(c.rig.messageTexts(), QStringList{"Register addresses 7Fh, 05h do not exist!"});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("Register Address Error."));
        QCOMPARE(c.sent(), QStringList({"S2 813F", "S2 8207", "S2 8308", "S2 8C00"}));
        QCOMPARE(c.chip->registers[0x01].value, quint16(0x3F));

        // The saved set brings back the notes and every value, and saves the same bytes.
        c.rig.board().clearReceived();
        c.answerFile(c.file("set.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.sent(), QStringList({"S2 8100", "S2 8210", "S2 8308", "S2 8C00"}));
        c.answerFile(c.file("again.txt"));
        c.spi->SaveSettings->click();
        QCOMPARE(c.bytes("again.txt"), c.bytes("set.txt"));
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
    }

    void aRegisterSetWithABadValueIsRefusedWhole_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QString>("message");
        QTest::newRow("values not hexadecimal, too long, missing")
            << QByteArray("01,02\r\n02,ZZ\r\n03,1FF\r\n04,05\r\n05,\r\n06\r\n")
            << QStringLiteral("\"set.txt\" holds values that are not one or two hexadecimal "
                              "digits: line 4 (02,ZZ), line 5 (03,1FF), line 7 (05,), line 8 "
                              "(06,). Nothing was loaded or written to the chip.");
        QTest::newRow("beside an unknown address")
            << QByteArray("20,11\r\n09,\x01\r\n")
            << QStringLiteral("\"set.txt\" holds values that are not one or two hexadecimal "
                              "digits: line 4 (09,\\x01). Nothing was loaded or written to the "
                              "chip. The file also names register addresses that do not exist: "
                              "20h.");
    }
    // Nothing of the file reaches the table, the chip or the window, so a clean set loaded next
    // writes without a word.
    void aRegisterSetWithABadValueIsRefusedWhole() {
        QFETCH(QByteArray, lines);
        QFETCH(QString, message);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->Notes->setText(QStringLiteral("kept"));
        c.spi->ENRF[0]->setChecked(false);
        c.write("set.txt", "#CHIP DEMO-REG\r\nbench\r\n" + lines);
        c.answerFile(c.file("set.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.rig.messageTexts(), QStringList{message});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("File open error"));
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(c.spi->Notes->text(), QStringLiteral("kept"));
        QVERIFY(!c.spi->ENRF[1]->isChecked());
        for (const auto& [address, value] :
             {std::pair{"01", "01"}, {"02", "21"}, {"03", "60"}, {"09", "A5"}})
            QCOMPARE(hexOf(c.spi, address), QString::fromLatin1(value));

        c.rig.dialogs().messages.clear();
        c.write("clean.txt", "#CHIP DEMO-REG\r\nclean\r\n04,05\r\n");
        c.answerFile(c.file("clean.txt"));
        c.spi->LoadSettings->click();
        QVERIFY(c.rig.messageTexts().isEmpty());
        QVERIFY(c.sent().contains(QStringLiteral("S2 8405")));
        QVERIFY(c.sent().contains(QStringLiteral("S2 8221")));
    }

    void aRegisterSetThatSetsNoRegisterIsRefused_data() {
        QTest::addColumn<QByteArray>("file");
        QByteArray noise(4096, 0);
        QRandomGenerator random(17);
        for (char& byte : noise)
            byte = char(random.bounded(256));
        QTest::newRow("random bytes") << noise;
        const QString set = QStringLiteral("#CHIP DEMO-REG\r\nbench\r\n09,11\r\n0A,22\r\n");
        QTest::newRow("UTF-16 copy")
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(set.utf16()), set.size() * 2);
        QTest::newRow("header lines only") << QByteArray("#CHIP DEMO-REG\r\nbench\r\n\r\n");
        QTest::newRow("unknown registers only")
            << QByteArray("#CHIP\r\nbench\r\n80,11\r\n07,1\r\n");
    }
    void aRegisterSetThatSetsNoRegisterIsRefused() {
        QFETCH(QByteArray, file);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->Notes->setText(QStringLiteral("kept"));
        c.spi->ENRF[0]->setChecked(false);
        c.write("set.txt", file);
        c.answerFile(c.file("set.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.rig.messageTexts(),
                 QStringList{"No line of \"set.txt\" sets a register of DEMO-REG (a line "
                             "\"address,value\" from the third line on). Nothing was loaded or "
                             "written to the chip."});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("File open error"));
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(c.spi->Notes->text(), QStringLiteral("kept"));
        QVERIFY(!c.spi->ENRF[1]->isChecked());
        QCOMPARE(hexOf(c.spi, "09"), QStringLiteral("A5"));
    }

    void unknownAddressesGiveOneShortMessage() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        QByteArray file("#CHIP DEMO-REG\r\nbench\r\n\x07\x01,00\r\n");
        for (int address = 0x80; address < 0x98; ++address)
            file += QByteArray::number(address, 16).toUpper() + ",00\r\n";
        file += "09,11\r\n" + QByteArray(40, 'x') + "\r\n09,12\r\n";
        c.write("set.txt", file);
        c.answerFile(c.file("set.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.rig.messageTexts(),
                 QStringList{"Register addresses \\x07\\x01h, 80h, 81h, 82h, 83h, 84h, 85h, 86h, "
                             "87h, 88h and 16 more do not exist!"});
        // The last value of a register named twice is the one written.
        QCOMPARE(hexOf(c.spi, "09"), QStringLiteral("12"));
        QVERIFY(c.sent().contains(QStringLiteral("S2 8912")));
        QVERIFY(!c.sent().contains(QStringLiteral("S2 8911")));
    }

    void aFileOverTheBoundIsRefusedUnread_data() {
        QTest::addColumn<QString>("button");
        for (const char* button : {"LoadSettings", "LoadGUI", "LoadBach", "OpenTXff", "OpenRXff"})
            QTest::newRow(button) << button;
    }
    void aFileOverTheBoundIsRefusedUnread() {
        QFETCH(QString, button);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->Notes->setText(QStringLiteral("kept"));
        c.spi->GuiNotes->setText(QStringLiteral("kept"));
        {
            // Sparse: the file takes no room on the disk.
            QFile large(c.file("large.txt"));
            QVERIFY(large.open(QIODevice::WriteOnly));
            QVERIFY(large.write("#CHIP DEMO-REG\r\nnew notes\r\n09,11\r\n") > 0);
            QVERIFY(large.resize(console::textFileBound + 1));
        }
        c.answerFile(c.file("large.txt"));
        c.spi->findChild<QPushButton*>(button)->click();
        QCOMPARE(c.rig.messageTexts(),
                 QStringList{"Error occured:1227,File larger than 1 MB\r\nPlease try again!"});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("File open error"));
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(c.spi->Notes->text(), QStringLiteral("kept"));
        QCOMPARE(c.spi->GuiNotes->text(), QStringLiteral("kept"));
        QVERIFY(c.spi->batchText(0).isEmpty());
        QCOMPARE(c.spi->fifoModel(console::Fifo::Tx)->rows()[0].hex, QString());

        // A file of the bound itself is read.
        QVERIFY(QFile::resize(c.file("large.txt"), console::textFileBound));
        c.answerFile(c.file("large.txt"));
        c.spi->findChild<QPushButton*>(button)->click();
        QVERIFY(!c.rig.messageTexts().mid(1).join(u' ').contains(QStringLiteral("1227")));
    }

    void textOutsideLatin1IsNeverSaved_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("message");
        const auto refusal = [](const QString& holder, const QString& line, const QString& at) {
            return QStringLiteral("Error occured:1229,") + holder +
                   QStringLiteral(": the text \"") + line + QStringLiteral("\" holds ") + at +
                   QStringLiteral(" (single-byte Latin-1 text only), which the file cannot hold. "
                                  "Nothing was saved.\r\nPlease try again");
        };
        const QString typed = QStringLiteral("bench\u20AC 3");
        const QString euro = QStringLiteral("\"\u20AC\" (U+20AC) at character 6");
        const QString notes = refusal(QStringLiteral("Line 2 (the notes)"), typed, euro);
        QTest::newRow("register set notes") << "SaveSettings"
                                            << "Notes" << notes;
        QTest::newRow("ticked classes notes") << "Command4"
                                              << "Notes" << notes;
        QTest::newRow("window setup notes") << "SaveGUI"
                                            << "GuiNotes" << notes;
        QTest::newRow("register row address")
            << "SaveGUI"
            << "M_Address_2"
            << refusal(QStringLiteral("Line 5 (the address of register row 3)"), typed, euro);
        QTest::newRow("batch name")
            << "SaveBatch"
            << "BatchName_0"
            << refusal(QStringLiteral("Line 1 (\"#BATCHNAME \" and the batch name)"),
                       QStringLiteral("#BATCHNAME ") + typed,
                       QStringLiteral("\"\u20AC\" (U+20AC) at character 17"));
        QTest::newRow("chip name")
            << "SaveSettings"
            << ""
            << refusal(QStringLiteral("Line 1 (\"#CHIP \" and the chip name)"),
                       QStringLiteral("#CHIP DEMO-\u03A9"),
                       QStringLiteral("\"\u03A9\" (U+03A9) at character 12"));
    }
    void textOutsideLatin1IsNeverSaved() {
        QFETCH(QString, button);
        QFETCH(QString, box);
        QFETCH(QString, message);
        ConsoleRig c;
        test::makeDatabase(
            console::demoChipScript() +
            "INSERT INTO Chip VALUES (3, 'DEMO-\u03A9', 'DM-0003', 0, 0, NULL, NULL, "
            "0);");
        QVERIFY(c.open());
        if (box.isEmpty()) {
            c.choose(QStringLiteral("DEMO-\u03A9"));
        } else {
            c.choose(QStringLiteral("DEMO-REG"));
            c.spi->findChild<QLineEdit*>(box)->setText(QStringLiteral("bench\u20AC 3"));
        }
        c.answerFile(c.file("new.txt"));
        c.spi->findChild<QPushButton*>(button)->click();
        QCOMPARE(c.rig.messageTexts(), QStringList{message});
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("File save error"));
        QVERIFY(!QFile::exists(c.file("new.txt")));
    }

    void command4WritesTheTickedClassesOnly() {
        ConsoleRig c;
        QVERIFY(c.open(QStringLiteral("DEMO-NFFS")));
        c.choose(QStringLiteral("DEMO-NFFS"));
        for (QCheckBox* box : {c.spi->ENRF[0], c.spi->ENDigital[0], c.spi->ENMisc[0]})
            box->setChecked(false);
        c.answerFile(c.file("test.txt"));
        c.spi->Command4->click();
        QVERIFY(c.bytes("test.txt").endsWith("\r\n0C,00\r\n"));
        c.spi->ENTest[0]->setChecked(false);
        c.answerFile(c.file("none.txt"));
        c.spi->Command4->click();
        QCOMPARE(c.bytes("none.txt").count("\r\n"), 2);
    }

    void windowSetupRoundTrip() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        test::enter(c.spi->M_Address[0], "9");
        QCOMPARE(c.spi->M_Address[0]->text(), QStringLiteral("09"));
        QCOMPARE(c.spi->M_Name[0]->currentText(), QStringLiteral("SCRATCH"));
        test::enter(c.spi->M_Address[2], "7f");
        QCOMPARE(c.spi->M_Name[2]->currentText(), QStringLiteral("TRIM"));
        c.answerFile(c.file("gui.txt"));
        c.spi->SaveGUI->click();
        QCOMPARE(c.bytes("gui.txt"),
                 QByteArray("#CHIP DEMO-REG\r\n Test Setup #\r\n09\r\n\r\n7f\r\n\r\n\r\n\r\n"));

        c.write("rows.txt", "#CHIP x\r\nnotes\r\n01\r\n5\r\n");
        c.answerFile(c.file("rows.txt"));
        c.spi->LoadGUI->click();
        QCOMPARE(c.spi->GuiNotes->text(), QStringLiteral("notes"));
        QCOMPARE(c.spi->M_Name[0]->currentText(), QStringLiteral("MODE"));
        QCOMPARE(c.spi->M_Hexvalue[0]->text(), QStringLiteral("01"));
        QCOMPARE(c.spi->M_bit[0]->state(), console::BitBox::State::One);
        // An address the view lacks keeps its text and nothing else.
        QCOMPARE(c.spi->M_Address[1]->text(), QStringLiteral("5"));
        QVERIFY(c.spi->M_Hexvalue[1]->text().isEmpty());
        QVERIFY(!c.spi->M_Read[1]->isEnabled());
        QCOMPARE(c.spi->M_Name[2]->currentText(), QStringLiteral("TRIM"));
        QVERIFY(c.rig.dialogs().messages.isEmpty());

        c.answerFile(c.file("gui.txt"));
        c.spi->LoadGUI->click();
        QCOMPARE(c.spi->M_Name[0]->currentText(), QStringLiteral("SCRATCH"));
        QVERIFY(c.spi->M_Address[1]->text().isEmpty());
        c.answerFile(c.file("again.txt"));
        c.spi->SaveGUI->click();
        QCOMPARE(c.bytes("again.txt"), c.bytes("gui.txt"));
        QVERIFY(c.rig.dialogs().messages.isEmpty());
    }

    void rowsReadAndWriteTheirRegister() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->M_Name[4]->setCurrentIndex(c.spi->M_Name[4]->findText("SCRATCH"));
        QCOMPARE(c.spi->M_Address[4]->text(), QStringLiteral("09"));
        c.chip->registers[0x09].value = 0xC3;
        c.spi->M_Read[4]->click();
        QCOMPARE(c.spi->M_Hexvalue[4]->text(), QStringLiteral("C3"));
        QCOMPARE(c.spi->M_bit[8 * 4 + 7]->state(), console::BitBox::State::One);
        QCOMPARE(hexOf(c.spi, "09"), QStringLiteral("C3"));
        const int row = c.spi->settingsModel()->find("09");
        c.spi->SettingsDataGrid->setCurrentIndex(c.spi->settingsModel()->index(row, 0));
        Q_EMIT c.spi->M_bit[8 * 4 + 7]->clicked();
        QCOMPARE(c.spi->M_Hexvalue[4]->text(), QStringLiteral("43"));
        c.spi->M_Send[4]->click();
        QCOMPARE(c.sent(), QStringList({"S2 0900", "S2 8943"}));
        QCOMPARE(c.spi->HexValue->text(), QStringLiteral("43"));
        QCOMPARE(hexOf(c.spi, "09"), QStringLiteral("43"));
    }

    void unknownRowAddressIsRefused() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        test::enter(c.spi->M_Address[3], "ZZ");
        QCOMPARE(c.rig.messageTexts(), QStringList{"Invalid register address! Please try again!"});
        QVERIFY(c.spi->M_Address[3]->text().isEmpty());
    }

    void cancelledOrDeclinedDialogsDoNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("saving");
        const std::pair<const char*, bool> buttons[] = {
            {"LoadSettings", false}, {"SaveSettings", true}, {"Command4", true},
            {"LoadGUI", false},      {"SaveGUI", true},      {"LoadBach", false},
            {"SaveBatch", true},     {"OpenTXff", false},    {"OpenRXff", false},
            {"SaveTXff", true},      {"SaveRXff", true}};
        for (const auto& [button, saving] : buttons)
            QTest::newRow(button) << button << saving;
    }
    void cancelledOrDeclinedDialogsDoNothing() {
        QFETCH(QString, button);
        QFETCH(bool, saving);
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        auto* start = c.spi->findChild<QPushButton*>(button);
        start->click();
        QCOMPARE(c.rig.dialogs().fileRequests.size(), 1);
        QVERIFY(c.rig.dialogs().messages.isEmpty());
        if (saving) {
            // "No" to replacing a file asks for another name; cancelling that keeps the file.
            c.write("kept.txt", "old");
            c.answerFile(c.file("kept.txt"));
            c.rig.dialogs().answers.append(Dialogs::Answer::No);
            start->click();
            QCOMPARE(c.rig.dialogs().fileRequests.size(), 3);
            QCOMPARE(c.rig.dialogs().messages.size(), 1);
            QVERIFY(c.rig.messageTexts()[0].startsWith("kept.txt already exists."));
            QCOMPARE(c.bytes("kept.txt"), QByteArray("old"));
        }
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(hexOf(c.spi, "09"), QStringLiteral("A5"));
    }

    void cancelAndBadFilesChangeNothing() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        c.spi->LoadSettings->click();
        c.spi->SaveGUI->click();
        QVERIFY(c.rig.dialogs().messages.isEmpty());
        c.answerFile(c.file("missing.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY(c.rig.messageTexts()[0].startsWith("Error occured:"));
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("File open error"));
        c.answerFile(c.file("set.cfg"));
        c.spi->SaveSettings->click();
        QCOMPARE(c.rig.messageTexts().last(),
                 QStringLiteral("File type not supported! Please try again!"));
        QVERIFY(c.sent().isEmpty());
        QCOMPARE(hexOf(c.spi, "09"), QStringLiteral("A5"));
    }
};

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
