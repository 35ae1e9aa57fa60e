#include "common/programfolder.h"
#include "console/registerdatabase.h"
#include "console/seed/sqlscript.h"
#include "console/worktablemodel.h"
#include "consolerig.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <optional>

using namespace krv;
using krv::test::ConsoleRig;
using krv::test::makeDatabase;

namespace {

enum class Trouble { NotADatabase, CannotBeCreated, Locked };

// Another program holding the database file with a write lock.
class Lock {
public:
    explicit Lock(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    }
    ~Lock() {
        QSqlDatabase::database(name).close();
        QSqlDatabase::removeDatabase(name);
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    static constexpr const char* name = "lock";
};

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
        QTest::addColumn<int>("chipsLeft");
        const QString chip = "CREATE TABLE Chip (ChipID, Name, ProjectNr, TxFifoSize, RxFifoSize, "
                             "TxFifoAddress, RxFifoAddress, nFFS_control);";
        const QString reg =
            "CREATE TABLE Register (ChipID, Address, Name, Description, Databits, TestReg, "
            "RFReg, DigitalReg, MiscReg, StatusReg, R, W, bit15, bit14, bit13, bit12, bit11, "
            "bit10, bit9, bit8, bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, DefaultValue);";
        QTest::newRow("missing table") << chip << ""
                                       << "The table Register is missing." << 0;
        QTest::newRow("missing column") << QString(chip).replace(", nFFS_control", "") + reg << ""
                                        << "The table Chip lacks the column(s) nFFS_control." << 0;
        // One bad chip row leaves out that chip only.
        QTest::newRow("null size")
            << chip + reg + "INSERT INTO Chip VALUES (1, 'X', 'P', NULL, 0, NULL, NULL, 0);" +
                   "INSERT INTO Chip VALUES (2, 'Y', 'P', 0, 0, NULL, NULL, 0);"
            << ""
            << "The chip X has no value in column TxFifoSize." << 1;
        QTest::newRow("null default")
            << chip + reg + "INSERT INTO Chip VALUES (1, 'X', 'P', 0, 0, NULL, NULL, 0);" +
                   "INSERT INTO Register (ChipID, Address, Databits, TestReg, RFReg, "
                   "DigitalReg, MiscReg, StatusReg, R, W) VALUES (1, '01', 8, 0,0,0,0,0,1,1);"
            << "X"
            << "Register 01 has no DefaultValue." << 1;
        QTest::newRow("null flag")
            << chip + reg + "INSERT INTO Chip VALUES (1, 'X', 'P', 0, 0, NULL, NULL, 0);" +
                   "INSERT INTO Register (ChipID, Address, Databits, TestReg, RFReg, "
                   "DigitalReg, MiscReg, StatusReg, R, W, DefaultValue) VALUES "
                   "(1, '01', 8, 0,0,0,0,0,NULL,1,'00');"
            << "X"
            << "Register 01 has no value in column R." << 1;
    }
    void troubleIsReportedAndTheWindowStaysUsable() {
        QFETCH(QString, script);
        QFETCH(QString, chip);
        QFETCH(QString, reason);
        QFETCH(int, chipsLeft);
        ConsoleRig c;
        makeDatabase(script);
        QVERIFY(c.open());
        QCOMPARE(c.spi->ChipSelect->count(), chipsLeft);
        if (!chip.isEmpty())
            c.choose(chip);
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY2(c.rig.dialogs().messages[0].text.contains(reason),
                 qPrintable(c.rig.dialogs().messages[0].text));
        QCOMPARE(c.spi->settingsModel()->rowCount(), 0);
        test::enter(c.spi->Voltage, QStringLiteral("3"));
        QCOMPARE(c.sent(), QStringList{"V98"});
    }

    void unusableFilesAreReported_data() {
        QTest::addColumn<int>("trouble");
        QTest::newRow("not a database") << int(Trouble::NotADatabase);
        QTest::newRow("cannot be created") << int(Trouble::CannotBeCreated);
        QTest::newRow("locked") << int(Trouble::Locked);
    }
    void unusableFilesAreReported() {
        QFETCH(int, trouble);
        ConsoleRig c;
        const QString path = ProgramFolder::file(QStringLiteral("KRV.db"));
        std::optional<Lock> lock;
        switch (Trouble(trouble)) {
        case Trouble::NotADatabase: {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
            break;
        }
        case Trouble::CannotBeCreated:
            // The file's place lies in a folder that does not exist.
            QVERIFY(QFile::link(c.rig.folder() + QStringLiteral("/missing/KRV.db"), path));
            break;
        case Trouble::Locked:
            makeDatabase(console::demoChipScript());
            lock.emplace(path);
            break;
        }
        QVERIFY(c.open());
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QCOMPARE(c.rig.dialogs().messages[0].title, QStringLiteral("Register database"));
        QCOMPARE(c.spi->ChipSelect->count(), 0);
        test::enter(c.spi->Voltage, QStringLiteral("3"));
        QCOMPARE(c.sent(), QStringList{"V98"});
    }

    void aLockedDatabaseIsTriedAgainWhenTheChipListOpens() {
        ConsoleRig c;
        const QString path = ProgramFolder::file(QStringLiteral("KRV.db"));
        makeDatabase(console::demoChipScript());
        auto lock = std::make_optional<Lock>(path);
        QVERIFY(c.open());
        QCOMPARE(c.rig.dialogs().messages.size(), 1);
        QVERIFY(c.rig.messageTexts()[0].contains(QStringLiteral("database is locked")));
        QVERIFY(c.rig.messageTexts()[0].endsWith(
            QStringLiteral("The chip list tries again when it is opened.")));
        QCOMPARE(c.spi->ChipSelect->count(), 0);
        // Still locked: the next opening says so again.
        c.spi->ChipSelect->showPopup();
        c.spi->ChipSelect->hidePopup();
        QCOMPARE(c.rig.dialogs().messages.size(), 2);
        QCOMPARE(c.spi->ChipSelect->count(), 0);

        lock.reset();
        c.spi->ChipSelect->showPopup();
        c.spi->ChipSelect->hidePopup();
        QCOMPARE(c.spi->ChipSelect->count(), 2);
        QCOMPARE(c.rig.dialogs().messages.size(), 2);
        c.choose(QStringLiteral("DEMO-REG"));
        QCOMPARE(c.spi->settingsModel()->rowCount(), 12);
        // Once the list stands, opening it again reads nothing anew.
        c.spi->ChipSelect->showPopup();
        c.spi->ChipSelect->hidePopup();
        QCOMPARE(c.spi->ChipSelect->currentText(), QStringLiteral("DEMO-REG"));
        QCOMPARE(c.spi->settingsModel()->rowCount(), 12);
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
