#include "ht539test.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using test::ht539Words;
using test::transmitterChip;
using test::waitForLines;

class HT539BoardTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void updateSendsNineWordsAndTheBitSynchronMode() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* p = rig.main().form<HT539>("HT539");
        rig.board().clearReceived();
        QTest::mouseClick(p->Update, Qt::LeftButton);
        QVERIFY(waitForLines(rig, 9));
        QStringList expected;
        for (const QString& word : ht539Words(p))
            expected << QStringLiteral("S2") + word;
        QCOMPARE(rig.board().receivedLines(), expected);
        QVERIFY(p->LabelUpdate->isHidden());
        QCOMPARE(p->TXBitSinchOn, 1);
        QCOMPARE(rig.main().CommStatus->text(), QStringLiteral("Comm. OK"));

        p->CB_ebs->setCheckState(Qt::Unchecked);
        QCOMPARE(p->LBDw->text(), QStringLiteral("C203"));
        QCOMPARE(p->TXBitSinchOn, 1);
        rig.board().clearReceived();
        QTest::mouseClick(p->Update, Qt::LeftButton);
        QVERIFY(waitForLines(rig, 9));
        QCOMPARE(p->TXBitSinchOn, 0);
        QCOMPARE(rig.board().receivedLines().at(5), QStringLiteral("S2C203"));
    }

    void aBoardThatFailsMidUpdateLeavesTheMark_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("error ending") << int(sim::Fault::ErrorEnding);
        QTest::newRow("silent") << int(sim::Fault::NoReply);
        QTest::newRow("vanishing") << int(sim::Fault::Vanish);
    }
    void aBoardThatFailsMidUpdateLeavesTheMark() {
        QFETCH(int, fault);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* p = rig.main().form<HT539>("HT539");
        rig.board().clearReceived();
        int seen = 0;
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, &rig.board(), [&] {
            if (++seen == 3)
                rig.board().setFault(sim::Fault(fault));
        });
        QTest::mouseClick(p->Update, Qt::LeftButton);
        QVERIFY(test::waitUntil(
            [&] { return p->Statusline->text() == QStringLiteral("Communication fault."); }));
        // A board that answers badly still gets every word; a vanished one none after it.
        QCOMPARE(rig.board().receivedLines().size(), fault == int(sim::Fault::Vanish) ? 4 : 9);
        QVERIFY(!p->LabelUpdate->isHidden());
        QCOMPARE(rig.main().CommState, 0L);
    }

    void calibrationGoesThroughTheSynthesizerBox_data() {
        QTest::addColumn<bool>("synthesizerOn");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("pm4 on") << true << QStringList{"S2C002", "S2C012"};
        QTest::newRow("pm4 off") << false << QStringList{"S2C002", "S2C012", "S2C002"};
    }
    void calibrationGoesThroughTheSynthesizerBox() {
        QFETCH(bool, synthesizerOn);
        QFETCH(QStringList, lines);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* p = rig.main().form<HT539>("HT539");
        p->pm4->setCheckState(synthesizerOn ? Qt::Checked : Qt::Unchecked);
        p->Band915->setChecked(true);
        QVERIFY(!p->LabelCalibration->isHidden());

        // With an update pending the calibration mark stays, and so does the update mark.
        rig.board().clearReceived();
        QTest::mouseClick(p->CalibratePLL, Qt::LeftButton);
        QVERIFY(waitForLines(rig, lines.size()));
        QCOMPARE(rig.board().receivedLines(), lines);
        QVERIFY(!p->LabelUpdate->isHidden());
        QVERIFY(!p->LabelCalibration->isHidden());
        QCOMPARE(p->PowerMw->text(), lines.constLast().mid(2));
        QCOMPARE(p->es, synthesizerOn ? 16L : 0L);
        QCOMPARE(p->pm4->isChecked(), synthesizerOn);

        // After an Update the calibration clears its mark and leaves the update mark hidden.
        p->Update_Click();
        QVERIFY(waitForLines(rig, lines.size() + 9));
        rig.board().clearReceived();
        QTest::mouseClick(p->CalibratePLL, Qt::LeftButton);
        QVERIFY(waitForLines(rig, lines.size()));
        QVERIFY(p->LabelUpdate->isHidden());
        QVERIFY(p->LabelCalibration->isHidden());
    }

    void aBoardThatFailsMidCalibrationKeepsTheMark_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("sent");
        QTest::newRow("error ending") << int(sim::Fault::ErrorEnding) << 3;
        QTest::newRow("silent") << int(sim::Fault::NoReply) << 3;
        QTest::newRow("vanishing") << int(sim::Fault::Vanish) << 2;
    }
    void aBoardThatFailsMidCalibrationKeepsTheMark() {
        QFETCH(int, fault);
        QFETCH(int, sent);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* p = rig.main().form<HT539>("HT539");
        p->pm4->setCheckState(Qt::Unchecked);
        p->Band915->setChecked(true);
        p->Update_Click();
        QVERIFY(waitForLines(rig, 9));
        rig.board().clearReceived();
        int seen = 0;
        connect(&rig.board(), &sim::BoardSimulator::lineReceived, &rig.board(), [&] {
            if (++seen == 1)
                rig.board().setFault(sim::Fault(fault));
        });
        QTest::mouseClick(p->CalibratePLL, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] {
            return p->Statusline->text() == QStringLiteral("Communication fault.") &&
                   rig.main().CommState == 0;
        }));
        // The second word failed: a board that answers badly still gets the last one.
        QCOMPARE(rig.board().receivedLines(),
                 (QStringList{"S2C002", "S2C012", "S2C002"}.first(sent)));
        QVERIFY(!p->LabelCalibration->isHidden());
        QVERIFY(p->LabelUpdate->isHidden());
        // The synthesizer ends as it was set, and the box, the bit and the word agree.
        QVERIFY(!p->pm4->isChecked());
        QCOMPARE(p->es, 0L);
        QCOMPARE(p->PowerMw->text(), QStringLiteral("C002"));
    }

    void statusReadLightsSixIndicators() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        sim::TransmitterChip& chip = transmitterChip(rig);
        auto* p = rig.main().form<HT539>("HT539");
        chip.setStatusByte(0xA5);
        rig.board().clearReceived();
        QTest::mouseClick(p->ReadStatus, Qt::LeftButton);
        QVERIFY(waitForLines(rig, 5));
        QCOMPARE(rig.board().receivedLines(), (QStringList{"H2", "L2", "L0", "RS", "H2"}));
        QList<int> lit;
        for (int i = 1; i <= 8; ++i)
            if (p->status[i]->isEnabled())
                lit << i;
        QCOMPARE(lit, (QList<int>{1, 3, 6, 8}));
        QVERIFY(p->status[8]->isHidden());

        chip.setInterruptPending(true);
        QTest::mouseClick(p->IRQpoll, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return p->IRQ->isEnabled() && rig.main().CommState == 0; }));
        chip.setInterruptPending(false);
        QTest::mouseClick(p->IRQpoll, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !p->IRQ->isEnabled() && rig.main().CommState == 0; }));
    }
};

QTEST_MAIN(HT539BoardTest)
#include "tst_ht539board.moc"
