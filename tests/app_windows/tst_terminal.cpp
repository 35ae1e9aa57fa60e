#include "app/ismmain.h"
#include "app/krvform.h"
#include "app/scriptfile.h"
#include "app/terminal.h"
#include "common/monitorbox.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace krv;

namespace {

Terminal* openTerminal(ISMmain& main) {
    main.mnutoolsTerminal->trigger();
    return main.loadedForm<Terminal>(QStringLiteral("Terminal"));
}

void type(Terminal* terminal, const QString& keys) {
    for (const QChar key : keys) {
        if (key == u'\r')
            QTest::keyClick(terminal->Text1, Qt::Key_Return);
        else
            QTest::keyClicks(terminal->Text1, QString(key));
    }
}

// Whether the control stands wholly below the other one.
bool below(const QWidget* lower, const QWidget* upper) {
    return lower->y() > upper->geometry().bottom();
}

// Whether two controls stand in one row: each one's middle height lies within the other.
bool sameRow(const QWidget* a, const QWidget* b) {
    return a->geometry().top() <= b->geometry().center().y() &&
           b->geometry().center().y() <= a->geometry().bottom();
}

} // namespace

class TerminalTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedLineIsSentAndReplyEchoed();
    void lineTypedWithPortClosedIsKept();
    void charactersTypedDuringTheWaitAreKept();
    void layoutFollowsTheScriptPane();
    void scriptLoadSaveAndSend();
    void scriptFileWithAnotherExtensionIsRefused();
    void scriptDialogsShowTheTextPattern_data();
    void scriptDialogsShowTheTextPattern();
    void scriptTexts_data();
    void scriptTexts();
};

void TerminalTest::typedLineIsSentAndReplyEchoed() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    Terminal* terminal = openTerminal(rig.main());
    QVERIFY(terminal);
    QVERIFY(rig.main().Terminalon);
    rig.board().clearReceived();
    type(terminal, QStringLiteral("i\r"));
    QCOMPARE(rig.main().Buf1, QStringLiteral("i\r"));
    QVERIFY(test::waitUntil([&] { return rig.main().Buf1.isEmpty(); }));
    QCOMPARE(rig.board().receivedLines(), QStringList{QStringLiteral("i")});
    QVERIFY(test::waitUntil([&] { return terminal->Text1->text().endsWith(u'>'); }));
    const QString shown = terminal->Text1->text();
    QVERIFY(shown.startsWith(QStringLiteral("i\r\n\r\nKorvanethilmorasquendaplix")));
    QVERIFY(!shown.contains(QStringLiteral("\n\n")));
    QVERIFY(!terminal->Text1->toPlainText().contains(QStringLiteral("\n\n\n")));
    terminal->Clear->click();
    QCOMPARE(terminal->Text1->text(), QString());
    rig.main().unloadForm(QStringLiteral("Terminal"));
    QVERIFY(!rig.main().Terminalon);
}

void TerminalTest::lineTypedWithPortClosedIsKept() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    Terminal* terminal = openTerminal(rig.main());
    rig.main().link()->MSComm2->setPortOpen(false);
    rig.board().clearReceived();
    type(terminal, QStringLiteral("Z3\r"));
    QCOMPARE(rig.messageTexts().last(),
             QStringLiteral("Commport not available, Loadboard not connected!"));
    QCOMPARE(rig.dialogs().messages.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(rig.main().Buf1, QStringLiteral("Z3\r"));
    rig.main().link()->MSComm2->setPortOpen(true);
    type(terminal, QStringLiteral("H3x"));
    QTest::keyClick(terminal->Text1, Qt::Key_Backspace);
    type(terminal, QStringLiteral("\r"));
    QVERIFY(test::waitUntil([&] { return rig.main().Buf1.isEmpty(); }));
    QCOMPARE(rig.board().receivedLines(),
             (QStringList{QStringLiteral("Z3"), QStringLiteral("H3")}));
}

void TerminalTest::charactersTypedDuringTheWaitAreKept() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    Terminal* terminal = openTerminal(rig.main());
    rig.board().clearReceived();
    rig.board().setFault(sim::Fault::Paced);
    type(terminal, QStringLiteral("i\r"));
    // Typed while "i" waits for its slow banner.
    QVERIFY(test::waitUntil([&] { return !rig.board().receivedLines().isEmpty(); }));
    type(terminal, QStringLiteral("Z3\r"));
    QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().size() == 2; }));
    QCOMPARE(rig.board().receivedLines(), (QStringList{QStringLiteral("i"), QStringLiteral("Z3")}));
    QVERIFY(
        test::waitUntil([&] { return rig.main().Buf1.isEmpty() && !rig.main().link()->isBusy(); }));
}

// The receive box above the check box and Clear; the script pane below them (its title, the
// script and its three buttons) comes with the check box, which makes the window taller by the
// pane, and goes with it.
void TerminalTest::layoutFollowsTheScriptPane() {
    test::Rig rig;
    rig.writeSettings();
    ISMmain& main = rig.start();
    main.show();
    Terminal* terminal = openTerminal(main);
    QMdiSubWindow* frame = main.frameOf(terminal);
    QCOMPARE(frame->size(), QSize(twipsToPixels(4110), twipsToPixels(7500)));
    QCOMPARE(frame->y(), 0);
    QCOMPARE(frame->x() + frame->width(), main.mdiArea()->viewport()->width());
    const QList<QWidget*> pane{terminal->Label1, terminal->Script, terminal->SendScript,
                               terminal->LoadScript, terminal->SaveScript};
    for (QWidget* w : pane)
        QVERIFY2(!w->isVisibleTo(terminal), qPrintable(w->objectName()));
    QVERIFY(below(terminal->En_ScriptWindow, terminal->Text1));
    QVERIFY(sameRow(terminal->Clear, terminal->En_ScriptWindow));
    QVERIFY(terminal->Clear->x() > terminal->En_ScriptWindow->geometry().right());
    const int receiveHeight = terminal->Text1->height();

    const int frameHeight = frame->height();
    terminal->En_ScriptWindow->setChecked(true);
    QCOMPARE(frame->height(), frameHeight + twipsToPixels(2200));
    for (QWidget* w : pane)
        QVERIFY2(w->isVisibleTo(terminal), qPrintable(w->objectName()));
    QApplication::processEvents();
    QVERIFY(below(terminal->Label1, terminal->En_ScriptWindow));
    QVERIFY(below(terminal->Script, terminal->Label1));
    QVERIFY(below(terminal->SendScript, terminal->Script));
    QVERIFY(sameRow(terminal->LoadScript, terminal->SendScript));
    QVERIFY(sameRow(terminal->SaveScript, terminal->SendScript));
    QVERIFY(terminal->LoadScript->x() > terminal->SendScript->geometry().right());
    QVERIFY(terminal->SaveScript->x() > terminal->LoadScript->geometry().right());
    QCOMPARE(terminal->Script->width(), terminal->Text1->width());
    // The receive box keeps about its height: the window grew by the pane.
    QVERIFY(std::abs(terminal->Text1->height() - receiveHeight) < twipsToPixels(700));

    terminal->En_ScriptWindow->setChecked(false);
    QCOMPARE(frame->height(), frameHeight);
    for (QWidget* w : pane)
        QVERIFY2(!w->isVisibleTo(terminal), qPrintable(w->objectName()));
}

void TerminalTest::scriptLoadSaveAndSend() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    Terminal* terminal = openTerminal(rig.main());
    const QString source = rig.folder() + QStringLiteral("/start.txt");
    {
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Z3\r\nH3\r\nV83");
    }
    rig.dialogs().files = {source};
    terminal->LoadScript->click();
    QCOMPARE(rig.dialogs().fileRequests.last().title, QStringLiteral("Load Script File"));
    QCOMPARE(terminal->Script->toPlainText(), QStringLiteral("Z3\nH3\nV83\n"));

    // A name without an extension saves a text file; saving it again asks before replacing.
    const QString saved = rig.folder() + QStringLiteral("/saved.txt");
    rig.dialogs().files = {rig.folder() + QStringLiteral("/saved"), saved};
    terminal->SaveScript->click();
    QCOMPARE(rig.dialogs().fileRequests.last().title, QStringLiteral("Save Script File"));
    QVERIFY(rig.dialogs().messages.isEmpty());
    terminal->SaveScript->click();
    QCOMPARE(rig.messageTexts(),
             QStringList{"saved.txt already exists.\r\nDo you want to replace it?"});
    QCOMPARE(rig.dialogs().messages.last().buttons, Dialogs::Buttons::YesNo);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Z3\r\nH3\r\nV83\r\n"));
    file.close();
    terminal->Script->setPlainText(QStringLiteral("i"));
    rig.dialogs().files = {saved};
    rig.dialogs().answers = {Dialogs::Answer::No};
    terminal->SaveScript->click();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("Z3\r\nH3\r\nV83\r\n"));
    terminal->Script->setPlainText(QStringLiteral("Z3\nH3\nV83\n"));

    rig.board().clearReceived();
    terminal->SendScript->click();
    QCOMPARE(rig.board().receivedLines(),
             (QStringList{QStringLiteral("Z3"), QStringLiteral("H3"), QStringLiteral("V83")}));

    // Cancelled dialogs change nothing.
    terminal->LoadScript->click();
    QCOMPARE(terminal->Script->toPlainText(), QStringLiteral("Z3\nH3\nV83\n"));

    rig.main().link()->MSComm2->setPortOpen(false);
    terminal->SendScript->click();
    QCOMPARE(rig.messageTexts().last(),
             QStringLiteral("Commport not available, please connect. Script was not sent."));
}

void TerminalTest::scriptFileWithAnotherExtensionIsRefused() {
    test::Rig rig;
    rig.writeSettings();
    Terminal* terminal = openTerminal(rig.start());
    terminal->Script->setPlainText(QStringLiteral("i"));
    rig.dialogs().files = {rig.folder() + QStringLiteral("/script.cfg")};
    terminal->LoadScript->click();
    QCOMPARE(rig.messageTexts().last(),
             QStringLiteral("File type not supported! Please try again!"));
    QCOMPARE(rig.dialogs().messages.last().title, QStringLiteral("File open error"));
    QCOMPARE(terminal->Script->toPlainText(), QStringLiteral("i"));

    rig.dialogs().files = {rig.folder() + QStringLiteral("/missing.txt")};
    terminal->LoadScript->click();
    QCOMPARE(rig.messageTexts().last(),
             QStringLiteral("Error occured:53,File not found\r\nPlease try again!"));
}

void TerminalTest::scriptDialogsShowTheTextPattern_data() {
    QTest::addColumn<bool>("saving");
    QTest::newRow("load") << false;
    QTest::newRow("save") << true;
}

void TerminalTest::scriptDialogsShowTheTextPattern() {
    QFETCH(bool, saving);
    test::Rig rig;
    rig.writeSettings();
    Terminal* terminal = openTerminal(rig.start());
    terminal->Script->setPlainText(QStringLiteral("Z3\n"));
    // The program's own file dialog, closed with the name it was given still standing.
    Dialogs::install(std::make_unique<QtDialogs>());
    QString shown;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, terminal, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        closer.stop();
        shown = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        const bool keep = saving && shown == QStringLiteral("*.txt");
        QMetaObject::invokeMethod(dialog, keep ? "accept" : "reject");
    });
    closer.start();
    (saving ? terminal->SaveScript : terminal->LoadScript)->click();
    const RecordingDialogs& dialogs = RecordingDialogs::install();
    QCOMPARE(shown, QStringLiteral("*.txt"));
    // The pattern names no file: nothing is loaded, saved or reported.
    QCOMPARE(terminal->Script->toPlainText(), QStringLiteral("Z3\n"));
    QCOMPARE(QDir(rig.folder()).entryList({QStringLiteral("*.txt")}, QDir::Files), QStringList());
    QVERIFY(dialogs.messages.isEmpty());
}

void TerminalTest::scriptTexts_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QString>("sent");
    QTest::newRow("last line ended") << QByteArray("Z3\r\nH3\r\n") << "Z3\nH3\n"
                                     << QByteArray("Z3\r\nH3\r\n") << "Z3\r\nH3\r";
    QTest::newRow("last line open") << QByteArray("Z3\r\nH3") << "Z3\nH3\n"
                                    << QByteArray("Z3\r\nH3\r\n") << "Z3\r\nH3\r";
    QTest::newRow("empty lines kept") << QByteArray("i\r\n\r\nZ3\r\n") << "i\n\nZ3\n"
                                      << QByteArray("i\r\n\r\nZ3\r\n") << "i\r\n\r\nZ3\r";
    QTest::newRow("empty file") << QByteArray() << "" << QByteArray() << "";
}

void TerminalTest::scriptTexts() {
    QFETCH(QByteArray, file);
    QFETCH(QString, pane);
    QFETCH(QByteArray, saved);
    QFETCH(QString, sent);
    QCOMPARE(scriptFromFile(file), pane);
    QCOMPARE(scriptToFile(pane), saved);
    QCOMPARE(scriptToLine(pane), sent);
    // Typed without a final line break, the last line goes without its CR.
    if (pane.endsWith(u'\n'))
        QCOMPARE(scriptToLine(pane.chopped(1)), sent.chopped(1));
}

QTEST_MAIN(TerminalTest)
#include "tst_terminal.moc"
