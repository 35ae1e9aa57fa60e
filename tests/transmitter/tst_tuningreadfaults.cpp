#include "panels/common/chippanel.h"
#include "panels/transmitter/mivrav2test.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace krv;

class TuningReadFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aFailingLineEndsTheRead_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("line");
        QTest::newRow("silent on the arming word") << int(sim::Fault::NoReply) << 0;
        QTest::newRow("error ending on a ri") << int(sim::Fault::ErrorEnding) << 2;
        QTest::newRow("vanishing on the last ri") << int(sim::Fault::Vanish) << 8;
    }
    void aFailingLineEndsTheRead() {
        QFETCH(int, fault);
        QFETCH(int, line);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<ChipPanel>("MivraV2");
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        int seen = 0;
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, &rig.board(), [&] {
            if (++seen == line)
                rig.board().setFault(sim::Fault(fault));
        });
        if (line == 0)
            rig.board().setFault(sim::Fault(fault));
        QTest::mouseClick(t->ReadGearbox, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !t->reading(); }));
        QCOMPARE(t->GearboxValue->text(), QStringLiteral("---"));
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
        QCOMPARE(rig.main().CommState, 0L);
        QVERIFY(!t->SRtimeout->isActive());
    }
};

QTEST_MAIN(TuningReadFaultsTest)
#include "tst_tuningreadfaults.moc"
