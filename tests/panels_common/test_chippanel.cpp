#include "link/linkwindow.h"
#include "testpanel.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace krv;
using krv::test::TestPanel;
using krv::test::waitUntil;

namespace {

const QString Fault = QStringLiteral("Communication fault.");
const QString Busy = QStringLiteral("Commport is busy. Please retry later!");
const QString NotConnected = QStringLiteral("Commport not available, Loadboard not connected!");

bool lit(const QLineEdit* box) {
    return box->isEnabled() && box->palette().color(QPalette::Base) == QColor(255, 255, 0);
}

// How an indicator looks: lit, dark (read as 0) or not read yet.
char looks(const QLineEdit* box) {
    const QColor colour = box->palette().color(QPalette::Base);
    if (colour == QColor(255, 255, 0) && box->isEnabled())
        return 'L';
    if (colour == QPalette().color(QPalette::Button) && !box->isEnabled())
        return 'D';
    if (colour == QPalette().color(QPalette::Dark) && box->isEnabled())
        return 'U';
    return '?';
}

QString litPattern(const TestPanel& panel) {
    QString pattern;
    for (int i = 1; i <= 16; ++i)
        pattern += lit(panel.status[i]) ? u'1' : u'0';
    return pattern;
}

} // namespace

class ChipPanelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rig> rig;
    TestPanel* panel = nullptr;

    void open(const QString& name = QStringLiteral("YambleV3")) {
        rig = std::make_unique<test::Rig>();
        TestPanel::registerAs({QStringLiteral("YambleV3"), QStringLiteral("DruskV1")});
        QVERIFY(rig->connectBoard());
        panel = rig->main().form<TestPanel>(name);
        QVERIFY(panel);
        rig->main().showForm(panel);
        rig->board().clearReceived();
        rig->dialogs().messages.clear();
    }
    void closePort() { rig->main().link()->MSComm2->setPortOpen(false); }
    bool readDone() {
        return waitUntil([this] {
            return rig->main().CommState == 0 && !panel->Timer3->isActive() &&
                   !panel->Timer1->isActive();
        });
    }
    QStringList lines() { return rig->board().receivedLines(); }

private Q_SLOTS:
    void cleanup() {
        panel = nullptr;
        rig.reset();
    }

    void updateSendsWordsInOrderAndClearsMark() {
        open();
        QVERIFY(panel->LabelUpdate->isVisibleTo(panel));
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QCOMPARE(lines(), (QStringList{"S280D7", "Z3", "S28208", "S2C4F6", "S2CA81"}));
        QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
        QCOMPARE(panel->Statusline->text(), QStringLiteral(" "));
        QCOMPARE(rig->main().CommStatus->text().isEmpty(), false);
    }

    void updateWithFifoInUseLocksTheSelector() {
        open();
        panel->EnRxFIFO->setChecked(true);
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QCOMPARE(lines().value(1), QStringLiteral("H3"));
        QVERIFY(!rig->main().CB_Mode->isEnabled());
        panel->EnRxFIFO->setChecked(false);
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QVERIFY(rig->main().CB_Mode->isEnabled());
    }

    void updateWithClosedPortRefuses() {
        open();
        closePort();
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QCOMPARE(rig->messageTexts(),
                 QStringList{QStringLiteral("Commport not available, please open commport. "
                                            "Control commands were not updated.")});
        QCOMPARE(rig->dialogs().messages.first().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(panel->Statusline->text(), Fault);
        QVERIFY(panel->LabelUpdate->isVisibleTo(panel));
        QVERIFY(lines().isEmpty());
    }

    void updateWithErrorEndingSendsAllAndKeepsMark() {
        open();
        rig->board().setFault(sim::Fault::ErrorEnding, 1);
        QTest::mouseClick(panel->Update, Qt::LeftButton);
        QCOMPARE(lines().size(), 5);
        QVERIFY(panel->LabelUpdate->isVisibleTo(panel));
        QCOMPARE(panel->Statusline->text(), Fault);
    }

    void updateWaitsForRunningStatusRead() {
        open();
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QTimer::singleShot(60, panel, [this] { panel->Update_Click(); });
        QVERIFY(readDone());
        QVERIFY(waitUntil([this] { return lines().size() == 11; }));
        QCOMPARE(lines().mid(0, 6), (QStringList{"H2", "L2", "L0", "RS", "RS", "H2"}));
        QCOMPARE(lines().value(6), QStringLiteral("S280D7"));
    }

    void closedPortRefusesAtOnceWhileBusy() {
        open();
        closePort();
        const TransactionHold other = rig->main().CommState.take(7);
        panel->Update_Click();
        QCOMPARE(rig->messageTexts().size(), 1);
        QCOMPARE(panel->Statusline->text(), Fault);
    }

    void calibrationKeepsItsMarkWhileUpdateIsPending_data() {
        QTest::addColumn<bool>("updateFirst");
        QTest::addColumn<bool>("calibrationMarkAfter");
        QTest::newRow("update pending") << false << true;
        QTest::newRow("updated") << true << false;
    }
    void calibrationKeepsItsMarkWhileUpdateIsPending() {
        QFETCH(bool, updateFirst);
        QFETCH(bool, calibrationMarkAfter);
        open();
        panel->LabelCalibration->setVisible(true);
        if (updateFirst)
            panel->Update_Click();
        rig->board().clearReceived();
        QTest::mouseClick(panel->CalibratePLL, Qt::LeftButton);
        QCOMPARE(lines(), (QStringList{"S28208", "S28218", "S28208"}));
        QCOMPARE(panel->PowerW->text(), QStringLiteral("8208"));
        QCOMPARE(panel->LabelCalibration->isVisibleTo(panel), calibrationMarkAfter);
    }

    void calibrationWithClosedPortRefuses() {
        open();
        closePort();
        panel->CalibratePLL_Click();
        QCOMPARE(rig->messageTexts(),
                 QStringList{QStringLiteral("Commport not available, please open commport. "
                                            "Synthesizer was not calibrated!")});
        QCOMPARE(panel->Statusline->text(), Fault);
    }

    void synchronLatchResetSendsFifoWordTwiceWithoutMark() {
        open();
        panel->Update_Click();
        rig->board().clearReceived();
        QTest::mouseClick(panel->FFreset, Qt::LeftButton);
        QCOMPARE(lines(), (QStringList{"S2CA81", "S2CA83"}));
        QVERIFY(panel->ffillen->isChecked());
        QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
        rig->board().clearReceived();
        panel->FFreset_Click();
        QCOMPARE(lines(), (QStringList{"S2CA81", "S2CA83"}));
        QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
    }

    void supplyBoxSendsClampedCode() {
        open();
        panel->PowerSupply->setFocus();
        panel->PowerSupply->setText(QStringLiteral("1.9"));
        QTest::keyClick(panel->PowerSupply, Qt::Key_Return);
        QCOMPARE(panel->PowerSupply->text(), QStringLiteral("2"));
        QCOMPARE(panel->Statusline->text(), QStringLiteral("Minimum supply voltage is 2.0 V!"));
        QCOMPARE(lines(), QStringList{QStringLiteral("V64")});
        rig->board().clearReceived();
        panel->PowerSupply->setText(QStringLiteral("3,3"));
        panel->PowerSupply_LostFocus();
        QCOMPARE(panel->Statusline->text(),
                 QStringLiteral("Incorrect Power Supply voltage format!  (3,3 V)"));
        QCOMPARE(lines(), QStringList{QStringLiteral("V98")});
    }

    void supplyBoxWithClosedPortWarnsOnce() {
        open();
        closePort();
        panel->PowerSupply->setText(QStringLiteral("3"));
        panel->PowerSupply_LostFocus();
        panel->PowerSupply_LostFocus();
        QCOMPARE(
            rig->messageTexts(),
            QStringList{QStringLiteral(
                "Commport not available, please open commport. PSU setting was not updated.")});
        QCOMPARE(panel->Statusline->text(), Fault);
    }

    void statusReadSendsItsLinesAndLightsIndicators_data() {
        QTest::addColumn<int>("word");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("offset");
        QTest::newRow("top and bottom bit") << 0x8001 << "1000000000000001"
                                            << " 2.5";
        QTest::newRow("offset -1 step") << 0x001F << "0000000000011111"
                                        << "-2.5";
        QTest::newRow("offset 15 steps") << 0x400F << "0100000000001111"
                                         << " 37.5";
        QTest::newRow("all clear") << 0x0000 << "0000000000000000"
                                   << " 0";
    }
    void statusReadSendsItsLinesAndLightsIndicators() {
        QFETCH(int, word);
        QFETCH(QString, pattern);
        QFETCH(QString, offset);
        open();
        rig->board().setStatusWord(quint16(word));
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(panel->StatusReadActive);
        QVERIFY(readDone());
        QCOMPARE(lines(), (QStringList{"H2", "L2", "L0", "RS", "RS", "H2"}));
        QCOMPARE(litPattern(*panel), pattern);
        QCOMPARE(panel->Foffset->text(), offset);
        QVERIFY(!panel->StatusReadActive);
        QVERIFY(panel->LabelUpdate->isVisibleTo(panel));
    }

    void indicatorsLookUnreadUntilTheirFirstRead() {
        open();
        QVERIFY(QPalette().color(QPalette::Dark) != QPalette().color(QPalette::Button));
        auto pattern = [this] {
            QString shown;
            for (int i = 1; i <= 16; ++i)
                shown += QChar::fromLatin1(looks(panel->status[i]));
            return shown + u' ' + QChar::fromLatin1(looks(panel->IRQ));
        };
        QCOMPARE(pattern(), QStringLiteral("UUUUUUUUUUUUUUUU U"));
        rig->board().setStatusWord(0x8001);
        panel->ReadStatus_Click();
        QVERIFY(readDone());
        QCOMPARE(pattern(), QStringLiteral("LDDDDDDDDDDDDDDL U"));
        panel->IRQpoll_Click();
        QVERIFY(readDone());
        QCOMPARE(pattern(), QStringLiteral("LDDDDDDDDDDDDDDL D"));
    }

    void statusReadOnReceiverUsesSixOffsetBits() {
        open(QStringLiteral("DruskV1"));
        rig->board().setStatusWord(0x003F);
        panel->ReadStatus_Click();
        QVERIFY(readDone());
        QCOMPARE(panel->Foffset->text(), QStringLiteral("-2.5"));
    }

    void statusReadWithAfcSwitchesItOffAndBack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("transceiver")
            << "YambleV3"
            << QStringList{"S2C4F6", "S2C4F6", "H2", "L2", "L0", "RS", "RS", "H2", "S2C4F7"};
        QTest::newRow("receiver") << "DruskV1" << QStringList{"S2C4F6", "H2", "L2", "L0",
                                                              "RS",     "RS", "H2", "S2C4F7"};
    }
    void statusReadWithAfcSwitchesItOffAndBack() {
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        open(name);
        panel->afcen->setChecked(true);
        panel->Update_Click();
        rig->board().clearReceived();
        panel->ReadStatus_Click();
        QVERIFY(readDone());
        QCOMPARE(lines(), expected);
        QVERIFY(panel->afcen->isChecked());
        QCOMPARE(panel->AFCw->text(), QStringLiteral("C4F7"));
        QVERIFY(!panel->LabelUpdate->isVisibleTo(panel));
    }

    // A read whose reply did not come, or came with the error ending, is no reading.
    void unansweredReadsKeepWhatTheyShow_data() {
        QTest::addColumn<int>("fault");
        QTest::newRow("no reply") << int(sim::Fault::NoReply);
        QTest::newRow("error ending") << int(sim::Fault::ErrorEnding);
    }
    void unansweredReadsKeepWhatTheyShow() {
        QFETCH(int, fault);
        open();
        rig->board().setStatusWord(0x8001);
        rig->board().setInterruptPending(true);
        panel->ReadStatus_Click();
        QVERIFY(readDone());
        panel->IRQpoll_Click();
        QVERIFY(readDone());
        QVERIFY(lit(panel->IRQ));
        rig->board().setStatusWord(0x0000);
        rig->board().setInterruptPending(false);
        rig->board().clearReceived();
        // Only the two "RS" lines, then the "RI" line, go wrong.
        connect(&rig->board(), &sim::BoardSimulator::lineReceived, panel,
                [this, fault](const QString& line) {
                    if (line == QStringLiteral("L0"))
                        rig->board().setFault(sim::Fault(fault), 2);
                });
        panel->ReadStatus_Click();
        QVERIFY(readDone());
        QCOMPARE(lines(), (QStringList{"H2", "L2", "L0", "RS", "RS", "H2"}));
        QCOMPARE(litPattern(*panel), QStringLiteral("1000000000000001"));
        QCOMPARE(panel->Foffset->text(), QStringLiteral(" 2.5"));
        QCOMPARE(panel->Statusline->text(), Fault);
        QCOMPARE(rig->main().CommState, 0L);

        panel->Statusline->clear();
        rig->board().setFault(sim::Fault(fault), 1);
        panel->IRQpoll_Click();
        QVERIFY(readDone());
        QVERIFY(lit(panel->IRQ));
        QCOMPARE(panel->Statusline->text(), Fault);
    }

    void transactionRefusals_data() {
        QTest::addColumn<bool>("portClosed");
        QTest::addColumn<QString>("message");
        QTest::newRow("closed") << true << NotConnected;
        QTest::newRow("busy") << false << Busy;
    }
    void transactionRefusals() {
        QFETCH(bool, portClosed);
        QFETCH(QString, message);
        open();
        TransactionHold other;
        if (portClosed)
            closePort();
        else
            other = rig->main().CommState.take(7);
        panel->ReadStatus_Click();
        panel->IRQpoll_Click();
        QCOMPARE(rig->messageTexts(), (QStringList{message, message}));
        QCOMPARE(rig->main().CommState, portClosed ? 0L : 7L);
        QVERIFY(!panel->Timer3->isActive());
        QVERIFY(!panel->Timer1->isActive());
        QVERIFY(lines().isEmpty());
    }

    void clickDuringReadIsBusyAndReadCompletes() {
        open();
        panel->ReadStatus_Click();
        panel->ReadStatus_Click();
        QCOMPARE(rig->messageTexts(), QStringList{Busy});
        QVERIFY(readDone());
        QCOMPARE(lines().size(), 6);
    }

    void interruptPoll_data() {
        QTest::addColumn<bool>("pending");
        QTest::newRow("pending") << true;
        QTest::newRow("none") << false;
    }
    void interruptPoll() {
        QFETCH(bool, pending);
        open();
        rig->board().setInterruptPending(pending);
        QTest::mouseClick(panel->IRQpoll, Qt::LeftButton);
        QVERIFY(
            waitUntil([this] { return rig->main().CommState == 0 && !panel->Timer1->isActive(); }));
        QCOMPARE(lines(), QStringList{QStringLiteral("RI")});
        QCOMPARE(lit(panel->IRQ), pending);
    }

    void doubleClickRepeatsUntilFocusLeaves() {
        open();
        // Long enough for one read to end before the next tick.
        panel->RepStatusReadTimer->setInterval(500);
        panel->activateWindow();
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QTest::mouseDClick(panel->ReadStatus, Qt::LeftButton);
        QTest::mouseRelease(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(panel->repeating());
        QVERIFY(waitUntil([this] { return lines().count(QStringLiteral("L2")) >= 3; }, 3000));
        QVERIFY(waitUntil([this] {
            return panel->ReadStatus->palette().color(QPalette::Button) == QColor(255, 255, 0);
        }));
        QVERIFY(waitUntil([this] {
            return panel->ReadStatus->palette().color(QPalette::Button) != QColor(255, 255, 0);
        }));
        QFocusEvent leave(QEvent::FocusOut);
        QApplication::sendEvent(panel->ReadStatus, &leave);
        QVERIFY(!panel->repeating());
        QVERIFY(rig->messageTexts().isEmpty());
    }

    void singleClickEndsRepetition() {
        open();
        panel->ReadStatus_DblClick();
        QVERIFY(panel->repeating());
        QTest::mouseClick(panel->ReadStatus, Qt::LeftButton);
        QVERIFY(!panel->repeating());
        QVERIFY(readDone());
        QCOMPARE(lines().count(QStringLiteral("L2")), 1);
    }

    void refusedRepetitionTickStopsRepeating() {
        open();
        panel->RepStatusReadTimer->setInterval(50);
        panel->ReadStatus_DblClick();
        closePort();
        QVERIFY(waitUntil([this] { return !panel->repeating(); }, 2000));
        QTest::qWait(200);
        QCOMPARE(rig->messageTexts(), QStringList{NotConnected});
    }

    void showStatusTogglesTheStatusArea() {
        open();
        QMdiSubWindow* frame = rig->main().frameOf(panel);
        QCOMPARE(frame->height(), twipsToPixels(8800));
        panel->ShowStatus_Click();
        QCOMPARE(frame->height(), twipsToPixels(9700));
        QCOMPARE(panel->ShowStatus->text(), QStringLiteral("Hide Status"));
        panel->ShowStatus_Click();
        QCOMPARE(frame->height(), twipsToPixels(8800));
        QCOMPARE(panel->ShowStatus->text(), QStringLiteral("Show Status"));
    }

    void pagesShowOneFrame() {
        open();
        QCOMPARE(panel->CurrentTab, 1L);
        panel->TabStrip1->setCurrentIndex(1);
        QCOMPARE(panel->CurrentTab, 2L);
        QVERIFY(panel->Frame[2]->isVisibleTo(panel));
        QVERIFY(!panel->Frame[1]->isVisibleTo(panel));
    }

    void unloadSendsReleaseAndFreesTransaction() {
        open();
        rig->main().YambleV3_show();
        panel->EnRxFIFO->setChecked(true);
        panel->Update_Click();
        panel->ReadStatus_Click();
        rig->board().clearReceived();
        rig->main().unloadForm(QStringLiteral("YambleV3"));
        QCOMPARE(lines(), QStringList{QStringLiteral("Z3")});
        QCOMPARE(rig->main().CommState, 0L);
        QVERIFY(rig->main().CB_Mode->isEnabled());
        QVERIFY(!rig->main().TRXon);
        QVERIFY(!rig->main().loadedForm(QStringLiteral("YambleV3")));
    }

    void unloadWithClosedPortSendsNothing() {
        open();
        closePort();
        rig->main().unloadForm(QStringLiteral("YambleV3"));
        QVERIFY(lines().isEmpty());
        QVERIFY(rig->messageTexts().isEmpty());
    }
};

QTEST_MAIN(ChipPanelTest)
#include "test_chippanel.moc"
