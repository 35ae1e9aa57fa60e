#include "common/error.h"
#include "panels/transceiver/trxconfigfile.h"

#include <QTest>

using namespace krv;
using namespace krv::trx;

namespace {

// The items the sample sets; every other item is written at its start value.
ConfigValues sample(Chip chip) {
    ConfigValues c;
    c.flags["StdCrystal"] = false;
    c.flags["NonStdCrystal"] = true;
    c.texts["Crystalfreq"] = "11";
    c.flags["Band868"] = true;
    c.numbers["EnTXLatch"] = 1;
    c.texts["Cxtal"] = "16.0 pF";
    c.numbers["chb_er"] = 1;
    c.numbers["chb_ex"] = 1;
    c.numbers["chb_dc"] = 2;
    c.texts["FreqCenter"] = "868.3";
    c.flags["Pin8IsVDI"] = true;
    c.texts["VDI"] = "Slow";
    c.texts["LNAgain"] = "-6 dB";
    c.texts["DRSSI"] = "-97 dBm";
    c.numbers["BasebandBW"] = 5;
    c.texts["ModPol"] = "fo - df";
    c.numbers["ModFreq"] = 15;
    c.texts["OutputPower"] = "-21 dB";
    c.texts["WKUPM"] = "100";
    c.texts["WKUPR"] = "13";
    c.numbers["enlowdc"] = 1;
    c.texts["DUTY"] = "7";
    c.numbers["CLKout"] = -1;
    c.texts["LBD"] = "31";
    c.numbers["afcen"] = 1;
    c.texts["AFCauto"] = "Manual";
    c.texts["AFCres"] = "Unlimited";
    c.texts["DATARATEDIV"] = "12";
    c.texts["ClkRecMode"] = "Auto";
    c.texts["FILTTYPE"] = "Analog LPF";
    c.numbers["DFILTbit5"] = 1;
    c.numbers["STATEFILT"] = 7;
    c.numbers["ffillen"] = 1;
    c.texts["FIFOstrt"] = "Always";
    c.numbers["ITLEVEL"] = 15;
    c.texts["Pref_Voltage"] = "3.3";
    if (chip == Chip::HC916) {
        c.numbers["CB_LPX"] = 1;
        c.texts["CB_RFT"] = "3.3 MHz";
        c.texts["CB_PLLBW"] = "Max. 86.2 kbps";
        c.texts["TB_SP"] = "0A";
    }
    return c;
}

QByteArray writeConfig(const ConfigValues& values, Chip chip) {
    return writeConfigItems(fileType(chip), values);
}

ConfigValues readConfig(const QByteArray& bytes, Chip chip) {
    return readConfigFile(fileType(chip), bytes);
}

QByteArray replaceLine(QByteArray bytes, int line, const QByteArray& text) {
    QList<QByteArray> lines = bytes.split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

} // namespace

class TrxConfigFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hc913Layout();
    void roundTrip_data();
    void roundTrip();
    void refused_data();
    void refused();
    void patternByteLongerThanItsBox();
};

void TrxConfigFile::hc913Layout() {
    const QByteArray bytes = writeConfig(sample(Chip::HC913), Chip::HC913);
    const QList<QByteArray> lines = bytes.split('\n');
    QCOMPARE(lines.size() - 1, 52);
    QCOMPARE(lines.at(0), "\"# KRV Transceiver configuration file. Version 2.0.0\"\r");
    QCOMPARE(lines.at(1), "#FALSE#\r");
    QCOMPARE(lines.at(3), "\"11\"\r");
    QCOMPARE(lines.at(18), "2\r");       // chb_dc greyed
    QCOMPARE(lines.at(25), "5\r");       // BasebandBW by index
    QCOMPARE(lines.at(29), "\"100\"\r"); // WKUPM follows OutputPower on the HC913
    QCOMPARE(lines.at(33), "-1\r");      // CLKout without a selection
    QCOMPARE(lines.at(51), "\"3.3\"\r"); // supply voltage last
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> hc916 = writeConfig(sample(Chip::HC916), Chip::HC916).split('\n');
    QCOMPARE(hc916.size() - 1, 58);
    QCOMPARE(hc916.at(0), "\"# KRV HC916 Transceiver configuration file. Version 2.0.0\"\r");
    QCOMPARE(hc916.at(32), "\"3.3 MHz\"\r");
    QCOMPARE(hc916.at(56), "\"0A\"\r");
}

void TrxConfigFile::roundTrip_data() {
    QTest::addColumn<int>("chip");
    QTest::newRow("HC913") << int(Chip::HC913);
    QTest::newRow("HC916") << int(Chip::HC916);
}

void TrxConfigFile::roundTrip() {
    QFETCH(int, chip);
    const Chip c = Chip(chip);
    const QByteArray bytes = writeConfig(sample(c), c);
    const ConfigValues back = readConfig(bytes, c);
    QCOMPARE(writeConfig(back, c), bytes);
    QCOMPARE(back.text("Crystalfreq"), "11");
    QCOMPARE(back.number("chb_dc"), 2LL);
    QCOMPARE(back.number("CLKout"), -1LL);
    QCOMPARE(back.text("Pref_Voltage"), "3.3");
    // LF-only line ends read the same.
    QByteArray lf = bytes;
    lf.replace("\r\n", "\n");
    QCOMPARE(writeConfig(readConfig(lf, c), c), bytes);
}

void TrxConfigFile::refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    const QByteArray good = writeConfig(sample(Chip::HC913), Chip::HC913);
    QTest::newRow("other banner") << writeConfig(sample(Chip::HC916), Chip::HC916) << 1226
                                  << "Incorrect configuration file version";
    QTest::newRow("banner case") << replaceLine(
                                        good, 1,
                                        "\"# krv Transceiver configuration file. Version 2.0.0\"")
                                 << 1226 << "Incorrect configuration file version";
    QTest::newRow("empty") << QByteArray() << 62 << "Input past end of file";
    QTest::newRow("ends early") << good.left(good.indexOf("\"Slow\"")) << 62
                                << "Input past end of file";
    QTest::newRow("no voltage") << good.left(good.lastIndexOf("\"3.3\"")) << 62
                                << "Input past end of file";
    QTest::newRow("boolean is text") << replaceLine(good, 2, "\"x\"") << 13 << "Type mismatch";
    QTest::newRow("check box is text") << replaceLine(good, 9, "\"1\"") << 13 << "Type mismatch";
    QTest::newRow("check box 3") << replaceLine(good, 9, "3") << 380 << "Invalid property value";
    QTest::newRow("check box 0.5") << replaceLine(good, 9, "0.5") << 13 << "Type mismatch";
    QTest::newRow("index 6") << replaceLine(good, 26, "6") << 380 << "Invalid property value";
    QTest::newRow("index -2") << replaceLine(good, 28, "-2") << 380 << "Invalid property value";
    QTest::newRow("DQD 8") << replaceLine(good, 47, "8") << 380 << "Invalid property value";
    QTest::newRow("IT level 16") << replaceLine(good, 51, "16") << 380 << "Invalid property value";
    QTest::newRow("text is number") << replaceLine(good, 4, "11") << 13 << "Type mismatch";
    QTest::newRow("voltage text") << replaceLine(good, 52, "\"abc\"") << 13 << "Type mismatch";
    QTest::newRow("voltage empty") << replaceLine(good, 52, "\"\"") << 13 << "Type mismatch";
    QTest::newRow("voltage comma") << replaceLine(good, 52, "\"2,5\"") << 13 << "Type mismatch";
    QTest::newRow("voltage zero") << replaceLine(good, 52, "\"0\"") << 380
                                  << "Invalid property value";
    QTest::newRow("voltage negative")
        << replaceLine(good, 52, "\"-3\"") << 380 << "Invalid property value";
}

void TrxConfigFile::refused() {
    QFETCH(QByteArray, bytes);
    try {
        readConfig(bytes, Chip::HC913);
        QFAIL("the file was accepted");
    } catch (const krv::Error& e) {
        QTEST(e.number, "number");
        QTEST(e.description, "description");
    }
}

void TrxConfigFile::patternByteLongerThanItsBox() {
    const QByteArray good = writeConfig(sample(Chip::HC916), Chip::HC916);
    try {
        readConfig(replaceLine(good, 57, "\"D4A\""), Chip::HC916);
        QFAIL("the file was accepted");
    } catch (const krv::Error& e) {
        QCOMPARE(e.number, 380);
    }
    QCOMPARE(readConfig(replaceLine(good, 57, "\"A\""), Chip::HC916).text("TB_SP"), "A");
}

QTEST_APPLESS_MAIN(TrxConfigFile)
#include "tst_trxconfigfile.moc"
