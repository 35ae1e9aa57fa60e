#include "txtesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>

using namespace krv;
using test::enter;
using test::everyWord;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Saves the panel's configuration under the name the save dialog returns.
void save(test::Rig& rig, TransmitterPanel* panel, const QString& path) {
    rig.dialogs().files = {path};
    panel->ConfSave_Click();
}

void load(test::Rig& rig, TransmitterPanel* panel, const QString& path) {
    rig.dialogs().files = {path};
    panel->ConfLoad_Click();
}

// Every setting a .tc or .tc1 file holds, away from its start value.
void changeEverything(PowerSettingPanel* p) {
    p->NonStdCrystal->setChecked(true);
    enter(p->Crystalfreq, "11");
    p->WKUPM->setText("200");
    p->WKUPR->setText("5");
    p->WKUPM_LostFocus();
    p->Band868->setChecked(true);
    enter(p->FreqCenter, "960");
    p->CLKout->setCurrentIndex(3);
    p->Cxtal->setCurrentText("10.0 pF");
    p->ModPol->setCurrentText("fo - df");
    p->ModFreq->setCurrentIndex(5);
    p->Modulation->setCurrentText("OOK");
    p->OutputPower->setCurrentText("-6 dB");
    p->pm7->setChecked(true);
    p->pm3->setChecked(true);
    p->pm2->setChecked(true);
    p->pm1->setChecked(true);
    p->pm0->setChecked(true);
    enter(p->LBD, "7");
    if (auto* pelko = qobject_cast<PelkoV1*>(p)) {
        pelko->CB_dwc->setChecked(true);
        pelko->CB_ebs->setChecked(true);
        enter(pelko->DATARATEDIV, "17");
        pelko->CB_MaxDataRate->setCurrentIndex(0);
    }
}

const QByteArray defaultTc = "\"# KRV HT531 configuration file. Version 2.0.0\"\r\n"
                             "#TRUE#\r\n#FALSE#\r\n\"10\"\r\n\"0\"\r\n\"0\"\r\n\"315\"\r\n"
                             "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n0\r\n\"12.5 pF\"\r\n"
                             "\"fo + df\"\r\n0\r\n\"Pmax\"\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                             "0\r\n\"2.5\"\r\n\"FSK\"\r\n\"'D' or above\"\r\n\"0\"\r\n";

} // namespace

class TransmitterFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startStateIsSavedByteForByte() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        const QString path = rig.folder() + "/start";
        save(rig, panel, path);
        QCOMPARE(readAll(path + ".tc"), defaultTc);
        QCOMPARE(rig.dialogs().fileRequests.constLast().title,
                 QStringLiteral("Save Transmitter Configuration File"));
        QCOMPARE(rig.dialogs().fileRequests.constLast().fileName, QStringLiteral("*.tc"));
    }

    void savedFileLoadsBackEveryWord_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("lines");
        QTest::newRow("HT531") << "MivraV2" << 28;
        QTest::newRow("HT537") << "PelkoV1" << 31;
    }
    void savedFileLoadsBackEveryWord() {
        QFETCH(QString, form);
        QFETCH(int, lines);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PowerSettingPanel>(form);
        changeEverything(panel);
        if (auto* mivra = qobject_cast<MivraV2*>(panel)) {
            mivra->Revision->setCurrentText("'C' or below");
            mivra->OutputPower->setCurrentText("-9 dB");
        }
        rig.main().Pref_Voltage = "3.0";
        const QStringList words = everyWord(panel);
        const QString centre = panel->FreqCenter->text();
        const QString ext = form == "MivraV2" ? ".tc" : ".tc1";
        const QString path = rig.folder() + "/every" + ext;
        save(rig, panel, path);
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.count("\r\n"), lines);

        rig.main().unloadForm(form);
        rig.main().Pref_Voltage = "2.5";
        auto* fresh = rig.main().form<PowerSettingPanel>(form);
        fresh->Statusline->setText("earlier");
        rig.board().clearReceived();
        load(rig, fresh, path);
        QCOMPARE(everyWord(fresh), words);
        QCOMPARE(fresh->FreqCenter->text(), centre);
        QCOMPARE(fresh->GetXtalFrequency(), 11000000);
        QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("3.0"));
        QCOMPARE(fresh->Statusline->text(), QStringLiteral(" "));
        QCOMPARE(rig.board().receivedLines(), QStringList{"V98"});
        const QString again = rig.folder() + "/again" + ext;
        save(rig, fresh, again);
        QCOMPARE(readAll(again), bytes);
    }

    void powerLevelFollowsTheFilesRevision() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        panel->OutputPower->setCurrentText("-21 dB");
        const QString path = rig.folder() + "/d.tc";
        save(rig, panel, path);
        panel->Revision->setCurrentText("'C' or below");
        QCOMPARE(panel->OutputPower->count(), 4);
        load(rig, panel, path);
        QCOMPARE(panel->Revision->currentText(), QStringLiteral("'D' or above"));
        QCOMPARE(panel->OutputPower->currentText(), QStringLiteral("-21 dB"));
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("B7"));
    }

    void supplyLineAfterALoadByBoard_data() {
        QTest::addColumn<int>("personality");
        QTest::addColumn<QString>("volts");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        const int board1 = int(sim::Personality::Board1);
        const int board2 = int(sim::Personality::Board2);
        const QString none = QStringLiteral(" ");
        QTest::newRow("2.5 on 1.x") << board1 << "2.5" << QStringList{"V83"} << "2.5" << none;
        QTest::newRow("3.0 on 1.x") << board1 << "3.0" << QStringList{"V97"} << "3.0" << none;
        QTest::newRow("3.0 on 2.x") << board2 << "3.0" << QStringList{"V98"} << "3.0" << none;
        QTest::newRow("2.0 on 1.x") << board1 << "2.0" << QStringList{"V64"} << "2.0" << none;
        QTest::newRow("5.4 on 1.x") << board1 << "5.4" << QStringList{"VC5"} << "5.4" << none;
        QTest::newRow("clamped to 5.4") << board2 << "7" << QStringList{"VC6"} << "5.4"
                                        << "Maximum supply voltage is 5.4 V!";
        QTest::newRow("raised to 2.0") << board1 << "1" << QStringList{"V64"} << "2"
                                       << "Minimum supply voltage is 2.0 V!";
        QTest::newRow("loader") << int(sim::Personality::Loader) << "3.0" << QStringList{} << "3.0"
                                << none;
        QTest::newRow("packet monitor")
            << int(sim::Personality::Monitor) << "3.0" << QStringList{} << "3.0" << none;
    }
    void supplyLineAfterALoadByBoard() {
        QFETCH(int, personality);
        QFETCH(QString, volts);
        QFETCH(QStringList, lines);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        test::Rig rig(static_cast<sim::Personality>(personality));
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        const QString path = rig.folder() + "/v.tc1";
        rig.main().Pref_Voltage = volts;
        save(rig, panel, path);
        rig.main().Pref_Voltage = "2.5";
        rig.board().clearReceived();
        load(rig, panel, path);
        QCOMPARE(rig.board().receivedLines(), lines);
        QCOMPARE(rig.main().Pref_Voltage, kept);
        QCOMPARE(panel->Statusline->text(), message);
        QVERIFY(rig.messageTexts().isEmpty());
    }

    void loadWithThePortClosed() {
        test::Rig rig;
        rig.start();
        rig.main().form("frm_PowerSupply");
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        const QString path = rig.folder() + "/closed.tc";
        rig.main().Pref_Voltage = "3.3";
        save(rig, panel, path);
        rig.main().Pref_Voltage = "2.5";
        load(rig, panel, path);
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
        QCOMPARE(rig.messageTexts(),
                 QStringList{"Commport not available, please open commport. Power control "
                             "settings were not updated."});
        QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("3.3"));
        auto* supply = rig.main().loadedForm("frm_PowerSupply");
        QCOMPARE(supply->findChild<QLineEdit*>("Voltage")->text(), QStringLiteral("3.3"));
    }

    void badFilesChangeNothing_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("other type") << QByteArray("HT531") << QByteArray("HT537")
                                    << "Error occured:1226,Incorrect configuration file "
                                       "version\rPlease try again!";
        QTest::newRow("ends early")
            << QByteArray("\"'D' or above\"\r\n\"0\"\r\n") << QByteArray("\"'D' or above\"\r\n")
            << "Error occured:62,Input past end of file\rPlease try "
               "again!";
        QTest::newRow("voltage no number") << QByteArray("\"2.5\"") << QByteArray("\"abc\"")
                                           << "Error occured:13,Type mismatch\rPlease try again!";
        QTest::newRow("voltage zero")
            << QByteArray("\"2.5\"") << QByteArray("\"0\"")
            << "Error occured:380,Invalid property value\rPlease try again!";
        QTest::newRow("check box 3") << QByteArray("0\r\n\"2.5\"") << QByteArray("3\r\n\"2.5\"")
                                     << "Error occured:380,Invalid property value\rPlease try "
                                        "again!";
        QTest::newRow("list position")
            << QByteArray("\"fo + df\"\r\n0") << QByteArray("\"fo + df\"\r\n8")
            << "Error occured:380,Invalid property value\rPlease try "
               "again!";
        QTest::newRow("boolean as text")
            << QByteArray("#TRUE#\r\n#FALSE#\r\n\"10\"") << QByteArray("\"x\"\r\n#FALSE#\r\n\"10\"")
            << "Error occured:13,Type mismatch\rPlease try again!";
    }
    void badFilesChangeNothing() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        QByteArray bytes = defaultTc;
        QVERIFY(bytes.contains(from));
        bytes.replace(bytes.lastIndexOf(from), from.size(), to);
        bytes.replace("\"315\"", "\"435\"")
            .replace("#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n0",
                     "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n0");
        const QString path = rig.folder() + "/bad.tc";
        writeAll(path, bytes);
        const QStringList words = everyWord(panel);
        load(rig, panel, path);
        QCOMPARE(rig.messageTexts(), QStringList{message});
        QCOMPARE(rig.dialogs().messages.constLast().title, QStringLiteral("File open error"));
        QCOMPARE(everyWord(panel), words);
        QVERIFY(panel->Band315->isChecked());
        QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("2.5"));
    }

    // A list that the panel leaves without a selection is saved as -1 and loads back so.
    void listWithoutSelectionLoads() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        panel->Band915->setChecked(true);
        const QString path = rig.folder() + "/none.tc1";
        save(rig, panel, path);
        QByteArray bytes = readAll(path);
        QVERIFY(bytes.endsWith("\r\n"));
        bytes.truncate(bytes.lastIndexOf('\n', bytes.size() - 2) + 1);
        writeAll(path, bytes + "-1\r\n");
        panel->Band868->setChecked(true);
        panel->CB_MaxDataRate->setCurrentIndex(2);
        const QString word = panel->TB_PLLCmd->text();
        load(rig, panel, path);
        QCOMPARE(rig.messageTexts(), QStringList{});
        QVERIFY(panel->Band915->isChecked());
        QCOMPARE(panel->CB_MaxDataRate->currentIndex(), -1);
        QCOMPARE(panel->TB_PLLCmd->text(), word);
    }

    void listTextThatIsNoEntryLeavesItsField() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<MivraV2>("MivraV2");
        QByteArray bytes = defaultTc;
        bytes.replace("\"Pmax\"", "\"-4 dB\"").replace("\"FSK\"", "\"ASK\"");
        const QString path = rig.folder() + "/odd.tc";
        writeAll(path, bytes);
        panel->OutputPower->setCurrentText("-6 dB");
        panel->Modulation->setCurrentText("OOK");
        load(rig, panel, path);
        QCOMPARE(panel->OutputPower->currentText(), QStringLiteral("-6 dB"));
        QCOMPARE(panel->Modulation->currentText(), QStringLiteral("OOK"));
        QCOMPARE(panel->OutPowerw->text(), QStringLiteral("BA"));
    }

    void crystalTextCountsOnlyWithNonStandard() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        panel->NonStdCrystal->setChecked(true);
        enter(panel->Crystalfreq, "12");
        panel->StdCrystal->setChecked(true);
        const QString path = rig.folder() + "/std.tc1";
        save(rig, panel, path);
        panel->NonStdCrystal->setChecked(true);
        load(rig, panel, path);
        QCOMPARE(panel->GetXtalFrequency(), 10000000);
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("12"));
        QVERIFY(!panel->Crystalfreq->isEnabled());
    }

    void dialogsAndNames() {
        test::Rig rig;
        rig.start();
        auto* mivra = rig.main().form<MivraV2>("MivraV2");
        auto* pelko = rig.main().form<PelkoV1>("PelkoV1");
        const QString dir = rig.folder() + "/";
        // Cancel and the unchanged pattern change nothing.
        save(rig, mivra, QString());
        save(rig, mivra, dir + "*.tc");
        load(rig, mivra, dir + "*.tc");
        QCOMPARE(QDir(rig.folder()).entryList({"*.tc"}), QStringList{});
        // Another extension is refused on both sides.
        save(rig, mivra, dir + "x.txt");
        writeAll(dir + "y.txt", defaultTc);
        load(rig, mivra, dir + "y.txt");
        QCOMPARE(rig.messageTexts(), (QStringList{"File type not supported! Please try again!",
                                                  "File type not supported! Please try again!"}));
        QVERIFY(!QFile::exists(dir + "x.txt"));
        rig.dialogs().messages.clear();
        // A doubled extension is cut back; the corrected name that exists is asked about.
        save(rig, mivra, dir + "x.tc.tc");
        QVERIFY(QFile::exists(dir + "x.tc") && !QFile::exists(dir + "x.tc.tc"));
        rig.dialogs().answers = {Dialogs::Answer::No};
        rig.dialogs().files = {dir + "x.tc.tc", dir + "rxtc.tc"};
        mivra->ConfSave_Click();
        QCOMPARE(rig.messageTexts(),
                 QStringList{"File already exist:" + dir + "x.tc\rDo you want to replace it?"});
        QCOMPARE(rig.dialogs().messages.constLast().title, QStringLiteral("File save error"));
        QVERIFY(QFile::exists(dir + "rxtc.tc"));
        // The HT537 panel appends its extension unless the name ends with it exactly.
        save(rig, pelko, dir + "p.TC1");
        QVERIFY(QFile::exists(dir + "p.TC1.tc1"));
        QCOMPARE(rig.dialogs().fileRequests.constLast().title,
                 QStringLiteral("Save HT537 Configuration File"));
        load(rig, pelko, dir + "p.TC1.tc1");
        QCOMPARE(rig.dialogs().fileRequests.constLast().title,
                 QStringLiteral("Load HT537 Configuration File"));
        QCOMPARE(rig.dialogs().fileRequests.constLast().filter,
                 QStringLiteral("HT537 Configuration files (*.tc1);;All files (*.*)"));
    }

    void automaticLoadAtStart() {
        test::Rig rig;
        rig.start();
        const QString path = rig.folder() + "/auto.tc1";
        auto* panel = rig.main().form<PelkoV1>("PelkoV1");
        panel->Band915->setChecked(true);
        save(rig, panel, path);
        rig.main().unloadForm("PelkoV1");
        rig.main().Pref_CCautoLoad = 1;
        rig.dialogs().files = {path};
        panel = rig.main().form<PelkoV1>("PelkoV1");
        QVERIFY(panel->Band915->isChecked());
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("9880"));
        QCOMPARE(panel->Statusline->text(),
                 QStringLiteral("Update chip control words, and power management settings!"));
        // Cancelled, the panel keeps its own start values.
        rig.main().unloadForm("PelkoV1");
        panel = rig.main().form<PelkoV1>("PelkoV1");
        QCOMPARE(everyWord(panel),
                 (QStringList{"8880", "A7D0", "B0", "C000", "C200", "E000", "C800", "D200"}));
    }
};

QTEST_MAIN(TransmitterFilesTest)
#include "tst_txfiles.moc"
