// Measures how long a window takes to answer a file far larger than any real one of its kind:
// for every reader, a file that starts as a real one and runs on with 100 MB of lines, then one
// that runs on to just below the reader's bound (which is read, and must be read in time linear
// in its size). Each file is first saved by the window itself, so it starts as a real one.
//
// Then the worst shapes below the bounds for every kind of reader (empty lines, LF only, CR
// only, one long line, a line of commas, header lines over and over, and as many lines as the
// reader shows): the time from the click (or, for KRV.ini and KRV.wsp, from the start) until
// the window has answered with the file shown, and the most memory the process took meanwhile
// beyond what it held before, for the window and for the reader alone.
#include "app/ismmain.h"
#include "app/scriptfile.h"
#include "app/settingsfile.h"
#include "app/workspacefile.h"
#include "common/boundedfile.h"
#include "common/error.h"
#include "console/batchtext.h"
#include "console/fifocheck.h"
#include "console/registerset.h"
#include "console/windowsetup.h"
#include "filefixtures.h"
#include "panels/common/configitems.h"
#include "panels/transceiver/trxconfigfile.h"
#include "testsupport.h"
#include "tools/eeprom/ascfile.h"
#include "tools/eeprom/firmwaretext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>
#include <functional>

namespace {

struct Reader {
    const char* what;
    const char* form;
    const char* save; // the button that saves a real file to start from, or none
    const char* load;
    const char* extension;
    qint64 bound;
    const char* start = ""; // what the file starts with where the window saves none
    qsizetype lines = 0;    // the reader's bound in lines, or none
};

const Reader readers[] = {
    {"HT531 configuration", "MivraV2", "ConfSave", "ConfLoad", "tc", 1 << 20},
    {"HT537 configuration", "PelkoV1", "ConfSave", "ConfLoad", "tc1", 1 << 20},
    {"HT539 configuration", "HT539", "ConfSave", "ConfLoad", "tc2", 1 << 20},
    {"HR651 configuration", "DruskV1", "ConfSave", "ConfLoad", "rc", 1 << 20},
    {"HR658 configuration", "Ovalt", "ConfSave", "ConfLoad", "rc2", 1 << 20},
    {"HC913 configuration", "YambleV3", "ConfSave", "ConfLoad", "trc", 1 << 20},
    {"HC916 configuration", "FRM_Zenth", "ConfSave", "ConfLoad", "lrc", 1 << 20},
    {"terminal script", "Terminal", "SaveScript", "LoadScript", "txt",
     krv::fileBounds::TerminalScript, "", krv::fileBounds::TerminalScriptLines},
    {"console register set", "SPI", "SaveSettings", "LoadSettings", "txt", 1 << 20, "",
     krv::fileBounds::ConsoleFileLines},
    {"console window setup", "SPI", "SaveGUI", "LoadGUI", "txt", 1 << 20},
    {"console batch", "SPI", "SaveBatch", "LoadBach", "txt", 1 << 20, "",
     krv::fileBounds::ConsoleFileLines},
    {"console TX FIFO content", "SPI", "SaveTXff", "OpenTXff", "txt", 1 << 20},
    {"console RX FIFO expected", "SPI", "SaveRXff", "OpenRXff", "txt", 1 << 20},
    {"EEPROM image", "eeprom", nullptr, "loadeefile", "asc", krv::fileBounds::EepromImage,
     "\x02 $A00000000,\r\n00 11 22 33\r\n", krv::fileBounds::EepromImageLines},
    {"firmware", "FirmLoad", nullptr, "loadeefile", "hex", krv::fileBounds::Firmware,
     ":0400000001020304F2\r\n:00000001FF\r\n"},
};

// The file as the window saves it, or as the reader gives its start.
bool begin(krv::test::Rig& rig, QPushButton* save, const Reader& reader, const QString& path) {
    if (!save) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(reader.start) >= 0;
    }
    QFile::remove(path);
    rig.dialogs().files = QStringList{path};
    save->click();
    return QFile::exists(path);
}

// Runs on the saved file with lines of text up to `size` bytes, lines long enough that a reader
// bounded in lines reaches its bound in bytes first.
bool extend(const QString& path, qint64 size, qsizetype lines = 0) {
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return false;
    const qint64 length = lines > 0 ? std::max<qint64>(60, size / (lines - 100)) : 60;
    QByteArray line;
    while (line.size() < length - 2)
        line += "0123456789ABCDEF";
    line = line.left(length - 2) + "\r\n";
    QByteArray block;
    while (block.size() < (1 << 20))
        block += line;
    while (file.size() + block.size() <= size)
        file.write(block);
    return file.write(block.left(size - file.size())) >= 0;
}

// Milliseconds from pressing the button until the window has answered.
qint64 timeLoad(krv::test::Rig& rig, QPushButton* load, const QString& path) {
    rig.dialogs().files = QStringList{path};
    rig.dialogs().messages.clear();
    QElapsedTimer clock;
    clock.start();
    load->click();
    QApplication::processEvents();
    return clock.elapsed();
}

// ---- Worst shapes --------------------------------------------------------------------------

struct Shape {
    const char* what;
    QByteArray bytes;
};

QByteArray repeated(const QByteArray& unit, qint64 size) {
    QByteArray bytes;
    bytes.reserve(size);
    while (bytes.size() + unit.size() <= size)
        bytes += unit;
    return bytes;
}

// The shapes of a reader's file: `head` and `tail` around what fills it to `size` bytes. A
// reader bounded in lines adds that many empty lines and that many full ones; `record` adds the
// file filled with that line.
QList<Shape> shapes(const QByteArray& head, const QByteArray& tail, qint64 size, qsizetype lines,
                    const QByteArray& record) {
    const qint64 room = size - head.size() - tail.size();
    QList<Shape> list{
        {"empty lines (CR LF)", head + repeated("\r\n", room) + tail},
        {"empty lines (LF only)", head + repeated("\n", room) + tail},
        {"CR only", head + repeated("\r", room) + tail},
        {"one long line", head + ':' + repeated("0", room - 3) + "\r\n" + tail},
        {"one line of commas", head + repeated(",", room - 2) + "\r\n" + tail},
    };
    if (!head.isEmpty())
        list.append({"header lines over and over", repeated(head, size - tail.size()) + tail});
    if (lines > 0) {
        list.append(
            {"empty lines up to the line bound", head + repeated("\r\n", 2 * (lines - 3)) + tail});
        const QByteArray line = repeated("0", room / (lines - 10) + 1 - 2) + "\r\n";
        list.append({"full lines up to both bounds", head + repeated(line, room) + tail});
    }
    if (!record.isEmpty())
        list.append({"records up to the bound", head + repeated(record, room) + tail});
    return list;
}

QString answerOf(krv::test::Rig& rig) {
    const QString first = rig.dialogs().messages.value(0).text;
    return first.isEmpty() ? QStringLiteral("read") : first.section(u'\r', 0, 0);
}

void report(const char* reader, const Shape& shape, qint64 windowMs, qint64 windowBytes,
            qint64 readerMs, qint64 readerBytes, const QString& answer) {
    const double size = double(shape.bytes.size());
    std::printf("%-9s %-34s %9.2f MB %7lld ms %8.1f MB (%5.1fx) %5lld ms %7.1f MB (%4.1fx)   %s\n",
                reader, shape.what, size / (1 << 20), windowMs, double(windowBytes) / (1 << 20),
                double(windowBytes) / size, readerMs, double(readerBytes) / (1 << 20),
                double(readerBytes) / size, qPrintable(answer));
}

// The reader alone: the file read and taken as the window takes it.
void measureReader(const QString& path, const std::function<void(const QString&)>& read, qint64& ms,
                   qint64& bytes) {
    QElapsedTimer clock;
    const krv::test::PeakMemory peak;
    clock.start();
    try {
        read(path);
    } catch (const krv::Error&) {
    }
    ms = clock.elapsed();
    bytes = peak.extraBytes();
}

// A register console with its demonstration chip chosen, so that the FIFO readers have a FIFO.
void chooseConsoleChip(QWidget* window) {
    if (auto* chips = window->findChild<QComboBox*>(QStringLiteral("ChipSelect")))
        chips->setCurrentIndex(chips->findText(QStringLiteral("DEMO-REG")));
}

QByteArray bannerLine(const QString& banner) {
    return '"' + banner.toLatin1() + "\"\r\n";
}

void worstShapes() {
    struct ShownReader {
        const char* what;
        const char* form; // none: a file read at start-up, `load` its name
        const char* load;
        const char* shows; // the check box that shows the file's pane, or none
        const char* extension;
        qint64 bound;
        qsizetype lines;
        QByteArray head, tail, record;
        std::function<void(const QByteArray&)> take;
        // What reads the file at start-up, where it is not read with the bound and taken.
        std::function<void(const QString&)> read = {};
    };
    const ShownReader readers[] = {
        {"firmware", "FirmLoad", "loadeefile", nullptr, "hex", krv::fileBounds::Firmware, 0,
         ":0400000001020304F2\r\n", ":00000001FF\r\n",
         ":10010000000102030405060708090A0B0C0D0E0F77\r\n",
         [](const QByteArray& bytes) { krv::firmware::loaderText(bytes); }},
        {"script", "Terminal", "LoadScript", "En_ScriptWindow", "txt",
         krv::fileBounds::TerminalScript, krv::fileBounds::TerminalScriptLines, "Z3\r\n", "", "",
         [](const QByteArray& bytes) { krv::scriptFromFile(bytes); }},
        {"image", "eeprom", "loadeefile", "EditorWindow", "asc", krv::fileBounds::EepromImage,
         krv::fileBounds::EepromImageLines, "\x02 $A00000000,\r\n", "\x03", "",
         [](const QByteArray& bytes) { krv::asc::read(bytes); }},
        {"trc", "YambleV3", "ConfLoad", nullptr, "trc", krv::fileBounds::Configuration, 0,
         bannerLine(krv::trx::fileType(krv::trx::Chip::HC913).banner), "", "#TRUE#\r\n",
         [](const QByteArray& bytes) {
             krv::readConfigFile(krv::trx::fileType(krv::trx::Chip::HC913), bytes);
         }},
        {"KRV.ini",
         nullptr,
         "KRV.ini",
         nullptr,
         "",
         krv::fileBounds::Configuration,
         0,
         bannerLine(krv::Settings::banner()),
         "",
         "\"1\"\r\n",
         {},
         [](const QString& path) { krv::Settings::read(path, krv::Settings()); }},
        {"KRV.wsp",
         nullptr,
         "KRV.wsp",
         nullptr,
         "",
         krv::fileBounds::Configuration,
         0,
         bannerLine(krv::Workspace::banner()),
         "",
         "#TRUE#\r\n",
         {},
         [](const QString& path) { krv::Workspace::read(path); }},
        {"regset", "SPI", "LoadSettings", nullptr, "txt", krv::fileBounds::Configuration,
         krv::fileBounds::ConsoleFileLines, "#CHIP DEMO-REG\r\nnotes\r\n", "", "07,21\r\n",
         [](const QByteArray& bytes) { krv::console::readRegisterSet(bytes); }},
        {"setup", "SPI", "LoadGUI", nullptr, "txt", krv::fileBounds::Configuration, 0,
         "#CHIP DEMO-REG\r\nnotes\r\n", "", "07\r\n",
         [](const QByteArray& bytes) { krv::console::readWindowSetup(bytes); }},
        {"batch", "SPI", "LoadBach", nullptr, "txt", krv::fileBounds::Configuration,
         krv::fileBounds::ConsoleFileLines, "#BATCHNAME Batch#1\r\n", "", "#BATCHNAME x\r\n",
         [](const QByteArray& bytes) { krv::console::readBatch(bytes); }},
        {"FIFO", "SPI", "OpenTXff", nullptr, "txt", krv::fileBounds::Configuration, 0, "#FIFO\r\n",
         "", "AB\r\n", [](const QByteArray& bytes) { krv::console::readFifoFile(bytes, 16); }},
    };
    std::printf("\nWorst shapes below the bounds: the window (click to answer, file shown) and "
                "the reader alone; memory is the most the process took beyond what it held "
                "before (x: times the file's size)\n");
    std::printf("%-9s %-34s %12s %10s %20s %8s %17s\n", "reader", "shape", "size", "window",
                "window memory", "reader", "reader memory");
    if (!krv::test::PeakMemory().valid())
        std::printf("(the memory high-water mark cannot be reset here: memory figures are void)\n");
    for (const ShownReader& reader : readers) {
        for (const Shape& shape :
             shapes(reader.head, reader.tail, reader.bound - 1, reader.lines, reader.record)) {
            krv::test::Rig rig;
            const bool atStart = !reader.form;
            QWidget* window = nullptr;
            QPushButton* load = nullptr;
            QString path = rig.folder() + u'/' + QString::fromLatin1(reader.load);
            if (atStart) {
                // The workspace is read at start-up only when the settings say so.
                rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
            } else {
                rig.start();
                rig.main().show();
                window = rig.main().form(QString::fromLatin1(reader.form));
                load = window ? window->findChild<QPushButton*>(QString::fromLatin1(reader.load))
                              : nullptr;
                if (!load) {
                    std::printf("%-9s window or button not found\n", reader.what);
                    break;
                }
                rig.main().showForm(window);
                if (reader.shows) {
                    if (auto* box =
                            window->findChild<QAbstractButton*>(QString::fromLatin1(reader.shows));
                        box && !box->isChecked())
                        box->click();
                }
                chooseConsoleChip(window);
                QApplication::processEvents();
                path = rig.folder() + QStringLiteral("/shape.") + reader.extension;
            }
            {
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly) ||
                    file.write(shape.bytes) != shape.bytes.size())
                    return;
            }
            qint64 readerMs = 0;
            qint64 readerBytes = 0;
            measureReader(
                path,
                reader.read
                    ? reader.read
                    : [&reader](
                          const QString&
                              file) { reader.take(krv::readFileBounded(file, reader.bound)); },
                readerMs, readerBytes);
            rig.dialogs().files = QStringList{path};
            rig.dialogs().messages.clear();
            QElapsedTimer clock;
            const krv::test::PeakMemory peak;
            clock.start();
            if (atStart) {
                rig.start();
                rig.main().show();
                QApplication::processEvents();
            } else {
                load->click();
                QApplication::processEvents();
                window->repaint();
                QApplication::processEvents();
            }
            const qint64 windowMs = clock.elapsed();
            report(reader.what, shape, windowMs, peak.extraBytes(), readerMs, readerBytes,
                   answerOf(rig));
            QFile::remove(path);
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::printf("%-24s %14s %22s\n", "reader", "100 MB file", "file just below bound");
    for (const Reader& reader : readers) {
        krv::test::Rig rig;
        rig.start();
        QWidget* window = rig.main().form(QString::fromLatin1(reader.form));
        auto* save = window && reader.save
                         ? window->findChild<QPushButton*>(QString::fromLatin1(reader.save))
                         : nullptr;
        auto* load =
            window ? window->findChild<QPushButton*>(QString::fromLatin1(reader.load)) : nullptr;
        if ((reader.save && !save) || !load) {
            std::printf("%-24s window or buttons not found\n", reader.what);
            continue;
        }
        const QString path = rig.folder() + QStringLiteral("/large.") + reader.extension;
        if (!begin(rig, save, reader, path) || !extend(path, 100ll << 20)) {
            std::printf("%-24s could not make the file\n", reader.what);
            continue;
        }
        const qint64 large = timeLoad(rig, load, path);
        const QString largeAnswer = rig.dialogs().messages.value(0).text.section(u'\r', 0, 0);
        begin(rig, save, reader, path);
        extend(path, reader.bound - 1, reader.lines);
        const qint64 belowBound = timeLoad(rig, load, path);
        // With no board the panels add that the supply was not set: the file was read.
        const QString first = rig.dialogs().messages.value(0).text;
        const QString belowAnswer = first.startsWith(QStringLiteral("Error occured"))
                                        ? first.section(u'\r', 0, 0)
                                        : QStringLiteral("read");
        std::printf("%-24s %11lld ms %19lld ms   (%s; %s)\n", reader.what, large, belowBound,
                    qPrintable(largeAnswer), qPrintable(belowAnswer));
        QFile::remove(path);
    }
    worstShapes();
    return 0;
}
