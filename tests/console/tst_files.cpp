#include "console/consolewidgets.h"
#include "console/worktablemodel.h"
#include "consolerig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
        c.write("load.txt", "#CHIP other\rnew notes\n 01 , 3 F \r\n02,G7\r\n7F,11\r\n05,01\r\n");
        c.spi->ENRF[0]->setChecked(false);
        c.answerFile(c.file("load.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.spi->Notes->text(), QStringLiteral("new notes"));
        QCOMPARE(hexOf(c.spi, "01"), QStringLiteral("3F"));
        QCOMPARE(c.spi->database()->workRows("WHERE Address = '02'").value(0).binaryValue,
                 QStringLiteral(".... 0111"));
        QVERIFY(c.spi->ENRF[1]->isChecked());
        // The two unknown addresses, then the one report of the table write.
        QCOMPARE(c.rig.messageTexts().mid(0, 2),
                 QStringList({"Register address 7Fh does not exist!",
                              "Register address 05h does not exist!"}));
        QCOMPARE(c.rig.dialogs().messages.size(), 3);
        QCOMPARE(c.sent(), QStringList({"S2 813F", "S2 8308", "S2 8C00"}));
        QCOMPARE(c.chip->registers[0x01].value, quint16(0x3F));

        // The saved set brings back the notes and every value, and saves the same bytes.
        c.rig.board().clearReceived();
        c.answerFile(c.file("set.txt"));
        c.spi->LoadSettings->click();
        QCOMPARE(c.sent(), QStringList({"S2 8100", "S2 8210", "S2 8308", "S2 8C00"}));
        c.answerFile(c.file("again.txt"));
        c.spi->SaveSettings->click();
        QCOMPARE(c.bytes("again.txt"), c.bytes("set.txt"));
        QCOMPARE(c.rig.dialogs().messages.size(), 3);
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
