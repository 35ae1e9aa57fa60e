#include "common/error.h"
#include "common/numbers.h"
#include "common/supply.h"

#include <QTest>
#include <limits>

using namespace krv;

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundsHalfToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<long long>("rounded");
        QTest::newRow("half down to even") << 0.5 << 0LL;
        QTest::newRow("half up to even") << 1.5 << 2LL;
        QTest::newRow("other half") << 2.5 << 2LL;
        QTest::newRow("negative half") << -2.5 << -2LL;
        QTest::newRow("not a tie") << 2.51 << 3LL;
        QTest::newRow("supply 4.0 V k=310") << 177.5 << 178LL;
        QTest::newRow("beyond the range") << 1e19 << std::numeric_limits<long long>::max();
        QTest::newRow("beyond the range, negative")
            << -1e300 << std::numeric_limits<long long>::min();
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity()
                                  << std::numeric_limits<long long>::max();
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0LL;
    }
    void roundsHalfToEven() {
        QFETCH(double, value);
        QFETCH(long long, rounded);
        QCOMPARE(roundHalfEven(value), rounded);
    }

    void readsTheLeadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("whole");
        QTest::newRow("plain") << "868.3" << 868.3 << true;
        QTest::newRow("unit behind") << "12abc" << 12.0 << false;
        QTest::newRow("letters only") << "Pmax" << 0.0 << false;
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("leading blanks") << "  -3 dB" << -3.0 << false;
        QTest::newRow("comma is no separator") << "2,5" << 2.0 << false;
        QTest::newRow("point first") << ".5" << 0.5 << true;
        QTest::newRow("exponent") << "1e3" << 1000.0 << true;
        QTest::newRow("dangling exponent") << "7e" << 7.0 << false;
        QTest::newRow("lone point") << "." << 0.0 << false;
    }
    void readsTheLeadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, whole);
        QCOMPARE(leadingNumber(text), value);
        QCOMPARE(isWholeNumber(text), whole);
    }

    void writesHexadecimalAndNumbers() {
        QCOMPARE(hexText(0), QStringLiteral("0"));
        QCOMPARE(hexText(0xA640), QStringLiteral("A640"));
        QCOMPARE(hexText(0x0A, 2), QStringLiteral("0A"));
        QCOMPARE(signedNumberText(2.5), QStringLiteral(" 2.5"));
        QCOMPARE(signedNumberText(-3.0), QStringLiteral("-3"));
        QCOMPARE(signedNumberText(0.5), QStringLiteral(" .5"));
        QCOMPARE(signedNumberText(2.4f), QStringLiteral(" 2.4"));
        QCOMPARE(plainNumberText(3.0), QStringLiteral("3"));
    }

    void computesTheSupplyCode_data() {
        QTest::addColumn<double>("volts");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("line");
        QTest::newRow("2.5 V board 1.x") << 2.5 << 311 << "V83\r";
        QTest::newRow("2.5 V board 2.x") << 2.5 << 309 << "V83\r";
        QTest::newRow("3.3 V") << 3.3 << 309 << "VA1\r";
        QTest::newRow("5.0 V") << 5.0 << 309 << "VC1\r";
        QTest::newRow("4.0 V console ties to even") << 4.0 << 310 << "VB2\r";
    }
    void computesTheSupplyCode() {
        QFETCH(double, volts);
        QFETCH(int, k);
        QFETCH(QString, line);
        QCOMPARE(supplyLine(volts, k), line);
    }

    void refusesVoltagesThatGiveNoCode() {
        for (double volts : {0.0, -2.5, 0.5})
            QVERIFY_THROWS_EXCEPTION(Error, supplyLine(volts, 309));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
