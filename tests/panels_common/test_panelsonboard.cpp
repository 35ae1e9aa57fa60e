#include "link/linkwindow.h"
#include "panels/common/chippanel.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace krv;
using krv::test::pressDisconnect;
using krv::test::typeText;
using krv::test::waitUntil;

namespace {

const QString Busy = QStringLiteral("Commport is busy. Please retry later!");

} // namespace

// The chip panels of the program against a simulated board.
class PanelsOnBoardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void updatePadsAPatternByteStillBeingTyped_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("word");
        QTest::newRow("HC916") << "FRM_Zenth"
                               << "S2CE05";
        QTest::newRow("HR658") << "Ovalt"
                               << "S2C105";
    }
    void updatePadsAPatternByteStillBeingTyped() {
        QFETCH(QString, form);
        QFETCH(QString, word);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ChipPanel*>(rig.main().form(form));
        rig.main().showForm(panel);
        auto* pattern = panel->findChild<QLineEdit*>(QStringLiteral("TB_SP"));
        pattern->selectAll();
        // Typed, and Update reached without the box losing its focus (a shortcut, Enter).
        QTest::keyClicks(pattern, QStringLiteral("5"));
        rig.board().clearReceived();
        panel->Update->click();
        QVERIFY(rig.board().receivedLines().contains(word));
        QCOMPARE(pattern->text(), QStringLiteral("05"));
    }

    void closingAPanelDuringItsReadFreesTheLock_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("command");
        QTest::newRow("HC913 status read") << "YambleV3"
                                           << "RS";
        QTest::newRow("HR651 interrupt poll") << "DruskV1"
                                              << "RI";
    }
    void closingAPanelDuringItsReadFreesTheLock() {
        QFETCH(QString, form);
        QFETCH(QString, command);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ChipPanel*>(rig.main().form(form));
        rig.main().showForm(panel);
        QMdiSubWindow* frame = rig.main().frameOf(panel);
        // The command goes unanswered, and the user closes the panel while it waits.
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, frame,
                [&rig, frame, command](const QString& line) {
                    if (line == QStringLiteral("L0") && command == QStringLiteral("RS"))
                        rig.board().setFault(sim::Fault::NoReply, 1);
                    if (line == command)
                        QTimer::singleShot(0, frame, &QWidget::close);
                });
        if (command == QStringLiteral("RI")) {
            rig.board().setFault(sim::Fault::NoReply, 1);
            panel->IRQpoll->click();
        } else {
            panel->ReadStatus->click();
        }
        QVERIFY(waitUntil([&] { return !rig.main().loadedForm(form); }));
        QVERIFY(waitUntil([&] { return !rig.main().link()->isBusy(); }));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(rig.main().CommState, 0L);

        // The panel opened again reads as before.
        panel = qobject_cast<ChipPanel*>(rig.main().form(form));
        rig.main().showForm(panel);
        rig.dialogs().messages.clear();
        for (QPushButton* read : {static_cast<QPushButton*>(panel->ReadStatus), panel->IRQpoll}) {
            read->click();
            QVERIFY(waitUntil([&] { return rig.main().CommState == 0; }));
        }
        QCOMPARE(rig.messageTexts(), QStringList());
    }

    // Characters beyond Latin typed into a hexadecimal box, or put there as a file would, are no
    // digits: the box and its word stay hexadecimal, and Update sends a whole word.
    void nonLatinTextInHexBoxes_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("wordBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        const QStringList texts{
            QStringLiteral("\u00E4"),       // a with diaeresis, Latin-1 above 127
            QStringLiteral("5\u0663"),      // an Arabic-Indic digit three
            QStringLiteral("\uFF21\uFF22"), // fullwidth A B
            QStringLiteral("\u20AC\u4E2D"), // euro sign, a CJK character
            QStringLiteral("C\U0001D7D8"),  // a mathematical digit, two code units
            QStringLiteral("\u0100\u00FF"), // A with macron, y with diaeresis
        };
        for (const QString& text : texts) {
            for (const char* form : {"FRM_Zenth", "Ovalt"})
                QTest::addRow("%s pattern byte typed %s", form, qPrintable(text))
                    << form << "TB_SP"
                    << "SynchPatt" << text << true;
            QTest::addRow("FRM_Zenth PLL word typed %s", qPrintable(text))
                << "FRM_Zenth"
                << "PLLCmd"
                << "PLLCmd" << text << true;
            QTest::addRow("FRM_Zenth PLL word set %s", qPrintable(text))
                << "FRM_Zenth"
                << "PLLCmd"
                << "PLLCmd" << QStringLiteral("CC") + text << false;
        }
    }
    void nonLatinTextInHexBoxes() {
        QFETCH(QString, form);
        QFETCH(QString, box);
        QFETCH(QString, wordBox);
        QFETCH(QString, text);
        QFETCH(bool, typed);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ChipPanel*>(rig.main().form(form));
        rig.main().showForm(panel);
        auto* input = panel->findChild<QLineEdit*>(box);
        auto* word = panel->findChild<QLineEdit*>(wordBox);
        if (typed) {
            input->setFocus();
            input->selectAll();
            typeText(input, text);
            QTest::keyClick(input, Qt::Key_Return);
        } else {
            input->setText(text);
        }
        rig.board().clearReceived();
        panel->Update->click();
        const QRegularExpression hexWord(QStringLiteral("^[0-9A-Fa-f]{4}$"));
        QVERIFY2(hexWord.match(word->text()).hasMatch(), qPrintable(word->text()));
        QVERIFY(rig.board().receivedLines().contains(QStringLiteral("S2") + word->text()));
        for (const QString& line : rig.board().receivedLines())
            QVERIFY2(line.size() < 2 ||
                         QRegularExpression(QStringLiteral("^[0-9A-Z]{2}[0-9A-Fa-f]*$"))
                             .match(line)
                             .hasMatch(),
                     qPrintable(line));
        QVERIFY(rig.messageTexts().isEmpty());
    }

    // Read Status double-clicked on the HC913 panel, AFC on: each read sends the AFC word off
    // twice, "H2" "L2" "L0" "RS" | "RS" | "H2" and the AFC word back. The user's Disconnect,
    // at any moment of the repetition, ends it without a message and leaves the panel as it was.
    void disconnectDuringRepeatedReadsEndsQuietly_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("answered");
        // line: the line of the second read at which Disconnect is pressed; -1 between reads.
        QTest::newRow("AFC word off waiting") << 0 << false;
        QTest::newRow("L2 waiting") << 3 << false;
        QTest::newRow("first RS waiting") << 5 << false;
        QTest::newRow("first RS answered") << 5 << true;
        QTest::newRow("second RS waiting") << 6 << false;
        QTest::newRow("final H2 answered") << 7 << true;
        QTest::newRow("AFC word back waiting") << 8 << false;
        QTest::newRow("between two reads") << -1 << true;
    }
    void disconnectDuringRepeatedReadsEndsQuietly() {
        QFETCH(int, line);
        QFETCH(bool, answered);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* panel = qobject_cast<ChipPanel*>(main.form(QStringLiteral("YambleV3")));
        main.showForm(panel);
        auto* afcen = panel->findChild<QCheckBox*>(QStringLiteral("afcen"));
        auto* afcWord = panel->findChild<QLineEdit*>(QStringLiteral("AFCw"));
        QVERIFY(afcen->isChecked());
        panel->Update->click();
        const QString ownAfcWord = afcWord->text();
        QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
        panel->RepStatusReadTimer->setInterval(400);
        rig.board().clearReceived();
        rig.dialogs().messages.clear();

        constexpr int readLines = 9;
        qsizetype sentBeforeDisconnect = -1;
        if (line >= 0) {
            const int target = readLines + line;
            connect(&rig.board(), &sim::BoardSimulator::lineReceived, panel, [&, target] {
                const qsizetype index = rig.board().receivedLines().size() - 1;
                if (index == target - 1 && !answered)
                    rig.board().setFault(sim::Fault::NoReply, 1);
                if (index == target)
                    QTimer::singleShot(answered ? 0 : 20, panel, [&] {
                        sentBeforeDisconnect = rig.board().receivedLines().size();
                        pressDisconnect(main);
                    });
            });
        }
        panel->ReadStatus_Click();
        panel->ReadStatus_DblClick();
        if (line < 0) {
            QVERIFY(waitUntil([&] {
                return rig.board().receivedLines().size() == readLines && main.CommState == 0;
            }));
            sentBeforeDisconnect = rig.board().receivedLines().size();
            pressDisconnect(main);
        }
        QVERIFY(waitUntil([&] { return sentBeforeDisconnect >= 0 && !main.boardPortOpen(); }));
        QVERIFY(waitUntil([&] { return !main.link()->isBusy() && main.CommState == 0; }));
        QTest::qWait(900);

        QCOMPARE(rig.messageTexts(), QStringList());
        QCOMPARE(rig.board().receivedLines().size(), sentBeforeDisconnect);
        QVERIFY(!panel->repeating());
        QVERIFY(!panel->StatusReadActive);
        QVERIFY(!panel->Timer3->isActive());
        QVERIFY(afcen->isChecked());
        QCOMPARE(afcWord->text(), ownAfcWord);
        QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));

        // The quiet ends with the user's next action: a read asked for now says why it cannot.
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QCOMPARE(rig.messageTexts(),
                 QStringList{QStringLiteral("Commport not available, Loadboard not connected!")});
    }

    // An interrupt poll waiting for its reply ends as quietly.
    void disconnectDuringAnInterruptPollEndsQuietly() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* panel = qobject_cast<ChipPanel*>(main.form(QStringLiteral("DruskV1")));
        main.showForm(panel);
        rig.dialogs().messages.clear();
        rig.board().setFault(sim::Fault::NoReply, 1);
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, panel,
                [&] { QTimer::singleShot(20, panel, [&] { pressDisconnect(main); }); });
        panel->IRQpoll->click();
        QVERIFY(waitUntil([&] { return !main.boardPortOpen() && main.CommState == 0; }));
        QTest::qWait(300);
        QCOMPARE(rig.messageTexts(), QStringList());
        QVERIFY(!panel->Timer1->isActive());
        QTest::mouseClick(panel->IRQpoll, Qt::LeftButton);
        QCOMPARE(rig.messageTexts(),
                 QStringList{QStringLiteral("Commport not available, Loadboard not connected!")});
    }
};

QTEST_MAIN(PanelsOnBoardTest)
#include "test_panelsonboard.moc"
