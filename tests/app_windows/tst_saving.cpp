#include "app/ismmain.h"
#include "fulldisk.h"
#include "testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace krv;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves through the window's own command: a chip panel's "Save configuration", the terminal's
// script "Save", the Preferences' "Save & Exit", the File menu's "Save workspace", the header
// generator's "Save" with the HR651 panel open, the EEPROM programmer's image save or the register
// console's window setup save. A `typed` text is what the user typed first into the window's
// own text: the script pane, the worksheet, a port, notes or a centre frequency.
void saveThrough(ISMmain& main, const QString& window, const QString& typed = QString()) {
    if (window == QStringLiteral("workspace")) {
        main.mnuSaveWorkspace->trigger();
        return;
    }
    if (window == QStringLiteral("header generator")) {
        main.DruskV1_show();
        if (!typed.isEmpty())
            main.form(QStringLiteral("DruskV1"))
                ->findChild<QLineEdit*>(QStringLiteral("FreqCenter"))
                ->setText(typed);
        main.mnuGenCHeader->trigger();
        QWidget* generator = main.loadedForm(QStringLiteral("Frm_GenHeader"));
        QVERIFY(generator);
        generator->findChild<QPushButton*>(QStringLiteral("PB_Save"))->click();
        return;
    }
    QWidget* form = main.form(window);
    QVERIFY(form);
    if (window == QStringLiteral("Terminal")) {
        form->findChild<QPlainTextEdit*>(QStringLiteral("Script"))
            ->setPlainText(typed.isEmpty() ? QStringLiteral("Z3\nH3\n") : typed);
        form->findChild<QPushButton*>(QStringLiteral("SaveScript"))->click();
        return;
    }
    if (!typed.isEmpty()) {
        const char* box = window == QStringLiteral("Preferences") ? "ComNr_min"
                          : window == QStringLiteral("SPI")       ? "GuiNotes"
                                                                  : "FreqCenter";
        if (window == QStringLiteral("eeprom"))
            form->findChild<QPlainTextEdit*>(QStringLiteral("WorkSheet"))->setPlainText(typed);
        else
            form->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(typed);
    }
    if (window == QStringLiteral("Preferences")) {
        form->findChild<QPushButton*>(QStringLiteral("Save"))->click();
    } else if (window == QStringLiteral("eeprom")) {
        auto* save = form->findChild<QPushButton*>(QStringLiteral("SaveEEFile"));
        save->setEnabled(true);
        save->click();
    } else if (window == QStringLiteral("SPI")) {
        form->findChild<QPushButton*>(QStringLiteral("SaveGUI"))->click();
    } else {
        form->findChild<QPushButton*>(QStringLiteral("ConfSave"))->click();
    }
}

} // namespace

class SavingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveOnAFullDiskKeepsTheOldFile_data();
    void saveOnAFullDiskKeepsTheOldFile();
    void configurationSaveAsksBeforeReplacing_data();
    void configurationSaveAsksBeforeReplacing();
    void textOutsideLatin1IsRefusedWhole_data();
    void textOutsideLatin1IsRefusedWhole();
};

void SavingTest::saveOnAFullDiskKeepsTheOldFile_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("existing");
    QTest::newRow("HC913 configuration over a file") << "YambleV3"
                                                     << "old.trc" << true;
    QTest::newRow("HC916 configuration, new name") << "FRM_Zenth"
                                                   << "new.lrc" << false;
    QTest::newRow("HR651 configuration over a file") << "DruskV1"
                                                     << "old.rc" << true;
    QTest::newRow("HR658 configuration, new name") << "Ovalt"
                                                   << "new.rc2" << false;
    QTest::newRow("preferences") << "Preferences"
                                 << "KRV.ini" << true;
    QTest::newRow("workspace") << "workspace"
                               << "KRV.wsp" << true;
    QTest::newRow("terminal script") << "Terminal"
                                     << "old.txt" << true;
    QTest::newRow("C header over a file") << "header generator"
                                          << "Setup_HR651.h" << true;
    QTest::newRow("HT531 configuration over a file") << "MivraV2"
                                                     << "old.tc" << true;
    QTest::newRow("EEPROM image over a file") << "eeprom"
                                              << "old.asc" << true;
    QTest::newRow("console window setup over a file") << "SPI"
                                                      << "old.txt" << true;
}

void SavingTest::saveOnAFullDiskKeepsTheOldFile() {
    QFETCH(QString, window);
    QFETCH(QString, file);
    QFETCH(bool, existing);
    test::Rig rig;
    test::FullDisk disk(rig.folder());
    if (!disk.mounted())
        QSKIP("this machine does not let the test mount a small filesystem");
    rig.writeSettings();
    ISMmain& main = rig.start();
    const QString path = rig.folder() + u'/' + file;
    if (existing && !QFile::exists(path)) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file\r\n");
    }
    // The window is opened while the disk still has room (the console creates its database).
    if (window != QStringLiteral("workspace") && window != QStringLiteral("header generator"))
        QVERIFY(main.form(window));
    const QByteArray before = contents(path);
    QStringList entries = QDir(rig.folder()).entryList(QDir::Files);
    entries.append(QStringLiteral("filler"));
    entries.sort();
    disk.fill();
    rig.dialogs().messages.clear();
    rig.dialogs().files = {path};

    saveThrough(main, window);

    QVERIFY(!rig.dialogs().messages.isEmpty());
    // The transmitter panels break their message lines with CR alone.
    const QString lineBreak =
        window == QStringLiteral("MivraV2") ? QStringLiteral("\r") : QStringLiteral("\r\n");
    QCOMPARE(rig.dialogs().messages.last().text, QStringLiteral("Error occured:61,Disk full") +
                                                     lineBreak +
                                                     QStringLiteral("Please try again"));
    QCOMPARE(rig.dialogs().messages.last().title, QStringLiteral("File save error"));
    QVERIFY(
        !rig.messageTexts().contains(QStringLiteral("Workspace configuration has been saved.")));
    QCOMPARE(QFile::exists(path), existing);
    QCOMPARE(contents(path), before);
    // Nothing half-written is left behind either.
    QStringList after = QDir(rig.folder()).entryList(QDir::Files);
    after.sort();
    QCOMPARE(after, entries);
    if (window == QStringLiteral("Preferences"))
        QVERIFY(main.loadedForm(window));
}

void SavingTest::configurationSaveAsksBeforeReplacing_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::newRow("HC913") << "YambleV3"
                           << "old.trc"
                           << "Save Transceiver Configuration File";
    QTest::newRow("HC916") << "FRM_Zenth"
                           << "old.lrc"
                           << "Save Transceiver Configuration File";
    QTest::newRow("HR651") << "DruskV1"
                           << "old.rc"
                           << "Save HR651 Configuration File";
    QTest::newRow("HR658") << "Ovalt"
                           << "old.rc2"
                           << "Save HR658 Configuration File";
}

void SavingTest::configurationSaveAsksBeforeReplacing() {
    QFETCH(QString, window);
    QFETCH(QString, file);
    QFETCH(QString, title);
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    const QString path = rig.folder() + u'/' + file;
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file\r\n");
    }
    rig.dialogs().messages.clear();

    // "No" goes back to the dialog, here cancelled: nothing is written.
    rig.dialogs().files = {path};
    rig.dialogs().answers = {Dialogs::Answer::No};
    saveThrough(main, window);
    QCOMPARE(rig.dialogs().messages.size(), 1);
    const auto question = rig.dialogs().messages.first();
    QCOMPARE(question.text,
             file + QStringLiteral(" already exists.\r\nDo you want to replace it?"));
    QCOMPARE(question.title, title);
    QCOMPARE(question.icon, Dialogs::Icon::Exclamation);
    QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
    QCOMPARE(rig.dialogs().fileRequests.size(), 2);
    QCOMPARE(contents(path), QByteArray("the old file\r\n"));

    // A name typed without its extension is the same file, and "Yes" replaces it.
    rig.dialogs().files = {path.left(path.lastIndexOf(u'.'))};
    rig.dialogs().answers = {Dialogs::Answer::Yes};
    saveThrough(main, window);
    QCOMPARE(rig.dialogs().messages.size(), 2);
    QVERIFY(contents(path).startsWith("\"# KRV "));
}

// Every saver turns its text into single-byte bytes through one check: a character outside
// Latin-1 is refused with one message naming what holds it, and the old file stays as it was.
void SavingTest::textOutsideLatin1IsRefusedWhole_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("holder");
    const QString script = QStringLiteral("i\u20AC\u4E2D");
    QTest::newRow("terminal script")
        << "Terminal"
        << "old.txt" << script << "The script pane: the text \"i\u20AC\u4E2D\"";
    QTest::newRow("EEPROM worksheet")
        << "eeprom"
        << "old.asc" << QStringLiteral("01 02 caf\u00E9 \u20AC \u4E2D")
        << "The worksheet: the text \"01 02 caf\u00E9 \u20AC \u4E2D\"";
    QTest::newRow("preferences") << "Preferences"
                                 << "KRV.ini" << QStringLiteral("1\u20AC") << "ComNr_min";
    QTest::newRow("C header") << "header generator"
                              << "Setup_HR651.h" << QStringLiteral("435\u2126") << "The header";
    QTest::newRow("HT531 configuration") << "MivraV2"
                                         << "old.tc" << QStringLiteral("868\u20AC") << "FreqCenter";
    QTest::newRow("HC913 configuration")
        << "YambleV3"
        << "old.trc" << QStringLiteral("868\u20AC") << "FreqCenter";
    QTest::newRow("console window setup")
        << "SPI"
        << "old.txt" << QStringLiteral("bench \u20AC") << "Line 2 (the notes)";
}

void SavingTest::textOutsideLatin1IsRefusedWhole() {
    QFETCH(QString, window);
    QFETCH(QString, file);
    QFETCH(QString, typed);
    QFETCH(QString, holder);
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    const QString path = rig.folder() + u'/' + file;
    if (!QFile::exists(path)) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the old file\r\n");
    }
    const QByteArray before = contents(path);
    rig.dialogs().messages.clear();
    rig.dialogs().files = {path};
    rig.dialogs().answers = {Dialogs::Answer::Yes};

    saveThrough(main, window, typed);

    const QStringList shown = rig.messageTexts().filter(QStringLiteral("1229"));
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QStringLiteral("Error occured:1229,") + holder),
             qPrintable(shown[0]));
    QVERIFY2(shown[0].contains(QStringLiteral("(single-byte Latin-1 text only), which the file "
                                              "cannot hold. Nothing was saved.")),
             qPrintable(shown[0]));
    QCOMPARE(rig.dialogs().messages.last().title, QStringLiteral("File save error"));
    QCOMPARE(contents(path), before);
}

QTEST_MAIN(SavingTest)
#include "tst_saving.moc"
