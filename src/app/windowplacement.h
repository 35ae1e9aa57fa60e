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
    // The parts of the windows standing there that the user needs in sight (a panel's Update
    // button, the console's FIFO block): a tool never covers them.
    QList<QRect> kept;
    // The windows opened before this one, which it must not hide.
    QList<QRect> tools;
    // The windows opened after this one: a window that grows keeps off them where it can; they
    // make room for it otherwise.
    QList<QRect> later;
    // The window this one always stands beside (one of the CW link pair for the other); empty
    // when none. It is one of `tools` too.
    QRect partner;
};

// The place nearest to `wanted` that keeps a window of `size` inside the area: moved left and up
// just enough, to the area's top left corner when it is larger.
QPoint placeInView(const QRect& area, const QSize& size, const QPoint& wanted);

// The one rule every tool window's place comes from, when it opens and whenever its size
// changes. Opening (`standing` empty), it weighs the asked-for place, the places beside the
// panel, beside and below each window already open, and those lined up with the edges of what
// stands there; a window with a partner weighs only the places touching its partner. Standing
// (`standing` its frame as it was placed), it weighs only `standing` grown from each of its
// corners, so that it grows in place (upwards or leftwards where it must) and never jumps. Each
// place is kept in view; the one chosen best keeps to these, in this order of weight: it covers
// no kept part; it hides no window opened before it (covers no more than half of one); it leaves
// the panel uncovered wherever the panel and the tool fit side by side; it overlaps as little of
// the earlier windows as it can, then of the later ones. An overlap under 1% of a window counts
// as none. Of equally good places, the first of the preferred ones (asked for, beside, then the
// corners in the order top left, bottom left, top right, bottom right), else the one nearest to
// the asked-for place.
QPoint placeTool(const PlacementScene& scene, const QSize& size, const QPoint& wanted,
                 const QRect& standing = {});

// Whether the window at `place` covers a part of `other` that counts (1% of it or more).
bool overlapsNoticeably(const QRect& place, const QRect& other);

// The top left corner of a window of `size` centred on `area`, kept in view.
QPoint placeCentred(const QRect& area, const QSize& size);

// The frame of a window restored from the workspace file, `stored` being the place and size
// stored there: no smaller than `minimum`, no larger than the area unless its minimum is, and in
// view.
QRect restoredFrame(const QRect& area, const QSize& minimum, const QRect& stored);

} // namespace krv
