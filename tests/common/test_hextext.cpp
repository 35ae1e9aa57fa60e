#include "common/hextext.h"

#include <QTest>

using namespace krv;

class TestHexText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void converts_data() {
        QTest::addColumn<QByteArray>("characters");
        QTest::addColumn<QByteArray>("hex");
        QTest::newRow("two letters") << QByteArray("Hi") << QByteArray("4869");
        QTest::newRow("line break") << QByteArray("\r\n") << QByteArray("0D0A");
        QTest::newRow("zero byte") << QByteArray(1, '\0') << QByteArray("00");
        QTest::newRow("top byte") << QByteArray(1, char(0xFF)) << QByteArray("FF");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void converts() {
        QFETCH(QByteArray, characters);
        QFETCH(QByteArray, hex);
        QCOMPARE(hex2Ascii2Hex(characters, true), std::optional(hex));
        QCOMPARE(hex2Ascii2Hex(hex, false), std::optional(characters));
    }

    void everyByteSurvivesTheRoundTrip() {
        QByteArray all;
        for (int code = 0; code < 256; ++code)
            all.append(char(code));
        const auto hex = hex2Ascii2Hex(all, true);
        QCOMPARE(hex->size(), 512);
        QCOMPARE(hex2Ascii2Hex(*hex, false), std::optional(all));
    }

    void readsLowerCaseAndAFinalOddDigit() {
        QCOMPARE(hex2Ascii2Hex("4a", false), std::optional(QByteArray("J")));
        QCOMPARE(hex2Ascii2Hex("414", false), std::optional(QByteArray("A\x04")));
    }

    void failsWholeOnANonHexPair() {
        QVERIFY(!hex2Ascii2Hex("4G", false));
        QVERIFY(!hex2Ascii2Hex("41 42", false));
        QVERIFY(!hex2Ascii2Hex("414G", false));
        QVERIFY(!hex2Ascii2Hex("41Z", false));
    }
};

QTEST_GUILESS_MAIN(TestHexText)
#include "test_hextext.moc"
