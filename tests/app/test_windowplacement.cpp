#include "app/krvform.h"
#include "app/windowplacement.h"

#include <QTest>
#include <limits>

using namespace krv;

namespace {

PlacementScene sceneOf(const QRect& area, const QRect& panel, const QList<QRect>& kept,
                       const QList<QRect>& tools = {}, const QList<QRect>& later = {}) {
    PlacementScene scene;
    scene.area = area;
    scene.panel = panel;
    scene.kept = kept;
    scene.tools = tools;
    scene.later = later;
    return scene;
}

// A 1366x768 desktop's workspace with a chip panel at its top left, its Update button near the
// panel's right edge.
PlacementScene smallDesktop(const QList<QRect>& tools = {}) {
    return sceneOf(QRect(0, 0, 1366, 700), QRect(0, 0, 850, 640), {QRect(710, 300, 127, 22)},
                   tools);
}

// A workspace with a panel at its left and a window standing right of it, where the tool asks
// to be.
PlacementScene besideAWindow(int height) {
    return sceneOf(QRect(0, 0, 1600, height), QRect(0, 0, 1000, height), {},
                   {QRect(1000, 0, 500, 400)});
}

constexpr double huge = 1e11;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinite = std::numeric_limits<double>::infinity();

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
            << sceneOf(QRect(0, 0, 1366, 320), QRect(0, 0, 850, 320), {QRect(710, 300, 127, 20)},
                       {QRect(850, 0, 400, 300)})
            << QSize(400, 300) << QPoint(850, 0) << QPoint(450, 0);
        QTest::newRow("an overlap under 1% of a window counts as none: as asked")
            << besideAWindow(700) << QSize(300, 200) << QPoint(1000, 398) << QPoint(1000, 398);
        // As the asked-for place, beside and below the window would cover 30%, 20% and 15%.
        QTest::newRow("overlapping whatever it does: the least of the window")
            << besideAWindow(500) << QSize(300, 200) << QPoint(1000, 0) << QPoint(1300, 300);
        QTest::newRow("a kept part of a window other than a panel stays in sight")
            << sceneOf(QRect(0, 0, 1366, 700), QRect(), {QRect(900, 20, 400, 400)}, {})
            << QSize(300, 300) << QPoint(1000, 0) << QPoint(600, 0);
    }
    void toolWindows() {
        QFETCH(PlacementScene, scene);
        QFETCH(QSize, size);
        QFETCH(QPoint, wanted);
        QTEST(placeTool(scene, size, wanted), "place");
    }

    // One of a pair opens touching the other, on the side that best keeps to the rule.
    void partners_data() {
        QTest::addColumn<QList<QRect>>("tools");
        QTest::addColumn<QRect>("partner");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("right of the partner")
            << QList<QRect>{QRect(850, 0, 207, 180)} << QRect(850, 0, 207, 180) << QPoint(1057, 0);
        // The supply window beside the panel, the CW transmitter beside it: no room on the right,
        // the supply window on the left.
        QTest::newRow("below the partner where the sides are taken")
            << QList<QRect>{QRect(850, 0, 324, 180), QRect(1174, 0, 192, 180)}
            << QRect(1174, 0, 192, 180) << QPoint(1174, 180);
        QTest::newRow("left of the partner at the workspace's edge")
            << QList<QRect>{QRect(1218, 0, 148, 180)} << QRect(1218, 0, 148, 180)
            << QPoint(1070, 0);
    }
    void partners() {
        QFETCH(QList<QRect>, tools);
        QFETCH(QRect, partner);
        PlacementScene scene = smallDesktop(tools);
        scene.partner = partner;
        QTEST(placeTool(scene, QSize(148, 180), QPoint(850, 0)), "place");
    }

    // A window whose size changes where it stands grows from one of its corners, never jumps.
    void growing_data() {
        QTest::addColumn<PlacementScene>("scene");
        QTest::addColumn<QRect>("standing");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("place");
        const QRect panel(0, 0, 814, 660);
        const QList<QRect> kept{QRect(680, 620, 120, 24)};
        // An RF link test placed low beside the panel, its Receive tab taller than the room
        // below it.
        QTest::newRow("at the workspace's bottom: upwards as far as it must")
            << sceneOf(QRect(0, 0, 1280, 700), panel, kept, {}) << QRect(814, 326, 466, 300)
            << QSize(466, 450) << QPoint(814, 250);
        QTest::newRow("a later window below it: upwards off it")
            << sceneOf(QRect(0, 0, 1366, 700), panel, kept, {}, {QRect(850, 400, 324, 180)})
            << QRect(850, 200, 400, 200) << QSize(400, 350) << QPoint(850, 50);
        QTest::newRow("no room upwards: over the later window, which makes room")
            << sceneOf(QRect(0, 0, 1366, 700), panel, kept, {}, {QRect(850, 300, 324, 180)})
            << QRect(850, 0, 400, 300) << QSize(400, 450) << QPoint(850, 0);
        QTest::newRow("growing over a kept part below: upwards")
            << sceneOf(QRect(0, 0, 1366, 700), panel, kept, {}) << QRect(400, 500, 260, 100)
            << QSize(420, 150) << QPoint(400, 450);
        QTest::newRow("growing over a kept part on the right: leftwards")
            << sceneOf(QRect(0, 0, 1366, 700), panel, {QRect(700, 100, 50, 50)}, {})
            << QRect(400, 100, 250, 100) << QSize(350, 100) << QPoint(300, 100);
        QTest::newRow("back to its first size: where it stood")
            << sceneOf(QRect(0, 0, 1280, 700), panel, kept, {}) << QRect(814, 326, 466, 300)
            << QSize(466, 300) << QPoint(814, 326);
    }
    void growing() {
        QFETCH(PlacementScene, scene);
        QFETCH(QRect, standing);
        QFETCH(QSize, size);
        // Nowhere near the place asked for at opening: a window that stands keeps to its place.
        QTEST(placeTool(scene, size, QPoint(0, 0), standing), "place");
    }

    void centred_data() {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("the splash")
            << QRect(0, 0, 1920, 900) << QSize(400, 240) << QPoint(760, 330);
        QTest::newRow("larger than the area: its top left corner in view")
            << QRect(0, 0, 300, 200) << QSize(400, 240) << QPoint(0, 0);
    }
    void centred() {
        QFETCH(QRect, area);
        QFETCH(QSize, size);
        QTEST(placeCentred(area, size), "place");
    }

    // Whatever a workspace file holds, the window lands in view, no smaller than its minimum,
    // no larger than the workspace.
    void restored_data() {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("as saved") << 4500.0 << 15.0 << 4110.0 << 9705.0 << QRect(300, 1, 274, 647);
        QTest::newRow("huge size") << 4500.0 << 15.0 << huge << huge << QRect(0, 0, 1366, 700);
        QTest::newRow("workspace-sized, far down")
            << 4500.0 << 1e9 << 1e9 << 6000.0 << QRect(0, 300, 1366, 400);
        QTest::newRow("huge place")
            << huge << huge << 4110.0 << 9705.0 << QRect(1092, 53, 274, 647);
        QTest::newRow("negative") << -huge << -15.0 << -4110.0 << -1.0 << QRect(0, 0, 200, 150);
        QTest::newRow("not a number")
            << notANumber << notANumber << notANumber << 3000.0 << QRect(0, 0, 200, 200);
        QTest::newRow("infinite") << infinite << -infinite << infinite << -infinite
                                  << QRect(0, 0, 1366, 150);
    }
    void restored() {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        const QRect stored(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                           twipsToPixels(height));
        QTEST(restoredFrame(QRect(0, 0, 1366, 700), QSize(200, 150), stored), "frame");
    }
};

QTEST_MAIN(TestWindowPlacement)
#include "test_windowplacement.moc"
