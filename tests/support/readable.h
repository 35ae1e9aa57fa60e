#pragma once

#include <QString>

class QWidget;

namespace krv::test {

// Fails the running test unless every visible control of the window shows its whole text, stands
// wholly inside its parent (or wholly out of sight) and covers none of its visible siblings. With
// KRV_SCREENSHOTS set, the window is also saved there as <name>.png.
void checkReadable(QWidget* window, const QString& name);

} // namespace krv::test
