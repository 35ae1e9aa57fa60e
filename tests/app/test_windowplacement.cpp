#include "app/windowplacement.h"

#include <QTest>

using namespace krv;

namespace {

// A 1366x768 desktop's workspace with a chip panel at its top left, its Update button near the
// panel's right edge.
PlacementScene smallDesktop(QList<QRect> tools = {}) {
    return {QRect(0, 0, 1366, 700), QRect(0, 0, 850, 640), QRect(710, 300, 127, 22),
            std::move(tools)};
}

} // namespace

Q_DECLARE_METATYPE(krv::PlacementScene)

class TestWindowPlacement : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keptInView_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("inside") << QSize(200, 100) << QPoint(300, 50) << QPoint(300, 50);
        QTest::newRow("past the right and bottom edges")
            << QSize(200, 100) << QPoint(1300, 650) << QPoint(1166, 600);
        QTest::newRow("larger than the area") << QSize(1400, 800) << QPoint(30, 40) << QPoint();
    }
    void keptInView() {
        QFETCH(QSize, size);
        QFETCH(QPoint, wanted);
        QTEST(placeInView(QRect(0, 0, 1366, 700), size, wanted), "place");
    }

    void toolWindows_data() {
        QTest::addColumn<PlacementScene>("scene");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("wanted");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("beside the panel, as asked")
            << smallDesktop() << QSize(400, 300) << QPoint(850, 0) << QPoint(850, 0);
        // The CW receiver beside an HT531 panel asks for a place over the panel.
        QTest::newRow("asked over the panel: beside the window already there")
            << smallDesktop({QRect(850, 0, 291, 183)}) << QSize(194, 180) << QPoint(291, 0)
            << QPoint(1141, 0);
        // The supply window asks for the place the CW transmitter stands on.
        QTest::newRow("asked over a window, no room beside it: below it")
            << smallDesktop({QRect(850, 0, 291, 183)}) << QSize(324, 180) << QPoint(850, 0)
            << QPoint(850, 183);
        QTest::newRow("too wide to stand beside the panel: left of the Update button")
            << smallDesktop() << QSize(551, 595) << QPoint(850, 0) << QPoint(159, 0);
        QTest::newRow("no place clear of all: over the panel rather than over a window")
            << PlacementScene{QRect(0, 0, 1366, 320),
                              QRect(0, 0, 850, 320),
                              QRect(710, 300, 127, 20),
                              {QRect(850, 0, 400, 300)}}
            << QSize(400, 300) << QPoint(850, 0) << QPoint(450, 0);
    }
    void toolWindows() {
        QFETCH(PlacementScene, scene);
        QFETCH(QSize, size);
        QFETCH(QPoint, wanted);
        QTEST(placeTool(scene, size, wanted), "place");
    }
};

QTEST_MAIN(TestWindowPlacement)
#include "test_windowplacement.moc"
