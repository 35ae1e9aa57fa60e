#pragma once

#include <QStyle>

class QIcon;

namespace krv {

// The application style's standard icon, made once for the program's life. An icon made afresh
// for each window has pixmaps of its own, and the pixmap cache keeps their scaled copies under
// keys that no later window asks for: every window opened would leave them behind.
const QIcon& standardIcon(QStyle::StandardPixmap which);

} // namespace krv
