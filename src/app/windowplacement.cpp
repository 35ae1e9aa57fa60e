#include "windowplacement.h"

#include <algorithm>
#include <tuple>

namespace krv {

namespace {

qint64 areaOf(const QRect& r) {
    return r.isEmpty() ? 0 : qint64(r.width()) * r.height();
}

// The part of `other` that a window at `place` covers, in percent of `other`; under 1% counts as
// none, as a frame's edge or a pixel of rounding would.
int coveredPercent(const QRect& place, const QRect& other) {
    const qint64 whole = areaOf(other);
    if (whole == 0)
        return 0;
    return int(100 * areaOf(place.intersected(other)) / whole);
}

} // namespace

bool overlapsNoticeably(const QRect& place, const QRect& other) {
    return coveredPercent(place, other) > 0;
}

namespace {

// What a place does wrong, most weighty first; the place with the least wins.
using Cost = std::tuple<int, int, int, int, int>;

Cost costOf(const PlacementScene& scene, const QRect& place) {
    int keptCovered = 0;
    for (const QRect& part : scene.kept) {
        if (part.intersects(place))
            ++keptCovered;
    }
    // One of a pair stands beside the other, never over it.
    int hidden = overlapsNoticeably(place, scene.partner) ? 1 : 0;
    int earlierOverlap = 0;
    for (const QRect& tool : scene.tools) {
        const int percent = coveredPercent(place, tool);
        if (percent > 50)
            ++hidden;
        earlierOverlap += percent;
    }
    int laterOverlap = 0;
    for (const QRect& tool : scene.later)
        laterOverlap += coveredPercent(place, tool);
    const bool sideBySide =
        !scene.panel.isEmpty() && scene.panel.width() + place.width() <= scene.area.width();
    const int panelCovered = sideBySide ? coveredPercent(place, scene.panel) : 0;
    return {keptCovered, hidden, panelCovered > 0 ? 1 : 0, earlierOverlap, laterOverlap};
}

// The places a window opening beside its partner weighs: right of it, left of it, below and
// above it, lined up with either of its edges.
QList<QPoint> besidePartner(const QRect& partner, const QSize& size) {
    const int left = partner.left() - size.width();
    const int above = partner.top() - size.height();
    const int alignRight = partner.right() + 1 - size.width();
    const int alignBottom = partner.bottom() + 1 - size.height();
    return {{partner.right() + 1, partner.top()},   {left, partner.top()},
            {partner.left(), partner.bottom() + 1}, {partner.left(), above},
            {partner.right() + 1, alignBottom},     {left, alignBottom},
            {alignRight, partner.bottom() + 1},     {alignRight, above}};
}

// The places a window weighs when it opens: asked for, beside the panel, beside or below a
// window already open (`preferred` of them), then every place lined up with an edge of what
// stands there, the workspace's and the kept parts' included, across and down.
QList<QPoint> openingPlaces(const PlacementScene& scene, const QSize& size, const QPoint& wanted,
                            qsizetype& preferred) {
    if (!scene.partner.isEmpty()) {
        const QList<QPoint> places = besidePartner(scene.partner, size);
        preferred = places.size();
        return places;
    }
    QList<QPoint> places{wanted};
    if (!scene.panel.isEmpty())
        places.append({scene.panel.right() + 1, scene.panel.top()});
    for (const QRect& tool : scene.tools) {
        places.append({tool.right() + 1, tool.top()});
        places.append({tool.left(), tool.bottom() + 1});
    }
    preferred = places.size();
    QList<int> across{wanted.x(), scene.area.left(), scene.area.right()};
    QList<int> down{wanted.y(), scene.area.top(), scene.area.bottom()};
    if (!scene.panel.isEmpty())
        across.append(scene.panel.right() + 1);
    for (const QList<QRect>* edges : {&scene.kept, &scene.tools}) {
        for (const QRect& r : *edges) {
            across.append({r.right() + 1, r.left() - size.width()});
            down.append({r.bottom() + 1, r.top() - size.height()});
        }
    }
    for (const int y : std::as_const(down)) {
        for (const int x : std::as_const(across))
            places.append({x, y});
    }
    return places;
}

// The places a window standing at `standing` weighs as its size changes: grown from each of its
// corners, the top left first, then upwards, leftwards, and both.
QList<QPoint> grownPlaces(const QRect& standing, const QSize& size) {
    const int left = standing.right() + 1 - size.width();
    const int top = standing.bottom() + 1 - size.height();
    return {standing.topLeft(), {standing.left(), top}, {left, standing.top()}, {left, top}};
}

} // namespace

QPoint placeInView(const QRect& area, const QSize& size, const QPoint& wanted) {
    const int x = std::min(wanted.x(), area.right() + 1 - size.width());
    const int y = std::min(wanted.y(), area.bottom() + 1 - size.height());
    return {std::max(area.left(), x), std::max(area.top(), y)};
}

QPoint placeTool(const PlacementScene& scene, const QSize& size, const QPoint& wanted,
                 const QRect& standing) {
    qsizetype preferred = 0;
    QList<QPoint> places;
    if (standing.isEmpty()) {
        places = openingPlaces(scene, size, wanted, preferred);
    } else {
        places = grownPlaces(standing, size);
        preferred = places.size();
    }
    // The least wrong place: of equals, the first of the preferred ones, else the one nearest to
    // the asked-for place.
    const QPoint asked = placeInView(scene.area, size, wanted);
    QPoint best;
    std::tuple<Cost, int, qsizetype> bestScore;
    for (qsizetype i = 0; i < places.size(); ++i) {
        const QPoint place = placeInView(scene.area, size, places.at(i));
        const bool isPreferred = i < preferred;
        const std::tuple<Cost, int, qsizetype> score{
            costOf(scene, QRect(place, size)), isPreferred ? 0 : 1,
            isPreferred ? i : (place - asked).manhattanLength()};
        if (i == 0 || score < bestScore) {
            best = place;
            bestScore = score;
        }
    }
    return best;
}

QPoint placeCentred(const QRect& area, const QSize& size) {
    const QPoint corner(area.left() + (area.width() - size.width()) / 2,
                        area.top() + (area.height() - size.height()) / 2);
    return placeInView(area, size, corner);
}

QRect restoredFrame(const QRect& area, const QSize& minimum, const QRect& stored) {
    const QSize size = stored.size().boundedTo(area.size()).expandedTo(minimum);
    return {placeInView(area, size, stored.topLeft()), size};
}

} // namespace krv
