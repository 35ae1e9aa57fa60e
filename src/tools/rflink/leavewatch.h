#pragma once

#include <QObject>
#include <functional>

class QLineEdit;

namespace krv::rflink {

// Runs a box's handler on every focus loss and on Enter, as the link tools' number boxes work.
void onLeaving(QLineEdit* box, std::function<void()> handler);

} // namespace krv::rflink
