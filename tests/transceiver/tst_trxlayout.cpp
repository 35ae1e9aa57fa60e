#include "panellayout.h"
#include "panels/transceiver/transceiverpanel.h"
#include "readable.h"
#include "testsupport.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

using namespace krv;

// The transceiver panels as a user sees them, on the screen the test runs on.
class TrxLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithinItsDesign_data();
    void opensWithinItsDesign();
    void heightIsIndependentOfWhatWasOpenBefore();
    void calibrationMarkKeepsThePanelWhole();
    void linkTestStandsBesideThePanel();
};

void TrxLayout::opensWithinItsDesign_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("bVariant");
    QTest::newRow("HC913") << "YambleV3"
                           << "YambleV3" << false;
    QTest::newRow("HC913B") << "YambleV3"
                            << "HC913B" << true;
    QTest::newRow("HC916") << "FRM_Zenth"
                           << "FRM_Zenth" << false;
}

void TrxLayout::opensWithinItsDesign() {
    QFETCH(QString, form);
    QFETCH(QString, layout);
    QFETCH(bool, bVariant);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.SetBijakuMode(bVariant);
    const auto show =
        form == QStringLiteral("YambleV3") ? &ISMmain::YambleV3_show : &ISMmain::Zenth_show;
    ChipPanel* panel = test::checkPanelLayout(main, show, form, layout);
    QVERIFY(panel);
    // Every page as well.
    for (int page = 1; page < panel->TabStrip1->count(); ++page) {
        panel->TabStrip1->setCurrentIndex(page);
        test::checkReadable(panel, QStringLiteral("%1_page%2").arg(layout).arg(page + 1));
        test::checkListsWhole(panel, layout);
        test::checkPanelSize(panel, layout);
    }
}

// The HC913B layout opens at one height, whether it is the first panel of the run or comes after
// the HC916 and the HC913 layouts.
void TrxLayout::heightIsIndependentOfWhatWasOpenBefore() {
    auto openedHeight = [](bool others) {
        test::Rig rig;
        if (!rig.connectBoard())
            return -1;
        ISMmain& main = rig.main();
        main.show();
        if (others) {
            main.Zenth_show();
            main.YambleV3_show();
            main.YambleV3_show();
        }
        main.SetBijakuMode(true);
        main.YambleV3_show();
        QCoreApplication::processEvents();
        return main.frameOf(main.loadedForm(QStringLiteral("YambleV3")))->height();
    };
    const int first = openedHeight(false);
    QVERIFY(first > 0);
    QCOMPARE(openedHeight(true), first);
}

void TrxLayout::calibrationMarkKeepsThePanelWhole() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.YambleV3_show();
    auto* panel = main.loadedForm<YambleV3>(QStringLiteral("YambleV3"));
    panel->Band868->setChecked(true);
    QVERIFY(panel->LabelCalibration->isVisible());
    test::checkReadable(panel, QStringLiteral("YambleV3_calibrate"));
    test::checkPanelSize(panel, QStringLiteral("YambleV3"));
    // The mark stands beside its button, not under it.
    QVERIFY(!panel->LabelCalibration->geometry().intersects(panel->CalibratePLL->geometry()));
    QVERIFY(panel->LabelCalibration->width() >= panel->LabelCalibration->minimumSizeHint().width());
}

void TrxLayout::linkTestStandsBesideThePanel() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.YambleV3_show();
    main.mnuToolsYambleRFlink->trigger();
    QWidget* link = main.loadedForm(QStringLiteral("Frm_YambleRfLinkTest"));
    QVERIFY(link && link->isVisible());
    QCoreApplication::processEvents();
    QMdiSubWindow* panel = main.frameOf(main.loadedForm(QStringLiteral("YambleV3")));
    QMdiSubWindow* linkFrame = main.frameOf(link);
    test::checkInWorkspace(link, QStringLiteral("Frm_YambleRfLinkTest"));
    // Wherever the workspace has room for both, nothing of either is covered.
    const int room = panel->mdiArea()->viewport()->width();
    if (panel->width() + linkFrame->width() <= room)
        QVERIFY2(!panel->geometry().intersects(linkFrame->geometry()),
                 qPrintable(QStringLiteral("panel %1, link test %2 in %3 px")
                                .arg(panel->width())
                                .arg(linkFrame->x())
                                .arg(room)));
    else
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().width() < 1920);
}

QTEST_MAIN(TrxLayout)
#include "tst_trxlayout.moc"
