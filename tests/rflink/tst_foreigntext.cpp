// What a user with another keyboard layout types into the link tools' number and hexadecimal
// boxes: letters and digits of other scripts are no digits there. Each box keeps the plain
// digits it takes and reads its value from them.

#include "rflinktest.h"
#include "tools/rflink/receiverrflink.h"
#include "tools/rflink/testfunctions.h"
#include "tools/rflink/transceiverrflink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

using namespace krv;
using krv::test::LinkRig;
using krv::test::typeText;

namespace {

// Latin-1 letters, Cyrillic, an Arabic-Indic digit three, a full-width B, a CJK character and
// a character beyond the basic plane.
const QString foreign = QStringLiteral("\u00e9\u00ff\u0416\u0663\uff22\u4e2d\U0001d7d9");

// Opens the tool as the user reaches it, with its box ready to take typing.
QWidget* openTool(LinkRig& rig, const QString& form) {
    ISMmain& main = rig.main();
    if (form == QStringLiteral("Frm_YambleRfLinkTest")) {
        main.YambleV3_show();
        main.mnuToolsYambleRFlink->trigger();
    } else if (form == QStringLiteral("DruskV1rflink_LB2")) {
        main.DruskV1_show();
        main.mnuToolsRFlink_Click();
    } else {
        main.showToolWindow(form);
        // The data box takes typing once a source other than the normal mode is chosen.
        rig.window<rflink::TestFunctions>(form)->CB_GBData->setCurrentIndex(1);
    }
    return main.loadedForm(form);
}

} // namespace

class ForeignTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boxesKeepTheirPlainDigits_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString link = QStringLiteral("Frm_YambleRfLinkTest");
        const QString receiver = QStringLiteral("DruskV1rflink_LB2");
        const QString digits = "1" + foreign + "2";
        QTest::newRow("hexadecimal payload") << link << "TB_Payload"
                                             << "a" + foreign + "b" << QStringLiteral("AB");
        QTest::newRow("text payload")
            << link << "TB_Payload" << QStringLiteral("a\u00e9\u4e2d") << QStringLiteral("a\u00e9");
        QTest::newRow("synchron pattern") << link << "TB_SynchPatt"
                                          << "1" + foreign + "f" << QStringLiteral("1f");
        for (const char* box : {"TB_EOP_0", "TB_EOP_1", "TB_EOP_2", "TB_PL", "TB_RepetitionTime"})
            QTest::newRow(box) << link << box << digits << QStringLiteral("12");
        QTest::newRow("receiver end byte") << receiver << "EOP" << digits << QStringLiteral("1");
        QTest::newRow("receiver length")
            << receiver << "PL" << foreign + "5" << QStringLiteral("1");
        for (const char* window : {"Frm_DruskTestFunctions", "Frm_YambleTestFunctions"})
            QTest::newRow(window) << QString::fromLatin1(window) << "TB_GBData"
                                  << "1" + foreign + "a" << QStringLiteral("1A");
    }

    void boxesKeepTheirPlainDigits() {
        QFETCH(QString, form);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        LinkRig rig;
        QVERIFY(rig.connectBoard());
        QWidget* window = openTool(rig, form);
        QVERIFY(window);
        if (QTest::currentDataTag() == QByteArrayLiteral("hexadecimal payload"))
            window->findChild<QRadioButton*>(QStringLiteral("OB_HexView"))->setChecked(true);
        QWidget* target = window->findChild<QWidget*>(box);
        QVERIFY(target);
        if (auto* line = qobject_cast<QLineEdit*>(target)) {
            line->clear();
            typeText(line, typed);
            // Enter runs the box's leave rule.
            QTest::keyClick(line, Qt::Key_Return);
            QCOMPARE(line->text(), kept);
        } else {
            auto* payload = qobject_cast<QPlainTextEdit*>(target);
            typeText(payload, typed);
            QCOMPARE(payload->toPlainText(), kept);
        }
        // The value behind the box is the kept digits'.
        if (auto* link = qobject_cast<rflink::Frm_YambleRfLinkTest*>(window);
            link && box == QStringLiteral("TB_Payload"))
            QCOMPARE(link->payload(), link->OB_HexView->isChecked()
                                          ? QByteArray::fromHex(kept.toLatin1())
                                          : kept.toLatin1());
        if (auto* receiver = qobject_cast<rflink::ReceiverRfLink*>(window))
            QVERIFY2(receiver->LinkCommand.contains(u',' + kept + u','),
                     qPrintable(receiver->LinkCommand));
    }
};

QTEST_MAIN(ForeignTextTest)
#include "tst_foreigntext.moc"
