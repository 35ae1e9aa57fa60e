#include "common/dialogs.h"
#include "common/supply.h"
#include "panels/receiver/druskv1.h"
#include "panels/receiver/ovalt.h"
#include "receiverpaneltest.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace krv;
using krv::test::everyWord;
using krv::test::leave;

class ReceiverPanelFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filesRoundTrip_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("ext");
        QTest::newRow("rc") << "DruskV1"
                            << "rc";
        QTest::newRow("rc2") << "Ovalt"
                             << "rc2";
    }
    void filesRoundTrip() {
        QFETCH(QString, form);
        QFETCH(QString, ext);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ReceiverPanel*>(rig.main().form(form));
        panel->NonStdCrystal->setChecked(true);
        leave(panel->Crystalfreq, "11");
        panel->Band915->setChecked(true);
        panel->BasebandBW->setCurrentIndex(3);
        panel->LNAgain->setCurrentIndex(2);
        panel->AFCres->setCurrentIndex(1);
        panel->ClkRecMode->setCurrentText("Auto");
        leave(panel->DATARATEDIV, "77");
        panel->ITLEVEL->setValue(5);
        panel->ent->setCheckState(Qt::Unchecked);
        const QStringList saved = everyWord(panel);
        const QString path = rig.folder() + "/a." + ext;
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        QVERIFY(QFile::exists(path));

        test::Rig other;
        QVERIFY(other.connectBoard());
        auto* fresh = qobject_cast<ReceiverPanel*>(other.main().form(form));
        other.board().clearReceived();
        other.dialogs().files << path;
        fresh->ConfLoad_Click();
        QCOMPARE(everyWord(fresh), saved);
        QCOMPARE(fresh->Crystalfreq->text(), QStringLiteral("11"));
        QVERIFY(!fresh->LabelUpdate->isHidden());
        QCOMPARE(other.board().receivedLines(), QStringList{"V83"});
        QVERIFY(other.messageTexts().isEmpty());
    }

    void startStateFileBytes_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("rc") << "DruskV1"
                            << QStringList{"\"# KRV Receiver configuration file. Version 2.0.0\"",
                                           "1234",
                                           "#TRUE#",
                                           "#FALSE#",
                                           "\"10\"",
                                           "#FALSE#",
                                           "#TRUE#",
                                           "#FALSE#",
                                           "#FALSE#",
                                           "0",
                                           "0",
                                           "1",
                                           "\"10.0 pF\"",
                                           "1",
                                           "0",
                                           "\"435\"",
                                           "1",
                                           "\"Always\"",
                                           "\"max.\"",
                                           "\"-103 dBm\"",
                                           "\"150\"",
                                           "\"1\"",
                                           "\"150\"",
                                           "\"7\"",
                                           "0",
                                           "\"0\"",
                                           "\"Auto, keep Foffset\"",
                                           "\"+3/-4 Fs\"",
                                           "0",
                                           "1",
                                           "1",
                                           "1",
                                           "\"35\"",
                                           "0",
                                           "\"Slow\"",
                                           "\"Digital LPF\"",
                                           "1",
                                           "8",
                                           "\"Synchron pattern\"",
                                           "0",
                                           "1",
                                           "\"3.3\"",
                                           "\"'F' or above\""};
        QTest::newRow("rc2") << "Ovalt"
                             << QStringList{"\"# KRV HR658 configuration file. Version 2.2.2\"",
                                            "1234",
                                            "#TRUE#",
                                            "#FALSE#",
                                            "\"10\"",
                                            "#FALSE#",
                                            "#FALSE#",
                                            "#TRUE#",
                                            "#FALSE#",
                                            "1",
                                            "0",
                                            "1",
                                            "\"12.5 pF\"",
                                            "0",
                                            "0",
                                            "\"868.3\"",
                                            "0",
                                            "\"Clock Recovery locked\"",
                                            "\"max.\"",
                                            "\"-103 dBm\"",
                                            "\"150\"",
                                            "\"1\"",
                                            "\"0\"",
                                            "\"150\"",
                                            "\"7\"",
                                            "0",
                                            "1",
                                            "0",
                                            "\"3\"",
                                            "\"Auto, drop Foffset\"",
                                            "\"Unlimited\"",
                                            "0",
                                            "1",
                                            "1",
                                            "1",
                                            "\"19\"",
                                            "0",
                                            "\"Fast\"",
                                            "\"Digital LPF\"",
                                            "\"2\"",
                                            "0",
                                            "1",
                                            "40",
                                            "\"Synchron pattern\"",
                                            "1",
                                            "1",
                                            "\"3.3\"",
                                            "1",
                                            "0",
                                            "0",
                                            "#TRUE#",
                                            "#FALSE#",
                                            "\"60 kHz\"",
                                            "\"D4\"",
                                            "\"'A' or above\""};
    }
    // The start state written item by item in the file's order and encodings.
    void startStateFileBytes() {
        QFETCH(QString, form);
        QFETCH(QStringList, lines);
        test::Rig rig;
        rig.start();
        rig.main().Pref_RxLinkTimeout = 1234;
        rig.main().Pref_Voltage = "3.3";
        auto* panel = qobject_cast<ReceiverPanel*>(rig.main().form(form));
        const QString path = rig.folder() + (form == "Ovalt" ? QStringLiteral("/start.rc2")
                                                             : QStringLiteral("/start.rc"));
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        QCOMPARE(rig.messageTexts(), QStringList{});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), (lines.join("\r\n") + "\r\n").toLatin1());
    }

    void otherRevisionFileKeepsItsChoices() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        panel->Revision->setCurrentText("'E' or below");
        panel->VDI->setCurrentText("DQD and DRSSI");
        panel->FILTTYPE->setCurrentText("Analog LPF");
        const QStringList saved = everyWord(panel);
        const QString path = rig.folder() + "/e.rc";
        rig.dialogs().files << path;
        panel->ConfSave_Click();

        test::Rig other;
        other.start();
        auto* fresh = other.main().form<DruskV1>("DruskV1");
        other.dialogs().files << path;
        fresh->ConfLoad_Click();
        QCOMPARE(fresh->Rev, 0L);
        QCOMPARE(fresh->VDI->currentText(), QStringLiteral("DQD and DRSSI"));
        QCOMPARE(fresh->FILTTYPE->currentText(), QStringLiteral("Analog LPF"));
        QCOMPARE(everyWord(fresh), saved);
    }

    void olderRevisionFileWithPrescalerKeepsADataRateWord_data() {
        QTest::addColumn<QString>("panelRevision");
        QTest::addColumn<bool>("panelPrescaler");
        QTest::addColumn<QByteArray>("filePrescaler");
        QTest::newRow("into 'E'") << "'E' or below" << false << QByteArray("1");
        QTest::newRow("into 'F'") << "'F' or above" << false << QByteArray("1");
        QTest::newRow("into 'F' with its prescaler") << "'F' or above" << true << QByteArray("0");
    }
    // Under the older revision the divider takes all eight bits, so a prescaler a file brings
    // along is cleared rather than spilling into the command bits.
    void olderRevisionFileWithPrescalerKeepsADataRateWord() {
        QFETCH(QString, panelRevision);
        QFETCH(bool, panelPrescaler);
        QFETCH(QByteArray, filePrescaler);
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        panel->Revision->setCurrentText("'E' or below");
        const QString path = rig.folder() + "/presc.rc";
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(bytes.contains("\"35\"\r\n0\r\n"));
        bytes.replace("\"35\"\r\n0\r\n", "\"200\"\r\n" + filePrescaler + "\r\n");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        panel->Revision->setCurrentText(panelRevision);
        panel->dataratepresc->setChecked(panelPrescaler);
        rig.dialogs().files << path;
        panel->ConfLoad_Click();
        QCOMPARE(panel->Rev, 0L);
        QVERIFY(!panel->dataratepresc->isChecked());
        QCOMPARE(panel->DATARATEDIV->text(), QStringLiteral("200"));
        QCOMPARE(panel->Dataratew->text(), QStringLiteral("C8C8"));
    }

    void loadedDqdParameterIsClamped() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        const QString path = rig.folder() + "/dqd.rc2";
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(bytes.contains("\"Digital LPF\"\r\n\"2\"\r\n"));
        bytes.replace("\"Digital LPF\"\r\n\"2\"\r\n", "\"Digital LPF\"\r\n\"9\"\r\n");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        rig.dialogs().files << path;
        panel->ConfLoad_Click();
        QCOMPARE(panel->StatefiltNr->text(), QStringLiteral("7"));
        QCOMPARE(panel->STATEFILT->value(), 7);
        QCOMPARE(panel->Datafiltw->text(), QStringLiteral("C467"));
    }

    void listTextsThatAreNoEntriesLeaveTheirListsAsTheyWere_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("HR651 VDI") << "DruskV1" << 18 << "VDI" << QByteArray("Bogus");
        QTest::newRow("HR651 Cxtal") << "DruskV1" << 13 << "Cxtal" << QByteArray("99 pF");
        QTest::newRow("HR651 Revision")
            << "DruskV1" << 43 << "Revision" << QByteArray("'G' or above");
        QTest::newRow("HR658 VDI") << "Ovalt" << 18 << "VDI" << QByteArray("Bogus");
        QTest::newRow("HR658 LNAgain") << "Ovalt" << 19 << "LNAgain" << QByteArray("-14 dB");
        QTest::newRow("HR658 CB_PLLBW") << "Ovalt" << 53 << "CB_PLLBW" << QByteArray("Bogus");
    }
    void listTextsThatAreNoEntriesLeaveTheirListsAsTheyWere() {
        QFETCH(QString, form);
        QFETCH(int, line);
        QFETCH(QString, list);
        QFETCH(QByteArray, text);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ReceiverPanel*>(rig.main().form(form));
        auto* box = panel->findChild<QComboBox*>(list);
        QVERIFY(box);
        const QString ext = form == "Ovalt" ? "rc2" : "rc";
        const QString twin = rig.folder() + "/twin." + ext;
        rig.dialogs().files << twin;
        panel->ConfSave_Click();
        QFile file(twin);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        QCOMPARE(lines[line - 1], '"' + box->currentText().toLatin1() + "\"\r");
        lines[line - 1] = '"' + text + "\"\r";
        const QString odd = rig.folder() + "/odd." + ext;
        QFile oddFile(odd);
        QVERIFY(oddFile.open(QIODevice::WriteOnly));
        oddFile.write(lines.join('\n'));
        oddFile.close();

        const QString shown = box->currentText();
        leave(panel->DATARATEDIV, "77");
        rig.dialogs().files << odd;
        panel->ConfLoad_Click();
        QCOMPARE(rig.messageTexts(), QStringList());
        QCOMPARE(box->currentText(), shown);
        QVERIFY(panel->DATARATEDIV->text() != QStringLiteral("77"));
        const QStringList loaded = everyWord(panel);
        rig.dialogs().files << twin;
        panel->ConfLoad_Click();
        QCOMPARE(everyWord(panel), loaded);
    }

    void badFilesChangeNothing_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        const QString refused = "Error occured:380,Invalid property value\r\nPlease try again!";
        QTest::newRow("banner") << "DruskV1" << QByteArray("Version 2.0.0")
                                << QByteArray("Version 2.0.1")
                                << "Error occured:1226,Incorrect configuration file version\r\n"
                                   "Please try again!";
        QTest::newRow("voltage") << "DruskV1" << QByteArray("\"2.5\"") << QByteArray("\"0\"")
                                 << refused;
        QTest::newRow("short") << "DruskV1" << QByteArray("\"'F' or above\"\r\n") << QByteArray()
                               << "Error occured:62,Input past end of file\r\nPlease try again!";
        QTest::newRow("pattern longer than its box")
            << "Ovalt" << QByteArray("\"D4\"") << QByteArray("\"D4A\"") << refused;
        QTest::newRow("divider longer than its box") << "Ovalt" << QByteArray("\"0\"\r\n\"150\"")
                                                     << QByteArray("\"12\"\r\n\"150\"") << refused;
    }
    void badFilesChangeNothing() {
        QFETCH(QString, form);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = qobject_cast<ReceiverPanel*>(rig.main().form(form));
        const QString path = rig.folder() + (form == "Ovalt" ? "/b.rc2" : "/b.rc");
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(bytes.contains(from));
        bytes.replace("\"10\"", "\"11\"").replace(from, to);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        panel->NonStdCrystal->setChecked(true);
        panel->StdCrystal->setChecked(true);
        const QStringList before = everyWord(panel);
        rig.board().clearReceived();
        rig.dialogs().files << path;
        panel->ConfLoad_Click();
        QCOMPARE(rig.messageTexts().constLast(), message);
        QCOMPARE(everyWord(panel), before);
        QCOMPARE(panel->Crystalfreq->text(), QStringLiteral("10"));
        QVERIFY(rig.board().receivedLines().isEmpty());
        QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("2.5"));
    }

    void wrongExtensionRefused() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        rig.dialogs().files << rig.folder() + "/x.rc";
        panel->ConfLoad_Click();
        QCOMPARE(rig.messageTexts(), QStringList{"File type not supported! Please try again!"});
    }

    void closedPortLoadKeepsTheFileButRefusesTheSupply() {
        test::Rig rig;
        rig.start();
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        leave(panel->DATARATEDIV, "77");
        const QStringList saved = everyWord(panel);
        const QString path = rig.folder() + "/closed.rc2";
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        leave(panel->DATARATEDIV, "19");
        rig.dialogs().files << path;
        panel->ConfLoad_Click();
        QCOMPARE(everyWord(panel), saved);
        QCOMPARE(rig.messageTexts(), QStringList{"Commport not available, please open commport. "
                                                 "Power control settings were not updated."});
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Communication fault."));
    }

    void automaticLoadKeepsTheFilePowerBits() {
        QString path;
        {
            test::Rig rig;
            rig.start();
            auto* panel = rig.main().form<Ovalt>("Ovalt");
            panel->ent->setCheckState(Qt::Unchecked);
            panel->enx->setCheckState(Qt::Unchecked);
            path = QDir::tempPath() + "/krv_autoload_" +
                   QString::number(QCoreApplication::applicationPid()) + ".rc2";
            rig.dialogs().files << path;
            panel->ConfSave_Click();
        }
        test::Rig rig;
        rig.start();
        rig.main().Pref_CCautoLoad = 1;
        rig.dialogs().files << path;
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        QFile::remove(path);
        QCOMPARE(rig.dialogs().fileRequests.size(), 1);
        QVERIFY(!panel->ent->isChecked());
        QVERIFY(!panel->enx->isChecked());
        QCOMPARE(panel->Ctrlw->text(), QStringLiteral("908A"));
        QVERIFY(!panel->WKUPM->isEnabled());
    }

    void loadedSupplyVoltageIsClamped_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("message");
        QTest::newRow("above") << "7"
                               << "5.4"
                               << "Maximum supply voltage is 5.4 V!";
        QTest::newRow("below") << "1.5"
                               << "2"
                               << "Minimum supply voltage is 2.0 V!";
        QTest::newRow("inside") << "3.30"
                                << "3.30"
                                << "";
    }
    void loadedSupplyVoltageIsClamped() {
        QFETCH(QString, stored);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        rig.main().Pref_Voltage = stored;
        const QString path = rig.folder() + "/v.rc";
        rig.dialogs().files << path << path;
        panel->ConfSave_Click();
        rig.main().Pref_Voltage = "2.5";
        rig.board().clearReceived();
        panel->ConfLoad_Click();
        QCOMPARE(rig.main().Pref_Voltage, kept);
        QCOMPARE(panel->Statusline->text(), message);
        QCOMPARE(rig.board().receivedLines(),
                 QStringList{supplyLine(kept.toDouble(), supplyk::Board2).chopped(1)});
        QVERIFY(rig.messageTexts().isEmpty());
    }

    void loadWaitsForRunningStatusRead() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<DruskV1>("DruskV1");
        const QString path = rig.folder() + "/afcoff.rc";
        panel->afcen->setChecked(false);
        const QString afcOff = "S2" + panel->AFCw->text();
        rig.main().Pref_Voltage = "3.3";
        rig.dialogs().files << path;
        panel->ConfSave_Click();
        panel->afcen->setChecked(true);
        const QString afcOn = "S2" + panel->AFCw->text();
        rig.main().Pref_Voltage = "2.5";
        panel->Update_Click();

        rig.board().clearReceived();
        rig.board().setFault(sim::Fault::Paced, -1);
        panel->ReadStatus_Click();
        // Between the read's steps: AFC is switched off for the read and is to be switched on
        // again.
        QVERIFY(test::waitUntil([&] { return rig.main().CommState == 2; }));
        rig.dialogs().files << path;
        panel->ConfLoad_Click();
        QVERIFY(panel->StatusReadActive);
        const QString supply = supplyLine(3.3, supplyk::Board2).chopped(1);
        QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().contains(supply); }));
        QCOMPARE(rig.board().receivedLines(),
                 (QStringList{afcOff, "H2", "L2", "L0", "RS", "RS", "H2", afcOn, supply}));
        QVERIFY(!panel->afcen->isChecked());
        QCOMPARE("S2" + panel->AFCw->text(), afcOff);
        QCOMPARE(rig.main().Pref_Voltage, "3.3");
    }

    void loadedPatternByteGetsTwoDigits() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* panel = rig.main().form<Ovalt>("Ovalt");
        panel->TB_SP->setText("a");
        QCOMPARE(panel->TB_SP->text(), QStringLiteral("A"));
        const QString path = rig.folder() + "/p.rc2";
        rig.dialogs().files << path << path;
        panel->ConfSave_Click();
        panel->ConfLoad_Click();
        QCOMPARE(panel->TB_SP->text(), QStringLiteral("0A"));
        QCOMPARE(panel->SynchPatt->text(), QStringLiteral("C10A"));
        rig.board().clearReceived();
        panel->Update_Click();
        QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().size() >= 13; }));
        QVERIFY(rig.board().receivedLines().contains("S2C10A"));
    }
};

QTEST_MAIN(ReceiverPanelFilesTest)
#include "tst_receiverpanelfiles.moc"
