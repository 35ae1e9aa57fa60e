#include "app/ismmain.h"
#include "app/powersupply.h"
#include "app/supplymath.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace krv;

namespace {

frm_PowerSupply* openSupply(ISMmain& main) {
    auto* supply = main.form<frm_PowerSupply>(QStringLiteral("frm_PowerSupply"));
    main.showForm(supply);
    return supply;
}

} // namespace

class SupplyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void voltageCheck_data();
    void voltageCheck();
    void setSendsTheSupplyCode_data();
    void setSendsTheSupplyCode();
    void setWithThePortClosedStillKeepsTheVoltage();
    void currentReadings_data();
    void currentReadings();
    void failedReadingLeavesCurrentEmpty();
    void continuousReadingStopsOnceWhenThePortCloses();
    void boardOneHasNoCurrentReading();
};

void SupplyTest::voltageCheck_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("board");
    QTest::addColumn<QString>("voltage");
    QTest::addColumn<QString>("status");
    QTest::newRow("half to even down") << "2.25" << 2 << "2.2"
                                       << "";
    QTest::newRow("half to even up") << "2.35" << 2 << "2.4"
                                     << "";
    QTest::newRow("board 2.x maximum") << "6" << 2 << "5"
                                       << "Maximum supply voltage is 5 V!";
    QTest::newRow("board 1.x maximum") << "6" << 1 << "5.4"
                                       << "Maximum supply voltage is 5.4 V!";
    QTest::newRow("not canonical") << "2.50" << 2 << "2.5"
                                   << "Incorrect Power Supply voltage format!  (2.50 V)";
    QTest::newRow("no number") << "abc" << 2 << "2.2"
                               << "Minimum supply voltage is 2.2 V!";
}

void SupplyTest::voltageCheck() {
    QFETCH(QString, typed);
    QFETCH(int, board);
    QFETCH(QString, voltage);
    QFETCH(QString, status);
    const SupplyVoltageCheck check = checkSupplyVoltage(typed, board);
    QCOMPARE(check.voltage, voltage);
    QCOMPARE(check.statusLine.value(check.statusLine.size() - 1), status);
}

void SupplyTest::setSendsTheSupplyCode_data() {
    QTest::addColumn<int>("personality");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("line");
    const int one = int(sim::Personality::Board1);
    const int two = int(sim::Personality::Board2);
    QTest::newRow("1.x 2.5 V") << one << "2.5"
                               << "V83";
    QTest::newRow("1.x 5.4 V") << one << "5.4"
                               << "VC5";
    QTest::newRow("1.x 2.2 V") << one << "2.2"
                               << "V72";
    QTest::newRow("2.x 2.2 V") << two << "2.2"
                               << "V73";
    QTest::newRow("2.x 5 V") << two << "5"
                             << "VC1";
}

void SupplyTest::setSendsTheSupplyCode() {
    QFETCH(int, personality);
    QFETCH(QString, typed);
    QFETCH(QString, line);
    test::Rig rig{sim::Personality(personality)};
    QVERIFY(rig.connectBoard());
    frm_PowerSupply* supply = openSupply(rig.main());
    QVERIFY(rig.main().PowerSupplyOn);
    rig.board().clearReceived();
    supply->Voltage->setText(typed);
    supply->PB_Voltage->click();
    QCOMPARE(rig.board().receivedLines(), QStringList{line});
    QCOMPARE(rig.main().Pref_Voltage, supply->Voltage->text());
}

void SupplyTest::setWithThePortClosedStillKeepsTheVoltage() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    frm_PowerSupply* supply = openSupply(rig.main());
    QCOMPARE(supply->Voltage->text(), rig.main().Pref_Voltage);
    rig.main().link()->MSComm2->setPortOpen(false);
    rig.board().clearReceived();
    supply->Voltage->setText(QStringLiteral("x"));
    supply->PB_Voltage->click();
    QCOMPARE(rig.messageTexts(),
             QStringList{"Commport not available, please open commport. PSU setting was not "
                         "updated."});
    QCOMPARE(rig.dialogs().messages.last().icon, Dialogs::Icon::Exclamation);
    QCOMPARE(supply->Voltage->text(), QStringLiteral("2.2"));
    QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("2.2"));
    // The last of the two messages stays.
    QCOMPARE(supply->Statusline->text(), QStringLiteral("Minimum supply voltage is 2.2 V!"));
    QVERIFY(rig.board().receivedLines().isEmpty());

    supply->PB_Current->click();
    QCOMPARE(rig.messageTexts().last(),
             QStringLiteral("Commport not available, please open commport."));
    QVERIFY(supply->PB_Current->isEnabled());
}

void SupplyTest::currentReadings_data() {
    QTest::addColumn<int>("converter");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QStringList>("lines");
    const QStringList milli = {"A1", "AD"};
    const QStringList micro = {"A1", "AD", "A0", "AD"};
    QTest::newRow("milliamperes") << 300 << "7.3"
                                  << "mA" << milli;
    QTest::newRow("just 1.2 mA") << 49 << "1.2"
                                 << "mA" << milli;
    QTest::newRow("microamperes") << 23 << "1122.4"
                                  << "uA" << micro;
}

void SupplyTest::currentReadings() {
    QFETCH(int, converter);
    QFETCH(QString, current);
    QFETCH(QString, unit);
    QFETCH(QStringList, lines);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    frm_PowerSupply* supply = openSupply(rig.main());
    rig.board().setCurrentReading(converter);
    rig.board().clearReceived();
    supply->PB_Current->click();
    QCOMPARE(supply->Current->text(), current);
    QCOMPARE(supply->CurUnit->text(), unit);
    QCOMPARE(rig.board().receivedLines(), lines);
    QVERIFY(supply->PB_Current->isEnabled());
}

void SupplyTest::failedReadingLeavesCurrentEmpty() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    frm_PowerSupply* supply = openSupply(rig.main());
    supply->PB_Current->click();
    QVERIFY(!supply->Current->text().isEmpty());
    rig.board().setFault(sim::Fault::ErrorEnding, 2);
    supply->PB_Current->click();
    QCOMPARE(supply->Current->text(), QString());
    QVERIFY(supply->PB_Current->isEnabled());
    // Converter values outside ten bits are no reading either.
    QVERIFY(!converterReading(QString(67, u' ') + "FF" + QString(14, u' ') + "FF"));
    QVERIFY(!converterReading(QString(67, u' ') + "0G" + QString(14, u' ') + "00"));
    QCOMPARE(converterReading(QString(67, u' ') + "03" + QString(14, u' ') + "FF"), 0);
}

void SupplyTest::continuousReadingStopsOnceWhenThePortCloses() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    frm_PowerSupply* supply = openSupply(rig.main());
    rig.board().clearReceived();
    supply->ContRead->click();
    QCOMPARE(supply->ContRead->text(), QStringLiteral("Stop"));
    QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().size() >= 4; }));
    QVERIFY(!supply->PB_Current->isEnabled());
    QVERIFY(test::waitUntil([&] { return !rig.main().link()->isBusy(); }));
    rig.main().link()->MSComm2->setPortOpen(false);
    QTest::qWait(500);
    QCOMPARE(rig.messageTexts(), QStringList{"Commport not available, please open commport."});
    QCOMPARE(supply->ContRead->text(), QStringLiteral("Cont"));
    QVERIFY(supply->PB_Current->isEnabled());
    // Readings never overlapped: each starts with its range command.
    const QStringList lines = rig.board().receivedLines();
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        QCOMPARE(lines.mid(i, 2), (QStringList{"A1", "AD"}));
}

void SupplyTest::boardOneHasNoCurrentReading() {
    test::Rig rig{sim::Personality::Board1};
    QVERIFY(rig.connectBoard());
    frm_PowerSupply* supply = openSupply(rig.main());
    QVERIFY(!supply->PB_Current->isEnabled());
    QVERIFY(!supply->ContRead->isEnabled());
    rig.main().unloadForm(QStringLiteral("frm_PowerSupply"));
    QVERIFY(!rig.main().PowerSupplyOn);
}

QTEST_MAIN(SupplyTest)
#include "tst_supply.moc"
