#include "app/ismmain.h"
#include "panels/transmitter/transmitterpanel.h"
#include "readable.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

using namespace krv;

namespace {

struct Layout {
    const char* name;
    const char* form;
    void (ISMmain::*show)();
    bool bVariant;
};

const Layout layouts[] = {{"MivraV2", "MivraV2", &ISMmain::MivraV2_show, false},
                          {"HT531B", "MivraV2", &ISMmain::MivraV2_show, true},
                          {"PelkoV1", "PelkoV1", &ISMmain::PelkoV1_show, false},
                          {"HT539", "HT539", &ISMmain::Harx_show, false}};

} // namespace

// The three transmitter panels, and the HT531B layout, open near their design size on the
// screens users have, with every caption whole.
class TransmitterLayoutTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rig> rig;

    TransmitterPanel* open(const Layout& layout) {
        ISMmain& main = rig->main();
        main.SetBijakuMode(layout.bVariant);
        (main.*layout.show)();
        return main.loadedForm<TransmitterPanel>(QString::fromLatin1(layout.form));
    }

private Q_SLOTS:
    void init() {
        rig = std::make_unique<test::Rig>();
        QVERIFY(rig->connectBoard());
        rig->main().show();
    }
    void cleanup() { rig.reset(); }

    void panelsOpenWithinTheirBoundsAndStayThere_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(layouts)); ++i)
            QTest::newRow(layouts[i].name) << i;
    }
    void panelsOpenWithinTheirBoundsAndStayThere() {
        QFETCH(int, index);
        const Layout& layout = layouts[index];
        const QString name = QString::fromLatin1(layout.name);
        TransmitterPanel* panel = open(layout);
        QVERIFY(panel && panel->isVisible());
        QMdiSubWindow* frame = rig->main().frameOf(panel);
        const QSize opened = frame->size();

        test::checkReadable(panel, name);
        test::checkPanelSize(panel, name);

        panel->ShowStatus_Click();
        QVERIFY(panel->status[1]->isVisible());
        test::checkPanelSize(panel, name, true);
        QVERIFY(frame->height() > opened.height());
        test::checkReadable(panel, name + QStringLiteral("_status"));

        panel->ShowStatus_Click();
        QCOMPARE(frame->size(), opened);
        panel->ShowStatus_Click();
        panel->ShowStatus_Click();
        QCOMPARE(frame->size(), opened);
    }

    void clockOutputCaptionStandsClearOfItsBox_data() {
        panelsOpenWithinTheirBoundsAndStayThere_data();
    }
    void clockOutputCaptionStandsClearOfItsBox() {
        QFETCH(int, index);
        TransmitterPanel* panel = open(layouts[index]);
        QCoreApplication::processEvents();
        QStyleOptionButton option;
        option.initFrom(panel->pm0);
        const QRect indicator =
            panel->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, panel->pm0);
        const int boxRight = panel->pm0->mapTo(panel, indicator.topRight()).x();
        const int captionLeft = panel->Label47->mapTo(panel, QPoint(0, 0)).x();
        const int spacing = panel->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        QVERIFY2(captionLeft > boxRight + spacing / 2,
                 qPrintable(QStringLiteral("box ends at %1, caption starts at %2")
                                .arg(boxRight)
                                .arg(captionLeft)));
    }
};

QTEST_MAIN(TransmitterLayoutTest)
#include "tst_txlayout.moc"
