#include "panellayout.h"
#include "panels/receiver/druskv1.h"
#include "panels/receiver/ovalt.h"
#include "readable.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace krv;

// The receiver panels as a user sees them, on the screen the test runs on.
class ReceiverLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensWithinItsDesign_data();
    void opensWithinItsDesign();
    void olderRevisionKeepsThePanelWhole();
};

void ReceiverLayout::opensWithinItsDesign_data() {
    QTest::addColumn<QString>("form");
    QTest::newRow("HR651") << "DruskV1";
    QTest::newRow("HR658") << "Ovalt";
}

void ReceiverLayout::opensWithinItsDesign() {
    QFETCH(QString, form);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    const auto show =
        form == QStringLiteral("DruskV1") ? &ISMmain::DruskV1_show : &ISMmain::Ovalt_show;
    ChipPanel* panel = test::checkPanelLayout(main, show, form, form);
    QVERIFY(panel);
    // Every page, and the calibration mark that a band change shows, as well.
    for (int page = 1; page < panel->TabStrip1->count(); ++page) {
        panel->TabStrip1->setCurrentIndex(page);
        test::checkReadable(panel, QStringLiteral("%1_page%2").arg(form).arg(page + 1));
        test::checkListsWhole(panel, form);
    }
    panel->findChild<QRadioButton*>(QStringLiteral("Band915"))->setChecked(true);
    QVERIFY(panel->LabelCalibration->isVisible());
    test::checkReadable(panel, form + QStringLiteral("_calibrate"));
    test::checkPanelSize(panel, form);
}

void ReceiverLayout::olderRevisionKeepsThePanelWhole() {
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    ISMmain& main = rig.main();
    main.show();
    main.DruskV1_show();
    auto* panel = main.loadedForm<DruskV1>(QStringLiteral("DruskV1"));
    panel->Revision->setCurrentText(QStringLiteral("'E' or below"));
    panel->ShowStatus_Click();
    test::checkReadable(panel, QStringLiteral("DruskV1_revisionE"));
    test::checkListsWhole(panel, QStringLiteral("DruskV1_revisionE"));
    test::checkPanelSize(panel, QStringLiteral("DruskV1"), true);
}

QTEST_MAIN(ReceiverLayout)
#include "tst_receiverlayout.moc"
