#pragma once

#include <QList>
#include <QString>
#include <array>

namespace krv::console {

// A failure of the register database, in words for the user.
struct DatabaseError {
    QString text;
};

struct ChipRow {
    int id = 0;
    QString name;
    QString projectNr;
    int txFifoSize = 0;
    int rxFifoSize = 0;
    QString txFifoAddress; // empty when the chip has none
    QString rxFifoAddress;
    bool nFFS_control = false;
};

// One row of the work table Setting: an 8-bit register of the selected chip.
struct WorkRow {
    QString address;
    QString hexValue;
    QString binaryValue;
    QString name;
    std::array<QString, 8> bits; // bits[i] is the name of bit i
    bool r = false;
    bool w = false;
    QString description;
    bool testReg = false;
    bool rfReg = false;
    bool digitalReg = false;
    bool miscReg = false;
    bool statusReg = false;
    QString defaultValue;
};

struct StatusRegister {
    QString address;
    QString name;
    std::array<QString, 16> bits; // bits[k] is the name of bit k
};

struct FifoRow {
    int item = 0;
    QString hex;
    QString expected;
    QString error;
};

enum class Fifo { Tx, Rx };

// The register database KRV.db: the master tables Chip and Register, which it only reads, and
// the work tables Setting, TXFIFO and RXFIFO, temporary tables of its one named connection.
// Every failure throws DatabaseError.
class RegisterDatabase {
public:
    static QString connectionName() { return QStringLiteral("KRVConsole"); }

    explicit RegisterDatabase(QString path);
    ~RegisterDatabase();
    RegisterDatabase(const RegisterDatabase&) = delete;
    RegisterDatabase& operator=(const RegisterDatabase&) = delete;

    // Opens the file (a missing one is created from the demonstration seed), checks the master
    // tables and makes the work tables.
    void open();
    bool isOpen() const { return open_; }

    // The usable chips in stored order. A chip row without a FIFO size or an nFFS_control flag
    // is left out, and why goes into `unusable`, so one bad row does not hide every chip.
    QList<ChipRow> chips(QStringList& unusable);
    void clearWorktables();
    // Copies the chip's 8-bit registers into Setting, by address or by name.
    void fillSettings(int chipId, bool byAddress);
    // Rows Item 1 .. size, other columns empty.
    void fillFifo(Fifo fifo, int size);
    // The chip's status registers of every width, in stored order.
    QList<StatusRegister> statusRegisters(int chipId);

    // Work rows selected by a clause made only of the console's own fixed texts.
    QList<WorkRow> workRows(const QString& clause);
    // HexValue and BinaryValue of the row with that address.
    void storeValue(const QString& address, const QString& hex);

    QList<FifoRow> fifoRows(Fifo fifo);
    void setFifoHex(Fifo fifo, int item, const QString& hex);
    void setExpected(int item, const QString& expected);
    void setError(int item, const QString& error);

private:
    void exec(const QString& statement, const QVariantList& values = {});
    // Seeds a fresh file, checks the master tables and makes the work tables.
    void prepare(bool fresh);
    void checkColumns(const QString& table, const QStringList& columns);
    void seed();

    QString path_;
    bool open_ = false;
};

} // namespace krv::console
