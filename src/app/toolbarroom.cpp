#include "toolbarroom.h"

namespace krv {

ToolbarRoom::ToolbarRoom(const QString& name, QWidget* parent) : QToolBar(parent) {
    setObjectName(name);
    setMovable(false);
    setFloatable(false);
    toggleViewAction()->setVisible(false);
}

void ToolbarRoom::setRoom(int pixels) {
    if (pixels == room_)
        return;
    room_ = pixels;
    updateGeometry();
}

QSize ToolbarRoom::sizeHint() const {
    return {room_, QToolBar::sizeHint().height()};
}

QSize ToolbarRoom::minimumSizeHint() const {
    return {0, 0};
}

} // namespace krv
