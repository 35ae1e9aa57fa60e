#include "lamp.h"

namespace krv::rflink {

Lamp::Lamp(const char* name, QWidget* parent) : QFrame(parent) {
    setObjectName(QString::fromLatin1(name));
    setFixedSize(16, 16);
    setFrameShape(QFrame::Box);
    setLit(false);
}

void Lamp::setLit(bool lit) {
    lit_ = lit;
    setStyleSheet(lit ? QStringLiteral("background-color: #00FF00;")
                      : QStringLiteral("background-color: #008000;"));
}

} // namespace krv::rflink
