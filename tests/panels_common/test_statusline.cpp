#include "link/linkwindow.h"
#include "panels/common/chippanel.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace krv;
using krv::test::linesStartingWith;
using krv::test::pressDisconnect;
using krv::test::waitUntil;

namespace {

const QString CommunicationFault = QStringLiteral("Communication fault.");
const QString LostMessage =
    QStringLiteral("Loadboard disconnected!\r\nPlease press connect again!");

enum class Ending {
    DisconnectDuringRepeatedReads,
    DisconnectWhileTheReadWaits,
    BoardLostDuringTheRead,
};

} // namespace

// Every chip panel's status line says how its last status read went, whatever ended it.
class StatusLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void followsTheLastRead_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("ending");
        const char* forms[] = {"YambleV3", "FRM_Zenth", "DruskV1", "Ovalt",
                               "MivraV2",  "PelkoV1",   "HT539"};
        for (const char* form : forms) {
            QTest::addRow("%s Disconnect during repeated reads", form)
                << form << int(Ending::DisconnectDuringRepeatedReads);
            QTest::addRow("%s Disconnect while the read waits", form)
                << form << int(Ending::DisconnectWhileTheReadWaits);
            QTest::addRow("%s board lost during the read", form)
                << form << int(Ending::BoardLostDuringTheRead);
        }
    }
    // A read the user ends by Disconnect shows no fault; one a lost board ends does. Either way,
    // a read that reaches the board found again shows no fault.
    void followsTheLastRead() {
        QFETCH(QString, form);
        QFETCH(int, ending);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        ISMmain& main = rig.main();
        auto* panel = qobject_cast<ChipPanel*>(main.form(form));
        main.showForm(panel);
        panel->activateWindow();
        rig.board().clearReceived();
        rig.dialogs().messages.clear();

        connect(&rig.board(), &sim::BoardSimulator::lineReceived, panel,
                [&, ending](const QString& line) {
                    switch (Ending(ending)) {
                    case Ending::DisconnectDuringRepeatedReads:
                        // Inside the second read, whatever it waits for.
                        if (line == QStringLiteral("L2") &&
                            linesStartingWith(rig.board().receivedLines(), "L2") == 2)
                            QTimer::singleShot(0, panel, [&] { pressDisconnect(main); });
                        break;
                    case Ending::DisconnectWhileTheReadWaits:
                        if (line == QStringLiteral("L0"))
                            rig.board().setFault(sim::Fault::NoReply, 1);
                        if (line == QStringLiteral("RS"))
                            QTimer::singleShot(20, panel, [&] { pressDisconnect(main); });
                        break;
                    case Ending::BoardLostDuringTheRead:
                        if (line == QStringLiteral("L0"))
                            rig.board().setFault(sim::Fault::Vanish, 1);
                        break;
                    }
                });
        if (Ending(ending) == Ending::DisconnectDuringRepeatedReads) {
            // Long enough for the slowest panel's read to end before the next tick.
            panel->RepStatusReadTimer->setInterval(700);
            QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
            QTest::mouseDClick(panel->ReadStatus, Qt::LeftButton);
            QTest::mouseRelease(panel->ReadStatus, Qt::LeftButton);
            QVERIFY(panel->repeating());
        } else {
            QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        }
        QVERIFY(waitUntil([&] { return !main.boardPortOpen(); }));
        QVERIFY(waitUntil([&] { return main.CommState == 0 && !panel->StatusReadActive; }));
        QVERIFY(!panel->repeating());
        if (Ending(ending) == Ending::BoardLostDuringTheRead) {
            QCOMPARE(rig.messageTexts(), QStringList{LostMessage});
            QCOMPARE(panel->Statusline->text(), CommunicationFault);
        } else {
            QCOMPARE(rig.messageTexts(), QStringList());
            QVERIFY(panel->Statusline->text() != CommunicationFault);
        }

        disconnect(&rig.board(), nullptr, panel, nullptr);
        QVERIFY(rig.reconnectBoard());
        rig.board().clearReceived();
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(waitUntil([&] { return main.CommState == 0 && !panel->StatusReadActive; }));
        QVERIFY(rig.board().receivedLines().contains(QStringLiteral("RS")));
        QVERIFY(panel->Statusline->text() != CommunicationFault);
        QCOMPARE(rig.messageTexts().size(), Ending(ending) == Ending::BoardLostDuringTheRead);
    }
};

QTEST_MAIN(StatusLineTest)
#include "test_statusline.moc"
