#include "common/programfolder.h"
#include "console/registerdatabase.h"
#include "console/seed/sqlscript.h"
#include "console/worktablemodel.h"
#include "consolerig.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

using namespace krv;
using krv::test::ConsoleRig;

namespace {

// Replaces the program folder's database by one made from the script.
void makeDatabase(const QString& script) {
    const QString path = ProgramFolder::file(QStringLiteral("KRV.db"));
    QFile::remove(path);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "fixture");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QCOMPARE(console::runSqlScript(db, script), QString());
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
}

} // namespace

class DatabaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statementsSplitOutsideQuotesAndComments() {
        QCOMPARE(console::sqlStatements("-- a; comment\nSELECT 'a;b';\n\nSELECT 2"),
                 QStringList({"SELECT 'a;b'", "SELECT 2"}));
    }

    void aMissingDatabaseIsCreatedFromTheDemoChips() {
        ConsoleRig c;
        QVERIFY(c.open());
        QVERIFY(QFile::exists(ProgramFolder::file(QStringLiteral("KRV.db"))));
        QCOMPARE(c.spi->ChipSelect->count(), 2);
        QCOMPARE(c.spi->ChipSelect->currentIndex(), -1);
        QVERIFY(c.rig.dialogs().messages.isEmpty());
    }

    void troubleIsReportedAndTheWindowStaysUsable_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("chip");
        QTest::addColumn<QString>("reason");
        const QString chip = "CREATE TABLE Chip (ChipID, Name, ProjectNr, TxFifoSize, RxFifoSize, "
                             "TxFifoAddress, RxFifoAddress, nFFS_control);";
        const QString reg =
            "CREATE TABLE Register (ChipID, Address, Name, Description, Databits, TestReg, "
            "RFReg, DigitalReg, MiscReg, StatusReg, R, W, bit15, bit14, bit13, bit12, bit11, "
            "bit10, bit9, bit8, bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, DefaultValue);";
        QTest::newRow("missing table") << chip << ""
                                       << "The table Register is missing.";
        QTest::newRow("missing column") << QString(chip).replace(", nFFS_control", "") + reg << ""
                                        << "The table Chip lacks the column(s) nFFS_control.";
        QTest::newRow("null size")
            << chip + reg + "INSERT INTO Chip VALUES (1, 'X', 'P', NULL, 0, NULL, NULL, 0);"
            << ""
            << "The chip X has no value in column TxFifoSize.";
        QTest::newRow("null default")
            << chip + reg + "INSERT INTO Chip VALUES (1, 'X', 'P', 0, 0, NULL, NULL, 0);" +
                   "INSERT INTO Register (ChipID, Address, Databits, TestReg, RFReg, "
                   "DigitalReg, MiscReg, StatusReg, R, W) VALUES (1, '01', 8, 0,0,0,0,0,1,1);"
            << "X"
            << "Register 01 has no DefaultValue.";
        QTest::newRow("null flag")
            << chip + reg + "INSERT INTO Chip VALUES (1, 'X', 'P', 0, 0, NULL, NULL, 0);" +
                   "INSERT INTO Register (ChipID, Address, Databits, TestReg, RFReg, "
                   "DigitalReg, MiscReg, StatusReg, R, W, DefaultValue) VALUES "
                   "(1, '01', 8, 0,0,0,0,0,NULL,1,'00');"
            << "X"
            << "Register 01 has no value in column R.";
    }
    void troubleIsReportedAndTheWindowStaysUsable() {
        QFETCH(QString, script);
        QFETCH(QString, chip);
        QFETCH(QString, reason);
        ConsoleRig c;
        makeDatabase(script);
        QVERIFY(c.open());
        if (!chip.isEmpty())
            c.choose(chip);
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY2(c.rig.dialogs().messages[0].text.endsWith(reason),
                 qPrintable(c.rig.dialogs().messages[0].text));
        QCOMPARE(c.spi->settingsModel()->rowCount(), 0);
        test::enter(c.spi->Voltage, QStringLiteral("3"));
        QCOMPARE(c.sent(), QStringList{"V98"});
    }

    void notADatabaseIsReported() {
        ConsoleRig c;
        QFile file(ProgramFolder::file(QStringLiteral("KRV.db")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        QVERIFY(c.open());
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("Register database"));
        QCOMPARE(c.spi->ChipSelect->count(), 0);
    }

    void closingUnloadsAndReopeningStartsEmpty() {
        ConsoleRig c;
        QVERIFY(c.open());
        c.choose(QStringLiteral("DEMO-REG"));
        QVERIFY(c.rig.main().mnuSPI->isChecked());
        c.rig.main().unloadForm(QStringLiteral("SPI"));
        QVERIFY(!c.rig.main().mnuSPI->isChecked());
        QVERIFY(QTest::qWaitFor([&] { return c.rig.main().loadedForm("SPI") == nullptr; }));
        c.rig.main().mnuSPI_Click();
        auto* again = c.rig.main().loadedForm<SPI>(QStringLiteral("SPI"));
        QVERIFY(again);
        QCOMPARE(again->settingsModel()->rowCount(), 0);
        QCOMPARE(again->database()->workRows("").size(), 0);
    }
};

QTEST_MAIN(DatabaseTest)
#include "tst_database.moc"
