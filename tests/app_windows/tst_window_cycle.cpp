#include "testsupport.h"

#include <QApplication>
#include <QTest>

using namespace krv;

// Opening and closing a window leaves nothing behind: what the heap holds after many cycles is
// what it held after the first. The allowance is far above the noise of a few hundred bytes a
// cycle and far below what a window's leftovers (pixmaps of its controls, its connections)
// come to.
class WindowCycleTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closedWindowLeavesNothing_data();
    void closedWindowLeavesNothing();
};

void WindowCycleTest::closedWindowLeavesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("transmitter panel") << QStringLiteral("MivraV2");
    QTest::newRow("register console") << QStringLiteral("SPI");
    QTest::newRow("EEPROM content editor") << QStringLiteral("ECET");
}

void WindowCycleTest::closedWindowLeavesNothing() {
    QFETCH(QString, name);
    test::Rig rig;
    QVERIFY(rig.connectBoard());
    rig.main().resize(1200, 900);
    rig.main().show();
    test::cycleForm(rig, name);
    constexpr int cycles = 50;
    const double before = double(test::heapInUse());
    for (int i = 0; i < cycles; ++i)
        test::cycleForm(rig, name);
    const double perCycle = (double(test::heapInUse()) - before) / cycles;
    QVERIFY2(perCycle < 3000, qPrintable(QStringLiteral("%1 bytes a cycle").arg(perCycle)));
}

int main(int argc, char* argv[]) {
    test::withoutHeapCache(argv);
    QApplication application(argc, argv);
    WindowCycleTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_window_cycle.moc"
