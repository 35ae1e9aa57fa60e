#include "windowplacement.h"

#include <algorithm>

namespace krv {

namespace {

qint64 areaOf(const QRect& r) {
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// Weights of what a place does wrong; the place with the least sum wins.
constexpr int coversUpdate = 1000;
constexpr int hidesWindow = 100;
constexpr int coversPanel = 50;
constexpr int overlapsWindow = 1;

int cost(const PlacementScene& scene, const QRect& place) {
    int sum = 0;
    if (scene.keep.intersects(place))
        sum += coversUpdate;
    for (const QRect& tool : scene.tools) {
        const QRect shared = tool.intersected(place);
        if (2 * areaOf(shared) > areaOf(tool))
            sum += hidesWindow;
        else if (!shared.isEmpty())
            sum += overlapsWindow;
    }
    const bool sideBySide =
        !scene.panel.isEmpty() && scene.panel.width() + place.width() <= scene.area.width();
    if (sideBySide && scene.panel.intersects(place))
        sum += coversPanel;
    return sum;
}

} // namespace

QPoint placeInView(const QRect& area, const QSize& size, const QPoint& wanted) {
    const int x = std::min(wanted.x(), area.right() + 1 - size.width());
    const int y = std::min(wanted.y(), area.bottom() + 1 - size.height());
    return {std::max(area.left(), x), std::max(area.top(), y)};
}

QPoint placeTool(const PlacementScene& scene, const QSize& size, const QPoint& wanted) {
    QList<QPoint> candidates{wanted};
    if (!scene.panel.isEmpty())
        candidates.append({scene.panel.right() + 1, scene.panel.top()});
    for (const QRect& tool : scene.tools) {
        candidates.append({tool.right() + 1, tool.top()});
        candidates.append({tool.left(), tool.bottom() + 1});
    }
    if (!scene.keep.isEmpty()) {
        const QRect& keep = scene.keep;
        candidates.append({keep.right() + 1, wanted.y()});
        candidates.append({wanted.x(), keep.bottom() + 1});
        candidates.append({keep.left() - size.width(), wanted.y()});
        candidates.append({wanted.x(), keep.top() - size.height()});
    }
    QPoint best;
    int bestCost = -1;
    for (const QPoint& candidate : std::as_const(candidates)) {
        const QPoint place = placeInView(scene.area, size, candidate);
        const int c = cost(scene, QRect(place, size));
        if (bestCost < 0 || c < bestCost) {
            best = place;
            bestCost = c;
        }
    }
    return best;
}

} // namespace krv
