// The sniffer options and transmitter search windows, opened only by their procedures.

#include "common/monitorbox.h"
#include "rflinktest.h"
#include "tools/rflink/sniffer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using krv::rflink::frm_TxSearch;
using krv::rflink::frm_ZiborSniffer;
using krv::test::LinkRig;

class SnifferTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void optionsEnableEachOther() {
        LinkRig rig;
        rig.start();
        rig.main().ShowSnifferOptions();
        auto* w = rig.window<frm_ZiborSniffer>(QStringLiteral("frm_ZiborSniffer"));
        QVERIFY(w && rig.main().ZiborSnifferOn);
        QVERIFY(!w->Label1->isEnabled() && !w->TXT_Plen->isEnabled());
        w->OPT_Lite->setChecked(true);
        QVERIFY(w->CHK_CID->isChecked());
        for (QWidget* greyed :
             std::initializer_list<QWidget*>{w->CHK_CID, w->OPT_Nw, w->chk_Rar, w->OPT_DPlen})
            QVERIFY(!greyed->isEnabled());
        QVERIFY(w->Label1->isEnabled() && w->TXT_Plen->isEnabled());
        w->OPT_Norm->setChecked(true);
        for (QWidget* enabled :
             std::initializer_list<QWidget*>{w->CHK_CID, w->OPT_Nw, w->chk_Rar, w->OPT_DPlen})
            QVERIFY(enabled->isEnabled());
        QVERIFY(w->TXT_Plen->isEnabled());
    }

    void boardOutputShowsWhileOpen() {
        LinkRig rig;
        rig.board().addCommand(
            "Q", [](const QString&) -> sim::Reply { return QByteArray("abc\r\n\rOK\n\r>"); });
        QVERIFY(rig.connectBoard());
        rig.main().ShowSnifferOptions();
        auto* w = rig.window<frm_ZiborSniffer>(QStringLiteral("frm_ZiborSniffer"));
        rig.main().Send_To_LoadBoard("Q\r");
        QVERIFY(w->Incoming->text().startsWith("abc\r\n"));
        // Shown a pass of the event loop later.
        QVERIFY(test::waitUntil([&] { return w->Incoming->toPlainText().startsWith("abc\n"); }));
        rig.main().unloadForm(QStringLiteral("frm_ZiborSniffer"));
        QVERIFY(!rig.main().ZiborSnifferOn);
    }

    void searchButtonsChangeNothing() {
        LinkRig rig;
        rig.start();
        rig.main().ShowTxSearch();
        auto* w = rig.window<frm_TxSearch>(QStringLiteral("frm_TxSearch"));
        QVERIFY(w);
        w->PB_Get->click();
        w->PB_START->click();
        QCOMPARE(w->Freq_Value->text(), QStringLiteral("Text1"));
        QVERIFY(w->Search_AFC->isChecked());
    }
};

QTEST_MAIN(SnifferTest)
#include "tst_sniffer.moc"
