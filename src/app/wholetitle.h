#pragma once

class QMdiSubWindow;

namespace krv {

// Widens a window's frame, where its title bar would cut the title short, until the title
// shows whole.
void showWholeTitle(QMdiSubWindow* frame);

// The width the frame's title bar gives its title, and the width the whole title takes there.
struct TitleRoom {
    int given = 0;
    int needed = 0;
};
TitleRoom titleRoom(const QMdiSubWindow* frame);

} // namespace krv
