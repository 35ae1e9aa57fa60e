#include "panels/common/chippanel.h"
#include "panels/transmitter/mivrav2test.h"
#include "sim/tuningstate.h"
#include "testsupport.h"
#include "txtesthelpers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace krv;

namespace {

// The lines of a read in automatic mode with delta-sigma on, each ended by CR LF.
const QByteArray ReadLines =
    "S2D200\r\nS2D020\r\nri\r\nS2D021\r\nri\r\nS2D022\r\nri\r\nS2D023\r\nri\r\n";

} // namespace

class TuningReadTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readingTheStateBackHoldsCommState_data() {
        QTest::addColumn<int>("state");
        QTest::newRow("5") << 5;
        QTest::newRow("10") << 10;
    }
    void readingTheStateBackHoldsCommState() {
        QFETCH(int, state);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* tuning = new sim::TuningState(rig.board());
        tuning->setState(state);
        auto* panel = rig.main().form<ChipPanel>("MivraV2");
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        rig.board().clearReceived();
        QTest::mouseClick(t->ReadGearbox, Qt::LeftButton);
        QVERIFY(t->reading());
        QVERIFY(rig.main().CommState != 0);
        QVERIFY(t->LabelUpdate->isHidden());
        // A status read cannot drive the lines in between.
        panel->ReadStatus_Click();
        QCOMPARE(rig.messageTexts(), QStringList{"Commport is busy. Please retry later!"});
        // Asked for meanwhile, the word goes out after the read.
        QTest::mouseClick(t->Update, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !t->reading(); }));
        QCOMPARE(t->GearboxValue->text(), QString::number(state));
        QCOMPARE(t->Test0w->text(), QStringLiteral("D027"));
        QTRY_COMPARE(rig.board().receivedBytes(), ReadLines + "S2D027\r\n");
        QCOMPARE(rig.main().CommState, 0L);
        QVERIFY(!t->SRtimeout->isActive());
    }

    void eachBitIsCharacterSevenOfItsReply_data() {
        QTest::addColumn<char>("third");
        QTest::addColumn<char>("seventh");
        QTest::addColumn<QString>("state");
        QTest::newRow("1 at 7, 0 at 3") << '0' << '1' << "15";
        QTest::newRow("0 at 7, 1 at 3") << '1' << '0' << "0";
    }
    void eachBitIsCharacterSevenOfItsReply() {
        QFETCH(char, third);
        QFETCH(char, seventh);
        QFETCH(QString, state);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        rig.board().addCommand("RI", [&](const QString&) -> sim::Reply {
            return test::interruptReply(third, seventh);
        });
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        QTest::mouseClick(t->ReadGearbox, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !t->reading(); }));
        QCOMPARE(t->GearboxValue->text(), state);
    }
};

QTEST_MAIN(TuningReadTest)
#include "tst_tuningread.moc"
