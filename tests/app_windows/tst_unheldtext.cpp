// Every line a user's text sends to the board goes through the link's one check: a character
// the board's line cannot carry (outside Latin-1) sends nothing of the line and is said once.

#include "app/ismmain.h"
#include "app/terminal.h"
#include "common/monitorbox.h"
#include "link/linkwindow.h"
#include "testsupport.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace krv;

class UnheldTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aLineTheBoardCannotCarrySendsNothing_data() {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("typed line")
            << "typed line"
            << "The typed line: the text \"S2 8\u20AC\" holds \"\u20AC\" (U+20AC) at character 5";
        QTest::newRow("script") << "script"
                                << "The script pane: the text \"H1\r\nS2 \u4E2D\" holds \"\u4E2D\" "
                                   "(U+4E2D) in line 2, character 4";
        QTest::newRow("any caller of the link")
            << "link"
            << "The text \"H1\rS\U0001F600\" holds \"\U0001F600\" (U+1F600) in line 2, character 2";
    }
    void aLineTheBoardCannotCarrySendsNothing() {
        QFETCH(QString, sender);
        QFETCH(QString, refusal);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        main.mnutoolsTerminal->trigger();
        auto* terminal = main.loadedForm<Terminal>(QStringLiteral("Terminal"));
        QVERIFY(terminal);
        rig.board().clearReceived();
        rig.dialogs().messages.clear();

        if (sender == QStringLiteral("typed line")) {
            test::typeText(terminal->Text1, QStringLiteral("S2 8\u20AC"));
            QTest::keyClick(terminal->Text1, Qt::Key_Return);
            QVERIFY(test::waitUntil([&] { return main.Buf1.isEmpty(); }));
        } else if (sender == QStringLiteral("script")) {
            terminal->Script->setPlainText(QStringLiteral("H1\nS2 \u4E2D\n"));
            terminal->SendScript->click();
        } else {
            const SendResult result = main.Send_To_LoadBoard(QStringLiteral("H1\rS\U0001F600\r"));
            QVERIFY(result.refused());
        }

        QCOMPARE(rig.messageTexts(),
                 QStringList{QStringLiteral("Error occured:1229,") + refusal +
                             QStringLiteral(" (single-byte Latin-1 text only), which the board's "
                                            "line cannot carry. Nothing was sent.\r\nPlease try "
                                            "again!")});
        QCOMPARE(rig.dialogs().messages[0].icon, Dialogs::Icon::Exclamation);
        QVERIFY(rig.board().receivedLines().isEmpty());
        QVERIFY(!main.link()->isBusy());

        // The link goes on: the next line the user types is sent as typed.
        test::typeText(terminal->Text1, QStringLiteral("i"));
        QTest::keyClick(terminal->Text1, Qt::Key_Return);
        QVERIFY(test::waitUntil([&] { return !rig.board().receivedLines().isEmpty(); }));
        QCOMPARE(rig.board().receivedLines(), QStringList{QStringLiteral("i")});
    }
};

QTEST_MAIN(UnheldTextTest)
#include "tst_unheldtext.moc"
