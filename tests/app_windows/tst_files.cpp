#include "app/ismmain.h"
#include "app/krvform.h"
#include "app/terminal.h"
#include "app/workspacefile.h"
#include "common/programfolder.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>

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

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
