#include "app/powersupply.h"
#include "common/supply.h"
#include "panels/transceiver/transceiverpanel.h"
#include "testsupport.h"
#include "trxtesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace krv;
using krv::test::leave;
using krv::test::words;

namespace {

// Closes the panel window and lets its deletion happen, so that the next touch loads it anew.
void unload(test::Rig& rig, const QString& form) {
    rig.main().unloadForm(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TrxPanelFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startStateFile_data();
    void startStateFile();
    void crystalTextCountsOnlyWithNonStandard_data();
    void crystalTextCountsOnlyWithNonStandard();
    void automaticLoadAtStart_data();
    void automaticLoadAtStart();
    void loadedVoltageReachesOpenSupplyWindow_data();
    void loadedVoltageReachesOpenSupplyWindow();
    void failedSaveIsReported();
    void loadedPatternByteKeepsTwoDigits();
    void loadWaitsForRunningStatusRead();
    void loadedGreyBoxClicksBetweenTwoStates_data();
    void loadedGreyBoxClicksBetweenTwoStates();
    void loadedVoltageIsClamped();
    void fileValuesOutsideTheLists();
    void otherExtensionRefused();
    void configurationRoundTrip_data();
    void configurationRoundTrip();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void commaSeparatedItemsLoadLikeOneItemALine();
};

void TrxPanelFiles::startStateFile_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("HC913") << "YambleV3"
                           << QByteArray(
                                  "\"# KRV Transceiver configuration file. Version 2.0.0\"\r\n"
                                  "#TRUE#\r\n"
                                  "#FALSE#\r\n"
                                  "\"10\"\r\n"
                                  "#TRUE#\r\n"
                                  "#FALSE#\r\n"
                                  "#FALSE#\r\n"
                                  "#FALSE#\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "\"12.5 pF\"\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "1\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "\"315\"\r\n"
                                  "#TRUE#\r\n"
                                  "#FALSE#\r\n"
                                  "\"Fast\"\r\n"
                                  "\"max.\"\r\n"
                                  "\"-103 dBm\"\r\n"
                                  "2\r\n"
                                  "\"fo + df\"\r\n"
                                  "0\r\n"
                                  "\"Pmax\"\r\n"
                                  "\"150\"\r\n"
                                  "\"1\"\r\n"
                                  "0\r\n"
                                  "\"7\"\r\n"
                                  "0\r\n"
                                  "\"0\"\r\n"
                                  "1\r\n"
                                  "1\r\n"
                                  "\"Auto, keep Foffset\"\r\n"
                                  "\"+3/-4 Fres\"\r\n"
                                  "0\r\n"
                                  "1\r\n"
                                  "\"35\"\r\n"
                                  "0\r\n"
                                  "\"Slow\"\r\n"
                                  "\"Digital LPF\"\r\n"
                                  "1\r\n"
                                  "4\r\n"
                                  "0\r\n"
                                  "0\r\n"
                                  "\"Synchron pattern\"\r\n"
                                  "8\r\n"
                                  "\"2.5\"\r\n");
    QTest::newRow("HC916")
        << "FRM_Zenth"
        << QByteArray("\"# KRV HC916 Transceiver configuration file. Version 2.0.0\"\r\n"
                      "#TRUE#\r\n"
                      "#FALSE#\r\n"
                      "\"10\"\r\n"
                      "#FALSE#\r\n"
                      "#TRUE#\r\n"
                      "#FALSE#\r\n"
                      "#FALSE#\r\n"
                      "0\r\n"
                      "0\r\n"
                      "\"12.5 pF\"\r\n"
                      "0\r\n"
                      "0\r\n"
                      "0\r\n"
                      "0\r\n"
                      "1\r\n"
                      "0\r\n"
                      "0\r\n"
                      "0\r\n"
                      "\"435\"\r\n"
                      "#TRUE#\r\n"
                      "#FALSE#\r\n"
                      "\"Fast\"\r\n"
                      "\"max.\"\r\n"
                      "\"-103 dBm\"\r\n"
                      "2\r\n"
                      "\"fo + df\"\r\n"
                      "0\r\n"
                      "\"Pmax\"\r\n"
                      "0\r\n"
                      "0\r\n"
                      "1\r\n"
                      "\"2.5 MHz or below\"\r\n"
                      "\"Max. 256 kbps\"\r\n"
                      "\"150\"\r\n"
                      "\"1\"\r\n"
                      "0\r\n"
                      "\"7\"\r\n"
                      "0\r\n"
                      "\"0\"\r\n"
                      "1\r\n"
                      "1\r\n"
                      "\"Auto, keep Foffset\"\r\n"
                      "\"+3/-4 Fres\"\r\n"
                      "0\r\n"
                      "1\r\n"
                      "\"35\"\r\n"
                      "0\r\n"
                      "\"Slow\"\r\n"
                      "\"Digital LPF\"\r\n"
                      "1\r\n"
                      "4\r\n"
                      "0\r\n"
                      "0\r\n"
                      "\"Synchron pattern\"\r\n"
                      "8\r\n"
                      "\"D4\"\r\n"
                      "\"2.5\"\r\n");
}

void TrxPanelFiles::startStateFile() {
    QFETCH(QString, form);
    test::Rig rig;
    rig.start();
    auto* p = qobject_cast<TransceiverPanel*>(rig.main().form(form));
    const QString path = rig.folder() + QStringLiteral("/start");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    QFile f(path +
            (p->chip() == trx::Chip::HC913 ? QStringLiteral(".trc") : QStringLiteral(".lrc")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QTEST(f.readAll(), "bytes");
}

void TrxPanelFiles::crystalTextCountsOnlyWithNonStandard_data() {
    QTest::addColumn<bool>("nonStandard");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("deviation");
    QTest::newRow("standard crystal selected") << false << "2.5"
                                               << "15";
    QTest::newRow("non standard selected") << true << "2.75"
                                           << "16.5";
}

void TrxPanelFiles::crystalTextCountsOnlyWithNonStandard() {
    QFETCH(bool, nonStandard);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    p->NonStdCrystal->setChecked(true);
    leave(p->Crystalfreq, QStringLiteral("11"));
    // Back to the standard crystal: the typed 11 MHz stays in the disabled box and is saved.
    if (!nonStandard)
        p->StdCrystal->setChecked(true);
    const QString path = rig.folder() + QStringLiteral("/crystal.trc");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    unload(rig, QStringLiteral("YambleV3"));

    auto* fresh = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    rig.dialogs().files << path;
    fresh->ConfLoad_Click();
    QVERIFY(rig.messageTexts().isEmpty());
    QCOMPARE(fresh->NonStdCrystal->isChecked(), nonStandard);
    QCOMPARE(fresh->Crystalfreq->text(), "11");
    QCOMPARE(fresh->Crystalfreq->isEnabled(), nonStandard);
    QTEST(fresh->FreqStep->text(), "step");
    QTEST(fresh->ModFreq->itemText(0), "deviation");
    // Choosing the typed crystal makes the kept text the crystal again.
    fresh->NonStdCrystal->setChecked(true);
    QCOMPARE(fresh->FreqStep->text(), "2.75");
}

void TrxPanelFiles::automaticLoadAtStart_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("file chosen") << false;
    QTest::newRow("dialog cancelled") << true;
}

void TrxPanelFiles::automaticLoadAtStart() {
    QFETCH(bool, cancel);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    const QString startFifo = p->FIFOw->text();
    p->Band868->setChecked(true);
    p->ITLEVEL->setValue(12);
    const QString path = rig.folder() + QStringLiteral("/start.lrc");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    unload(rig, QStringLiteral("FRM_Zenth"));

    rig.main().Pref_CCautoLoad = 1;
    rig.dialogs().files << (cancel ? QString() : path);
    const qsizetype requests = rig.dialogs().fileRequests.size();
    rig.board().clearReceived();
    auto* fresh = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    QCOMPARE(rig.dialogs().fileRequests.size(), requests + 1);
    QCOMPARE(rig.dialogs().fileRequests.last().title, "Load Transceiver Configuration File");
    QVERIFY(rig.messageTexts().isEmpty());
    if (cancel) {
        QVERIFY(fresh->Band433->isChecked());
        QCOMPARE(fresh->Ctrlw->text(), "8018");
        QCOMPARE(fresh->FIFOw->text(), startFifo);
        QVERIFY(rig.board().receivedLines().isEmpty());
    } else {
        QVERIFY(fresh->Band868->isChecked());
        QCOMPARE(fresh->Ctrlw->text(), "8028");
        QCOMPARE(fresh->FIFOw->text(), "CAC0");
        // The file's supply voltage is the only thing the load sends.
        QCOMPARE(rig.board().receivedLines(), QStringList{"V83"});
    }
    // Showing the loaded panel again does not offer the load once more.
    rig.main().showForm(fresh);
    rig.main().hideForm(fresh);
    rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    QCOMPARE(rig.dialogs().fileRequests.size(), requests + 1);
}

void TrxPanelFiles::loadedVoltageReachesOpenSupplyWindow_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("line");
    QTest::newRow("inside the range") << "3.3"
                                      << "3.3"
                                      << "VA1";
    QTest::newRow("clamped") << "1.5"
                             << "2"
                             << "V64";
}

void TrxPanelFiles::loadedVoltageReachesOpenSupplyWindow() {
    QFETCH(QString, stored);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    rig.main().Pref_Voltage = stored;
    const QString path = rig.folder() + QStringLiteral("/supply.trc");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    rig.main().Pref_Voltage = QStringLiteral("2.5");

    auto* supply = rig.main().form<frm_PowerSupply>(QStringLiteral("frm_PowerSupply"));
    QVERIFY(rig.main().PowerSupplyOn);
    QCOMPARE(supply->Voltage->text(), "2.5");
    rig.board().clearReceived();
    rig.dialogs().files << path;
    p->ConfLoad_Click();
    QTEST(supply->Voltage->text(), "shown");
    QTEST(rig.main().Pref_Voltage, "shown");
    QFETCH(QString, line);
    QCOMPARE(rig.board().receivedLines(), QStringList{line});
    // The panel's own supply box is not the main window's voltage.
    QCOMPARE(p->PowerSupply->text(), "2.5");
}

void TrxPanelFiles::failedSaveIsReported() {
    test::Rig rig;
    rig.start();
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    rig.dialogs().files << rig.folder() + QStringLiteral("/no/such/folder/x.trc");
    p->ConfSave_Click();
    QCOMPARE(rig.dialogs().messages.size(), 1);
    const auto& message = rig.dialogs().messages.first();
    QVERIFY2(message.text.startsWith(QStringLiteral("Error occured:76,")),
             qPrintable(message.text));
    QVERIFY(message.text.endsWith(QStringLiteral("\r\nPlease try again")));
    QCOMPARE(message.title, "File save error");
    QCOMPARE(message.icon, Dialogs::Icon::None);
}

void TrxPanelFiles::loadedPatternByteKeepsTwoDigits() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    const QString path = rig.folder() + QStringLiteral("/pattern.lrc");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    lines[56] = "\"a\"\r"; // TB_SP
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lines.join('\n'));
    f.close();
    rig.dialogs().files << path;
    p->ConfLoad_Click();
    QCOMPARE(p->TB_SP->text(), "0A");
    QCOMPARE(p->SynchPatt->text(), "CE0A");
    rig.board().clearReceived();
    p->Update_Click();
    QCOMPARE(rig.board().receivedLines().value(14), "S2CE0A");
}

void TrxPanelFiles::loadWaitsForRunningStatusRead() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    const QString path = rig.folder() + QStringLiteral("/afcoff.trc");
    p->afcen->setChecked(false);
    rig.main().Pref_Voltage = QStringLiteral("3.3");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    p->afcen->setChecked(true);
    rig.main().Pref_Voltage = QStringLiteral("2.5");
    p->Update_Click();

    rig.board().clearReceived();
    rig.board().setFault(sim::Fault::Paced, -1);
    p->ReadStatus_Click();
    // Between the read's steps: AFC is switched off for the read and is to be switched on again.
    QVERIFY(test::waitUntil([&] { return rig.main().CommState == 2; }));
    rig.dialogs().files << path;
    p->ConfLoad_Click();
    QVERIFY(p->StatusReadActive);
    const QString supply = supplyLine(3.3, supplyKForBoard(rig.main().LoadBoardRev)).chopped(1);
    QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().contains(supply); }));
    QCOMPARE(rig.board().receivedLines(), QStringList({"S2C4F6", "S2C4F6", "H2", "L2", "L0", "RS",
                                                       "RS", "H2", "S2C4F7", supply}));
    QVERIFY(!p->afcen->isChecked());
    QCOMPARE(p->AFCw->text(), "C4F6");
    QCOMPARE(rig.main().Pref_Voltage, "3.3");
}

void TrxPanelFiles::loadedGreyBoxClicksBetweenTwoStates_data() {
    QTest::addColumn<bool>("greyFirst");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<QList<int>>("afterClicks");
    const int grey = Qt::PartiallyChecked;
    const int on = Qt::Checked;
    const int off = Qt::Unchecked;
    QTest::newRow("grey") << false << 2 << QList<int>{grey, on, off, on, off};
    QTest::newRow("grey file then unchecked file") << true << 0 << QList<int>{off, on, off, on};
    QTest::newRow("grey file then checked file") << true << 1 << QList<int>{on, off, on, off};
}

void TrxPanelFiles::loadedGreyBoxClicksBetweenTwoStates() {
    QFETCH(bool, greyFirst);
    QFETCH(int, loaded);
    QFETCH(QList<int>, afterClicks);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    const QString grey = rig.folder() + QStringLiteral("/grey.trc");
    const QString plain = rig.folder() + QStringLiteral("/plain.trc");
    p->afcen->setCheckState(Qt::PartiallyChecked);
    rig.dialogs().files << grey;
    p->ConfSave_Click();
    p->afcen->setTristate(false);
    p->afcen->setChecked(loaded == 1);
    rig.dialogs().files << plain;
    p->ConfSave_Click();

    if (greyFirst) {
        rig.dialogs().files << grey;
        p->ConfLoad_Click();
    }
    rig.dialogs().files << (loaded == 2 ? grey : plain);
    p->ConfLoad_Click();
    // Grey counts as not set.
    QCOMPARE(p->AFCw->text(), loaded == 1 ? "C4F7" : "C4F6");
    for (int i = 0; i < afterClicks.size(); ++i) {
        if (i > 0)
            QTest::mouseClick(p->afcen, Qt::LeftButton);
        QCOMPARE(int(p->afcen->checkState()), afterClicks[i]);
    }
    QCOMPARE(p->AFCw->text(), afterClicks.last() == Qt::Checked ? "C4F7" : "C4F6");
}

void TrxPanelFiles::loadedVoltageIsClamped() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<FRM_Zenth>(QStringLiteral("FRM_Zenth"));
    const QString path = rig.folder() + QStringLiteral("/high.lrc");
    rig.main().Pref_Voltage = QStringLiteral("6");
    rig.dialogs().files << path << path;
    p->ConfSave_Click();
    rig.board().clearReceived();
    p->ConfLoad_Click();
    QCOMPARE(p->Statusline->text(), "Maximum supply voltage is 5.4 V!");
    QCOMPARE(rig.main().Pref_Voltage, "5.4");
    QCOMPARE(rig.board().receivedLines(), QStringList{"VC6"});
}

void TrxPanelFiles::fileValuesOutsideTheLists() {
    test::Rig rig;
    rig.start();
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    p->VDI->setCurrentText(QStringLiteral("Slow"));
    const QString path = rig.folder() + QStringLiteral("/odd.trc");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    lines[15] = "2\r";         // chb_ex greyed: counts as clear
    lines[22] = "\"Bogus\"\r"; // VDI: no entry of the list
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lines.join('\n'));
    f.close();
    p->VDI->setCurrentText(QStringLiteral("Always"));
    rig.dialogs().files << path;
    p->ConfLoad_Click();
    QCOMPARE(p->VDI->currentText(), "Always");
    QCOMPARE(p->Recw->text(), "9380");
    QCOMPARE(p->chb_ex->checkState(), Qt::PartiallyChecked);
    QCOMPARE(p->PowerW->text(), "8200");
}

void TrxPanelFiles::otherExtensionRefused() {
    test::Rig rig;
    rig.start();
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    const QStringList before = words(*p);
    rig.dialogs().files << rig.folder() + QStringLiteral("/other.lrc");
    p->ConfLoad_Click();
    QCOMPARE(rig.messageTexts(), QStringList{"File type not supported! Please try again!"});
    QCOMPARE(rig.dialogs().messages.last().title, "File open error");
    QCOMPARE(rig.dialogs().fileRequests.last().fileName, "*.trc");
    QCOMPARE(words(*p), before);
    p->ConfSave_Click(); // cancelled: nothing shown, nothing written
    QCOMPARE(rig.messageTexts().size(), 1);
}

void TrxPanelFiles::configurationRoundTrip_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("file");
    QTest::newRow("HC913") << "YambleV3"
                           << "mine.trc";
    QTest::newRow("HC916") << "FRM_Zenth"
                           << "mine.lrc";
}

void TrxPanelFiles::configurationRoundTrip() {
    QFETCH(QString, form);
    QFETCH(QString, file);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = qobject_cast<TransceiverPanel*>(rig.main().form(form));
    p->NonStdCrystal->setChecked(true);
    leave(p->Crystalfreq, QStringLiteral("11"));
    p->Band915->setChecked(true);
    p->EnTXLatch->setChecked(true);
    p->Cxtal->setCurrentIndex(15);
    p->chb_er->setChecked(true);
    p->chb_ew->setChecked(true);
    leave(p->FreqCenter, QStringLiteral("1000"));
    p->Pin8IsVDI->setChecked(true);
    p->VDI->setCurrentIndex(2);
    p->LNAgain->setCurrentIndex(3);
    p->DRSSI->setCurrentIndex(4);
    p->BasebandBW->setCurrentIndex(5);
    p->ModPol->setCurrentIndex(1);
    p->ModFreq->setCurrentIndex(7);
    p->OutputPower->setCurrentIndex(7);
    leave(p->WKUPM, QStringLiteral("100"));
    leave(p->WKUPR, QStringLiteral("13"));
    p->enlowdc->setChecked(true);
    leave(p->DUTY, QStringLiteral("9"));
    p->CLKout->setCurrentIndex(6);
    leave(p->LBD, QStringLiteral("12"));
    p->AFCauto->setCurrentIndex(0);
    p->AFCres->setCurrentIndex(1);
    p->afcst->setChecked(true);
    leave(p->DATARATEDIV, QStringLiteral("99"));
    p->dataratepresc->setChecked(true);
    p->ClkRecMode->setCurrentIndex(2);
    p->FILTTYPE->setCurrentIndex(1);
    p->STATEFILT->setValue(6);
    p->ffillen->setChecked(true);
    p->SensResEn->setChecked(true);
    p->FIFOstrt->setCurrentIndex(1);
    p->ITLEVEL->setValue(12);
    if (p->chip() == trx::Chip::HC916) {
        p->CB_LPX->setChecked(true);
        p->CB_RFT->setCurrentIndex(0);
        p->CB_PLLBW->setCurrentIndex(0);
        leave(p->TB_SP, QStringLiteral("0b"));
    }
    rig.main().Pref_Voltage = QStringLiteral("3.3");
    const QStringList saved = words(*p);
    const QString path = rig.folder() + u'/' + file;
    rig.dialogs().files << path;
    p->ConfSave_Click();
    QVERIFY(QFile::exists(path));
    QVERIFY(rig.messageTexts().isEmpty());

    rig.main().unloadForm(form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    auto* fresh = qobject_cast<TransceiverPanel*>(rig.main().form(form));
    QVERIFY(words(*fresh) != saved);
    rig.board().clearReceived();
    rig.dialogs().files << path;
    fresh->ConfLoad_Click();
    QCOMPARE(words(*fresh), saved);
    QCOMPARE(fresh->Crystalfreq->text(), "11");
    QCOMPARE(fresh->ModFreq->currentIndex(), 7);
    QCOMPARE(rig.board().receivedLines(), QStringList{"VA1"});
    QVERIFY(fresh->LabelUpdate->isVisibleTo(fresh));
    QVERIFY(rig.messageTexts().isEmpty());
}

void TrxPanelFiles::badFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("banner") << QByteArray("\"# KRV Transceiver configuration file. Version 1.0.0\"")
                            << "Error occured:1226,Incorrect configuration file version\r\n"
                               "Please try again!";
    QTest::newRow("voltage") << QByteArray("\"abc\"")
                             << "Error occured:13,Type mismatch\r\nPlease try again!";
}

void TrxPanelFiles::badFileChangesNothing() {
    QFETCH(QByteArray, change);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    p->Band868->setChecked(true);
    const QString path = rig.folder() + QStringLiteral("/bad.trc");
    rig.dialogs().files << path;
    p->ConfSave_Click();
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    f.close();
    lines[change.startsWith("\"#") ? 0 : 51] = change + '\r';
    lines[6] = "#FALSE#\r"; // Band868 item, so a partial load would show
    lines[4] = "#TRUE#\r";
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lines.join('\n'));
    f.close();

    const QStringList before = words(*p);
    rig.board().clearReceived();
    rig.dialogs().files << path;
    p->ConfLoad_Click();
    QFETCH(QString, message);
    QCOMPARE(rig.messageTexts(), QStringList{message});
    QCOMPARE(rig.dialogs().messages.last().title, "File open error");
    QCOMPARE(words(*p), before);
    QVERIFY(p->Band868->isChecked());
    QVERIFY(rig.board().receivedLines().isEmpty());
}

void TrxPanelFiles::commaSeparatedItemsLoadLikeOneItemALine() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    auto* p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
    p->NonStdCrystal->setChecked(true);
    leave(p->Crystalfreq, QStringLiteral("11"));
    p->Band868->setChecked(true);
    const QString twin = rig.folder() + QStringLiteral("/twin.trc");
    rig.dialogs().files << twin;
    p->ConfSave_Click();
    QFile file(twin);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    // The crystal options and the band options, each group on one line.
    const QByteArray lines =
        "#FALSE#\r\n#TRUE#\r\n\"11\"\r\n#FALSE#\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n";
    QVERIFY(bytes.contains(lines));
    bytes.replace(lines, "#FALSE#,#TRUE#\r\n\"11\"\r\n#FALSE#,#FALSE#,#TRUE#,#FALSE#\r\n");
    const QString joined = rig.folder() + QStringLiteral("/joined.trc");
    QFile joinedFile(joined);
    QVERIFY(joinedFile.open(QIODevice::WriteOnly));
    joinedFile.write(bytes);
    joinedFile.close();

    QStringList loaded[2];
    for (int i = 0; i < 2; ++i) {
        unload(rig, QStringLiteral("YambleV3"));
        p = rig.main().form<YambleV3>(QStringLiteral("YambleV3"));
        rig.dialogs().files << (i == 0 ? joined : twin);
        p->ConfLoad_Click();
        QVERIFY2(p->Band868->isChecked(), qPrintable(rig.messageTexts().join(" / ")));
        loaded[i] = words(*p);
    }
    QCOMPARE(rig.messageTexts(), QStringList());
    QCOMPARE(loaded[0], loaded[1]);
}

QTEST_MAIN(TrxPanelFiles)
#include "tst_trxpanelfiles.moc"
