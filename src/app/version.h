#pragma once

#include <QString>

namespace krv {

// The program's version, as the splash, the About box and the product list show it.
namespace version {
inline constexpr int Major = 2;
inline constexpr int Minor = 2;
inline constexpr int Revision = 2;
inline QString number() {
    return QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Revision);
}
inline QString guiText() {
    return QStringLiteral("GUI Version ") + number();
}
inline QString buildText() {
    return guiText() + QStringLiteral(" Build ") + QStringLiteral("20/04/2007");
}
// The short product name: the About caption and the title of plain message boxes.
inline QString title() {
    return QStringLiteral("KRV");
}
} // namespace version

} // namespace krv
