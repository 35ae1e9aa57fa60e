#include "panels/transmitter/ht539words.h"

#include <QTest>

using namespace krv::ht539;

class Ht539WordsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void configurationWord_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("power");
        QTest::addColumn<int>("capacitance");
        QTest::addColumn<int>("polarity");
        QTest::addColumn<int>("deviation");
        QTest::addColumn<int>("word");
        QTest::newRow("start: 868, Pmax, 12.5 pF, 60 kHz") << 2 << 0 << 8 << 0 << 2 << 0x9082;
        QTest::newRow("433, -21 dB, 10.0 pF, fo - df, 160 kHz") << 1 << 7 << 3 << 1 << 7 << 0x8F3F;
        QTest::newRow("oversized fields are masked") << 7 << 9 << 17 << 3 << 9 << 0x9919;
    }
    void configurationWord() {
        QFETCH(int, band);
        QFETCH(int, power);
        QFETCH(int, capacitance);
        QFETCH(int, polarity);
        QFETCH(int, deviation);
        QFETCH(int, word);
        QCOMPARE(krv::ht539::configurationWord({band, power, capacitance, polarity, deviation}),
                 word);
    }

    void smallWords() {
        QCOMPARE(powerWord(0x3F), 0xC03F);
        QCOMPARE(powerWord(0xFF), 0xC03F);
        QCOMPARE(lowBatteryWord(0, 1, 3), 0xC213);
        QCOMPARE(lowBatteryWord(7, 0, 15), 0xC2EF);
        QCOMPARE(lowBatteryWord(8, 2, 16), 0xC200);
        QCOMPARE(fifoWord(false, 0), 0xCE00);
        QCOMPARE(fifoWord(true, 63), 0xCEBF);
        QCOMPARE(fifoWord(false, 64), 0xCE00);
        QCOMPARE(dataRateWord(false, 19), 0xC813);
        QCOMPARE(dataRateWord(true, 127), 0xC8FF);
        QCOMPARE(extendedFeaturesWord({true, true, false, 2, true, false}), 0xB0CA);
        QCOMPARE(extendedFeaturesWord({true, true, true, 3, true, true}), 0xB0DF);
        QCOMPARE(extendedFeaturesWord({}), 0xB000);
        QCOMPARE(thresholdVolts(0), QStringLiteral("2"));
        QCOMPARE(thresholdVolts(15), QStringLiteral("3.5"));
    }

    void wakeUpPeriod_data() {
        QTest::addColumn<double>("m");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("d");
        QTest::addColumn<float>("xtal");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("extended");
        QTest::newRow("start") << 150.0 << 1.0 << 0.0 << 1.0f << "300"
                               << "ms" << 0xE196 << "C300";
        QTest::newRow("999 ms stays ms") << 999.0 << 0.0 << 0.0 << 1.0f << "999"
                                         << "ms" << 0xE0E7 << "C303";
        QTest::newRow("1000 ms is 1 sec") << 1000.0 << 0.0 << 0.0 << 1.0f << "1"
                                          << "sec" << 0xE0E8 << "C303";
        QTest::newRow("60 s is 1 min") << 7500.0 << 3.0 << 0.0 << 1.0f << "1"
                                       << "min" << 0xE34C << "C31D";
        QTest::newRow("divider") << 150.0 << 1.0 << 3.0 << 1.0f << "37.5"
                                 << "ms" << 0xE196 << "C3C0";
        QTest::newRow("clamped to days") << 20000.0 << 15.0 << 0.0 << 1.0f << "6.213"
                                         << "days" << 0xEFFF << "C33F";
        QTest::newRow("below zero") << -5.0 << -1.0 << -2.0 << 1.0f << "0"
                                    << "ms" << 0xE000 << "C300";
        QTest::newRow("12 MHz crystal") << 150.0 << 1.0 << 0.0 << 1.2f << "250"
                                        << "ms" << 0xE196 << "C300";
    }
    void wakeUpPeriod() {
        QFETCH(double, m);
        QFETCH(double, r);
        QFETCH(double, d);
        QFETCH(float, xtal);
        QFETCH(QString, time);
        QFETCH(QString, unit);
        QFETCH(int, word);
        QFETCH(QString, extended);
        const krv::sleep::WakeUp w = krv::ht539::wakeUp(m, r, d, xtal);
        QCOMPARE(w.time, time);
        QCOMPARE(w.unit, unit);
        QCOMPARE(w.word, word);
        QCOMPARE(w.extendedWord, extended);
    }

    void levelBoxes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("rewrite");
        QTest::addColumn<int>("field");
        QTest::newRow("in range") << "19" << 127 << "" << 19;
        QTest::newRow("too high") << "200" << 127 << "127" << 127;
        QTest::newRow("at the top") << "63" << 63 << "63" << 63;
        QTest::newRow("negative") << "-5" << 63 << "0" << 0;
        QTest::newRow("no number") << "abc" << 63 << "0" << 0;
        QTest::newRow("half rounds to even") << "2.5" << 63 << "" << 2;
    }
    void levelBoxes() {
        QFETCH(QString, typed);
        QFETCH(int, maximum);
        QFETCH(QString, rewrite);
        QFETCH(int, field);
        const LevelBox box = levelBox(typed, maximum);
        QCOMPARE(box.rewrite.value_or(QString()), rewrite);
        QCOMPARE(box.field, field);
    }

    void dataRate() {
        QCOMPARE(krv::ht539::dataRateText(1.0f, 19, false), QStringLiteral("17.241"));
        QCOMPARE(krv::ht539::dataRateText(1.0f, 0, false), QStringLiteral("344.828"));
        QCOMPARE(krv::ht539::dataRateText(1.0f, 127, true), QStringLiteral("0.337"));
        QCOMPARE(krv::ht539::dataRateText(1.2f, 19, false), QStringLiteral("20.69"));
    }

    void crystalScaledLists() {
        QCOMPARE(deviationEntries(1.0f),
                 (QStringList{"20", "40", "60", "80", "100", "120", "140", "160"}));
        QCOMPARE(deviationEntries(1.2f),
                 (QStringList{"24", "48", "72", "96", "120", "144", "168", "192"}));
    }
};

QTEST_GUILESS_MAIN(Ht539WordsTest)
#include "tst_ht539words.moc"
