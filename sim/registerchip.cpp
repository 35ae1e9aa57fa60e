#include "registerchip.h"

#include "boardsimulator.h"
#include "console/seed/sqlscript.h"
#include "replies.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace krv::sim {

namespace {

int hexAddress(const QVariant& value) {
    bool ok = false;
    const int address = value.toString().toInt(&ok, 16);
    return ok && !value.isNull() ? address : -1;
}

// Runs `work` on a private in-memory database made from the seed script.
template <typename Work> void withSeed(Work work) {
    const QString connection = QStringLiteral("krv-sim-seed-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (db.open() && console::runSqlScript(db, console::demoChipScript()).isEmpty())
            work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

// The argument of a console command: the blank after the command letters is optional.
QString argumentOf(const QString& argument) {
    return argument.startsWith(u' ') ? argument.mid(1) : argument;
}

bool isHexOfLength(const QString& text, int length) {
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]*$"));
    return text.size() == length && hex.match(text).hasMatch();
}

} // namespace

std::optional<RegisterChip> RegisterChip::demo(const QString& name) {
    std::optional<RegisterChip> chip;
    withSeed([&](QSqlDatabase& db) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral("SELECT ChipID, Name, TxFifoAddress, RxFifoAddress FROM "
                                     "Chip WHERE Name = ? COLLATE NOCASE"));
        query.addBindValue(name);
        if (!query.exec() || !query.next())
            return;
        RegisterChip found;
        found.name = query.value(1).toString();
        found.txFifoAddress = hexAddress(query.value(2));
        found.rxFifoAddress = hexAddress(query.value(3));
        QSqlQuery registers(db);
        registers.prepare(QStringLiteral(
            "SELECT Address, Databits, DefaultValue FROM Register WHERE ChipID = ?"));
        registers.addBindValue(query.value(0));
        registers.exec();
        while (registers.next()) {
            const int address = hexAddress(registers.value(0));
            if (address < 0)
                continue;
            found.registers[address] = {registers.value(1).toInt(),
                                        quint16(registers.value(2).toString().toUInt(nullptr, 16))};
        }
        chip = found;
    });
    return chip;
}

QStringList RegisterChip::demoNames() {
    QStringList names;
    withSeed([&](QSqlDatabase& db) {
        QSqlQuery query(QStringLiteral("SELECT Name FROM Chip ORDER BY ChipID"), db);
        while (query.next())
            names.append(query.value(0).toString());
    });
    return names;
}

quint16 RegisterChip::read(int address) {
    if (address == rxFifoAddress)
        return pop();
    const auto found = registers.find(address);
    return found == registers.end() ? 0 : found->second.value;
}

void RegisterChip::write(int address, quint8 value) {
    if (address == txFifoAddress) {
        push(value);
        return;
    }
    registers[address].value = value;
}

void RegisterChip::push(quint8 byte) {
    fifo_.append(quint8(byte ^ (flips_.isEmpty() ? 0 : flips_.takeFirst())));
}

quint8 RegisterChip::pop() {
    return fifo_.isEmpty() ? 0 : fifo_.takeFirst();
}

void installRegisterChip(BoardSimulator& board, std::shared_ptr<RegisterChip> chip) {
    const CommandHandler wordWrite = board.command(QStringLiteral("S2"));
    const CommandHandler streamWrite = board.command(QStringLiteral("WS"));
    const CommandHandler streamRead = board.command(QStringLiteral("RS"));
    const auto fifoSelected = [&board] { return board.lineState(3) == QStringLiteral("L"); };

    board.addCommand(QStringLiteral("S2"), [wordWrite, chip](const QString& argument) -> Reply {
        const QString word = argumentOf(argument);
        if (!isHexOfLength(word, 4))
            return replies::error();
        wordWrite(word);
        const int address = word.left(2).toInt(nullptr, 16);
        const int value = word.mid(2).toInt(nullptr, 16);
        if (address >= 0x80) {
            chip->write(address - 0x80, quint8(value));
            return replies::ok();
        }
        const auto found = chip->registers.find(address);
        const bool wide = found != chip->registers.end() && found->second.width > 8;
        const quint16 read = chip->read(address);
        return replies::registerWord(wide ? quint8(read >> 8) : 0, quint8(read));
    });
    board.addCommand(QStringLiteral("WS"),
                     [streamWrite, chip, fifoSelected](const QString& argument) -> Reply {
                         const QString bytes = argumentOf(argument);
                         Reply reply = streamWrite(bytes);
                         if (fifoSelected() && reply == replies::ok()) {
                             for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
                                 chip->push(quint8(bytes.mid(i, 2).toUInt(nullptr, 16)));
                         }
                         return reply;
                     });
    board.addCommand(
        QStringLiteral("RS"), [streamRead, chip, fifoSelected](const QString& argument) -> Reply {
            const QString rest = argumentOf(argument);
            if (!rest.isEmpty())
                return replies::error();
            return fifoSelected() ? replies::statusByte(chip->pop()) : streamRead(rest);
        });
}

} // namespace krv::sim
