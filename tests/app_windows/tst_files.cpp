#include "app/ismmain.h"
#include "app/krvform.h"
#include "app/preferences.h"
#include "app/settingsfile.h"
#include "app/terminal.h"
#include "app/workspacefile.h"
#include "common/programfolder.h"
#include "filefixtures.h"
#include "readable.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace krv;

namespace {

QByteArray fileBytes(const QString& name) {
    QFile file(ProgramFolder::file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(ProgramFolder::file(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray banner = "\"# KRV workspace file version 1.3.4\"\r\n";

} // namespace

class FilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workspaceBytes_data();
    void workspaceBytes();
    void savedWorkspaceRestoresAfterRestart();
    void wrongWorkspaceBannerIsReportedAndStartUpGoesOn();
    void failedWorkspaceSaveIsReported();
    void theProgrammerIsRestoredWhereItWas();
    void absurdWorkspaceValuesRestoreInView_data();
    void absurdWorkspaceValuesRestoreInView();
    void startUpGoesOnWithDefaultsWhenAFileIsNoFile_data();
    void startUpGoesOnWithDefaultsWhenAFileIsNoFile();
    void scanRangeFromTheSettingsIsWhatPreferencesAccept_data();
    void scanRangeFromTheSettingsIsWhatPreferencesAccept();
    void aPortTextTheSettingsCannotHoldIsRefused();
    void aConfigurationTextTheFileCannotHoldIsRefused_data();
    void aConfigurationTextTheFileCannotHoldIsRefused();
};

void FilesTest::workspaceBytes_data() {
    QTest::addColumn<QList<int>>("open");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("nothing open") << QList<int>{}
                                  << banner + QByteArray("#FALSE#\r\n").repeated(11);
    QTest::newRow("terminal with its pane, HC916 panel")
        << QList<int>{Workspace::Terminal, Workspace::FRM_Zenth}
        << banner + "#TRUE#\r\n" + QByteArray("#FALSE#\r\n").repeated(9) +
               "#TRUE#\r\n1\r\n15\r\n4500\r\n9705\r\n4110\r\n300.5\r\n-60\r\n";
    QTest::newRow("receiver test for board 2.x records its size")
        << QList<int>{Workspace::DruskV1rflink_LB2}
        << banner + QByteArray("#FALSE#\r\n").repeated(7) + "#TRUE#\r\n" +
               QByteArray("#FALSE#\r\n").repeated(3) + "15\r\n4500\r\n9705\r\n4110\r\n";
}

void FilesTest::workspaceBytes() {
    QFETCH(QList<int>, open);
    QFETCH(QByteArray, expected);
    Workspace workspace;
    workspace.scriptPane = 1;
    for (int window : open) {
        Workspace::Place& place = workspace.windows[window];
        place = window == Workspace::FRM_Zenth ? Workspace::Place{true, 300.5, -60, 0, 0}
                                               : Workspace::Place{true, 15, 4500, 9705, 4110};
    }
    QCOMPARE(workspace.bytes(), expected);
}

void FilesTest::savedWorkspaceRestoresAfterRestart() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& first = rig.start();
    first.mnutoolsTerminal->trigger();
    auto* terminal = first.loadedForm<Terminal>(QStringLiteral("Terminal"));
    QVERIFY(terminal);
    terminal->En_ScriptWindow->setChecked(true);
    QMdiSubWindow* frame = first.frameOf(terminal);
    frame->setGeometry(20, 10, 300, 560);
    first.mnuSaveWorkspace->trigger();
    QCOMPARE(rig.messageTexts().last(), QStringLiteral("Workspace configuration has been saved."));
    QCOMPARE(fileBytes(QStringLiteral("KRV.wsp")), banner + "#TRUE#\r\n" +
                                                       QByteArray("#FALSE#\r\n").repeated(10) +
                                                       "1\r\n150\r\n300\r\n8400\r\n4500\r\n");

    rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
    ISMmain& second = rig.start();
    auto* restored = second.loadedForm<Terminal>(QStringLiteral("Terminal"));
    QVERIFY(restored);
    QVERIFY(second.Terminalon);
    QVERIFY(!second.SplashOn);
    QVERIFY(restored->En_ScriptWindow->isChecked());
    QVERIFY(restored->Script->isVisibleTo(restored));
    QCOMPARE(second.frameOf(restored)->geometry(), QRect(20, 10, 300, 560));
    QVERIFY(second.frameOf(restored)->isVisible() || !second.isVisible());
}

void FilesTest::wrongWorkspaceBannerIsReportedAndStartUpGoesOn() {
    test::Rig rig;
    rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
    writeFile(QStringLiteral("KRV.wsp"), "\"# KRV workspace file version 1.3.3\"\r\n#TRUE#\r\n");
    ISMmain& main = rig.start();
    QCOMPARE(rig.dialogs().messages.size(), 1);
    QCOMPARE(rig.dialogs().messages.first().text,
             QStringLiteral(
                 "Error occured:1226,Incorrect workspace file version\r\nPlease save the workspace "
                 "again!"));
    QCOMPARE(rig.dialogs().messages.first().title, QStringLiteral("File open error"));
    QVERIFY(!main.Terminalon);
    QCOMPARE(main.CB_Mode->count(), 3);
}

void FilesTest::failedWorkspaceSaveIsReported() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    // A folder in the file's place: nothing can be written there.
    QVERIFY(QDir(rig.folder()).mkdir(QStringLiteral("KRV.wsp")));
    main.mnuSaveWorkspace->trigger();
    QCOMPARE(rig.dialogs().messages.last().title, QStringLiteral("File save error"));
    QVERIFY(rig.dialogs().messages.last().text.startsWith(QStringLiteral("Error occured:")));
    QVERIFY(rig.dialogs().messages.last().text.endsWith(QStringLiteral("\r\nPlease try again")));
    QVERIFY(QFileInfo(ProgramFolder::file(QStringLiteral("KRV.wsp"))).isDir());
}

void FilesTest::theProgrammerIsRestoredWhereItWas() {
    test::Rig rig;
    rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
    const QByteArray workspace = banner + "#FALSE#\r\n#TRUE#\r\n" +
                                 QByteArray("#FALSE#\r\n").repeated(9) +
                                 "15\r\n4500\r\n9705\r\n4110\r\n";
    writeFile(QStringLiteral("KRV.wsp"), workspace);
    ISMmain& main = rig.start();
    QVERIFY(rig.dialogs().messages.isEmpty());
    QVERIFY(main.EEPROMon);
    QMdiSubWindow* frame = main.frameOf(main.loadedForm(QStringLiteral("eeprom")));
    QVERIFY(frame && !frame->isHidden());
    QCOMPARE(frame->geometry(), twipsRect(4500, 15, 4110, 9705));
    main.mnuSaveWorkspace->trigger();
    QCOMPARE(fileBytes(QStringLiteral("KRV.wsp")), workspace);
}

void FilesTest::absurdWorkspaceValuesRestoreInView_data() {
    // The terminal's top, left, height and width, as a damaged or hand-made file may hold them.
    QTest::addColumn<QByteArray>("values");
    QTest::addColumn<bool>("shownFirst");
    QTest::addColumn<bool>("restored");
    QTest::newRow("huge width") << QByteArray("15\r\n4500\r\n9705\r\n1E11") << false << true;
    QTest::newRow("huge width, window shown first")
        << QByteArray("15\r\n4500\r\n9705\r\n1E11") << true << true;
    QTest::newRow("workspace-sized everything")
        << QByteArray("1E9\r\n1E9\r\n1E9\r\n1E9") << false << true;
    QTest::newRow("beyond any number")
        << QByteArray("1E400\r\n-1E400\r\n1E400\r\n1E400") << true << true;
    QTest::newRow("negative") << QByteArray("-1E9\r\n-15\r\n-9705\r\n-1") << false << true;
    QTest::newRow("not a number") << QByteArray("15\r\n4500\r\nNaN\r\n4110") << false << false;
    QTest::newRow("text") << QByteArray("15\r\n\"wide\"\r\n9705\r\n4110") << true << false;
}

// Whatever the workspace file holds, a restored window lands in view, no smaller than its
// minimum and no larger than the workspace; a value that is no number is refused with a message.
void FilesTest::absurdWorkspaceValuesRestoreInView() {
    QFETCH(QByteArray, values);
    QFETCH(bool, shownFirst);
    QFETCH(bool, restored);
    test::Rig rig;
    rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
    writeFile(QStringLiteral("KRV.wsp"), banner + "#TRUE#\r\n" +
                                             QByteArray("#FALSE#\r\n").repeated(10) + "0\r\n" +
                                             values + "\r\n");
    ISMmain& main = shownFirst ? rig.startShown() : rig.start();
    main.show();
    QCOMPARE(main.Terminalon, restored);
    QCOMPARE(rig.dialogs().messages.size(), restored ? 0 : 1);
    if (!restored)
        return;
    QWidget* terminal = main.loadedForm(QStringLiteral("Terminal"));
    QMdiSubWindow* frame = main.frameOf(terminal);
    QVERIFY(frame && frame->isVisible());
    test::checkInWorkspace(terminal, QStringLiteral("Terminal"));
    const QSize area = main.mdiArea()->viewport()->size();
    QVERIFY2(frame->width() <= area.width() && frame->height() <= area.height(),
             qPrintable(QStringLiteral("%1x%2 in %3x%4")
                            .arg(frame->width())
                            .arg(frame->height())
                            .arg(area.width())
                            .arg(area.height())));
    QVERIFY(frame->width() >= frame->minimumSizeHint().width() &&
            frame->height() >= frame->minimumSizeHint().height());
}

// A named pipe in the settings file's place kept the program from ever starting; a folder
// gave "Permission denied", even for root.
void FilesTest::startUpGoesOnWithDefaultsWhenAFileIsNoFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pipe");
    QTest::addColumn<QString>("kind");
    QTest::newRow("settings, named pipe") << "KRV.ini" << true << "a named pipe (FIFO)";
    QTest::newRow("settings, folder") << "KRV.ini" << false << "a folder";
    QTest::newRow("workspace, named pipe") << "KRV.wsp" << true << "a named pipe (FIFO)";
    QTest::newRow("workspace, folder") << "KRV.wsp" << false << "a folder";
}

void FilesTest::startUpGoesOnWithDefaultsWhenAFileIsNoFile() {
    QFETCH(QString, name);
    QFETCH(bool, pipe);
    QFETCH(QString, kind);
    test::Rig rig;
    if (name == QStringLiteral("KRV.wsp"))
        rig.writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
    const QString path = ProgramFolder::file(name);
    std::unique_ptr<test::FifoRelease> release;
    if (pipe) {
        QVERIFY(test::makeFifo(path));
        release = std::make_unique<test::FifoRelease>(path);
    } else {
        QVERIFY(QDir(rig.folder()).mkdir(name));
    }
    ISMmain& main = rig.start();
    QCOMPARE(rig.messageTexts(), QStringList{QStringLiteral("Error occured:1228,") + path +
                                             QStringLiteral(" is ") + kind +
                                             QStringLiteral(", not a file\r\nPlease save the "
                                                            "workspace again!")});
    QCOMPARE(rig.dialogs().messages.first().title, QStringLiteral("File open error"));
    if (name == QStringLiteral("KRV.ini")) {
        QCOMPARE(main.Commport_min, QStringLiteral("1"));
        QCOMPARE(main.Commport_max, QStringLiteral("8"));
        QCOMPARE(main.Pref_LoadWS, 0L);
    }
    QVERIFY(!main.Terminalon);
    QCOMPARE(main.CB_Mode->count(), 3);
}

// The scan takes the range as whole port numbers and tries every port in it: "1e10" was an
// undefined conversion and "99999" a scan of hours.
void FilesTest::scanRangeFromTheSettingsIsWhatPreferencesAccept_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("firstTaken");
    QTest::addColumn<QString>("lastTaken");
    QTest::newRow("in range") << "2"
                              << "5"
                              << "2"
                              << "5";
    QTest::newRow("beyond the range") << "1e10"
                                      << "99999"
                                      << "16"
                                      << "16";
    QTest::newRow("below the range") << "-3"
                                     << "-1e300"
                                     << "0"
                                     << "0";
    QTest::newRow("no number") << "COM1"
                               << ""
                               << "1"
                               << "8";
}

void FilesTest::scanRangeFromTheSettingsIsWhatPreferencesAccept() {
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, firstTaken);
    QFETCH(QString, lastTaken);
    test::Rig rig;
    writeFile(QStringLiteral("KRV.ini"), "\"" + Settings::banner().toLatin1() + "\"\r\n\"" +
                                             first.toLatin1() + "\"\r\n0\r\n0\r\n\"" +
                                             last.toLatin1() + "\"\r\n");
    ISMmain& main = rig.start();
    QCOMPARE(rig.messageTexts(), QStringList());
    QCOMPARE(main.Commport_min, firstTaken);
    QCOMPARE(main.Commport_max, lastTaken);
}

// The settings file writes its texts between quotes without escaping: a port text holding a
// quote and a comma would read back as two items and shift the options after it.
void FilesTest::aPortTextTheSettingsCannotHoldIsRefused() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    const QByteArray before = fileBytes(QStringLiteral("KRV.ini"));
    main.mnuFilePreferences->trigger();
    auto* preferences = main.loadedForm<Preferences>(QStringLiteral("Preferences"));
    QVERIFY(preferences);
    preferences->ComNr_min->setText(QStringLiteral("1\",1"));
    preferences->Save->click();
    QCOMPARE(rig.messageTexts(),
             QStringList{QStringLiteral(
                 "Error occured:1229,ComNr_min: the text \"1\",1\" holds a double quote, which "
                 "the file cannot hold. Nothing was saved.\r\nPlease try again")});
    QCOMPARE(rig.dialogs().messages.first().title, QStringLiteral("File save error"));
    QCOMPARE(fileBytes(QStringLiteral("KRV.ini")), before);
    QCOMPARE(main.Commport_min, QStringLiteral("1"));
    QVERIFY(main.loadedForm<Preferences>(QStringLiteral("Preferences")));
}

// The chip configuration files meet the same writer: a centre frequency box holding a quote
// and a comma is refused, and no file is written.
void FilesTest::aConfigurationTextTheFileCannotHoldIsRefused_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("lineBreak");
    QTest::newRow("transmitter") << "MivraV2"
                                 << "tc"
                                 << "FreqCenter: the text"
                                 << "\r";
    QTest::newRow("receiver") << "DruskV1"
                              << "rc"
                              << "FreqCenter: the text"
                              << "\r\n";
    QTest::newRow("transceiver") << "YambleV3"
                                 << "trc"
                                 << "FreqCenter: the text"
                                 << "\r\n";
}

void FilesTest::aConfigurationTextTheFileCannotHoldIsRefused() {
    QFETCH(QString, form);
    QFETCH(QString, extension);
    QFETCH(QString, subject);
    QFETCH(QString, lineBreak);
    test::Rig rig;
    rig.start();
    QWidget* panel = rig.main().form(form);
    QVERIFY(panel);
    panel->findChild<QLineEdit*>(QStringLiteral("FreqCenter"))->setText(QStringLiteral("868\",1"));
    const QString path = rig.folder() + QStringLiteral("/quote.") + extension;
    rig.dialogs().files = {path};
    panel->findChild<QPushButton*>(QStringLiteral("ConfSave"))->click();
    QCOMPARE(rig.messageTexts(),
             QStringList{QStringLiteral("Error occured:1229,") + subject +
                         QStringLiteral(" \"868\",1\" holds a double quote, which the file "
                                        "cannot hold. Nothing was saved.") +
                         lineBreak + QStringLiteral("Please try again")});
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
