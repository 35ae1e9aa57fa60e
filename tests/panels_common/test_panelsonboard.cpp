#include "panels/common/chippanel.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>

using namespace krv;
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
};

QTEST_MAIN(PanelsOnBoardTest)
#include "test_panelsonboard.moc"
