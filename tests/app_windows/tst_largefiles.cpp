#include "app/ismmain.h"
#include "app/terminal.h"
#include "common/boundedfile.h"
#include "common/error.h"
#include "common/programfolder.h"
#include "filefixtures.h"
#include "testsupport.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace krv;

namespace {

// A file of `size` bytes that starts with `head`; the rest is a hole, so even a large one is
// cheap to make.
void makeFile(const QString& path, const QByteArray& head, qint64 size) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(head), head.size());
    QVERIFY(file.resize(size));
}

QStringList boxTexts(QWidget* window) {
    QStringList texts;
    for (const QLineEdit* box : window->findChildren<QLineEdit*>())
        texts.append(box->objectName() + u'=' + box->text());
    return texts;
}

const QString tooLarge = QStringLiteral("Error occured:1227,File larger than 1 MB");

} // namespace

class LargeFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boundsAreNamedAsTheUserReadsThem_data() {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("megabytes") << qint64(2 << 20) << QStringLiteral("2 MB");
        QTest::newRow("kilobytes") << qint64(64 << 10) << QStringLiteral("64 KB");
        QTest::newRow("odd size") << qint64(1500) << QStringLiteral("1500 bytes");
    }
    void boundsAreNamedAsTheUserReadsThem() {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(sizeText(bytes), text);
    }

    void aFileAtTheBoundIsReadAndOneByteMoreIsRefused() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f"));
        makeFile(path, "abc", 1000);
        QCOMPARE(readFileBounded(path, 1000).size(), 1000);
        makeFile(path, "abc", 1001);
        try {
            readFileBounded(path, 1000);
            QFAIL("a file over the bound was read");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::FileTooLarge);
            QCOMPARE(e.description, QStringLiteral("File larger than 1000 bytes"));
        }
        try {
            readFileBounded(dir.filePath(QStringLiteral("missing")), 1000);
            QFAIL("a missing file was read");
        } catch (const Error& e) {
            QCOMPARE(e.number, errors::FileNotFound);
        }
    }

    // Each chip configuration format: a file that runs on past any real configuration is
    // refused with one message, and the panel keeps every value.
    void panelsRefuseAConfigurationOverTheBound_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("banner");
        QTest::newRow("HT531") << "MivraV2"
                               << "tc"
                               << QByteArray("\"# KRV HT531 configuration file. Version 2.0.0\"");
        QTest::newRow("HT537") << "PelkoV1"
                               << "tc1" << QByteArray();
        QTest::newRow("HT539") << "HT539"
                               << "tc2" << QByteArray();
        QTest::newRow("HR651") << "DruskV1"
                               << "rc" << QByteArray();
        QTest::newRow("HR658") << "Ovalt"
                               << "rc2" << QByteArray();
        QTest::newRow("HC913") << "YambleV3"
                               << "trc" << QByteArray();
        QTest::newRow("HC916") << "FRM_Zenth"
                               << "lrc" << QByteArray();
    }
    void panelsRefuseAConfigurationOverTheBound() {
        QFETCH(QString, form);
        QFETCH(QString, extension);
        test::Rig rig;
        rig.start();
        QWidget* panel = rig.main().form(form);
        QVERIFY(panel);
        const QString path = rig.folder() + QStringLiteral("/large.") + extension;
        makeFile(path, "\"#\"\r\n", fileBounds::Configuration + 1);
        const QStringList before = boxTexts(panel);
        rig.dialogs().files = {path};
        panel->findChild<QPushButton*>(QStringLiteral("ConfLoad"))->click();
        QCOMPARE(rig.messageTexts().size(), 1);
        QVERIFY2(rig.messageTexts().first().startsWith(tooLarge),
                 qPrintable(rig.messageTexts().first()));
        QCOMPARE(boxTexts(panel), before);
    }

    void startUpRefusesOversizedSettingsAndWorkspace() {
        test::Rig rig;
        rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
        makeFile(ProgramFolder::file(QStringLiteral("KRV.wsp")),
                 "\"# KRV workspace file version 1.3.4\"\r\n#TRUE#\r\n",
                 fileBounds::Configuration + 1);
        ISMmain& main = rig.start();
        QCOMPARE(rig.messageTexts().size(), 1);
        QVERIFY(rig.messageTexts().first().startsWith(tooLarge));
        QVERIFY(!main.Terminalon);

        test::Rig second;
        makeFile(ProgramFolder::file(QStringLiteral("KRV.ini")), "1\r\n",
                 fileBounds::Configuration + 1);
        second.start();
        QCOMPARE(second.messageTexts().size(), 1);
        QVERIFY(second.messageTexts().first().startsWith(tooLarge));
    }

    void terminalRefusesAScriptOverItsBound() {
        test::Rig rig;
        rig.start();
        rig.main().mnutoolsTerminal->trigger();
        auto* terminal = rig.main().loadedForm<Terminal>(QStringLiteral("Terminal"));
        terminal->Script->setPlainText(QStringLiteral("Z3\n"));
        const QString path = rig.folder() + QStringLiteral("/large.txt");
        makeFile(path, "Z3\r\n", fileBounds::TerminalScript + 1);
        rig.dialogs().files = {path};
        terminal->LoadScript->click();
        QCOMPARE(rig.messageTexts(),
                 QStringList{QStringLiteral("Error occured:1227,File larger than 2 MB\r\nPlease "
                                            "try again!")});
        QCOMPARE(terminal->Script->toPlainText(), QStringLiteral("Z3\n"));
    }

    // Every reader of the program meets a named pipe chosen in its dialog with one message
    // that says what it is, instead of waiting for a writer with the window frozen (the line
    // break is CR in the transmitter panels, CR LF elsewhere).
    void everyReaderRefusesANamedPipe_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("extension");
        QTest::newRow("terminal script") << "Terminal"
                                         << "LoadScript"
                                         << "txt";
        QTest::newRow("EEPROM image") << "eeprom"
                                      << "loadeefile"
                                      << "asc";
        QTest::newRow("firmware") << "FirmLoad"
                                  << "loadeefile"
                                  << "hex";
        QTest::newRow("transmitter configuration") << "MivraV2"
                                                   << "ConfLoad"
                                                   << "tc";
        QTest::newRow("receiver configuration") << "DruskV1"
                                                << "ConfLoad"
                                                << "rc";
        QTest::newRow("transceiver configuration") << "YambleV3"
                                                   << "ConfLoad"
                                                   << "trc";
        QTest::newRow("console register set") << "SPI"
                                              << "LoadSettings"
                                              << "txt";
    }
    void everyReaderRefusesANamedPipe() {
        QFETCH(QString, form);
        QFETCH(QString, button);
        QFETCH(QString, extension);
        test::Rig rig;
        rig.start();
        QWidget* window = rig.main().form(form);
        QVERIFY(window);
        const QString path = rig.folder() + QStringLiteral("/pipe.") + extension;
        QVERIFY(test::makeFifo(path));
        const test::FifoRelease release(path);
        rig.dialogs().files = {path};
        window->findChild<QPushButton*>(button)->click();
        QCOMPARE(rig.messageTexts().size(), 1);
        QVERIFY2(rig.messageTexts().first().startsWith(QStringLiteral("Error occured:1228,") +
                                                       path +
                                                       QStringLiteral(" is a named pipe (FIFO), "
                                                                      "not a file\r")),
                 qPrintable(rig.messageTexts().first()));
    }

    // The script pane costs some 340 bytes a line: two megabytes of line ends, a million empty
    // lines, froze the window for seconds. A script of more lines than the pane shows is
    // refused, one of as many is shown.
    void terminalShowsAScriptOfAsManyLinesAsItsPaneTakes() {
        test::Rig rig;
        rig.start();
        rig.main().mnutoolsTerminal->trigger();
        auto* terminal = rig.main().loadedForm<Terminal>(QStringLiteral("Terminal"));
        terminal->Script->setPlainText(QStringLiteral("Z3\n"));
        const QString path = rig.folder() + QStringLiteral("/lines.txt");
        const QByteArray tooMany = QByteArray("\r").repeated(fileBounds::TerminalScriptLines + 1);
        makeFile(path, tooMany, tooMany.size());
        rig.dialogs().files = {path};
        terminal->LoadScript->click();
        QCOMPARE(rig.messageTexts(),
                 QStringList{QStringLiteral(
                     "Error occured:1227,File longer than 10000 lines\r\nPlease try again!")});
        QCOMPARE(terminal->Script->toPlainText(), QStringLiteral("Z3\n"));
        const QByteArray asMany = QByteArray("i\r\n").repeated(fileBounds::TerminalScriptLines);
        makeFile(path, asMany, asMany.size());
        rig.dialogs().files = {path};
        terminal->LoadScript->click();
        QCOMPARE(rig.messageTexts().size(), 1);
        QCOMPARE(terminal->Script->blockCount(), fileBounds::TerminalScriptLines + 1);
    }

    // Laying out a line of a megabyte took the pane 50 MB and most of a second: such a line is
    // shown in pieces, and the script is saved (and sent) as it was loaded.
    void aScriptLineTooLongForThePaneIsShownInPiecesAndSavedWhole() {
        test::Rig rig;
        rig.start();
        rig.main().mnutoolsTerminal->trigger();
        auto* terminal = rig.main().loadedForm<Terminal>(QStringLiteral("Terminal"));
        const QString path = rig.folder() + QStringLiteral("/long.txt");
        const QByteArray script = "Z3\r\n" + QByteArray(1 << 20, 'S') + "\r\ni\r\n";
        makeFile(path, script, script.size());
        rig.dialogs().files = {path};
        terminal->LoadScript->click();
        QCOMPARE(rig.messageTexts(), QStringList());
        QCOMPARE(terminal->Script->blockCount(), 1 + (1 << 20) / 1000 + 1 + 1 + 1);
        QVERIFY(terminal->Script->isReadOnly());
        const QString saved = rig.folder() + QStringLiteral("/saved.txt");
        rig.dialogs().files = {saved};
        terminal->SaveScript->click();
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), script);
        // A script put into the pane otherwise is the script from then on.
        terminal->Script->setPlainText(QStringLiteral("i\n"));
        QVERIFY(!terminal->Script->isReadOnly());
        const QString edited = rig.folder() + QStringLiteral("/edited.txt");
        rig.dialogs().files = {edited};
        terminal->SaveScript->click();
        QFile editedFile(edited);
        QVERIFY(editedFile.open(QIODevice::ReadOnly));
        QCOMPARE(editedFile.readAll(), QByteArray("i\r\n"));
    }
};

QTEST_MAIN(LargeFilesTest)
#include "tst_largefiles.moc"
