#include "common/dialogs.h"
#include "panels/transmitter/mivrav2test.h"
#include "panels/transmitter/tuningread.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace krv;

namespace {

void enter(QLineEdit* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class MivraV2testTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theTuningReadSteps() {
        testmode::TuningRead read;
        QCOMPARE(read.begin(testmode::testWord(false, false, 0)),
                 (QStringList{"S2D200", "S2D0A0"}));
        QStringList lines;
        QStringList shown;
        // The levels the four "ri" report: 1, 0, 1 and a character that is no "1".
        const QStringList levels{"", "1", "", "0", "", "1", "", "x"};
        for (const QString& level : levels) {
            const auto step = read.tick(level);
            lines << step.line;
            shown << step.shown;
        }
        QCOMPARE(lines, (QStringList{"ri", "S2D0A1", "ri", "S2D0A2", "ri", "S2D0A3", "ri", ""}));
        QCOMPARE(shown, (QStringList{"....", "...", "...", "..", "..", ".", ".", "5"}));
        QVERIFY(!read.running());
    }

    void theWordFollowsTheControls() {
        test::Rig rig;
        rig.start();
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        QVERIFY(t);
        QVERIFY(rig.main().MivraV2testOn);
        QCOMPARE(t->Test0w->text(), QStringLiteral("D027"));
        QVERIFY(!t->LabelUpdate->isHidden());
        QCOMPARE(t->GearboxValue->text(), QStringLiteral("---"));
        QVERIFY(t->ReadGearbox->isEnabled() && !t->GearBoxData->isEnabled());
        t->DSen->setChecked(false);
        QCOMPARE(t->Test0w->text(), QStringLiteral("D0A7"));
        t->DSen->setChecked(true);
        t->Manual->setChecked(true);
        QVERIFY(!t->ReadGearbox->isEnabled() && t->GearBoxData->isEnabled());
        enter(t->GearBoxData, "15");
        QCOMPARE(t->Test0w->text(), QStringLiteral("D03F"));
        t->DSen->setChecked(false);
        QCOMPARE(t->Test0w->text(), QStringLiteral("D0BF"));
        t->DSen->setChecked(true);
        t->Auto->setChecked(true);
        QCOMPARE(t->Test0w->text(), QStringLiteral("D02F"));
        rig.main().unloadForm("MivraV2test");
        QVERIFY(!rig.main().MivraV2testOn);
    }

    void theStateIsKeptToItsRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("too big") << "20"
                                 << "15";
        QTest::newRow("negative") << "-3"
                                  << "0";
        QTest::newRow("half to even") << "2.5"
                                      << "2";
        QTest::newRow("no number") << "x"
                                   << "0";
    }
    void theStateIsKeptToItsRange() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        test::Rig rig;
        rig.start();
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        t->Manual->setChecked(true);
        enter(t->GearBoxData, typed);
        QCOMPARE(t->GearBoxData->text(), shown);
        QCOMPARE(t->GearBoxScroll->value(), shown.toInt());
        QCOMPARE(t->Test0w->text(),
                 QStringLiteral("D03") + QString::number(shown.toInt(), 16).toUpper());
        t->GearBoxScroll->setValue(9);
        QCOMPARE(t->GearBoxData->text(), QStringLiteral("9"));
        QCOMPARE(t->Test0w->text(), QStringLiteral("D039"));
    }

    void looksLikeATool() {
        test::Rig rig;
        rig.start();
        rig.main().resize(1200, 800);
        rig.main().show();
        rig.main().mnuToolsMivraTestmode->setEnabled(true);
        rig.main().mnuToolsMivraTestmode->trigger();
        auto* t = rig.main().loadedForm<MivraV2test>("MivraV2test");
        QVERIFY(t && t->isVisible());
        const QString out = qEnvironmentVariable("KRV_SCREENSHOTS");
        if (!out.isEmpty())
            t->grab().save(out + QStringLiteral("/MivraV2test.png"));
        QCOMPARE(t->windowTitle(), QStringLiteral("HT531 transmitter test mode"));
    }

    void sendCommandSendsOneLineEndedByCrLf() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        rig.board().clearReceived();
        QTest::mouseClick(t->Update, Qt::LeftButton);
        QTRY_VERIFY(t->LabelUpdate->isHidden());
        QTRY_COMPARE(rig.board().receivedBytes(), QByteArray("S2D027\r\n"));
        QCOMPARE(rig.board().receivedLines(), QStringList{"S2D027"});

        // A word the board did not take still needs sending.
        rig.board().setFault(sim::Fault::ErrorEnding);
        QTest::mouseClick(t->Update, Qt::LeftButton);
        QTRY_VERIFY(!t->LabelUpdate->isHidden());
        QCOMPARE(rig.main().CommState, 0L);
    }

    void aClosedPortRefusesSendAndRead() {
        test::Rig rig;
        rig.start();
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        QTest::mouseClick(t->Update, Qt::LeftButton);
        QTest::mouseClick(t->ReadGearbox, Qt::LeftButton);
        const QString text = QStringLiteral(
            "Commport not available, please open commport. Control words were not updated.");
        QCOMPARE(rig.messageTexts(), (QStringList{text, text}));
        QCOMPARE(rig.dialogs().messages.constLast().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(t->GearboxValue->text(), QStringLiteral("---"));
        QVERIFY(!t->LabelUpdate->isHidden());
        QVERIFY(!t->reading());
        // Its status line is written only where the panel is loaded; a refusal loads nothing.
        QVERIFY(!rig.main().loadedForm("MivraV2"));
    }

    void closingTheWindowMidReadFreesCommState() {
        test::Rig rig;
        QVERIFY(rig.connectBoard());
        auto* t = rig.main().form<MivraV2test>("MivraV2test");
        QTest::mouseClick(t->ReadGearbox, Qt::LeftButton);
        QVERIFY(test::waitUntil([&] { return rig.board().receivedLines().contains("ri"); }));
        rig.main().unloadForm("MivraV2test");
        QCOMPARE(rig.main().CommState, 0L);
        QVERIFY(!rig.main().MivraV2testOn);
    }
};

QTEST_MAIN(MivraV2testTest)
#include "tst_mivrav2test.moc"
