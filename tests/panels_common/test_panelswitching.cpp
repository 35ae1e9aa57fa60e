#include "testpanel.h"
#include "testsupport.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace krv;
using krv::test::TestPanel;

class PanelSwitchingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rig> rig;

    ISMmain& main() { return rig->main(); }
    bool shown(const QString& name) {
        QWidget* form = main().loadedForm(name);
        return form && main().frameOf(form)->isVisible();
    }
    void chooseFromDropdown(QToolButton* button, const QString& key) {
        for (QAction* action : button->menu()->actions())
            if (action->objectName() == key)
                action->trigger();
    }

private Q_SLOTS:
    void init() {
        rig = std::make_unique<test::Rig>();
        TestPanel::registerAs({QStringLiteral("YambleV3"), QStringLiteral("FRM_Zenth"),
                               QStringLiteral("DruskV1"), QStringLiteral("Ovalt")});
        QVERIFY(rig->connectBoard());
        main().show();
    }
    void cleanup() { rig.reset(); }

    void viewItemShowsAndHidesItsPanel() {
        main().mnuViewTRx->trigger();
        QVERIFY(shown(QStringLiteral("YambleV3")));
        QVERIFY(main().TRXon);
        QVERIFY(main().mnuViewTRx->isChecked());
        QVERIFY(main().TRXButton->isChecked());
        QCOMPARE(main().TRXButton->text(), QStringLiteral("HC913"));
        QCOMPARE(main().CurrentTrxChip, QStringLiteral("YambleV3"));
        auto* panel = main().loadedForm<TestPanel>(QStringLiteral("YambleV3"));
        QCOMPARE(panel->frameModeCalls, 1);
        for (QAction* item : {main().mnuToolsYambleTestmode, main().mnuToolsYambleRFlink,
                              main().mnutoolsRFSetup_TX, main().mnutoolsRFSetup_RX})
            QVERIFY(item->isEnabled());

        main().mnuViewTRx->trigger();
        QVERIFY(!shown(QStringLiteral("YambleV3")));
        QVERIFY(main().loadedForm(QStringLiteral("YambleV3")));
        QVERIFY(!main().TRXon);
        QVERIFY(!main().mnuViewTRx->isChecked());
        QVERIFY(!main().TRXButton->isChecked());
        for (QAction* item : {main().mnuToolsYambleTestmode, main().mnuToolsYambleRFlink,
                              main().mnutoolsRFSetup_TX, main().mnutoolsRFSetup_RX})
            QVERIFY(!item->isEnabled());
    }

    void showingAnotherFamilyHidesTheShownPanel() {
        main().mnuViewZenthTRx->trigger();
        QVERIFY(shown(QStringLiteral("FRM_Zenth")));
        main().mnuViewOvaltRx->trigger();
        QVERIFY(shown(QStringLiteral("Ovalt")));
        QVERIFY(!shown(QStringLiteral("FRM_Zenth")));
        QVERIFY(!main().TRX1on);
        QVERIFY(main().RX1on);
        QVERIFY(main().RXButton->isChecked());
        QVERIFY(!main().TRXButton->isChecked());
        QVERIFY(main().mnuToolsRFlink->isEnabled());
        QVERIFY(main().mnutoolsRFSetup_RX->isEnabled());
        QVERIFY(!main().mnuToolsYambleRFlink->isEnabled());
        // The receiver View items leave the dropdown choice alone.
        QVERIFY(main().CurrentRxChip.isEmpty());
        QCOMPARE(main().RXButton->text(), QStringLiteral("HR65x"));
    }

    void bVariantItemReshowsInBLayout() {
        main().mnuViewTRx->trigger();
        main().mnuViewTRxBijaku->trigger();
        QVERIFY(main().IsBijakuModeSet());
        QVERIFY(shown(QStringLiteral("YambleV3")));
        QVERIFY(main().mnuViewTRxBijaku->isChecked());
        QVERIFY(!main().mnuViewTRx->isChecked());
        QCOMPARE(main().TRXButton->text(), QStringLiteral("HC913B"));
        main().mnuViewTRxBijaku->trigger();
        QVERIFY(shown(QStringLiteral("YambleV3")));
        main().mnuViewTRx->trigger();
        QVERIFY(!main().IsBijakuModeSet());
        QVERIFY(!shown(QStringLiteral("YambleV3")));
        QVERIFY(!main().mnuViewTRxBijaku->isChecked());
    }

    void familyButtonWithoutChoiceAsks_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("TX")
            << "TX"
            << "Please select HT531, HT531B, HT537 or HT539 from the dropdown list!";
        QTest::newRow("RX") << "RX"
                            << "Please select HR651 or HR658 from the dropdown list!";
        QTest::newRow("TRX") << "TRX"
                             << "Please select HC913, HC913B or HC916 from the dropdown list!";
    }
    void familyButtonWithoutChoiceAsks() {
        QFETCH(QString, key);
        QFETCH(QString, message);
        main().mnuViewOvaltRx->trigger();
        rig->dialogs().messages.clear();
        auto* button = main().Toolbar1->findChild<QToolButton*>(key);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        QCOMPARE(rig->messageTexts(), QStringList{message});
        QVERIFY(shown(QStringLiteral("Ovalt")));
        QCOMPARE(button->isChecked(), key == QStringLiteral("RX"));
    }

    void dropdownChoiceRemembersAndButtonToggles() {
        chooseFromDropdown(main().RXButton, QStringLiteral("Drusk"));
        QCOMPARE(main().RXButton->text(), QStringLiteral("HR651"));
        QVERIFY(shown(QStringLiteral("DruskV1")));
        main().Toolbar1_ButtonClick(QStringLiteral("RX"));
        QVERIFY(!shown(QStringLiteral("DruskV1")));
        main().Toolbar1_ButtonClick(QStringLiteral("RX"));
        QVERIFY(shown(QStringLiteral("DruskV1")));
        QVERIFY(main().RXButton->isChecked());
    }

    void zenthButtonHidesHc913PanelFirst() {
        chooseFromDropdown(main().TRXButton, QStringLiteral("Zenth"));
        QVERIFY(shown(QStringLiteral("FRM_Zenth")));
        QVERIFY(!main().loadedForm(QStringLiteral("YambleV3")));
        main().Toolbar1_ButtonClick(QStringLiteral("TRX"));
        // The HC913 panel's hide procedure ran first and loaded that panel, hidden.
        QVERIFY(main().loadedForm(QStringLiteral("YambleV3")));
        QVERIFY(!shown(QStringLiteral("YambleV3")));
        QVERIFY(!shown(QStringLiteral("FRM_Zenth")));
        QVERIFY(!main().TRX1on);
        main().Toolbar1_ButtonClick(QStringLiteral("TRX"));
        QVERIFY(shown(QStringLiteral("FRM_Zenth")));
    }

    void unregisteredTransmitterDoesNothingVisible() {
        main().mnuViewTRx->trigger();
        main().mnuViewTx2_Click();
        QVERIFY(!shown(QStringLiteral("YambleV3")));
        QVERIFY(main().TX2on);
        QVERIFY(main().TXButton->isChecked());
        QCOMPARE(main().TXButton->text(), QStringLiteral("HT539"));
        QVERIFY(!main().mnuToolsMivraTestmode->isEnabled());
        main().mnuViewTx2_Click();
        QVERIFY(!main().TX2on);
    }

    void toolbarItemHidesOnlyTheChipToolbar() {
        main().mnuViewToolbar_Click();
        QVERIFY(!main().Toolbar1->isVisible());
        QVERIFY(main().Toolbar2->isVisible());
        QVERIFY(!main().mnuViewToolbar->isChecked());
        main().mnuViewToolbar_Click();
        QVERIFY(main().Toolbar1->isVisible());
    }

    void toolItemsFollowTheShownFamilyAndBoard() {
        struct Case {
            const char* viewItem;
            int board;
            QStringList enabled;
        };
        const QStringList transceiver2 = {"mnuToolsYambleTestmode", "mnuToolsYambleRFlink",
                                          "mnutoolsRFSetup_TX", "mnutoolsRFSetup_RX"};
        // One board connection serves every case: each ends with its panel hidden again.
        const Case cases[] = {
            {"mnuViewTRx", 2, transceiver2},
            {"mnuViewZenthTRx", 2, transceiver2},
            {"mnuViewTRx", 1, {"mnuToolsYambleTestmode"}},
            {"mnuViewRx", 2, {"mnuToolsRFlink", "mnutoolsRFSetup_RX", "mnuToolsDruskTestmode"}},
            {"mnuViewOvaltRx", 0, {"mnuToolsRFlink", "mnuToolsDruskTestmode"}},
            {"mnuViewTx2", 2, {}},
        };
        const QStringList tools = {"mnutoolsECET",          "mnutoolsRFSetup_RX",
                                   "mnutoolsRFSetup_TX",    "mnuToolsRFlink",
                                   "mnuToolsYambleRFlink",  "mnuToolsMivraTestmode",
                                   "mnuToolsDruskTestmode", "mnuToolsYambleTestmode"};
        for (const Case& c : cases) {
            const QString what = QStringLiteral("%1 with board %2: ").arg(c.viewItem).arg(c.board);
            main().LoadBoardRev = c.board;
            auto* item = main().findChild<QAction*>(QString::fromLatin1(c.viewItem));
            item->trigger();
            QVERIFY2(item->isChecked(), qPrintable(what));
            for (const QString& tool : tools)
                QVERIFY2(main().findChild<QAction*>(tool)->isEnabled() == c.enabled.contains(tool),
                         qPrintable(what + tool));
            // Hiding the panel disables the family's items again.
            item->trigger();
            QVERIFY2(!item->isChecked(), qPrintable(what));
            for (const QString& tool : tools)
                QVERIFY2(!main().findChild<QAction*>(tool)->isEnabled(), qPrintable(what + tool));
        }
    }

    void workspaceShowsTransceiverPanelsThroughTheirShowProcedures() {
        main().mnuViewZenthTRx->trigger();
        main().frameOf(main().loadedForm(QStringLiteral("FRM_Zenth")))->move(30, 20);
        main().mnuSaveWorkspace->trigger();
        rig->writeSettings(QStringLiteral("1"), QStringLiteral("1"), 1);
        ISMmain& restarted = rig->start();
        QWidget* panel = restarted.loadedForm(QStringLiteral("FRM_Zenth"));
        QVERIFY(panel);
        QVERIFY(restarted.frameOf(panel)->isVisibleTo(&restarted));
        QCOMPARE(restarted.frameOf(panel)->pos(), QPoint(30, 20));
        QVERIFY(restarted.TRX1on);
        QVERIFY(restarted.TRXButton->isChecked());
        QVERIFY(restarted.mnuViewZenthTRx->isChecked());
        QVERIFY(restarted.mnuToolsYambleTestmode->isEnabled());
        QCOMPARE(restarted.loadedForm<TestPanel>(QStringLiteral("FRM_Zenth"))->frameModeCalls, 1);
    }

    void closingAPanelRunsItsHideProcedure() {
        main().mnuViewTRx->trigger();
        rig->board().clearReceived();
        main().frameOf(main().loadedForm(QStringLiteral("YambleV3")))->close();
        QVERIFY(!main().TRXon);
        QVERIFY(!main().mnuViewTRx->isChecked());
        QCOMPARE(rig->board().receivedLines(), QStringList{QStringLiteral("Z3")});
        QTest::qWait(20);
        QVERIFY(!main().loadedForm(QStringLiteral("YambleV3")));
    }
};

QTEST_MAIN(PanelSwitchingTest)
#include "test_panelswitching.moc"
