#include "panels/common/patternbyte.h"
#include "panels/common/sleepsetting.h"
#include "panels/common/statusword.h"
#include "panels/receiver/frequencyblock.h"
#include "panels/receiver/receiverwords.h"
#include "panels/receiver/sleepwords.h"

#include <QTest>

using namespace krv::receiver;

class ReceiverWordsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void configurationWord_data() {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("eb");
        QTest::addColumn<int>("et");
        QTest::addColumn<int>("ex");
        QTest::addColumn<int>("cap");
        QTest::addColumn<int>("bw");
        QTest::addColumn<int>("dc");
        QTest::addColumn<int>("word");
        QTest::newRow("HR651 433 all clear") << 1 << 0 << 0 << 0 << 8 << 5 << 0 << 0x888A;
        QTest::newRow("xtal on") << 1 << 0 << 0 << 1 << 8 << 5 << 0 << 0x898A;
        QTest::newRow("all on, clock off") << 1 << 1 << 1 << 1 << 8 << 5 << 1 << 0x8F8B;
        QTest::newRow("HR658 868") << 2 << 0 << 0 << 0 << 8 << 5 << 0 << 0x908A;
        QTest::newRow("oversized fields are masked")
            << 7 << 3 << 2 << 5 << 0x1F << 9 << 2 << 0x9DF2;
    }
    void configurationWord() {
        QFETCH(int, band);
        QFETCH(int, eb);
        QFETCH(int, et);
        QFETCH(int, ex);
        QFETCH(int, cap);
        QFETCH(int, bw);
        QFETCH(int, dc);
        QFETCH(int, word);
        QCOMPARE(configWord({band, eb, et, ex, cap, bw, dc}), word);
    }

    void basebandList() {
        QCOMPARE(basebandEntries(Chip::HR651, 1.1f),
                 (QStringList{"73.7", "148.5", "220", "297", "374", "440"}));
        QCOMPARE(basebandEntries(Chip::HR658, 1.0f),
                 (QStringList{"134", "200", "270", "340", "400"}));
        QCOMPARE(basebandField(Chip::HR651, 0), 6);
        QCOMPARE(basebandField(Chip::HR651, 5), 1);
        QCOMPARE(basebandField(Chip::HR658, 0), 5);
        QCOMPARE(basebandField(Chip::HR651, basebandDefault(Chip::HR651)), 5);
    }

    void centreFrequency_data() {
        QTest::addColumn<int>("chip");
        QTest::addColumn<int>("band");
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("field");
        QTest::addColumn<double>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("434 at 433") << 0 << 1 << 434.0 << 1600 << 434.0 << "";
        QTest::newRow("HR658 868.3") << 1 << 2 << 868.3 << 3415 << 868.3 << "";
        QTest::newRow("below the band")
            << 0 << 0 << 300.0 << 96 << 310.24 << "Minimum frequency reached!";
        QTest::newRow("above the band")
            << 0 << 3 << 2000.0 << 3903 << 929.2725 << "Maximum frequency reached!";
        QTest::newRow("absurdly large")
            << 1 << 3 << 1e300 << 3903 << 958.06 << "Maximum frequency reached!";
    }
    void centreFrequency() {
        QFETCH(int, chip);
        QFETCH(int, band);
        QFETCH(double, typed);
        QFETCH(int, field);
        QFETCH(double, shown);
        QFETCH(QString, message);
        const Chip c = chip ? Chip::HR658 : Chip::HR651;
        const Band b = bandFor(c, band);
        const krv::freq::FrequencyField f = krv::freq::frequencyField(typed, formulaOf(c, b), 1.0f);
        QCOMPARE(f.F, field);
        QCOMPARE(f.message, message);
        QCOMPARE(krv::receiver::centreFrequency(c, b, f.F, 1.0f), shown);
    }

    void bandChangeKeepsTheField() {
        QCOMPARE(krv::receiver::centreFrequency(Chip::HR658, bandFor(Chip::HR658, 3), 3415, 1.0f),
                 948.3);
        QCOMPARE(frequencyWord(1600), 0xA640);
    }

    void crystal_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("factor");
        QTest::addColumn<QString>("message");
        QTest::newRow("low") << "7.5"
                             << "8" << 0.8f << "Minimum crystal frequency reached!";
        QTest::newRow("high") << "12.5"
                              << "12" << 1.2f << "Maximum crystal frequency reached!";
        QTest::newRow("edge 8") << "8"
                                << "8" << 0.8f << "";
        QTest::newRow("rounded") << "10.1234567"
                                 << "10.123457" << 1.0123457f << "";
        QTest::newRow("letters") << "abc"
                                 << "8" << 0.8f << "Minimum crystal frequency reached!";
    }
    void crystal() {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(float, factor);
        QFETCH(QString, message);
        const Crystal c = crystalFromText(typed);
        QCOMPARE(c.text, text);
        QCOMPARE(c.factor, factor);
        QCOMPARE(c.message, message);
    }

    void crystalScaledLists() {
        QCOMPARE(clockOutputEntries(1.1f),
                 (QStringList{"1.1", "1.375", "1.826", "2.2", "2.75", "3.663", "5.5", "11"}));
        QCOMPARE(frequencyStep(Chip::HR651, 2, 1.1f), 5.5);
        QCOMPARE(frequencyStep(Chip::HR658, 3, 1.0f), 20.0);
        QCOMPARE(xtalFrequencyHz(1.1f), 11000000);
    }

    void wakeUpTimer_data() {
        QTest::addColumn<int>("chip");
        QTest::addColumn<double>("m");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("d");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("extended");
        QTest::newRow("150/1") << 0 << 150.0 << 1.0 << 0.0 << "0.3"
                               << "sec" << 0xE196 << "";
        QTest::newRow("100/13") << 0 << 100.0 << 13.0 << 0.0 << "13.653"
                                << "min" << 0xED64 << "";
        QTest::newRow("max") << 0 << 255.0 << 29.0 << 0.0 << "1584.515"
                             << "days" << 0xFDFF << "";
        QTest::newRow("clamped") << 0 << -5.0 << 40.0 << 0.0 << "0"
                                 << "sec" << 0xFD00 << "";
        QTest::newRow("14 bit max") << 1 << 16383.0 << 15.0 << 0.0 << "6.213"
                                    << "days" << 0xEFFF << "C33F";
        QTest::newRow("divider") << 1 << 1000.0 << 5.0 << 2.0 << "8"
                                 << "sec" << 0xE5E8 << "C383";
        QTest::newRow("negative power") << 1 << 1.0 << 0.0 << 3.0 << "0.125"
                                        << "ms" << 0xE001 << "C3C0";
        QTest::newRow("999 ms") << 1 << 999.0 << 0.0 << 0.0 << "999"
                                << "ms" << 0xE0E7 << "C303";
        QTest::newRow("1000 ms") << 1 << 1000.0 << 0.0 << 0.0 << "1"
                                 << "sec" << 0xE0E8 << "C303";
        QTest::newRow("307.2 s") << 1 << 300.0 << 10.0 << 0.0 << "307.2"
                                 << "sec" << 0xEA2C << "C301";
        QTest::newRow("HR658 clamps") << 1 << 20000.0 << 99.0 << 7.0 << "18.64"
                                      << "hrs" << 0xEFFF << "C3FF";
    }
    void wakeUpTimer() {
        QFETCH(int, chip);
        QFETCH(double, m);
        QFETCH(double, r);
        QFETCH(double, d);
        QFETCH(QString, time);
        QFETCH(QString, unit);
        QFETCH(int, word);
        QFETCH(QString, extended);
        const krv::sleep::WakeUp w = krv::sleep::wakeUp(chip != 0, m, r, d, 1.0f);
        QCOMPARE(w.time, time);
        QCOMPARE(w.unit, unit);
        QCOMPARE(w.word, word);
        QCOMPARE(w.extendedWord, extended);
    }

    void crystalChangesOnlyTheShownPeriod() {
        const krv::sleep::WakeUp w = krv::sleep::wakeUp(false, 150, 1, 0, 1.2f);
        QCOMPARE(w.time, QStringLiteral("0.25"));
        QCOMPARE(w.word, 0xE196);
    }

    void dutyCycle_data() {
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("enable");
        QTest::addColumn<double>("m");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("word");
        QTest::newRow("7 of 150") << 7.0 << 0 << 150.0 << "10" << 0xCC0E;
        QTest::newRow("0 of 3") << 0.0 << 0 << 3.0 << "33.333" << 0xCC00;
        QTest::newRow("127 of 100") << 127.0 << 0 << 100.0 << "100" << 0xCCFE;
        QTest::newRow("enabled") << 7.0 << 1 << 150.0 << "10" << 0xCC0F;
        QTest::newRow("M zero") << 7.0 << 0 << 0.0 << "100" << 0xCC0E;
        QTest::newRow("clamped") << 500.0 << 0 << 16383.0 << "1.556" << 0xCCFE;
    }
    void dutyCycle() {
        QFETCH(double, typed);
        QFETCH(int, enable);
        QFETCH(double, m);
        QFETCH(QString, percent);
        QFETCH(int, word);
        const krv::sleep::DutyCycle d = krv::sleep::dutyCycle(DutyCycleBase, typed, enable, m);
        QCOMPARE(d.percent, percent);
        QCOMPARE(d.word, word);
    }

    void lowBattery_data() {
        QTest::addColumn<int>("chip");
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("divider");
        QTest::addColumn<int>("clock32k");
        QTest::addColumn<QString>("volts");
        QTest::addColumn<int>("word");
        QTest::newRow("HR651 clamp") << 0 << 40.0 << 0 << 0 << "5.3" << 0xC21F;
        QTest::newRow("HR651 divider") << 0 << 0.0 << 7 << 0 << "2.2" << 0xC2E0;
        QTest::newRow("HR658 clamp") << 1 << 40.0 << 0 << 0 << "3.5" << 0xC20F;
        QTest::newRow("HR658 32 kHz") << 1 << 15.0 << 0 << 1 << "3.5" << 0xC21F;
        QTest::newRow("HR658 start") << 1 << 3.0 << 0 << 1 << "2.3" << 0xC213;
    }
    void lowBattery() {
        QFETCH(int, chip);
        QFETCH(double, typed);
        QFETCH(int, divider);
        QFETCH(int, clock32k);
        QFETCH(QString, volts);
        QFETCH(int, word);
        const LowBattery l =
            krv::receiver::lowBattery(chip ? Chip::HR658 : Chip::HR651, typed, divider, clock32k);
        QCOMPARE(l.volts, volts);
        QCOMPARE(l.word, word);
    }

    void thresholdVoltage() {
        QCOMPARE(krv::sleep::thresholdField("3.14", thresholdOffset(Chip::HR651)), 9);
        QCOMPARE(krv::sleep::clampedThresholdText("7"), QStringLiteral("5.3"));
        QCOMPARE(krv::sleep::thresholdField("7", thresholdOffset(Chip::HR651)), 31);
        QCOMPARE(krv::sleep::thresholdField("2.5", thresholdOffset(Chip::HR658)), 5);
        QCOMPARE(krv::sleep::clampedThresholdText("-1"), QStringLiteral("0"));
    }

    void receiverAndAfcWords() {
        QCOMPARE(receiverWord(3, 0, 0, 1), 0xC0C1);
        QCOMPARE(receiverWord(2, 0, 0, 0), 0xC080);
        QCOMPARE(receiverWord(2, *lnaField(Chip::HR651, "-14 dB"), 0, 0), 0xC090);
        QCOMPARE(receiverWord(0, *lnaField(Chip::HR658, "-12 dB"), 0, 0), 0xC020);
        QCOMPARE(vdiField("DQD and DRSSI"), vdiField("Always"));
        const AfcFields afc{3, 3, 0, 1, 1, 1};
        QCOMPARE(afcWord(afc, 1), 0xC6F7);
        QCOMPARE(afcWord(afc, 0), 0xC667);
        QCOMPARE(afcWord({2, 0, 0, 1, 1, 1}, 1), 0xC687);
        QCOMPARE(afcWord({7, 7, 3, 3, 3, 3}, 0), 0xC66F);
    }

    void dataRate_data() {
        QTest::addColumn<double>("typed");
        QTest::addColumn<bool>("prescaler");
        QTest::addColumn<int>("rev");
        QTest::addColumn<QString>("kbps");
        QTest::addColumn<int>("word");
        QTest::newRow("35") << 35.0 << false << 1 << "9.579" << 0xC823;
        QTest::newRow("35 prescaled") << 35.0 << true << 1 << "1.197" << 0xC8A3;
        QTest::newRow("200 at F") << 200.0 << false << 1 << "2.694" << 0xC87F;
        QTest::newRow("200 at E") << 200.0 << false << 0 << "1.716" << 0xC8C8;
        QTest::newRow("prescaler cannot spill at E") << 200.0 << true << 0 << "1.716" << 0xC8C8;
        QTest::newRow("half to even down") << 12.5 << false << 1 << "26.525" << 0xC80C;
        QTest::newRow("half to even up") << 13.5 << false << 1 << "22.989" << 0xC80E;
        QTest::newRow("negative") << -3.0 << false << 1 << "344.828" << 0xC800;
    }
    void dataRate() {
        QFETCH(double, typed);
        QFETCH(bool, prescaler);
        QFETCH(int, rev);
        QFETCH(QString, kbps);
        QFETCH(int, word);
        const DataRate r = krv::receiver::dataRate(typed, prescaler, rev, 1.0f);
        QCOMPARE(r.kbps, kbps);
        QCOMPARE(r.word, word);
    }

    void dataFilterWord() {
        QCOMPARE(krv::receiver::dataFilterWord(Chip::HR651, clockRecovery("Slow"), 1, 1, 0, 4),
                 0xC42C);
        QCOMPARE(krv::receiver::dataFilterWord(Chip::HR658, clockRecovery("Fast"), 1, 0, 0, 2),
                 0xC462);
        QCOMPARE(krv::receiver::dataFilterWord(Chip::HR658, clockRecovery("Fast"), 1, 1, 1, 2),
                 0xC47A);
        QCOMPARE(krv::receiver::dataFilterWord(Chip::HR651, clockRecovery("x"), 0,
                                               *filterTypeField(Chip::HR651, "Analog LPF"), 1, 0),
                 0xC418);
        QCOMPARE(clockRecovery("Auto").autoBit, 1);
    }

    void fifoAndExtendedFeatures() {
        QCOMPARE(fifoWord(8, 1, 0, 1), 0xCE85);
        QCOMPARE(fifoWord(8, *fifoStartField(Chip::HR651, "VDI & Synchron pattern"), 0, 1), 0xCE89);
        QCOMPARE(fifoWord(40, 1, 1, 1), 0xCE87);
        QCOMPARE(fifoWord(63, 1, 1, 1), 0xCEF7);
        QCOMPARE(fifoWord(16, 1, 1, 1), 0xCE07);
        QCOMPARE(fifoHighLevelBits(40), 2);
        QCOMPARE(fifoHighLevelBits(63), 3);
        QCOMPARE(fifoStartField(Chip::HR658, "Always"), 3);
        QCOMPARE(fifoStartField(Chip::HR658, "VDI & Synchron pattern"), std::nullopt);
        QCOMPARE(extendedFeaturesWord({1, 1, 0, 0, pllBandwidthField("60 kHz"), 2}),
                 QStringLiteral("B0CA"));
        QCOMPARE(extendedFeaturesWord({0, 0, 0, 0, pllBandwidthField("anything"), 0}),
                 QStringLiteral("B00C"));
    }

    void synchronPattern_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("left");
        QTest::newRow("lower case") << "a5"
                                    << "A5"
                                    << "A5";
        QTest::newRow("not hex") << "x"
                                 << "D4"
                                 << "D4";
        QTest::newRow("leading zero kept") << "0A"
                                           << "0A"
                                           << "0A";
        QTest::newRow("one digit stays two") << "1G"
                                             << "1"
                                             << "01";
        QTest::newRow("double zero") << "00"
                                     << "00"
                                     << "00";
        QTest::newRow("empty") << ""
                               << ""
                               << "00";
    }
    void synchronPattern() {
        QFETCH(QString, typed);
        QFETCH(QString, changed);
        QFETCH(QString, left);
        QCOMPARE(krv::normalizedPattern(typed), changed);
        QCOMPARE(krv::paddedPattern(krv::normalizedPattern(typed)), left);
    }

    void afcOffsetSteps() {
        // Six bits in two's complement; bits 7 and 6 of the status byte never count.
        QCOMPARE(krv::afcOffsetSteps(0x20, 6), -32);
        QCOMPARE(krv::afcOffsetSteps(0x1F, 6), 31);
        QCOMPARE(krv::afcOffsetSteps(0x3F, 6), -1);
        QCOMPARE(krv::afcOffsetSteps(0xDF, 6), 31);
    }
};

QTEST_GUILESS_MAIN(ReceiverWordsTest)
#include "tst_receiverwords.moc"
