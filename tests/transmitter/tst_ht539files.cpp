#include "ht539test.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using test::enter;
using test::ht539Words;

namespace {

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// What the panel shows besides its words.
QStringList inputs(const HT539* p) {
    return {p->FreqCenter->text(),     p->Crystalfreq->text(),   p->Cxtal->currentText(),
            p->ModFreq->currentText(), p->CLKout->currentText(), p->OutputPower->currentText(),
            p->ModPol->currentText(),  p->LBD->text(),           p->WKUPM->text(),
            p->WKUPR->text(),          p->WKUPD->text(),         p->TB_FIFOITLevel->text(),
            p->TB_DataRate->text(),    p->WKUPTIME->text(),      p->TB_DataRateValue->text(),
            p->C_PLLBW->currentText()};
}

} // namespace

class HT539FilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theStartStateIsSavedByteForByte() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        const QString path = rig.folder() + "/start";
        rig.dialogs().files << path;
        p->ConfSave_Click();
        QCOMPARE(rig.dialogs().fileRequests.constLast().title,
                 QStringLiteral("Save HT539 Configuration File"));
        const QStringList lines{"\"# KRV HT539 configuration file. Version 2.2.2\"",
                                "#TRUE#",
                                "#FALSE#",
                                "\"10\"",
                                "\"868.3\"",
                                "#FALSE#",
                                "#TRUE#",
                                "#FALSE#",
                                "0",
                                "\"12.5 pF\"",
                                "\"fo + df\"",
                                "2",
                                "\"Pmax\"",
                                "0",
                                "0",
                                "0",
                                "0",
                                "1",
                                "0",
                                "0",
                                "\"0\"",
                                "0",
                                "\"19\"",
                                "\"2.5\"",
                                "\"'A' or above\"",
                                "\"3\"",
                                "\"0\"",
                                "\"150\"",
                                "\"1\"",
                                "1",
                                "1",
                                "1",
                                "0",
                                "1",
                                "0",
                                "2"};
        QCOMPARE(readFile(path + ".tc2"), lines.join("\r\n").toLatin1() + "\r\n");
    }

    void aSavedFileBringsBackEveryWord() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* p = rig.main().form<HT539>("HT539");
        p->NonStdCrystal->setChecked(true);
        enter(p->Crystalfreq, "11.0592");
        p->Band915->setChecked(true);
        enter(p->FreqCenter, "930.5");
        p->Cxtal->setCurrentText("15.0 pF");
        p->ModFreq->setCurrentIndex(5);
        p->ModPol->setCurrentIndex(1);
        p->OutputPower->setCurrentIndex(4);
        p->CLKout->setCurrentIndex(6);
        for (QCheckBox* box : {p->pm5, p->pm4, p->pm2, p->pm0})
            box->setCheckState(Qt::Checked);
        p->pm1->setCheckState(Qt::Unchecked);
        enter(p->LBD, "12");
        enter(p->WKUPM, "9000");
        enter(p->WKUPR, "7");
        enter(p->WKUPD, "2");
        p->CB_EnFIFO->setCheckState(Qt::Checked);
        p->TB_FIFOITLevel->setText("33");
        p->CB_Prescaler->setCheckState(Qt::Checked);
        p->TB_DataRate->setText("100");
        p->CB_ebs->setCheckState(Qt::Unchecked);
        p->CB_DisWUTAutocal->setCheckState(Qt::Checked);
        p->CB_EnWUonIT->setCheckState(Qt::Checked);
        p->CB_EnLowPowerXtal->setCheckState(Qt::Unchecked);
        p->C_PLLBW->setCurrentIndex(3);
        rig.main().Pref_Voltage = "3.0";
        const QStringList words = ht539Words(p);
        const QStringList shown = inputs(p);
        const QString path = rig.folder() + "/all.tc2";
        rig.dialogs().files << path;
        p->ConfSave_Click();

        test::Rig other;
        QVERIFY(other.connectBoard());
        auto* fresh = other.main().form<HT539>("HT539");
        other.board().clearReceived();
        other.dialogs().files << path;
        QTest::mouseClick(fresh->ConfLoad, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return !other.board().receivedLines().isEmpty(); }));
        QCOMPARE(ht539Words(fresh), words);
        QCOMPARE(inputs(fresh), shown);
        QVERIFY(fresh->NonStdCrystal->isChecked() && fresh->Band915->isChecked());
        QCOMPARE(fresh->GetXtalFrequency(), 11059200);
        QCOMPARE(fresh->Statusline->text(), QStringLiteral(" "));
        QCOMPARE(other.main().Pref_Voltage, QStringLiteral("3.0"));
        QCOMPARE(other.board().receivedLines(), QStringList{"V98"});
        QVERIFY(other.messageTexts().isEmpty());
        // Saved again, the file is the same.
        const QString again = other.folder() + "/again.tc2";
        other.dialogs().files << again;
        fresh->ConfSave_Click();
        QCOMPARE(readFile(again), readFile(path));
    }

    void theCentreFrequencyIsAppliedInTheFilesBand() {
        test::Rig rig;
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        p->Band915->setChecked(true);
        enter(p->FreqCenter, "915.5");
        QCOMPARE(p->Freqw->text(), QStringLiteral("A6EF"));
        const QString path = rig.folder() + "/band.tc2";
        rig.dialogs().files << path;
        p->ConfSave_Click();
        p->Band868->setChecked(true);
        enter(p->FreqCenter, "868.3");
        rig.dialogs().files << path;
        p->ConfLoad_Click();
        QCOMPARE(p->FreqCenter->text(), QStringLiteral("915.5"));
        QCOMPARE(p->Freqw->text(), QStringLiteral("A6EF"));
    }

    void aBadFileChangesNothing_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("message");
        QTest::newRow("another type's banner")
            << QByteArray("HT539 configuration file. Version 2.2.2")
            << QByteArray("HT537 configuration file. Version 2.0.0")
            << "Error occured:1226,Incorrect configuration file version.\rPlease try again!";
        QTest::newRow("file ends early") << QByteArray("0\r\n2\r\n") << QByteArray("0\r\n")
                                         << "Error occured:62,Input past end of file\r"
                                            "Please try again!";
        QTest::newRow("option where a number belongs")
            << QByteArray("\"12.5 pF\"\r\n\"fo + df\"\r\n2")
            << QByteArray("\"12.5 pF\"\r\n\"fo + df\"\r\n#TRUE#")
            << "Error occured:13,Type mismatch\rPlease try again!";
        QTest::newRow("list position out of range")
            << QByteArray("1\r\n0\r\n2\r\n") << QByteArray("1\r\n0\r\n9\r\n")
            << "Error occured:380,Invalid property value\r"
               "Please try again!";
        QTest::newRow("voltage no number") << QByteArray("\"2.5\"") << QByteArray("\"x\"")
                                           << "Error occured:13,Type mismatch\rPlease try again!";
    }
    void aBadFileChangesNothing() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, message);
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* p = rig.main().form<HT539>("HT539");
        const QString path = rig.folder() + "/bad.tc2";
        rig.dialogs().files << path;
        p->ConfSave_Click();
        QByteArray bytes = readFile(path);
        QVERIFY(bytes.contains(from));
        // Every item differs from the panel, so any item applied would show.
        bytes.replace("\"150\"", "\"151\"").replace("\"19\"", "\"20\"").replace(from, to);
        writeFile(path, bytes);
        const QStringList before = ht539Words(p);
        rig.board().clearReceived();
        rig.dialogs().files << path;
        p->ConfLoad_Click();
        QCOMPARE(rig.messageTexts().constLast(), message);
        QCOMPARE(rig.dialogs().messages.constLast().title, QStringLiteral("File open error"));
        QCOMPARE(ht539Words(p), before);
        QCOMPARE(p->WKUPM->text(), QStringLiteral("150"));
        QVERIFY(rig.board().receivedLines().isEmpty());
        QCOMPARE(rig.main().Pref_Voltage, QStringLiteral("2.5"));
    }

    void theAutomaticLoadCancelledKeepsTheStartState() {
        test::Rig rig;
        rig.writeSettings("1", "1", 0, 1);
        rig.start();
        auto* p = rig.main().form<HT539>("HT539");
        QCOMPARE(rig.dialogs().fileRequests.size(), 1);
        QCOMPARE(rig.dialogs().fileRequests.constFirst().title,
                 QStringLiteral("Load HT539 Configuration File"));
        QCOMPARE(rig.dialogs().fileRequests.constFirst().fileName, QStringLiteral("*.tc2"));
        QCOMPARE(ht539Words(p), (QStringList{"9082", "AD57", "C002", "CE00", "C813", "C213", "E196",
                                             "C300", "B0CA"}));
    }
};

QTEST_MAIN(HT539FilesTest)
#include "tst_ht539files.moc"
