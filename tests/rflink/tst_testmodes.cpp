// The factory test-mode windows: the two test control bytes kept in step with their lists and
// boxes, the tuning value box, the transceiver's PA test mode, and Send with the port open and
// closed.

#include "common/dialogs.h"
#include "panels/common/chippanel.h"
#include "rflinktest.h"
#include "tools/rflink/testfunctions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using krv::rflink::TestFunctions;
using krv::test::LinkRig;

namespace {

TestFunctions* open(LinkRig& rig, const char* name) {
    rig.main().showToolWindow(QString::fromLatin1(name));
    return rig.window<TestFunctions>(QString::fromLatin1(name));
}

void typeData(TestFunctions* window, const QString& text) {
    window->TB_GBData->selectAll();
    if (text.isEmpty())
        QTest::keyClick(window->TB_GBData, Qt::Key_Delete);
    else
        QTest::keyClicks(window->TB_GBData, text);
}

} // namespace

class TestModesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bytesAreBuiltAndSent() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        TestFunctions* w = open(rig, "Frm_DruskTestFunctions");
        QVERIFY(w);
        QCOMPARE(w->TB_TestByte[0]->text(), QStringLiteral("00"));
        QCOMPARE(w->TB_TestByte[1]->text(), QStringLiteral("00"));
        QVERIFY(!w->LabelUpdate[0]->isVisibleTo(w) && !w->LabelUpdate[1]->isVisibleTo(w));
        QVERIFY(w->OB_GainswitchLow->isChecked());
        QVERIFY(!w->TB_GBData->isEnabled());
        QCOMPARE(w->CB_DSLC->itemText(15), QStringLiteral("No Frequency Check"));

        w->CB_DSLC->setCurrentIndex(21);
        w->CB_ASLC->setCurrentIndex(3);
        w->CB_DisableSensitivePOR->setChecked(true);
        QCOMPARE(w->TB_TestByte[0]->text(), QStringLiteral("AF"));
        QCOMPARE(w->TB_DSLC->text(), QStringLiteral("15"));
        QVERIFY(w->LabelUpdate[0]->isVisibleTo(w));

        w->CB_DS->setChecked(true);
        w->OB_GainswitchHigh->setChecked(true);
        w->CB_GBData->setCurrentIndex(1);
        typeData(w, "1A");
        QCOMPARE(w->TB_TestByte[1]->text(), QStringLiteral("DA"));

        rig.mark();
        const qsizetype from = rig.board().receivedBytes().size();
        w->PB_Send[0]->click();
        w->PB_Send[1]->click();
        QCOMPARE(rig.linesSinceMark(), (QStringList{"S2DAAF", "S2D8DA"}));
        // Each byte goes with CR LF, where other commands end with CR alone.
        QCOMPARE(rig.board().receivedBytes().mid(from), QByteArray("S2DAAF\r\nS2D8DA\r\n"));
        QVERIFY(!w->LabelUpdate[0]->isVisibleTo(w) && !w->LabelUpdate[1]->isVisibleTo(w));
        QVERIFY(rig.board().writtenWords().contains("S2 DAAF"));
    }

    void tuningValueBox_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("selector held to 0..3") << "Frm_DruskTestFunctions" << 1 << "5a"
                                               << "1A";
        QTest::newRow("lone digit") << "Frm_DruskTestFunctions" << 1 << "1"
                                    << "10";
        QTest::newRow("selector typed") << "Frm_DruskTestFunctions" << 1 << "2A"
                                        << "2A";
        QTest::newRow("leading zero stays") << "Frm_DruskTestFunctions" << 1 << "0A"
                                            << "0A";
        QTest::newRow("emptied, entry 2") << "Frm_DruskTestFunctions" << 2 << ""
                                          << "20";
        QTest::newRow("emptied, entry 3") << "Frm_YambleTestFunctions" << 3 << ""
                                          << "30";
        QTest::newRow("not hex") << "Frm_DruskTestFunctions" << 1 << "1z"
                                 << "10";
    }
    void tuningValueBox() {
        QFETCH(QString, form);
        QFETCH(int, entry);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        TestFunctions* w = open(rig, qPrintable(form));
        w->CB_GBData->setCurrentIndex(entry);
        typeData(w, typed);
        QTest::keyClick(w->TB_GBData, Qt::Key_Return);
        QCOMPARE(w->TB_GBData->text(), shown);
        QCOMPARE(w->TB_TestByte[1]->text().toInt(nullptr, 16) & 0x3F, shown.toInt(nullptr, 16));
    }

    void paTestMode() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        TestFunctions* w = open(rig, "Frm_YambleTestFunctions");
        QVERIFY(!w->CB_GBDataPAMode->isVisibleTo(w));
        w->CB_GBData->setCurrentIndex(1);
        typeData(w, "1A");
        w->CB_DisableSensitivePOR->setChecked(true);
        QCOMPARE(w->TB_TestByte[0]->text(), QStringLiteral("01"));
        QCOMPARE(w->CB_GBData->currentIndex(), 4);
        QVERIFY(w->TB_GBData->isReadOnly());
        QCOMPARE(w->TB_GBData->text(), QStringLiteral("20"));
        QCOMPARE(w->TB_TestByte[1]->text(), QStringLiteral("20"));
        QVERIFY(w->CB_GBDataPAMode->isVisibleTo(w));
        w->CB_GBDataPAMode->setCurrentIndex(6);
        QCOMPARE(w->TB_TestByte[1]->text(), QStringLiteral("26"));
        w->CB_DisableSensitivePOR->setChecked(false);
        QCOMPARE(w->CB_GBData->count(), 4);
        QCOMPARE(w->CB_GBData->currentIndex(), 1);
        QCOMPARE(w->TB_GBData->text(), QStringLiteral("1A"));
        QVERIFY(!w->TB_GBData->isReadOnly());
        QCOMPARE(w->TB_TestByte[1]->text(), QStringLiteral("1A"));
        QCOMPARE(w->TB_TestByte[0]->text(), QStringLiteral("00"));
        QVERIFY(!w->CB_GBDataPAMode->isVisibleTo(w));
    }

    void closedPortKeepsTheMark() {
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        rig.main().DruskV1_show();
        rig.main().DruskV1_hide();
        TestFunctions* w = open(rig, "Frm_DruskTestFunctions");
        w->CB_DS->setChecked(true);
        rig.main().link()->MSComm2->setPortOpen(false);
        w->PB_Send[1]->click();
        QCOMPARE(rig.main().loadedForm<ChipPanel>("DruskV1")->Statusline->text(),
                 QStringLiteral("Communication fault."));
        QCOMPARE(rig.dialogs().messages.size(), 1);
        QCOMPARE(rig.dialogs().messages.constFirst().text,
                 QStringLiteral("Commport not available, please open commport. Control words "
                                "were not updated."));
        QVERIFY(w->LabelUpdate[1]->isVisibleTo(w));
        // The transceiver window does not load a panel only to write into it.
        TestFunctions* t = open(rig, "Frm_YambleTestFunctions");
        t->PB_Send[0]->click();
        QVERIFY(!rig.main().loadedForm(QStringLiteral("YambleV3")));
    }
};

QTEST_MAIN(TestModesTest)
#include "tst_testmodes.moc"
