#include "readable.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace krv::test;

// The shared readability check must see each kind of fault it is there for, and nothing in a
// window that shows everything.
class ReadableTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabsNeedingArrowsAreSeen();
    void cutHeadingsAreSeen();
    void cutButtonTextIsSeen();
    void windowsOutOfTheWorkspaceAreSeen_data();
    void windowsOutOfTheWorkspaceAreSeen();
    void panelsOverTheirBoundsAreSeen();
};

void ReadableTest::tabsNeedingArrowsAreSeen() {
    QWidget window;
    auto* tabs = new QTabWidget(&window);
    tabs->setObjectName(QStringLiteral("tabs"));
    for (int i = 0; i < 7; ++i)
        tabs->addTab(new QWidget, QStringLiteral("Wake-up timer timeout %1").arg(i));
    tabs->setGeometry(0, 0, 300, 200);
    window.resize(300, 200);
    window.show();
    QCoreApplication::processEvents();
    QVERIFY(readabilityFaults(&window, QStringLiteral("w"))
                .join(u'\n')
                .contains(QStringLiteral("needs scroll arrows")));

    tabs->resize(tabs->tabBar()->sizeHint().width() + 20, 200);
    window.resize(tabs->size());
    QCoreApplication::processEvents();
    QCOMPARE(readabilityFaults(&window, QStringLiteral("w")), QStringList());
}

void ReadableTest::cutHeadingsAreSeen() {
    QWidget window;
    auto* grid = new QTableWidget(16, 2, &window);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Data")});
    grid->setGeometry(0, 0, 300, 300);
    window.resize(300, 300);
    window.show();
    QCoreApplication::processEvents();
    QCOMPARE(readabilityFaults(&window, QStringLiteral("w")), QStringList());

    grid->setColumnWidth(0, 12);
    QCOMPARE(readabilityFaults(&window, QStringLiteral("w")).size(), 1);
    QVERIFY(readabilityFaults(&window, QStringLiteral("w"))
                .first()
                .startsWith(QStringLiteral("w.grid heading \"Item\" is cut")));
}

void ReadableTest::cutButtonTextIsSeen() {
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Refresh Register Table"), &window);
    button->setObjectName(QStringLiteral("MacroCmd_0"));
    button->setGeometry(0, 0, 40, 24);
    window.resize(300, 100);
    window.show();
    QVERIFY(readabilityFaults(&window, QStringLiteral("w"))
                .join(u'\n')
                .contains(QStringLiteral("w.MacroCmd_0 \"Refresh Register Table\" is cut")));
}

void ReadableTest::windowsOutOfTheWorkspaceAreSeen_data() {
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("inView");
    QTest::newRow("inside") << QRect(100, 50, 200, 100) << true;
    QTest::newRow("at the far corner") << QRect(200, 200, 200, 100) << true;
    QTest::newRow("right of the area") << QRect(350, 0, 200, 100) << false;
    QTest::newRow("partly below") << QRect(0, 250, 200, 100) << false;
    QTest::newRow("left of the area") << QRect(-10, 0, 200, 100) << false;
    QTest::newRow("taller than the area, at its top") << QRect(0, 0, 200, 500) << true;
    QTest::newRow("taller than the area, lower") << QRect(0, 20, 200, 500) << false;
}

void ReadableTest::windowsOutOfTheWorkspaceAreSeen() {
    QFETCH(QRect, place);
    QFETCH(bool, inView);
    QMdiArea area;
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area.setFrameShape(QFrame::NoFrame);
    area.resize(400, 300);
    auto* window = new QWidget;
    QMdiSubWindow* frame = area.addSubWindow(window);
    area.show();
    frame->show();
    frame->setGeometry(place);
    QCOMPARE(area.viewport()->size(), QSize(400, 300));
    QCOMPARE(workspaceFaults(window, QStringLiteral("w")).isEmpty(), inView);
    QCOMPARE(readabilityFaults(window, QStringLiteral("w")).isEmpty(), inView);
}

void ReadableTest::panelsOverTheirBoundsAreSeen() {
    QCOMPARE(panelDesignHeightTwips(QStringLiteral("PelkoV1")), 10380);
    QCOMPARE(panelDesignHeightTwips(QStringLiteral("HT539"), true), 10800);
    QCOMPARE(panelDesignHeightTwips(QStringLiteral("HC913B")), 8800);
    QCOMPARE(panelDesignHeightTwips(QStringLiteral("SPI")), 0);
    QWidget panel;
    panel.setObjectName(QStringLiteral("YambleV3"));
    const int dpi = panel.logicalDpiY();
    // 8800 twips: at most 1.1 x 8800 twips high; 9810 twips: at most 1.4 x 9810 wide.
    const int maxHeight = int(1.1 * 8800 * dpi / 1440.0);
    const int maxWidth = int(1.4 * 9810 * panel.logicalDpiX() / 1440.0);
    panel.resize(maxWidth, maxHeight);
    QCOMPARE(panelSizeFault(&panel, 8800), QString());
    panel.resize(maxWidth + 1, maxHeight);
    QVERIFY(!panelSizeFault(&panel, 8800).isEmpty());
    panel.resize(maxWidth, maxHeight + 1);
    QVERIFY(panelSizeFault(&panel, 8800).startsWith(QStringLiteral("YambleV3 is")));
}

QTEST_MAIN(ReadableTest)
#include "tst_readable.moc"
