// Measures how long a window takes to answer a file far larger than any real one of its kind:
// for every reader, a file that starts as a real one and runs on with 100 MB of lines, then one
// that runs on to just below the reader's bound (which is read, and must be read in time linear
// in its size). Each file is first saved by the window itself, so it starts as a real one.
#include "app/ismmain.h"
#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <cstdio>

namespace {

struct Reader {
    const char* what;
    const char* form;
    const char* save; // the button that saves a real file to start from, or none
    const char* load;
    const char* extension;
    qint64 bound;
    const char* start = ""; // what the file starts with where the window saves none
};

const Reader readers[] = {
    {"HT531 configuration", "MivraV2", "ConfSave", "ConfLoad", "tc", 1 << 20},
    {"HT537 configuration", "PelkoV1", "ConfSave", "ConfLoad", "tc1", 1 << 20},
    {"HT539 configuration", "HT539", "ConfSave", "ConfLoad", "tc2", 1 << 20},
    {"HR651 configuration", "DruskV1", "ConfSave", "ConfLoad", "rc", 1 << 20},
    {"HR658 configuration", "Ovalt", "ConfSave", "ConfLoad", "rc2", 1 << 20},
    {"HC913 configuration", "YambleV3", "ConfSave", "ConfLoad", "trc", 1 << 20},
    {"HC916 configuration", "FRM_Zenth", "ConfSave", "ConfLoad", "lrc", 1 << 20},
    {"terminal script", "Terminal", "SaveScript", "LoadScript", "txt", 2 << 20},
    {"console register set", "SPI", "SaveSettings", "LoadSettings", "txt", 1 << 20},
    {"console window setup", "SPI", "SaveGUI", "LoadGUI", "txt", 1 << 20},
    {"console batch", "SPI", "SaveBatch", "LoadBach", "txt", 1 << 20},
    {"console TX FIFO content", "SPI", "SaveTXff", "OpenTXff", "txt", 1 << 20},
    {"console RX FIFO expected", "SPI", "SaveRXff", "OpenRXff", "txt", 1 << 20},
    {"EEPROM image", "eeprom", nullptr, "loadeefile", "asc", 1 << 20,
     "\x02image\r\n00 11 22 33\r\n"},
    {"firmware", "FirmLoad", nullptr, "loadeefile", "hex", 16 << 20,
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

// Runs on the saved file with lines of text up to `size` bytes.
bool extend(const QString& path, qint64 size) {
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return false;
    const QByteArray line = "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789\r\n";
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
        extend(path, reader.bound - 1);
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
    return 0;
}
