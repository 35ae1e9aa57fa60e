// Every reader of the program against the shapes a stray or hostile file takes below the
// reader's bound: each answers (reads the file or refuses it) within a second, in at most four
// times the file's size beyond what the process held before. Splitting a whole file into lists
// first took a megabyte of line ends or of commas 47 to 142 MB and seconds.

#include "app/scriptfile.h"
#include "app/settingsfile.h"
#include "app/workspacefile.h"
#include "common/boundedfile.h"
#include "common/error.h"
#include "console/batchtext.h"
#include "console/consolefiles.h"
#include "console/fifocheck.h"
#include "console/registerset.h"
#include "console/windowsetup.h"
#include "filefixtures.h"
#include "panels/common/configitems.h"
#include "panels/receiver/receiverfile.h"
#include "panels/transceiver/trxconfigfile.h"
#include "panels/transmitter/transmitterpanel.h"
#include "testsupport.h"
#include "tools/eeprom/ascfile.h"
#include "tools/eeprom/firmwaretext.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <functional>

using namespace krv;

namespace {

struct Reader {
    QString name;
    qint64 bound;      // in bytes
    QByteArray head;   // how a real file of the kind starts
    QByteArray record; // a real line of it
    qsizetype lines;   // the reader's bound in lines, or 0
    std::function<void(const QString& path)> read;
};

// The shapes are a megabyte, or as much as the reader's bound leaves.
constexpr qint64 shapeSize = 1 << 20;

QByteArray filled(const QByteArray& head, const QByteArray& unit, qint64 size) {
    QByteArray bytes = head;
    bytes.reserve(size);
    while (bytes.size() + unit.size() <= size)
        bytes += unit;
    return bytes;
}

QList<std::pair<QString, QByteArray>> shapesOf(const Reader& reader) {
    const qint64 size = std::min(shapeSize, reader.bound - 1);
    const QByteArray& head = reader.head;
    const qint64 room = size - head.size();
    QList<std::pair<QString, QByteArray>> shapes{
        {"commas in one line", head + QByteArray(room, ',')},
        {"commas between quotes", head + '"' + QByteArray(room - 2, ',') + '"'},
        {"empty lines (CR LF)", filled(head, "\r\n", size)},
        {"empty lines (LF)", filled(head, "\n", size)},
        {"CR only", filled(head, "\r", size)},
        {"one long line", head + QByteArray(room, 'A')},
        {"header lines", filled(head, head, size)},
        {"records", filled(head, reader.record, size)},
    };
    if (reader.lines > 0) {
        const qsizetype lines = reader.lines - head.count('\n') - 1;
        shapes.append({"full lines up to the line bound",
                       filled(head, QByteArray(room / lines - 2, '0') + "\r\n", size)});
    }
    return shapes;
}

QByteArray bannerLine(const QString& banner) {
    return '"' + banner.toLatin1() + "\"\r\n";
}

} // namespace

class TestReaders : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        const auto configuration = [this](const QString& name, const ConfigFileType& type) {
            readers_.append({name, fileBounds::Configuration, bannerLine(type.banner), "#TRUE#\r\n",
                             0, [type](const QString& path) {
                                 readConfigFile(type,
                                                readFileBounded(path, fileBounds::Configuration));
                             }});
        };
        {
            // The transmitter panels hold their file types.
            test::Rig rig;
            rig.start();
            for (const char* form : {"MivraV2", "PelkoV1", "HT539"}) {
                auto* panel =
                    qobject_cast<TransmitterPanel*>(rig.main().form(QString::fromLatin1(form)));
                QVERIFY(panel);
                configuration(panel->traits().file.extension, panel->traits().file);
            }
        }
        configuration("rc", receiver::fileType(receiver::Chip::HR651));
        configuration("rc2", receiver::fileType(receiver::Chip::HR658));
        configuration("trc", trx::fileType(trx::Chip::HC913));
        configuration("lrc", trx::fileType(trx::Chip::HC916));
        readers_.append({"KRV.ini", fileBounds::Configuration, bannerLine(Settings::banner()),
                         "\"1\"\r\n", 0,
                         [](const QString& path) { Settings::read(path, Settings()); }});
        readers_.append({"KRV.wsp", fileBounds::Configuration, bannerLine(Workspace::banner()),
                         "#TRUE#\r\n", 0, [](const QString& path) { Workspace::read(path); }});
        readers_.append({"script", fileBounds::TerminalScript, "Z3\r\n", "i\r\n",
                         fileBounds::TerminalScriptLines, [](const QString& path) {
                             scriptFromFile(readFileBounded(path, fileBounds::TerminalScript));
                         }});
        readers_.append({"image", fileBounds::EepromImage, "\x02 $A00000000,\r\n",
                         "00 11 22 33\r\n", fileBounds::EepromImageLines, [](const QString& path) {
                             asc::read(readFileBounded(path, fileBounds::EepromImage));
                         }});
        readers_.append({"firmware", fileBounds::Firmware, ":0400000001020304F2\r\n",
                         ":10010000000102030405060708090A0B0C0D0E0F77\r\n", 0,
                         [](const QString& path) {
                             firmware::loaderText(readFileBounded(path, fileBounds::Firmware));
                         }});
        readers_.append({"register set", console::textFileBound, "#CHIP DEMO-REG\r\nnotes\r\n",
                         "07,21\r\n", fileBounds::ConsoleFileLines, [](const QString& path) {
                             console::readRegisterSet(console::readTextFile(path));
                         }});
        readers_.append(
            {"window setup", console::textFileBound, "#CHIP DEMO-REG\r\nnotes\r\n", "07\r\n", 0,
             [](const QString& path) { console::readWindowSetup(console::readTextFile(path)); }});
        readers_.append({"batch", console::textFileBound, "#BATCHNAME Batch#1\r\n", "S2 A0B1\r\n",
                         fileBounds::ConsoleFileLines, [](const QString& path) {
                             console::readBatch(console::readTextFile(path));
                         }});
        readers_.append({"FIFO content", console::textFileBound, "#FIFO\r\n", "AB\r\n", 0,
                         [](const QString& path) {
                             console::readFifoFile(console::readTextFile(path), 4095);
                         }});
    }

    void answersInTimeAndMemoryLinearInTheFile_data() {
        QTest::addColumn<int>("reader");
        QTest::addColumn<QByteArray>("file");
        for (qsizetype r = 0; r < readers_.size(); ++r) {
            for (const auto& [shape, bytes] : shapesOf(readers_[r])) {
                const QString row = readers_[r].name + QStringLiteral(": ") + shape;
                QTest::newRow(qPrintable(row)) << int(r) << bytes;
            }
        }
    }
    void answersInTimeAndMemoryLinearInTheFile() {
        QFETCH(int, reader);
        QFETCH(QByteArray, file);
        const QString path = dir_.filePath(QStringLiteral("shape"));
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(file), file.size());
        }
        const test::PeakMemory peak;
        QElapsedTimer clock;
        clock.start();
        try {
            readers_[reader].read(path);
        } catch (const Error&) {
        }
        const qint64 ms = clock.elapsed();
        const qint64 extra = peak.extraBytes();
        QVERIFY2(ms < 1000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
        if (peak.valid())
            QVERIFY2(extra <= 4 * file.size(),
                     qPrintable(
                         QStringLiteral("%1 bytes for a file of %2").arg(extra).arg(file.size())));
    }

private:
    QTemporaryDir dir_;
    QList<Reader> readers_;
};

QTEST_MAIN(TestReaders)
#include "test_readers.moc"
