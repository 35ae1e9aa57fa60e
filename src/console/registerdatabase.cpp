#include "registerdatabase.h"

#include "common/numbers.h"
#include "registerbits.h"
#include "seed/sqlscript.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace krv::console {

namespace {

const QStringList chipColumns{"ChipID",     "Name",          "ProjectNr",     "TxFifoSize",
                              "RxFifoSize", "TxFifoAddress", "RxFifoAddress", "nFFS_control"};
const QStringList flagColumns{"TestReg", "RFReg", "DigitalReg", "MiscReg", "StatusReg", "R", "W"};

QStringList bitColumns(int count) {
    QStringList columns;
    for (int i = count - 1; i >= 0; --i)
        columns.append(QStringLiteral("bit%1").arg(i));
    return columns;
}

QStringList registerColumns() {
    return QStringList{"ChipID", "Address", "Name", "Description", "Databits"} + flagColumns +
           bitColumns(16) + QStringList{"DefaultValue"};
}

// The work row's columns: Address, HexValue and BinaryValue first, as other windows read them.
const QString workColumns = QStringLiteral(
    "Address, HexValue, BinaryValue, Name, bit7, bit6, bit5, bit4, bit3, bit2, bit1, bit0, R, W, "
    "Description, TestReg, RFReg, DigitalReg, MiscReg, StatusReg, DefaultValue");

QSqlDatabase connection() {
    return QSqlDatabase::database(RegisterDatabase::connectionName(), false);
}

QSqlQuery run(const QString& statement, const QVariantList& values = {}) {
    QSqlQuery query(connection());
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw DatabaseError{query.lastError().text()};
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw DatabaseError{query.lastError().text()};
    return query;
}

// A flag is true when it is not zero (Jet stored true as -1).
bool flag(const QSqlQuery& query, const QString& column, const QString& what) {
    const QVariant value = query.value(column);
    if (value.isNull())
        throw DatabaseError{QStringLiteral("%1 has no value in column %2.").arg(what, column)};
    return value.toLongLong() != 0;
}

QString text(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

QString fifoTable(Fifo fifo) {
    return fifo == Fifo::Tx ? QStringLiteral("TXFIFO") : QStringLiteral("RXFIFO");
}

} // namespace

RegisterDatabase::RegisterDatabase(QString path) : path_(std::move(path)) {}

RegisterDatabase::~RegisterDatabase() {
    {
        QSqlDatabase db = connection();
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName());
}

void RegisterDatabase::open() {
    if (open_)
        return;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw DatabaseError{QStringLiteral(
            "Qt's SQLite driver is not installed (Debian package libqt6sql6-sqlite).")};
    const bool fresh = !QFileInfo::exists(path_);
    {
        QSqlDatabase db =
            QSqlDatabase::contains(connectionName())
                ? connection()
                : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
        db.setDatabaseName(path_);
        // Another program holding the file locked is waited for briefly, never so long that
        // the window freezes: the console tries again later instead.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=100"));
        if (!db.open())
            throw DatabaseError{db.lastError().text()};
    }
    try {
        prepare(fresh);
    } catch (const DatabaseError&) {
        // Closed, so that a later try starts afresh.
        connection().close();
        throw;
    }
    open_ = true;
}

void RegisterDatabase::prepare(bool fresh) {
    if (fresh)
        seed();
    checkColumns(QStringLiteral("Chip"), chipColumns);
    checkColumns(QStringLiteral("Register"), registerColumns());
    exec(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS Setting (Address TEXT COLLATE NOCASE, "
                        "HexValue TEXT, BinaryValue TEXT, Name TEXT, bit7 TEXT, bit6 TEXT, "
                        "bit5 TEXT, bit4 TEXT, bit3 TEXT, bit2 TEXT, bit1 TEXT, bit0 TEXT, "
                        "R INTEGER, W INTEGER, Description TEXT, TestReg INTEGER, RFReg INTEGER, "
                        "DigitalReg INTEGER, MiscReg INTEGER, StatusReg INTEGER, "
                        "DefaultValue TEXT)"));
    exec(QStringLiteral(
        "CREATE TEMP TABLE IF NOT EXISTS TXFIFO (Item INTEGER, Hex TEXT, ASCII TEXT)"));
    exec(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS RXFIFO (Item INTEGER, Hex TEXT, "
                        "ASCII TEXT, Expected TEXT, Error INTEGER)"));
}

void RegisterDatabase::seed() {
    QSqlDatabase db = connection();
    const QString failure = runSqlScript(db, demoChipScript());
    if (failure.isEmpty())
        return;
    db.close();
    QFile::remove(path_);
    throw DatabaseError{QStringLiteral("A new database could not be made: ") + failure};
}

void RegisterDatabase::checkColumns(const QString& table, const QStringList& columns) {
    QSet<QString> present;
    QSqlQuery info = run(QStringLiteral("PRAGMA main.table_info(%1)").arg(table));
    while (info.next())
        present.insert(info.value(1).toString().toLower());
    if (present.isEmpty())
        throw DatabaseError{QStringLiteral("The table %1 is missing.").arg(table)};
    QStringList missing;
    for (const QString& column : columns) {
        if (!present.contains(column.toLower()))
            missing.append(column);
    }
    if (!missing.isEmpty())
        throw DatabaseError{QStringLiteral("The table %1 lacks the column(s) %2.")
                                .arg(table, missing.join(QStringLiteral(", ")))};
}

void RegisterDatabase::exec(const QString& statement, const QVariantList& values) {
    run(statement, values);
}

QList<ChipRow> RegisterDatabase::chips(QStringList& unusable) {
    QList<ChipRow> chips;
    QSqlQuery query = run(QStringLiteral("SELECT ") + chipColumns.join(u',') +
                          QStringLiteral(" FROM main.Chip ORDER BY rowid"));
    while (query.next()) {
        ChipRow chip;
        chip.id = query.value(0).toInt();
        chip.name = text(query.value(1));
        chip.projectNr = text(query.value(2));
        QString missing;
        for (int column : {3, 4, 7}) {
            if (missing.isEmpty() && query.value(column).isNull())
                missing = chipColumns[column];
        }
        if (!missing.isEmpty()) {
            unusable.append(
                QStringLiteral("The chip %1 has no value in column %2.").arg(chip.name, missing));
            continue;
        }
        chip.txFifoSize = int(roundHalfEven(query.value(3).toDouble()));
        chip.rxFifoSize = int(roundHalfEven(query.value(4).toDouble()));
        chip.txFifoAddress = text(query.value(5));
        chip.rxFifoAddress = text(query.value(6));
        chip.nFFS_control = query.value(7).toLongLong() != 0;
        chips.append(chip);
    }
    return chips;
}

void RegisterDatabase::clearWorktables() {
    exec(QStringLiteral("DELETE FROM temp.Setting"));
    exec(QStringLiteral("DELETE FROM temp.RXFIFO"));
    exec(QStringLiteral("DELETE FROM temp.TXFIFO"));
}

void RegisterDatabase::fillSettings(int chipId, bool byAddress) {
    QSqlQuery source =
        run(QStringLiteral("SELECT Address, Name, Description, DefaultValue, ") +
                flagColumns.join(u',') + u',' + bitColumns(8).join(u',') +
                QStringLiteral(" FROM main.Register WHERE ChipID = ? AND Databits = 8 ORDER BY %1")
                    .arg(byAddress ? QStringLiteral("Address COLLATE NOCASE")
                                   : QStringLiteral("Name COLLATE NOCASE")),
            {chipId});
    QSqlDatabase db = connection();
    db.transaction();
    try {
        while (source.next()) {
            const QString address = text(source.value(0));
            const QString what = QStringLiteral("Register %1").arg(address);
            const QVariant defaultValue = source.value(3);
            if (defaultValue.isNull())
                throw DatabaseError{what + QStringLiteral(" has no DefaultValue.")};
            QVariantList values{address, defaultValue.toString(),
                                binaryValue(defaultValue.toString()), text(source.value(1))};
            for (const QString& bit : bitColumns(8))
                values.append(text(source.value(bit)));
            values += {int(flag(source, QStringLiteral("R"), what)),
                       int(flag(source, QStringLiteral("W"), what)), text(source.value(2))};
            for (const QString& column : flagColumns.mid(0, 5))
                values.append(int(flag(source, column, what)));
            values.append(defaultValue.toString());
            exec(QStringLiteral("INSERT INTO temp.Setting (") + workColumns +
                     QStringLiteral(") VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                 values);
        }
    } catch (const DatabaseError&) {
        db.rollback();
        exec(QStringLiteral("DELETE FROM temp.Setting"));
        throw;
    }
    db.commit();
}

void RegisterDatabase::fillFifo(Fifo fifo, int size) {
    QSqlDatabase db = connection();
    db.transaction();
    for (int item = 1; item <= size; ++item)
        exec(QStringLiteral("INSERT INTO temp.%1 (Item) VALUES (?)").arg(fifoTable(fifo)), {item});
    db.commit();
}

QList<StatusRegister> RegisterDatabase::statusRegisters(int chipId) {
    QList<StatusRegister> registers;
    QSqlQuery query = run(QStringLiteral("SELECT Address, Name, ") + bitColumns(16).join(u',') +
                              QStringLiteral(" FROM main.Register WHERE ChipID = ? AND "
                                             "StatusReg <> 0 ORDER BY rowid"),
                          {chipId});
    while (query.next()) {
        StatusRegister status;
        status.address = text(query.value(0));
        status.name = text(query.value(1));
        for (int k = 0; k < 16; ++k)
            status.bits[k] = text(query.value(QStringLiteral("bit%1").arg(k)));
        registers.append(status);
    }
    return registers;
}

QList<WorkRow> RegisterDatabase::workRows(const QString& clause) {
    QList<WorkRow> rows;
    QSqlQuery query = run(QStringLiteral("SELECT ") + workColumns +
                          QStringLiteral(" FROM temp.Setting ") + clause);
    while (query.next()) {
        WorkRow row;
        row.address = text(query.value(0));
        row.hexValue = text(query.value(1));
        row.binaryValue = text(query.value(2));
        row.name = text(query.value(3));
        for (int i = 0; i < 8; ++i)
            row.bits[i] = text(query.value(11 - i));
        row.r = query.value(12).toLongLong() != 0;
        row.w = query.value(13).toLongLong() != 0;
        row.description = text(query.value(14));
        row.testReg = query.value(15).toLongLong() != 0;
        row.rfReg = query.value(16).toLongLong() != 0;
        row.digitalReg = query.value(17).toLongLong() != 0;
        row.miscReg = query.value(18).toLongLong() != 0;
        row.statusReg = query.value(19).toLongLong() != 0;
        row.defaultValue = text(query.value(20));
        rows.append(row);
    }
    return rows;
}

void RegisterDatabase::storeValue(const QString& address, const QString& hex) {
    exec(QStringLiteral("UPDATE temp.Setting SET HexValue = ?, BinaryValue = ? WHERE Address = ? "
                        "COLLATE NOCASE"),
         {hex, binaryValue(hex), address});
}

QList<FifoRow> RegisterDatabase::fifoRows(Fifo fifo) {
    QList<FifoRow> rows;
    const bool rx = fifo == Fifo::Rx;
    QSqlQuery query =
        run(QStringLiteral("SELECT Item, Hex%1 FROM temp.%2 ORDER BY rowid")
                .arg(rx ? QStringLiteral(", Expected, Error") : QString(), fifoTable(fifo)));
    while (query.next()) {
        FifoRow row;
        row.item = query.value(0).toInt();
        row.hex = text(query.value(1));
        if (rx) {
            row.expected = text(query.value(2));
            row.error = text(query.value(3));
        }
        rows.append(row);
    }
    return rows;
}

void RegisterDatabase::setFifoHex(Fifo fifo, int item, const QString& hex) {
    exec(QStringLiteral("UPDATE temp.%1 SET Hex = ? WHERE Item = ?").arg(fifoTable(fifo)),
         {hex, item});
}

void RegisterDatabase::setExpected(int item, const QString& expected) {
    exec(QStringLiteral("UPDATE temp.RXFIFO SET Expected = ? WHERE Item = ?"), {expected, item});
}

void RegisterDatabase::setError(int item, const QString& error) {
    exec(QStringLiteral("UPDATE temp.RXFIFO SET Error = ? WHERE Item = ?"),
         {error.isEmpty() ? QVariant() : QVariant(error.toInt()), item});
}

} // namespace krv::console
