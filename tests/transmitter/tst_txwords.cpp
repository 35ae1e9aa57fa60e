#include "panels/transmitter/txwords.h"

#include <QTest>

using namespace krv;

class TransmitterWordsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wakeUpTimeUnits_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("m");
        QTest::addColumn<float>("xtal");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("unit");
        QTest::newRow("seconds") << 1 << 255 << 1.0f << "0.51"
                                 << "sec";
        QTest::newRow("600 s stays seconds") << 3 << 75000 << 1.0f << "600"
                                             << "sec";
        QTest::newRow("minutes") << 14 << 255 << 1.0f << "69.632"
                                 << "min";
        QTest::newRow("days") << 23 << 255 << 1.0f << "24.758"
                              << "days";
        QTest::newRow("12 MHz crystal") << 1 << 150 << 1.2f << "0.25"
                                        << "sec";
    }
    void wakeUpTimeUnits() {
        QFETCH(int, r);
        QFETCH(int, m);
        QFETCH(float, xtal);
        QFETCH(QString, text);
        QFETCH(QString, unit);
        const tx::WakeUpTime time = tx::wakeUpTime(r, m, xtal);
        QCOMPARE(time.text, text);
        QCOMPARE(time.unit, unit);
    }

    void wordsMaskTheirFields() {
        QCOMPARE(tx::configurationWord(5, 9, 17, 3, 9), 0x8800L | 0x100 | 0x10 | 0x8 | 1);
        QCOMPARE(tx::powerSettingWord(3, 3, true, 8), 0xBBL);
        QCOMPARE(tx::powerSettingWord(3, 2, true, 4), 0xB7L);
        QCOMPARE(tx::lowBatteryWord(5, 1, 1), 0xC2A5L);
        QCOMPARE(tx::wakeUpWord(30, 300), 0xF72CL);
        QCOMPARE(tx::powerField(QStringLiteral("-21 dB")), 7L);
        QCOMPARE(tx::powerField(QStringLiteral("Pmax")), 0L);
    }
};

QTEST_MAIN(TransmitterWordsTest)
#include "tst_txwords.moc"
