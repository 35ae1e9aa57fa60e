#include "windowplacement.h"

#include <algorithm>
#include <tuple>

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
    // Asked for, beside the panel, beside or below a window already open.
    QList<QPoint> candidates{wanted};
    if (!scene.panel.isEmpty())
        candidates.append({scene.panel.right() + 1, scene.panel.top()});
    for (const QRect& tool : scene.tools) {
        candidates.append({tool.right() + 1, tool.top()});
        candidates.append({tool.left(), tool.bottom() + 1});
    }
    const qsizetype preferred = candidates.size();
    // Then every place lined up with an edge of what stands there, the workspace's and the
    // Update button's included, across and down.
    QList<int> across{wanted.x(), scene.area.left(), scene.area.right()};
    QList<int> down{wanted.y(), scene.area.top(), scene.area.bottom()};
    if (!scene.panel.isEmpty())
        across.append(scene.panel.right() + 1);
    if (!scene.keep.isEmpty()) {
        across.append({scene.keep.right() + 1, scene.keep.left() - size.width()});
        down.append({scene.keep.bottom() + 1, scene.keep.top() - size.height()});
    }
    for (const QRect& tool : scene.tools) {
        across.append({tool.right() + 1, tool.left() - size.width()});
        down.append({tool.bottom() + 1, tool.top() - size.height()});
    }
    for (const int y : std::as_const(down)) {
        for (const int x : std::as_const(across))
            candidates.append({x, y});
    }
    // The least wrong place: of equals, the first of the preferred ones, else the one nearest to
    // the asked-for place.
    const QPoint asked = placeInView(scene.area, size, wanted);
    QPoint best;
    std::tuple<int, int, qsizetype> bestScore{-1, 0, 0};
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const QPoint place = placeInView(scene.area, size, candidates.at(i));
        const bool isPreferred = i < preferred;
        const std::tuple<int, int, qsizetype> score{
            cost(scene, QRect(place, size)), isPreferred ? 0 : 1,
            isPreferred ? i : (place - asked).manhattanLength()};
        if (std::get<0>(bestScore) < 0 || score < bestScore) {
            best = place;
            bestScore = score;
        }
    }
    return best;
}

} // namespace krv
