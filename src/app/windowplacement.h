#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace krv {

// What stands in the workspace when a tool window is placed, in client-area pixels.
struct PlacementScene {
    // The visible client area.
    QRect area;
    // The open chip panel's frame; empty when no panel is open.
    QRect panel;
    // The part of the panel a tool never covers (its Update button); empty when none.
    QRect keep;
    // The windows opened before this one, which it must not hide.
    QList<QRect> tools;
};

// The place nearest to `wanted` that keeps a window of `size` inside the area: moved left and up
// just enough, to the area's top left corner when it is larger.
QPoint placeInView(const QRect& area, const QSize& size, const QPoint& wanted);

// Where a tool window of `size` opens when it asks for `wanted`: of the asked-for place, the
// places beside the panel, beside and below each window already open, and those lined up with
// the edges of what stands there (each kept in view), the one that best keeps to these, in this
// order of weight: it never covers the panel's Update button; it hides no window already open
// (covers no more than half of one); it leaves the panel uncovered wherever the panel and the
// tool fit side by side; it overlaps as few open windows as it can. Of equally good places, the
// first of the asked-for and beside places, else the one nearest to the asked-for place.
QPoint placeTool(const PlacementScene& scene, const QSize& size, const QPoint& wanted);

} // namespace krv
