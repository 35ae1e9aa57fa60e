#include "common/numbers.h"
#include "panels/common/sleepsetting.h"
#include "panels/transceiver/trxfrequency.h"
#include "panels/transceiver/trxwords.h"

#include <QTest>

using namespace krv::trx;

namespace {

int wholeField(const QString& typed, int low, int high) {
    return krv::sleep::wholeField(krv::leadingNumber(typed), low, high);
}

} // namespace

class TrxWords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void crystal_data();
    void crystal();
    void centreFrequency_data();
    void centreFrequency();
    void crystalScaledLists();
    void words_data();
    void words();
    void buildersMaskEveryField();
    void pllCommand();
    void wakeUp_data();
    void wakeUp();
    void dutyCycle_data();
    void dutyCycle();
    void threshold_data();
    void threshold();
    void dataRate_data();
    void dataRate();
    void pattern_data();
    void pattern();
    void listFields();
};

void TrxWords::crystal_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("message");
    QTest::newRow("7.5") << "7.5"
                         << "8" << 0.8f << "Minimum crystal frequency reached!";
    QTest::newRow("12.5") << "12.5"
                          << "12" << 1.2f << "Maximum crystal frequency reached!";
    QTest::newRow("8") << "8"
                       << "8" << 0.8f << "";
    QTest::newRow("12") << "12"
                        << "12" << 1.2f << "";
    QTest::newRow("6 decimals") << "10.1234567"
                                << "10.123457" << 1.0123457f << "";
    QTest::newRow("trailing zero") << "9.50"
                                   << "9.5" << 0.95f << "";
    QTest::newRow("letters") << "abc"
                             << "8" << 0.8f << "Minimum crystal frequency reached!";
}

void TrxWords::crystal() {
    QFETCH(QString, typed);
    const Crystal c = crystalFromText(typed);
    QTEST(c.text, "text");
    QTEST(c.factor, "factor");
    QTEST(c.message, "message");
}

void TrxWords::centreFrequency_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("band");
    QTest::addColumn<float>("xtal");
    QTest::addColumn<int>("F");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("434 at 433") << "434" << 1 << 1.0f << 1600 << "434"
                                << "";
    QTest::newRow("300 at 315") << "300" << 0 << 1.0f << 96 << "310.24"
                                << "Minimum frequency reached!";
    QTest::newRow("above 915") << "950" << 3 << 1.0f << 3903 << "929.2725"
                               << "Maximum frequency reached!";
    QTest::newRow("no digits") << "MHz" << 2 << 1.0f << 96 << "860.48"
                               << "Minimum frequency reached!";
    QTest::newRow("huge") << QString(40, u'9') << 1 << 1.0f << 3903 << "439.7575"
                          << "Maximum frequency reached!";
    QTest::newRow("start") << "315" << 0 << 1.0f << 2000 << "315"
                           << "";
    QTest::newRow("11 MHz crystal") << "434" << 2 << 1.1f << 96 << "946.528"
                                    << "Minimum frequency reached!";
    QTest::newRow("in 11 MHz band") << "950" << 2 << 1.1f << 727 << "949.9985"
                                    << "";
}

void TrxWords::centreFrequency() {
    QFETCH(QString, typed);
    QFETCH(int, band);
    QFETCH(float, xtal);
    const Band b = krv::trx::band(band);
    const krv::freq::FrequencyField f =
        krv::freq::frequencyField(krv::leadingNumber(typed), b.formula(), xtal);
    QTEST(f.F, "F");
    QTEST(centreFrequencyText(f.F, b, xtal), "text");
    QTEST(f.message, "message");
}

void TrxWords::crystalScaledLists() {
    QCOMPARE(clockOutputEntries(1.0f),
             QStringList({"1", "1.25", "1.66", "2", "2.5", "3.33", "5", "10"}));
    QCOMPARE(clockOutputEntries(1.1f),
             QStringList({"1.1", "1.375", "1.826", "2.2", "2.75", "3.663", "5.5", "11"}));
    QCOMPARE(deviationEntries(1.0f).first(), "15");
    QCOMPARE(deviationEntries(1.0f).last(), "240");
    QCOMPARE(deviationEntries(1.2f).mid(0, 2), QStringList({"18", "36"}));
    QCOMPARE(deviationEntries(1.2f).last(), "288");
    QCOMPARE(basebandBandwidthEntries(1.0f),
             QStringList({"67", "135", "200", "270", "340", "400"}));
    QCOMPARE(basebandBandwidthEntries(1.10592f),
             QStringList({"74.0966", "149.2992", "221.184", "298.5984", "376.0128", "442.368"}));
    QCOMPARE(frequencyStepText(0, 1.0f), "2.5");
    QCOMPARE(frequencyStepText(3, 1.0f), "7.5");
    QCOMPARE(frequencyStepText(1, 1.1f), "2.75");
    QCOMPARE(frequencyStepText(2, 1.1f), "5.5");
    QCOMPARE(frequencyStepText(3, 1.1f), "8.25");
    QCOMPARE(loadCapacitanceEntries().size(), 16);
    QCOMPARE(loadCapacitanceEntries().at(8), "12.5 pF");
    QCOMPARE(loadCapacitanceEntries().last(), "16.0 pF");
}

void TrxWords::words_data() {
    QTest::addColumn<int>("word");
    QTest::addColumn<int>("expected");
    QTest::newRow("freq 1600") << frequencyWord(1600) << 0xA640;
    QTest::newRow("ctrl start") << configurationWord(0, 0, 0, 8) << 0x8008;
    QTest::newRow("ctrl latch") << configurationWord(1, 0, 0, 8) << 0x8088;
    QTest::newRow("ctrl latch fifo") << configurationWord(1, 1, 0, 8) << 0x80C8;
    QTest::newRow("ctrl 915 16pF") << configurationWord(0, 0, 3, 15) << 0x803F;
    QTest::newRow("power none") << powerWord({}) << 0x8200;
    QTest::newRow("power all") << powerWord({1, 1, 1, 1, 1, 1, 1, 1}) << 0x82FF;
    QTest::newRow("power dc") << powerWord({0, 0, 0, 0, 0, 0, 0, 1}) << 0x8201;
    QTest::newRow("tx max") << transmitterWord(1, 7, 7) << 0x9977;
    QTest::newRow("tx start") << transmitterWord(0, 0, 0) << 0x9800;
    QTest::newRow("wake 150 1") << krv::sleep::wakeUp(false, 150, 1, 0, 1.0f).word << 0xE196;
    QTest::newRow("wake max") << krv::sleep::wakeUp(false, 255, 29, 0, 1.0f).word << 0xFDFF;
    QTest::newRow("duty 7 on") << krv::sleep::dutyCycle(DutyCycleBase, 7, 1, 150).word << 0xC80F;
    QTest::newRow("duty start") << krv::sleep::dutyCycle(DutyCycleBase, 7, 0, 150).word << 0xC80E;
    QTest::newRow("lbd 31") << lowBatteryWord(0, 31) << 0xC01F;
    QTest::newRow("rec start") << receiverWord(0, 0, 4, 0, 0) << 0x9080;
    QTest::newRow("rec vdi") << receiverWord(1, 0, 4, 0, 0) << 0x9480;
    QTest::newRow("rec -14dB") << receiverWord(0, 0, 4, 2, 0) << 0x9090;
    QTest::newRow("afc start") << afcWord(3, 3, 0, 1, 1, 1) << 0xC4F7;
    QTest::newRow("rate start") << dataRateWord(0, 35) << 0xC623;
    QTest::newRow("rate presc") << dataRateWord(1, 35) << 0xC6A3;
    QTest::newRow("rate max") << dataRateWord(0, 127) << 0xC67F;
    QTest::newRow("filter start") << dataFilterWord(0, 0, 1, 1, 4) << 0xC22C;
    QTest::newRow("filter auto") << dataFilterWord(1, 0, 1, 1, 4) << 0xC2AC;
    QTest::newRow("filter fast") << dataFilterWord(0, 1, 1, 1, 4) << 0xC26C;
    QTest::newRow("filter analog") << dataFilterWord(0, 0, 1, 3, 4) << 0xC23C;
    QTest::newRow("fifo start") << fifoWord(8, 0, 0, 0, 0) << 0xCA80;
    QTest::newRow("fifo full") << fifoWord(15, 0, 1, 1, 1) << 0xCAF7;
    QTest::newRow("fifo one byte") << fifoWord(8, 1, 0, 0, 0) << 0xCA88;
}

void TrxWords::words() {
    QFETCH(int, word);
    QFETCH(int, expected);
    QCOMPARE(word, expected);
}

void TrxWords::buildersMaskEveryField() {
    // Out-of-range fields (a list without a selection gives -1) stay inside their bits.
    QCOMPARE(configurationWord(-1, 2, -1, -1) & 0xFF00, 0x8000);
    QCOMPARE(transmitterWord(-1, -1, -1) & 0xFE08, 0x9800);
    QCOMPARE(krv::sleep::wakeUp(false, 300, -1, 0, 1.0f).word & 0xE000, 0xE000);
    QCOMPARE(krv::sleep::dutyCycle(DutyCycleBase, -1, -1, 0).word & 0xFF00, 0xC800);
    QCOMPARE(lowBatteryWord(-1, -1) & 0xFF00, 0xC000);
    QCOMPARE(receiverWord(-1, -1, -1, -1, -1) & 0xF800, 0x9000);
    QCOMPARE(afcWord(-1, -1, -1, -1, -1, -1) & 0xFF00, 0xC400);
    QCOMPARE(dataFilterWord(-1, -1, -1, -1, -1) & 0xFF00, 0xC200);
    QCOMPARE(dataRateWord(-1, -1) & 0xFF00, 0xC600);
    QCOMPARE(fifoWord(-1, -1, -1, -1, -1) & 0xFF00, 0xCA00);
    QCOMPARE(frequencyWord(-1) & 0xF000, 0xA000);
    QCOMPARE(krv::trx::pllCommand(-1, -1, -1, -1, -1).left(2), "CC");
    QCOMPARE(krv::trx::pllCommand(-1, -1, -1, -1, -1).size(), 4);
}

void TrxWords::pllCommand() {
    QCOMPARE(krv::trx::pllCommand(96, 0, 0, 1, 1), "CC67");
    QCOMPARE(krv::trx::pllCommand(0, 0, 0, 0, 0), "CC02");
    QCOMPARE(krv::trx::pllCommand(32, 1, 1, 0, 0), "CC3A");
    QVERIFY(isPllWordText("CC67"));
    QVERIFY(isPllWordText("cc6a"));
    QVERIFY(!isPllWordText("CC6"));
    QVERIFY(!isPllWordText("CC6G"));
}

void TrxWords::wakeUp_data() {
    QTest::addColumn<int>("R");
    QTest::addColumn<int>("M");
    QTest::addColumn<float>("xtal");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("unit");
    QTest::newRow("150 1") << 1 << 150 << 1.0f << "0.3"
                           << "sec";
    QTest::newRow("100 13") << 13 << 100 << 1.0f << "13.653"
                            << "min";
    QTest::newRow("255 29") << 29 << 255 << 1.0f << "1584.515"
                            << "days";
    QTest::newRow("zero") << 5 << 0 << 1.0f << "0"
                          << "sec";
    QTest::newRow("12 MHz") << 1 << 150 << 1.2f << "0.25"
                            << "sec";
    QTest::newRow("hours") << 20 << 100 << 1.0f << "29.127"
                           << "hrs";
}

void TrxWords::wakeUp() {
    QFETCH(int, R);
    QFETCH(int, M);
    QFETCH(float, xtal);
    const krv::sleep::WakeUpTime t = krv::sleep::wakeUpTime(M, R, 0, xtal, false);
    QTEST(t.text, "text");
    QTEST(t.unit, "unit");
}

void TrxWords::dutyCycle_data() {
    QTest::addColumn<int>("D");
    QTest::addColumn<double>("m");
    QTest::addColumn<QString>("text");
    QTest::newRow("7 150") << 7 << 150.0 << "10";
    QTest::newRow("0 3") << 0 << 3.0 << "33.333";
    QTest::newRow("127 100") << 127 << 100.0 << "100";
    QTest::newRow("m 0") << 7 << 0.0 << "100";
}

void TrxWords::dutyCycle() {
    QFETCH(int, D);
    QFETCH(double, m);
    QTEST(krv::sleep::dutyCycleText(D, m), "text");
}

void TrxWords::threshold_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("field");
    QTest::newRow("3.14") << "3.14" << 9;
    QTest::newRow("1.5") << "1.5" << -7;
    QTest::newRow("7") << "7" << 31;
    QTest::newRow("unit") << "2.5 V" << 3;
    QTest::newRow("empty") << "" << -22;
}

void TrxWords::threshold() {
    QFETCH(QString, typed);
    QTEST(krv::sleep::thresholdField(typed, ThresholdOffset), "field");
    QCOMPARE(krv::sleep::thresholdText(0, ThresholdOffset), "2.2");
    QCOMPARE(krv::sleep::thresholdText(31, ThresholdOffset), "5.3");
    QCOMPARE(krv::sleep::thresholdText(9, ThresholdOffset), "3.1");
}

void TrxWords::dataRate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("divider");
    QTest::addColumn<bool>("presc");
    QTest::addColumn<QString>("rate");
    QTest::newRow("35") << "35" << 35 << false << "9.579";
    QTest::newRow("35 presc") << "35" << 35 << true << "1.197";
    QTest::newRow("0") << "0" << 0 << false << "344.828";
    QTest::newRow("0 presc") << "0" << 0 << true << "43.103";
    QTest::newRow("200") << "200" << 127 << false << "2.694";
    QTest::newRow("-3") << "-3" << 0 << false << "344.828";
    QTest::newRow("12.5") << "12.5" << 12 << false << "26.525";
    QTest::newRow("13.5") << "13.5" << 14 << false << "22.989";
    QTest::newRow("ten digits") << "9999999999" << 127 << false << "2.694";
}

void TrxWords::dataRate() {
    QFETCH(QString, typed);
    QFETCH(int, divider);
    QFETCH(bool, presc);
    QCOMPARE(wholeField(typed, 0, 127), divider);
    QTEST(dataRateText(divider, presc, 1.0f), "rate");
}

void TrxWords::pattern_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QString>("left");
    QTest::newRow("a5") << "a5"
                        << "A5"
                        << "A5";
    QTest::newRow("letter") << "x"
                            << "D4"
                            << "D4";
    QTest::newRow("0A keeps its zero") << "0A"
                                       << "0A"
                                       << "0A";
    QTest::newRow("A") << "A"
                       << "A"
                       << "0A";
    QTest::newRow("1G") << "1G"
                        << "1"
                        << "01";
    QTest::newRow("0") << "0"
                       << "0"
                       << "00";
    QTest::newRow("00") << "00"
                        << "00"
                        << "00";
    QTest::newRow("0G") << "0G"
                        << "D4"
                        << "D4";
    QTest::newRow("empty") << ""
                           << ""
                           << "00";
}

void TrxWords::pattern() {
    QFETCH(QString, typed);
    QFETCH(QString, changed);
    QCOMPARE(normalizedPattern(typed), changed);
    QTEST(paddedPattern(changed), "left");
}

void TrxWords::listFields() {
    QCOMPARE(outputPowerField("Pmax"), 0);
    QCOMPARE(outputPowerField("-21 dB"), 7);
    QCOMPARE(outputPowerField("-9 dB"), 3);
    QCOMPARE(riseFallField("3.3 MHz"), 32);
    QCOMPARE(riseFallField("2.5 MHz or below"), 96);
    QCOMPARE(riseFallField("7 MHz"), -1);
    QCOMPARE(filterTypeField("Analog LPF"), 3);
    QCOMPARE(filterTypeField("Digital LPF"), 1);
    QCOMPARE(filterTypeField("other"), -1);
    QCOMPARE(lists::rssi(6).last(), "-73 dBm");
    QCOMPARE(wholeField("40", 0, 29), 29);
    QCOMPARE(wholeField("-5", 0, 255), 0);
    QCOMPARE(wholeField("12abc", 0, 255), 12);
}

QTEST_APPLESS_MAIN(TrxWords)
#include "tst_trxwords.moc"
