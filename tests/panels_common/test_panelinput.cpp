#include "panels/common/statusword.h"
#include "panels/common/supplyinput.h"

#include <QTest>

using namespace krv;

class PanelInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void statusByteFromReplyTail_data() {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<int>("value");
        QTest::newRow("hex pair") << QStringLiteral("\r\nRS A5\n\r\nOK\n\r>") << 0xA5;
        QTest::newRow("lower case") << QStringLiteral("\r\nRS 1f\n\r\nOK\n\r>") << 0x1F;
        QTest::newRow("second char stops") << QStringLiteral("\r\nRS 7X\n\r\nOK\n\r>") << 7;
        QTest::newRow("no digit") << QStringLiteral("\r\nRROR\n\r>") << 0;
        QTest::newRow("short tail") << QStringLiteral("OK") << 0;
    }
    void statusByteFromReplyTail() {
        QFETCH(QString, tail);
        QFETCH(int, value);
        QCOMPARE(statusByte(tail), value);
    }

    void afcOffsetIsTwosComplement_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("steps");
        QTest::newRow("5 bits -1") << 0x1F << 5 << -1;
        QTest::newRow("5 bits 15") << 0x0F << 5 << 15;
        QTest::newRow("5 bits -16, high bits ignored") << 0xF0 << 5 << -16;
        QTest::newRow("6 bits -1") << 0x3F << 6 << -1;
        QTest::newRow("6 bits 31") << 0x1F << 6 << 31;
        QTest::newRow("6 bits -32") << 0x20 << 6 << -32;
    }
    void afcOffsetIsTwosComplement() {
        QFETCH(int, byte);
        QFETCH(int, bits);
        QFETCH(int, steps);
        QCOMPARE(afcOffsetSteps(byte, bits), steps);
    }

    void supplyBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wellFormed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("clamp");
        QTest::addColumn<int>("code");
        QTest::newRow("2.5") << "2.5" << true << "2.5" << 0 << 0x83;
        QTest::newRow("below") << "1.9" << true << "2" << -1 << 100;
        QTest::newRow("above") << "6" << true << "5.4" << 1 << 198;
        QTest::newRow("rounded") << "3.33" << true << "3.3" << 0 << 161;
        QTest::newRow("trailing zero") << "2.50" << false << "2.5" << 0 << 0x83;
        QTest::newRow("decimal comma") << "3,3" << false << "3" << 0 << 152;
        QTest::newRow("letters") << "abc" << false << "2" << -1 << 100;
        QTest::newRow("negative") << "-3" << false << "2" << -1 << 100;
    }
    void supplyBox() {
        QFETCH(QString, text);
        QFETCH(bool, wellFormed);
        QFETCH(QString, shown);
        QFETCH(int, clamp);
        QFETCH(int, code);
        const SupplyInput input = supplyInput(text);
        QCOMPARE(input.wellFormed, wellFormed);
        QCOMPARE(input.text, shown);
        QCOMPARE(input.clamp, clamp);
        QCOMPARE(input.code, code);
    }
};

QTEST_APPLESS_MAIN(PanelInputTest)
#include "test_panelinput.moc"
