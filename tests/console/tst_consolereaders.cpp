// The console's file readers on real files, with every kind of line end, and at their bounds.

#include "common/boundedfile.h"
#include "common/error.h"
#include "console/batchtext.h"
#include "console/fifocheck.h"
#include "console/registerset.h"
#include "console/windowsetup.h"

#include <QTest>

using namespace krv;
using namespace krv::console;

namespace {

// The three line ends a file may have, each in turn.
QByteArray ended(const QByteArray& crlfText, const char* end) {
    QByteArray text = crlfText;
    return text.replace("\r\n", end);
}

} // namespace

class ConsoleReadersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineEnds_data() {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }

    void registerSet_data() { lineEnds_data(); }
    void registerSet() {
        QFETCH(QByteArray, end);
        const RegisterSetFile set = readRegisterSet(
            ended("#CHIP DEMO-REG\r\nbench, 1\r\n07,21\r\n 0A , 3 \r\n\r\n , \r\n1F\r\n7F,1,2",
                  end.constData()));
        QCOMPARE(set.notes, std::optional<QString>("bench, 1"));
        QCOMPARE(set.values.size(), 4);
        QByteArrayList read;
        for (const RegisterSetFile::Value& value : set.values)
            read.append(value.address + '=' + value.value);
        QCOMPARE(read, (QByteArrayList{"07=21", "0A=3", "1F=", "7F=1,2"}));
        QCOMPARE(set.values[2].line, 7);
        QVERIFY(!readRegisterSet("#CHIP DEMO-REG").notes);
    }

    void windowSetup_data() { lineEnds_data(); }
    void windowSetup() {
        QFETCH(QByteArray, end);
        const WindowSetup setup = readWindowSetup(
            ended("#CHIP DEMO-REG\r\n Test Setup #\r\n09\r\n\r\n7f\r\n0A\r\n0B\r\n0C\r\n0D\r\n",
                  end.constData()));
        QCOMPARE(setup.notes, std::optional<QString>(" Test Setup #"));
        QCOMPARE(setup.addresses, (QStringList{"09", "", "7f", "0A", "0B", "0C"}));
        QCOMPARE(readWindowSetup("#CHIP x\r\nnotes\r\n01").addresses, QStringList{"01"});
    }

    void batch_data() { lineEnds_data(); }
    void batch() {
        QFETCH(QByteArray, end);
        const std::optional<LoadedBatch> named =
            readBatch(ended("#BATCHNAME Setup\r\nH1\r\n#REFRESH\r\nZ1", end.constData()));
        QVERIFY(named && named->hasName);
        QCOMPARE(named->name, QStringLiteral("Setup"));
        QCOMPARE(named->text, QStringLiteral("H1\r\n#REFRESH\r\nZ1\r\n"));
        const std::optional<LoadedBatch> plain = readBatch(ended("H1\r\n\r\n", end.constData()));
        QVERIFY(plain && !plain->hasName);
        QCOMPARE(plain->text, QStringLiteral("H1\r\n\r\n"));
        QVERIFY(!readBatch(QByteArray()));
    }

    // The batch box shows every line of a batch; a file of more lines than it shows in time is
    // refused with one message.
    void aBatchOfMoreLinesThanTheBoxShowsIsRefused() {
        const QByteArray asMany =
            "#BATCHNAME Long\r\n" + QByteArray("H1\r\n").repeated(fileBounds::ConsoleFileLines - 1);
        QCOMPARE(readBatch(asMany)->text.size(), 4 * (fileBounds::ConsoleFileLines - 1));
        try {
            readBatch(asMany + "\n");
            QFAIL("a batch of too many lines was read");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::FileTooLarge);
            QCOMPARE(e.description, QStringLiteral("File longer than 10000 lines"));
        }
        QVERIFY_THROWS_EXCEPTION(Error, readRegisterSet(asMany + "\n"));
    }

    void fifoFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<bool>("surplus");
        const QByteArray file("#FIFO\r\nA5\r\nNull\r\nCDE\n\r\n5");
        QTest::newRow("as many lines as bytes")
            << file << 5 << QStringList{"A5", "", "CD", "", "5"} << 5 << false;
        QTest::newRow("too few") << file << 7 << QStringList{"A5", "", "CD", "", "5", "", ""} << 5
                                 << false;
        QTest::newRow("too many") << file << 2 << QStringList{"A5", ""} << 2 << true;
        QTest::newRow("header only")
            << QByteArray("#FIFO\r\n") << 1 << QStringList{""} << 0 << false;
    }
    void fifoFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, size);
        const FifoFile fifo = readFifoFile(file, size);
        QTEST(fifo.values, "values");
        QTEST(fifo.loaded, "loaded");
        QTEST(fifo.surplus, "surplus");
    }
};

QTEST_GUILESS_MAIN(ConsoleReadersTest)
#include "tst_consolereaders.moc"
