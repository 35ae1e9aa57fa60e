// The link tool windows open near their design size (their frame within 1.15 times the design's
// width and height, at the platform's font) with every control whole, in each state that
// changes their layout; with another font or display scale they stay whole.

#include "app/wholetitle.h"
#include "readable.h"
#include "rflinktest.h"
#include "tools/rflink/transceiverrflink.h"

#include <QMdiSubWindow>
#include <QTabBar>
#include <QTest>

using namespace krv;
using krv::test::LinkRig;

namespace {

// Opens the tool over the panel it serves, as the menus do.
QWidget* openTool(ISMmain& main, const QString& panel, const QString& form) {
    if (panel == QStringLiteral("YambleV3"))
        main.YambleV3_show();
    else if (panel == QStringLiteral("FRM_Zenth"))
        main.Zenth_show();
    else if (panel == QStringLiteral("DruskV1"))
        main.DruskV1_show();
    if (form.startsWith(QStringLiteral("DruskV1rflink")))
        main.mnuToolsRFlink_Click();
    else if (form == QStringLiteral("frm_ZiborSniffer"))
        main.ShowSnifferOptions();
    else
        main.showToolWindow(form);
    return main.loadedForm(form);
}

} // namespace

class WindowSizesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void toolsOpenNearTheirDesignSize_data() {
        QTest::addColumn<int>("board");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QSize>("designTwips");
        QTest::newRow("receiver link test, board 2.x")
            << 2 << "DruskV1"
            << "DruskV1rflink_LB2" << 0 << QSize(6050, 6800);
        QTest::newRow("receiver link test, board 1.x") << 1 << "DruskV1"
                                                       << "DruskV1rflink" << 0 << QSize(6050, 6800);
        for (const char* panel : {"YambleV3", "FRM_Zenth"}) {
            QTest::addRow("transceiver link test on %s, transmit", panel)
                << 2 << panel << "Frm_YambleRfLinkTest" << 0
                << QSize(rflink::Frm_YambleRfLinkTest::widthTwips, 4640);
            QTest::addRow("transceiver link test on %s, receive", panel)
                << 2 << panel << "Frm_YambleRfLinkTest" << 1
                << QSize(rflink::Frm_YambleRfLinkTest::widthTwips, 6800);
        }
        QTest::newRow("CW link transmitter") << 2 << "YambleV3"
                                             << "frm_Link" << 0 << QSize(3100, 2700);
        QTest::newRow("CW link receiver") << 2 << "YambleV3"
                                          << "frm_Link_RX" << 0 << QSize(2220, 2700);
        QTest::newRow("sniffer options") << 2 << ""
                                         << "frm_ZiborSniffer" << 0 << QSize(8640, 6855);
    }

    void toolsOpenNearTheirDesignSize() {
        QFETCH(int, board);
        QFETCH(QString, panel);
        QFETCH(QString, form);
        QFETCH(int, tab);
        QFETCH(QSize, designTwips);
        LinkRig rig(board == 1 ? sim::Personality::Board1 : sim::Personality::Board2);
        QVERIFY(rig.connectBoard());
        rig.main().show();
        QWidget* window = openTool(rig.main(), panel, form);
        QVERIFY(window);
        if (auto* tabs = window->findChild<QTabBar*>(QStringLiteral("TabStrip1")))
            tabs->setCurrentIndex(tab);
        const QString name = form + QStringLiteral("_") + QTest::currentDataTag();
        test::checkReadable(window, name.simplified().replace(u' ', u'_'));
        QMdiSubWindow* frame = rig.main().frameOf(window);
        const TitleRoom title = titleRoom(frame);
        QVERIFY2(title.given >= title.needed,
                 qPrintable(
                     QStringLiteral("title: %1 px for %2 px").arg(title.given).arg(title.needed)));
        test::checkNearDesignSize(window, designTwips.width(), designTwips.height());
    }
};

QTEST_MAIN(WindowSizesTest)
#include "tst_windowsizes.moc"
