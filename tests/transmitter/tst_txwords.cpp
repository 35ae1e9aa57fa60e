#include "panels/transmitter/txwords.h"

#include <QTest>

using namespace krv;

class TransmitterWordsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void wordsMaskTheirFields() {
        QCOMPARE(tx::configurationWord(5, 9, 17, 3, 9), 0x8800L | 0x100 | 0x10 | 0x8 | 1);
        QCOMPARE(tx::powerSettingWord(3, 3, true, 8), 0xBBL);
        QCOMPARE(tx::powerSettingWord(3, 2, true, 4), 0xB7L);
        QCOMPARE(tx::lowBatteryWord(5, 1, 1), 0xC2A5L);
        QCOMPARE(tx::powerField(QStringLiteral("-21 dB")), 7L);
        QCOMPARE(tx::powerField(QStringLiteral("Pmax")), 0L);
    }
};

QTEST_MAIN(TransmitterWordsTest)
#include "tst_txwords.moc"
